// Start-up in a process of its own: without a usable component module the editor shows its
// message, tells Talvane (talvane-sim here) and ends. A signal ends the editor keeping its unsaved
// text, which the next start names.
#include <QtTest>

#include <csignal>
#include <filesystem>

#include "FileTestSupport.h"
#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "base/DialogService.h"

namespace {

// A running editor (startup_child) with the program folder given and the further settings
// ("NAME=value"); the folder state is its state folder and holds the record of its boxes.
struct Editor : QProcess {
    Editor(const QString& state, const QByteArray& programFolder, const QStringList& settings)
    {
        // Only the inherited environment keeps bytes that are not UTF-8.
        qputenv("CHILD_PROGRAM_FOLDER", programFolder);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_STATE_HOME", state);
        for (const QString& setting : settings)
            environment.insert(setting.section('=', 0, 0), setting.section('=', 1));
        setProcessEnvironment(environment);
        QFile::remove(state + "/boxes");
        start(VARNOTEK_TEST_DIR "/startup_child", {});
    }
    ~Editor() override
    {
        kill();
        waitForFinished();
    }
    bool Ready() { return peek(1024).contains("ready"); }
};

// The boxes the editor showed, "<unreadable>" when none.
QByteArray Boxes(const QString& state) { return OnDisk(state.toStdString() + "/boxes"); }

// A box as startup_child records it.
QByteArray Box(const QByteArray& title, MsgButtons buttons, MsgIcon icon, const QByteArray& prompt)
{
    return title + '\t' + QByteArray::number(int(buttons)) + '\t' + QByteArray::number(int(icon)) + '\t' + prompt +
           '\n';
}

QStringList Recovered(const QString& state)
{
    return QDir(state + "/varnotek").entryList({"recovered-*"}, QDir::Files);
}

}  // namespace

class TestFailurePath : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Either answer ends the process; the title carries the handle the component gave.
    void unusableModuleEndsTheProcess_data()
    {
        const QString real = VARNOTEK_PROGRAM_DIR "/Kelpo.so", stand_ins = VARNOTEK_TEST_DIR "/";
        QTest::addColumn<QString>("module");  // file copied as Kelpo.so, empty for none
        QTest::addColumn<int>("truncateTo");  // bytes kept, -1 for the whole file
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("truncated in its code") << real << 20000 << "yes" << QByteArray("Error 0");
        QTest::newRow("foreign module") << stand_ins + "ForeignModule.so" << -1 << "yes" << QByteArray("Error 0");
        QTest::newRow("creation refused") << stand_ins + "RefusingKelpo.so" << -1 << "no" << QByteArray("Error 5");
    }
    void unusableModuleEndsTheProcess()
    {
        QFETCH(QString, module);
        QFETCH(int, truncateTo);
        QFETCH(QString, answer);
        QFETCH(QByteArray, title);
        RuntimeFolder runtime;
        TalvaneSim talvane({});
        QTemporaryDir folder;
        const QString kelpo = folder.filePath(QStringLiteral("Kelpo.so"));
        QVERIFY(module.isEmpty() ||
                (QFile::copy(module, kelpo) && (truncateTo < 0 || QFile::resize(kelpo, truncateTo))));
        Editor child(folder.path(), QFile::encodeName(folder.path()), {"CHILD_ANSWER=" + answer});
        QVERIFY(child.waitForStarted());
        const QByteArray endpoint = "varnotek-" + QByteArray::number(child.processId());
        QVERIFY(child.waitForFinished(20000));
        QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == EXIT_FAILURE);
        QCOMPARE(Boxes(folder.path()),
                 Box(title, MsgButtons::YesNo, MsgIcon::Critical,
                     "Varnotek could not start because an important file 'KELPO.SO' is missing or invalid\r\n\r\n"
                     "The quickest way to recover the missing file is by re-installing the editor. You can download "
                     "the latest version of the editor from the website at https://www.varnotek.com and re-install "
                     "it\r\n\r\nDo you want to open the Talvane4.0 editor instead ?"));
        // The notice was flushed before the process ended, and the endpoint did not outlive it.
        QTRY_COMPARE_WITH_TIMEOUT(talvane.Frames(), endpoint + "\t0\tEDIT_FAILED\n", 3000);
        QVERIFY(!QFile::exists(runtime.filePath("mbinterproc/" + endpoint)));
    }

    // Every ending signal, also while "Save changes ?" is open, keeps the unsaved bytes in the
    // state folder and removes the endpoint; the next start names the file in one box, once.
    void signalKeepsUnsavedText_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("asking");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("folderName");  // the program folder's copy, empty for the build's
        const QByteArray program("N10 G01 X1\r\n\0(\xFF\xE9)\rM30", 21);
        QTest::newRow("SIGINT") << SIGINT << false << program << QByteArray();
        QTest::newRow("SIGHUP, program folder not UTF-8") << SIGHUP << false << program << QByteArray("pr\xE9g");
        QTest::newRow("SIGTERM, asking") << SIGTERM << true << program << QByteArray();
        QTest::newRow("nothing typed") << SIGHUP << false << QByteArray() << QByteArray();
    }
    void signalKeepsUnsavedText()
    {
        QFETCH(int, signal);
        QFETCH(bool, asking);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, folderName);
        RuntimeFolder runtime;
        QTemporaryDir state;
        const std::filesystem::path copy = (QFile::encodeName(state.path()) + '/' + folderName).toStdString();
        // QTemporaryDir names files as text, and cannot remove a folder whose name is not.
        const auto removeCopy = qScopeGuard([&] { folderName.isEmpty() || std::filesystem::remove_all(copy); });
        QVERIFY(folderName.isEmpty() ||
                (std::filesystem::create_directory(copy) &&
                 std::filesystem::copy_file(VARNOTEK_PROGRAM_DIR "/Kelpo.so", copy / "Kelpo.so")));
        const QString typed = state.filePath("typed");
        QVERIFY(PutOnDisk(typed.toStdString(), text));
        Editor editor(state.path(), folderName.isEmpty() ? VARNOTEK_PROGRAM_DIR : QByteArray(copy.c_str()),
                      {"CHILD_RUN=1", "CHILD_TEXT=" + typed, "CHILD_CLOSE=" + QString::number(asking)});
        QTRY_VERIFY_WITH_TIMEOUT(asking ? Boxes(state.path()).contains("Save changes ?") : editor.Ready(), 10000);
        ::kill(pid_t(editor.processId()), signal);
        QVERIFY(editor.waitForFinished(10000) && editor.exitStatus() == QProcess::NormalExit && editor.exitCode() == 0);
        QVERIFY(!QFile::exists(runtime.filePath("mbinterproc/varnotek-" + QString::number(editor.processId()))));
        const QStringList recovered = Recovered(state.path());
        QCOMPARE(recovered.size(), text.isEmpty() ? 0 : 1);
        const QString path = state.filePath("varnotek/" + recovered.value(0));
        QVERIFY(text.isEmpty() || OnDisk(path.toStdString()) == text);

        // The next start shows the notice and keeps the file it names.
        Editor next(state.path(), VARNOTEK_PROGRAM_DIR, {"CHILD_RUN=1"});
        QTRY_VERIFY_WITH_TIMEOUT(next.Ready(), 10000);
        QTRY_COMPARE(Boxes(state.path()), text.isEmpty() ? QByteArray("<unreadable>")
                                                         : Box("Varnotek", MsgButtons::OK, MsgIcon::Information,
                                                               "Varnotek ended before the changes to a new program "
                                                               "were saved.\r\n\r\nThe unsaved text is kept in " +
                                                                   path.toLocal8Bit()));
        QCOMPARE(Recovered(state.path()), recovered);
        QVERIFY(QDir(state.filePath("varnotek")).entryList({"notice-*"}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFailurePath)
#include "test_failurepath.moc"

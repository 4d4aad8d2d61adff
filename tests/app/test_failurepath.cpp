// Start-up in a process of its own: without a usable component module the editor shows its
// message, tells Talvane (talvane-sim here) and ends; with one, the command line decides
// whether the deferred open is armed.
#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "base/DialogService.h"

namespace {

const QString TestDir = QStringLiteral(VARNOTEK_TEST_DIR);
const QString ProgramDir = QStringLiteral(VARNOTEK_PROGRAM_DIR);

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QProcessEnvironment ChildEnvironment(const QString& folder, const QString& boxes, const QString& answer)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CHILD_PROGRAM_FOLDER", folder);
    environment.insert("CHILD_BOXES", boxes);
    environment.insert("CHILD_ANSWER", answer);
    return environment;
}

}  // namespace

class TestFailurePath : public QObject {
    Q_OBJECT
    QTemporaryDir runtime;
    QProcess sim;
    QString simRecord;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(runtime.isValid());
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        simRecord = runtime.filePath(QStringLiteral("talvane.record"));
        sim.start(ProgramDir + "/talvane-sim", {"--record", simRecord});
        QVERIFY(sim.waitForStarted());
        QVERIFY(sim.waitForReadyRead(5000));
        QVERIFY(sim.readAll().contains("ready"));
    }
    void cleanupTestCase()
    {
        sim.terminate();
        sim.waitForFinished(3000);
    }

    void unusableModuleEndsTheProcess_data()
    {
        QTest::addColumn<QString>("module");  // file copied as Kelpo.so, empty for none
        QTest::addColumn<int>("truncateTo");  // bytes kept, -1 for the whole file
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");
        QTest::newRow("missing, Yes") << QString() << -1 << "yes"
                                      << "Error 0";
        QTest::newRow("truncated to a page") << ProgramDir + "/Kelpo.so" << 4096 << "yes"
                                             << "Error 0";
        QTest::newRow("truncated inside its code") << ProgramDir + "/Kelpo.so" << 20000 << "yes"
                                                   << "Error 0";
        QTest::newRow("foreign module") << TestDir + "/ForeignModule.so" << -1 << "yes"
                                        << "Error 0";
        QTest::newRow("creation refused") << TestDir + "/RefusingKelpo.so" << -1 << "no"
                                          << "Error 5";
    }
    void unusableModuleEndsTheProcess()
    {
        QFETCH(QString, module);
        QFETCH(int, truncateTo);
        QFETCH(QString, answer);
        QFETCH(QString, title);
        QTemporaryDir folder;
        const QString kelpo = folder.filePath(QStringLiteral("Kelpo.so"));
        if (!module.isEmpty()) {
            QVERIFY(QFile::copy(module, kelpo));
            if (truncateTo >= 0)
                QVERIFY(QFile::resize(kelpo, truncateTo));
        }
        QVERIFY(QFile::resize(simRecord, 0));  // the simulator keeps the file open
        const QString boxes = folder.filePath(QStringLiteral("boxes.json"));

        QProcess child;
        child.setProcessEnvironment(ChildEnvironment(folder.path(), boxes, answer));
        child.start(TestDir + "/startup_child", {});
        QVERIFY(child.waitForStarted());
        const qint64 pid = child.processId();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), EXIT_FAILURE);

        const QList<QByteArray> shown = ReadAll(boxes).split('\n').mid(0, 1);
        const QJsonObject box = QJsonDocument::fromJson(shown.value(0)).object();
        QCOMPARE(ReadAll(boxes).count('\n'), 1);
        QCOMPARE(box.value("title").toString(), title);
        QCOMPARE(box.value("prompt").toString(),
                 QStringLiteral("Varnotek could not start because an important file 'KELPO.SO' is missing or invalid"
                                "\r\n\r\nThe quickest way to recover the missing file is by re-installing the editor. "
                                "You can download the latest version of the editor from the website at "
                                "https://www.varnotek.com and re-install it\r\n\r\n"
                                "Do you want to open the Talvane4.0 editor instead ?"));
        QCOMPARE(box.value("buttons").toInt(), int(MsgButtons::YesNo));
        QCOMPARE(box.value("icon").toInt(), int(MsgIcon::Critical));

        // The notice was flushed before the process ended.
        QTRY_COMPARE_WITH_TIMEOUT(ReadAll(simRecord),
                                  QByteArray("0\tvarnotek-" + QByteArray::number(pid) + "\tEDIT_FAILED\n"), 3000);
        // and the endpoint did not outlive the process.
        QVERIFY(!QFile::exists(runtime.filePath("mbinterproc/varnotek-" + QString::number(pid))));
    }

    // The deferred open is armed only for an existing regular file named by the whole command line.
    // A name that is not valid UTF-8 reaches the deferred open byte for byte.
    void commandLineNameInAnyBytes()
    {
        QTemporaryDir files;
        const QByteArray name = QFile::encodeName(files.path()) + "/part\xE9.nc";
        QVERIFY(PutOnDisk(name.toStdString(), "N10 M30\r\n"));
        QProcess child;
        child.setProcessEnvironment(ChildEnvironment(ProgramDir, files.filePath("boxes.json"), "yes"));
        // Through the shell, since QProcess only passes arguments it can hold as Unicode.
        child.start(QStringLiteral("/bin/sh"), {"-c", "exec \"$0\" \"$(printf '%s/part\\351.nc' \"$1\")\"",
                                                TestDir + "/startup_child", files.path()});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput(), name + "\nTimer1 active\n");
    }

    void commandLineArmsTheDeferredOpen_data()
    {
        QTest::addColumn<QStringList>("arguments");  // %1 stands for the folder of the files
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("armed");
        QTest::newRow("quoted path with blanks") << QStringList{"\"%1/my part.nc\""} << "%1/my part.nc" << true;
        QTest::newRow("two names") << QStringList{"%1/part.nc", "%1/my part.nc"} << "%1/part.nc %1/my part.nc" << false;
        QTest::newRow("missing file") << QStringList{"%1/none.nc"} << "%1/none.nc" << false;
        QTest::newRow("folder") << QStringList{"%1"} << "%1" << false;
    }
    void commandLineArmsTheDeferredOpen()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QFETCH(bool, armed);
        QTemporaryDir files;
        for (const char* name : {"my part.nc", "part.nc"}) {
            QFile f(files.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        for (QString& argument : arguments)
            argument = argument.arg(files.path());
        QProcess child;
        child.setProcessEnvironment(ChildEnvironment(ProgramDir, files.filePath("boxes.json"), "yes"));
        child.start(TestDir + "/startup_child", arguments);
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        QCOMPARE(QString::fromLocal8Bit(lines.value(0)), file.arg(files.path()));
        QCOMPARE(lines.value(1), QByteArray(armed ? "Timer1 active" : "Timer1 idle"));
    }
};

QTEST_GUILESS_MAIN(TestFailurePath)
#include "test_failurepath.moc"

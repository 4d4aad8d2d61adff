// Without a usable component module the editor shows its message, tells Talvane and ends:
// checked end to end in a child process, with talvane-sim receiving the notice.
#include <QtTest>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "app/DialogService.h"
#include "editor/ComponentFailure.h"

namespace {

const QString TestDir = QStringLiteral(VARNOTEK_TEST_DIR);
const QString ProgramDir = QStringLiteral(VARNOTEK_PROGRAM_DIR);

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

    void prompt()
    {
        QCOMPARE(QString::fromStdString(ComponentFailurePrompt()),
                 QStringLiteral("Varnotek could not start because an important file 'KELPO.SO' is missing or invalid"
                                "\r\n\r\nThe quickest way to recover the missing file is by re-installing the editor. "
                                "You can download the latest version of the editor from the website at "
                                "https://www.varnotek.com and re-install it\r\n\r\n"
                                "Do you want to open the Talvane4.0 editor instead ?"));
    }

    void unusableModuleEndsTheProcess_data()
    {
        QTest::addColumn<QString>("module");   // file copied as Kelpo.so, empty for none
        QTest::addColumn<int>("truncateTo");   // bytes kept, -1 for the whole file
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("title");
        QTest::newRow("missing, Yes") << QString() << -1 << "yes" << "Error 0";
        QTest::newRow("missing, No") << QString() << -1 << "no" << "Error 0";
        QTest::newRow("truncated to its header") << ProgramDir + "/Kelpo.so" << 64 << "yes" << "Error 0";
        QTest::newRow("truncated to a page") << ProgramDir + "/Kelpo.so" << 4096 << "yes" << "Error 0";
        QTest::newRow("truncated inside its code") << ProgramDir + "/Kelpo.so" << 20000 << "yes" << "Error 0";
        QTest::newRow("empty file") << ProgramDir + "/Kelpo.so" << 0 << "yes" << "Error 0";
        QTest::newRow("foreign module") << TestDir + "/ForeignModule.so" << -1 << "yes" << "Error 0";
        QTest::newRow("text file") << TestDir + "/../CMakeCache.txt" << -1 << "yes" << "Error 0";
        QTest::newRow("creation refused") << TestDir + "/RefusingKelpo.so" << -1 << "no" << "Error 5";
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
        child.start(TestDir + "/failure_child", {folder.path(), boxes, answer});
        QVERIFY(child.waitForStarted());
        const qint64 pid = child.processId();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), EXIT_FAILURE);

        const QList<QByteArray> shown = ReadAll(boxes).split('\n').mid(0, 1);
        const QJsonObject box = QJsonDocument::fromJson(shown.value(0)).object();
        QCOMPARE(ReadAll(boxes).count('\n'), 1);
        QCOMPARE(box.value("title").toString(), title);
        QCOMPARE(box.value("prompt").toString(), QString::fromStdString(ComponentFailurePrompt()));
        QCOMPARE(box.value("buttons").toInt(), int(MsgButtons::YesNo));
        QCOMPARE(box.value("icon").toInt(), int(MsgIcon::Critical));

        // The notice was flushed before the process ended.
        QTRY_COMPARE_WITH_TIMEOUT(ReadAll(simRecord),
                                  QByteArray("0\tvarnotek-" + QByteArray::number(pid) + "\tEDIT_FAILED\n"), 3000);
    }

    void usableModuleStartsNormally()
    {
        QTemporaryDir folder;
        QVERIFY(QFile::copy(ProgramDir + "/Kelpo.so", folder.filePath(QStringLiteral("Kelpo.so"))));
        const QString boxes = folder.filePath(QStringLiteral("boxes.json"));
        QProcess child;
        child.start(TestDir + "/failure_child", {folder.path(), boxes, "yes"});
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitCode(), 0);
        QVERIFY(!QFile::exists(boxes));
    }
};

QTEST_GUILESS_MAIN(TestFailurePath)
#include "test_failurepath.moc"

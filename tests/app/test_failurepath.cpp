// Start-up in a process of its own: without a usable component module the editor shows its
// message, tells Talvane (talvane-sim here) and ends.
#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "base/DialogService.h"

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

    // Either answer ends the process; the title carries the handle the component gave.
    void unusableModuleEndsTheProcess_data()
    {
        QTest::addColumn<QString>("module");  // file copied as Kelpo.so, empty for none
        QTest::addColumn<int>("truncateTo");  // bytes kept, -1 for the whole file
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("title");
        QTest::newRow("missing") << QString() << -1 << "yes" << QByteArray("Error 0");
        QTest::newRow("truncated to a page") << ProgramDir + "/Kelpo.so" << 4096 << "yes" << QByteArray("Error 0");
        QTest::newRow("truncated in its code") << ProgramDir + "/Kelpo.so" << 20000 << "yes" << QByteArray("Error 0");
        QTest::newRow("foreign module") << TestDir + "/ForeignModule.so" << -1 << "yes" << QByteArray("Error 0");
        QTest::newRow("creation refused") << TestDir + "/RefusingKelpo.so" << -1 << "no" << QByteArray("Error 5");
    }
    void unusableModuleEndsTheProcess()
    {
        QFETCH(QString, module);
        QFETCH(int, truncateTo);
        QFETCH(QString, answer);
        QFETCH(QByteArray, title);
        QTemporaryDir folder;
        const QString kelpo = folder.filePath(QStringLiteral("Kelpo.so"));
        QVERIFY(module.isEmpty() ||
                (QFile::copy(module, kelpo) && (truncateTo < 0 || QFile::resize(kelpo, truncateTo))));
        QVERIFY(QFile::resize(simRecord, 0));  // the simulator keeps the file open
        const QString boxes = folder.filePath(QStringLiteral("boxes"));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CHILD_PROGRAM_FOLDER", folder.path());
        environment.insert("CHILD_BOXES", boxes);
        environment.insert("CHILD_ANSWER", answer);
        child.setProcessEnvironment(environment);
        child.start(TestDir + "/startup_child", {});
        QVERIFY(child.waitForStarted());
        const qint64 pid = child.processId();
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QCOMPARE(child.exitCode(), EXIT_FAILURE);
        QCOMPARE(ReadAll(boxes),
                 title + '\t' + QByteArray::number(int(MsgButtons::YesNo)) + '\t' +
                     QByteArray::number(int(MsgIcon::Critical)) +
                     "\tVarnotek could not start because an important file 'KELPO.SO' is missing or invalid\r\n\r\n"
                     "The quickest way to recover the missing file is by re-installing the editor. You can download "
                     "the latest version of the editor from the website at https://www.varnotek.com and re-install "
                     "it\r\n\r\nDo you want to open the Talvane4.0 editor instead ?\n");
        // The notice was flushed before the process ended, and the endpoint did not outlive it.
        QTRY_COMPARE_WITH_TIMEOUT(ReadAll(simRecord),
                                  QByteArray("0\tvarnotek-" + QByteArray::number(pid) + "\tEDIT_FAILED\n"), 3000);
        QVERIFY(!QFile::exists(runtime.filePath("mbinterproc/varnotek-" + QString::number(pid))));
    }
};

QTEST_GUILESS_MAIN(TestFailurePath)
#include "test_failurepath.moc"

// Start-up in a process of its own: without a usable component module the editor shows its
// message, tells Talvane (talvane-sim here) and ends.
#include <QtTest>

#include <QProcess>

#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "base/DialogService.h"

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
        QTest::newRow("missing") << QString() << -1 << "yes" << QByteArray("Error 0");
        QTest::newRow("truncated to a page") << real << 4096 << "yes" << QByteArray("Error 0");
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
        const QString kelpo = folder.filePath(QStringLiteral("Kelpo.so")), boxes = folder.filePath("boxes");
        QVERIFY(module.isEmpty() ||
                (QFile::copy(module, kelpo) && (truncateTo < 0 || QFile::resize(kelpo, truncateTo))));

        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("CHILD_PROGRAM_FOLDER", folder.path());
        environment.insert("CHILD_BOXES", boxes);
        environment.insert("CHILD_ANSWER", answer);
        child.setProcessEnvironment(environment);
        child.start(VARNOTEK_TEST_DIR "/startup_child", {});
        QVERIFY(child.waitForStarted());
        const QByteArray endpoint = "varnotek-" + QByteArray::number(child.processId());
        QVERIFY(child.waitForFinished(20000));
        QVERIFY(child.exitStatus() == QProcess::NormalExit && child.exitCode() == EXIT_FAILURE);
        QFile shown(boxes);
        QVERIFY(shown.open(QIODevice::ReadOnly));
        QCOMPARE(shown.readAll(),
                 title + '\t' + QByteArray::number(int(MsgButtons::YesNo)) + '\t' +
                     QByteArray::number(int(MsgIcon::Critical)) +
                     "\tVarnotek could not start because an important file 'KELPO.SO' is missing or invalid\r\n\r\n"
                     "The quickest way to recover the missing file is by re-installing the editor. You can download "
                     "the latest version of the editor from the website at https://www.varnotek.com and re-install "
                     "it\r\n\r\nDo you want to open the Talvane4.0 editor instead ?\n");
        // The notice was flushed before the process ended, and the endpoint did not outlive it.
        QTRY_COMPARE_WITH_TIMEOUT(talvane.Frames(), endpoint + "\t0\tEDIT_FAILED\n", 3000);
        QVERIFY(!QFile::exists(runtime.filePath("mbinterproc/" + endpoint)));
    }
};

QTEST_GUILESS_MAIN(TestFailurePath)
#include "test_failurepath.moc"

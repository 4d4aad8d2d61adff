// style-dump run as a process of its own from a program folder of its own, on one small program.
#include <QtTest>

class TestStyleDump : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The runs of every line in the built-in style set: N, M and comment words, the rest in style 0
    // line ends included, a comment that runs on across the tool's 64 KiB slices, and a last line
    // without a line end.
    void dumpsOneProgram()
    {
        QTemporaryDir folder;
        for (const QString file : {"style-dump", "Kelpo.so"})
            QVERIFY(QFile::copy(VARNOTEK_PROGRAM_DIR "/" + file, folder.filePath(file)));
        QFile program(folder.filePath("program.nc"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write("N10 G01 M03 (X)\r\n(" + QByteArray(70000, 'A') + ")M3\r\nN5");
        program.close();
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", folder.path());  // away from any real message endpoint
        tool.setProcessEnvironment(environment);
        tool.start(folder.filePath("style-dump"), {program.fileName()});
        QVERIFY(tool.waitForFinished(60000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(tool.readAllStandardOutput(), QByteArray("0 0 3 14\n0 3 5 0\n0 8 3 13\n0 11 1 0\n0 12 3 27\n0 15 2 0\n"
                                                          "1 17 70002 27\n1 70019 2 13\n1 70021 2 0\n2 70023 2 14\n"));
    }
};

QTEST_GUILESS_MAIN(TestStyleDump)
#include "test_styledump.moc"

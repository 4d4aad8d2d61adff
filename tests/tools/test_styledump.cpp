// style-dump run as a process of its own from a program folder of its own, on one small program.
#include <QtTest>

#include "FileTestSupport.h"

class TestStyleDump : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The runs of every line as the component holds them, in a style set with every style mode:
    // 1 plain, 2 bold letter and default rest, 3 bold letter and plain rest, 4 bold, others the
    // default style, 0 no word; the rest in style 0, line ends included. A comment runs on across
    // the tool's 64 KiB slices, and the last line has no line end.
    void dumpsOneProgram()
    {
        QTemporaryDir folder;
        for (const QString file : {"style-dump", "Kelpo.so"})
            QVERIFY(QFile::copy(VARNOTEK_PROGRAM_DIR "/" + file, folder.filePath(file)));
        const std::pair<QString, QByteArray> files[] = {
            {"StyleSet.sty", "STYLE=ON\r\nN1#0\r\nX2#0\r\nY3#0\r\nZ4#0\r\nM7#0\r\n(2#0"},
            {"program.nc", "N10 G01 X12 Y3 Z4 M3 (AB)\r\n(" + QByteArray(70000, 'A') + ")M3\r\nN5"}};
        for (const auto& [name, bytes] : files)
            QVERIFY(PutOnDisk(folder.filePath(name).toStdString(), bytes));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder.path()));  // away from any real message endpoint
        QProcess tool;
        tool.start(folder.filePath("style-dump"), {folder.filePath("program.nc")});
        QVERIFY(tool.waitForFinished(60000) && tool.exitCode() == 0);
        QCOMPARE(tool.readAllStandardOutput(),
                 QByteArray("0 0 3 14\n0 3 5 0\n0 8 1 57\n0 9 2 32\n0 11 1 0\n0 12 1 58\n0 13 1 25\n0 14 1 0\n"
                            "0 15 2 59\n0 17 1 0\n0 18 2 32\n0 20 1 0\n0 21 1 60\n0 22 3 32\n0 25 2 0\n"
                            "1 27 1 60\n1 28 70003 32\n1 70031 2 0\n2 70033 2 14\n"));
    }
};

QTEST_GUILESS_MAIN(TestStyleDump)
#include "test_styledump.moc"

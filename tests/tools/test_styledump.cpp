// style-dump run as a separate process from a copied program folder: its runs for the built-in
// style set and for a style set file, and its failures when the file or the module is missing.
#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString ProgramDir = QStringLiteral(VARNOTEK_PROGRAM_DIR);

struct ToolResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A program folder of its own: the tool, the module unless left out, and a style set if given.
void MakeProgramFolder(const QTemporaryDir& folder, const QByteArray& styleSet, bool withModule = true)
{
    QVERIFY(folder.isValid());
    QVERIFY(QFile::copy(ProgramDir + "/style-dump", folder.filePath("style-dump")));
    if (withModule)
        QVERIFY(QFile::copy(ProgramDir + "/Kelpo.so", folder.filePath("Kelpo.so")));
    if (!styleSet.isNull())
        WriteBytes(folder.filePath("StyleSet.sty"), styleSet);
}

QByteArray LongLines()
{
    // A comment that ends exactly 64 KiB into its line, then an unclosed one of 100,003 bytes.
    return "(" + QByteArray(65534, 'A') + ")M3\r\n(" + QByteArray(100000, 'B') + "\r\n";
}

}  // namespace

class TestStyleDump : public QObject {
    Q_OBJECT
    QTemporaryDir runtime;  // the tool's message endpoint lives here, away from any real one
    QTemporaryDir files;

    ToolResult Run(const QTemporaryDir& folder, const QString& file)
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        tool.setProcessEnvironment(environment);
        tool.start(folder.filePath("style-dump"), {file});
        ToolResult result;
        result.finished = tool.waitForFinished(60000);
        result.exitCode = tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
        result.out = tool.readAllStandardOutput();
        result.err = tool.readAllStandardError();
        return result;
    }

    QString ProgramFile(const QByteArray& text)
    {
        const QString path = files.filePath("program.nc");
        WriteBytes(path, text);
        return path;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(runtime.isValid());
        QVERIFY(files.isValid());
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void builtInStyleSet_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("runs");
        QTest::newRow("N, M and comment words") << QByteArray("N10 G01 M03 (X)\r\n")
                                                << QByteArray("0 0 3 14\n0 3 5 0\n0 8 3 13\n0 11 1 0\n0 12 3 27\n"
                                                              "0 15 2 0\n");
        QTest::newRow("lines numbered, starts in the document")
            << QByteArray("N1\r\nM2\r\n(C)\r\n")
            << QByteArray("0 0 2 14\n0 2 2 0\n1 4 2 13\n1 6 2 0\n2 8 3 27\n2 11 2 0\n");
        QTest::newRow("open comment ends with its line")
            << QByteArray("(OPEN\r\nN5\r\n") << QByteArray("0 0 7 27\n1 7 2 14\n1 9 2 0\n");
        QTest::newRow("empty lines, no final line end")
            << QByteArray("\r\n\r\nM30") << QByteArray("0 0 2 0\n1 2 2 0\n2 4 3 13\n");
        QTest::newRow("LF line ends") << QByteArray("N1\nM2") << QByteArray("0 0 2 14\n0 2 1 0\n1 3 2 13\n");
        QTest::newRow("lower case and other letters") << QByteArray("x10 G1 n5\r\n") << QByteArray("0 0 11 0\n");
        QTest::newRow("NUL ends a word") << QByteArray("N1\0M2", 5) << QByteArray("0 0 2 14\n0 2 1 0\n0 3 2 13\n");
        QTest::newRow("bytes above 127") << QByteArray("(\xE9t\xE9)\xFF\r\n") << QByteArray("0 0 5 27\n0 5 3 0\n");
        QTest::newRow("empty file") << QByteArray("") << QByteArray("");
        QTest::newRow("long lines") << LongLines()
                                    << QByteArray("0 0 65536 27\n0 65536 2 13\n0 65538 2 0\n1 65540 100003 27\n");
    }
    void builtInStyleSet()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, runs);
        QTemporaryDir folder;
        MakeProgramFolder(folder, QByteArray());
        const ToolResult result = Run(folder, ProgramFile(program));
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, runs);
    }

    void styleSetFile_data()
    {
        QTest::addColumn<QByteArray>("styleSet");
        QTest::addColumn<QByteArray>("runs");
        QTest::newRow("bold letter, plain number")
            << QByteArray("STYLE=ON\r\nX3#255\r\n") << QByteArray("0 0 1 57\n0 1 2 24\n0 3 5 0\n");
        QTest::newRow("bold letter, base number")
            << QByteArray("STYLE=ON\r\nX2#255\r\n") << QByteArray("0 0 1 57\n0 1 2 32\n0 3 5 0\n");
        QTest::newRow("whole word bold") << QByteArray("STYLE=ON\r\nM4#255\r\n")
                                         << QByteArray("0 0 4 0\n0 4 2 46\n0 6 2 0\n");
        QTest::newRow("styling off") << QByteArray("STYLE=OFF\r\nX3#255\r\n") << QByteArray("0 0 8 0\n");
    }
    void styleSetFile()
    {
        QFETCH(QByteArray, styleSet);
        QFETCH(QByteArray, runs);
        QTemporaryDir folder;
        MakeProgramFolder(folder, styleSet);
        const ToolResult result = Run(folder, ProgramFile("X10 M3\r\n"));
        QVERIFY(result.finished);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, runs);
    }

    void missingFileFails()
    {
        QTemporaryDir folder;
        MakeProgramFolder(folder, QByteArray());
        const ToolResult result = Run(folder, files.filePath("absent.nc"));
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains("Can't open: Could not open the file"), result.err.constData());
    }

    void missingModuleFails()
    {
        QTemporaryDir folder;
        MakeProgramFolder(folder, QByteArray(), false);
        const ToolResult result = Run(folder, ProgramFile("N10\r\n"));
        QVERIFY(result.finished);
        QVERIFY(result.exitCode != 0);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.contains("'KELPO.SO' is missing or invalid"), result.err.constData());
    }
};

QTEST_GUILESS_MAIN(TestStyleDump)
#include "test_styledump.moc"

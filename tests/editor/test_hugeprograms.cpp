// Programs far beyond any control's memory, through the real component and real files: a 200 MB
// one with a 5 MB line and one of 5,000,000 lines load whole, are styled where they are shown,
// from the first screen to the last and back, and save byte for byte. Programs load a piece at a
// time: whatever meets at a piece's end arrives whole, and a long load shows how far it is.
#include <QtTest>

#include "TestApp.h"
#include "editor/Documents.h"
#include "editor/EditorSession.h"

using namespace sci;

constexpr std::uint32_t SCI_LINESONSCREEN = 2370;

// Blocks filling a piece but for its last `before` bytes, then `end`.
QByteArray AcrossPieceEnd(int before, const QByteArray& end)
{
    return QByteArray("N10 G01 X1\r\n").repeated(int(kLoadPieceBytes / 12 + 1)).left(int(kLoadPieceBytes) - before) + end;
}

class TestHugePrograms : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    void loadShowSave_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("longLine");
        QTest::newRow("200 MB, a 5 MB line") << 7'390'000 << 5'000'000;
        QTest::newRow("5,000,000 lines") << 4'999'999 << 0;
    }
    void loadShowSave()
    {
        QFETCH(int, blocks);
        QFETCH(int, longLine);
        // A first line of words about longLine bytes long, numbered blocks, "M30" with no line end.
        const QString in = dir.filePath("in.nc"), out = dir.filePath("out.nc");
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("N10 M3 (A) ").repeated(longLine / 11) + (longLine ? "\r\n" : ""));
        char block[64];
        for (int n = 1; n <= blocks; ++n)
            file.write(block, std::snprintf(block, sizeof block, "N%d G01 X%d Y-%d.5\r\n", n, n % 977, n % 313));
        QVERIFY(file.write("M30") == 3 && file.flush());

        TestApp t;
        MDIForm1& main = t.ShowMainWindow();
        QVERIFY(LoadDocument(t.editor, in.toStdString()));
        const int last = t.editor.SendEditor(SCI_GETLINECOUNT, 0, 0) - 1;
        QCOMPARE(last, blocks + (longLine > 0));
        const auto show = [&](int line) {
            t.editor.SendEditor(SCI_GOTOLINE, line, 0);
            main.grab();
            const int first = t.editor.SendEditor(SCI_GETFIRSTVISIBLELINE, 0, 0);
            QVERIFY(first <= line && line < first + t.editor.SendEditor(SCI_LINESONSCREEN, 0, 0));
        };
        show(0);
        // The first line's first word and, for the long line, its last one.
        QCOMPARE(t.editor.SendEditor(SCI_GETSTYLEAT, 0, 0), 14);
        QCOMPARE(t.editor.SendEditor(SCI_GETSTYLEAT, std::max(longLine / 11 * 11 - 4, 0), 0), longLine ? 27 : 14);
        show(last);
        QCOMPARE(t.editor.SendEditor(SCI_GETSTYLEAT, t.editor.SendEditor(SCI_GETLENGTH, 0, 0) - 3, 0), 13);
        show(0);
        QVERIFY(SaveDocument(t.editor, out.toStdString()));
        QCOMPARE(QProcess::execute("cmp", {in, out}), 0);
    }

    void piecesMeet_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("a piece and 5 bytes") << AcrossPieceEnd(0, "\r\nM30") << false;
        QTest::newRow("exactly a piece") << AcrossPieceEnd(5, "\r\nM30") << false;
        QTest::newRow("CR LF across") << AcrossPieceEnd(1, "\r\nM30") << false;
        QTest::newRow("2-byte letter across") << AcrossPieceEnd(1, "\xC3\x98\r\n") << true;
        QTest::newRow("4-byte letter, 3 bytes before") << AcrossPieceEnd(3, "\xF0\x9F\x94\xA7\r\n") << true;
        QTest::newRow("sequence cut across") << AcrossPieceEnd(1, "\xC3X\r\n") << false;
        QTest::newRow("sequence cut at the end") << AcrossPieceEnd(0, "\xC3\x98\r\n\xE2\x82") << false;
    }
    void piecesMeet()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        const QString in = dir.filePath("pieces.nc");
        QFile file(in);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        TestApp t;
        t.ShowMainWindow();
        QVERIFY(LoadDocument(t.editor, in.toStdString()));
        QVERIFY(Text(t.editor) == bytes.toStdString());
        QCOMPARE(IsUtf8Document(t.editor), utf8);
        QCOMPARE(t.editor.SendEditor(SCI_GETLINECOUNT, 0, 0), bytes.count('\n') + 1);
    }

    // What the status panel says at each step of a load: nothing for a short one; for a long one
    // how far it is, then nothing. A file changed while it loads leaves an empty document, and says so.
    void progress_data()
    {
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QStringList>("shown");
        const QStringList all{"Loading 49%", "Loading 99%", "Loading 100%", ""};
        QTest::newRow("short") << 500 << "" << QStringList();
        QTest::newRow("long") << 0 << "" << all;
        QTest::newRow("grown meanwhile") << 0 << "grow" << all;
        QTest::newRow("shrunk meanwhile") << 0 << "shrink" << QStringList{"Loading 49%", ""};
    }
    void progress()
    {
        QFETCH(int, delayMs);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, shown);
        const QString in = dir.filePath("long.nc");
        QFile file(in);
        // Two pieces and 5 bytes, or for the short load a single block.
        const QByteArray bytes = delayMs ? QByteArray("G90\r\n") : AcrossPieceEnd(0, AcrossPieceEnd(0, "\r\nM30"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        TestApp t;
        MDIForm1& main = t.ShowMainWindow();
        SetText(t.editor, "N1 G00\r\n");
        QStringList seen;
        t.editor.Hooks.ProgressDelayMs = delayMs;
        t.editor.Hooks.ShowProgress = [&, show = t.editor.Hooks.ShowProgress](const std::string& text) {
            show(text);
            seen << QString::fromStdString(main.StatusText());
            if (meanwhile == "grow")
                QVERIFY(file.write("X", 1) == 1 && file.flush());
            else if (meanwhile == "shrink")
                file.resize(kLoadPieceBytes + 1);
        };
        const bool whole = meanwhile.isEmpty();
        QCOMPARE(LoadDocument(t.editor, in.toStdString()), whole);
        QCOMPARE(seen, shown);
        QCOMPARE(t.editor.CurrentFilePath(), whole ? in.toStdString() : std::string());
        QCOMPARE(qint64(t.editor.SendEditor(SCI_GETLENGTH, 0, 0)), whole ? bytes.size() : 0);
        const auto box = MessageBoxRequest{
            "Could not open the file - It could not be read to its end, and the document is now empty",
            MsgButtons::OK, MsgIcon::None, "Can't open"};
        QCOMPARE(t.dialogs.boxes, whole ? std::vector<MessageBoxRequest>() : std::vector{box});
    }
};

QTEST_MAIN(TestHugePrograms)
#include "test_hugeprograms.moc"

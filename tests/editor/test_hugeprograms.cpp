// Programs far beyond any control's memory, through the real component and real files: a 200 MB
// one with a 5 MB line and one of 5,000,000 lines load whole, are styled where they are shown,
// from the first screen to the last and back, and save byte for byte. Programs load a piece at a time.
#include <QtTest>

#include "TestApp.h"
#include "editor/Documents.h"
#include "editor/EditorSession.h"

using namespace sci;

// Blocks filling a piece but for its last `before` bytes, then `end`.
QByteArray AcrossPieceEnd(int before, const QByteArray& end)
{
    return QByteArray("N10 G01 X1\r\n").repeated(int(kLoadPieceBytes / 12 + 1)).left(int(kLoadPieceBytes) - before) +
           end;
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

    // Whatever meets at a piece's end arrives whole. The status panel says nothing during a short
    // load, and how far a long one is, then nothing. A file changed while it loads leaves an empty
    // document and says so; the window closed meanwhile closes without asking about the half-loaded text.
    void loadInPieces_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::addColumn<QString>("meanwhile");  // done at each step shown
        QTest::addColumn<QStringList>("shown");  // the status panel at each step; "-": not looked at
        const QByteArray two = AcrossPieceEnd(0, AcrossPieceEnd(0, "\r\nM30"));
        const QStringList all{"Loading 49%", "Loading 99%", "Loading 100%", ""}, any{"-"};
        QTest::newRow("a piece and 5 bytes") << AcrossPieceEnd(0, "\r\nM30") << false << "" << any;
        QTest::newRow("exactly a piece") << AcrossPieceEnd(5, "\r\nM30") << false << "" << any;
        QTest::newRow("CR LF across") << AcrossPieceEnd(1, "\r\nM30") << false << "" << any;
        QTest::newRow("2-byte letter across") << AcrossPieceEnd(1, "\xC3\x98\r\n") << true << "" << any;
        QTest::newRow("4-byte letter, 3 bytes before") << AcrossPieceEnd(3, "\xF0\x9F\x94\xA7") << true << "" << any;
        QTest::newRow("sequence cut at the end") << AcrossPieceEnd(0, "\xC3\x98\r\n\xE2\x82") << false << "" << any;
        QTest::newRow("short") << QByteArray("G90\r\n") << false << "" << QStringList();
        QTest::newRow("long") << two << false << "" << all;
        QTest::newRow("grown meanwhile") << two << false << "grow" << all;
        QTest::newRow("shrunk meanwhile") << two << false << "shrink" << QStringList{"Loading 49%", ""};
        QTest::newRow("closed meanwhile") << two << false << "close" << QStringList{"Loading 49%"};
    }
    void loadInPieces()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        QFETCH(QString, meanwhile);
        QFETCH(QStringList, shown);
        QFile file(dir.filePath("pieces.nc"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
        TestApp t;
        QPointer<MDIForm1> main = &t.ShowMainWindow();
        SetText(t.editor, "N1 G00\r\n");  // typed, never saved
        QStringList seen;
        t.editor.Hooks.ProgressDelayMs = shown.isEmpty() || shown == QStringList{"-"} ? 500 : 0;
        t.editor.Hooks.ShowProgress = [&, show = t.editor.Hooks.ShowProgress](const std::string& text) {
            show(text);
            if (main && main->isVisible())
                seen << QString::fromStdString(main->StatusText());
            if (meanwhile == "grow")
                QVERIFY(file.write("X") == 1 && file.flush());
            else if (meanwhile == "shrink")
                QVERIFY(file.resize(kLoadPieceBytes + 1));
            else if (meanwhile == "close" && main)
                main->close();
        };
        const bool whole = meanwhile.isEmpty();
        QCOMPARE(LoadDocument(t.editor, file.fileName().toStdString()), whole);
        if (shown != QStringList{"-"})
            QCOMPARE(seen, shown);
        QVERIFY(Text(t.editor) == (whole ? bytes.toStdString() : std::string()));
        QCOMPARE(IsUtf8Document(t.editor), utf8);
        QCOMPARE(t.editor.CurrentFilePath(), whole ? file.fileName().toStdString() : std::string());
        const bool cut = meanwhile == "grow" || meanwhile == "shrink";
        const MessageBoxRequest box{
            "Could not open the file - It could not be read to its end, and the document is now empty", MsgButtons::OK,
            MsgIcon::None, "Can't open"};
        QCOMPARE(t.dialogs.boxes, cut ? std::vector{box} : std::vector<MessageBoxRequest>());
        QCOMPARE(bool(main), meanwhile != "close");
    }
};

QTEST_MAIN(TestHugePrograms)
#include "test_hugeprograms.moc"

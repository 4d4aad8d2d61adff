// Programs far beyond any control's memory, through the real component and real files: a 200 MB
// one with a 5 MB line and one of 5,000,000 lines load whole, are styled where they are shown,
// from the first screen to the last and back, and save byte for byte.
#include <QtTest>

#include "TestApp.h"
#include "editor/Documents.h"

using namespace sci;

constexpr std::uint32_t SCI_LINESONSCREEN = 2370;

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
};

QTEST_MAIN(TestHugePrograms)
#include "test_hugeprograms.moc"

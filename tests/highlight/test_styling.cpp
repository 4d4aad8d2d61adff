// Styling through the real component: what a styled line holds, the whole-document pass with
// its progress bar, jump, restart and stop, and the style set applied to the component.
#include <QtTest>

#include <QFile>
#include <QTemporaryDir>

#include "TestApp.h"
#include "TestSciMessages.h"
#include "editor/Documents.h"
#include "highlight/LoadStyleSet.h"

using namespace sci;

namespace {

struct Run {
    int position;
    int length;
    int style;
};

// The style of every byte of the document as a string of numbers, for readable failures.
QString StylesOf(const EditorSession& editor, int from, int length)
{
    QStringList styles;
    for (int p = from; p < from + length; ++p)
        styles << QString::number(editor.SendEditor(SCI_GETSTYLEAT, p, 0) & 0xFF);
    return styles.join(' ');
}

QString Expected(int length, const std::vector<Run>& runs)
{
    std::vector<int> styles(std::size_t(length), 0);
    for (const Run& run : runs)
        for (int p = run.position; p < run.position + run.length; ++p)
            styles[std::size_t(p)] = run.style;
    QStringList out;
    for (int s : styles)
        out << QString::number(s);
    return out.join(' ');
}

// A program of n lines, each "Nk X1 M3\r\n".
QByteArray Program(int lines)
{
    QByteArray text;
    for (int n = 0; n < lines; ++n)
        text += "N" + QByteArray::number(n) + " X1 M3\r\n";
    return text;
}

int StyleAtLine(const EditorSession& editor, int line)
{
    return editor.SendEditor(SCI_GETSTYLEAT, editor.SendEditor(SCI_POSITIONFROMLINE, line, 0), 0) & 0xFF;
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<Run>)

class TestStyling : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    QTemporaryDir dir;
    MDIForm1* main = nullptr;
    QStringList statusTexts;

    int LongestBar() const
    {
        int longest = 0;
        for (const QString& text : statusTexts)
            longest = std::max(longest, int(text.size()));
        return longest;
    }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
        statusTexts.clear();
        connect(main, &MDIForm1::StatusTextChanged, this, [this](const QString& text) { statusTexts << text; });
        QVERIFY(t->styling.StylingEnabled);  // the built-in set, no style set file in the build folder
    }
    void cleanup() { t.reset(); }

    void lineHoldsItsWords_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("entry");  // entry given a mode other than 1, 0 for none
        QTest::addColumn<int>("mode");
        QTest::addColumn<std::vector<Run>>("runs");
        using R = std::vector<Run>;
        QTest::newRow("words and numbers")
            << QByteArray("N10 G01 X-10.5 Y.5\r\n") << 0 << 1 << R{{0, 3, 14}, {4, 3, 7}, {8, 6, 24}, {15, 3, 25}};
        QTest::newRow("closed comment") << QByteArray("O1234(COMMENT TEXT)") << 0 << 1 << R{{0, 5, 15}, {5, 14, 27}};
        QTest::newRow("open comment takes the line end") << QByteArray("(NO CLOSE\r\n") << 0 << 1 << R{{0, 11, 27}};
        QTest::newRow("closer ends a letter word") << QByteArray("G01)") << 0 << 1 << R{{0, 4, 7}};
        QTest::newRow("letters in a row")
            << QByteArray("GOTO1") << 0 << 1 << R{{0, 1, 7}, {1, 1, 15}, {2, 1, 20}, {3, 2, 15}};
        QTest::newRow("lower case") << QByteArray("x10 y20") << 0 << 1 << R{};
        QTest::newRow("exponent is a word") << QByteArray("X1E5") << 0 << 1 << R{{0, 2, 24}, {2, 2, 5}};
        QTest::newRow("comment entry off") << QByteArray("(X10)") << 27 << 0 << R{{1, 4, 24}};
        QTest::newRow("mode 2") << QByteArray("X10") << 24 << 2 << R{{0, 1, 57}, {1, 2, 32}};
        QTest::newRow("mode 3") << QByteArray("X10") << 24 << 3 << R{{0, 1, 57}, {1, 2, 24}};
        QTest::newRow("mode 4") << QByteArray("X10") << 24 << 4 << R{{0, 3, 57}};
        QTest::newRow("mode 7") << QByteArray("X10") << 24 << 7 << R{{0, 3, 32}};
        QTest::newRow("mode 0") << QByteArray("X10") << 24 << 0 << R{};
        QTest::newRow("bare letter") << QByteArray("X") << 24 << 3 << R{{0, 1, 57}};
        QTest::newRow("8-bit bytes end a letter word") << QByteArray("X1\xB0Y2") << 0 << 1 << R{{0, 2, 24}, {3, 2, 25}};
    }
    void lineHoldsItsWords()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, entry);
        QFETCH(int, mode);
        QFETCH(std::vector<Run>, runs);
        t->styling.StyleModes.fill(1);
        if (entry > 0)
            t->styling.StyleModes[std::size_t(entry - 1)] = mode;
        // Earlier styles must not survive: paint everything in some other style first.
        SetText(t->editor, QByteArray(line + "\r\nX1").toStdString());
        t->editor.SendEditor(SCI_STARTSTYLING, 0, 63);
        t->editor.SendEditor(SCI_SETSTYLING, line.size() + 4, 40);
        QVERIFY(t->styling.StyleLine(0));
        QCOMPARE(StylesOf(t->editor, 0, int(line.size())), Expected(int(line.size()), runs));
        QCOMPARE(StylesOf(t->editor, int(line.size()) + 2, 2), QStringLiteral("40 40"));  // the next line untouched
    }

    void missingLineAndStylingOff()
    {
        SetText(t->editor, QByteArray("N1\r\nN2").toStdString());
        QVERIFY(!t->styling.StyleLine(2));
        QVERIFY(!t->styling.StyleLine(-1));
        t->styling.StylingEnabled = false;
        QVERIFY(!t->styling.StyleLine(0));
        QCOMPARE(StylesOf(t->editor, 0, 2), QStringLiteral("0 0"));
    }

    void longLineStyledInFull()
    {
        t->styling.StyleModes.fill(1);
        QByteArray line(3 << 20, ' ');
        line.replace(line.size() - 3, 3, "M30");
        SetText(t->editor, QByteArray(line).toStdString());
        QVERIFY(t->styling.StyleLine(0));
        QCOMPARE(StylesOf(t->editor, int(line.size()) - 4, 4), QStringLiteral("0 13 13 13"));
    }

    void paintStylesTheVisibleLinesOnly()
    {
        SetText(t->editor, QByteArray(Program(5000)).toStdString());
        QTest::qWait(50);
        QCoreApplication::processEvents();
        main->grab();
        QCOMPARE(StyleAtLine(t->editor, 0), 14);
        QCOMPARE(StyleAtLine(t->editor, 3), 14);
        QCOMPARE(StyleAtLine(t->editor, 4000), 0);
        QVERIFY(t->editor.SendEditor(SCI_GETENDSTYLED, 0, 0) < t->editor.SendEditor(SCI_POSITIONFROMLINE, 100, 0));
    }

    void passBar_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("longestBar");
        QTest::newRow("n = 51, step 1") << 52 << 51;
        QTest::newRow("n = 149, step 1") << 150 << 149;
        QTest::newRow("n = 250, step 2") << 251 << 125;
        QTest::newRow("n = 350, step 4") << 351 << 88;
    }
    void passBar()
    {
        QFETCH(int, lines);
        QFETCH(int, longestBar);
        main->hide();
        SetText(t->editor, QByteArray(Program(lines).chopped(2)).toStdString());
        t->styling.RestyleDocument();
        QCOMPARE(LongestBar(), longestBar);
        QCOMPARE(statusTexts.last(), QString());
        QVERIFY(!t->styling.RestyleBusy);
        QCOMPARE(StyleAtLine(t->editor, lines - 1), 14);
    }

    void oneLineDocumentStylesNothing()
    {
        main->hide();
        SetText(t->editor, QByteArray("N10 M30").toStdString());
        t->styling.RestyleDocument();
        QCOMPARE(statusTexts, QStringList{QString()});
        QCOMPARE(StyleAtLine(t->editor, 0), 0);
        QVERIFY(!t->styling.RestyleBusy);
    }

    void passJumpsToFirstVisibleLine()
    {
        SetText(t->editor, QByteArray(Program(3001)).toStdString());
        QTimer::singleShot(0, [this] { t->editor.SendEditor(SCI_SETFIRSTVISIBLELINE, 2000, 0); });
        t->styling.RestyleDocument();
        QCOMPARE(t->editor.SendEditor(SCI_GETFIRSTVISIBLELINE, 0, 0), 2000);
        // Step 30: the bar goes from line 0 straight to line 2000's 67 characters.
        QStringList bars = statusTexts;
        bars.removeAll(QString());
        QVERIFY(!bars.isEmpty());
        QCOMPARE(bars.first().size(), 67);
        QCOMPARE(bars.last().size(), 100);
        QCOMPARE(StyleAtLine(t->editor, 2999), 14);
    }

    void passRestartsOnAnotherFile()
    {
        main->hide();
        QFile second(dir.filePath(QStringLiteral("second.nc")));
        QVERIFY(second.open(QIODevice::WriteOnly) && second.write(Program(300)) > 0);
        second.close();
        SetText(t->editor, QByteArray(Program(20000)).toStdString());
        bool loaded = false;
        QTimer::singleShot(0, [&] {
            t->styling.RestyleDocument();  // a nested pass does nothing
            loaded = LoadDocument(t->editor, second.fileName().toStdString());
        });
        t->styling.RestyleDocument();
        QVERIFY(loaded);
        QCOMPARE(t->editor.SendEditor(SCI_GETLINECOUNT, 0, 0), 301);
        for (int line : {0, 150, 299})
            QCOMPARE(StyleAtLine(t->editor, line), 14);
        // The bar started again from the top of the new text.
        QCOMPARE(LongestBar(), 100);
        QVERIFY(!t->styling.RestyleBusy);
    }

    void passStopsWhenClosing()
    {
        main->hide();
        SetText(t->editor, QByteArray(Program(20000)).toStdString());
        QTimer::singleShot(0, [this] { t->app.AppClosing = true; });
        t->styling.RestyleDocument();
        QVERIFY(t->styling.RestyleBusy);
        QCOMPARE(StyleAtLine(t->editor, 19999), 0);
        QVERIFY(statusTexts.isEmpty() || !statusTexts.last().isEmpty());
    }

    void styleSets()
    {
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 27, 0), 0x00C000);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 13, 0), 0xFF8080);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 14, 0), 0xC0C0C0);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 24, 0), 0);
        QCOMPARE(t->styling.StyleModes[26], 1);
        QCOMPARE(t->styling.StyleModes[12], 1);
        QCOMPARE(t->styling.StyleModes[23], 0);
        // A style set file replaces the built-in one.
        QTemporaryDir folder;
        t->app.ProgramFolder = folder.path().toStdString();
        QFile file(folder.filePath(QStringLiteral("StyleSet.sty")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("STYLE=ON\r\nM4#255\r\nSTYLE=OFF\r\nN1#0\r\n");
        file.close();
        t->editor.SendEditor(SCI_STYLECLEARALL, 0, 0);
        QVERIFY(LoadStyleSet(t->styling));
        QVERIFY(!t->styling.StylingEnabled);
        QCOMPARE(t->styling.StyleModes[12], 4);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 13, 0), 0xFF);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 46, 0), 0xFF);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETBOLD, 46, 0), 1);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETBOLD, 13, 0), 0);
        QCOMPARE(t->styling.StyleModes[13], 1);  // N keeps its mode: the line after the off line is not read
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETFORE, 14, 0), 0);  // base look after the clear
    }
};

QTEST_MAIN(TestStyling)
#include "test_styling.moc"

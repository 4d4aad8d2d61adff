// The editor's message set answered by the real component module, message by message.
#include "KelpoFixture.h"

#include <QTest>

using namespace std::string_literals;

namespace {

const QByteArray Lines = "N10\r\nN20\rN30";  // lines of 5, 4 and 3 bytes: CR LF, lone CR, no end

}  // namespace

class KelpoMessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(kelpo().complete(), "Kelpo.so or an entry point is missing"); }

    void queries_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("wParam");
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, const QByteArray& bytes, std::uint32_t msg, qint64 wParam, int result) {
            QTest::newRow(name) << bytes << int(msg) << wParam << result;
        };
        row("GETLENGTH with NUL", QByteArray("A\0B", 3), sci::SCI_GETLENGTH, 0, 3);
        row("GETLINECOUNT empty", "", sci::SCI_GETLINECOUNT, 0, 1);
        row("GETLINECOUNT CR LF ended", "G1\r\nG2\r\n", sci::SCI_GETLINECOUNT, 0, 3);
        row("GETLINECOUNT lone CR and LF", "A\rB\nC", sci::SCI_GETLINECOUNT, 0, 3);
        row("LINEFROMPOSITION on the LF", Lines, sci::SCI_LINEFROMPOSITION, 4, 0);
        row("LINEFROMPOSITION after a lone CR", Lines, sci::SCI_LINEFROMPOSITION, 9, 2);
        row("LINEFROMPOSITION beyond the end", Lines, sci::SCI_LINEFROMPOSITION, 400, 2);
        row("LINEFROMPOSITION negative", Lines, sci::SCI_LINEFROMPOSITION, -3, 0);
        row("LINELENGTH CR LF line", Lines, sci::SCI_LINELENGTH, 0, 5);
        row("LINELENGTH lone CR line", Lines, sci::SCI_LINELENGTH, 1, 4);
        row("LINELENGTH last line", Lines, sci::SCI_LINELENGTH, 2, 3);
        row("LINELENGTH no such line", Lines, sci::SCI_LINELENGTH, 3, 0);
        row("EM_LINEINDEX first", Lines, sci::EM_LINEINDEX, 0, 0);
        row("EM_LINEINDEX middle", Lines, sci::EM_LINEINDEX, 1, 5);
        row("EM_LINEINDEX last", Lines, sci::EM_LINEINDEX, 2, 9);
        row("EM_LINEINDEX line count", Lines, sci::EM_LINEINDEX, 3, -1);
        row("EM_LINEINDEX beyond", Lines, sci::EM_LINEINDEX, 1000, -1);
        row("EM_LINEINDEX negative", Lines, sci::EM_LINEINDEX, -1, -1);
        row("EM_LINEINDEX empty last line", "N10\r\n", sci::EM_LINEINDEX, 1, 5);
        row("EM_LINEINDEX empty document", "", sci::EM_LINEINDEX, 0, 0);
    }

    void queries()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, msg);
        QFETCH(qint64, wParam);
        QFETCH(int, result);
        Component c;
        c.load(bytes.toStdString());
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), static_cast<std::intptr_t>(wParam)), result);
    }

    void caretAndSelection_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<int>("wParam");
        QTest::addColumn<int>("lParam");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<int>("caret");
        const auto row = [](const char* name, std::uint32_t msg, int wParam, int lParam, int start, int end,
                            int caret) {
            QTest::newRow(name) << int(msg) << wParam << lParam << start << end << caret;
        };
        row("SETSEL forward", sci::SCI_SETSEL, 2, 9, 2, 9, 9);
        row("SETSEL backward", sci::SCI_SETSEL, 9, 2, 2, 9, 2);
        row("SETSEL caret beyond the end", sci::SCI_SETSEL, 3, 100000, 3, 12, 12);
        row("SETSELECTIONSTART then END", sci::SCI_SETSELECTIONSTART, 2, 9, 2, 9, 9);
        row("GOTOLINE after a lone CR", sci::SCI_GOTOLINE, 2, 0, 9, 9, 9);
        row("GOTOLINE beyond goes to the end", sci::SCI_GOTOLINE, 99, 0, 12, 12, 12);
        row("GOTOLINE negative goes to the first", sci::SCI_GOTOLINE, -1, 0, 0, 0, 0);
        row("GOTOPOS beyond clamps", sci::SCI_GOTOPOS, 500, 0, 12, 12, 12);
    }

    void caretAndSelection()
    {
        QFETCH(int, msg);
        QFETCH(int, wParam);
        QFETCH(int, lParam);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(int, caret);
        for (const bool redraw : {true, false}) {
            Component c;
            c.load(Lines.toStdString());
            c.send(sci::SCI_SETSEL, 1, 11);
            c.send(sci::WM_SETREDRAW, redraw);  // off, the same without scrolling
            c.send(static_cast<std::uint32_t>(msg), wParam, lParam);
            if (msg == sci::SCI_SETSELECTIONSTART)
                c.send(sci::SCI_SETSELECTIONEND, lParam);
            QCOMPARE(c.send(sci::SCI_GETSELECTIONSTART), start);
            QCOMPARE(c.send(sci::SCI_GETSELECTIONEND), end);
            QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), caret);
        }
    }

    void styleAttributes()
    {
        Component c;
        c.send(sci::SCI_STYLESETFORE, 7, 0x00FF00);
        c.send(sci::SCI_STYLESETFORE, sci::STYLE_DEFAULT, 0x112233);
        c.send(sci::SCI_STYLESETBACK, sci::STYLE_DEFAULT, 0xFFFFFF);
        c.send(sci::SCI_STYLESETBOLD, sci::STYLE_DEFAULT, 1);
        c.send(sci::SCI_STYLESETSIZE, sci::STYLE_DEFAULT, 12);
        c.send(sci::SCI_STYLECLEARALL);  // every style a copy of the default
        c.send(sci::SCI_STYLESETFORE, 60, 0x123456);
        c.send(sci::SCI_STYLESETBACK, 60, 0xABCDEF);
        c.send(sci::SCI_STYLESETBOLD, 60, 0);
        c.send(sci::SCI_STYLESETSIZE, 60, 14);
        for (int style : {0, 7, 27, 34, 60, sci::STYLE_DEFAULT}) {
            const bool own = style == 60;
            QCOMPARE(c.send(sci::SCI_STYLEGETFORE, style), own ? 0x123456 : 0x112233);
            QCOMPARE(c.send(sci::SCI_STYLEGETBACK, style), own ? 0xABCDEF : 0xFFFFFF);
            QCOMPARE(c.send(sci::SCI_STYLEGETBOLD, style), own ? 0 : 1);
            QCOMPARE(c.send(sci::SCI_STYLEGETSIZE, style), own ? 14 : 12);
        }
    }

    void containerStylingWithSixtyFourStyles()
    {
        Component c;
        c.load("G1 X1");
        c.send(sci::SCI_SETLEXER, sci::SCLEX_CONTAINER);
        QCOMPARE(c.send(sci::SCI_GETLEXER), sci::SCLEX_CONTAINER);
        QCOMPARE(c.send(sci::SCI_SETSTYLEBITS, 6), 0);
        c.send(sci::SCI_STARTSTYLING, 0, 63);
        c.send(sci::SCI_SETSTYLING, 2, 63);
        c.send(sci::SCI_SETSTYLING, 3, 34);
        QCOMPARE(c.styleAt(0), 63);
        QCOMPARE(c.styleAt(1), 63);
        QCOMPARE(c.styleAt(4), 34);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), 5);
    }

    void textIntoBuffers()
    {
        Component c;
        c.load("old text");
        c.sendPointer(sci::SCI_SETTEXT, 0, "N10\r\nN20 G1\r\nN30");
        QCOMPARE(c.send(sci::SCI_GETLENGTH), 16);
        // GETTEXT ends with a NUL within the size given; GETLINE writes the line end but no NUL.
        std::string buffer(20, 'X');
        QCOMPARE(c.sendPointer(sci::SCI_GETTEXT, 17, buffer.data()), 16);
        QCOMPARE(buffer, "N10\r\nN20 G1\r\nN30\0XXX"s);
        buffer.assign(20, 'X');
        QCOMPARE(c.sendPointer(sci::SCI_GETLINE, 1, buffer.data()), 8);
        QCOMPARE(buffer.substr(0, 9), "N20 G1\r\nX"s);
        QCOMPARE(c.sendPointer(sci::SCI_GETLINE, 1, nullptr), 8);
    }

    void searchInTarget_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QByteArray>("needle");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("matchEnd");
        const int length = 22;
        QTest::newRow("first") << 0 << 0 << length << QByteArray("G1") << 4 << 6;
        QTest::newRow("after the first") << 0 << 5 << length << QByteArray("G1") << 15 << 17;
        QTest::newRow("backwards") << 0 << length << 0 << QByteArray("G1") << 15 << 17;
        QTest::newRow("absent") << 0 << 0 << length << QByteArray("G7") << -1 << -1;
        QTest::newRow("outside the target") << 0 << 0 << 10 << QByteArray("N20") << -1 << -1;
        QTest::newRow("regular expression") << 0x200000 << 0 << length << QByteArray("X[0-9]") << 7 << 9;
    }

    void searchInTarget()
    {
        QFETCH(int, flags);
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QByteArray, needle);
        QFETCH(int, match);
        QFETCH(int, matchEnd);
        Component c;
        c.load("N10 G1 X5\r\nN20 G1 X6\r\n");
        c.send(sci::SCI_SETSEARCHFLAGS, flags);
        c.send(sci::SCI_SETTARGETSTART, start);
        c.send(sci::SCI_SETTARGETEND, end);
        QCOMPARE(c.send(sci::SCI_GETTARGETSTART), start);
        QCOMPARE(c.send(sci::SCI_GETTARGETEND), end);
        QCOMPARE(c.sendPointer(sci::SCI_SEARCHINTARGET, needle.size(), needle.constData()), match);
        if (match >= 0) {
            QCOMPARE(c.send(sci::SCI_GETTARGETSTART), match);
            QCOMPARE(c.send(sci::SCI_GETTARGETEND), matchEnd);
        }
    }

    void replaceSel_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("selection replaced") << 4 << 6 << QByteArray("G0") << QByteArray("N10 G0 X5");
        QTest::newRow("inserted at the caret") << 3 << 3 << QByteArray(" M3") << QByteArray("N10 M3 G1 X5");
        QTest::newRow("empty replacement deletes") << 3 << 6 << QByteArray("") << QByteArray("N10 X5");
    }

    void replaceSel()
    {
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(QByteArray, replacement);
        QFETCH(QByteArray, result);
        for (const bool redraw : {true, false}) {
            Component c;
            c.load("N10 G1 X5");
            c.send(sci::SCI_SETTARGETSTART, 7);
            c.send(sci::SCI_SETTARGETEND, 9);
            c.send(sci::SCI_SETSEL, anchor, caret);
            c.send(sci::WM_SETREDRAW, redraw);
            c.sendPointer(sci::SCI_REPLACESEL, 0, replacement.constData());
            QCOMPARE(QByteArray::fromStdString(c.text()), result);
            QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), std::min(anchor, caret) + replacement.size());
            QCOMPARE(c.send(sci::SCI_GETANCHOR), c.send(sci::SCI_GETCURRENTPOS));
            QCOMPARE(c.send(sci::SCI_GETTARGETSTART), 7);
            QCOMPARE(c.send(sci::SCI_GETTARGETEND), 9);
            c.send(sci::SCI_UNDO);  // the deletion and the insertion are one step
            QCOMPARE(c.text(), std::string("N10 G1 X5"));
        }
    }

    void firstVisibleLineFollowsTheCaret()
    {
        Component c;
        c.load(cncLines(2000));
        c.parent()->show();
        QVERIFY(QTest::qWaitForWindowExposed(c.parent()));
        QCOMPARE(c.send(sci::SCI_GETFIRSTVISIBLELINE), 0);
        c.send(sci::SCI_GOTOLINE, 1500);
        const std::intptr_t first = c.send(sci::SCI_GETFIRSTVISIBLELINE);
        QVERIFY(first > 1400 && first <= 1500);
    }

    // With redraw off the view neither repaints nor moves; back on it repaints, and the caret is
    // shown where it went.
    void redrawOffHoldsTheView()
    {
        Component c;
        c.load(cncLines(2000));
        c.parent()->show();
        QVERIFY(QTest::qWaitForWindowExposed(c.parent()));
        c.send(sci::WM_SETREDRAW, 0);
        QVERIFY(!c.widget()->updatesEnabled());
        c.send(sci::SCI_GOTOLINE, 1200);
        c.send(sci::SCI_SETSEL, c.send(sci::SCI_POSITIONFROMLINE, 1500), c.send(sci::SCI_POSITIONFROMLINE, 1500) + 3);
        c.sendPointer(sci::SCI_REPLACESEL, 0, "N7");
        c.send(sci::SCI_GOTOPOS, c.send(sci::SCI_POSITIONFROMLINE, 1900));
        c.send(sci::SCI_GOTOLINE, 1700);
        QCOMPARE(c.send(sci::SCI_GETFIRSTVISIBLELINE), 0);
        c.send(sci::WM_SETREDRAW, 1);
        QVERIFY(c.widget()->updatesEnabled());
        QCOMPARE(c.send(sci::SCI_GETFIRSTVISIBLELINE), 0);
        c.send(sci::SCI_SCROLLCARET);
        const std::intptr_t first = c.send(sci::SCI_GETFIRSTVISIBLELINE);
        QVERIFY(first > 1600 && first <= 1700);
    }
};

QTEST_MAIN(KelpoMessagesTest)
#include "test_kelpo_messages.moc"

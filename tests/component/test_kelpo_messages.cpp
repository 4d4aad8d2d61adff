// The editor's message set answered by the real component module, message by message.
#include "KelpoFixture.h"

#include <QTest>

#include <vector>

using namespace std::string_literals;

class KelpoMessagesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(kelpo().complete(), "Kelpo.so or an entry point is missing"); }

    void lengthAndLineCount_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("lines");
        QTest::newRow("empty") << QByteArray() << 0 << 1;
        QTest::newRow("one line without end") << QByteArray("G1 X1") << 5 << 1;
        QTest::newRow("CR LF ended") << QByteArray("G1\r\nG2\r\n") << 8 << 3;
        QTest::newRow("lone CR and LF") << QByteArray("A\rB\nC") << 5 << 3;
        QTest::newRow("NUL inside") << QByteArray("A\0B", 3) << 3 << 1;
    }

    void lengthAndLineCount()
    {
        QFETCH(QByteArray, bytes);
        Component c;
        c.load(bytes.toStdString());
        QFETCH(int, length);
        QFETCH(int, lines);
        QCOMPARE(c.send(sci::SCI_GETLENGTH), length);
        QCOMPARE(c.send(sci::SCI_GETLINECOUNT), lines);
    }

    void selection_data()
    {
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::newRow("forward") << 10 << 20 << 10 << 20;
        QTest::newRow("backward") << 30 << 5 << 5 << 30;
        QTest::newRow("empty") << 7 << 7 << 7 << 7;
        QTest::newRow("caret beyond the end") << 3 << 100000 << 3 << int(cncLines(5).size());
    }

    void selection()
    {
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(int, start);
        QFETCH(int, end);
        Component c;
        c.load(cncLines(5));
        c.send(sci::SCI_SETSEL, anchor, caret);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONSTART), start);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONEND), end);
        QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), anchor <= caret ? end : start);
    }

    void selectionStartAndEnd()
    {
        Component c;
        c.load(cncLines(5));
        c.send(sci::SCI_SETSELECTIONSTART, 12);
        c.send(sci::SCI_SETSELECTIONEND, 40);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONSTART), 12);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONEND), 40);
        QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), 40);
    }

    void gotoLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("position");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("second") << 1 << 5;
        QTest::newRow("last") << 2 << 10;
        QTest::newRow("beyond goes to the end") << 99 << 13;
        QTest::newRow("negative clamps to the first") << -1 << 0;
    }

    void gotoLine()
    {
        QFETCH(int, line);
        QFETCH(int, position);
        Component c;
        c.load("N10\r\nN20\r\nN30");
        c.send(sci::SCI_SETSEL, 1, 12);
        c.send(sci::SCI_GOTOLINE, line);
        QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), position);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONSTART), position);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONEND), position);
    }

    void gotoPos_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("position");
        QTest::newRow("inside") << 7 << 7;
        QTest::newRow("end") << 13 << 13;
        QTest::newRow("beyond clamps") << 500 << 13;
    }

    void gotoPos()
    {
        QFETCH(int, requested);
        QFETCH(int, position);
        Component c;
        c.load("N10\r\nN20\r\nN30");
        c.send(sci::SCI_GOTOPOS, requested);
        QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), position);
        QCOMPARE(c.send(sci::SCI_GETSELECTIONSTART), position);
    }

    void styleAttributes_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("fore");
        QTest::addColumn<int>("back");
        QTest::addColumn<int>("bold");
        QTest::addColumn<int>("size");
        QTest::newRow("default style") << sci::STYLE_DEFAULT << 0x000000 << 0xFFFFFF << 0 << 10;
        QTest::newRow("letter style") << 5 << 0x0000FF << 0xFFFFFF << 1 << 10;
        QTest::newRow("upper letter style") << 60 << 0x123456 << 0xABCDEF << 1 << 14;
    }

    void styleAttributes()
    {
        QFETCH(int, style);
        QFETCH(int, fore);
        QFETCH(int, back);
        QFETCH(int, bold);
        QFETCH(int, size);
        Component c;
        c.send(sci::SCI_STYLESETFORE, style, fore);
        c.send(sci::SCI_STYLESETBACK, style, back);
        c.send(sci::SCI_STYLESETBOLD, style, bold);
        c.send(sci::SCI_STYLESETSIZE, style, size);
        QCOMPARE(c.send(sci::SCI_STYLEGETFORE, style), fore);
        QCOMPARE(c.send(sci::SCI_STYLEGETBACK, style), back);
        QCOMPARE(c.send(sci::SCI_STYLEGETBOLD, style), bold);
        QCOMPARE(c.send(sci::SCI_STYLEGETSIZE, style), size);
    }

    void styleClearAllCopiesTheDefault()
    {
        Component c;
        c.send(sci::SCI_STYLESETFORE, 7, 0x00FF00);
        c.send(sci::SCI_STYLESETFORE, sci::STYLE_DEFAULT, 0x112233);
        c.send(sci::SCI_STYLESETBACK, sci::STYLE_DEFAULT, 0xFFFFFF);
        c.send(sci::SCI_STYLESETBOLD, sci::STYLE_DEFAULT, 1);
        c.send(sci::SCI_STYLESETSIZE, sci::STYLE_DEFAULT, 12);
        c.send(sci::SCI_STYLECLEARALL);
        for (int style : {0, 7, 27, 34, 60}) {
            QCOMPARE(c.send(sci::SCI_STYLEGETFORE, style), 0x112233);
            QCOMPARE(c.send(sci::SCI_STYLEGETBACK, style), 0xFFFFFF);
            QCOMPARE(c.send(sci::SCI_STYLEGETBOLD, style), 1);
            QCOMPARE(c.send(sci::SCI_STYLEGETSIZE, style), 12);
        }
    }

    void containerLexer()
    {
        Component c;
        c.send(sci::SCI_SETLEXER, 1);
        QCOMPARE(c.send(sci::SCI_GETLEXER), 1);
        c.send(sci::SCI_SETLEXER, sci::SCLEX_CONTAINER);
        QCOMPARE(c.send(sci::SCI_GETLEXER), sci::SCLEX_CONTAINER);
    }

    void styleBitsAcceptedAndSixtyFourStylesUsable()
    {
        Component c;
        c.load("G1 X1");
        QCOMPARE(c.send(sci::SCI_SETSTYLEBITS, 6), 0);
        c.send(sci::SCI_STARTSTYLING, 0, 63);
        c.send(sci::SCI_SETSTYLING, 2, 63);
        c.send(sci::SCI_SETSTYLING, 3, 34);
        QCOMPARE(c.styleAt(0), 63);
        QCOMPARE(c.styleAt(1), 63);
        QCOMPARE(c.styleAt(4), 34);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), 5);
    }

    void lineFromPosition_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("line");
        QTest::newRow("start") << 0 << 0;
        QTest::newRow("on the LF") << 4 << 0;
        QTest::newRow("second line start") << 5 << 1;
        QTest::newRow("document end") << 13 << 2;
        QTest::newRow("beyond the end") << 400 << 2;
        QTest::newRow("negative") << -3 << 0;
    }

    void lineFromPosition()
    {
        QFETCH(int, position);
        QFETCH(int, line);
        Component c;
        c.load("N10\r\nN20\r\nN30");
        QCOMPARE(c.send(sci::SCI_LINEFROMPOSITION, position), line);
    }

    void lineLengthIncludesLineEnd_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("length");
        QTest::newRow("CR LF line") << 0 << 5;
        QTest::newRow("lone CR line") << 1 << 4;
        QTest::newRow("last line, no end") << 2 << 3;
        QTest::newRow("no such line") << 3 << 0;
    }

    void lineLengthIncludesLineEnd()
    {
        QFETCH(int, line);
        QFETCH(int, length);
        Component c;
        c.load("N10\r\nN20\rN30");
        QCOMPARE(c.send(sci::SCI_LINELENGTH, line), length);
    }

    void getLineWritesLineEndButNoNul()
    {
        Component c;
        c.load("N10\r\nN20 G1\r\nN30");
        std::string buffer(32, 'X');
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
        Component c;
        c.load("N10 G1 X5");
        c.send(sci::SCI_SETSEL, anchor, caret);
        c.sendPointer(sci::SCI_REPLACESEL, 0, replacement.constData());
        QCOMPARE(QByteArray::fromStdString(c.text()), result);
        QCOMPARE(c.send(sci::SCI_GETCURRENTPOS), std::min(anchor, caret) + replacement.size());
    }

    void setTextAndGetText()
    {
        Component c;
        c.load("old text");
        c.sendPointer(sci::SCI_SETTEXT, 0, "N10 G0");
        QCOMPARE(c.send(sci::SCI_GETLENGTH), 6);
        std::string buffer(10, 'X');
        QCOMPARE(c.sendPointer(sci::SCI_GETTEXT, 7, buffer.data()), 6);
        QCOMPARE(buffer, std::string("N10 G0\0XXX", 10));
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
};

QTEST_MAIN(KelpoMessagesTest)
#include "test_kelpo_messages.moc"

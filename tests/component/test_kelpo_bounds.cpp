// Byte fidelity, EM_LINEINDEX and arguments outside the document, which must never abort.
#include "KelpoFixture.h"

#include <QTest>

#include <array>
#include <climits>

using namespace std::string_literals;

namespace {

// Scintilla's Sci_TextRange record.
struct TextRange {
    long cpMin;
    long cpMax;
    char* text;
};

const std::string Program = "N10 G0\r\nN20 G1 X5\r\nN30 M30";  // 3 lines, 26 bytes
constexpr int ProgramLength = 26;

}  // namespace

class KelpoBoundsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(kelpo().complete(), "Kelpo.so or an entry point is missing"); }

    void lineIndex_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<qint64>("line");
        QTest::addColumn<int>("start");
        const QByteArray program = QByteArray::fromStdString(Program);
        QTest::newRow("first") << program << qint64(0) << 0;
        QTest::newRow("middle") << program << qint64(1) << 8;
        QTest::newRow("last") << program << qint64(2) << 19;
        QTest::newRow("line count") << program << qint64(3) << -1;
        QTest::newRow("beyond") << program << qint64(1000) << -1;
        QTest::newRow("negative") << program << qint64(-1) << -1;
        QTest::newRow("most negative") << program << qint64(LLONG_MIN) << -1;
        QTest::newRow("empty last line after CR LF") << QByteArray("N10\r\n") << qint64(1) << 5;
        QTest::newRow("empty document") << QByteArray() << qint64(0) << 0;
    }

    void lineIndex()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(qint64, line);
        QFETCH(int, start);
        Component c;
        c.load(bytes.toStdString());
        QCOMPARE(c.send(sci::EM_LINEINDEX, static_cast<std::intptr_t>(line)), start);
    }

    void bytesKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("NUL") << QByteArray("G1\0X5", 5);
        QTest::newRow("lone CR") << QByteArray("G1\rX5");
        QTest::newRow("lone LF") << QByteArray("G1\nX5");
        QTest::newRow("byte 200") << QByteArray("G1 \xC8 X5");
        QTest::newRow("invalid UTF-8 lead at the end") << QByteArray("X\xE2\x82");
    }

    void bytesKept()
    {
        QFETCH(QByteArray, bytes);
        Component c;
        c.load(bytes.toStdString());
        QCOMPARE(c.send(sci::SCI_GETLENGTH), bytes.size());
        QCOMPARE(QByteArray::fromStdString(c.text()), bytes);
    }

    void everyByteValueKept()
    {
        std::string bytes;
        for (int i = 0; i < 256; ++i) {
            bytes += static_cast<char>(i);
        }
        bytes += std::string(bytes.rbegin(), bytes.rend());
        Component c;
        c.load(bytes);
        QCOMPARE(c.send(sci::SCI_GETLENGTH), 512);
        QVERIFY(c.text() == bytes);
        QCOMPARE(c.send(sci::SCI_GETCHARAT, 200) & 0xFF, 200);
    }

    void startStyling_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("styledEnd");
        QTest::newRow("inside") << 8 << 8;
        QTest::newRow("end") << ProgramLength << ProgramLength;
        QTest::newRow("beyond") << ProgramLength + 50 << ProgramLength;
        QTest::newRow("negative") << -3 << 0;
    }

    void startStyling()
    {
        QFETCH(int, position);
        QFETCH(int, styledEnd);
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, position, 63);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), styledEnd);
        c.send(sci::SCI_SETSTYLING, 20, 4);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), std::min(styledEnd + 20, ProgramLength));
        QCOMPARE(c.styleAt(styledEnd), styledEnd < ProgramLength ? 4 : 0);
    }

    void setStylingStylesWhatFits_data()
    {
        QTest::addColumn<bool>("perByte");
        QTest::newRow("SCI_SETSTYLING") << false;
        QTest::newRow("SCI_SETSTYLINGEX") << true;
    }

    void setStylingStylesWhatFits()
    {
        QFETCH(bool, perByte);
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, ProgramLength - 3, 63);
        const std::string styles(100, '\x07');
        if (perByte) {
            c.sendPointer(extra::SCI_SETSTYLINGEX, 100, styles.data());
        } else {
            c.send(sci::SCI_SETSTYLING, 100, 7);
        }
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), ProgramLength);
        QCOMPARE(c.styleAt(ProgramLength - 4), 0);
        for (int position = ProgramLength - 3; position < ProgramLength; ++position) {
            QCOMPARE(c.styleAt(position), 7);
        }
        c.send(sci::SCI_SETSTYLING, 5, 9);  // nothing left to style
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), ProgramLength);
    }

    void negativeStylingLengthStylesNothing()
    {
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, 4, 63);
        c.send(sci::SCI_SETSTYLING, -5, 7);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), 4);
        QCOMPARE(c.styleAt(4), 0);
    }

    void colouriseFromBeforeTheDocument()
    {
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, 0, 63);
        c.send(sci::SCI_SETSTYLING, ProgramLength, 2);
        c.send(extra::SCI_COLOURISE, -5, -1);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), 0);
        c.send(sci::SCI_SETSTYLING, 20, 3);
        QCOMPARE(c.styleAt(0), 3);
    }

    void textRange_data()
    {
        QTest::addColumn<int>("cpMin");
        QTest::addColumn<int>("cpMax");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray program = QByteArray::fromStdString(Program);
        QTest::newRow("inside") << 4 << 6 << QByteArray("G0");
        QTest::newRow("to the end by -1") << 19 << -1 << program.mid(19);
        QTest::newRow("end beyond") << 19 << ProgramLength + 40 << program.mid(19);
        QTest::newRow("start negative") << -5 << 3 << QByteArray("N10");
        QTest::newRow("reversed") << 10 << 4 << QByteArray();
        QTest::newRow("start beyond") << ProgramLength + 5 << -1 << QByteArray();
        QTest::newRow("end negative") << 0 << -7 << QByteArray();
    }

    void textRange()
    {
        QFETCH(int, cpMin);
        QFETCH(int, cpMax);
        QFETCH(QByteArray, expected);
        Component c;
        c.load(Program);
        std::array<char, 128> storage;
        storage.fill('X');
        TextRange range{cpMin, cpMax, storage.data() + 16};
        QCOMPARE(c.sendPointer(extra::SCI_GETTEXTRANGE, 0, &range), expected.size());
        QCOMPARE(QByteArray(range.text), expected);
        QCOMPARE(QByteArray(storage.data(), 16), QByteArray(16, 'X'));  // nothing before the buffer
        QCOMPARE(range.cpMin, long(cpMin));  // the caller's record is left as it was
        QCOMPARE(range.cpMax, long(cpMax));
    }

    void styledText_data() { textRange_data(); }
    void styledText()
    {
        QFETCH(int, cpMin);
        QFETCH(int, cpMax);
        QFETCH(QByteArray, expected);
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, 0, 63);
        c.send(sci::SCI_SETSTYLING, ProgramLength, 5);
        std::array<char, 256> storage;
        storage.fill('X');
        TextRange range{cpMin, cpMax, storage.data() + 16};
        QByteArray pairs;
        for (char ch : expected)
            pairs.append(ch).append(char(5));
        QCOMPARE(c.sendPointer(extra::SCI_GETSTYLEDTEXT, 0, &range), pairs.size());
        QCOMPARE(QByteArray(range.text, pairs.size() + 2), pairs + QByteArray(2, '\0'));
        QCOMPARE(QByteArray(storage.data(), 16), QByteArray(16, 'X'));
        QCOMPARE(QByteArray(range.text + pairs.size() + 2, 8), QByteArray(8, 'X'));  // nothing written past it
    }

    void insertText_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("inside") << 3 << QByteArray("N10M3 G0\r\n");
        QTest::newRow("end") << 8 << QByteArray("N10 G0\r\nM3");
        QTest::newRow("beyond goes to the end") << 500 << QByteArray("N10 G0\r\nM3");
        QTest::newRow("negative goes to the start") << -7 << QByteArray("M3N10 G0\r\n");
        QTest::newRow("-1 inserts at the caret") << -1 << QByteArray("NM310 G0\r\n");
    }

    void insertText()
    {
        QFETCH(int, position);
        QFETCH(QByteArray, result);
        Component c;
        c.load("N10 G0\r\n");
        c.send(sci::SCI_GOTOPOS, 1);
        c.sendPointer(extra::SCI_INSERTTEXT, position, "M3");
        QCOMPARE(QByteArray::fromStdString(c.text()), result);
    }

    void deleteRange_data()
    {
        QTest::addColumn<qint64>("position");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("inside") << qint64(3) << qint64(3) << QByteArray("N10\r\n");
        QTest::newRow("past the end") << qint64(6) << qint64(50) << QByteArray("N10 G0");
        QTest::newRow("starting beyond") << qint64(20) << qint64(5) << QByteArray("N10 G0\r\n");
        QTest::newRow("starting before") << qint64(-2) << qint64(3) << QByteArray("10 G0\r\n");
        QTest::newRow("negative length") << qint64(3) << qint64(-2) << QByteArray("N10 G0\r\n");
        QTest::newRow("huge length") << qint64(4) << qint64(LLONG_MAX) << QByteArray("N10 ");
    }

    void deleteRange()
    {
        QFETCH(qint64, position);
        QFETCH(qint64, length);
        QFETCH(QByteArray, result);
        Component c;
        c.load("N10 G0\r\n");
        c.send(extra::SCI_DELETERANGE, static_cast<std::intptr_t>(position),
               static_cast<std::intptr_t>(length));
        QCOMPARE(QByteArray::fromStdString(c.text()), result);
    }

    void replaceTarget_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("inside") << 4 << 6 << QByteArray("N10 M30");
        QTest::newRow("beyond the end") << 40 << 50 << QByteArray("N10 G0M30");
        QTest::newRow("end beyond") << 4 << 50 << QByteArray("N10 M30");
        QTest::newRow("start negative") << -5 << 3 << QByteArray("M30 G0");
    }

    void replaceTarget()
    {
        QFETCH(int, start);
        QFETCH(int, end);
        QFETCH(QByteArray, result);
        Component c;
        c.load("N10 G0");
        c.send(sci::SCI_SETTARGETSTART, start);
        c.send(sci::SCI_SETTARGETEND, end);
        c.sendPointer(extra::SCI_REPLACETARGET, -1, "M30");
        QCOMPARE(QByteArray::fromStdString(c.text()), result);
    }

    void selectionsBeyondTheEndThenTyping_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<int>("wParam");
        QTest::addColumn<int>("lParam");
        QTest::newRow("SETSELECTION caret beyond") << int(extra::SCI_SETSELECTION) << 500 << 3;
        QTest::newRow("ADDSELECTION caret beyond") << int(extra::SCI_ADDSELECTION) << 500 << 3;
        QTest::newRow("SETSELECTIONNCARET beyond") << int(extra::SCI_SETSELECTIONNCARET) << 0 << 500;
        QTest::newRow("SETSELECTIONNEND beyond") << int(extra::SCI_SETSELECTIONNEND) << 0 << 500;
        QTest::newRow("SETSELECTION anchor negative") << int(extra::SCI_SETSELECTION) << 3 << -9;
    }

    void selectionsBeyondTheEndThenTyping()
    {
        QFETCH(int, msg);
        QFETCH(int, wParam);
        QFETCH(int, lParam);
        Component c;
        c.load("N10 G0");
        c.send(static_cast<std::uint32_t>(msg), wParam, lParam);
        QVERIFY(c.send(sci::SCI_GETSELECTIONEND) <= 6);
        QVERIFY(c.send(sci::SCI_GETSELECTIONSTART) >= 0);
        c.sendPointer(sci::SCI_ADDTEXT, 1, "x");
        QVERIFY(c.text().find('x') != std::string::npos);
    }

    void linesThatMustExist_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("line");
        QTest::newRow("WRAPCOUNT line count") << int(extra::SCI_WRAPCOUNT) << qint64(3);
        QTest::newRow("WRAPCOUNT beyond") << int(extra::SCI_WRAPCOUNT) << qint64(500);
        QTest::newRow("SETLINESTATE negative") << int(extra::SCI_SETLINESTATE) << qint64(-1);
        QTest::newRow("GETLINESTATE far beyond") << int(extra::SCI_GETLINESTATE) << qint64(1000000000);
        QTest::newRow("MARGINSETSTYLE negative") << int(extra::SCI_MARGINSETSTYLE) << qint64(-1);
        QTest::newRow("ANNOTATIONSETSTYLE negative") << int(extra::SCI_ANNOTATIONSETSTYLE) << qint64(-1);
        QTest::newRow("TOGGLEFOLDSHOWTEXT beyond") << int(extra::SCI_TOGGLEFOLDSHOWTEXT) << qint64(500);
        QTest::newRow("ADDTABSTOP negative") << int(extra::SCI_ADDTABSTOP) << qint64(-1);
        QTest::newRow("MARGINSETSTYLES far beyond") << int(extra::SCI_MARGINSETSTYLES) << qint64(1LL << 40);
    }

    void linesThatMustExist()
    {
        QFETCH(int, msg);
        QFETCH(qint64, line);
        Component c;
        c.load(Program);
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), static_cast<std::intptr_t>(line), 1), 0);
        QCOMPARE(c.send(extra::SCI_WRAPCOUNT, 2), 1);
        c.send(extra::SCI_SETLINESTATE, 2, 7);
        QCOMPARE(c.send(extra::SCI_GETLINESTATE, 2), 7);
    }

    void styleNumbersOutsideTheTable_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("style");
        QTest::newRow("STYLESETFORE -2") << int(sci::SCI_STYLESETFORE) << qint64(-2);
        QTest::newRow("STYLESETFORE huge") << int(sci::SCI_STYLESETFORE) << qint64(1000000000);
        QTest::newRow("STYLESETSIZE -2") << int(sci::SCI_STYLESETSIZE) << qint64(-2);
        QTest::newRow("STYLEGETFORE -7") << int(sci::SCI_STYLEGETFORE) << qint64(-7);
        QTest::newRow("STYLEGETSIZE huge") << int(sci::SCI_STYLEGETSIZE) << qint64(1LL << 40);
    }

    void styleNumbersOutsideTheTable()
    {
        QFETCH(int, msg);
        QFETCH(qint64, style);
        Component c;
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), static_cast<std::intptr_t>(style), 1), 0);
        c.send(sci::SCI_STYLESETFORE, 255, 0x112233);
        QCOMPARE(c.send(sci::SCI_STYLEGETFORE, 255), 0x112233);
    }

    void getTextWithNegativeSizeWritesNothing()
    {
        Component c;
        c.load(Program);
        std::string buffer(8, 'X');
        QCOMPARE(c.sendPointer(sci::SCI_GETTEXT, -5, buffer.data()), 0);
        QCOMPARE(buffer, "XXXXXXXX"s);
    }

    void getCurLineIntoEmptyBuffer()
    {
        Component c;
        c.load(Program);
        char byte = 'X';
        QCOMPARE(c.sendPointer(extra::SCI_GETCURLINE, 0, &byte), 0);
        QCOMPARE(byte, 'X');
    }

    void selectionThatDoesNotExist_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("selection");
        QTest::newRow("SETMAINSELECTION") << int(extra::SCI_SETMAINSELECTION) << qint64(3);
        QTest::newRow("SETSELECTIONNANCHOR") << int(extra::SCI_SETSELECTIONNANCHOR) << qint64(5);
        QTest::newRow("SETSELECTIONNSTART negative") << int(extra::SCI_SETSELECTIONNSTART) << qint64(-1);
        QTest::newRow("GETSELECTIONNCARETVIRTUALSPACE far")
            << int(extra::SCI_GETSELECTIONNCARETVIRTUALSPACE) << qint64(1LL << 40);
    }

    void selectionThatDoesNotExist()
    {
        QFETCH(int, msg);
        QFETCH(qint64, selection);
        Component c;
        c.load(Program);
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), static_cast<std::intptr_t>(selection), 3), 0);
        QCOMPARE(c.send(extra::SCI_GETMAINSELECTION), 0);
        c.sendPointer(sci::SCI_REPLACESEL, 0, "x");
        c.widget()->grab();
        QCOMPARE(c.send(sci::SCI_GETLENGTH), ProgramLength + 1);
    }

    void targetMessagesWithoutText_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<int>("result");
        QTest::newRow("SEARCHINTARGET finds nothing") << int(sci::SCI_SEARCHINTARGET) << -1;
        QTest::newRow("REPLACETARGET") << int(extra::SCI_REPLACETARGET) << 0;
        QTest::newRow("REPLACETARGETRE") << int(extra::SCI_REPLACETARGETRE) << 0;
    }

    void targetMessagesWithoutText()
    {
        QFETCH(int, msg);
        QFETCH(int, result);
        Component c;
        c.load(Program);
        c.send(sci::SCI_SETTARGETSTART, 0);
        c.send(sci::SCI_SETTARGETEND, ProgramLength);
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), 4, 0), result);
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), -1, 0), result);
        QVERIFY(c.text() == Program);
    }
};

QTEST_MAIN(KelpoBoundsTest)
#include "test_kelpo_bounds.moc"

// Byte fidelity, and arguments outside the document: clamped or refused, never an abort.
#include "KelpoFixture.h"

#include <QTest>

#include <array>
#include <climits>

namespace {

// Scintilla's Sci_TextRange record.
struct TextRange {
    long cpMin;
    long cpMax;
    char* text;
};

const std::string Program = "N10 G0\r\nN20 G1 X5\r\nN30 M30";  // 3 lines, 26 bytes
constexpr int ProgramLength = 26;
// In the lParam column: a pointer to eight bytes that must stay untouched.
constexpr qint64 Buffer = LLONG_MIN;

}  // namespace

class KelpoBoundsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(kelpo().complete(), "Kelpo.so or an entry point is missing"); }

    void bytesKept_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        std::string all;
        for (int i = 0; i < 256; ++i)
            all += static_cast<char>(i);
        all += std::string(all.rbegin(), all.rend());
        QTest::newRow("NUL") << QByteArray("G1\0X5", 5);
        QTest::newRow("lone CR") << QByteArray("G1\rX5");
        QTest::newRow("lone LF") << QByteArray("G1\nX5");
        QTest::newRow("byte 200") << QByteArray("G1 \xC8 X5");
        QTest::newRow("all 256 values, up and down") << QByteArray::fromStdString(all);
    }

    void bytesKept()
    {
        QFETCH(QByteArray, bytes);
        Component c;
        c.load(bytes.toStdString());
        QCOMPARE(c.send(sci::SCI_GETLENGTH), bytes.size());
        QCOMPARE(QByteArray::fromStdString(c.text()), bytes);
        for (int i = 0; i < bytes.size(); ++i)
            QCOMPARE(c.send(sci::SCI_GETCHARAT, i) & 0xFF, static_cast<unsigned char>(bytes[i]));
    }

    void styling_data()
    {
        QTest::addColumn<int>("msg");  // what sets the styling start
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("perByte");
        QTest::addColumn<int>("startedAt");
        QTest::addColumn<int>("styledEnd");
        const int from = sci::SCI_STARTSTYLING;
        QTest::newRow("inside") << from << 8 << 10 << false << 8 << 18;
        QTest::newRow("run past the end") << from << 8 << 100 << false << 8 << ProgramLength;
        QTest::newRow("run past the end, per byte") << from << 23 << 100 << true << 23 << ProgramLength;
        QTest::newRow("start at the end") << from << ProgramLength << 20 << false << ProgramLength << ProgramLength;
        QTest::newRow("start beyond") << from << ProgramLength + 50 << 20 << false << ProgramLength << ProgramLength;
        QTest::newRow("start negative") << from << -3 << 20 << false << 0 << 20;
        QTest::newRow("negative length") << from << 4 << -5 << false << 4 << 4;
        QTest::newRow("colourise from before the document") << int(sci::SCI_COLOURISE) << -5 << 20 << false << 0 << 20;
    }

    void styling()
    {
        QFETCH(int, msg);
        QFETCH(int, start);
        QFETCH(int, length);
        QFETCH(bool, perByte);
        QFETCH(int, startedAt);
        QFETCH(int, styledEnd);
        Component c;
        c.load(Program);
        c.send(static_cast<std::uint32_t>(msg), start, msg == sci::SCI_STARTSTYLING ? 63 : -1);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), startedAt);
        const std::string styles(static_cast<std::size_t>(std::max(length, 0)), '\x07');
        if (perByte)
            c.sendPointer(sci::SCI_SETSTYLINGEX, length, styles.data());
        else
            c.send(sci::SCI_SETSTYLING, length, 7);
        QCOMPARE(c.send(sci::SCI_GETENDSTYLED), styledEnd);
        for (int position = 0; position < ProgramLength; ++position)
            QCOMPARE(c.styleAt(position), position >= startedAt && position < styledEnd ? 7 : 0);
    }

    void textRanges_data()
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

    // SCI_GETTEXTRANGE and SCI_GETSTYLEDTEXT write only within the clamped range.
    void textRanges()
    {
        QFETCH(int, cpMin);
        QFETCH(int, cpMax);
        QFETCH(QByteArray, expected);
        Component c;
        c.load(Program);
        c.send(sci::SCI_STARTSTYLING, 0, 63);
        c.send(sci::SCI_SETSTYLING, ProgramLength, 5);
        std::array<char, 128> storage;
        storage.fill('X');
        TextRange range{cpMin, cpMax, storage.data() + 16};
        const QByteArray before(16, 'X');
        QCOMPARE(c.sendPointer(sci::SCI_GETTEXTRANGE, 0, &range), expected.size());
        QCOMPARE(QByteArray(storage.data(), 16 + expected.size() + 2), before + expected + '\0' + 'X');
        QCOMPARE(range.cpMin, long(cpMin));  // the caller's record is left as it was
        QCOMPARE(range.cpMax, long(cpMax));

        QByteArray pairs;
        for (char ch : expected)
            pairs.append(ch).append(char(5));
        storage.fill('X');
        QCOMPARE(c.sendPointer(sci::SCI_GETSTYLEDTEXT, 0, &range), pairs.size());
        QCOMPARE(QByteArray(storage.data(), 16 + pairs.size() + 10),
                 before + pairs + QByteArray(2, '\0') + QByteArray(8, 'X'));  // nothing written past it
    }

    void edits_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");  // the length to delete, or the target end
        QTest::addColumn<QByteArray>("result");
        const auto row = [](const char* name, std::uint32_t msg, qint64 from, qint64 to, const char* result) {
            QTest::newRow(name) << int(msg) << from << to << QByteArray(result);
        };
        row("insert beyond goes to the end", sci::SCI_INSERTTEXT, 500, 0, "N10 G0\r\nM3");
        row("insert negative goes to the start", sci::SCI_INSERTTEXT, -7, 0, "M3N10 G0\r\n");
        row("insert at -1 is at the caret", sci::SCI_INSERTTEXT, -1, 0, "NM310 G0\r\n");
        row("delete past the end", sci::SCI_DELETERANGE, 6, 50, "N10 G0");
        row("delete starting beyond", sci::SCI_DELETERANGE, 20, 5, "N10 G0\r\n");
        row("delete starting before", sci::SCI_DELETERANGE, -2, 3, "10 G0\r\n");
        row("delete negative length", sci::SCI_DELETERANGE, 3, -2, "N10 G0\r\n");
        row("delete huge length", sci::SCI_DELETERANGE, 4, LLONG_MAX, "N10 ");
        row("target beyond the end", sci::SCI_REPLACETARGET, 40, 50, "N10 G0\r\nM3");
        row("target end beyond", sci::SCI_REPLACETARGET, 4, 50, "N10 M3");
        row("target start negative", sci::SCI_REPLACETARGET, -5, 3, "M3 G0\r\n");
    }

    void edits()
    {
        QFETCH(int, msg);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(QByteArray, result);
        Component c;
        c.load("N10 G0\r\n");
        c.send(sci::SCI_GOTOPOS, 1);
        if (msg == sci::SCI_DELETERANGE) {
            c.send(sci::SCI_DELETERANGE, static_cast<std::intptr_t>(from), static_cast<std::intptr_t>(to));
        } else if (msg == sci::SCI_REPLACETARGET) {
            c.send(sci::SCI_SETTARGETSTART, static_cast<std::intptr_t>(from));
            c.send(sci::SCI_SETTARGETEND, static_cast<std::intptr_t>(to));
            c.sendPointer(sci::SCI_REPLACETARGET, -1, "M3");
        } else {
            c.sendPointer(sci::SCI_INSERTTEXT, static_cast<std::intptr_t>(from), "M3");
        }
        QCOMPARE(QByteArray::fromStdString(c.text()), result);
    }

    // Lines, styles, selections and buffers that do not exist: the message is clamped or
    // refused, and the component goes on working.
    void argumentsOutsideTheDocument_data()
    {
        QTest::addColumn<int>("msg");
        QTest::addColumn<qint64>("wParam");
        QTest::addColumn<qint64>("lParam");
        QTest::addColumn<int>("result");
        const auto row = [](const char* name, std::uint32_t msg, qint64 wParam, qint64 lParam, int result) {
            QTest::newRow(name) << int(msg) << wParam << lParam << result;
        };
        row("SETSELECTION caret beyond", sci::SCI_SETSELECTION, 500, 3, 0);
        row("SETSELECTION anchor negative", sci::SCI_SETSELECTION, 3, -9, 0);
        row("ADDSELECTION caret beyond", sci::SCI_ADDSELECTION, 500, 3, 0);
        row("SETSELECTIONNCARET beyond", sci::SCI_SETSELECTIONNCARET, 0, 500, 0);
        row("SETSELECTIONNEND beyond", sci::SCI_SETSELECTIONNEND, 0, 500, 0);
        row("SETMAINSELECTION missing", sci::SCI_SETMAINSELECTION, 3, 0, 0);
        row("SETSELECTIONNANCHOR missing", sci::SCI_SETSELECTIONNANCHOR, 5, 3, 0);
        row("SETSELECTIONNSTART negative", sci::SCI_SETSELECTIONNSTART, -1, 3, 0);
        row("GETSELECTIONNCARETVIRTUALSPACE far", sci::SCI_GETSELECTIONNCARETVIRTUALSPACE, 1LL << 40, 0, 0);
        row("WRAPCOUNT line count", sci::SCI_WRAPCOUNT, 3, 0, 0);
        row("SETLINESTATE negative", sci::SCI_SETLINESTATE, -1, 1, 0);
        row("GETLINESTATE far beyond", sci::SCI_GETLINESTATE, 1000000000, 0, 0);
        row("MARGINSETSTYLE negative", sci::SCI_MARGINSETSTYLE, -1, 1, 0);
        row("MARGINSETSTYLES far beyond", sci::SCI_MARGINSETSTYLES, 1LL << 40, 1, 0);
        row("ANNOTATIONSETSTYLE negative", sci::SCI_ANNOTATIONSETSTYLE, -1, 1, 0);
        row("TOGGLEFOLDSHOWTEXT beyond", sci::SCI_TOGGLEFOLDSHOWTEXT, 500, 1, 0);
        row("ADDTABSTOP negative", sci::SCI_ADDTABSTOP, -1, 1, 0);
        row("STYLESETFORE negative", sci::SCI_STYLESETFORE, -2, 1, 0);
        row("STYLESETFORE huge", sci::SCI_STYLESETFORE, 1000000000, 1, 0);
        row("STYLEGETSIZE huge", sci::SCI_STYLEGETSIZE, 1LL << 40, 0, 0);
        row("SEARCHINTARGET without text", sci::SCI_SEARCHINTARGET, 4, 0, -1);
        row("REPLACETARGET without text", sci::SCI_REPLACETARGET, 4, 0, 0);
        row("REPLACETARGET without string", sci::SCI_REPLACETARGET, -1, 0, 0);
        row("REPLACETARGETRE without text", sci::SCI_REPLACETARGETRE, 4, 0, 0);
        row("GETTEXT negative size", sci::SCI_GETTEXT, -5, Buffer, 0);
        row("GETCURLINE into no room", sci::SCI_GETCURLINE, 0, Buffer, 0);
    }

    void argumentsOutsideTheDocument()
    {
        QFETCH(int, msg);
        QFETCH(qint64, wParam);
        QFETCH(qint64, lParam);
        QFETCH(int, result);
        Component c;
        c.load(Program);
        c.send(sci::SCI_SETTARGETSTART, 0);
        c.send(sci::SCI_SETTARGETEND, ProgramLength);
        std::string buffer(8, 'X');
        const auto w = static_cast<std::intptr_t>(wParam);
        const auto l = static_cast<std::intptr_t>(lParam);
        const std::intptr_t lOrBuffer = lParam == Buffer ? reinterpret_cast<std::intptr_t>(buffer.data()) : l;
        QCOMPARE(c.send(static_cast<std::uint32_t>(msg), w, lOrBuffer), result);
        QCOMPARE(buffer, std::string(8, 'X'));
        QVERIFY(c.text() == Program);
        QVERIFY(c.send(sci::SCI_GETSELECTIONSTART) >= 0);
        QVERIFY(c.send(sci::SCI_GETSELECTIONEND) <= ProgramLength);
        c.sendPointer(sci::SCI_ADDTEXT, 1, "x");
        c.widget()->grab();
        QCOMPARE(c.send(sci::SCI_GETLENGTH), ProgramLength + 1);
    }
};

QTEST_MAIN(KelpoBoundsTest)
#include "test_kelpo_bounds.moc"

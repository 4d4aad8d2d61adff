// Word scanning of part-program lines and the styling messages that paint them.
#include <QByteArray>
#include <QTest>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/SciMessages.h"
#include "highlight/StyleRunMessages.h"
#include "highlight/WordScanner.h"

namespace {

constexpr std::int32_t kLineStart = 100;

// Every entry in Style 1, one entry optionally set apart.
StyleModeTable ModesWith(int entry, int mode)
{
    StyleModeTable modes;
    modes.fill(1);
    if (entry != 0)
        modes[static_cast<std::size_t>(entry - 1)] = mode;
    return modes;
}

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

// "position:length:entry" per run, so a mismatch reads like the table.
QByteArray Describe(const std::vector<StyleRun>& runs)
{
    QByteArray text;
    for (const StyleRun& run : runs)
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(run.position) + ':'
            + QByteArray::number(run.length) + ':' + QByteArray::number(run.entry);
    return text;
}

QByteArray Describe(const SciCall& call)
{
    const QByteArray w = QByteArray::number(call.wParam);
    const QByteArray l = QByteArray::number(call.lParam);
    if (call.msg == sci::SCI_STARTSTYLING)
        return "start(" + w + (call.lParam == 63 ? QByteArray() : "," + l) + ")";
    if (call.msg == sci::SCI_SETSTYLING)
        return "set(" + w + "," + l + ")";
    return QByteArray::number(call.msg) + "(" + w + "," + l + ")";
}

template <typename Calls>
QByteArray Describe(const Calls& calls)
{
    QByteArray text;
    for (const SciCall& call : calls)
        text += (text.isEmpty() ? "" : " ") + Describe(call);
    return text;
}

}  // namespace

class TestWordScanner : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scansLine_data();
    void scansLine();
    void runMessagesByMode_data();
    void runMessagesByMode();
    void classifiesEveryByte();
    void scansMegabyteLines();
};

void TestWordScanner::scansLine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("entry");  // entry whose mode differs from 1, or 0
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("runs");
    QTest::addColumn<QByteArray>("calls");  // at line start 100

    QTest::newRow("address words, CR LF unstyled")
        << QByteArray("N10 G01 X-10.5 Y.5\r\n") << 0 << 0 << QByteArray("0:3:14 4:3:7 8:6:24 15:3:25")
        << QByteArray("start(100) set(20,0) start(100) set(3,14) start(104) set(3,7) start(108) set(6,24) "
                      "start(115) set(3,25)");
    QTest::newRow("closed comment after a word")
        << QByteArray("O1234(COMMENT TEXT)") << 0 << 0 << QByteArray("0:5:15 5:14:27")
        << QByteArray("start(100) set(19,0) start(100) set(5,15) start(105) set(14,27)");
    QTest::newRow("unclosed comment takes the line end")
        << QByteArray("(NO CLOSE\r\n") << 0 << 0 << QByteArray("0:11:27")
        << QByteArray("start(100) set(11,0) start(100) set(11,27)");
    QTest::newRow("comment ends at its first closer")
        << QByteArray("(A(B)C)") << 0 << 0 << QByteArray("0:5:27 5:2:3")
        << QByteArray("start(100) set(7,0) start(100) set(5,27) start(105) set(2,3)");
    QTest::newRow("closer ends a letter word") << QByteArray("G01)") << 0 << 0 << QByteArray("0:4:7")
                                               << QByteArray("start(100) set(4,0) start(100) set(4,7)");
    QTest::newRow("closer outside a word starts nothing")
        << QByteArray(")X") << 0 << 0 << QByteArray("1:1:24")
        << QByteArray("start(100) set(2,0) start(101) set(1,24)");
    QTest::newRow("letters end letter words")
        << QByteArray("GOTO1") << 0 << 0 << QByteArray("0:1:7 1:1:15 2:1:20 3:2:15")
        << QByteArray("start(100) set(5,0) start(100) set(1,7) start(101) set(1,15) start(102) set(1,20) "
                      "start(103) set(2,15)");
    QTest::newRow("lower case is no address") << QByteArray("x10 y20") << 0 << 0 << QByteArray()
                                              << QByteArray("start(100) set(7,0)");
    QTest::newRow("exponent letter starts a word")
        << QByteArray("X1E5") << 0 << 0 << QByteArray("0:2:24 2:2:5")
        << QByteArray("start(100) set(4,0) start(100) set(2,24) start(102) set(2,5)");
    QTest::newRow("opener ends a letter word")
        << QByteArray("X10(NOTE)") << 0 << 0 << QByteArray("0:3:24 3:6:27")
        << QByteArray("start(100) set(9,0) start(100) set(3,24) start(103) set(6,27)");
    QTest::newRow("comment entry off") << QByteArray("(X10)") << 27 << 0 << QByteArray("1:4:24")
                                       << QByteArray("start(100) set(5,0) start(101) set(4,24)");
    QTest::newRow("negative mode forms no word") << QByteArray("X10") << 24 << -1 << QByteArray()
                                                 << QByteArray("start(100) set(3,0)");
    QTest::newRow("X in Style 2") << QByteArray("X10") << 24 << 2 << QByteArray("0:3:24")
                                  << QByteArray("start(100) set(3,0) start(100) set(1,57) start(101) set(2,32)");
    QTest::newRow("X in Style 3") << QByteArray("X10") << 24 << 3 << QByteArray("0:3:24")
                                  << QByteArray("start(100) set(3,0) start(100) set(1,57) start(101) set(2,24)");
    QTest::newRow("X in Style 4") << QByteArray("X10") << 24 << 4 << QByteArray("0:3:24")
                                  << QByteArray("start(100) set(3,0) start(100) set(3,57)");
    QTest::newRow("X in mode 7") << QByteArray("X10") << 24 << 7 << QByteArray("0:3:24")
                                 << QByteArray("start(100) set(3,0) start(100) set(3,32)");
    QTest::newRow("X in mode 0") << QByteArray("X10") << 24 << 0 << QByteArray()
                                 << QByteArray("start(100) set(3,0)");
    QTest::newRow("bare letter in Style 3") << QByteArray("X") << 24 << 3 << QByteArray("0:1:24")
                                            << QByteArray("start(100) set(1,0) start(100) set(1,57) start(101) set(0,24)");
    QTest::newRow("bare letter before the line end")
        << QByteArray("M\r\n") << 13 << 2 << QByteArray("0:1:13")
        << QByteArray("start(100) set(3,0) start(100) set(1,46) start(101) set(0,32)");
    QTest::newRow("number to the end of a short line")
        << QByteArray("G00 X1234567") << 0 << 0 << QByteArray("0:3:7 4:8:24")
        << QByteArray("start(100) set(12,0) start(100) set(3,7) start(104) set(8,24)");
    QTest::newRow("number to the end of a long line")
        << QByteArray("X123456789012345") << 0 << 0 << QByteArray("0:16:24")
        << QByteArray("start(100) set(16,0) start(100) set(16,24)");
    QTest::newRow("long number then closer")
        << QByteArray("X1234567890.1234567890-1234567890)Y\r\n") << 0 << 0 << QByteArray("0:34:24 34:1:25")
        << QByteArray("start(100) set(37,0) start(100) set(34,24) start(134) set(1,25)");
    QTest::newRow("empty line") << QByteArray() << 0 << 0 << QByteArray() << QByteArray("start(100) set(0,0)");
    QTest::newRow("bytes above 127 and NUL")
        << QByteArray("\xC3X1\0Y2(\xE9\x80)", 10) << 0 << 0 << QByteArray("1:2:24 4:2:25 6:4:27")
        << QByteArray("start(100) set(10,0) start(101) set(2,24) start(104) set(2,25) start(106) set(4,27)");
    QTest::newRow("tab and slash end a word")
        << QByteArray("X1\tY2/Z3%") << 0 << 0 << QByteArray("0:2:24 3:2:25 6:2:26")
        << QByteArray("start(100) set(9,0) start(100) set(2,24) start(103) set(2,25) start(106) set(2,26)");
}

void TestWordScanner::scansLine()
{
    QFETCH(QByteArray, line);
    QFETCH(int, entry);
    QFETCH(int, mode);
    QFETCH(QByteArray, runs);
    QFETCH(QByteArray, calls);
    const StyleModeTable modes = ModesWith(entry, mode);

    const std::vector<StyleRun> scanned = ScanLine(View(line), modes);
    QCOMPARE(Describe(scanned), runs);
    for (const StyleRun& run : scanned)
        QCOMPARE(run.mode, modes[run.entry - 1u]);

    // A reused buffer holds exactly this line's runs afterwards.
    std::vector<StyleRun> reused(5, StyleRun{7, 7, 7, 7});
    ScanLine(View(line), modes, reused);
    QCOMPARE(reused, scanned);

    std::vector<SciCall> sent;
    AppendLineStyleMessages(kLineStart, View(line), modes, sent);
    QCOMPARE(Describe(sent), calls);
}

void TestWordScanner::runMessagesByMode_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("calls");  // a run of 4 bytes at position 10

    QTest::newRow("line in style 0") << 0 << 1 << QByteArray("start(10) set(4,0)");
    QTest::newRow("comment Style 1") << 27 << 1 << QByteArray("start(10) set(4,27)");
    QTest::newRow("comment Style 2") << 27 << 2 << QByteArray("start(10) set(1,60) start(11) set(3,32)");
    QTest::newRow("comment Style 3") << 27 << 3 << QByteArray("start(10) set(1,60) start(11) set(3,27)");
    QTest::newRow("A Style 4") << 1 << 4 << QByteArray("start(10) set(4,34)");
    QTest::newRow("mode 5") << 1 << 5 << QByteArray("start(10) set(4,32)");
    QTest::newRow("mode 0") << 1 << 0 << QByteArray("start(10) set(4,32)");
    QTest::newRow("negative mode") << 1 << -2147483647 - 1 << QByteArray("start(10) set(4,32)");
}

void TestWordScanner::runMessagesByMode()
{
    QFETCH(int, entry);
    QFETCH(int, mode);
    QFETCH(QByteArray, calls);
    QCOMPARE(Describe(StyleRunMessages(10, 4, static_cast<std::uint8_t>(entry), mode)), calls);
}

void TestWordScanner::classifiesEveryByte()
{
    const StyleModeTable modes = ModesWith(0, 0);
    const auto run = [](std::size_t position, std::size_t length, int entry) {
        return QByteArray::number(qsizetype(position)) + ':' + QByteArray::number(qsizetype(length)) + ':'
            + QByteArray::number(entry);
    };
    // The byte under test after numbers of several lengths, at the start, middle and end of
    // short and long lines.
    for (const std::size_t digits : {2, 9, 13}) {
        for (const std::size_t lead : {0, 9}) {
            for (const std::size_t trail : {0, 8}) {
                for (int value = 0; value < 256; ++value) {
                    const char c = static_cast<char>(value);
                    const bool number = (c >= '0' && c <= '9') || c == '-' || c == '.';
                    const std::string line = std::string(lead, ' ') + "X" + std::string(digits, '7') + c + "3"
                        + std::string(trail, ' ') + "\r\n";
                    const std::size_t at = lead + 1 + digits;
                    QByteArray expected = run(lead, 1 + digits + (number ? 2 : c == ')' ? 1 : 0), 24);
                    if (c >= 'A' && c <= 'Z')
                        expected += " " + run(at, 2, value - 64);
                    if (c == '(')
                        expected += " " + run(at, line.size() - at, 27);
                    QVERIFY2(Describe(ScanLine(line, modes)) == expected,
                             qPrintable(QStringLiteral("byte %1 in \"%2\"").arg(value).arg(QString::fromLatin1(line))));
                }
            }
        }
    }
    // Inside a comment only the closer counts.
    for (int value = 0; value < 256; ++value) {
        const char c = static_cast<char>(value);
        const std::string line = std::string("(") + c + "X";
        const QByteArray expected = c == ')' ? "0:2:27 2:1:24" : "0:3:27";
        QVERIFY2(Describe(ScanLine(line, modes)) == expected, qPrintable(QString::number(value)));
    }
}

void TestWordScanner::scansMegabyteLines()
{
    const StyleModeTable modes = ModesWith(24, 2);

    // An unclosed comment of 8 MiB is one word, line end included.
    const std::string comment = "(" + std::string(8 << 20, 'A') + "\r\n";
    QCOMPARE(Describe(ScanLine(comment, modes)), "0:" + QByteArray::number(qsizetype(comment.size())) + ":27");

    // A million words on one line, far past any 16-bit count: every one is painted.
    std::string words;
    for (int i = 0; i < 1'000'000; ++i)
        words += "X12 ";
    words += "(END)\r\n";
    const std::vector<StyleRun> runs = ScanLine(words, modes);
    QCOMPARE(runs.size(), std::size_t{1'000'001});
    QCOMPARE(runs[999'999], (StyleRun{3'999'996, 3, 24, 2}));
    QCOMPARE(runs.back(), (StyleRun{4'000'000, 5, 27, 1}));

    // Sent as they are made, the messages of such a line need no storage at all.
    std::size_t count = 0;
    SciCall last;
    ForEachLineStyleMessage(kLineStart, words, modes, [&](const SciCall& call) {
        ++count;
        last = call;
    });
    QCOMPARE(count, std::size_t{2 + 4 * 1'000'000 + 2});
    QCOMPARE(Describe(last), QByteArray("set(5,27)"));

    // Six million bare letters: one word per byte.
    const std::string letters(6'000'000, 'X');
    std::size_t letterWords = 0;
    StyleRun lastLetter;
    ScanWords(letters, modes, [&](const StyleRun& run) {
        ++letterWords;
        lastLetter = run;
    });
    QCOMPARE(letterWords, letters.size());
    QCOMPARE(lastLetter, (StyleRun{5'999'999, 1, 24, 2}));
}

QTEST_GUILESS_MAIN(TestWordScanner)
#include "test_wordscanner.moc"

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

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }

// "position:length:entry" per run, so a mismatch reads like the table.
QByteArray Describe(const std::vector<StyleRun>& runs)
{
    QByteArray text;
    for (const StyleRun& run : runs)
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(run.position) + ':' + QByteArray::number(run.length) +
                ':' + QByteArray::number(run.entry);
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

QByteArray Describe(const std::vector<SciCall>& calls)
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
    // Runs as "position:length:entry", and the component messages at line start 100.
    void scansLine_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("entry");  // entry whose mode differs from 1, or 0
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("runs");
        QTest::addColumn<QByteArray>("calls");
        const auto row = [](const char* name, const QByteArray& line, int entry, int mode, const char* runs,
                            const char* calls) {
            QTest::newRow(name) << line << entry << mode << QByteArray(runs) << QByteArray(calls);
        };
        row("address words, CR LF unstyled", "N10 G01 X-10.5 Y.5\r\n", 0, 0, "0:3:14 4:3:7 8:6:24 15:3:25",
            "start(100) set(20,0) start(100) set(3,14) start(104) set(3,7) start(108) set(6,24) start(115) set(3,25)");
        row("closed comment after a word", "O1234(COMMENT TEXT)", 0, 0, "0:5:15 5:14:27",
            "start(100) set(19,0) start(100) set(5,15) start(105) set(14,27)");
        row("unclosed comment takes the line end", "(NO CLOSE\r\n", 0, 0, "0:11:27",
            "start(100) set(11,0) start(100) set(11,27)");
        row("closer ends a letter word", "G01)", 0, 0, "0:4:7", "start(100) set(4,0) start(100) set(4,7)");
        row("closer outside a word starts nothing", ")X", 0, 0, "1:1:24", "start(100) set(2,0) start(101) set(1,24)");
        row("letters end letter words", "GOTO1", 0, 0, "0:1:7 1:1:15 2:1:20 3:2:15",
            "start(100) set(5,0) start(100) set(1,7) start(101) set(1,15) start(102) set(1,20) start(103) set(2,15)");
        row("lower case is no address", "x10 y20", 0, 0, "", "start(100) set(7,0)");
        row("exponent letter starts a word", "X1E5", 0, 0, "0:2:24 2:2:5",
            "start(100) set(4,0) start(100) set(2,24) start(102) set(2,5)");
        row("comment entry off", "(X10)", 27, 0, "1:4:24", "start(100) set(5,0) start(101) set(4,24)");
        row("negative mode forms no word", "X10", 24, -1, "", "start(100) set(3,0)");
        row("X in Style 2", "X10", 24, 2, "0:3:24", "start(100) set(3,0) start(100) set(1,57) start(101) set(2,32)");
        row("X in Style 3", "X10", 24, 3, "0:3:24", "start(100) set(3,0) start(100) set(1,57) start(101) set(2,24)");
        row("X in Style 4", "X10", 24, 4, "0:3:24", "start(100) set(3,0) start(100) set(3,57)");
        row("X in mode 7", "X10", 24, 7, "0:3:24", "start(100) set(3,0) start(100) set(3,32)");
        row("X in mode 0", "X10", 24, 0, "", "start(100) set(3,0)");
        row("comment in Style 2", "(AB)", 27, 2, "0:4:27",
            "start(100) set(4,0) start(100) set(1,60) start(101) set(3,32)");
        row("bare letter in Style 3", "X", 24, 3, "0:1:24",
            "start(100) set(1,0) start(100) set(1,57) start(101) set(0,24)");
        row("number to the end of a long line", "X123456789012345", 0, 0, "0:16:24",
            "start(100) set(16,0) start(100) set(16,24)");
        row("empty line", "", 0, 0, "", "start(100) set(0,0)");
    }

    void scansLine()
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

    void classifiesEveryByte()
    {
        const StyleModeTable modes = ModesWith(0, 0);
        const auto run = [](std::size_t position, std::size_t length, int entry) {
            return QByteArray::number(qsizetype(position)) + ':' + QByteArray::number(qsizetype(length)) + ':' +
                   QByteArray::number(entry);
        };
        // The byte under test after numbers of several lengths, at the start, middle and end of
        // short and long lines.
        for (const std::size_t digits : {2, 9, 13}) {
            for (const std::size_t lead : {0, 9}) {
                for (const std::size_t trail : {0, 8}) {
                    for (int value = 0; value < 256; ++value) {
                        const char c = static_cast<char>(value);
                        const bool number = (c >= '0' && c <= '9') || c == '-' || c == '.';
                        const std::string line = std::string(lead, ' ') + "X" + std::string(digits, '7') + c + "3" +
                                                 std::string(trail, ' ') + "\r\n";
                        const std::size_t at = lead + 1 + digits;
                        QByteArray expected = run(lead, 1 + digits + (number ? 2 : c == ')' ? 1 : 0), 24);
                        if (c >= 'A' && c <= 'Z')
                            expected += " " + run(at, 2, value - 64);
                        if (c == '(')
                            expected += " " + run(at, line.size() - at, 27);
                        const QString where =
                            QStringLiteral("byte %1 in \"%2\"").arg(value).arg(QString::fromLatin1(line));
                        QVERIFY2(Describe(ScanLine(line, modes)) == expected, qPrintable(where));
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

    void scansMegabyteLines()
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
    }
};

QTEST_GUILESS_MAIN(TestWordScanner)
#include "test_wordscanner.moc"

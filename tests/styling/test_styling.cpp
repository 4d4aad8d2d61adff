// The widget-free styling rules: where the scanner ends a word, and the readings of StyleSet.sty
// and edset.ini.
#include <QTest>

#include "styling/DisplaySettingsFile.h"
#include "styling/StyleSetFile.h"

class TestStyling : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every byte after numbers short and long, at the line's end and before more text: number
    // characters go on, ")" ends the word and is in it, a letter or "(" opens the next word.
    void wordEndsAfterItsNumber()
    {
        StyleModeTable modes;
        modes.fill(1);
        for (const std::size_t digits : {2, 9, 13})
            for (const std::size_t spaces : {0, 8})
                for (int c = 0; c < 256; ++c) {
                    const std::string line = "X" + std::string(digits, '7') + char(c) + "3" + std::string(spaces, ' ');
                    const bool number = (c >= '0' && c <= '9') || c == '-' || c == '.';
                    const bool opens = (c >= 'A' && c <= 'Z') || c == '(';
                    const std::vector<StyleRun> runs = ScanLine(line, modes);
                    QVERIFY2(runs.front().length == int(digits) + 1 + (number ? 2 : c == ')') &&
                                 runs.size() == 1u + opens,
                             qPrintable(QString::fromLatin1(line)));
                }
    }

    // Each StyleSet.sty as the editor reads it: styling on (1), off (0) or left as it was (-1), then
    // "entry:mode:colour" per entry line in order; after "|", as the setup dialog reads it: enabled
    // or not, then "entry:digit:colour" for each entry not black in Style 1.
    void fileReadings()
    {
        const std::tuple<std::string_view, QString> files[] = {
            {"STYLE=ON\r\n(1#49152\r\nM4#255\r\nSTYLE=OFF\r\nN1#0", "0 27:1:49152 13:4:255 | 0 13:4:255 27:1:49152"},
            {"STYLE=OFF\r\nOFFSTYLE", "0 | 1"},
            {"STYLOFF\r\nSTYLEOFF", "-1 19:0:0 19:0:0 | 0 19:T:0"},
            {"style=on\r\nM 2 # 255 0 \r\nN\r\nA2#abc", "-1 13:2:2550 14:0:0 1:2:0 | 1 1:2:0 13:2:2550 14::0"},
            {"M1#5.5\r\nN1#4.5\r\nA1#-3.5", "-1 13:1:6 14:1:4 1:1:-4 | 1 1:1:-4 13:1:6 14:1:4"},
            {"A1#+7\r\nB1#.6\r\nC1#7.\r\nD1#-", "-1 1:1:7 2:1:1 3:1:7 4:1:0 | 1 1:1:7 2:1:1 3:1:7"},
            {"E1#1E3\r\nF1#12a#3\r\nG1#4.5001", "-1 5:1:1 6:1:12 7:1:5 | 1 5:1:1 6:1:12 7:1:5"},
            {"A1#9999999999\rB1#-9999999999", "-1 1:1:2147483647 2:1:-2147483648 | 1 1:1:2147483647 2:1:-2147483648"},
            {"[2#255\r\n@1#5\r\n\\1#5\r\nx1#5\r\n1#5\r\n\xC1#5", "-1 27:2:255 | 1 27:2:255"},
            {"M1#1\rN2#2\r\r\nA3#3\nB4#4", "-1 13:1:1 14:2:2 1:3:3 | 1 1:3:3 13:1:1 14:2:2"},
        };
        for (const auto& [bytes, readings] : files) {
            const StyleSetApplication r = ParseStyleSet(bytes);
            QString seen = QString::number(r.stylingEnabled ? int(*r.stylingEnabled) : -1);
            for (std::size_t i = 0; i < r.modes.size(); ++i)
                seen += QString::asprintf(" %d:%d:%d", r.modes[i].entry, r.modes[i].mode, r.messages[4 * i].lParam);
            const StyleSetDialogData d = DialogDataFromStyleSet(bytes);
            seen += " | " + QString::number(d.stylingEnabled);
            for (std::size_t i = 0; i < d.entries.size(); ++i)
                if (d.entries[i] != StyleDialogEntry{})
                    seen +=
                        QString::asprintf(" %zu:%s:%d", i + 1, d.entries[i].styleDigit.c_str(), d.entries[i].colour);
            QCOMPARE(seen, readings);
        }
        // edset.ini: case-sensitive words anywhere, SOME before ALL.
        QCOMPARE(DisplaySettingsFromText("XCOLOR=OFFSET BOLD=SOME BOLD=ALL"), (DisplaySettings{false, BoldSome}));
        QCOMPARE(DisplaySettingsFromText("COLOR = OFF color=off\r\nBOLD=ALL"), (DisplaySettings{true, BoldAll}));
    }
};

QTEST_APPLESS_MAIN(TestStyling)
#include "test_styling.moc"

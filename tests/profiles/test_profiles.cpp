// Talvane's machine profiles (Orvex.ini) as the Select Machine list reads them; random files are
// in tests/fuzz.
#include <QTest>

#include "profiles/MachineProfiles.h"

using Strings = std::vector<std::string>;

class TestProfiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void profiles()
    {
        // Lines end at CR or CR LF; "[MC" and "MCNAME=" in upper case; the number from the 4th
        // character, the name from the line's first "=", trimmed; an empty name is not listed.
        const char* ini = "MCNAME=Mill\r\n[MC3]\r\nX=1 MCNAME= A=B \r\nMCNAME=  \r\n[mc4]\r\nmcname=B\r\n"
                          " [MC5]\rMCNAME=C\r[MC6]\nMCNAME=D\n[MC7]";
        QCOMPARE(ReadMachineProfiles(ini).entries, (Strings{"0\tMill", "3\t1 MCNAME= A=B", "0\tC", "6\tD\n[MC7]"}));
        // Blanks, tabs and line feeds skipped anywhere; half to even; clamped to 16 bits.
        const std::pair<const char*, int> numbers[] = {
            {"2.5]", 2},      {"3.5", 4},       {" -\t1\n2 ", -12}, {"+.5e1", 5},       {"3E]", 3},    {"1.2.9", 1},
            {"70000", 32767}, {"-1e9", -32768}, {"1e999", 32767},   {"0.5e400", 32767}, {"1e-999", 0}, {"-x", 0}};
        for (const auto& [text, number] : numbers)
            QVERIFY2(ReadMachineNumber(text) == number, text);
        // The tab ends the number, so a name that starts with digits cannot join it.
        QVERIFY(ParseMachineEntry("3\t 5-axis  ").number == 3 && ParseMachineEntry("3\t 5-axis  ").name == "5-axis");
        // As Talvane writes the file.
        QCOMPARE(MachineProfilesText({{3, "Big mill"}, {-7, "L"}}),
                 "[MC3]\r\nMCNAME=Big mill\r\n[MC-7]\r\nMCNAME=L\r\n");
    }
};

QTEST_APPLESS_MAIN(TestProfiles)
#include "test_profiles.moc"

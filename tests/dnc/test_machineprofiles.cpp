// The profile reader and the machine number, as the Select Machine list and the OK button use them.
#include "dnc/MachineProfiles.h"

#include <QTest>

using Entries = std::vector<std::string>;
Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(Entries)

class TestMachineProfiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reader_data()
    {
        QTest::addColumn<std::string>("file");
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<int>("number");  // MachineNumber and MachineName once read
        QTest::addColumn<std::string>("name");
        QTest::newRow("blanks around a name") << std::string("[MC3]\r\nMCNAME=  Big mill  \r\n")
                                              << Entries{"3\tBig mill"} << 3 << std::string("Big mill");
        QTest::newRow("A=B") << std::string("[MC1]\r\nMCNAME=A=B\r\n") << Entries{"1\tA=B"} << 1 << std::string("A=B");
        QTest::newRow("text after the first =") << std::string("[MC2]\r\nX=1 MCNAME=Lathe\r\n")
                                                << Entries{"2\t1 MCNAME=Lathe"} << 2 << std::string("1 MCNAME=Lathe");
        QTest::newRow("name before any section")
            << std::string("MCNAME=Mill\r\n[MC4]\r\nTOOLS=8\r\n") << Entries{"0\tMill"} << 4 << std::string("Mill");
        QTest::newRow("two names in a section")
            << std::string("[MC5]\r\nMCNAME=A\r\nMCNAME=B\r\n") << Entries{"5\tA", "5\tB"} << 5 << std::string("B");
        QTest::newRow("lower case") << std::string("[MC6]\r\n[mc2]\r\nMCNAME=A\r\nmcname=B\r\n") << Entries{"6\tA"} << 6
                                    << std::string("A");
        QTest::newRow("[MC]") << std::string("[MC9]\r\n[MC]\r\nMCNAME=A\r\n") << Entries{"0\tA"} << 0
                              << std::string("A");
        QTest::newRow("[MCx]") << std::string("[MC9]\r\n[MCx]\r\nMCNAME=A\r\n") << Entries{"0\tA"} << 0
                               << std::string("A");
        QTest::newRow("[MC 1 2]") << std::string("[MC 1 2]\r\nMCNAME=A\r\n") << Entries{"12\tA"} << 12
                                  << std::string("A");
        QTest::newRow("section line not at the start")
            << std::string(" [MC5]\r\nMCNAME=A\r\n") << Entries{"0\tA"} << 0 << std::string("A");
        QTest::newRow("last section with an empty name")
            << std::string("[MC1]\r\nMCNAME=A\r\n[MC2]\r\nMCNAME=   \r\n") << Entries{"1\tA"} << 2 << std::string();
        QTest::newRow("CR only, no end") << std::string("[MC1]\rMCNAME=A\r[MC2]\rMCNAME=B") << Entries{"1\tA", "2\tB"}
                                         << 2 << std::string("B");
        // A line feed alone ends no line: the whole file is one section and name line.
        QTest::newRow("LF only") << std::string("[MC1]\nMCNAME=A\n[MC2]\nMCNAME=B\n")
                                 << Entries{"1\tA\n[MC2]\nMCNAME=B\n"} << 1 << std::string("A\n[MC2]\nMCNAME=B\n");
        QTest::newRow("beyond 16 bits, clamped") << std::string("[MC70000]\r\nMCNAME=A\r\n[MC-1e9]\r\nMCNAME=B\r\n")
                                                 << Entries{"32767\tA", "-32768\tB"} << -32768 << std::string("B");
        QTest::newRow("8-bit name") << std::string("[MC1]\r\nMCNAME=Fr\xE4se\r\n") << Entries{"1\tFr\xE4se"} << 1
                                    << std::string("Fr\xE4se");
        QTest::newRow("empty file") << std::string() << Entries{} << 0 << std::string();
    }
    void reader()
    {
        QFETCH(std::string, file);
        QFETCH(Entries, entries);
        QFETCH(int, number);
        QFETCH(std::string, name);
        const MachineProfiles profiles = ReadMachineProfiles(file);
        QCOMPARE(profiles.entries, entries);
        QCOMPARE(profiles.machineNumber, number);
        QCOMPARE(profiles.machineName, name);
    }

    void number_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<int>("number");
        QTest::newRow("halves to even, down") << std::string("2.5]") << 2;
        QTest::newRow("halves to even, up") << std::string("3.5]") << 4;
        QTest::newRow("blanks, tabs and line feeds anywhere") << std::string(" -\t1\n2 ") << -12;
        QTest::newRow("exponent") << std::string("+.5e1") << 5;
        QTest::newRow("exponent without digits") << std::string("3E]") << 3;
        QTest::newRow("second point ends it") << std::string("1.2.9") << 1;
        QTest::newRow("beyond a double") << std::string("1e999") << 32767;
        QTest::newRow("below a double") << std::string("1e-999") << 0;
        QTest::newRow("a fraction beyond a double") << std::string("0.5e400") << 32767;
        QTest::newRow("many digits below a double") << std::string("-" + std::string(400, '9') + "e-800") << 0;
        QTest::newRow("nothing") << std::string("-x") << 0;
    }
    void number()
    {
        QFETCH(std::string, text);
        QFETCH(int, number);
        QCOMPARE(ReadMachineNumber(text), number);
    }

    // The tab ends the number, so a name that starts with digits does not join it.
    void entryOfTheOkButton()
    {
        const MachineChoice choice = ParseMachineEntry("3\t 5-axis  ");
        QCOMPARE(choice.number, 3);
        QCOMPARE(choice.name, std::string("5-axis"));
    }
};

QTEST_APPLESS_MAIN(TestMachineProfiles)
#include "test_machineprofiles.moc"

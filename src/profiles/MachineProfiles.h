// Talvane's machine profiles, Orvex.ini: as the Select Machine list shows them, and as Talvane
// writes the file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What reading a profile file leaves: the list entries in file order, and the number and name of
// the last section line and the last name line read (listed or not).
struct MachineProfiles {
    std::vector<std::string> entries;  // machine number, tab, machine name
    std::int16_t machineNumber = 0;
    std::string machineName;
};

// Reads a number the way the profiles write one: blanks, tabs and line feeds are skipped wherever
// they stand, then a sign, digits, a fraction and an exponent up to the first character that
// cannot continue it. Rounded half to even and clamped to the signed 16-bit range; 0 when no
// number is there.
std::int16_t ReadMachineNumber(std::string_view text);

// Lines end at CR or CR LF; a section line holds "[MC" (its number is read from the line's 4th
// character on), a name line "MCNAME=" (its name is the text after the line's first "=", without
// the blanks around it). Each non-empty name is listed with the last section number above it.
MachineProfiles ReadMachineProfiles(std::string_view bytes);

// One list entry; "3\tBig mill".
std::string MachineEntry(std::int16_t number, const std::string& name);

// The number and name of a list entry; the tab ends the number, so a name that starts with digits
// cannot join them.
struct MachineChoice {
    std::int16_t number = 0;
    std::string name;
};
MachineChoice ParseMachineEntry(std::string_view entry);

// The file as Talvane writes it: a section line "[MC<number>]" and a name line "MCNAME=<name>"
// per machine, each ended by CR LF.
std::string MachineProfilesText(const std::vector<MachineChoice>& machines);

// Leading and trailing blanks (spaces) removed.
std::string TrimBlanks(std::string_view text);

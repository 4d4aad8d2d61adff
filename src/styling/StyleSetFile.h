// The style set file StyleSet.sty, the one place that reads and writes it: what loading it
// applies, the built-in set, the setup dialog's reading and writing, and the file itself.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "styling/StyleRunMessages.h"
#include "styling/WordScanner.h"

inline constexpr std::string_view kStyleSetFileName = "StyleSet.sty";

struct StyleModeSetting {
    std::uint8_t entry = 0;  // 1..27
    std::int32_t mode = 0;

    friend bool operator==(const StyleModeSetting&, const StyleModeSetting&) = default;
};

// Everything a style set changes, as a new value: the caller applies it only once it is
// complete, so a failed read leaves the styling in force untouched.
struct StyleSetApplication {
    std::optional<bool> stylingEnabled;   // nullopt: the set leaves styling on or off as it was
    std::vector<StyleModeSetting> modes;  // in file order; a later setting of an entry wins
    std::vector<SciCall> messages;        // component messages, to be sent in this order
};

// Reads the file's lines in order: an off line turns styling off and ends the reading, an on
// line turns it on, every other line whose key names an entry sets that entry's mode and
// colours its plain style and its bold style.
StyleSetApplication ParseStyleSet(std::string_view fileBytes);

// What applies while no style set file exists: comments, M words and N words coloured.
StyleSetApplication BuiltInStyleSet();

// The four messages of one entry line: plain style k in colour, bold style k + 33 in colour.
std::array<SciCall, 4> StyleEntryMessages(std::uint8_t entry, std::int32_t colour);

StyleModeTable ModesAfter(const StyleSetApplication& styleSet, StyleModeTable modes);
bool StylingEnabledAfter(const StyleSetApplication& styleSet, bool stylingEnabled);

struct StyleDialogEntry {
    std::int32_t colour = 0;
    std::string styleDigit = "1";  // one character as set by the dialog; kept as read from the file

    friend bool operator==(const StyleDialogEntry&, const StyleDialogEntry&) = default;
};

// What the dialog shows before any file is read: styling enabled, every entry black, Style 1.
struct StyleSetDialogData {
    bool stylingEnabled = true;                  // "Enable Style" rather than "Disable Style"
    std::array<StyleDialogEntry, 27> entries{};  // entry k at index k - 1

    friend bool operator==(const StyleSetDialogData&, const StyleSetDialogData&) = default;
};

// The dialog's reading of the file, starting from the defaults: every line is read, an off
// line included. A line holding "STYLE" enables styling, or disables it when "OFF" follows
// from its sixth character on; any other line naming an entry gives that entry its second
// character as style digit and its colour.
StyleSetDialogData DialogDataFromStyleSet(std::string_view fileBytes);

// The file the dialog's Save writes: the on or off line, the comment entry, then the letters
// A to Z except those in Style 1 and black, each line ended by CR LF. An empty style digit is
// written as "0", so that the line reads back with the same mode and colour.
std::string StyleSetTextFromDialog(const StyleSetDialogData& data);

// The file that replaces the style set when the user deletes it: styling on, the comment entry
// in Style 1 and black, no letters, no end after the last line.
inline constexpr std::string_view kDeletedStyleSetText = "STYLE=ON\r\n(1#0";

enum class StyleSetFileState {
    Absent,  // no regular file the user may read at the path: the built-in set applies
    Read,    // bytes holds the whole file
    Failed,  // a file is there but could not be read whole: keep what is in force
};

struct StyleSetFileContent {
    StyleSetFileState state = StyleSetFileState::Absent;
    std::string bytes;
};

// A style set holds a few hundred bytes; anything far larger is refused rather than parsed.
inline constexpr std::int64_t kMaxStyleSetFileBytes = 16 * 1024 * 1024;

// path is a local 8-bit path.
StyleSetFileContent ReadStyleSetFile(const std::string& path);

// Replaces the file atomically; on false the old file is as it was.
bool WriteStyleSetFile(const std::string& path, std::string_view bytes);

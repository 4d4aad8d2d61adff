// The setup dialog's copy of the style set: filled from the file, written back as the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

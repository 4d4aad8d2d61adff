// Reading the style set file into the setup dialog's data and writing that data back.
#include "styling/StyleSetDialogData.h"

#include "styling/StyleSetText.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The colour field is read from the fourth character on, so an entry without a style digit
// takes "0": its mode when read (none) and its colour come back unchanged.
void AppendEntryLine(std::string& text, char key, const StyleDialogEntry& entry)
{
    text += key;
    text += entry.styleDigit.empty() ? "0" : entry.styleDigit;
    text += '#';
    text += std::to_string(entry.colour);
    text += kLineEnd;
}

}  // namespace

StyleSetDialogData DialogDataFromStyleSet(std::string_view fileBytes)
{
    StyleSetDialogData data;
    for (const std::string& line : styleset::Lines(fileBytes)) {
        if (styleset::Contains(line, "STYLE")) {
            data.stylingEnabled = line.find("OFF", 5) == std::string::npos;
            continue;
        }
        const std::uint8_t entry = styleset::EntryOfLine(line);
        if (entry == 0)
            continue;
        StyleDialogEntry& target = data.entries[entry - 1];
        target.styleDigit = line.substr(1, 1);
        target.colour = styleset::ColourOfLine(line);
    }
    return data;
}

std::string StyleSetTextFromDialog(const StyleSetDialogData& data)
{
    std::string text = data.stylingEnabled ? "STYLE=ON" : "STYLE=OFF";
    text += kLineEnd;
    AppendEntryLine(text, '(', data.entries[26]);
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const StyleDialogEntry& entry = data.entries[static_cast<std::size_t>(letter - 'A')];
        if (entry.styleDigit == "1" && entry.colour == 0)
            continue;
        AppendEntryLine(text, letter, entry);
    }
    return text;
}

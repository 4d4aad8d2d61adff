// Reading StyleSet.sty for the editor and for the setup dialog, writing it from the dialog, and
// reading and replacing it on disk. Both readers share the file's line and field rules.
#include "styling/StyleSetFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iterator>
#include <limits>

#include "base/FileAttributes.h"
#include "base/TextFile.h"
#include "component/SciMessages.h"

namespace styleset {
namespace {

std::string WithoutBlanks(std::string_view line)
{
    std::string kept;
    kept.reserve(line.size());
    std::copy_if(line.begin(), line.end(), std::back_inserter(kept), [](char c) { return c != ' '; });
    return kept;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::int32_t ParseColour(std::string_view text)
{
    // Worked on the digits themselves, so that a half is recognised exactly.
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool anyDigit = false;
    std::int64_t whole = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        whole = std::min(whole * 10 + (text[i] - '0'), kCap);
    }
    if (i < text.size() && text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])) {
        anyDigit = true;
        const int first = text[++i] - '0';
        bool beyondHalf = false;
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            beyondHalf = beyondHalf || text[i] != '0';
        const bool up = first > 5 || (first == 5 && (beyondHalf || whole % 2 == 1));
        if (up)
            whole = std::min(whole + 1, kCap);
    }
    if (!anyDigit)
        return 0;
    const std::int64_t value = negative ? -whole : whole;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

// The file's lines with every blank removed. A line ends at CR LF or at a lone CR; a lone LF
// stays in its line, and a last line without an end counts as a line.
std::vector<std::string> Lines(std::string_view fileBytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t cr = fileBytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(WithoutBlanks(fileBytes.substr(start)));
            break;
        }
        lines.push_back(WithoutBlanks(fileBytes.substr(start, cr - start)));
        start = cr + 1;
        if (start < fileBytes.size() && fileBytes[start] == '\n')
            ++start;
    }
    return lines;
}

bool Contains(std::string_view line, std::string_view word) { return line.find(word) != std::string_view::npos; }

// The entry the line's first character names: "(" and "[" the comment (27), "A".."Z" the
// letters; 0 for any other character or an empty line.
std::uint8_t EntryOfLine(std::string_view line)
{
    if (line.empty())
        return 0;
    const int code = static_cast<unsigned char>(line[0]);
    if (code == '(')
        return 27;
    const int entry = code - 64;
    return entry >= 1 && entry <= 27 ? static_cast<std::uint8_t>(entry) : 0;
}

// The style mode of the second character: its digit value, or 0 for anything else.
std::int32_t ModeOfLine(std::string_view line) { return line.size() >= 2 && IsDigit(line[1]) ? line[1] - '0' : 0; }

// The colour from the fourth character on: a leading decimal number (sign, digits, fraction)
// rounded half to even and held to the 32-bit range; 0 when no number starts there.
std::int32_t ColourOfLine(std::string_view line) { return line.size() > 3 ? ParseColour(line.substr(3)) : 0; }

}  // namespace
}  // namespace styleset

namespace {

constexpr std::int32_t kCommentColour = 0x00C000;
constexpr std::int32_t kMColour = 0xFF8080;
constexpr std::int32_t kNColour = 0xC0C0C0;

QString LocalName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

std::array<SciCall, 4> StyleEntryMessages(std::uint8_t entry, std::int32_t colour)
{
    const std::int32_t bold = entry + kBoldStyleOffset;
    return {{
        {sci::SCI_STYLESETFORE, entry, colour},
        {sci::SCI_STYLESETBOLD, entry, 0},
        {sci::SCI_STYLESETFORE, bold, colour},
        {sci::SCI_STYLESETBOLD, bold, 1},
    }};
}

StyleSetApplication ParseStyleSet(std::string_view fileBytes)
{
    StyleSetApplication result;
    for (const std::string& line : styleset::Lines(fileBytes)) {
        if (styleset::Contains(line, "STYLE=OFF")) {
            result.stylingEnabled = false;
            break;
        }
        if (styleset::Contains(line, "STYLE=ON")) {
            result.stylingEnabled = true;
            continue;
        }
        const std::uint8_t entry = styleset::EntryOfLine(line);
        if (entry == 0)
            continue;
        result.modes.push_back({entry, styleset::ModeOfLine(line)});
        const auto calls = StyleEntryMessages(entry, styleset::ColourOfLine(line));
        result.messages.insert(result.messages.end(), calls.begin(), calls.end());
    }
    return result;
}

StyleSetApplication BuiltInStyleSet()
{
    StyleSetApplication result;
    result.stylingEnabled = true;
    result.modes = {{27, 1}, {13, 1}, {14, 1}};
    result.messages = {
        {sci::SCI_STYLESETFORE, 0, 0},
        {sci::SCI_STYLESETFORE, 27, kCommentColour},
        {sci::SCI_STYLESETFORE, 13, kMColour},
        {sci::SCI_STYLESETFORE, 14, kNColour},
    };
    return result;
}

StyleModeTable ModesAfter(const StyleSetApplication& styleSet, StyleModeTable modes)
{
    for (const StyleModeSetting& setting : styleSet.modes)
        modes[setting.entry - 1] = setting.mode;
    return modes;
}

bool StylingEnabledAfter(const StyleSetApplication& styleSet, bool stylingEnabled)
{
    return styleSet.stylingEnabled.value_or(stylingEnabled);
}

StyleSetFileContent ReadStyleSetFile(const std::string& path)
{
    // Only a regular file the user may read counts; folders, devices and FIFOs are never opened,
    // and an unreadable file is as good as hidden, so the built-in set applies.
    if (!RegularFileExists(path))
        return {StyleSetFileState::Absent, {}};
    const QFileInfo info(LocalName(path));
    std::optional<std::string> bytes;
    if (info.size() <= kMaxStyleSetFileBytes)
        bytes = ReadTextFile(path);
    if (!bytes)
        return {StyleSetFileState::Failed, {}};
    return {StyleSetFileState::Read, std::move(*bytes)};
}

bool WriteStyleSetFile(const std::string& path, std::string_view bytes)
{
    return WriteTextFile(path, std::string(bytes), false);
}

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

// Parsing and applying the style set file, and reading and replacing it on disk.
#include "styling/StyleSetFile.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

#include "base/FileAttributes.h"
#include "base/TextFile.h"
#include "component/SciMessages.h"
#include "styling/StyleSetText.h"

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

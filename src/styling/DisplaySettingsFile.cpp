// Reading and writing edset.ini.
#include "styling/DisplaySettingsFile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

#include "base/AppState.h"
#include "base/FileAttributes.h"
#include "base/TextFile.h"

namespace {

// Two short lines are all the file ever holds; anything far larger is not read at start-up.
constexpr qint64 kMaxDisplaySettingsBytes = 1024 * 1024;

bool Contains(std::string_view text, std::string_view word) { return text.find(word) != std::string_view::npos; }

}  // namespace

DisplaySettings DisplaySettingsFromText(std::string_view text)
{
    DisplaySettings settings;
    settings.colorOn = !Contains(text, "COLOR=OFF");
    if (Contains(text, "BOLD=ALL"))
        settings.boldMode = BoldAll;
    if (Contains(text, "BOLD=SOME"))
        settings.boldMode = BoldSome;
    return settings;
}

std::string DisplaySettingsText(const DisplaySettings& settings)
{
    std::string text = settings.colorOn ? "COLOR=ON" : "COLOR=OFF";
    text += "\r\n";
    switch (settings.boldMode) {
    case BoldAll: text += "BOLD=ALL"; break;
    case BoldSome: text += "BOLD=SOME"; break;
    default: text += "BOLD=NONE"; break;
    }
    return text;
}

DisplaySettings ReadDisplaySettingsFile(const AppState& app, const DisplaySettings& current)
{
    const std::string path = app.SettingsFileToRead(std::string(kDisplaySettingsFileName));
    if (!RegularFileExists(path))
        return {};
    std::optional<std::string> text;
    if (QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).size() <= kMaxDisplaySettingsBytes)
        text = ReadTextFile(path);
    if (!text)
        return current;
    return DisplaySettingsFromText(*text);
}

bool WriteDisplaySettingsFile(const AppState& app, const DisplaySettings& settings)
{
    return WriteTextFile(app.SettingsFileToWrite(std::string(kDisplaySettingsFileName)), DisplaySettingsText(settings),
                         false);
}

// Text crossing between Qt's widgets and the editor's 8-bit byte strings.
#pragma once

#include <QString>

#include <string>

// Document text and the prompts that quote it: one byte is one character, shown as Latin-1,
// so every byte value survives the trip through a widget and back. A character a widget holds
// beyond Latin-1 has no byte and becomes "?".
std::string ToText8(const QString& text);
QString FromText8(const std::string& text);

// Paths in the local 8-bit encoding, as the file system and the user see them.
std::string ToLocal8(const QString& text);
QString FromLocal8(const std::string& text);

// A path quoted in a prompt: as the user sees it, as far as 8-bit text shows those characters.
std::string ShownPath(const std::string& path);

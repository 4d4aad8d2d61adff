// Text crossing between Qt's widgets and the editor's 8-bit byte strings.
#pragma once

#include <QString>

#include <string>

// Paths and texts in the local 8-bit encoding, as the file system and the user see them.
std::string ToLocal8(const QString& text);
QString FromLocal8(const std::string& text);

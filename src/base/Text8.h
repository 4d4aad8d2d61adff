// Text crossing between Qt's widgets and the editor's 8-bit byte strings.
#pragma once

#include <QString>

#include <string>
#include <string_view>

// Document text and the prompts that quote it: one byte is one character, shown as Latin-1,
// so every byte value survives the trip through a widget and back. A character a widget holds
// beyond Latin-1 has no byte and becomes "?".
std::string ToText8(const QString& text);
QString FromText8(const std::string& text);

// A program's bytes show as UTF-8 when they are valid UTF-8 holding at least one multi-byte
// sequence (a program written on Linux, "(BOHRUNG \xC3\x9850)"); any other program shows one
// byte one character, as Latin-1. Either way the bytes are kept: only the characters shown,
// typed and searched for follow the choice.
bool ShowsAsUtf8(std::string_view bytes);
// ShowsAsUtf8 decided piece by piece, for a text that is never whole in one place: a sequence
// may be cut between two pieces.
class Utf8Check {
public:
    void Add(std::string_view piece);
    // ShowsAsUtf8 of all the pieces added, one after the other.
    bool ShowsAsUtf8() const { return valid_ && multiByte_ && carry_.empty(); }

private:
    bool valid_ = true;
    bool multiByte_ = false;
    std::string carry_;  // the start of a sequence cut at the end of the last piece
};
// Text for and from a document in its encoding: UTF-8, or 8-bit as ToText8 and FromText8.
std::string ToDocumentText(const QString& text, bool utf8);
QString FromDocumentText(std::string_view bytes, bool utf8);

// Paths in the local 8-bit encoding, as the file system and the user see them.
std::string ToLocal8(const QString& text);
QString FromLocal8(const std::string& text);

// A path quoted in a prompt: as the user sees it, as far as 8-bit text shows those characters.
std::string ShownPath(const std::string& path);

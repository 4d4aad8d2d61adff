// The styling state shared by the editor window and the whole-document pass, and the routines
// that paint lines in the component.
#pragma once

#include <array>
#include <cstdint>
#include <string>

inline std::array<std::int32_t, 27> StyleModes{};  // style mode per style entry, 1..27 at [0..26]
inline bool StylingEnabled = false;                // set when a style set turns styling on
inline bool RestyleBusy = false;                   // a whole-document pass is running

// The text of a line with its line end; empty for a line that does not exist.
std::string GetLineText(std::int32_t line);
// The position of a line's first byte, negative for a line that does not exist.
std::int32_t GetLineStart(std::int32_t line);
// Paints one word (or, with entry 0 and mode 1, a whole line in style 0).
void SetStyleRun(std::int32_t position, std::int32_t length, std::uint8_t entry, std::int32_t mode);
// Styles one whole line; false when styling is off or the line does not exist.
bool StyleLine(std::int32_t line);
// Styles the lines firstLine..lastLine, both included; nothing while styling is off.
void StyleLines(std::int32_t firstLine, std::int32_t lastLine);

// Styles the whole document line by line, letting other events run; nothing while styling is
// off or a pass is already running.
void RestyleDocument();

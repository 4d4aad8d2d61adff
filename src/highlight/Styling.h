// The styling state shared by the editor window and the whole-document pass.
#pragma once

#include <array>
#include <cstdint>

inline std::array<std::int32_t, 27> StyleModes{};  // style mode per style entry, 1..27 at [0..26]
inline bool StylingEnabled = false;                // set when a style set turns styling on
inline bool RestyleBusy = false;                   // a whole-document pass is running

// Styles the lines firstLine..lastLine, both included; nothing while styling is off.
void StyleLines(std::int32_t firstLine, std::int32_t lastLine);

// Styles the whole document line by line, letting other events run; nothing while styling is
// off or a pass is already running.
void RestyleDocument();

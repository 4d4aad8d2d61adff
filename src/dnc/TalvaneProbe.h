// Is a usable Talvane running, is it installed beside the editor, and has it written its profiles.
#pragma once

#include <cstdint>

struct AppState;

// 41 for a live endpoint titled "Talvane 4.1", else 50 for "Talvane 5.0", else 0 (also for any
// failure). Titles are compared without regard to case; a stale socket file does not count. Only
// connects, never waits for an answer, so a listener that never replies cannot hold it up.
std::uint8_t GetTalvaneVersion();

// Talvane's program file `talvane`, a regular file in the program folder.
bool TalvaneInstalled(const AppState& app);
// Talvane's machine-profile file `Orvex.ini`, a regular file in the program folder.
bool ProfileFileExists(const AppState& app);

inline constexpr const char* TalvaneProgramFileName = "talvane";
inline constexpr const char* ProfileFileName = "Orvex.ini";

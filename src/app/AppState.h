// Application-wide values shared by the windows, one instance each.
#pragma once

#include <cstdint>
#include <string>

inline std::string ProgramFolder;    // folder of the executable, without a trailing "/"
inline std::string CommandLineFile;  // the arguments as one path, double quotes removed
inline bool AboutBoxMode = false;    // Form2 serves as the About box, not the start-up window
inline bool AppClosing = false;      // shutdown has begun
inline bool ColorOn = true;          // display settings
inline std::uint8_t BoldMode = 0;    // 0 none, 1 some, 2 all
inline bool StyleRestartRequested = false;  // a running whole-document pass starts over

// ProgramFolder + "/" + name: where every file of the application lives.
std::string ProgramFile(const std::string& name);

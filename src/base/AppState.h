// The application-wide values of the frame, one instance created at start-up and handed to the
// windows and routines that use them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AppState {
    // The arguments after the executable's name, byte for byte as the system gave them.
    std::vector<std::string> Arguments;
    std::string ProgramFolder;           // folder of the executable, without a trailing "/"
    std::string CommandLineFile;         // the arguments as one path, double quotes removed
    bool AboutBoxMode = false;           // Form2 serves as the About box, not the start-up window
    bool AppClosing = false;             // shutdown has begun
    bool ColorOn = true;                 // display settings
    std::uint8_t BoldMode = 0;           // 0 none, 1 some, 2 all
    bool StyleRestartRequested = false;  // a running whole-document pass starts over

    // ProgramFolder + "/" + name: where every file of the application lives.
    std::string ProgramFile(const std::string& name) const;
};

// The folder of the running executable, byte for byte as the system names it (a folder name need
// not be UTF-8), without a trailing "/".
std::string ExecutableFolder();

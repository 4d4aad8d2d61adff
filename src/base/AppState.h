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

    // ProgramFolder + "/" + name: where every file of the application lives.
    std::string ProgramFile(const std::string& name) const;
    // A shop installs the program folder where its users may not write. A file the user changes
    // (StyleSet.sty, edset.ini) is then saved in the user's own store ($XDG_CONFIG_HOME/varnotek),
    // and read from there once the user has saved one, else from the program folder, whose copy is
    // the shop's default. Where the user may write the program folder, both are that folder.
    std::string SettingsFileToRead(const std::string& name) const;
    // Makes the user's store, private, when it is the place.
    std::string SettingsFileToWrite(const std::string& name) const;
    // The file handed to Talvane: in the program folder, or, where the user may not write there, in
    // the user's own cache folder ($XDG_CACHE_HOME/varnotek), made private on first use.
    std::string HandOffFile(const std::string& name) const;
};

// The folder of the running executable, byte for byte as the system names it (a folder name need
// not be UTF-8), without a trailing "/".
std::string ExecutableFolder();

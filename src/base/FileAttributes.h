// The file attribute checks behind Open and NoOverwrite, in their POSIX form.
#pragma once

#include <string>

// Each flag is looked up on its own; callers check hiddenOrUnreadable first, then system,
// then readOnly.
struct FileAttributes {
    bool regularFile = false;         // the path names a regular file
    bool hiddenOrUnreadable = false;  // the path cannot be looked up, or the user may not read it
    bool system = false;              // it exists but is a folder, device, FIFO or socket
    bool readOnly = false;            // it exists and the user may not write it
};

// Symbolic links are followed; path is a local 8-bit path.
FileAttributes GetFileAttributes(const std::string& path);

// A regular file the user may read is at path; hidden and system files count as absent.
bool RegularFileExists(const std::string& path);

// The folder that holds path: "." for a bare name, "/" for a name in the root.
std::string FolderOf(const std::string& path);

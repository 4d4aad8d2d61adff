// Attribute checks from stat and access, following symbolic links.
#include "base/FileAttributes.h"

#include <sys/stat.h>
#include <unistd.h>

FileAttributes GetFileAttributes(const std::string& path)
{
    FileAttributes attributes;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        attributes.hiddenOrUnreadable = true;
        return attributes;
    }
    attributes.regularFile = S_ISREG(info.st_mode);
    attributes.system = !attributes.regularFile;
    // access() also answers for immutable files and read-only mounts, which mode bits do not.
    attributes.hiddenOrUnreadable = ::access(path.c_str(), R_OK) != 0;
    attributes.readOnly = ::access(path.c_str(), W_OK) != 0;
    return attributes;
}

bool RegularFileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

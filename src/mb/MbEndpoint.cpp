// Endpoint folder checks and endpoint probing, on POSIX calls so that nothing blocks.
#include "mb/MbEndpoint.h"

#include "base/FileDescriptor.h"

#include <QByteArray>
#include <QDir>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace mb {
namespace {

bool IsUsableFolder(const struct stat& info)
{
    return S_ISDIR(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

}  // namespace

std::string EndpointFolderPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0')
        return std::string(runtime) + "/mbinterproc";
    return QDir::tempPath().toStdString() + "/mbinterproc-" + std::to_string(::geteuid());
}

bool PrepareEndpointFolder(const std::string& folder)
{
    struct stat info {};
    if (::lstat(folder.c_str(), &info) == 0)
        return IsUsableFolder(info);
    if (errno != ENOENT)
        return false;
    if (::mkdir(folder.c_str(), 0700) == 0) {
        // The umask may have taken bits away; the owner needs all three.
        if (::chmod(folder.c_str(), 0700) != 0)
            return false;
    } else if (errno != EEXIST) {
        return false;
    }
    return ::lstat(folder.c_str(), &info) == 0 && IsUsableFolder(info);
}

std::optional<std::string> EndpointFolder()
{
    std::string folder = EndpointFolderPath();
    if (!PrepareEndpointFolder(folder))
        return std::nullopt;
    return folder;
}

std::string LowerName(std::string_view name)
{
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool IsValidEndpointName(std::string_view name, std::string_view folder)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
        return false;
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    if (QString::fromUtf8(bytes).toUtf8() != bytes)
        return false;
    // The path and its terminating NUL must fit the socket address.
    return folder.size() + 1 + name.size() < sizeof(sockaddr_un::sun_path);
}

std::string EndpointPath(std::string_view folder, std::string_view lowerName)
{
    std::string path(folder);
    path += '/';
    path += lowerName;
    return path;
}

EndpointState ProbeEndpoint(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return errno == ENOENT ? EndpointState::Absent : EndpointState::Foreign;
    if (!S_ISSOCK(info.st_mode))
        return EndpointState::Foreign;
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path))
        return EndpointState::Foreign;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const FileDescriptor fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (fd.get() < 0)
        return EndpointState::Foreign;
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
        return EndpointState::Live;
    switch (errno) {
    case ECONNREFUSED: return EndpointState::Stale;
    case EAGAIN:
    case EINPROGRESS: return EndpointState::Live;  // listening, backlog full
    case ENOENT: return EndpointState::Absent;
    default: return EndpointState::Foreign;
    }
}

bool EndpointIsLive(std::string_view name)
{
    const std::optional<std::string> folder = EndpointFolder();
    const std::string lower = LowerName(name);
    if (!folder || !IsValidEndpointName(lower, *folder))
        return false;
    return ProbeEndpoint(EndpointPath(*folder, lower)) == EndpointState::Live;
}

void RemoveEndpointsOfEndedProcesses(const std::string& folder, std::string_view prefix)
{
    DIR* entries = ::opendir(folder.c_str());
    if (!entries)
        return;
    while (const dirent* entry = ::readdir(entries)) {
        const std::string_view name(entry->d_name);
        if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 9 ||
            name.substr(prefix.size()).find_first_not_of("0123456789") != std::string_view::npos)
            continue;
        const pid_t pid = std::atoi(std::string(name.substr(prefix.size())).c_str());
        struct stat info {};
        const std::string path = folder + "/" + std::string(name);
        // Only a socket of this user whose process is gone; a live one answers kill(pid, 0).
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH && ::lstat(path.c_str(), &info) == 0 &&
            S_ISSOCK(info.st_mode) && info.st_uid == ::geteuid())
            ::unlink(path.c_str());
    }
    ::closedir(entries);
}

}  // namespace mb

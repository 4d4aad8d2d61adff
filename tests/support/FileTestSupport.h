// Raw file access and child processes for the tests that work on real files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

inline constexpr uid_t kNobody = 65534;
inline constexpr int kChildSetupFailed = 125;

// Plain system calls, so that no name is re-encoded on the way.
inline QByteArray OnDisk(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QByteArray("<unreadable>");
    QByteArray bytes;
    char chunk[65536];
    ssize_t got = 0;
    while ((got = ::read(fd, chunk, sizeof chunk)) > 0)
        bytes.append(chunk, got);
    ::close(fd);
    return got == 0 ? bytes : QByteArray("<unreadable>");
}

inline bool PutOnDisk(const std::string& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// The exit code of check run in a child process, or -1 when the child died.
inline int RunInChild(const std::function<int()>& check)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(check());
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Root bypasses permission bits, so permission cases run as nobody in a child, in a folder
// handed over to that user.
inline int RunUnprivileged(const QTemporaryDir& dir, const std::function<int()>& check)
{
    if (::geteuid() == 0 && ::chown(QFile::encodeName(dir.path()).constData(), kNobody, kNobody) != 0)
        return kChildSetupFailed;
    return RunInChild([&check] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return kChildSetupFailed;
        return check();
    });
}

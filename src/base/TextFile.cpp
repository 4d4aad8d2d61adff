// ReadTextFile and WriteTextFile: whole files, every byte accounted for.
#include "base/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <fcntl.h>
#include <new>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

#include "base/FileAttributes.h"
#include "base/FileDescriptor.h"

namespace {

// True when exactly size bytes were read and the file ends there.
bool ReadWhole(int fd, char* buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    // A file longer than its reported size (grown meanwhile, or a kernel pseudo-file) was not
    // read whole.
    char extra = 0;
    ssize_t got = 0;
    do {
        got = ::read(fd, &extra, 1);
    } while (got < 0 && errno == EINTR);
    return got == 0;
}

// Under a file size limit the default action of SIGXFSZ kills the process, and the unsaved
// text with it; ignored, the write fails with EFBIG and the save reports failure. Looked at on
// every save, since a child process or a library may have reset it; a handler the application
// installed itself is left alone.
void IgnoreFileSizeSignal()
{
    struct sigaction current {};
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && !(current.sa_flags & SA_SIGINFO) &&
        current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

// The file a save must replace: the final target of a chain of symbolic links, so that the
// links survive. nullopt for a loop or an unreadable link.
std::optional<std::string> FinalLinkTarget(std::string path)
{
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size())
            return std::nullopt;
        target.resize(static_cast<std::size_t>(length));
        const std::size_t slash = path.rfind('/');
        if (target.front() != '/' && slash != std::string::npos)
            target.insert(0, path, 0, slash + 1);
        path = std::move(target);
    }
    return std::nullopt;
}

// True when all of text reached the file; a short write means a full disk or a size limit.
bool WriteWhole(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Replacing a file by rename needs a new file in its folder, is refused in a sticky folder for
// a file of another user, gives the file to the saver and cuts it off from its other hard
// links. In those cases the existing file is overwritten instead.
bool MustWriteInPlace(const std::string& path, const struct stat& existing)
{
    return existing.st_nlink > 1 || existing.st_uid != ::geteuid() ||
           ::access(FolderOf(path).c_str(), W_OK | X_OK) != 0;
}

// Overwrites the existing file at path, which keeps its inode, owner, group and links. Unlike
// the atomic replace, a failure part-way leaves the file damaged: the old content is gone and
// the new one incomplete. That is the price of keeping the file's identity, which is why this
// path is only taken where the atomic one cannot work or would change who owns the file.
bool WriteInPlace(const std::string& path, const std::string& text)
{
    // No O_CREAT: the file was there a moment ago, and a vanished one is not recreated here
    // with the wrong owner. O_NONBLOCK in case it was swapped for a FIFO since; fstat decides.
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool written = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && WriteWhole(fd, text) &&
                         ::ftruncate(fd, static_cast<off_t>(text.size())) == 0 && ::fsync(fd) == 0;
    // Some file systems only report a failed write when the file is closed.
    return ::close(fd) == 0 && written;
}

// existing: the file being replaced, if any, whose group the new file takes over (a new file
// gets the saver's main group, while the user may keep a file in another of their groups).
bool ReplaceAtomically(const QString& name, const std::string& text, const struct stat* existing)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const auto size = static_cast<qint64>(text.size());
    // The temporary file is removed unless committed, so every early return keeps the old file.
    if (file.write(text.data(), size) != size || !file.flush() || ::fsync(file.handle()) != 0)
        return false;
    if (existing && ::fchown(file.handle(), static_cast<uid_t>(-1), existing->st_gid) == 0)
        ::fchmod(file.handle(), existing->st_mode & 07777);  // a change of group clears set-id bits
    return file.commit();
}

}  // namespace

std::optional<std::string> ReadTextFile(const std::string& path)
{
    // Looking first keeps devices and FIFOs from being opened at all.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    // O_NONBLOCK in case the path was swapped for a FIFO since; fstat then decides.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) || !FitsInDocument(info.st_size))
        return std::nullopt;
    try {
        std::string text(static_cast<std::size_t>(info.st_size), '\0');
        if (!ReadWhole(file.get(), text.data(), text.size()))
            return std::nullopt;
        return text;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool WriteTextFile(const std::string& path, const std::string& text, bool noOverwrite)
{
    if (noOverwrite && RegularFileExists(path))
        return false;
    const std::optional<std::string> target = FinalLinkTarget(path);
    if (!target)
        return false;
    // A save never turns a folder, device or FIFO into a regular file, and a rename must not
    // get past a file the user may not write.
    struct stat info {};
    const bool exists = ::stat(target->c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || ::access(target->c_str(), W_OK) != 0))
        return false;
    // A name that is not valid in the local encoding would be saved under a different name.
    const QString name = QFile::decodeName(QByteArray::fromStdString(*target));
    if (QFile::encodeName(name).toStdString() != *target)
        return false;

    IgnoreFileSizeSignal();
    if (exists && MustWriteInPlace(*target, info))
        return WriteInPlace(*target, text);
    return ReplaceAtomically(name, text, exists ? &info : nullptr);
}

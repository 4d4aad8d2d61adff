// ReadTextFile, TextFileReader and WriteTextFile: every byte of a file accounted for.
#include "base/TextFile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <new>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

#include "base/FileAttributes.h"
#include "base/UserState.h"

namespace {

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

// True when all of text reached the file from its start; a short write means a full disk or a
// size limit.
bool WriteWhole(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::pwrite(fd, text.data() + done, text.size() - done, static_cast<off_t>(done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += static_cast<std::size_t>(put);
    }
    return true;
}

// Copies the first size bytes of from over the start of to, without holding them in memory.
bool CopyWhole(int from, int to, off_t size)
{
    if (::lseek(to, 0, SEEK_SET) != 0)
        return false;
    off_t offset = 0;
    while (offset < size) {
        const ssize_t sent = ::sendfile(to, from, &offset, static_cast<std::size_t>(size - offset));
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
    }
    return true;
}

// Makes sure the file can grow to size bytes before any of it is overwritten: a file size limit
// is looked at, and the disk space taken (or, where the file system cannot reserve, counted).
bool Reserve(int fd, std::size_t size)
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && size > limit.rlim_cur)
        return false;
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return false;
    struct stat info {};
    struct statvfs disk {};
    return ::fstat(fd, &info) == 0 && ::fstatvfs(fd, &disk) == 0 &&
           static_cast<std::uintmax_t>(disk.f_bavail) * disk.f_frsize +
                   static_cast<std::uintmax_t>(info.st_blocks) * 512 >=
               size;
}

// A new private file for the earlier content of path: beside it when its folder takes new files,
// else in the user's own state folder. Its descriptor, or -1.
int CreateBackup(const std::string& path, std::string& backupPath)
{
    const std::string folder = FolderOf(path);
    const std::string name = path.substr(path.rfind('/') + 1) + ".backup-XXXXXX";
    for (const std::string& place : {folder, UserStateFolder()}) {
        if (place.empty() || (place == folder && ::access(folder.c_str(), W_OK | X_OK) != 0))
            continue;
        backupPath = place + "/" + name;
        const int fd = ::mkostemp(backupPath.data(), O_CLOEXEC);
        if (fd >= 0)
            return fd;
    }
    backupPath.clear();
    return -1;
}

// Replacing a file by rename needs a new file in its folder, is refused in a sticky folder for
// a file of another user, gives the file to the saver and cuts it off from its other hard
// links. In those cases the existing file is overwritten instead.
bool MustWriteInPlace(const std::string& path, const struct stat& existing, LinkPolicy links)
{
    return (existing.st_nlink > 1 && links == LinkPolicy::Follow) || existing.st_uid != ::geteuid() ||
           ::access(FolderOf(path).c_str(), W_OK | X_OK) != 0;
}

enum class Written { Yes, LeftAsItWas, Incomplete };

// Overwrites the existing file at path, which keeps its inode, owner, group and links. Nothing
// is overwritten before the earlier content is safely copied and the room for the new content
// taken; a write that fails all the same puts the earlier content back. Only when even that
// fails does the copy stay, named in backupPath.
Written WriteInPlace(const std::string& path, const std::string& text, LinkPolicy links, std::string& backupPath)
{
    // No O_CREAT: the file was there a moment ago, and a vanished one is not recreated here
    // with the wrong owner. O_NONBLOCK in case it was swapped for a FIFO since; fstat decides.
    const int noFollow = links == LinkPolicy::NeverThrough ? O_NOFOLLOW : 0;
    const FileDescriptor file(::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | noFollow));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        (links == LinkPolicy::NeverThrough && info.st_nlink > 1))
        return Written::LeftAsItWas;
    const FileDescriptor backup(CreateBackup(path, backupPath));
    const auto dropBackup = [&](const std::string& notice) {
        WithdrawNotice(notice);
        ::unlink(backupPath.c_str());
        backupPath.clear();
    };
    if (backup.get() < 0)
        return Written::LeftAsItWas;
    if (!CopyWhole(file.get(), backup.get(), info.st_size) || ::fsync(backup.get()) != 0) {
        dropBackup({});
        return Written::LeftAsItWas;
    }
    // For the next start, should the editor be killed before the new content is whole.
    const std::string notice =
        LeaveNotice("The editor stopped while it was saving '" + path +
                    "'. If that file is incomplete, its earlier content is kept in '" + backupPath + "'.");
    if (!Reserve(file.get(), text.size())) {
        dropBackup(notice);
        return Written::LeftAsItWas;
    }
    if (WriteWhole(file.get(), text) && ::ftruncate(file.get(), static_cast<off_t>(text.size())) == 0 &&
        ::fsync(file.get()) == 0) {
        dropBackup(notice);
        return Written::Yes;
    }
    if (CopyWhole(backup.get(), file.get(), info.st_size) && ::ftruncate(file.get(), info.st_size) == 0 &&
        ::fsync(file.get()) == 0) {
        dropBackup(notice);
        return Written::LeftAsItWas;
    }
    return Written::Incomplete;
}

enum class Replaced { Yes, No, GroupNotKept };

// existing: the file being replaced, if any, whose group the new file takes over (a new file
// gets the saver's main group, while the user may keep a file in another of their groups). A
// group the saver cannot give is found out before any text is written.
Replaced ReplaceAtomically(const QString& name, const std::string& text, const struct stat* existing)
{
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return Replaced::No;
    if (existing) {
        struct stat made {};
        const bool sameGroup = ::fstat(file.handle(), &made) == 0 && made.st_gid == existing->st_gid;
        if (!sameGroup && ::fchown(file.handle(), static_cast<uid_t>(-1), existing->st_gid) != 0)
            return Replaced::GroupNotKept;
        // The permissions Qt copies leave out the set-id bits, which a change of group clears too.
        ::fchmod(file.handle(), existing->st_mode & 07777);
    }
    const auto size = static_cast<qint64>(text.size());
    // The temporary file is removed unless committed, so every early return keeps the old file.
    if (file.write(text.data(), size) != size || !file.flush() || ::fsync(file.handle()) != 0)
        return Replaced::No;
    return file.commit() ? Replaced::Yes : Replaced::No;
}

// A descriptor for reading the regular file at path, or -1. Looking first keeps devices and
// FIFOs from being opened at all; O_NONBLOCK in case the path was swapped for a FIFO since,
// which the caller's fstat then finds.
int OpenRegularFile(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
}

}  // namespace

TextFileReader::TextFileReader(const std::string& path) : file_(OpenRegularFile(path))
{
    struct stat info {};
    if (file_.get() >= 0 && ::fstat(file_.get(), &info) == 0 && S_ISREG(info.st_mode) && FitsInDocument(info.st_size))
        size_ = info.st_size;
}

bool TextFileReader::Read(char* buffer, std::size_t size)
{
    if (size_ < 0)
        return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(file_.get(), buffer + done, size - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        done += static_cast<std::size_t>(got);
    }
    return true;
}

bool TextFileReader::AtEnd()
{
    // A file longer than its reported size (grown meanwhile, or a kernel pseudo-file) was not
    // read whole.
    char extra = 0;
    ssize_t got = 0;
    do {
        got = ::read(file_.get(), &extra, 1);
    } while (got < 0 && errno == EINTR);
    return size_ >= 0 && got == 0;
}

std::optional<std::string> ReadTextFile(const std::string& path)
{
    TextFileReader file(path);
    if (file.Size() < 0)
        return std::nullopt;
    try {
        std::string text(static_cast<std::size_t>(file.Size()), '\0');
        if (!file.Read(text.data(), text.size()) || !file.AtEnd())
            return std::nullopt;
        return text;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

SaveResult SaveTextFile(const std::string& path, const std::string& text, bool noOverwrite, LinkPolicy links)
{
    SaveResult result;
    struct stat info {};
    result.existed = ::lstat(path.c_str(), &info) == 0;
    if (noOverwrite && RegularFileExists(path))
        return result;
    if (links == LinkPolicy::NeverThrough && result.existed && S_ISLNK(info.st_mode))
        return result;
    const std::optional<std::string> target = FinalLinkTarget(path);
    if (!target)
        return result;
    // A save never turns a folder, device or FIFO into a regular file, and a rename must not
    // get past a file the user may not write.
    const bool exists = ::stat(target->c_str(), &info) == 0;
    result.existed = exists;
    if (exists && (!S_ISREG(info.st_mode) || ::access(target->c_str(), W_OK) != 0))
        return result;
    // A name that is not valid in the local encoding would be saved under a different name.
    const QString name = QFile::decodeName(QByteArray::fromStdString(*target));
    if (QFile::encodeName(name).toStdString() != *target)
        return result;

    IgnoreFileSizeSignal();
    if (!exists || !MustWriteInPlace(*target, info, links)) {
        const Replaced replaced = ReplaceAtomically(name, text, exists ? &info : nullptr);
        if (replaced != Replaced::GroupNotKept) {
            result.saved = replaced == Replaced::Yes;
            return result;
        }
    }
    const Written written = WriteInPlace(*target, text, links, result.backup);
    result.saved = written == Written::Yes;
    return result;
}

bool WriteTextFile(const std::string& path, const std::string& text, bool noOverwrite)
{
    return SaveTextFile(path, text, noOverwrite).saved;
}

// Reading and saving whole text files, and the attribute checks, on real files.
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <linux/fs.h>
#include <optional>
#include <string>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/FileAttributes.h"
#include "ImmutableFlag.h"
#include "editor/TextFile.h"

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kChildSetupFailed = 125;

// Paths stay bytes, so names that are not valid in the local encoding survive.
std::string Join(const QTemporaryDir& dir, const std::string& name)
{
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
}

// Plain system calls, so that no name is re-encoded on the way.
QByteArray OnDisk(const std::string& path)
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

bool PutOnDisk(const std::string& path, const QByteArray& bytes)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// Every byte value, each kind of line end, and a last line without one.
QByteArray AllBytesText()
{
    QByteArray text;
    for (int value = 0; value < 256; ++value)
        text.append(static_cast<char>(value));
    text.append("N10 G00 X0\r\nN20 G01 Y5\nN30 M05\rN40 \xA7\xFF\x00 M30", 36);
    return text;
}

// The exit code of check run in a child process, or -1 when the child died.
int RunInChild(const std::function<int()>& check)
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
int RunUnprivileged(const QTemporaryDir& dir, const std::function<int()>& check)
{
    if (::geteuid() == 0 && ::chown(QFile::encodeName(dir.path()).constData(), kNobody, kNobody) != 0)
        return kChildSetupFailed;
    return RunInChild([&check] {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            return kChildSetupFailed;
        return check();
    });
}


// Creates the kind of entry a row names at path; false when it could not.
bool MakeEntry(const QByteArray& kind, const std::string& path, const QTemporaryDir& dir)
{
    const char* p = path.c_str();
    auto file = [p](mode_t mode) {
        const int fd = ::open(p, O_WRONLY | O_CREAT | O_EXCL, 0600);
        return fd >= 0 && ::write(fd, "G00", 3) == 3 && ::close(fd) == 0 && ::chmod(p, mode) == 0;
    };
    if (kind == "file")
        return file(0644);
    if (kind == "read-only file")
        return file(0444);
    if (kind == "unreadable file")
        return file(0200);
    if (kind == "directory")
        return ::mkdir(p, 0755) == 0;
    if (kind == "fifo")
        return ::mkfifo(p, 0644) == 0;
    if (kind == "device")
        return ::symlink("/dev/null", p) == 0;
    if (kind == "link to file")
        return PutOnDisk(Join(dir, "linked"), "G01") && ::symlink("linked", p) == 0;
    if (kind == "link to fifo")
        return ::mkfifo(Join(dir, "linked").c_str(), 0644) == 0 && ::symlink("linked", p) == 0;
    if (kind == "dangling link")
        return ::symlink("nowhere", p) == 0;
    if (kind == "link to a name not in the local encoding")
        return PutOnDisk(Join(dir, "caf\xE9.nc"), "G03") && ::symlink("caf\xE9.nc", p) == 0;
    if (kind == "file in unsearchable folder") {
        const std::string folder = Join(dir, "closed");
        return ::mkdir(folder.c_str(), 0755) == 0 && ::symlink("closed/inner", p) == 0
            && PutOnDisk(folder + "/inner", "G02") && ::chmod(folder.c_str(), 0) == 0;
    }
    return kind == "missing";
}

QStringList Entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class TextFileTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data();
    void roundTrip();
    void readRefuses_data();
    void readRefuses();
    void readRefusesTwoGiB();
    void readRefusesIncompleteRead_data();
    void readRefusesIncompleteRead();
    void attributes_data();
    void attributes();
    void saveKeepsPermissions_data();
    void saveKeepsPermissions();
    void saveReplacesLinkTarget_data();
    void saveReplacesLinkTarget();
    void saveFails_data();
    void saveFails();
    void saveOverImmutableFileFails();
    void saveOverReadOnlyFileFails();
    void saveUnderFileSizeLimitKeepsOldFile_data();
    void saveUnderFileSizeLimitKeepsOldFile();
    void noOverwrite_data();
    void noOverwrite();
};

void TextFileTest::roundTrip_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("every byte and line end") << AllBytesText();
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("the old failure marker") << QByteArray("NO_HANDLE");
    QTest::newRow("lone CR at end") << QByteArray("M30\r");
    QByteArray large = AllBytesText().repeated(50 * 1024 * 1024 / AllBytesText().size() + 1);
    QTest::newRow("50 MB") << large;
}

void TextFileTest::roundTrip()
{
    QFETCH(QByteArray, text);
    QTemporaryDir dir;
    const std::string path = Join(dir, "part.nc");
    QVERIFY(PutOnDisk(path, "old content that is longer than some of the texts"));

    QVERIFY(WriteTextFile(path, text.toStdString(), false));
    QVERIFY(OnDisk(path) == text);
    const std::optional<std::string> read = ReadTextFile(path);
    QVERIFY(read.has_value());
    QVERIFY(*read == text.toStdString());
    QCOMPARE(Entries(dir), QStringList{QStringLiteral("part.nc")});
}

void TextFileTest::readRefuses_data()
{
    QTest::addColumn<QByteArray>("kind");
    for (const char* kind : {"missing", "directory", "fifo", "device", "link to fifo", "dangling link"})
        QTest::newRow(kind) << QByteArray(kind);
}

void TextFileTest::readRefuses()
{
    QFETCH(QByteArray, kind);
    QTemporaryDir dir;
    const std::string path = Join(dir, "entry");
    QVERIFY(MakeEntry(kind, path, dir));
    // A FIFO without a writer would hang here if it were opened for a blocking read.
    QVERIFY(!ReadTextFile(path).has_value());
}

void TextFileTest::readRefusesTwoGiB()
{
    QTemporaryDir dir;
    const std::string path = Join(dir, "huge.nc");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    QVERIFY(fd >= 0);
    const bool sized = ::ftruncate(fd, kMaxTextFileBytes + 1) == 0;
    ::close(fd);
    QVERIFY(sized);
    QVERIFY(!ReadTextFile(path).has_value());
}

void TextFileTest::readRefusesIncompleteRead_data()
{
    QTest::addColumn<QString>("path");
    // Kernel attribute files report a size of a page and hold a few bytes; process files report
    // nothing and hold more.
    QTest::newRow("shorter than its size") << QStringLiteral("/sys/kernel/mm/transparent_hugepage/enabled");
    QTest::newRow("longer than its size") << QStringLiteral("/proc/self/status");
}

void TextFileTest::readRefusesIncompleteRead()
{
    QFETCH(QString, path);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || ::access(QFile::encodeName(path).constData(), R_OK) != 0)
        QSKIP("this kernel file is not available here");
    QVERIFY(!ReadTextFile(QFile::encodeName(path).toStdString()).has_value());
}

void TextFileTest::attributes_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<int>("expected");
    enum { Regular = 1, Hidden = 2, System = 4, ReadOnly = 8, Exists = 16, Readable = 32 };
    QTest::newRow("file") << QByteArray("file") << (Regular | Exists | Readable);
    QTest::newRow("read-only file") << QByteArray("read-only file") << (Regular | ReadOnly | Exists | Readable);
    QTest::newRow("unreadable file") << QByteArray("unreadable file") << (Regular | Hidden);
    QTest::newRow("missing") << QByteArray("missing") << int(Hidden);
    QTest::newRow("directory") << QByteArray("directory") << int(System);
    QTest::newRow("fifo") << QByteArray("fifo") << int(System);
    QTest::newRow("device") << QByteArray("device") << int(System);
    QTest::newRow("link to file") << QByteArray("link to file") << (Regular | Exists | Readable);
    QTest::newRow("dangling link") << QByteArray("dangling link") << int(Hidden);
    QTest::newRow("file in unsearchable folder") << QByteArray("file in unsearchable folder") << int(Hidden);
}

void TextFileTest::attributes()
{
    QFETCH(QByteArray, kind);
    QFETCH(int, expected);
    QTemporaryDir dir;
    const std::string path = Join(dir, "entry");
    const int found = RunUnprivileged(dir, [&] {
        if (!MakeEntry(kind, path, dir))
            return kChildSetupFailed;
        const FileAttributes a = GetFileAttributes(path);
        const int flags = (a.regularFile ? 1 : 0) | (a.hiddenOrUnreadable ? 2 : 0) | (a.system ? 4 : 0)
            | (a.readOnly ? 8 : 0) | (RegularFileExists(path) ? 16 : 0) | (ReadTextFile(path) ? 32 : 0);
        ::chmod(Join(dir, "closed").c_str(), 0755);
        return flags;
    });
    QCOMPARE(found, expected);
}

void TextFileTest::saveKeepsPermissions_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("0640 kept") << 0640 << 0640;
    QTest::newRow("0755 kept") << 0755 << 0755;
    QTest::newRow("new file under umask 022") << -1 << 0644;
}

void TextFileTest::saveKeepsPermissions()
{
    QFETCH(int, before);
    QFETCH(int, after);
    QTemporaryDir dir;
    const std::string path = Join(dir, "part.nc");
    if (before >= 0) {
        QVERIFY(PutOnDisk(path, "old"));
        QCOMPARE(::chmod(path.c_str(), static_cast<mode_t>(before)), 0);
    }
    const mode_t oldMask = ::umask(022);
    const bool written = WriteTextFile(path, "N10 M30\r\n", false);
    ::umask(oldMask);
    QVERIFY(written);
    struct stat info {};
    QCOMPARE(::stat(path.c_str(), &info), 0);
    QCOMPARE(static_cast<int>(info.st_mode & 07777), after);
    QCOMPARE(OnDisk(path), QByteArray("N10 M30\r\n"));
}

void TextFileTest::saveReplacesLinkTarget_data()
{
    QTest::addColumn<QByteArray>("linkText");
    QTest::addColumn<bool>("targetExists");
    QTest::newRow("relative link") << QByteArray("target.nc") << true;
    QTest::newRow("link to a link") << QByteArray("middle") << true;
    QTest::newRow("dangling link") << QByteArray("target.nc") << false;
}

void TextFileTest::saveReplacesLinkTarget()
{
    QFETCH(QByteArray, linkText);
    QFETCH(bool, targetExists);
    QTemporaryDir dir;
    const std::string target = Join(dir, "target.nc");
    const std::string link = Join(dir, "link.nc");
    if (targetExists)
        QVERIFY(PutOnDisk(target, "old target"));
    QCOMPARE(::symlink("target.nc", Join(dir, "middle").c_str()), 0);
    QCOMPARE(::symlink(linkText.constData(), link.c_str()), 0);

    QVERIFY(WriteTextFile(link, "G00 X1", false));
    QCOMPARE(OnDisk(target), QByteArray("G00 X1"));
    struct stat info {};
    QCOMPARE(::lstat(link.c_str(), &info), 0);
    QVERIFY(S_ISLNK(info.st_mode));
    char stored[64] = {};
    QCOMPARE(::readlink(link.c_str(), stored, sizeof stored - 1), static_cast<ssize_t>(linkText.size()));
    QCOMPARE(QByteArray(stored), linkText);
}

void TextFileTest::saveFails_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<QByteArray>("name");
    QTest::newRow("missing folder") << QByteArray("missing") << QByteArray("no/such/folder.nc");
    QTest::newRow("directory") << QByteArray("directory") << QByteArray("entry");
    QTest::newRow("fifo") << QByteArray("fifo") << QByteArray("entry");
    QTest::newRow("link to fifo") << QByteArray("link to fifo") << QByteArray("entry");
    QTest::newRow("name not in the local encoding") << QByteArray("missing") << QByteArray("caf\xE9.nc");
    QTest::newRow("link to a name not in the local encoding")
        << QByteArray("link to a name not in the local encoding") << QByteArray("entry");
}

void TextFileTest::saveFails()
{
    QFETCH(QByteArray, kind);
    QFETCH(QByteArray, name);
    QTemporaryDir dir;
    const std::string path = Join(dir, name.toStdString());
    // QTemporaryDir cannot remove a name it cannot decode.
    const auto removeUndecodable = qScopeGuard([&dir] { ::unlink(Join(dir, "caf\xE9.nc").c_str()); });
    QVERIFY(MakeEntry(kind, path, dir));
    const QStringList before = Entries(dir);

    QVERIFY(!WriteTextFile(path, "G00", false));
    QCOMPARE(Entries(dir), before);
    struct stat info {};
    if (kind == "directory")
        QVERIFY(::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
    if (kind.contains("fifo"))
        QVERIFY(::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    if (kind.contains("encoding"))
        QCOMPARE(OnDisk(path), QByteArray("G03"));
}

void TextFileTest::saveOverImmutableFileFails()
{
    QTemporaryDir dir;
    const std::string path = Join(dir, "locked.nc");
    QVERIFY(PutOnDisk(path, "locked content"));
    const ImmutableFlag flag(path);
    if (!flag.isSet())
        QSKIP("the immutable flag needs CAP_LINUX_IMMUTABLE and a file system that has it");
    QVERIFY(GetFileAttributes(path).readOnly);
    QVERIFY(!WriteTextFile(path, "replacement", false));
    QCOMPARE(OnDisk(path), QByteArray("locked content"));
    QCOMPARE(Entries(dir), QStringList{QStringLiteral("locked.nc")});
}

void TextFileTest::saveOverReadOnlyFileFails()
{
    QTemporaryDir dir;
    const std::string path = Join(dir, "entry");
    const int result = RunUnprivileged(dir, [&] {
        if (!MakeEntry("read-only file", path, dir))
            return kChildSetupFailed;
        return WriteTextFile(path, "replacement", false) ? 1 : 0;
    });
    QCOMPARE(result, 0);
    QCOMPARE(OnDisk(path), QByteArray("G00"));
    QCOMPARE(Entries(dir), QStringList{QStringLiteral("entry")});
}

void TextFileTest::saveUnderFileSizeLimitKeepsOldFile_data()
{
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("textSize");
    QTest::newRow("limit of one block") << 4096 << 64 * 1024;
    QTest::newRow("one byte too many") << 100000 << 100001;
    QTest::newRow("nothing may grow") << 0 << 10;
}

void TextFileTest::saveUnderFileSizeLimitKeepsOldFile()
{
    QFETCH(int, limit);
    QFETCH(int, textSize);
    QTemporaryDir dir;
    const std::string path = Join(dir, "part.nc");
    const QByteArray old = AllBytesText();
    QVERIFY(PutOnDisk(path, old));
    const std::string text(static_cast<std::size_t>(textSize), 'X');

    // The child starts from the default action of SIGXFSZ, which would kill it.
    const int result = RunInChild([&] {
        std::signal(SIGXFSZ, SIG_DFL);
        struct rlimit fileSize {};
        if (::getrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return kChildSetupFailed;
        fileSize.rlim_cur = static_cast<rlim_t>(limit);
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
            return kChildSetupFailed;
        return WriteTextFile(path, text, false) ? 1 : 0;
    });
    QCOMPARE(result, 0);
    QVERIFY(OnDisk(path) == old);
    QCOMPARE(Entries(dir), QStringList{QStringLiteral("part.nc")});
}

void TextFileTest::noOverwrite_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<bool>("written");
    QTest::newRow("missing file is created") << QByteArray("missing") << true;
    QTest::newRow("existing file is kept") << QByteArray("file") << false;
    QTest::newRow("link to a file is kept") << QByteArray("link to file") << false;
    QTest::newRow("dangling link is followed") << QByteArray("dangling link") << true;
}

void TextFileTest::noOverwrite()
{
    QFETCH(QByteArray, kind);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const std::string path = Join(dir, "entry");
    QVERIFY(MakeEntry(kind, path, dir));
    const QByteArray before = OnDisk(path);

    QCOMPARE(WriteTextFile(path, "N10 G90", true), written);
    QCOMPARE(OnDisk(path), written ? QByteArray("N10 G90") : before);
    // Without the flag the same file is replaced.
    QVERIFY(WriteTextFile(path, "N20 G91", false));
    QCOMPARE(OnDisk(path), QByteArray("N20 G91"));
}

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"

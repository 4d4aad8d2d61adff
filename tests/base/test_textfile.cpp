// Reading and saving whole text files, and the attribute checks, on real files.
#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdlib>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "base/FileAttributes.h"
#include "base/TextFile.h"

namespace {

// Paths stay bytes, so names that are not valid in the local encoding survive.
std::string Join(const QTemporaryDir& dir, const std::string& name)
{
    return QFile::encodeName(dir.path()).toStdString() + "/" + name;
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

// Creates the kind of entry a row names at path; false when it could not. A kind that is an
// absolute path makes a link to that system file.
bool MakeEntry(const QByteArray& kind, const std::string& path, const QTemporaryDir& dir)
{
    const char* p = path.c_str();
    auto file = [p](mode_t mode) {
        const int fd = ::open(p, O_WRONLY | O_CREAT | O_EXCL, 0600);
        return fd >= 0 && ::write(fd, "G00", 3) == 3 && ::close(fd) == 0 && ::chmod(p, mode) == 0;
    };
    if (kind.startsWith('/'))
        return ::symlink(kind.constData(), p) == 0;
    if (kind == "file")
        return file(0644);
    if (kind == "read-only file")
        return file(0444);
    if (kind == "unreadable file")
        return file(0200);
    if (kind == "2 GiB file")
        return file(0644) && ::truncate(p, kMaxDocumentBytes + 1) == 0;
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
        return ::mkdir(folder.c_str(), 0755) == 0 && ::symlink("closed/inner", p) == 0 &&
               PutOnDisk(folder + "/inner", "G02") && ::chmod(folder.c_str(), 0) == 0;
    }
    return kind == "missing";
}

QStringList Entries(const QTemporaryDir& dir)
{
    return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace

class TextFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("every byte and line end") << AllBytesText();
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("the old failure marker") << QByteArray("NO_HANDLE");
        QTest::newRow("50 MB") << AllBytesText().repeated(50 * 1024 * 1024 / AllBytesText().size() + 1);
    }

    void roundTrip()
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

    // What each kind of entry looks like to the attribute checks and to the reader. A FIFO
    // without a writer would hang the reader if it were opened for a blocking read.
    void attributesAndReading_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<int>("expected");
        enum { Regular = 1, Hidden = 2, System = 4, ReadOnly = 8, Exists = 16, Readable = 32 };
        const auto row = [](const char* name, const char* kind, int expected) {
            QTest::newRow(name) << QByteArray(kind) << expected;
        };
        row("file", "file", Regular | Exists | Readable);
        row("read-only file", "read-only file", Regular | ReadOnly | Exists | Readable);
        row("unreadable file", "unreadable file", Regular | Hidden);
        row("missing", "missing", Hidden);
        row("directory", "directory", System);
        row("fifo", "fifo", System);
        row("device", "device", System);
        row("link to file", "link to file", Regular | Exists | Readable);
        row("link to fifo", "link to fifo", System);
        row("dangling link", "dangling link", Hidden);
        row("file in unsearchable folder", "file in unsearchable folder", Hidden);
        row("2 GiB file", "2 GiB file", Regular | Exists);
        // Kernel attribute files report a size of a page and hold a few bytes; process files
        // report nothing and hold more.
        row("shorter than its size", "/sys/kernel/mm/transparent_hugepage/enabled", Regular | ReadOnly | Exists);
        row("longer than its size", "/proc/self/status", Regular | ReadOnly | Exists);
    }

    void attributesAndReading()
    {
        QFETCH(QByteArray, kind);
        QFETCH(int, expected);
        if (kind.startsWith('/') && ::access(kind.constData(), R_OK) != 0)
            QSKIP("this kernel file is not available here");
        QTemporaryDir dir;
        const std::string path = Join(dir, "entry");
        const int found = RunUnprivileged(dir, [&] {
            if (!MakeEntry(kind, path, dir))
                return kChildSetupFailed;
            const FileAttributes a = GetFileAttributes(path);
            const int flags = (a.regularFile ? 1 : 0) | (a.hiddenOrUnreadable ? 2 : 0) | (a.system ? 4 : 0) |
                              (a.readOnly ? 8 : 0) | (RegularFileExists(path) ? 16 : 0) | (ReadTextFile(path) ? 32 : 0);
            ::chmod(Join(dir, "closed").c_str(), 0755);
            return flags;
        });
        QCOMPARE(found, expected);
    }

    void saveKeepsPermissions_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("0640 kept") << 0640 << 0640;
        QTest::newRow("0755 kept") << 0755 << 0755;
        QTest::newRow("new file under umask 022") << -1 << 0644;
    }

    void saveKeepsPermissions()
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

    void saveReplacesLinkTarget_data()
    {
        QTest::addColumn<QByteArray>("linkText");
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("relative link") << QByteArray("target.nc") << true;
        QTest::newRow("link to a link") << QByteArray("middle") << true;
        QTest::newRow("dangling link") << QByteArray("target.nc") << false;
    }

    void saveReplacesLinkTarget()
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
        char stored[64] = {};
        QCOMPARE(::readlink(link.c_str(), stored, sizeof stored - 1), static_cast<ssize_t>(linkText.size()));
        QCOMPARE(QByteArray(stored), linkText);
    }

    // Whoever saves, the file keeps its owner, permissions and other names; only a file the
    // saver owns alone in a writable folder is replaced by a new one, so that a crash during
    // the save cannot leave it half written.
    void saveKeepsFileIdentity_data()
    {
        QTest::addColumn<int>("folderMode");  // the folder belongs to root
        QTest::addColumn<uid_t>("owner");     // the file's group is nobody's
        QTest::addColumn<int>("fileMode");
        QTest::addColumn<bool>("hardLinked");
        QTest::addColumn<bool>("sameInode");
        QTest::newRow("own file in a writable folder") << 0777 << kNobody << 0644 << false << false;
        QTest::newRow("own file in a read-only folder") << 0555 << kNobody << 0644 << false << true;
        QTest::newRow("root's file in a sticky folder") << 01777 << uid_t{0} << 0666 << false << true;
        QTest::newRow("own file with a second name") << 0777 << kNobody << 0644 << true << true;
        QTest::newRow("root's group-writable file") << 0777 << uid_t{0} << 0664 << false << true;
    }

    void saveKeepsFileIdentity()
    {
        QFETCH(int, folderMode);
        QFETCH(uid_t, owner);
        QFETCH(int, fileMode);
        QFETCH(bool, hardLinked);
        QFETCH(bool, sameInode);
        if (::geteuid() != 0)
            QSKIP("handing files to other users needs root");
        QTemporaryDir dir;
        const std::string folder = Join(dir, "shared");
        const std::string path = folder + "/part.nc";
        const std::string other = folder + "/other.nc";
        QCOMPARE(::mkdir(folder.c_str(), 0755), 0);
        QVERIFY(PutOnDisk(path, "old content, longer than the new"));
        QCOMPARE(::chown(path.c_str(), owner, kNobody), 0);
        QCOMPARE(::chmod(path.c_str(), static_cast<mode_t>(fileMode)), 0);
        if (hardLinked)
            QCOMPARE(::link(path.c_str(), other.c_str()), 0);
        QCOMPARE(::chmod(folder.c_str(), static_cast<mode_t>(folderMode)), 0);
        struct stat before {};
        QCOMPARE(::stat(path.c_str(), &before), 0);
        const QStringList entries = QDir(QFile::decodeName(folder.c_str())).entryList(QDir::Files | QDir::Hidden);

        QCOMPARE(RunUnprivileged(dir, [&] { return WriteTextFile(path, "N10 G01 X5", false) ? 1 : 0; }), 1);
        struct stat after {};
        QCOMPARE(::stat(path.c_str(), &after), 0);
        QCOMPARE(OnDisk(path), QByteArray("N10 G01 X5"));
        if (hardLinked)
            QCOMPARE(OnDisk(other), QByteArray("N10 G01 X5"));
        QCOMPARE(after.st_uid, owner);
        QCOMPARE(after.st_gid, kNobody);
        QCOMPARE(static_cast<int>(after.st_mode & 07777), fileMode);
        QCOMPARE(after.st_ino == before.st_ino, sameInode);
        QCOMPARE(QDir(QFile::decodeName(folder.c_str())).entryList(QDir::Files | QDir::Hidden), entries);
    }

    // The atomic replace is a new file, yet it keeps the group the owner gave the old one.
    void atomicSaveKeepsTheGroup()
    {
        if (::geteuid() != 0)
            QSKIP("giving a file another group needs root");
        QTemporaryDir dir;
        const std::string path = Join(dir, "part.nc");
        QVERIFY(PutOnDisk(path, "G00") && ::chown(path.c_str(), 0, kNobody) == 0 && ::chmod(path.c_str(), 0640) == 0);
        struct stat before {
        }, after{};
        QCOMPARE(::stat(path.c_str(), &before), 0);
        QVERIFY(WriteTextFile(path, "G01", false));
        QCOMPARE(::stat(path.c_str(), &after), 0);
        QVERIFY(after.st_ino != before.st_ino);
        QCOMPARE(after.st_gid, kNobody);
        QCOMPARE(static_cast<int>(after.st_mode & 07777), 0640);
    }

    void saveFails_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("kept");  // the content that must stay, if any
        const auto row = [](const char* title, const char* kind, const char* name, const char* kept) {
            QTest::newRow(title) << QByteArray(kind) << QByteArray(name) << QByteArray(kept);
        };
        row("missing folder", "missing", "no/such/folder.nc", "");
        row("read-only file", "read-only file", "entry", "G00");
        row("directory", "directory", "entry", "");
        row("fifo", "fifo", "entry", "");
        row("link to fifo", "link to fifo", "entry", "");
        row("name not in the local encoding", "missing", "caf\xE9.nc", "");
        row("link to a name not in the local encoding", "link to a name not in the local encoding", "entry", "G03");
    }

    void saveFails()
    {
        QFETCH(QByteArray, kind);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, kept);
        QTemporaryDir dir;
        const std::string path = Join(dir, name.toStdString());
        // QTemporaryDir cannot remove a name it cannot decode.
        const auto removeUndecodable = qScopeGuard([&dir] { ::unlink(Join(dir, "caf\xE9.nc").c_str()); });
        QVERIFY(MakeEntry(kind, path, dir));
        const QStringList before = Entries(dir);

        QCOMPARE(RunUnprivileged(dir, [&] { return WriteTextFile(path, "G00 replaced", false) ? 1 : 0; }), 0);
        QCOMPARE(Entries(dir), before);
        if (!kept.isEmpty())
            QCOMPARE(OnDisk(path), kept);
        struct stat info {};
        if (kind == "directory")
            QVERIFY(::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode));
        if (kind.contains("fifo"))
            QVERIFY(::stat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode));
    }

    void saveUnderFileSizeLimitFails_data()
    {
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("textSize");
        QTest::addColumn<bool>("hardLinked");  // written in place, so the old text is lost
        QTest::newRow("limit of one block") << 4096 << 64 * 1024 << false;
        QTest::newRow("one byte too many") << 100000 << 100001 << false;
        QTest::newRow("nothing may grow") << 0 << 10 << false;
        QTest::newRow("in place, limit of one block") << 4096 << 64 * 1024 << true;
        QTest::newRow("in place, one byte too many") << 100000 << 100001 << true;
    }

    // A full disk, simulated by a file size limit in a child process.
    void saveUnderFileSizeLimitFails()
    {
        QFETCH(int, limit);
        QFETCH(int, textSize);
        QFETCH(bool, hardLinked);
        QTemporaryDir dir;
        const std::string path = Join(dir, "part.nc");
        const QByteArray old = AllBytesText();
        QVERIFY(PutOnDisk(path, old));
        if (hardLinked)
            QCOMPARE(::link(path.c_str(), Join(dir, "other.nc").c_str()), 0);
        const QStringList entries = Entries(dir);
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
        if (!hardLinked)
            QVERIFY(OnDisk(path) == old);
        QCOMPARE(Entries(dir), entries);
    }

    void noOverwrite_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("written");
        QTest::newRow("missing file is created") << QByteArray("missing") << true;
        QTest::newRow("existing file is kept") << QByteArray("file") << false;
        QTest::newRow("link to a file is kept") << QByteArray("link to file") << false;
        QTest::newRow("dangling link is followed") << QByteArray("dangling link") << true;
    }

    void noOverwrite()
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

    // A save killed at any moment leaves the old program or the new one, whole; what it leaves
    // behind does not stop the next save.
    void killedSaveLeavesOneWholeFile()
    {
        QTemporaryDir dir;
        const std::string path = Join(dir, "big.nc");
        const std::string versions[] = {std::string(100 << 20, 'A'), std::string(100 << 20, 'B')};
        QVERIFY(WriteTextFile(path, versions[0], false));
        std::srand(7);
        for (int round = 0; round < 20; ++round) {
            const std::string& next = versions[(round + 1) % 2];
            const pid_t child = ::fork();
            if (child == 0)
                ::_exit(WriteTextFile(path, next, false) ? 0 : 1);
            ::usleep(useconds_t(std::rand() % 400000));
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            const QByteArray onDisk = OnDisk(path);
            QVERIFY2(onDisk == QByteArray::fromStdString(versions[0]) ||
                         onDisk == QByteArray::fromStdString(versions[1]),
                     qPrintable(QString("round %1: %2 bytes").arg(round).arg(onDisk.size())));
        }
        QVERIFY(WriteTextFile(path, "N10 M30\r\n", false));
        QCOMPARE(OnDisk(path), QByteArray("N10 M30\r\n"));
    }
};

QTEST_GUILESS_MAIN(TextFileTest)
#include "test_textfile.moc"

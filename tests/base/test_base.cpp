// The base library's plain rules, and the raw file routines on real files as the user running the
// tests (as nobody when that is root, unless root is named): what is refused, what a save keeps of
// the file it replaces, what a full disk or a kill leaves.
// Byte fidelity and the attribute boxes are checked through the editor in tests/editor.
#include <QDir>
#include <QScopeGuard>
#include <QTest>

#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include "FileTestSupport.h"
#include "base/CommandLine.h"
#include "base/FileAttributes.h"
#include "base/TextFile.h"
#include "base/UserState.h"

namespace {

constexpr uid_t kNobody = 65534;
const QByteArray Old = "G00 old, longer than the new", New = "N10 G01 X5";

std::string Join(const QTemporaryDir& dir, const std::string& name) { return dir.path().toStdString() + "/" + name; }

// The exit code of check run in a child process, -1 when it died. Root bypasses permission bits,
// so unless asRoot the child runs as nobody, in dir handed over to that user, with a state
// folder of its own.
int InChild(const QTemporaryDir& dir, bool asRoot, const std::function<int()>& check)
{
    const bool drop = ::geteuid() == 0 && !asRoot;
    const QTemporaryDir state;
    if (drop && (::chown(dir.path().toLocal8Bit(), kNobody, kNobody) != 0 ||
                 ::chown(state.path().toLocal8Bit(), kNobody, kNobody) != 0))
        return -1;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setenv("XDG_STATE_HOME", state.path().toLocal8Bit(), 1) != 0 ||
                        (drop && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                    ? 125
                    : check());
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The entry a row's first word names: a file of that octal mode, "fifo" or "->target";
// "hard" gives the file a second name. Root hands it to owner, in nobody's group or, for
// "root group", in root's.
bool MakeEntry(const QByteArray& kind, const std::string& path, uid_t owner = kNobody)
{
    const gid_t group = kind.contains("root group") ? 0 : kNobody;
    const QByteArray entry = kind.split(' ')[0];
    const bool made = entry == "fifo"          ? ::mkfifo(path.c_str(), 0644) == 0
                      : entry.startsWith("->") ? ::symlink(entry.mid(2).constData(), path.c_str()) == 0
                                               : PutOnDisk(path, Old);
    return made && (::geteuid() != 0 || ::lchown(path.c_str(), owner, group) == 0) &&
           (entry.toUInt() == 0 || ::chmod(path.c_str(), entry.toUInt(nullptr, 8)) == 0) &&
           (!kind.contains("hard") || ::link(path.c_str(), (path + "2").c_str()) == 0);
}

// Saves text to path in a child process that is killed at its stop-th stop (the first is its
// own, then the entry and the exit of each system call). 0 when the save ended first, -1 when
// the child may not be traced here.
int KilledSave(const std::string& path, const std::string& text, int stop)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0 || ::raise(SIGSTOP) != 0
                    ? 125
                    : !WriteTextFile(path, text, false));
    int status = 0;
    for (int seen = 0; ::waitpid(child, &status, 0) == child && WIFSTOPPED(status); ++seen)
        if (seen == stop)
            ::kill(child, SIGKILL);
        else
            ::ptrace(PTRACE_SYSCALL, child, nullptr, nullptr);
    return WIFEXITED(status) && WEXITSTATUS(status) == 125 ? -1 : WIFSIGNALED(status);
}

}  // namespace

class TestBase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program folder without its trailing separator (rounding half to even is read through the
    // machine profiles' numbers in tests/profiles).
    void rules()
    {
        QVERIFY(WithoutTrailingSeparator("/opt/varnotek/") == "/opt/varnotek" && WithoutTrailingSeparator("/").empty());
    }

    // A file that a new one would take from its owner, its group, its other names or a closed folder
    // is written in place; either way it keeps owner, group and mode. A full disk is a file size
    // limit; a failed save leaves the file as it was.
    void saving_data()
    {
        QTest::addColumn<QByteArray>("kind");  // the entry, and: "closed" folder, "root's" file, saved "by root"
        QTest::addColumn<int>("outcome");      // 0 refused, 1 replaced by a new file, 2 written in place
        QTest::newRow("own file") << QByteArray("640") << 1;
        QTest::newRow("set-group-id file in another group") << QByteArray("2750 root's by root") << 1;
        QTest::newRow("own file in a closed folder") << QByteArray("644 closed") << 2;
        QTest::newRow("another user's writable file") << QByteArray("666 root's") << 2;
        QTest::newRow("own file with a second name") << QByteArray("644 hard") << 2;
        QTest::newRow("own file in a group of root's") << QByteArray("640 root group") << 2;
        QTest::newRow("link to a link to nothing") << QByteArray("->middle") << 1;
        QTest::newRow("own read-only file") << QByteArray("444") << 0;
        QTest::newRow("own fifo") << QByteArray("fifo") << 0;
        QTest::newRow("name not in the local encoding") << QByteArray("caf\xE9.nc") << 0;
        QTest::newRow("full disk") << QByteArray("644 full") << 0;
    }
    void saving()
    {
        QFETCH(QByteArray, kind);
        QFETCH(int, outcome);
        if (::geteuid() != 0 && kind.contains("root"))
            QSKIP("only root hands files to another user or group");
        QTemporaryDir dir;
        const std::string path = Join(dir, kind.startsWith("caf") ? kind.toStdString() : "part.nc");
        // QTemporaryDir can neither empty a closed folder nor remove a name that is not text.
        const auto tidy = qScopeGuard([&] {
            ::chmod(dir.path().toLocal8Bit(), 0755);
            ::unlink(path.c_str());
        });
        QVERIFY(::symlink("target", Join(dir, "middle").c_str()) == 0);
        QVERIFY(MakeEntry(kind, path, kind.contains("root's") ? 0 : kNobody));
        QCOMPARE(::chmod(dir.path().toLocal8Bit(), kind.contains("closed") ? 0555 : 0755), 0);
        struct stat before = {}, after = {};
        ::stat(path.c_str(), &before);
        const auto entries = [&] { return std::distance(std::filesystem::directory_iterator(Join(dir, ".")), {}); };
        const auto entriesBefore = entries();
        const auto save = [&] {
            ::signal(SIGXFSZ, SIG_DFL);  // its default action would kill the editor with its text
            // Room for the old text and its copy, not for the longer new one.
            const rlimit full{rlim_t(Old.size()), rlim_t(Old.size())};
            return int(kind.contains("full") ? ::setrlimit(RLIMIT_FSIZE, &full) == 0 &&
                                                   WriteTextFile(path, (New + Old).toStdString(), false)
                                             : WriteTextFile(path, New.toStdString(), false));
        };
        QCOMPARE(InChild(dir, kind.contains("by root"), save), int(outcome != 0));
        ::stat(path.c_str(), &after);
        // A FIFO is not opened; a file has the new text or the old.
        QVERIFY(S_ISFIFO(before.st_mode) || OnDisk(path) == (outcome > 0 ? New : Old));
        QCOMPARE(entries(), entriesBefore + (kind == "->middle" ? 1 : 0));
        if (before.st_ino != 0)
            QCOMPARE(std::tuple(after.st_ino == before.st_ino, after.st_mode, after.st_uid, after.st_gid),
                     std::tuple(outcome != 1, before.st_mode, before.st_uid, before.st_gid));
    }

    // Kernel files: one holds more than the size it reports, the other less; neither is read. A
    // file the user may not read counts as absent, and is hidden from the checks.
    void unreadable()
    {
        for (const char* path : {"/proc/self/status", "/sys/kernel/mm/transparent_hugepage/enabled"})
            QVERIFY2(::access(path, R_OK) != 0 || (RegularFileExists(path) && !ReadTextFile(path)), path);
        QTemporaryDir dir;
        const std::string path = Join(dir, "part.nc");
        const auto absent = [&] { return !RegularFileExists(path) && GetFileAttributes(path).hiddenOrUnreadable; };
        QCOMPARE(InChild(dir, false, [&] { return MakeEntry("200", path) && absent(); }), 1);
    }

    // A save killed at any system call leaves the old program or the new one, whole. One written
    // in place (the file has a second name) may be cut short, but then a notice for the next start
    // names a copy of its earlier content beside it; no notice outlives its copy.
    void killedSave()
    {
        for (const char* second : {"", "second"}) {
            QTemporaryDir dir;
            const std::string path = Join(dir, "part.nc");
            QVERIFY(PutOnDisk(path, Old) && (!*second || ::link(path.c_str(), Join(dir, second).c_str()) == 0));
            for (int stop = 1, killed = 1; killed; ++stop) {
                if ((killed = KilledSave(path, New.toStdString(), stop)) < 0)
                    QSKIP("a child process may not be traced here");
                const std::vector<std::string> notices = TakeNotices();
                for (const std::string& notice : notices) {
                    const std::size_t at = notice.find(path + ".backup-");
                    QVERIFY2(at != notice.npos && OnDisk(notice.substr(at, notice.find('\'', at) - at)) == Old,
                             notice.c_str());
                }
                const QByteArray now = OnDisk(path);
                QVERIFY2(now == New || (killed && (now == Old || !notices.empty())), *second ? "in place" : "replaced");
                // Copies, and new files never renamed: forked savers pick the same names.
                for (const QString& name : QDir(dir.path()).entryList({"part.nc.*"}))
                    QVERIFY(QFile::remove(dir.filePath(name)));
                QVERIFY(PutOnDisk(path, Old));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestBase)
#include "test_base.moc"

// Tests of the endpoint folder checks, endpoint names and endpoint probing.
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>

Q_DECLARE_METATYPE(std::string)

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

// A socket file whose socket was closed without listening: connecting to it is refused.
bool MakeStaleSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

} // namespace

class TestMbEndpoint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void folderFromRuntimeDir();
    void folderInTempWithoutRuntimeDir();
    void missingFolderCreatedPrivate();
    void refusedFolder_data();
    void refusedFolder();
    void folderOwnedBySomeoneElse();
    void names_data();
    void names();
    void lowerCase();
    void probe();

private:
    std::unique_ptr<QTemporaryDir> runtime_;
    std::string folder_;
};

void TestMbEndpoint::init()
{
    runtime_ = std::make_unique<QTemporaryDir>();
    QVERIFY(runtime_->isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_->path().toLocal8Bit());
    folder_ = runtime_->path().toStdString() + "/mbinterproc";
}

void TestMbEndpoint::folderFromRuntimeDir()
{
    QCOMPARE(mb::EndpointFolderPath(), folder_);
}

void TestMbEndpoint::folderInTempWithoutRuntimeDir()
{
    const QByteArray oldTmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", runtime_->path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", "");
    const std::string expected = runtime_->path().toStdString() + "/mbinterproc-" + std::to_string(::geteuid());
    QCOMPARE(mb::EndpointFolderPath(), expected);
    qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(mb::EndpointFolder().value_or(""), expected);
    QCOMPARE(ModeOf(expected), mode_t(0700));
    qputenv("TMPDIR", oldTmp);
}

void TestMbEndpoint::missingFolderCreatedPrivate()
{
    const mode_t oldMask = ::umask(0777);
    const std::optional<std::string> folder = mb::EndpointFolder();
    ::umask(oldMask);
    QCOMPARE(folder.value_or(""), folder_);
    QCOMPARE(ModeOf(folder_), mode_t(0700));
    QVERIFY(mb::PrepareEndpointFolder(folder_));
}

void TestMbEndpoint::refusedFolder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("mode 0755") << "0755";
    QTest::newRow("mode 0750") << "0750";
    QTest::newRow("mode 0701") << "0701";
    QTest::newRow("symlink to a private folder") << "symlink";
    QTest::newRow("regular file") << "file";
    QTest::newRow("runtime folder missing") << "missing parent";
}

void TestMbEndpoint::refusedFolder()
{
    QFETCH(QString, kind);
    if (kind == "symlink") {
        const std::string target = runtime_->path().toStdString() + "/elsewhere";
        QVERIFY(::mkdir(target.c_str(), 0700) == 0);
        QVERIFY(::symlink(target.c_str(), folder_.c_str()) == 0);
    } else if (kind == "file") {
        QFile file(QString::fromStdString(folder_));
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == "missing parent") {
        qputenv("XDG_RUNTIME_DIR", (runtime_->path() + "/gone").toLocal8Bit());
    } else {
        QVERIFY(::mkdir(folder_.c_str(), 0700) == 0);
        QVERIFY(::chmod(folder_.c_str(), static_cast<mode_t>(kind.toInt(nullptr, 8))) == 0);
    }
    QVERIFY(!mb::EndpointFolder());
    InterProc listener;
    QVERIFY(!listener.Listen("talvane"));
    QVERIFY(listener.EndpointName().empty());
    // The folder is refused, never repaired.
    if (kind.startsWith('0'))
        QCOMPARE(ModeOf(folder_), static_cast<mode_t>(kind.toInt(nullptr, 8)));
}

void TestMbEndpoint::folderOwnedBySomeoneElse()
{
    QVERIFY(::mkdir(folder_.c_str(), 0700) == 0);
    if (::chown(folder_.c_str(), 65534, 65534) != 0)
        QSKIP("changing the owner needs privileges");
    QVERIFY(!mb::EndpointFolder());
    InterProc listener;
    QVERIFY(!listener.Listen("talvane"));
}

void TestMbEndpoint::names_data()
{
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << std::string("talvane") << true;
    QTest::newRow("window title") << std::string("talvane 4.1") << true;
    QTest::newRow("UTF-8") << std::string("m\xC3\xA4schine") << true;
    QTest::newRow("empty") << std::string() << false;
    QTest::newRow("dot") << std::string(".") << false;
    QTest::newRow("dot dot") << std::string("..") << false;
    QTest::newRow("three dots") << std::string("...") << true;
    QTest::newRow("slash") << std::string("a/b") << false;
    QTest::newRow("parent path") << std::string("../x") << false;
    QTest::newRow("NUL") << std::string("a\0b", 3) << false;
    QTest::newRow("not UTF-8") << std::string("a\xFF") << false;
    QTest::newRow("too long") << std::string(120, 'n') << false;
}

void TestMbEndpoint::names()
{
    QFETCH(std::string, name);
    QFETCH(bool, valid);
    QCOMPARE(mb::IsValidEndpointName(name, "/run/user/0/mbinterproc"), valid);
}

void TestMbEndpoint::lowerCase()
{
    QCOMPARE(mb::LowerName("Talvane 4.1"), std::string("talvane 4.1"));
    QCOMPARE(mb::LowerName("VARNOTEK-12"), std::string("varnotek-12"));
    QCOMPARE(mb::LowerName("\xC3\x84Z"), std::string("\xC3\x84z"));
    // The longest name that still fits the socket address beside this folder.
    const std::string folder = "/run/mbinterproc";
    const std::size_t room = sizeof(sockaddr_un::sun_path) - folder.size() - 2;
    QVERIFY(mb::IsValidEndpointName(std::string(room, 'n'), folder));
    QVERIFY(!mb::IsValidEndpointName(std::string(room + 1, 'n'), folder));
}

void TestMbEndpoint::probe()
{
    QVERIFY(mb::EndpointFolder());
    const std::string stale = mb::EndpointPath(folder_, "stale");
    QCOMPARE(mb::ProbeEndpoint(stale), mb::EndpointState::Absent);
    QVERIFY(MakeStaleSocket(stale));
    QCOMPARE(mb::ProbeEndpoint(stale), mb::EndpointState::Stale);
    QVERIFY(!mb::EndpointIsLive("Stale"));

    const std::string file = mb::EndpointPath(folder_, "file");
    QFile marker(QString::fromStdString(file));
    QVERIFY(marker.open(QIODevice::WriteOnly));
    QCOMPARE(mb::ProbeEndpoint(file), mb::EndpointState::Foreign);

    QLocalServer server;
    QVERIFY(server.listen(QString::fromStdString(mb::EndpointPath(folder_, "live"))));
    QCOMPARE(mb::ProbeEndpoint(mb::EndpointPath(folder_, "live")), mb::EndpointState::Live);
    QVERIFY(mb::EndpointIsLive("LIVE"));
}

QTEST_GUILESS_MAIN(TestMbEndpoint)
#include "tst_mbendpoint.moc"

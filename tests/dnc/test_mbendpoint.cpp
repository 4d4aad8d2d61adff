// Tests of the endpoint folder checks and endpoint names.
#include "MbTestSupport.h"
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"
#include <QFileInfo>
#include <sys/wait.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <memory>

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

}  // namespace

class TestMbEndpoint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        runtime_ = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime_->isValid());
        folder_ = runtime_->path().toStdString() + "/mbinterproc";
    }

    void folderPath()
    {
        QCOMPARE(mb::EndpointFolderPath(), folder_);
        // Without a runtime folder, a folder of this user's own in the temporary folder.
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

    void missingFolderCreatedPrivate()
    {
        const mode_t oldMask = ::umask(0777);
        const std::optional<std::string> folder = mb::EndpointFolder();
        ::umask(oldMask);
        QCOMPARE(folder.value_or(""), folder_);
        QCOMPARE(ModeOf(folder_), mode_t(0700));
        QVERIFY(mb::PrepareEndpointFolder(folder_));
    }

    void refusedFolder_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("open to the group") << "0750";
        QTest::newRow("open to others") << "0701";
        QTest::newRow("symlink to a private folder") << "symlink";
        QTest::newRow("owned by someone else") << "owner";
        QTest::newRow("regular file") << "file";
        QTest::newRow("runtime folder missing") << "missing parent";
    }

    void refusedFolder()
    {
        QFETCH(QString, kind);
        if (kind == "symlink") {
            const std::string target = runtime_->path().toStdString() + "/elsewhere";
            QVERIFY(::mkdir(target.c_str(), 0700) == 0);
            QVERIFY(::symlink(target.c_str(), folder_.c_str()) == 0);
        } else if (kind == "owner") {
            QVERIFY(::mkdir(folder_.c_str(), 0700) == 0);
            if (::chown(folder_.c_str(), 65534, 65534) != 0)
                QSKIP("changing the owner needs privileges");
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

    void names_data()
    {
        QTest::addColumn<std::string>("name");
        QTest::addColumn<bool>("valid");
        // The longest name whose socket address still fits beside the folder.
        const std::size_t room = sizeof(sockaddr_un::sun_path) - std::string(kFolder).size() - 2;
        QTest::newRow("plain") << std::string("talvane") << true;
        QTest::newRow("window title") << std::string("talvane 4.1") << true;
        QTest::newRow("UTF-8") << std::string("m\xC3\xA4schine") << true;
        QTest::newRow("empty") << std::string() << false;
        QTest::newRow("dot") << std::string(".") << false;
        QTest::newRow("dot dot") << std::string("..") << false;
        QTest::newRow("three dots") << std::string("...") << true;
        QTest::newRow("slash") << std::string("a/b") << false;
        QTest::newRow("NUL") << std::string("a\0b", 3) << false;
        QTest::newRow("not UTF-8") << std::string("a\xFF") << false;
        QTest::newRow("longest that fits") << std::string(room, 'n') << true;
        QTest::newRow("one byte too long") << std::string(room + 1, 'n') << false;
    }

    void names()
    {
        QFETCH(std::string, name);
        QFETCH(bool, valid);
        QCOMPARE(mb::IsValidEndpointName(name, kFolder), valid);
    }

    void lowerCaseLeavesOtherBytes()
    {
        QCOMPARE(mb::LowerName("Talvane 4.1 \xC3\x84Z"), std::string("talvane 4.1 \xC3\x84z"));
    }

    // An editor killed before it closed its endpoint leaves a socket file; the next one started
    // removes it, and leaves those of running editors and every other file alone.
    void endpointsOfEndedEditorsRemoved()
    {
        QVERIFY(mb::PrepareEndpointFolder(folder_));
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        const std::string stale = folder_ + "/varnotek-" + std::to_string(ended);
        const std::string running = folder_ + "/varnotek-" + std::to_string(::getpid());
        const std::string other = folder_ + "/talvane";
        for (const std::string& path : {stale, running, other})
            QVERIFY(MakeStaleSocket(path));
        mb::RemoveEndpointsOfEndedProcesses(folder_, "varnotek-");
        QVERIFY(!QFileInfo::exists(QString::fromStdString(stale)));
        QVERIFY(QFileInfo::exists(QString::fromStdString(running)));
        QVERIFY(QFileInfo::exists(QString::fromStdString(other)));
    }

private:
    static constexpr const char* kFolder = "/run/user/0/mbinterproc";

    std::unique_ptr<RuntimeFolder> runtime_;
    std::string folder_;
};

QTEST_GUILESS_MAIN(TestMbEndpoint)
#include "test_mbendpoint.moc"

// The `mb` transport: the frame layout and limits, the endpoint folder and names, and the control
// against stale, foreign and hostile peers and past its connection cap. The hand-off that uses it
// is in tests/dnc; random frame streams are in tests/fuzz.
#include "MbTestSupport.h"
#include "mb/InterProc.h"
#include "mb/MbConnection.h"
#include "mb/MbEndpoint.h"

#include <QAbstractEventDispatcher>
#include <QLocalSocket>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <thread>

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// The path of an endpoint's socket file, the endpoint folder made first.
std::string Path(const std::string& name) { return mb::EndpointPath(mb::EndpointFolder().value(), name); }

// The text of the largest frame from a one-byte sender.
const std::string LargestText(mb::kMaxFrameBody - mb::kFrameFixedBody - 1, 'x');

std::string Frame(const std::string& text) { return mb::EncodeFrame(1, "x", text).value(); }

// What a fresh decoder makes of the start of a stream.
mb::FrameDecoder::Result Feed(std::string_view bytes)
{
    mb::Frame frame;
    return mb::FrameDecoder().Feed(bytes, frame);
}

// A raw connection to "talvane" as a foreign peer makes it, and the bytes it writes at once.
std::unique_ptr<QLocalSocket> Connect(const std::string& bytes = {})
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(QString::fromStdString(Path("talvane")));
    if (socket->waitForConnected(5000) && socket->write(bytes.data(), qint64(bytes.size())) > 0)
        socket->waitForBytesWritten(5000);
    return socket;
}

// A data table of one row per kind, named after it.
void Kinds(std::initializer_list<const char*> kinds)
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : kinds)
        QTest::newRow(kind) << kind;
}

}  // namespace

class TestMb : public QObject {
    Q_OBJECT
    std::unique_ptr<RuntimeFolder> runtime_;
private Q_SLOTS:
    void init() { runtime_ = std::make_unique<RuntimeFolder>(); }

    // Frames: big-endian fields. The largest body passes; one byte more is refused at once, like each
    // broken field, and is not encoded, nor is a sender too long for its field. Endpoint names.
    void framesAndNames()
    {
        QCOMPARE(QByteArray::fromStdString(mb::EncodeFrame(-2, "ab", "xyz").value()).toHex(),
                 QByteArray("4d4249310000000ffffffffe000261620000000378797a"));
        QVERIFY(!mb::EncodeFrame(0, "xy", LargestText) && !mb::EncodeFrame(0, std::string(0x10000, 's'), ""));
        QVERIFY(Feed(Frame(LargestText)) == mb::FrameDecoder::Result::FrameReady);
        // "hello" from "x": L = 16 at offset 4, S = 1 at 12, T = 5 at 15.
        const std::string good = Frame("hello");
        // clang-format off
        const std::pair<const char*, std::string> broken[] = {{"bad magic", "MBI2" + good.substr(4)},
            {"L over 1 MiB", Patched(good.substr(0, 8), 4, mb::kMaxFrameBody + 1, 4)},
            {"L below 10", Patched(good, 4, 9, 4)}, {"L above 10+S+T", Patched(good, 4, 17, 4) + "x"},
            {"L below 10+S+T", Patched(good, 4, 15, 4)}, {"S larger than the rest", Patched(good, 12, 10, 2)}};
        // clang-format on
        for (const auto& [name, stream] : broken)
            QVERIFY2(Feed(stream) == mb::FrameDecoder::Result::Malformed, name);
        // Names are one path component in UTF-8 and fit a socket address with the folder; what is
        // left of ended editors goes.
        const std::string folder = "/run/user/0/mbinterproc";
        const std::size_t room = sizeof(sockaddr_un::sun_path) - folder.size() - 2;  // with the '/' and the NUL
        // clang-format off
        const std::pair<std::string, bool> names[] = {{"..", false}, {std::string("a\0b", 3), false}, {"a\xFF", false},
            {std::string(room, 'n'), true}, {std::string(room + 1, 'n'), false}};
        // clang-format on
        for (const auto& [name, valid] : names)
            QVERIFY2(mb::IsValidEndpointName(name, folder) == valid, name.c_str());
        // An ended editor's socket file goes (no process has a 9-digit id); those of running editors
        // and of anything else stay.
        Strings paths{Path("varnotek-999999999"), Path("varnotek-" + std::to_string(::getpid())), Path("talvane")};
        for (const std::string& path : paths)
            MakeStaleSocket(path);
        mb::RemoveEndpointsOfEndedProcesses(mb::EndpointFolderPath(), "varnotek-");
        QVERIFY(!fs::exists(paths[0]) && fs::exists(paths[1]) && fs::exists(paths[2]));
    }

    // Created private whatever the umask; anything but this user's private folder is refused, not repaired.
    void endpointFolder_data() { Kinds({"missing", "0750", "0701", "owner", "symlink", "fifo"}); }
    void endpointFolder()
    {
        QFETCH(QString, kind);
        const std::string folder = mb::EndpointFolderPath(), made = kind == "symlink" ? folder + ".real" : folder;
        if (kind != "missing")
            kind == "fifo" ? ::mkfifo(made.c_str(), 0700) : ::mkdir(made.c_str(), 0700);
        ::chmod(made.c_str(), kind.toUInt(nullptr, 8) | 0700);
        if (kind == "owner" && (::geteuid() != 0 || ::chown(folder.c_str(), 65534, 65534) != 0))
            QSKIP("handing a folder to another user needs root");
        QVERIFY(kind != "symlink" || ::symlink(made.c_str(), folder.c_str()) == 0);
        const auto before = fs::symlink_status(folder);
        const mode_t oldMask = ::umask(0777);
        const bool prepared = mb::EndpointFolder().has_value();
        ::umask(oldMask);
        QCOMPARE(prepared, kind == "missing");
        QVERIFY(fs::symlink_status(folder) ==
                (prepared ? fs::file_status(fs::file_type::directory, fs::perms::owner_all) : before));
    }

    // A stale socket file is taken over, a live endpoint or a foreign file is not; the endpoint's
    // file goes when it stops listening, also on a refused new name.
    void existingEndpointFile_data() { Kinds({"stale", "live", "file"}); }
    void existingEndpointFile()
    {
        QFETCH(QString, kind);
        auto first = std::make_unique<InterProc>();
        const std::string path = Path("talvane");
        QVERIFY(kind == "live"    ? first->Listen("talvane")
                : kind == "stale" ? MakeStaleSocket(path)
                                  : bool(std::ofstream(path)));
        InterProc second;
        QCOMPARE(second.Listen("TALVANE"), kind == "stale");
        second.TargetName = "Talvane";
        second.Send();
        // Written to whichever listens; a failure is reported once.
        QVERIFY(second.Flush() == (kind != "file") && second.Flush());
        QVERIFY(!second.Listen("bad/name") && second.EndpointName().empty());
        first.reset();
        QCOMPARE(fs::exists(path), kind == "file");
    }

    // A listener whose queue is full is waited for, not asked again and again: the event loop
    // wakes a few times, not thousands. Once it accepts, the frame gets through.
    void fullQueue()
    {
        const int listener = UnixSocket(Path("talvane"), ::bind);
        QVERIFY(listener >= 0 && ::listen(listener, 0) == 0);
        std::vector<int> queued;  // until one is refused: the queue is full
        while (queued.size() < 64 && (queued.empty() || queued.back() >= 0))
            queued.push_back(UnixSocket(Path("talvane"), ::connect, SOCK_NONBLOCK));
        QVERIFY(queued.back() < 0);
        InterProc sender;
        sender.TargetName = "Talvane";
        sender.MessageText = "waited";
        int wakes = 0;
        const auto counter =
            connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, this, [&] { ++wakes; });
        sender.Send();
        QTest::qWait(300);
        disconnect(counter);
        QVERIFY2(wakes < 100, std::to_string(wakes).c_str());
        std::string received;
        std::jthread talvane([&] {
            for (std::size_t n = 0; n < queued.size(); ++n) {  // the queued ones but the refused last, and ours
                const int peer = ::accept(listener, nullptr, nullptr);
                char buffer[256];
                for (ssize_t got = 0; (got = ::read(peer, buffer, sizeof buffer)) > 0;)
                    received.append(buffer, std::size_t(got));
                ::close(peer);
            }
        });
        for (int fd : queued)
            ::close(fd);
        QVERIFY(sender.Flush());
        talvane.join();
        QVERIFY(received.ends_with("waited"));
        ::close(listener);
    }

    // Connections past the cap are closed unread; garbage ends its connection at once; silence, a
    // frame stalled half-way or trickling a byte at a time, once the frame's time is up. Nothing of
    // theirs is delivered, and then there is room again. A receiver that runs a nested event loop
    // while its peer closes still gets the frames that came before the close.
    void peers()
    {
        Strings texts;
        InterProc listener;
        QVERIFY(listener.Listen("talvane"));
        std::vector<std::unique_ptr<QLocalSocket>> peers;
        connect(&listener, &InterProc::MessageReceived, this,
                [&](int, const std::string&, int, const std::string& text) {
                    texts.push_back(text);
                    if (text == "held") {
                        peers.front()->disconnectFromServer();
                        QTest::qWait(200);
                    }
                });
        const std::string frame = Frame("never delivered"), garbage = "MBI2" + frame.substr(4) + frame;
        for (const std::string& bytes : {Frame("held") + Frame("sent before the close"), garbage, frame.substr(0, 12)})
            peers.push_back(Connect(bytes));
        while (peers.size() < 40)  // silent, up to one past the cap
            peers.push_back(Connect(peers.size() == 39 ? Frame("beyond the cap") : ""));
        QTRY_COMPARE_WITH_TIMEOUT(peers[1]->state(), QLocalSocket::UnconnectedState, MbConnection::kFrameTimeoutMs / 2);
        QTRY_COMPARE(peers.back()->state(), QLocalSocket::UnconnectedState);
        QTRY_VERIFY_WITH_TIMEOUT(listener.findChildren<MbConnection*>().isEmpty(), MbConnection::kFrameTimeoutMs * 4);
        const auto trickling = Connect();
        for (std::size_t sent = 0; trickling->state() == QLocalSocket::ConnectedState && sent < frame.size(); ++sent) {
            trickling->write(frame.data() + sent, 1);
            trickling->flush();
            QTest::qWait(MbConnection::kFrameTimeoutMs / 6);
        }
        const auto late = Connect(Frame("still listening"));
        QTRY_COMPARE(texts, (Strings{"held", "sent before the close", "still listening"}));
    }
};

QTEST_GUILESS_MAIN(TestMb)
#include "test_mb.moc"

// Tests of the `mb` control over real sockets: exchanges, hostile peers, stale and live endpoints.
#include "dnc/InterProc.h"
#include "dnc/MbConnection.h"
#include "dnc/MbEndpoint.h"
#include "dnc/MbFrame.h"

#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace {

struct Received {
    int value;
    std::string sender;
    int length;
    std::string text;
};

// Collects the events of one InterProc.
class Inbox : public QObject {
public:
    explicit Inbox(InterProc& proc)
    {
        connect(&proc, &InterProc::MessageReceived, this,
                [this](int value, const std::string& sender, int length, const std::string& text) {
                    messages.push_back({value, sender, length, text});
                });
    }
    std::vector<Received> messages;
};

std::string Patched(std::string frame, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        frame[offset + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return frame;
}

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

} // namespace

class TestInterProc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void exchangeWithReply();
    void listenNameIsLowerCase();
    void liveEndpointNotStolen();
    void staleSocketReplaced();
    void foreignFileKept();
    void socketFileRemovedOnDestruction();
    void sendToAbsentTarget_data();
    void sendToAbsentTarget();
    void senderNotListening();
    void stalledReceiverGivenUp();
    void receiverClosesEarly();
    void framesBeforeCloseSurviveNestedLoop();
    void severalFramesOnOneConnection();
    void malformedOverSocket_data();
    void malformedOverSocket();
    void stalledPeerDropped();

private:
    QString EndpointFile(const std::string& name) const
    {
        return QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), name));
    }
    // A raw connection to the endpoint, as a foreign peer would make it.
    bool RawConnect(QLocalSocket& socket, const std::string& name)
    {
        socket.connectToServer(EndpointFile(name));
        return socket.waitForConnected(5000);
    }

    std::unique_ptr<QTemporaryDir> runtime_;
};

void TestInterProc::init()
{
    runtime_ = std::make_unique<QTemporaryDir>();
    QVERIFY(runtime_->isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_->path().toLocal8Bit());
}

void TestInterProc::exchangeWithReply()
{
    InterProc editor;
    InterProc peer;
    QVERIFY(editor.Listen("varnotek-42"));
    QVERIFY(peer.Listen("Peer"));
    Inbox editorInbox(editor);
    Inbox peerInbox(peer);
    connect(&peer, &InterProc::MessageReceived, &peer, [&peer](int, const std::string& sender, int, const std::string&) {
        peer.TargetName = sender;
        peer.MessageText = "DNC_OK";
        peer.Send();
    });
    editor.TargetName = "PEER";
    editor.MessageValue = -5;
    editor.MessageText = AllBytes();
    editor.Send();
    QTRY_COMPARE(editorInbox.messages.size(), 1u);
    QCOMPARE(peerInbox.messages.size(), 1u);
    const Received& request = peerInbox.messages.front();
    QCOMPARE(request.value, -5);
    QCOMPARE(request.sender, std::string("varnotek-42"));
    QCOMPARE(request.length, 256);
    QCOMPARE(request.text, AllBytes());
    const Received& reply = editorInbox.messages.front();
    QCOMPARE(reply.sender, std::string("peer"));
    QCOMPARE(reply.text, std::string("DNC_OK"));
    QCOMPARE(reply.value, 0);
    QVERIFY(editor.Flush());
    QVERIFY(peer.Flush());
}

void TestInterProc::listenNameIsLowerCase()
{
    InterProc proc;
    QVERIFY(proc.EndpointName().empty());
    QVERIFY(proc.Listen("Talvane 4.1"));
    QCOMPARE(proc.EndpointName(), std::string("talvane 4.1"));
    QVERIFY(QFileInfo::exists(EndpointFile("talvane 4.1")));
    QVERIFY(mb::EndpointIsLive("TALVANE 4.1"));
    QVERIFY(!proc.Listen("bad/name"));
    QVERIFY(proc.EndpointName().empty());
}

void TestInterProc::liveEndpointNotStolen()
{
    InterProc first;
    InterProc second;
    Inbox inbox(first);
    QVERIFY(first.Listen("talvane"));
    QVERIFY(!second.Listen("TALVANE"));
    QVERIFY(second.EndpointName().empty());
    InterProc sender;
    sender.TargetName = "Talvane";
    sender.MessageText = "still here";
    sender.Send();
    QTRY_COMPARE(inbox.messages.size(), 1u);
}

void TestInterProc::staleSocketReplaced()
{
    QVERIFY(mb::EndpointFolder());
    const std::string path = EndpointFile("talvane").toStdString();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
    QVERIFY(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
    ::close(fd);
    QCOMPARE(mb::ProbeEndpoint(path), mb::EndpointState::Stale);

    InterProc sender;
    sender.TargetName = "talvane";
    sender.Send();
    QVERIFY(!sender.Flush());

    InterProc listener;
    Inbox inbox(listener);
    QVERIFY(listener.Listen("talvane"));
    sender.MessageText = "after";
    sender.Send();
    QTRY_COMPARE(inbox.messages.size(), 1u);
    QCOMPARE(inbox.messages.front().text, std::string("after"));
}

void TestInterProc::foreignFileKept()
{
    QVERIFY(mb::EndpointFolder());
    QFile file(EndpointFile("talvane"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("data");
    file.close();
    InterProc listener;
    QVERIFY(!listener.Listen("talvane"));
    QCOMPARE(file.size(), 4);
}

void TestInterProc::socketFileRemovedOnDestruction()
{
    {
        InterProc listener;
        QVERIFY(listener.Listen("talvane"));
        QVERIFY(QFileInfo::exists(EndpointFile("talvane")));
    }
    QVERIFY(!QFileInfo::exists(EndpointFile("talvane")));
}

void TestInterProc::sendToAbsentTarget_data()
{
    QTest::addColumn<std::string>("target");
    QTest::newRow("nobody listens") << std::string("Talvane");
    QTest::newRow("empty") << std::string();
    QTest::newRow("path") << std::string("../talvane");
}

void TestInterProc::sendToAbsentTarget()
{
    QFETCH(std::string, target);
    InterProc proc;
    QVERIFY(proc.Listen("varnotek-1"));
    proc.TargetName = target;
    proc.MessageText = "EDIT_FAILED";
    proc.Send();
    QVERIFY(!proc.Flush());
    // A failure is reported once; nothing is pending afterwards.
    QVERIFY(proc.Flush());
}

void TestInterProc::senderNotListening()
{
    InterProc receiver;
    Inbox inbox(receiver);
    QVERIFY(receiver.Listen("talvane"));
    InterProc sender;
    sender.TargetName = "talvane";
    sender.MessageValue = 3;
    sender.MessageText = "/tmp/dncfile.tmp";
    sender.Send();
    QTRY_COMPARE(inbox.messages.size(), 1u);
    QCOMPARE(inbox.messages.front().sender, std::string());
    QCOMPARE(inbox.messages.front().value, 3);
}

void TestInterProc::stalledReceiverGivenUp()
{
    // A listener that never reads: a frame larger than the socket buffer cannot be written.
    QVERIFY(mb::EndpointFolder());
    QLocalServer server;
    QVERIFY(server.listen(EndpointFile("stuck")));
    InterProc sender;
    sender.TargetName = "stuck";
    sender.MessageText = std::string(mb::kMaxFrameBody - mb::kFrameFixedBody, 'x');
    sender.Send();
    QVERIFY(!sender.Flush(10000));
}

void TestInterProc::receiverClosesEarly()
{
    // Writing into a closed connection must fail the send, not raise SIGPIPE.
    QVERIFY(mb::EndpointFolder());
    QLocalServer server;
    QVERIFY(server.listen(EndpointFile("rude")));
    int closed = 0;
    connect(&server, &QLocalServer::newConnection, &server, [&server, &closed] {
        while (QLocalSocket* socket = server.nextPendingConnection()) {
            socket->abort();
            ++closed;
        }
    });
    InterProc sender;
    sender.TargetName = "rude";
    sender.MessageText = std::string(mb::kMaxFrameBody - mb::kFrameFixedBody, 'x');
    sender.Send();
    QTRY_COMPARE(closed, 1);
    QVERIFY(!sender.Flush(10000));
}

void TestInterProc::framesBeforeCloseSurviveNestedLoop()
{
    // A receiver that runs a nested event loop while the peer closes still gets every frame.
    InterProc listener;
    Inbox inbox(listener);
    QVERIFY(listener.Listen("talvane"));
    QLocalSocket socket;
    connect(&listener, &InterProc::MessageReceived, this, [&](int value, const std::string&, int, const std::string&) {
        if (value != 1)
            return;
        socket.disconnectFromServer();
        QTRY_VERIFY(listener.findChild<QLocalSocket*>() == nullptr
                    || listener.findChild<QLocalSocket*>()->state() == QLocalSocket::UnconnectedState
                    || inbox.messages.size() > 1);
    });
    QVERIFY(RawConnect(socket, "talvane"));
    const std::string stream = mb::EncodeFrame(1, "x", "one").value() + mb::EncodeFrame(2, "x", "two").value();
    socket.write(stream.data(), static_cast<qint64>(stream.size()));
    QTRY_COMPARE(inbox.messages.size(), 2u);
    QCOMPARE(inbox.messages[1].text, std::string("two"));
}

void TestInterProc::severalFramesOnOneConnection()
{
    InterProc listener;
    Inbox inbox(listener);
    QVERIFY(listener.Listen("talvane"));
    QLocalSocket socket;
    QVERIFY(RawConnect(socket, "talvane"));
    const std::string stream = mb::EncodeFrame(1, "x", "one").value() + mb::EncodeFrame(2, "x", "two").value();
    // Split inside the second frame's header, as a slow writer would.
    socket.write(stream.data(), 30);
    QVERIFY(socket.waitForBytesWritten(5000));
    QTRY_COMPARE(inbox.messages.size(), 1u);
    socket.write(stream.data() + 30, static_cast<qint64>(stream.size() - 30));
    QTRY_COMPARE(inbox.messages.size(), 2u);
    QCOMPARE(inbox.messages[1].text, std::string("two"));
    // A partial frame and then the end of the connection raises nothing.
    socket.write(stream.data(), 20);
    QVERIFY(socket.waitForBytesWritten(5000));
    socket.disconnectFromServer();
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    InterProc sender;
    sender.TargetName = "talvane";
    sender.MessageText = "three";
    sender.Send();
    QTRY_COMPARE(inbox.messages.size(), 3u);
    QCOMPARE(inbox.messages[2].text, std::string("three"));
}

void TestInterProc::malformedOverSocket_data()
{
    const std::string good = mb::EncodeFrame(7, "me", "hello").value();
    QTest::addColumn<std::string>("garbage");
    QTest::newRow("bad magic") << "MBI2" + good.substr(4);
    QTest::newRow("L over 1 MiB") << Patched(good, 4, mb::kMaxFrameBody + 1, 4);
    QTest::newRow("L below 10") << Patched(good, 4, 9, 4);
    QTest::newRow("L not 10+S+T") << Patched(good, 4, 20, 4) + "x";
    QTest::newRow("S larger than the rest") << Patched(good, 12, 200, 2);
    QTest::newRow("text noise") << std::string("GET / HTTP/1.0\r\n\r\n");
}

void TestInterProc::malformedOverSocket()
{
    QFETCH(std::string, garbage);
    InterProc listener;
    Inbox inbox(listener);
    QVERIFY(listener.Listen("talvane"));
    QLocalSocket socket;
    QVERIFY(RawConnect(socket, "talvane"));
    // A good frame after the garbage must not be taken: the connection is closed.
    const std::string stream = garbage + mb::EncodeFrame(1, "x", "after").value();
    socket.write(stream.data(), static_cast<qint64>(stream.size()));
    QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
    QVERIFY(inbox.messages.empty());

    InterProc sender;
    sender.TargetName = "talvane";
    sender.MessageText = "still listening";
    sender.Send();
    QTRY_COMPARE(inbox.messages.size(), 1u);
    QCOMPARE(inbox.messages.front().text, std::string("still listening"));
}

void TestInterProc::stalledPeerDropped()
{
    InterProc listener;
    Inbox inbox(listener);
    QVERIFY(listener.Listen("talvane"));
    QLocalSocket silent;
    QLocalSocket halfway;
    QVERIFY(RawConnect(silent, "talvane"));
    QVERIFY(RawConnect(halfway, "talvane"));
    const std::string frame = mb::EncodeFrame(1, "x", "never finished").value();
    halfway.write(frame.data(), 12);
    QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState, MbConnection::kIdleTimeoutMs * 4);
    QTRY_COMPARE_WITH_TIMEOUT(halfway.state(), QLocalSocket::UnconnectedState, MbConnection::kIdleTimeoutMs * 4);
    QVERIFY(inbox.messages.empty());
}

QTEST_GUILESS_MAIN(TestInterProc)
#include "tst_interproc.moc"

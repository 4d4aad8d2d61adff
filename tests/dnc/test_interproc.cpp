// Tests of the `mb` control over real sockets: exchanges, hostile peers, stale and live endpoints.
#include "MbTestSupport.h"
#include "dnc/InterProc.h"
#include "dnc/MbConnection.h"
#include "dnc/MbEndpoint.h"
#include "dnc/MbFrame.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

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

// Sends from an InterProc that does not listen itself; true when the frame was written.
bool SendFromOutside(const std::string& target, const std::string& text, int value = 0)
{
    InterProc sender;
    sender.TargetName = target;
    sender.MessageValue = value;
    sender.MessageText = text;
    sender.Send();
    return sender.Flush();
}

QString EndpointFile(const std::string& name)
{
    return QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), name));
}

// A raw connection to the endpoint, as a foreign peer would make it.
bool RawConnect(QLocalSocket& socket, const std::string& name)
{
    socket.connectToServer(EndpointFile(name));
    return socket.waitForConnected(5000);
}

}  // namespace

class TestInterProc : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        runtime_ = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime_->isValid());
    }

    void exchangeWithReply()
    {
        InterProc editor;
        InterProc peer;
        QVERIFY(editor.Listen("varnotek-42"));
        QVERIFY(peer.Listen("Peer"));
        QCOMPARE(peer.EndpointName(), std::string("peer"));
        Inbox editorInbox(editor);
        Inbox peerInbox(peer);
        connect(&peer, &InterProc::MessageReceived, &peer,
                [&peer](int, const std::string& sender, int, const std::string&) {
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

    void endpointGoneWhenListeningStops()
    {
        {
            InterProc listener;
            QVERIFY(listener.Listen("Talvane 4.1"));
            QVERIFY(mb::EndpointIsLive("TALVANE 4.1"));
            // A refused name ends the listening under the old one.
            QVERIFY(!listener.Listen("bad/name"));
            QVERIFY(listener.EndpointName().empty());
            QVERIFY(!QFileInfo::exists(EndpointFile("talvane 4.1")));
            QVERIFY(listener.Listen("talvane"));
        }
        QVERIFY(!QFileInfo::exists(EndpointFile("talvane")));
    }

    void existingEndpointFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("stale socket is replaced") << "stale";
        QTest::newRow("live endpoint is not stolen") << "live";
        QTest::newRow("foreign file is kept") << "file";
    }

    void existingEndpointFile()
    {
        QFETCH(QString, kind);
        QVERIFY(mb::EndpointFolder());
        const QString path = EndpointFile("talvane");
        InterProc first;
        Inbox firstInbox(first);
        if (kind == "stale") {
            QVERIFY(MakeStaleSocket(path.toStdString()));
        } else if (kind == "live") {
            QVERIFY(first.Listen("talvane"));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("data") == 4);
        }
        QCOMPARE(mb::EndpointIsLive("Talvane"), kind == "live");
        InterProc second;
        Inbox secondInbox(second);
        QCOMPARE(second.Listen("TALVANE"), kind == "stale");
        QCOMPARE(second.EndpointName().empty(), kind != "stale");
        if (kind == "file") {
            QCOMPARE(QFileInfo(path).size(), 4);
            return;
        }
        // The sender does not listen, so the frame names no sender.
        QVERIFY(SendFromOutside("Talvane", "after", 3));
        const Inbox& inbox = kind == "live" ? firstInbox : secondInbox;
        QTRY_COMPARE(inbox.messages.size(), 1u);
        QCOMPARE(inbox.messages.front().sender, std::string());
        QCOMPARE(inbox.messages.front().value, 3);
        QCOMPARE(inbox.messages.front().text, std::string("after"));
    }

    void sendToAbsentTarget_data()
    {
        QTest::addColumn<std::string>("target");
        QTest::newRow("nobody listens") << std::string("Talvane");
        QTest::newRow("stale socket") << std::string("stale");
        QTest::newRow("empty") << std::string();
        QTest::newRow("path") << std::string("../talvane");
    }

    void sendToAbsentTarget()
    {
        QFETCH(std::string, target);
        InterProc proc;
        QVERIFY(proc.Listen("varnotek-1"));
        QVERIFY(MakeStaleSocket(EndpointFile("stale").toStdString()));
        proc.TargetName = target;
        proc.MessageText = "EDIT_FAILED";
        proc.Send();
        QVERIFY(!proc.Flush());
        // A failure is reported once; nothing is pending afterwards.
        QVERIFY(proc.Flush());
    }

    void receiverThatDoesNotRead_data()
    {
        QTest::addColumn<bool>("closes");
        QTest::newRow("never reads") << false;
        // Writing into a closed connection must fail the send, not raise SIGPIPE.
        QTest::newRow("closes at once") << true;
    }

    void receiverThatDoesNotRead()
    {
        QFETCH(bool, closes);
        QVERIFY(mb::EndpointFolder());
        QLocalServer server;
        QVERIFY(server.listen(EndpointFile("stuck")));
        int closed = 0;
        if (closes) {
            connect(&server, &QLocalServer::newConnection, &server, [&server, &closed] {
                while (QLocalSocket* socket = server.nextPendingConnection()) {
                    socket->abort();
                    ++closed;
                }
            });
        }
        // A frame larger than the socket buffer, so that it cannot be written unread.
        InterProc sender;
        sender.TargetName = "stuck";
        sender.MessageText = std::string(mb::kMaxFrameBody - mb::kFrameFixedBody, 'x');
        sender.Send();
        if (closes)
            QTRY_COMPARE(closed, 1);
        QVERIFY(!sender.Flush(10000));
    }

    void framesBeforeCloseSurviveNestedLoop()
    {
        // A receiver that runs a nested event loop while the peer closes still gets every frame.
        InterProc listener;
        Inbox inbox(listener);
        QVERIFY(listener.Listen("talvane"));
        QLocalSocket socket;
        connect(&listener, &InterProc::MessageReceived, this,
                [&](int value, const std::string&, int, const std::string&) {
                    if (value != 1)
                        return;
                    socket.disconnectFromServer();
                    QTRY_VERIFY(listener.findChild<QLocalSocket*>() == nullptr ||
                                listener.findChild<QLocalSocket*>()->state() == QLocalSocket::UnconnectedState ||
                                inbox.messages.size() > 1);
                });
        QVERIFY(RawConnect(socket, "talvane"));
        const std::string stream = mb::EncodeFrame(1, "x", "one").value() + mb::EncodeFrame(2, "x", "two").value();
        socket.write(stream.data(), static_cast<qint64>(stream.size()));
        QTRY_COMPARE(inbox.messages.size(), 2u);
        QCOMPARE(inbox.messages[1].text, std::string("two"));
    }

    void splitAndTruncatedFrames()
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
        QVERIFY(SendFromOutside("talvane", "three"));
        QTRY_COMPARE(inbox.messages.size(), 3u);
        QCOMPARE(inbox.messages[2].text, std::string("three"));
    }

    void malformedOverSocket_data() { AddMalformedFrameRows(); }

    void malformedOverSocket()
    {
        QFETCH(std::string, stream);
        InterProc listener;
        Inbox inbox(listener);
        QVERIFY(listener.Listen("talvane"));
        QLocalSocket socket;
        QVERIFY(RawConnect(socket, "talvane"));
        // A good frame after the garbage must not be taken: the connection is closed.
        const std::string written = stream + mb::EncodeFrame(1, "x", "after").value();
        socket.write(written.data(), static_cast<qint64>(written.size()));
        QTRY_COMPARE(socket.state(), QLocalSocket::UnconnectedState);
        QVERIFY(inbox.messages.empty());

        QVERIFY(SendFromOutside("talvane", "still listening"));
        QTRY_COMPARE(inbox.messages.size(), 1u);
        QCOMPARE(inbox.messages.front().text, std::string("still listening"));
    }

    // Silent, stalled half-way, or trickling a byte at a time: each is dropped once its frame's
    // time is up, however often it sends.
    void stalledPeerDropped()
    {
        InterProc listener;
        Inbox inbox(listener);
        QVERIFY(listener.Listen("talvane"));
        QLocalSocket silent;
        QLocalSocket halfway;
        QLocalSocket trickling;
        QVERIFY(RawConnect(silent, "talvane") && RawConnect(halfway, "talvane") && RawConnect(trickling, "talvane"));
        const std::string frame = mb::EncodeFrame(1, "x", "never finished").value();
        halfway.write(frame.data(), 12);
        QElapsedTimer clock;
        clock.start();
        for (std::size_t sent = 0; trickling.state() == QLocalSocket::ConnectedState && sent < frame.size() - 1;
             ++sent) {
            trickling.write(frame.data() + sent, 1);
            trickling.flush();
            QTest::qWait(MbConnection::kFrameTimeoutMs / 6);
        }
        QCOMPARE(trickling.state(), QLocalSocket::UnconnectedState);
        QVERIFY(clock.elapsed() < MbConnection::kFrameTimeoutMs * 2);
        QTRY_COMPARE_WITH_TIMEOUT(silent.state(), QLocalSocket::UnconnectedState, MbConnection::kFrameTimeoutMs * 4);
        QTRY_COMPARE_WITH_TIMEOUT(halfway.state(), QLocalSocket::UnconnectedState, MbConnection::kFrameTimeoutMs * 4);
        QVERIFY(inbox.messages.empty());
    }

private:
    std::unique_ptr<RuntimeFolder> runtime_;
};

QTEST_GUILESS_MAIN(TestInterProc)
#include "test_interproc.moc"

// The hand-off's pieces below the windows: the frame layout and limits, Orvex.ini as the list reads
// it, the endpoint folder and names, the `mb` control against stale, foreign and hostile peers and
// past its connection cap, the Talvane probe, and talvane-sim's own output. The hand-off end to
// end is in tests/app; random frames and profile files are in tests/fuzz.
#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "dnc/InterProc.h"
#include "dnc/MachineProfiles.h"
#include "dnc/MbConnection.h"
#include "dnc/MbEndpoint.h"
#include "dnc/TalvaneProbe.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>

#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

namespace {

// The texts of the frames an InterProc has received.
Strings Texts(const QSignalSpy& received)
{
    Strings texts;
    for (const QList<QVariant>& arguments : received)
        texts.push_back(arguments.at(3).value<std::string>());
    return texts;
}

QString EndpointFile(const std::string& name)
{
    return QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), name));
}

std::string Frame(const char* text) { return mb::EncodeFrame(1, "x", text).value(); }

mb::FrameDecoder::Result Decode(std::string_view bytes)
{
    mb::Frame frame;
    return mb::FrameDecoder().Feed(bytes, frame);
}

// A raw connection to "talvane" as a foreign peer makes it, and the bytes it writes at once.
std::unique_ptr<QLocalSocket> Connect(const std::string& bytes = {})
{
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(EndpointFile("talvane"));
    if (socket->waitForConnected(5000) && !bytes.empty() && socket->write(bytes.data(), qint64(bytes.size())) > 0)
        socket->waitForBytesWritten(5000);
    return socket;
}

}  // namespace

class TestDnc : public QObject {
    Q_OBJECT
    std::unique_ptr<RuntimeFolder> runtime_;
private Q_SLOTS:
    void init() { runtime_ = std::make_unique<RuntimeFolder>(); }

    // Big-endian fields; the largest body passes both ways, one byte more is refused.
    void frameLayoutAndLimits()
    {
        QCOMPARE(QByteArray::fromStdString(mb::EncodeFrame(-2, "ab", "xyz").value()).toHex(),
                 QByteArray("4d4249310000000ffffffffe000261620000000378797a"));
        const std::string text(mb::kMaxFrameBody - mb::kFrameFixedBody - 3, 'x');
        QCOMPARE(Decode(mb::EncodeFrame(1, "abc", text).value()), mb::FrameDecoder::Result::FrameReady);
        QVERIFY(!mb::EncodeFrame(0, "abcd", text) && !mb::EncodeFrame(0, std::string(0x10000, 's'), ""));
    }

    void malformedFrame_data() { AddMalformedFrameRows(); }
    void malformedFrame()
    {
        QFETCH(std::string, stream);
        QCOMPARE(Decode(stream), mb::FrameDecoder::Result::Malformed);
    }

    void profiles()
    {
        // Lines end at CR or CR LF; "[MC" and "MCNAME=" in upper case; the number from the 4th
        // character, the name from the line's first "=", trimmed; an empty name is not listed.
        QCOMPARE(ReadMachineProfiles("MCNAME=Mill\r\n[MC3]\r\nX=1 MCNAME= A=B \r\nMCNAME=  \r\n[mc4]\r\nmcname=B\r\n"
                                     " [MC5]\rMCNAME=C\r[MC6]\nMCNAME=D\n[MC7]")
                     .entries,
                 (Strings{"0\tMill", "3\t1 MCNAME= A=B", "0\tC", "6\tD\n[MC7]"}));
        // Blanks, tabs and line feeds skipped anywhere; half to even; clamped to 16 bits.
        const std::pair<const char*, int> numbers[] = {
            {"2.5]", 2},      {"3.5", 4},       {" -\t1\n2 ", -12}, {"+.5e1", 5},       {"3E]", 3},    {"1.2.9", 1},
            {"70000", 32767}, {"-1e9", -32768}, {"1e999", 32767},   {"0.5e400", 32767}, {"1e-999", 0}, {"-x", 0}};
        for (const auto& [text, number] : numbers)
            QVERIFY2(ReadMachineNumber(text) == number, text);
        // The tab ends the number, so a name that starts with digits cannot join it.
        QVERIFY(ParseMachineEntry("3\t 5-axis  ").number == 3 && ParseMachineEntry("3\t 5-axis  ").name == "5-axis");
    }

    // Created private whatever the umask; anything but this user's private folder is refused, not repaired.
    void endpointFolder_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"missing", "0750", "0701", "owner", "symlink", "fifo"})
            QTest::newRow(kind) << kind;
    }
    void endpointFolder()
    {
        QFETCH(QString, kind);
        const std::string folder = mb::EndpointFolderPath(), elsewhere = folder + ".real";
        const std::string& made = kind == "symlink" ? elsewhere : folder;
        QVERIFY(kind == "missing" ||
                ((kind == "fifo" ? ::mkfifo(made.c_str(), 0700) : ::mkdir(made.c_str(), 0700)) == 0 &&
                 ::chmod(made.c_str(), kind.toUInt(nullptr, 8) | 0700) == 0));
        if (kind == "owner" && ::chown(folder.c_str(), 65534, 65534) != 0)
            QSKIP("handing a folder to another user needs root");
        QVERIFY(kind != "symlink" || ::symlink(elsewhere.c_str(), folder.c_str()) == 0);
        const auto before = fs::symlink_status(folder);
        const mode_t oldMask = ::umask(0777);
        const bool prepared = mb::EndpointFolder().has_value();
        ::umask(oldMask);
        QCOMPARE(prepared, kind == "missing");
        QVERIFY(fs::symlink_status(folder) ==
                (prepared ? fs::file_status(fs::file_type::directory, fs::perms::owner_all) : before));
        qputenv("XDG_RUNTIME_DIR", "");  // then a folder of this user's own in the temporary folder
        QVERIFY(mb::EndpointFolderPath() ==
                QDir::tempPath().toStdString() + "/mbinterproc-" + std::to_string(::geteuid()));
    }

    void endpointNames()
    {
        const std::string folder = "/run/user/0/mbinterproc";
        const std::size_t room = sizeof(sockaddr_un::sun_path) - folder.size() - 2;  // with the '/' and the NUL
        // clang-format off
        const std::pair<std::string, bool> names[] = {{"..", false}, {"a/b", false}, {std::string("a\0b", 3), false},
            {"a\xFF", false}, {std::string(room, 'n'), true}, {std::string(room + 1, 'n'), false}};
        // clang-format on
        for (const auto& [name, valid] : names)
            QVERIFY2(mb::IsValidEndpointName(name, folder) == valid, name.c_str());
    }

    // A killed editor's socket file goes; those of running editors and of anything else stay.
    void endpointsOfEndedEditorsRemoved()
    {
        const std::string folder = mb::EndpointFolder().value();
        const pid_t ended = ::fork();
        if (ended == 0)
            ::_exit(0);
        ::waitpid(ended, nullptr, 0);
        const std::string gone = folder + "/varnotek-" + std::to_string(ended), other = folder + "/talvane",
                          running = folder + "/varnotek-" + std::to_string(::getpid());
        QVERIFY(MakeStaleSocket(gone) && MakeStaleSocket(running) && MakeStaleSocket(other));
        mb::RemoveEndpointsOfEndedProcesses(folder, "varnotek-");
        QVERIFY(!fs::exists(gone) && fs::exists(running) && fs::exists(other));
    }

    // A stale socket file is taken over, a live endpoint or a foreign file is not; the endpoint's
    // file goes when it stops listening, also on a refused new name.
    void existingEndpointFile_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"stale", "live", "file"})
            QTest::newRow(kind) << kind;
    }
    void existingEndpointFile()
    {
        QFETCH(QString, kind);
        auto first = std::make_unique<InterProc>();
        QVERIFY(mb::EndpointFolder() && (kind != "stale" || MakeStaleSocket(EndpointFile("talvane").toStdString())));
        QVERIFY(kind != "live" || first->Listen("talvane"));
        QVERIFY(kind != "file" || QFile(EndpointFile("talvane")).open(QIODevice::WriteOnly));
        InterProc second;
        QCOMPARE(second.Listen("TALVANE"), kind == "stale");
        second.TargetName = "Talvane";
        second.Send();
        // Written to whichever listens; a failure is reported once.
        QVERIFY(second.Flush() == (kind != "file") && second.Flush());
        QVERIFY(!second.Listen("bad/name") && second.EndpointName().empty());
        first.reset();
        QCOMPARE(fs::exists(EndpointFile("talvane").toStdString()), kind == "file");
    }

    // Garbage ends its connection at once; silence, a frame stalled half-way or trickling a byte at
    // a time, once the frame's time is up. Nothing of theirs is delivered, and the endpoint goes on.
    void hostilePeersDropped()
    {
        InterProc listener;
        QSignalSpy received(&listener, &InterProc::MessageReceived);
        QVERIFY(listener.Listen("talvane"));
        const std::string frame = Frame("never delivered");
        const auto garbage = Connect("MBI2" + frame.substr(4) + frame), silent = Connect(),
                   halfway = Connect(frame.substr(0, 12)), trickling = Connect();
        QTRY_COMPARE_WITH_TIMEOUT(garbage->state(), QLocalSocket::UnconnectedState, MbConnection::kFrameTimeoutMs / 2);
        for (std::size_t sent = 0; trickling->state() == QLocalSocket::ConnectedState && sent < frame.size(); ++sent) {
            trickling->write(frame.data() + sent, 1);
            trickling->flush();
            QTest::qWait(MbConnection::kFrameTimeoutMs / 6);
        }
        for (const auto* peer : {silent.get(), halfway.get()})
            QTRY_COMPARE_WITH_TIMEOUT(peer->state(), QLocalSocket::UnconnectedState, MbConnection::kFrameTimeoutMs * 4);
        const auto late = Connect(Frame("still listening"));
        QTRY_COMPARE(Texts(received), Strings{"still listening"});
    }

    // More connections than the cap: those beyond it are closed unread, the first ones still work,
    // and once they close there is room again. A receiver that runs a nested event loop while its
    // peer closes still gets the frames that came before the close.
    void connectionCap()
    {
        InterProc listener;
        QSignalSpy received(&listener, &InterProc::MessageReceived);
        QVERIFY(listener.Listen("talvane"));
        std::vector<std::unique_ptr<QLocalSocket>> held;
        const std::string first = Frame("held") + Frame("sent before the close");
        for (int i = 0; i < 40; ++i)
            held.push_back(Connect(i == 0 ? first : i == 39 ? Frame("beyond the cap") : ""));
        connect(&listener, &InterProc::MessageReceived, this,
                [&held](int, const std::string&, int, const std::string& text) {
                    if (text == "held") {
                        held.front()->disconnectFromServer();
                        QTest::qWait(200);
                    }
                });
        QTRY_COMPARE(held.back()->state(), QLocalSocket::UnconnectedState);
        QTRY_COMPARE(Texts(received), (Strings{"held", "sent before the close"}));
        held.clear();
        QTRY_VERIFY(listener.findChildren<MbConnection*>().isEmpty());
        const auto after = Connect(Frame("after"));
        QTRY_COMPARE(Texts(received), (Strings{"held", "sent before the close", "after"}));
    }

    // 4.1 before 5.0; a listener that never accepts would make a blocking connect wait once its queue is full.
    void talvaneVersion()
    {
        InterProc five;
        QVERIFY(five.Listen("Talvane 5.0"));
        QLocalServer stuck;  // accepts only in the event loop, which does not run meanwhile
        stuck.setListenBacklogSize(1);
        QVERIFY(stuck.listen(EndpointFile("talvane 4.1")));
        for (int probe = 0; probe < 20; ++probe)
            QCOMPARE(GetTalvaneVersion(), 41);
    }

    // Every byte printed visibly; a frame in its own name is not answered, or it would answer itself for ever.
    void talvaneSim()
    {
        TalvaneSim sim({"--reply", "busy"});
        QVERIFY(sim.WaitForReady());
        Connect(mb::EncodeFrame(1, "Talvane 5.0", "loop?").value() + Frame("/tmp/a\\b\tc\xFF\x01~.tmp"));
        QTRY_COMPARE(sim.Frames(), QByteArray("Talvane 5.0\t1\tloop?\nx\t1\t/tmp/a\\x5Cb\\x09c\\xFF\\x01~.tmp\n"));
        QTest::qWait(300);
        QCOMPARE(sim.Frames().count('\n'), 2);
    }
};

QTEST_GUILESS_MAIN(TestDnc)
#include "test_dnc.moc"

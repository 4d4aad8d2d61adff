// End-to-end tests of talvane-sim: recording, replies, window-title endpoints and its exit.
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"

#include "dnc/MbFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace {

const QString kSimulator = QStringLiteral(VARNOTEK_PROGRAM_DIR "/talvane-sim");

bool WaitForReady(QProcess& process)
{
    QByteArray output;
    while (!output.contains("ready\n")) {
        if (!process.waitForReadyRead(10000))
            return false;
        output += process.readAllStandardOutput();
    }
    return true;
}

} // namespace

class TestTalvaneSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void recordsEditFailed();
    void repliesToLoadRequest();
    void noReplyToItself();
    void listensAsWindowTitle();
    void refusesTakenEndpoint();
    void refusesOpenFolder();

private:
    QByteArray Record() const
    {
        QFile file(recordPath_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QProcess& Start(const QStringList& arguments)
    {
        auto process = std::make_unique<QProcess>();
        process->setProgram(kSimulator);
        process->setArguments(QStringList{"--record", recordPath_} + arguments);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start();
        processes_.push_back(std::move(process));
        return *processes_.back();
    }

    std::unique_ptr<QTemporaryDir> runtime_;
    QString recordPath_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

void TestTalvaneSim::init()
{
    runtime_ = std::make_unique<QTemporaryDir>();
    QVERIFY(runtime_->isValid());
    qputenv("XDG_RUNTIME_DIR", runtime_->path().toLocal8Bit());
    recordPath_ = runtime_->filePath("record.txt");
}

void TestTalvaneSim::cleanup()
{
    for (const auto& process : processes_) {
        process->terminate();
        process->waitForFinished(10000);
    }
    processes_.clear();
}

void TestTalvaneSim::recordsEditFailed()
{
    QProcess& sim = Start({});
    QVERIFY(WaitForReady(sim));
    InterProc editor;
    QVERIFY(editor.Listen("varnotek-77"));
    editor.MessageText = "EDIT_FAILED";
    editor.TargetName = "Talvane";
    editor.Send();
    QVERIFY(editor.Flush());
    QTRY_COMPARE(Record(), QByteArray("0\tvarnotek-77\tEDIT_FAILED\n"));

    // Every byte of the text is visible in the record, and a backslash cannot be mistaken.
    editor.MessageValue = -3;
    editor.MessageText = std::string("a\\b\tc\xFF\x01~", 8);
    editor.Send();
    QTRY_COMPARE(Record(), QByteArray("0\tvarnotek-77\tEDIT_FAILED\n-3\tvarnotek-77\ta\\x5Cb\\x09c\\xFF\\x01~\n"));

    // SIGTERM ends it cleanly and takes its endpoint away.
    sim.terminate();
    QVERIFY(sim.waitForFinished(10000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), "talvane"))));
}

void TestTalvaneSim::repliesToLoadRequest()
{
    QProcess& sim = Start({"--reply", "DNC_BUSY"});
    QVERIFY(WaitForReady(sim));
    InterProc editor;
    QVERIFY(editor.Listen("varnotek-78"));
    std::vector<std::pair<std::string, std::string>> replies;
    connect(&editor, &InterProc::MessageReceived, this,
            [&replies](int, const std::string& sender, int, const std::string& text) {
                replies.emplace_back(sender, text);
            });
    // The notice gets no reply; each load request gets one.
    editor.MessageText = "EDIT_FAILED";
    editor.TargetName = "Talvane";
    editor.Send();
    editor.MessageValue = 2;
    editor.MessageText = "/opt/varnotek/dncfile.tmp";
    editor.Send();
    QTRY_COMPARE(replies.size(), 1u);
    QCOMPARE(replies.front().first, std::string("talvane"));
    QCOMPARE(replies.front().second, std::string("DNC_BUSY"));
    editor.MessageValue = 5;
    editor.Send();
    QTRY_COMPARE(replies.size(), 2u);
    QCOMPARE(Record(), QByteArray("0\tvarnotek-78\tEDIT_FAILED\n"
                                  "2\tvarnotek-78\t/opt/varnotek/dncfile.tmp\n"
                                  "5\tvarnotek-78\t/opt/varnotek/dncfile.tmp\n"));
}

void TestTalvaneSim::noReplyToItself()
{
    QProcess& sim = Start({"--reply", "DNC_OK", "--title", "Talvane 5.0"});
    QVERIFY(WaitForReady(sim));
    for (const char* forged : {"Talvane", "talvane 5.0"}) {
        QLocalSocket socket;
        socket.connectToServer(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), "talvane")));
        QVERIFY(socket.waitForConnected(5000));
        const std::string frame = mb::EncodeFrame(1, forged, "loop?").value();
        socket.write(frame.data(), static_cast<qint64>(frame.size()));
        QVERIFY(socket.waitForBytesWritten(5000));
        socket.disconnectFromServer();
    }
    InterProc editor;
    QVERIFY(editor.Listen("varnotek-79"));
    int replies = 0;
    connect(&editor, &InterProc::MessageReceived, this, [&replies] { ++replies; });
    editor.TargetName = "talvane";
    editor.MessageValue = 1;
    editor.MessageText = "request";
    editor.Send();
    QTRY_COMPARE(replies, 1);
    QCOMPARE(Record(), QByteArray("1\tTalvane\tloop?\n1\ttalvane 5.0\tloop?\n1\tvarnotek-79\trequest\n"));
}

void TestTalvaneSim::listensAsWindowTitle()
{
    QProcess& sim = Start({"--title", "Talvane 4.1"});
    QVERIFY(WaitForReady(sim));
    QVERIFY(mb::EndpointIsLive("talvane 4.1"));
    QVERIFY(mb::EndpointIsLive("Talvane"));
    QVERIFY(!mb::EndpointIsLive("Talvane 5.0"));
    InterProc editor;
    editor.TargetName = "TALVANE 4.1";
    editor.MessageText = "by title";
    editor.Send();
    QTRY_COMPARE(Record(), QByteArray("0\t\tby title\n"));
}

void TestTalvaneSim::refusesTakenEndpoint()
{
    QProcess& first = Start({});
    QVERIFY(WaitForReady(first));
    QProcess& second = Start({});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 2);
    QVERIFY(mb::EndpointIsLive("talvane"));
}

void TestTalvaneSim::refusesOpenFolder()
{
    const QString folder = runtime_->filePath("mbinterproc");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                              | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther
                                              | QFile::ExeOther));
    QProcess& sim = Start({});
    QVERIFY(sim.waitForFinished(10000));
    QCOMPARE(sim.exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestTalvaneSim)
#include "tst_talvanesim.moc"

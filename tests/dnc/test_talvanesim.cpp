// End-to-end tests of talvane-sim: recording, replies, window-title endpoints and its exit.
#include "MbTestSupport.h"
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"
#include "dnc/MbFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

}  // namespace

class TestTalvaneSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        runtime_ = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime_->isValid());
        recordPath_ = runtime_->filePath("record.txt");
    }

    void cleanup()
    {
        for (const auto& process : processes_) {
            process->terminate();
            process->waitForFinished(10000);
        }
        processes_.clear();
    }

    void recordsAndReplies()
    {
        QProcess& sim = Start({"--reply", "DNC_BUSY"});
        QVERIFY(WaitForReady(sim));
        InterProc editor;
        QVERIFY(editor.Listen("varnotek-77"));
        std::vector<std::pair<std::string, std::string>> replies;
        connect(&editor, &InterProc::MessageReceived, this,
                [&replies](int, const std::string& sender, int, const std::string& text) {
                    replies.emplace_back(sender, text);
                });
        // The notice gets no reply, the load request one. Every byte of the text is visible in
        // the record, and a backslash cannot be mistaken.
        editor.TargetName = "Talvane";
        editor.MessageText = "EDIT_FAILED";
        editor.Send();
        editor.MessageValue = 2;
        editor.MessageText = "/tmp/a\\b\tc\xFF\x01~.tmp";
        editor.Send();
        QVERIFY(editor.Flush());
        QTRY_COMPARE(replies.size(), 1u);
        QCOMPARE(replies.front(), (std::pair<std::string, std::string>("talvane", "DNC_BUSY")));
        QTRY_COMPARE(Record(), QByteArray("0\tvarnotek-77\tEDIT_FAILED\n"
                                          "2\tvarnotek-77\t/tmp/a\\x5Cb\\x09c\\xFF\\x01~.tmp\n"));

        // SIGTERM ends it cleanly and takes its endpoint away.
        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), "talvane"))));
    }

    void answersByTitleButNotItself()
    {
        QProcess& sim = Start({"--reply", "DNC_OK", "--title", "Talvane 5.0"});
        QVERIFY(WaitForReady(sim));
        QVERIFY(mb::EndpointIsLive("talvane 5.0"));
        QVERIFY(mb::EndpointIsLive("Talvane"));
        for (const char* forged : {"Talvane", "talvane 5.0"}) {
            QLocalSocket socket;
            socket.connectToServer(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), "talvane")));
            QVERIFY(socket.waitForConnected(5000));
            const std::string frame = mb::EncodeFrame(1, forged, "loop?").value();
            socket.write(frame.data(), static_cast<qint64>(frame.size()));
            QVERIFY(socket.waitForBytesWritten(5000));
            socket.disconnectFromServer();
        }
        QTRY_COMPARE(Record(), QByteArray("1\tTalvane\tloop?\n1\ttalvane 5.0\tloop?\n"));
        InterProc editor;
        QVERIFY(editor.Listen("varnotek-79"));
        int replies = 0;
        connect(&editor, &InterProc::MessageReceived, this, [&replies] { ++replies; });
        editor.TargetName = "TALVANE 5.0";
        editor.MessageValue = 1;
        editor.MessageText = "request";
        editor.Send();
        QTRY_COMPARE(replies, 1);
        QCOMPARE(Record(), QByteArray("1\tTalvane\tloop?\n1\ttalvane 5.0\tloop?\n1\tvarnotek-79\trequest\n"));
    }

    void refusesToStart_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::newRow("endpoint taken") << true;
        QTest::newRow("folder open to others") << false;
    }

    void refusesToStart()
    {
        QFETCH(bool, taken);
        if (taken) {
            QVERIFY(WaitForReady(Start({})));
        } else {
            const QByteArray folder = QFile::encodeName(runtime_->filePath("mbinterproc"));
            QVERIFY(::mkdir(folder.constData(), 0700) == 0 && ::chmod(folder.constData(), 0755) == 0);
        }
        QProcess& sim = Start({});
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 2);
        QCOMPARE(mb::EndpointIsLive("talvane"), taken);
    }

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

    std::unique_ptr<RuntimeFolder> runtime_;
    QString recordPath_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

QTEST_GUILESS_MAIN(TestTalvaneSim)
#include "test_talvanesim.moc"

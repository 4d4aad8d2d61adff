// End-to-end tests of talvane-sim: printing and recording, replies, window titles, its options
// and its exit. The files it installs are read by the editor in the hand-off tests.
#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"
#include "dnc/MbFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

class TestTalvaneSim : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        runtime_ = std::make_unique<RuntimeFolder>();
        QVERIFY(runtime_->isValid());
        recordPath_ = runtime_->filePath("record.txt");
    }

    void cleanup() { sims_.clear(); }

    void printsRecordsAndReplies()
    {
        TalvaneSim& sim = Start({"--reply", "busy"});
        QVERIFY(sim.WaitForReady());
        InterProc editor;
        QVERIFY(editor.Listen("varnotek-77"));
        std::vector<std::pair<std::string, std::string>> replies;
        connect(&editor, &InterProc::MessageReceived, this,
                [&replies](int, const std::string& sender, int, const std::string& text) {
                    replies.emplace_back(sender, text);
                });
        // The notice gets no reply, the load request one. Every byte of the text is visible, and a
        // backslash cannot be mistaken.
        editor.TargetName = "Talvane";
        editor.MessageText = "EDIT_FAILED";
        editor.Send();
        editor.MessageValue = 2;
        editor.MessageText = "/tmp/a\\b\tc\xFF\x01~.tmp";
        editor.Send();
        QVERIFY(editor.Flush());
        QTRY_COMPARE(replies.size(), 1u);
        QCOMPARE(replies.front(), (std::pair<std::string, std::string>("talvane", "DNC_BUSY")));
        QTRY_COMPARE(sim.Frames(), QByteArray("varnotek-77\t0\tEDIT_FAILED\n"
                                              "varnotek-77\t2\t/tmp/a\\x5Cb\\x09c\\xFF\\x01~.tmp\n"));
        QCOMPARE(Record(), QByteArray("0\tvarnotek-77\tEDIT_FAILED\n"
                                      "2\tvarnotek-77\t/tmp/a\\x5Cb\\x09c\\xFF\\x01~.tmp\n"));

        // SIGTERM ends it cleanly and takes its endpoints away.
        sim.Process().terminate();
        QVERIFY(sim.Process().waitForFinished(10000));
        QCOMPARE(sim.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.Process().exitCode(), 0);
        for (const char* name : {"talvane", "talvane 5.0"})
            QVERIFY(!QFileInfo::exists(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), name))));
    }

    void answersByTitleButNotItself()
    {
        TalvaneSim& sim = Start({"--reply", "ok"});
        QVERIFY(sim.WaitForReady());
        for (const char* forged : {"Talvane", "talvane 5.0"}) {
            QLocalSocket socket;
            socket.connectToServer(QString::fromStdString(mb::EndpointPath(mb::EndpointFolderPath(), "talvane")));
            QVERIFY(socket.waitForConnected(5000));
            const std::string frame = mb::EncodeFrame(1, forged, "loop?").value();
            socket.write(frame.data(), static_cast<qint64>(frame.size()));
            QVERIFY(socket.waitForBytesWritten(5000));
            socket.disconnectFromServer();
        }
        QTRY_COMPARE(sim.Frames(), QByteArray("Talvane\t1\tloop?\ntalvane 5.0\t1\tloop?\n"));
        InterProc editor;
        QVERIFY(editor.Listen("varnotek-79"));
        std::vector<std::string> replies;
        connect(&editor, &InterProc::MessageReceived, this,
                [&replies](int, const std::string&, int, const std::string& text) { replies.push_back(text); });
        editor.TargetName = "TALVANE 5.0";
        editor.MessageValue = 1;
        editor.MessageText = "request";
        editor.Send();
        QTRY_COMPARE(replies, std::vector<std::string>{"DNC_OK"});
        QCOMPARE(sim.Frames(), QByteArray("Talvane\t1\tloop?\ntalvane 5.0\t1\tloop?\nvarnotek-79\t1\trequest\n"));
    }

    void refusesToStart_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<int>("status");
        QTest::newRow("endpoint taken") << "taken" << 2;
        QTest::newRow("folder open to others") << "folder" << 2;
        QTest::newRow("unknown reply word") << "--reply=maybe" << 1;
        QTest::newRow("unknown version") << "--version=5.1" << 1;
        QTest::newRow("machine without number") << "--machine=Lathe" << 1;
    }

    void refusesToStart()
    {
        QFETCH(QString, cause);
        QFETCH(int, status);
        QTemporaryDir folder;
        QStringList arguments;
        if (cause == "taken") {
            QVERIFY(Start({}).WaitForReady());
        } else if (cause == "folder") {
            const QByteArray endpoints = QFile::encodeName(runtime_->filePath("mbinterproc"));
            QVERIFY(::mkdir(endpoints.constData(), 0700) == 0 && ::chmod(endpoints.constData(), 0755) == 0);
        } else {
            arguments = QStringList{cause, "--install", folder.path()};
        }
        TalvaneSim& sim = Start(arguments);
        QVERIFY(sim.Process().waitForFinished(10000));
        QCOMPARE(sim.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.Process().exitCode(), status);
        QCOMPARE(mb::EndpointIsLive("talvane"), cause == "taken");
        QVERIFY(!QFileInfo::exists(folder.filePath("Orvex.ini")));
    }

private:
    QByteArray Record() const
    {
        QFile file(recordPath_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    TalvaneSim& Start(const QStringList& arguments)
    {
        sims_.push_back(std::make_unique<TalvaneSim>(QStringList{"--record", recordPath_} + arguments));
        return *sims_.back();
    }

    std::unique_ptr<RuntimeFolder> runtime_;
    QString recordPath_;
    std::vector<std::unique_ptr<TalvaneSim>> sims_;
};

QTEST_GUILESS_MAIN(TestTalvaneSim)
#include "test_talvanesim.moc"

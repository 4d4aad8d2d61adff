// talvane-sim as a child process: started with chosen options, its printed frames collected, ended
// (SIGTERM) when the fixture goes.
#pragma once

#include <QProcess>
#include <QTest>

class TalvaneSim {
public:
    explicit TalvaneSim(const QStringList& arguments)
    {
        process_.setProgram(QStringLiteral(VARNOTEK_PROGRAM_DIR "/talvane-sim"));
        process_.setArguments(arguments);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                         [this] { printed_ += process_.readAllStandardOutput(); });
        process_.start();
    }
    ~TalvaneSim()
    {
        process_.terminate();
        process_.waitForFinished(10000);
    }
    TalvaneSim(const TalvaneSim&) = delete;
    TalvaneSim& operator=(const TalvaneSim&) = delete;

    // True once it listens; false when it ended first or took too long.
    bool WaitForReady()
    {
        return QTest::qWaitFor([this] { return Printed().startsWith("ready\n") || !IsRunning(); }, 10000) &&
               Printed().startsWith("ready\n");
    }
    bool IsRunning() const { return process_.state() != QProcess::NotRunning; }
    // Everything printed so far: "ready", then one "sender<TAB>value<TAB>text" line per frame.
    QByteArray Printed()
    {
        printed_ += process_.readAllStandardOutput();
        return printed_;
    }
    // The frame lines alone.
    QByteArray Frames() { return Printed().mid(int(sizeof "ready\n") - 1); }
    QProcess& Process() { return process_; }

private:
    QProcess process_;
    QByteArray printed_;
};

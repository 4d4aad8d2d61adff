// talvane-sim as a child process: started with chosen options and listening once constructed (one
// that fails to start shows as a missing frame or box), ended (SIGTERM) when the fixture goes.
#pragma once

#include <QProcess>

class TalvaneSim {
public:
    explicit TalvaneSim(const QStringList& arguments)
    {
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VARNOTEK_PROGRAM_DIR "/talvane-sim"), arguments);
        process_.waitForReadyRead(10000);
        process_.readLine();  // its "ready" line
    }
    ~TalvaneSim()
    {
        process_.terminate();
        process_.waitForFinished(10000);
    }
    // One "sender<TAB>value<TAB>text" line per frame received so far.
    QByteArray Frames() { return printed_ += process_.readAllStandardOutput(); }

private:
    QProcess process_;
    QByteArray printed_;
};

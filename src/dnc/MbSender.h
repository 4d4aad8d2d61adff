// One outgoing messaging frame: connect, write, close, each step bounded in time.
#pragma once

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QObject>
#include <QTimer>

#include <string>

class MbSender : public QObject {
    Q_OBJECT
public:
    static constexpr int kStepTimeoutMs = 1000;

    MbSender(std::string path, std::string frame, QObject* parent);
    ~MbSender() override;

    // Begins connecting; Finished may be emitted before this returns (absent endpoint).
    void Start();
    // Serves only this socket, without the event loop, until the send is done, its step
    // has run out of time (then it is given up) or deadline has passed.
    void WaitUntilDone(QDeadlineTimer deadline);
    bool IsDone() const { return done_; }

Q_SIGNALS:
    void Finished(bool written);

private:
    void StartStep();
    void OnConnected();
    void OnBytesWritten();
    void GiveUp();
    void Finish(bool written);

    std::string path_;
    std::string frame_;
    QLocalSocket socket_;
    QTimer step_;
    QDeadlineTimer stepDeadline_;
    bool done_ = false;
};

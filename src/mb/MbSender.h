// One outgoing messaging frame: connect, write, close, each step bounded in time.
#pragma once

#include <sys/socket.h>
#include <sys/un.h>

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QObject>
#include <QTimer>

#include <future>
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
    void WaitForRoom();
    void TakeWaitResult();
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
    sockaddr_un address_{};
    int pendingFd_ = -1;         // the socket whose connect waits for room in the listener's queue
    std::future<bool> waiting_;  // that wait, on a thread of its own
};

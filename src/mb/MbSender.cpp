// One outgoing messaging frame: connect, write, close, each step bounded in time.
#include "mb/MbSender.h"

#include <QString>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>
#include <utility>

MbSender::MbSender(std::string path, std::string frame, QObject* parent)
    : QObject(parent), path_(std::move(path)), frame_(std::move(frame))
{
    step_.setSingleShot(true);
    connect(&step_, &QTimer::timeout, this, &MbSender::GiveUp);
    connect(&socket_, &QLocalSocket::connected, this, &MbSender::OnConnected);
    connect(&socket_, &QLocalSocket::bytesWritten, this, &MbSender::OnBytesWritten);
    connect(&socket_, &QLocalSocket::errorOccurred, this, [this] { Finish(false); });
}

// The socket is a member and goes before the QObject part, so it must not call back. A wait
// for room ends by the step's time at the latest.
MbSender::~MbSender()
{
    disconnect(&socket_, nullptr, this, nullptr);
    if (waiting_.valid()) {
        waiting_.wait();
        ::close(pendingFd_);
    }
}

void MbSender::Start()
{
    StartStep();
    pendingFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    address_.sun_family = AF_UNIX;
    const bool fits = path_.size() < sizeof address_.sun_path;
    if (fits)
        path_.copy(address_.sun_path, path_.size());
    if (pendingFd_ >= 0 && fits &&
        ::connect(pendingFd_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0) {
        socket_.setSocketDescriptor(std::exchange(pendingFd_, -1), QLocalSocket::ConnectedState, QIODevice::WriteOnly);
        OnConnected();
    } else if (pendingFd_ >= 0 && fits && errno == EAGAIN) {
        WaitForRoom();
    } else {
        ::close(std::exchange(pendingFd_, -1));
        Finish(false);
    }
}

// A listener whose queue of connections is full refuses a non-blocking connect at once, and asking
// again would spin. A blocking connect waits in the kernel until the listener takes one, bounded
// by the step's time; it runs on a thread of its own so the user interface goes on meanwhile.
void MbSender::WaitForRoom()
{
    const auto left = std::max<qint64>(stepDeadline_.remainingTime(), 1);
    waiting_ = std::async(std::launch::async, [this, left] {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, nullptr);  // the user interface thread takes the signals
        const timeval limit{static_cast<time_t>(left / 1000), static_cast<suseconds_t>(left % 1000 * 1000)};
        const int flags = ::fcntl(pendingFd_, F_GETFL);
        const bool connected =
            ::fcntl(pendingFd_, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
            ::setsockopt(pendingFd_, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0 &&
            ::connect(pendingFd_, reinterpret_cast<const sockaddr*>(&address_), sizeof address_) == 0 &&
            ::fcntl(pendingFd_, F_SETFL, flags) == 0;
        QMetaObject::invokeMethod(this, &MbSender::TakeWaitResult, Qt::QueuedConnection);
        return connected;
    });
}

void MbSender::TakeWaitResult()
{
    if (!waiting_.valid())
        return;
    const int fd = std::exchange(pendingFd_, -1);
    if (!waiting_.get() || done_) {
        ::close(fd);
        Finish(false);
        return;
    }
    socket_.setSocketDescriptor(fd, QLocalSocket::ConnectedState, QIODevice::WriteOnly);
    OnConnected();
}

void MbSender::StartStep()
{
    step_.start(kStepTimeoutMs);
    stepDeadline_ = QDeadlineTimer(kStepTimeoutMs);
}

void MbSender::OnConnected()
{
    if (done_)
        return;
    StartStep();
    socket_.write(frame_.data(), static_cast<qint64>(frame_.size()));
    std::string().swap(frame_);
}

void MbSender::OnBytesWritten()
{
    if (done_ || socket_.bytesToWrite() > 0)
        return;
    Finish(true);
    socket_.disconnectFromServer();
}

void MbSender::WaitUntilDone(QDeadlineTimer deadline)
{
    while (!done_) {
        const QDeadlineTimer until = stepDeadline_ < deadline ? stepDeadline_ : deadline;
        const int left = static_cast<int>(until.remainingTime());
        if (left <= 0)
            break;
        bool progressed = false;
        if (waiting_.valid()) {
            progressed = waiting_.wait_for(std::chrono::milliseconds(left)) == std::future_status::ready;
            if (progressed)
                TakeWaitResult();
        } else if (socket_.state() == QLocalSocket::ConnectedState)
            progressed = socket_.waitForBytesWritten(left);
        if (!progressed && !done_ && !until.hasExpired()) {
            GiveUp();  // the socket failed in a way that raised no error
            return;
        }
    }
    if (!done_ && stepDeadline_.hasExpired())
        GiveUp();
}

void MbSender::GiveUp()
{
    if (done_)
        return;
    Finish(false);
    socket_.abort();
}

void MbSender::Finish(bool written)
{
    if (done_)
        return;
    done_ = true;
    step_.stop();
    disconnect(&socket_, nullptr, this, nullptr);
    Q_EMIT Finished(written);
}

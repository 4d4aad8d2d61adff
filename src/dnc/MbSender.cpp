// One outgoing messaging frame: connect, write, close, each step bounded in time.
#include "dnc/MbSender.h"

#include <QString>

MbSender::MbSender(std::string path, std::string frame, QObject* parent)
    : QObject(parent), path_(std::move(path)), frame_(std::move(frame))
{
    step_.setSingleShot(true);
    connect(&step_, &QTimer::timeout, this, &MbSender::GiveUp);
    connect(&socket_, &QLocalSocket::connected, this, &MbSender::OnConnected);
    connect(&socket_, &QLocalSocket::bytesWritten, this, &MbSender::OnBytesWritten);
    connect(&socket_, &QLocalSocket::errorOccurred, this, [this] { Finish(false); });
}

// The socket is a member and goes before the QObject part, so it must not call back.
MbSender::~MbSender() { disconnect(&socket_, nullptr, this, nullptr); }

void MbSender::Start()
{
    StartStep();
    socket_.connectToServer(QString::fromStdString(path_));
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
        if (socket_.state() == QLocalSocket::ConnectingState)
            progressed = socket_.waitForConnected(left);
        else if (socket_.state() == QLocalSocket::ConnectedState)
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

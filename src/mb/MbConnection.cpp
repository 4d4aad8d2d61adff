// One accepted messaging connection: bounded reads, frames handed on one at a time.
#include "mb/MbConnection.h"

#include <QLocalSocket>
#include <QPointer>

#include <string_view>

namespace {
// Reads are made in pieces so that neither Qt nor the decoder holds more than about one frame.
constexpr qint64 kChunkSize = 64 * 1024;
}  // namespace

MbConnection::MbConnection(QLocalSocket* socket, QObject* parent) : QObject(parent), socket_(socket)
{
    socket_->setParent(this);
    socket_->setReadBufferSize(kChunkSize);
    deadline_.setSingleShot(true);
    deadline_.setInterval(kFrameTimeoutMs);
    connect(&deadline_, &QTimer::timeout, this, &MbConnection::End);
    connect(socket_, &QLocalSocket::readyRead, this, &MbConnection::ReadAvailable);
    connect(socket_, &QLocalSocket::disconnected, this, [this] {
        peerClosed_ = true;
        ReadAvailable();
    });
    deadline_.start();
    // Bytes may have arrived before the connections above were made.
    QTimer::singleShot(0, this, &MbConnection::ReadAvailable);
}

void MbConnection::ReadAvailable()
{
    // A receiver running a nested event loop must not restart the read under way; the
    // outer call goes on reading and ends the connection when the peer has closed.
    if (reading_ || ended_)
        return;
    const QPointer<MbConnection> self(this);
    reading_ = true;
    chunk_.resize(static_cast<std::size_t>(kChunkSize));
    while (socket_->bytesAvailable() > 0) {
        const qint64 count = socket_->read(chunk_.data(), kChunkSize);
        if (count <= 0)
            break;
        // A new frame's first byte starts its deadline; later bytes of the same frame do not.
        if (!decoder_.HasPartialFrame())
            deadline_.start();
        std::string_view rest(chunk_.data(), static_cast<std::size_t>(count));
        while (!rest.empty()) {
            mb::Frame frame;
            const mb::FrameDecoder::Result result = decoder_.Feed(rest, frame);
            if (result == mb::FrameDecoder::Result::Malformed) {
                reading_ = false;
                End();
                return;
            }
            if (result == mb::FrameDecoder::Result::FrameReady) {
                // Time spent by the receiver is not the peer's stall.
                deadline_.stop();
                Q_EMIT FrameReceived(frame);
                if (!self)
                    return;
                if (ended_)
                    break;
                deadline_.start();
            }
        }
        if (ended_)
            break;
    }
    reading_ = false;
    // The bytes that came before the close have all been taken by now.
    if (peerClosed_)
        End();
}

void MbConnection::End()
{
    if (ended_)
        return;
    ended_ = true;
    deadline_.stop();
    disconnect(socket_, nullptr, this, nullptr);
    socket_->abort();
    Q_EMIT Finished();
}

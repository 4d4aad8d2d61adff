// One accepted messaging connection: decodes its frames until it ends, breaks a rule or stalls.
#pragma once

#include "mb/MbFrame.h"

#include <QObject>
#include <QTimer>

#include <string>

class QLocalSocket;

class MbConnection : public QObject {
    Q_OBJECT
public:
    // A frame must be whole this long after its first byte, and the next one must start this long
    // after the last: a peer that trickles or stalls cannot hold a connection slot.
    static constexpr int kFrameTimeoutMs = 3000;

    // Takes ownership of socket.
    MbConnection(QLocalSocket* socket, QObject* parent);

Q_SIGNALS:
    void FrameReceived(const mb::Frame& frame);
    // The connection is over and closed; the owner deletes it.
    void Finished();

private:
    void ReadAvailable();
    void End();

    QLocalSocket* socket_;
    QTimer deadline_;
    mb::FrameDecoder decoder_;
    std::string chunk_;
    bool reading_ = false;
    bool peerClosed_ = false;
    bool ended_ = false;
};

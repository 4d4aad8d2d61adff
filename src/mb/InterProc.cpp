// The `mb` control: one listening endpoint, fire-and-forget sends, an event per valid frame.
#include "mb/InterProc.h"

#include "mb/MbConnection.h"
#include "mb/MbEndpoint.h"
#include "mb/MbFrame.h"
#include "mb/MbSender.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unistd.h>

InterProc::InterProc(QObject* parent) : QObject(parent) {}

InterProc::~InterProc()
{
    // Children outlive the members below; none may call back into a half-destroyed object.
    for (QObject* child : children())
        child->disconnect(this);
    StopListening();
}

bool InterProc::Listen(const std::string& endpointName)
{
    StopListening();
    const std::optional<std::string> folder = mb::EndpointFolder();
    const std::string name = mb::LowerName(endpointName);
    if (!folder || !mb::IsValidEndpointName(name, *folder))
        return false;
    const std::string path = mb::EndpointPath(*folder, name);
    switch (mb::ProbeEndpoint(path)) {
    case mb::EndpointState::Absent: break;
    case mb::EndpointState::Stale:
        // Left by a listener that ended without closing; nobody answers on it.
        if (::unlink(path.c_str()) != 0 && errno != ENOENT)
            return false;
        break;
    case mb::EndpointState::Live:
    case mb::EndpointState::Foreign: return false;
    }
    auto server = std::make_unique<QLocalServer>();
    if (!server->listen(QString::fromStdString(path)))
        return false;
    connect(server.get(), &QLocalServer::newConnection, this, &InterProc::Accept);
    server_ = std::move(server);
    endpointName_ = name;
    return true;
}

std::string InterProc::EndpointName() const { return endpointName_; }

void InterProc::StopListening()
{
    // Closing the server removes its socket file.
    server_.reset();
    endpointName_.clear();
}

void InterProc::Accept()
{
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        if (connections_ >= kMaxConnections) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        auto* connection = new MbConnection(socket, this);
        ++connections_;
        connect(connection, &MbConnection::FrameReceived, this, &InterProc::Deliver);
        connect(connection, &MbConnection::Finished, this, [this, connection] {
            --connections_;
            connection->deleteLater();
        });
    }
}

void InterProc::Deliver(const mb::Frame& frame)
{
    Q_EMIT MessageReceived(frame.value, frame.sender, static_cast<int>(frame.text.size()), frame.text);
}

void InterProc::Send()
{
    const std::optional<std::string> folder = mb::EndpointFolder();
    const std::string target = mb::LowerName(TargetName);
    std::optional<std::string> frame = mb::EncodeFrame(MessageValue, endpointName_, MessageText);
    if (!folder || !mb::IsValidEndpointName(target, *folder) || !frame) {
        sendFailed_ = true;
        return;
    }
    auto* sender = new MbSender(mb::EndpointPath(*folder, target), std::move(*frame), this);
    senders_.push_back(sender);
    connect(sender, &MbSender::Finished, this, [this, sender](bool written) {
        if (!written)
            sendFailed_ = true;
        senders_.erase(std::find(senders_.begin(), senders_.end(), sender));
        sender->deleteLater();
    });
    sender->Start();
}

bool InterProc::Flush(int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!senders_.empty()) {
        MbSender* sender = senders_.front();
        sender->WaitUntilDone(deadline);
        if (!sender->IsDone())
            break;
    }
    const bool allWritten = senders_.empty() && !sendFailed_;
    sendFailed_ = false;
    return allWritten;
}

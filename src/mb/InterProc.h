// The `mb` control: sends frames to named endpoints and raises an event for each frame received.
#pragma once

#include <QObject>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;
class MbSender;
namespace mb {
struct Frame;
}

class InterProc : public QObject {
    Q_OBJECT
public:
    explicit InterProc(QObject* parent = nullptr);
    ~InterProc() override;

    // Starts listening as endpointName (compared without case; the socket file is the
    // lower-case name) in the endpoint folder. False (quietly) when the folder is refused
    // or the name is invalid or taken by a live listener.
    bool Listen(const std::string& endpointName);
    // Stops listening and removes the endpoint's socket file.
    void StopListening();
    // The name listened as, lower case; empty when not listening.
    std::string EndpointName() const;

    std::string TargetName;         // receiver of the next Send
    std::string MessageText;        // text of the next Send, 8-bit bytes
    std::int32_t MessageValue = 0;  // number of the next Send

    // Sends one frame to TargetName without waiting for a reply; an absent target is
    // silently skipped. Connection and write proceed in the event loop, each bounded to
    // one second.
    void Send();
    // Waits (at most timeoutMs in total) until every Send under way has been written or
    // given up. True when every Send since the previous Flush was written.
    bool Flush(int timeoutMs = 1000);

Q_SIGNALS:
    // Raised on the thread of the InterProc for every valid frame received.
    void MessageReceived(int value, const std::string& sender, int length, const std::string& messageText);

private:
    static constexpr int kMaxConnections = 32;

    void Accept();
    void Deliver(const mb::Frame& frame);

    std::unique_ptr<QLocalServer> server_;
    std::string endpointName_;
    std::vector<MbSender*> senders_;  // children, until they finish
    int connections_ = 0;
    bool sendFailed_ = false;
};

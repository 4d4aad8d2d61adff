// SIGTERM and SIGINT end the editor as closing its window would, so that nothing it holds
// outside the process (its message endpoint's socket file) is left behind.
#pragma once

#include <QObject>

class QSocketNotifier;

// Lives for the whole event loop; quits it when a termination signal arrives.
class TerminationSignals : public QObject {
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};

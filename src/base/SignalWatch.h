// Signals turned into events: a signal handler may do almost nothing, so it writes one byte to a
// pipe, and the event loop, watching the pipe, calls back on its own thread.
#pragma once

#include <QObject>

#include <functional>
#include <vector>

class QSocketNotifier;

// Lives for the whole event loop; the signals get their default action back when it goes. One
// at a time in a process: a handler can reach nothing but globals.
class SignalWatch : public QObject {
public:
    SignalWatch(std::vector<int> signals, std::function<void()> arrived, QObject* parent = nullptr);
    ~SignalWatch() override;
    SignalWatch(const SignalWatch&) = delete;
    SignalWatch& operator=(const SignalWatch&) = delete;

    // False when the pipe or a handler could not be set up: the signals then end the process.
    bool Watching() const { return watching_; }

private:
    std::vector<int> signals_;
    bool watching_ = false;
};

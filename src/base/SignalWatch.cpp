#include "base/SignalWatch.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

SignalWatch::SignalWatch(std::vector<int> signals, std::function<void()> arrived, QObject* parent)
    : QObject(parent), signals_(std::move(signals))
{
    if (signalPipe[0] < 0 && ::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [arrived = std::move(arrived)] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        arrived();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    watching_ = true;
    for (const int signal : signals_)
        watching_ = ::sigaction(signal, &action, nullptr) == 0 && watching_;
}

SignalWatch::~SignalWatch()
{
    for (const int signal : signals_)
        std::signal(signal, SIG_DFL);
}

// A signal handler may do almost nothing: it writes one byte to a pipe, and the event loop,
// watching the pipe, does the rest on the user-interface thread.
#include "app/TerminationSignals.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "editor/UnsavedChanges.h"

namespace {

constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's two ends, for the handler: a signal handler can reach nothing but globals.
int signalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

TerminationSignals::TerminationSignals(EditorSession& editor, QObject* parent) : QObject(parent), editor_(editor)
{
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Qt asks for a direct connection: the session manager waits for the answer.
        connect(
            gui, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager& manager) {
                const bool mayAsk = manager.allowsInteraction();
                const bool mayEnd = AllowSessionEnd(editor_, mayAsk);
                if (mayAsk)
                    manager.release();
                if (!mayEnd)
                    manager.cancel();
            },
            Qt::DirectConnection);
    }
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {
        }
        Terminate();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : kEndingSignals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::~TerminationSignals()
{
    for (const int signal : kEndingSignals)
        std::signal(signal, SIG_DFL);
}

// No window is asked first: nobody may be there to answer. Quitting ends every event loop, also
// that of an open box, which then closes as if cancelled, and keeps new ones from opening.
void TerminationSignals::Terminate()
{
    if (ending_)
        return;
    ending_ = true;
    KeepUnsavedText(editor_);
    QCoreApplication::exit(0);
}

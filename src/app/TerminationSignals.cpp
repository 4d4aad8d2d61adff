// The signals are taken on the user-interface thread, through the event loop.
#include "app/TerminationSignals.h"

#include <QGuiApplication>
#include <QSessionManager>

#include <csignal>

#include "base/SignalWatch.h"
#include "editor/UnsavedChanges.h"

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
    new SignalWatch({SIGTERM, SIGINT, SIGHUP}, [this] { Terminate(); }, this);
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

// Shows the main window with the component module of a program folder of the parent test's
// choosing and writes every message box it shows to a file, so that the parent can check the
// component failure path, which ends the process, and the end of a run by a signal.
#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <cstdio>

#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/MDIForm1.h"
#include "app/TerminationSignals.h"
#include "component/SciMessages.h"

// Environment: CHILD_PROGRAM_FOLDER, XDG_STATE_HOME (which holds the box record "boxes"),
// CHILD_ANSWER ("yes" or "no").
// With CHILD_RUN the editor runs as the real one does, with the text of the file CHILD_TEXT typed
// in, and with CHILD_CLOSE=1 its window asked to close; it prints "ready" once idle.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto dialogs = std::make_unique<ScriptedDialogs>();
    const bool run = qEnvironmentVariableIsSet("CHILD_RUN");
    if (!run)
        dialogs->answers = {qEnvironmentVariable("CHILD_ANSWER") == QLatin1String("no") ? MsgAnswer::No
                                                                                        : MsgAnswer::Yes};
    // Each box as one record: title, buttons, icon, prompt, separated by tabs. A question stays
    // open, as a modal box would, until its event loop is ended; it then counts as cancelled.
    dialogs->whileShown = [run](const MessageBoxRequest& r) {
        QFile file(qEnvironmentVariable("XDG_STATE_HOME") + "/boxes");
        if (file.open(QIODevice::Append))
            file.write(QByteArray::fromStdString(r.title + '\t' + std::to_string(int(r.buttons)) + '\t' +
                                                 std::to_string(int(r.icon)) + '\t' + r.prompt + '\n'));
        file.close();
        if (run && r.buttons != MsgButtons::OK)
            QEventLoop().exec();
    };
    Application application(std::move(dialogs));
    const TerminationSignals termination(application.editor);
    application.app.ProgramFolder = qgetenv("CHILD_PROGRAM_FOLDER").toStdString();
    MDIForm1& window = application.forms.Get<MDIForm1>();
    window.Show();
    if (!run)
        return 0;  // only reached with a usable component
    QFile text(qEnvironmentVariable("CHILD_TEXT"));
    if (text.open(QIODevice::ReadOnly))
        application.editor.SendEditor(sci::SCI_ADDTEXT, std::int32_t(text.size()), text.readAll().toStdString());
    QTimer::singleShot(0, [&window] {
        std::puts("ready");
        std::fflush(stdout);
        if (qEnvironmentVariableIntValue("CHILD_CLOSE"))
            window.close();
    });
    return QApplication::exec();
}

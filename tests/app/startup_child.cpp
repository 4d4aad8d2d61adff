// Shows the main window with the component module of a program folder of the parent test's
// choosing and writes every message box it shows to a file, so that the parent can check the
// component failure path, which ends the process.
#include <QApplication>
#include <QFile>

#include "ScriptedDialogs.h"
#include "app/Application.h"
#include "app/MDIForm1.h"

// Environment: CHILD_PROGRAM_FOLDER, CHILD_BOXES (box record file), CHILD_ANSWER ("yes" or "no").
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs->answers = {qEnvironmentVariable("CHILD_ANSWER") == QLatin1String("no") ? MsgAnswer::No : MsgAnswer::Yes};
    // Each box as one record: title, buttons, icon, prompt, separated by tabs.
    dialogs->whileShown = [](const MessageBoxRequest& r) {
        QFile file(qEnvironmentVariable("CHILD_BOXES"));
        if (file.open(QIODevice::Append))
            file.write(QByteArray::fromStdString(r.title + '\t' + std::to_string(int(r.buttons)) + '\t' +
                                                 std::to_string(int(r.icon)) + '\t' + r.prompt + '\n'));
    };
    Application application(std::move(dialogs));
    application.app.ProgramFolder = qgetenv("CHILD_PROGRAM_FOLDER").toStdString();
    application.forms.Get<MDIForm1>().Show();
    return 0;  // only reached with a usable component
}

// Runs the main window's Load in a program folder of the parent test's choosing, writes every
// message box it shows to a file and prints what the Load decided, so the parent can check the
// component failure path and the command-line rules in a process of their own. The arguments
// are the command line under test; the set-up comes through the environment.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>

#include "app/Application.h"
#include "app/MDIForm1.h"

namespace {

class RecordingDialogs final : public DialogService {
public:
    explicit RecordingDialogs(QString path) : path_(std::move(path)) {}
    MsgAnswer MessageBox(const MessageBoxRequest& r) override
    {
        QFile file(path_);
        if (file.open(QIODevice::Append)) {
            const QJsonObject box{{"prompt", QString::fromStdString(r.prompt)},
                                  {"title", QString::fromStdString(r.title)},
                                  {"buttons", int(r.buttons)},
                                  {"icon", int(r.icon)}};
            file.write(QJsonDocument(box).toJson(QJsonDocument::Compact) + '\n');
        }
        return answer_;
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}
    void SetAnswer(MsgAnswer answer) { answer_ = answer; }

private:
    QString path_;
    MsgAnswer answer_ = MsgAnswer::Yes;
};

}  // namespace

// Environment: CHILD_PROGRAM_FOLDER, CHILD_BOXES (box record file), CHILD_ANSWER ("yes" or "no").
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    auto dialogs = std::make_unique<RecordingDialogs>(qEnvironmentVariable("CHILD_BOXES"));
    dialogs->SetAnswer(qEnvironmentVariable("CHILD_ANSWER") == QLatin1String("no") ? MsgAnswer::No : MsgAnswer::Yes);
    Application application(std::move(dialogs));
    application.app.ProgramFolder = qgetenv("CHILD_PROGRAM_FOLDER").toStdString();
    application.app.Arguments.assign(argv + 1, argv + argc);
    MDIForm1& main = application.forms.Get<MDIForm1>();
    main.Show();
    // Only reached with a usable component.
    std::printf("%s\n%s\n", application.app.CommandLineFile.c_str(),
                main.Timer1()->isActive() ? "Timer1 active" : "Timer1 idle");
    return 0;
}

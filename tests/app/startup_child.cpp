// Shows the main window with the component module of a program folder of the parent test's
// choosing and writes every message box it shows to a file, so that the parent can check the
// component failure path, which ends the process.
#include <QApplication>
#include <QFile>

#include "app/Application.h"
#include "app/MDIForm1.h"

namespace {

// Each box as one record: title, buttons, icon, prompt, separated by tabs.
class RecordingDialogs final : public DialogService {
public:
    RecordingDialogs(QString path, MsgAnswer answer) : path_(std::move(path)), answer_(answer) {}
    MsgAnswer MessageBox(const MessageBoxRequest& r) override
    {
        QFile file(path_);
        if (file.open(QIODevice::Append))
            file.write(QByteArray::fromStdString(r.title + '\t' + std::to_string(int(r.buttons)) + '\t' +
                                                 std::to_string(int(r.icon)) + '\t' + r.prompt + '\n'));
        return answer_;
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}

private:
    QString path_;
    MsgAnswer answer_;
};

}  // namespace

// Environment: CHILD_PROGRAM_FOLDER, CHILD_BOXES (box record file), CHILD_ANSWER ("yes" or "no").
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const MsgAnswer answer =
        qEnvironmentVariable("CHILD_ANSWER") == QLatin1String("no") ? MsgAnswer::No : MsgAnswer::Yes;
    Application application(std::make_unique<RecordingDialogs>(qEnvironmentVariable("CHILD_BOXES"), answer));
    application.app.ProgramFolder = qgetenv("CHILD_PROGRAM_FOLDER").toStdString();
    application.forms.Get<MDIForm1>().Show();
    return 0;  // only reached with a usable component
}

// Runs the main window's Load in a program folder of the parent test's choosing and writes
// every message box it shows to a file, so the parent can check the component failure path.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "app/AppState.h"
#include "app/DialogService.h"
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

// Arguments: program folder, box record file, answer ("yes" or "no").
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 4)
        return 3;
    auto dialogs = std::make_unique<RecordingDialogs>(QString::fromLocal8Bit(argv[2]));
    dialogs->SetAnswer(std::string(argv[3]) == "no" ? MsgAnswer::No : MsgAnswer::Yes);
    InstallDialogService(std::move(dialogs));
    ProgramFolder = argv[1];
    Forms::Instance().Get<MDIForm1>().Show();
    return 0;  // the component was usable
}

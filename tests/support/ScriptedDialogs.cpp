// Scripted answers; a question nobody planned for is counted and answered with Cancel.
#include "ScriptedDialogs.h"

MsgAnswer ScriptedDialogs::MessageBox(const MessageBoxRequest& request)
{
    boxes.push_back(request);
    if (whileShown)
        whileShown(request);
    if (request.buttons == MsgButtons::OK)
        return MsgAnswer::OK;  // nothing to choose
    if (answers.empty()) {
        ++unexpected;
        return MsgAnswer::Cancel;
    }
    const MsgAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {
std::optional<std::string> NextName(std::deque<std::optional<std::string>>& names, int& unexpected)
{
    if (names.empty()) {
        ++unexpected;
        return std::nullopt;
    }
    auto name = names.front();
    names.pop_front();
    return name;
}
}  // namespace

std::optional<std::string> ScriptedDialogs::OpenFileName(const FileDialogRequest& request)
{
    fileDialogs.push_back({false, request});
    return NextName(fileNames, unexpected);
}

std::optional<std::string> ScriptedDialogs::SaveFileName(const FileDialogRequest& request)
{
    fileDialogs.push_back({true, request});
    return NextName(fileNames, unexpected);
}

void ScriptedDialogs::SetBusy(bool busy)
{
    if (busy) {
        ++busyDepth;
        ++busyCount;
    } else {
        --busyDepth;
    }
}

bool ScriptedDialogs::PrintDialog(QPrinter& printer)
{
    ++printDialogs;
    return printDialog && printDialog(printer);
}

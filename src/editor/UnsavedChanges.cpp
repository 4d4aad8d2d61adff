// Asks only when the component's text differs from its save point; keeps the text in a recovery
// file when the editor ends without anyone to ask.
#include "editor/UnsavedChanges.h"

#include <ctime>

#include <unistd.h>

#include "base/Text8.h"
#include "base/UserState.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"

namespace {

// An empty text has nothing to lose, and could not be saved anyway.
bool HasUnsavedText(const EditorSession& editor)
{
    const EditorCalls calls(editor);
    return calls.Modify() && calls.Length() != 0;
}

// recovered-<date>-<time>-<pid>-<file name>: unique to this run, and the user sees which program
// it was.
std::string RecoveryFileName(const std::string& documentPath)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char stamp[32] = "";
    if (::localtime_r(&now, &local) != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string fileName = documentPath.substr(documentPath.find_last_of('/') + 1);
    return "recovered-" + std::string(stamp) + "-" + std::to_string(::getpid()) + "-" +
           (fileName.empty() ? std::string("untitled.nc") : fileName);
}

}  // namespace

bool ConfirmDiscardChanges(EditorSession& editor)
{
    if (!HasUnsavedText(editor))
        return true;
    const MsgAnswer answer = editor.Dialogs().MessageBox(
        {"The text in the editor has changed since it was last saved\r\n\r\nDo you want to save it first ?",
         MsgButtons::YesNoCancel, MsgIcon::Question, "Save changes ?"});
    switch (answer) {
    case MsgAnswer::Yes: {
        // The text now has a file, as after the Save button.
        const std::string path = SaveDocumentAs(editor);
        if (!path.empty())
            editor.SetCurrentFilePath(path);
        return !path.empty();
    }
    case MsgAnswer::No: return true;
    default: return false;
    }
}

std::string KeepUnsavedText(const EditorSession& editor)
{
    const std::string folder = UserStateFolder();
    if (!HasUnsavedText(editor) || folder.empty())
        return {};
    const std::string document = editor.CurrentFilePath();
    const std::string path = folder + "/" + RecoveryFileName(document);
    if (!SaveDocument(editor, path))
        return {};
    const std::string of = document.empty() ? "a new program" : ShownPath(document);
    LeaveNotice("Varnotek ended before the changes to " + of + " were saved.\r\n\r\nThe unsaved text is kept in " +
                ShownPath(path));
    return path;
}

bool AllowSessionEnd(EditorSession& editor, bool mayAsk)
{
    if (mayAsk)
        return ConfirmDiscardChanges(editor);
    KeepUnsavedText(editor);
    return true;
}

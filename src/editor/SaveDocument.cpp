// Saving: the whole text from the component to a file, and the Save dialog around it. A save the
// user asked for either happens or says why it did not.
#include <sys/stat.h>
#include <unistd.h>

#include "base/FileAttributes.h"
#include "base/Text8.h"
#include "base/TextFile.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"

namespace {

enum class SaveOutcome { Saved, Empty, TooLarge, TextNotRead, WriteFailed };

struct DocumentSave {
    SaveOutcome outcome;
    SaveResult file;  // what the write did, when it was tried
};

DocumentSave WriteDocument(const EditorSession& editor, const std::string& path, LinkPolicy links)
{
    const EditorCalls calls(editor);
    const std::int64_t length = calls.Length();
    if (length <= 0)
        return {SaveOutcome::Empty, {}};
    if (!FitsInDocument(length))
        return {SaveOutcome::TooLarge, {}};
    std::string text(std::size_t(length) + 1, '\0');
    // The component answers with the bytes it copied; anything else would write NULs over the file.
    if (calls.GetText(std::int32_t(length + 1), text.data()) != length)
        return {SaveOutcome::TextNotRead, {}};
    text.resize(std::size_t(length));
    SaveResult file = SaveTextFile(path, text, false, links);
    return {file.saved ? SaveOutcome::Saved : SaveOutcome::WriteFailed, std::move(file)};
}

// The likeliest reason a file could not be written, looked at after the attempt.
std::string WriteFailure(const std::string& path)
{
    struct stat info {};
    if (::stat(FolderOf(path).c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return "The folder does not exist";
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
        return "It is not a file that can hold a program";
    const bool exists = ::access(path.c_str(), F_OK) == 0;
    // Writing a file in place needs to read it too, to keep a copy of what it held.
    if ((exists && ::access(path.c_str(), R_OK | W_OK) != 0) ||
        (!exists && ::access(FolderOf(path).c_str(), W_OK) != 0))
        return "You may not have permission to write the file or folder";
    return "The disk may be full, or the file too large for it";
}

std::string Reason(SaveOutcome outcome, const std::string& path)
{
    switch (outcome) {
    case SaveOutcome::Empty: return "The editor is empty";
    case SaveOutcome::TooLarge: return "The text is too large: a part program must be smaller than 2 GiB";
    case SaveOutcome::TextNotRead: return "The text could not be taken from the editor";
    case SaveOutcome::WriteFailed:
    case SaveOutcome::Saved: break;
    }
    return WriteFailure(path);
}

// What became of a file that was there before: the user needs to know whether it still holds
// the program it held.
std::string FileLeft(const SaveResult& file)
{
    if (!file.backup.empty())
        return "\r\n\r\nThe file may now be incomplete. Its earlier content is kept in '" + ShownPath(file.backup) +
               "'";
    return file.existed ? "\r\n\r\nThe file was left as it was" : "";
}

void TellNotSaved(const EditorSession& editor, const std::string& path, const DocumentSave& save)
{
    editor.Dialogs().MessageBox(
        {"Could not save the file '" + ShownPath(path) + "'\r\n\r\n" + Reason(save.outcome, path) + FileLeft(save.file),
         MsgButtons::OK, MsgIcon::Exclamation, "Can't save"});
}

// Like a file dialog that returns no read-only file: such a file is refused and the dialog
// asked again, so the user never saves into a file that cannot take it.
bool RefusedAsReadOnly(const EditorSession& editor, const std::string& path)
{
    const FileAttributes attributes = GetFileAttributes(path);
    if (!attributes.regularFile || !attributes.readOnly)
        return false;
    editor.Dialogs().MessageBox({ShownPath(path) + "\r\n\r\nThis file is set to read-only.\r\nTry again with a "
                                                   "different file name.",
                                 MsgButtons::OK, MsgIcon::Exclamation, "Save"});
    return true;
}

}  // namespace

bool SaveDocument(const EditorSession& editor, const std::string& path, LinkPolicy links)
{
    return WriteDocument(editor, path, links).outcome == SaveOutcome::Saved;
}

std::string SaveDocumentAs(EditorSession& editor)
{
    std::optional<std::string> name;
    do {
        name = editor.Dialogs().SaveFileName({"Save", FileDialogFilter, editor.CurrentFilePath()});
        if (!name || name->empty())
            return {};
        editor.LastDialogFileName = *name;
    } while (RefusedAsReadOnly(editor, *name));
    const DocumentSave save = WriteDocument(editor, *name, LinkPolicy::Follow);
    if (save.outcome != SaveOutcome::Saved) {
        TellNotSaved(editor, *name, save);
        return {};
    }
    EditorCalls(editor).SetSavePoint();
    return *name;
}

// The Open command: the dialog, the attribute checks with the user, and the load.
// A hidden (unreadable) or system file is refused with its own message; a read-only file is
// loaded after a warning. A path that vanished after the dialog reaches the load, which says so.
#include "editor/Documents.h"

#include <sys/stat.h>

#include <cerrno>

#include "base/FileAttributes.h"
#include "editor/EditorSession.h"

namespace {

bool Vanished(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

void Tell(const EditorSession& editor, const char* prompt, const char* title)
{
    editor.Dialogs().MessageBox({prompt, MsgButtons::OK, MsgIcon::None, title});
}

}  // namespace

bool OpenDocument(EditorSession& editor)
{
    const std::optional<std::string> name =
        editor.Dialogs().OpenFileName({"Open", FileDialogFilter, editor.LastDialogFileName});
    if (!name || name->empty())
        return false;
    editor.LastDialogFileName = *name;
    const FileAttributes attributes = GetFileAttributes(*name);
    if (attributes.hiddenOrUnreadable && !Vanished(*name)) {
        Tell(editor, "The file could not be opened - you may not have permission to access the file or folder",
             "Attribute=HiddenFile");
        return false;
    }
    if (attributes.system) {
        Tell(editor, "You do not have permission to open this system file", "Attribute=SystemFile");
        return false;
    }
    if (attributes.readOnly)
        Tell(editor,
             "This file is 'ReadOnly'\r\n\r\nYou may not be able to save changes unless you rename or save to a "
             "different folder",
             "Attribute=ReadOnly");
    return LoadDocument(editor, *name);
}

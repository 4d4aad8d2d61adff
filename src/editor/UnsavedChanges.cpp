// Asks only when the component's text differs from its save point.
#include "editor/UnsavedChanges.h"

#include "editor/Documents.h"
#include "editor/EditorSession.h"
#include "editor/SciMessages.h"

bool ConfirmDiscardChanges(EditorSession& editor)
{
    // An empty text has nothing to lose, and could not be saved anyway.
    if (editor.SendEditor(sci::SCI_GETMODIFY, 0, 0) == 0 || editor.SendEditor(sci::SCI_GETLENGTH, 0, 0) == 0)
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

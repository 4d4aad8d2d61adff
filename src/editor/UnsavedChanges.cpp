// Asks only when the component's text differs from its save point.
#include "editor/UnsavedChanges.h"

#include "app/DialogService.h"
#include "editor/Documents.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"

bool ConfirmDiscardChanges()
{
    if (SendEditor(sci::SCI_GETMODIFY, 0, 0) == 0)
        return true;
    const MsgAnswer answer = Dialogs().MessageBox(
        {"The text in the editor has changed since it was last saved\r\n\r\nDo you want to save it first ?",
         MsgButtons::YesNoCancel, MsgIcon::Question, "Save changes ?"});
    switch (answer) {
    case MsgAnswer::Yes: return !SaveDocumentAs().empty();
    case MsgAnswer::No: return true;
    default: return false;
    }
}

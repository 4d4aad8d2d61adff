// What the toolbar buttons do. Edited text is never discarded without the user's word.
#include "app/ToolbarCommands.h"

#include "app/CurrentFilePath.h"
#include "app/DialogService.h"
#include "app/MDIForm1.h"
#include "app/OpenDocument.h"
#include "editor/Documents.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "editor/UnsavedChanges.h"
#include "highlight/Styling.h"
#include "search/frmReplace.h"

void NewCommand()
{
    if (!ConfirmDiscardChanges())
        return;
    ClearDocument();
    MarkUnmodified();
}

void OpenCommand()
{
    if (!ConfirmDiscardChanges() || !OpenDocument())
        return;
    RestyleDocument();
    CaretToStart();
}

void SaveCommand()
{
    if (SendEditor(sci::SCI_GETLENGTH, 0, 0) == 0) {
        Dialogs().MessageBox({"Editor is empty", MsgButtons::OK, MsgIcon::None, ""});
        return;
    }
    const std::string path = SaveDocumentAs();
    if (!path.empty())
        SetCurrentFilePath(path);
}

void InstallToolbarCommands(MDIForm1& window)
{
    window.SetToolbarCommand(0, NewCommand);
    window.SetToolbarCommand(1, OpenCommand);
    window.SetToolbarCommand(2, SaveCommand);
    // Modeless and without owner; a second click shows the same window again.
    window.SetToolbarCommand(5, [] { Forms::Instance().Get<frmReplace>().Show(); });
}

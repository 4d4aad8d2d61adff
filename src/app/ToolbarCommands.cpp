// What the toolbar buttons do. Edited text is never discarded without the user's word.
#include "app/ToolbarCommands.h"

#include "about/Form2.h"
#include "app/Application.h"
#include "app/MDIForm1.h"
#include "app/PrintDocument.h"
#include "dnc/Form3.h"
#include "dnc/TalvaneButton.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/UnsavedChanges.h"
#include "highlight/Form1.h"
#include "search/frmReplace.h"

void NewCommand(Application& application)
{
    EditorSession& editor = application.editor;
    if (!ConfirmDiscardChanges(editor))
        return;
    ClearDocument(editor);
    MarkUnmodified(editor);
}

void OpenCommand(Application& application)
{
    EditorSession& editor = application.editor;
    if (!ConfirmDiscardChanges(editor) || !OpenDocument(editor))
        return;
    application.styling.RestyleDocument();
    CaretToStart(editor);
}

void SaveCommand(Application& application)
{
    EditorSession& editor = application.editor;
    if (EditorCalls(editor).Length() == 0) {
        editor.Dialogs().MessageBox({"Editor is empty", MsgButtons::OK, MsgIcon::None, ""});
        return;
    }
    const std::string path = SaveDocumentAs(editor);
    if (!path.empty())
        editor.SetCurrentFilePath(path);
}

void InstallToolbarCommands(MDIForm1& window, Application& application)
{
    window.SetToolbarCommand(0, [&application] { NewCommand(application); });
    window.SetToolbarCommand(1, [&application] { OpenCommand(application); });
    window.SetToolbarCommand(2, [&application] { SaveCommand(application); });
    window.SetToolbarCommand(3, [&application] { PrintDocument(application); });
    window.SetToolbarCommand(4, [&application] {
        TalvaneCommand(application.dnc, application.editor,
                       [&application]() -> Form3& { return application.forms.Get<Form3>(); });
    });
    // Each window modeless and without owner; a second click shows the same window again.
    window.SetToolbarCommand(5, [&application] { application.forms.Get<frmReplace>().Show(); });
    window.SetToolbarCommand(6, [&application] { application.forms.Get<Form1>().Show(); });
    window.SetToolbarCommand(7, [&application] {
        application.app.AboutBoxMode = true;
        application.forms.Get<Form2>().Show();
    });
}

// Loads CommandLineFile, then styles the whole text and puts the caret at its start, whatever
// the load gave.
#include "app/DeferredOpen.h"

#include "editor/Documents.h"
#include "editor/EditorSession.h"
#include "highlight/Styling.h"

void OpenCommandLineFile(EditorSession& editor, Styling& styling)
{
    LoadDocument(editor, editor.App().CommandLineFile);
    styling.RestyleDocument();
    CaretToStart(editor);
}

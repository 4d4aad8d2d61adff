// Loads CommandLineFile, then styles the whole text and puts the caret at its start, whatever
// the load gave.
#include "app/DeferredOpen.h"

#include "app/AppState.h"
#include "editor/Documents.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "highlight/Styling.h"

void OpenCommandLineFile()
{
    LoadDocument(CommandLineFile);
    RestyleDocument();
    SendEditor(sci::SCI_SETSELECTIONSTART, 0, 0);
    SendEditor(sci::SCI_SETSELECTIONEND, 0, 0);
}

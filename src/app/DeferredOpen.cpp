// Loads CommandLineFile, then styles the whole text and puts the caret at its start, whatever
// the load gave.
#include "app/DeferredOpen.h"

#include "app/AppState.h"
#include "editor/Documents.h"
#include "highlight/Styling.h"

void OpenCommandLineFile()
{
    LoadDocument(CommandLineFile);
    RestyleDocument();
    CaretToStart();
}

// Line styling on request of the component, and the whole-document pass.
#include "highlight/Styling.h"

void StyleLines(std::int32_t firstLine, std::int32_t lastLine)
{
    // Styling is off until a style set turns it on; the line painter arrives with the scanner.
    if (!StylingEnabled || firstLine > lastLine)
        return;
}

void RestyleDocument()
{
    if (!StylingEnabled || RestyleBusy)
        return;
}

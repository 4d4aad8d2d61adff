// Styling requests (SCN_STYLENEEDED) are served by whole lines, from the line of the first
// unstyled position to the line of the requested end; a request arriving while one is being
// served is only forwarded.
#include "editor/EditorWndProc.h"

#include "editor/ComponentModule.h"
#include "editor/EditorState.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "highlight/Styling.h"

void HookEditorWindow(QWidget* window)
{
    const ComponentModule& module = Component();
    if (!module.SetCallback)
        return;
    WindowProcedure previous;
    module.SetCallback(EditorHandle, EditorWndProc, window, &previous.callback, &previous.context);
    PrevEditorWndProc = previous;
}

void UnhookEditorWindow(QWidget*)
{
    const ComponentModule& module = Component();
    if (!module.SetCallback)
        return;
    module.SetCallback(EditorHandle, PrevEditorWndProc.callback, PrevEditorWndProc.context, nullptr, nullptr);
    PrevEditorWndProc = {};
}

namespace {

void RouteStyleNeeded(std::int32_t end)
{
    const std::int32_t start = SendEditor(sci::SCI_GETENDSTYLED, 0, 0);
    const std::int32_t firstLine = SendEditor(sci::SCI_LINEFROMPOSITION, start, 0);
    const std::int32_t lastLine = SendEditor(sci::SCI_LINEFROMPOSITION, end, 0);
    StyleLines(firstLine, lastLine);
}

}  // namespace

void EditorWndProc(void*, const KelpoNotification* notification)
{
    if (!InEditorWndProc && notification) {
        InEditorWndProc = true;
        // A failure while styling must not keep the guard set nor stop the forwarding.
        try {
            const KelpoNotification record = *notification;
            if (record.code == sci::SCN_STYLENEEDED)
                RouteStyleNeeded(record.position);
        } catch (...) {
        }
        InEditorWndProc = false;
    }
    const WindowProcedure previous = PrevEditorWndProc;
    if (previous.callback)
        previous.callback(previous.context, notification);
}

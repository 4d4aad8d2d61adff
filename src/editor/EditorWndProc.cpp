// Styling requests (SCN_STYLENEEDED) are served by whole lines, from the line of the first
// unstyled position to the line of the requested end; a request arriving while one is being
// served is only forwarded.
#include "editor/EditorWndProc.h"

#include "component/SciMessages.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"

void HookEditorWindow(EditorSession& editor)
{
    if (!editor.Module.SetCallback)
        return;
    WindowProcedure previous;
    editor.Module.SetCallback(editor.EditorHandle, EditorWndProc, &editor, &previous.callback, &previous.context);
    editor.PrevEditorWndProc = previous;
}

void UnhookEditorWindow(EditorSession& editor)
{
    if (!editor.Module.SetCallback)
        return;
    editor.Module.SetCallback(editor.EditorHandle, editor.PrevEditorWndProc.callback, editor.PrevEditorWndProc.context,
                              nullptr, nullptr);
    editor.PrevEditorWndProc = {};
}

namespace {

void RouteStyleNeeded(const EditorSession& editor, std::int32_t end)
{
    if (!editor.Hooks.StyleLines)
        return;
    const EditorCalls calls(editor);
    const std::int32_t start = calls.EndStyled();
    const std::int32_t firstLine = calls.LineFromPosition(start);
    const std::int32_t lastLine = calls.LineFromPosition(end);
    editor.Hooks.StyleLines(firstLine, lastLine);
}

// Holds the re-entrancy guard for one pass through the procedure, however the pass ends.
class GuardSet {
public:
    explicit GuardSet(bool& guard) : guard_(guard) { guard_ = true; }
    ~GuardSet() { guard_ = false; }
    GuardSet(const GuardSet&) = delete;
    GuardSet& operator=(const GuardSet&) = delete;

private:
    bool& guard_;
};

}  // namespace

void EditorWndProc(void* context, const KelpoNotification* notification)
{
    auto& editor = *static_cast<EditorSession*>(context);
    if (!editor.InEditorWndProc && notification) {
        const GuardSet guard(editor.InEditorWndProc);
        const KelpoNotification record = *notification;
        if (record.code == sci::SCN_STYLENEEDED)
            RouteStyleNeeded(editor, record.position);
    }
    const WindowProcedure previous = editor.PrevEditorWndProc;
    if (previous.callback)
        previous.callback(previous.context, notification);
}

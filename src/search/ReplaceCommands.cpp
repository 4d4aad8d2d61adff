// The dialog's sequences over the primitives, and its four message boxes, all titled "Replace".
#include "search/ReplaceCommands.h"

#include "base/Text8.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "search/SearchPrimitives.h"

namespace {

const std::string Title = "Replace";

// A prompt is 8-bit text: the search text as the user typed it, whatever the document's encoding.
void ShowNotFound(const EditorSession& editor, const std::string& text)
{
    const std::string shown = ToText8(FromDocumentText(text, IsUtf8Document(editor)));
    editor.Dialogs().MessageBox({"Cannot find string \"" + shown + "\"", MsgButtons::OK, MsgIcon::Information, Title});
}

std::int32_t Find(const EditorSession& editor, const SearchRequest& r)
{
    return FindString(editor, r.text, r.up, r.wrap, r.matchCase, r.wholeWord, r.regExp);
}

std::int32_t ReplaceAll(const EditorSession& editor, const SearchRequest& r, bool up)
{
    return ReplaceAllInDirection(editor, r.text, r.replacement, up, r.matchCase, r.wholeWord, r.regExp);
}

// Down and up from the start of the caret's line as the options ask, then back to the view as it
// was with the caret at the start of its line; the total count.
std::int32_t ReplaceAllPasses(const EditorSession& editor, const SearchRequest& request)
{
    const EditorCalls calls(editor);
    const std::int32_t caret = calls.CurrentPos();
    const std::int32_t firstVisible = calls.FirstVisibleLine();
    const std::int32_t line = calls.LineFromPosition(caret);
    calls.GotoLine(line);
    const std::int32_t down = request.wrap || !request.up ? ReplaceAll(editor, request, false) : 0;
    std::int32_t up = 0;
    if (request.wrap || request.up) {
        calls.GotoLine(line);
        up = ReplaceAll(editor, request, true);
        calls.GotoLine(calls.LineCount());
    }
    calls.GotoLine(firstVisible);
    calls.GotoLine(line);
    return down + up;
}

}  // namespace

bool CheckReplaceInput(const EditorSession& editor, const SearchRequest& request)
{
    if (request.text.empty() && request.replacement.empty())
        return false;
    if (request.text == request.replacement) {
        editor.Dialogs().MessageBox(
            {"Find is the same as Replace - Nothing was done", MsgButtons::OK, MsgIcon::Information, Title});
        return false;
    }
    if (request.replacement.empty()) {
        editor.Dialogs().MessageBox({"Replace text is Empty\r\n\r\nYou can't use Search and replace to delete text.",
                                     MsgButtons::OKCancel, MsgIcon::None, Title});
        return false;
    }
    return true;
}

bool FindCommand(const EditorSession& editor, const SearchRequest& request)
{
    if (request.text.empty())
        return false;
    if (Find(editor, request) == -1)
        ShowNotFound(editor, request.text);
    return true;
}

bool ReplaceCommand(const EditorSession& editor, const SearchRequest& request)
{
    if (!CheckReplaceInput(editor, request))
        return false;
    const bool replacing = GetSelLength(editor) > 0;
    if (replacing) {
        const std::int32_t p = GetSelStart(editor);
        ReplaceSelection(editor, request.replacement);
        // The inserted text becomes the selection, caret at its end, and the search goes on from it.
        EditorCalls(editor).SetSelectionStart(p);
    }
    if (Find(editor, request) == -1)
        ShowNotFound(editor, request.text);
    return replacing;
}

bool ReplaceAllCommand(const EditorSession& editor, const SearchRequest& request)
{
    if (!CheckReplaceInput(editor, request))
        return false;
    const std::int32_t total = [&] {
        // Thousands of replacements: one repaint at the end rather than a scroll and a redraw each.
        BusyPointer busy(editor.Dialogs());
        HeldView view(editor);
        return ReplaceAllPasses(editor, request);
    }();
    if (total < 1)
        ShowNotFound(editor, request.text);
    else
        editor.Dialogs().MessageBox(
            {"The specified region has been searched. " + std::to_string(total) + " replacements were made.",
             MsgButtons::OK, MsgIcon::Information, Title});
    return true;
}

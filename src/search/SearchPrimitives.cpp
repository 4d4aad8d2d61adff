// The selection primitives and the target search behind FindString.
#include "search/SearchPrimitives.h"

#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "search/FoldedSearch.h"
#include "search/TargetSearch.h"

using namespace sci;

std::int32_t GetSelStart(const EditorSession& editor) { return EditorCalls(editor).SelectionStart(); }

std::int32_t GetSelEnd(const EditorSession& editor) { return EditorCalls(editor).SelectionEnd(); }

std::int32_t GetSelLength(const EditorSession& editor)
{
    const std::int32_t start = GetSelStart(editor);
    return GetSelEnd(editor) - start;
}

void SetSelection(const EditorSession& editor, std::int32_t anchor, std::int32_t caret)
{
    EditorCalls(editor).SetSel(anchor, caret);
}

void ReplaceSelection(const EditorSession& editor, const std::string& text) { EditorCalls(editor).ReplaceSel(text); }

HeldView::HeldView(const EditorSession& editor) : editor_(editor) { EditorCalls(editor_).SetRedraw(false); }

HeldView::~HeldView()
{
    const EditorCalls calls(editor_);
    calls.SetRedraw(true);
    calls.ScrollCaret();
}

std::int32_t SearchFlags(bool matchCase, bool wholeWord, bool regExp)
{
    return (matchCase ? SCFIND_MATCHCASE : 0) | (wholeWord ? SCFIND_WHOLEWORD : 0) | (regExp ? SCFIND_REGEXP : 0);
}

namespace {

// A start after the end makes the component search backwards, for the match nearest the start.
std::int32_t SearchRange(const EditorSession& editor, const std::string& text, std::int32_t start, std::int32_t end)
{
    const EditorCalls calls(editor);
    calls.SetTargetStart(start);
    calls.SetTargetEnd(end);
    return calls.SearchInTarget(text);
}

}  // namespace

ComponentSearch SearchFor(const EditorSession& editor, const std::string& text, std::int32_t flags)
{
    return FoldedSearch(text, flags, IsUtf8Document(editor));
}

TargetMatch FindMatch(const EditorSession& editor, const ComponentSearch& search, bool up, bool wrap)
{
    const EditorCalls calls(editor);
    calls.SetSearchFlags(search.flags);
    TargetMatch match;
    std::int32_t length = 0;
    if (up) {
        match.from = GetSelStart(editor);
        match.position = SearchRange(editor, search.text, match.from, 0);
    } else {
        match.from = GetSelEnd(editor);
        length = calls.Length();
        match.position = SearchRange(editor, search.text, match.from, length);
    }
    // The whole document again, so a lone match that is already selected is found once more.
    if (match.position == -1 && wrap)
        match.position =
            up ? SearchRange(editor, search.text, calls.Length(), 0) : SearchRange(editor, search.text, 0, length);
    if (!match.Found())
        return match;
    match.start = calls.TargetStart();
    match.end = calls.TargetEnd();
    SetSelection(editor, match.start, match.end);
    return match;
}

std::int32_t FindString(const EditorSession& editor, const std::string& text, bool up, bool wrap, bool matchCase,
                        bool wholeWord, bool regExp)
{
    if (text.empty())
        return 0;
    return FindMatch(editor, SearchFor(editor, text, SearchFlags(matchCase, wholeWord, regExp)), up, wrap).position;
}

// The selection primitives and the target search behind FindString.
#include "search/SearchPrimitives.h"

#include "component/SciMessages.h"
#include "editor/EditorSession.h"
#include "search/FoldedSearch.h"
#include "search/TargetSearch.h"

using namespace sci;

std::int32_t GetSelStart(const EditorSession& editor) { return editor.SendEditor(SCI_GETSELECTIONSTART, 0, 0); }

std::int32_t GetSelEnd(const EditorSession& editor) { return editor.SendEditor(SCI_GETSELECTIONEND, 0, 0); }

std::int32_t GetSelLength(const EditorSession& editor)
{
    const std::int32_t start = GetSelStart(editor);
    return GetSelEnd(editor) - start;
}

void SetSelection(const EditorSession& editor, std::int32_t anchor, std::int32_t caret)
{
    editor.SendEditor(SCI_SETSEL, anchor, caret);
}

void ReplaceSelection(const EditorSession& editor, const std::string& text)
{
    editor.SendEditorDirect(SCI_REPLACESEL, 0, text.c_str());
}

std::int32_t GetSelStartLine(const EditorSession& editor)
{
    return editor.SendEditor(SCI_LINEFROMPOSITION, GetSelStart(editor), 0);
}

std::int32_t GetSelEndLine(const EditorSession& editor)
{
    return editor.SendEditor(SCI_LINEFROMPOSITION, GetSelEnd(editor), 0);
}

HeldView::HeldView(const EditorSession& editor) : editor_(editor) { editor_.SendEditor(WM_SETREDRAW, 0, 0); }

HeldView::~HeldView()
{
    editor_.SendEditor(WM_SETREDRAW, 1, 0);
    editor_.SendEditor(SCI_SCROLLCARET, 0, 0);
}

std::int32_t SearchFlags(bool matchCase, bool wholeWord, bool regExp)
{
    return (matchCase ? SCFIND_MATCHCASE : 0) | (wholeWord ? SCFIND_WHOLEWORD : 0) | (regExp ? SCFIND_REGEXP : 0);
}

namespace {

// A start after the end makes the component search backwards, for the match nearest the start.
std::int32_t SearchRange(const EditorSession& editor, const std::string& text, std::int32_t start, std::int32_t end)
{
    editor.SendEditor(SCI_SETTARGETSTART, start, 0);
    editor.SendEditor(SCI_SETTARGETEND, end, 0);
    return editor.SendEditorDirect(SCI_SEARCHINTARGET, std::int32_t(text.size()), text.data());
}

}  // namespace

TargetMatch FindMatch(const EditorSession& editor, const std::string& text, bool up, bool wrap, std::int32_t flags)
{
    const ComponentSearch search = FoldedSearch(text, flags);
    editor.SendEditor(SCI_SETSEARCHFLAGS, search.flags, 0);
    TargetMatch match;
    std::int32_t length = 0;
    if (up) {
        match.from = GetSelStart(editor);
        match.position = SearchRange(editor, search.text, match.from, 0);
    } else {
        match.from = GetSelEnd(editor);
        length = editor.SendEditor(SCI_GETLENGTH, 0, 0);
        match.position = SearchRange(editor, search.text, match.from, length);
    }
    // The whole document again, so a lone match that is already selected is found once more.
    if (match.position == -1 && wrap)
        match.position = up ? SearchRange(editor, search.text, editor.SendEditor(SCI_GETLENGTH, 0, 0), 0)
                            : SearchRange(editor, search.text, 0, length);
    if (!match.Found())
        return match;
    match.start = editor.SendEditor(SCI_GETTARGETSTART, 0, 0);
    match.end = editor.SendEditor(SCI_GETTARGETEND, 0, 0);
    SetSelection(editor, match.start, match.end);
    return match;
}

std::int32_t FindString(const EditorSession& editor, const std::string& text, bool up, bool wrap, bool matchCase,
                        bool wholeWord, bool regExp)
{
    if (text.empty())
        return 0;
    return FindMatch(editor, text, up, wrap, SearchFlags(matchCase, wholeWord, regExp)).position;
}

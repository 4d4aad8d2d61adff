// The selection primitives and the target search behind FindString.
#include "search/SearchPrimitives.h"

#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "search/TargetSearch.h"

using namespace sci;

std::int32_t GetSelStart() { return SendEditor(SCI_GETSELECTIONSTART, 0, 0); }

std::int32_t GetSelEnd() { return SendEditor(SCI_GETSELECTIONEND, 0, 0); }

std::int32_t GetSelLength()
{
    const std::int32_t start = GetSelStart();
    return GetSelEnd() - start;
}

void SetSelection(std::int32_t anchor, std::int32_t caret) { SendEditor(SCI_SETSEL, anchor, caret); }

void ReplaceSelection(const std::string& text) { SendEditorDirect(SCI_REPLACESEL, 0, text.c_str()); }

std::int32_t GetSelStartLine() { return SendEditor(SCI_LINEFROMPOSITION, GetSelStart(), 0); }

std::int32_t GetSelEndLine() { return SendEditor(SCI_LINEFROMPOSITION, GetSelEnd(), 0); }

std::int32_t SearchFlags(bool matchCase, bool wholeWord, bool regExp)
{
    return (matchCase ? SCFIND_MATCHCASE : 0) | (wholeWord ? SCFIND_WHOLEWORD : 0) | (regExp ? SCFIND_REGEXP : 0);
}

namespace {

// A start after the end makes the component search backwards, for the match nearest the start.
std::int32_t SearchRange(const std::string& text, std::int32_t start, std::int32_t end)
{
    SendEditor(SCI_SETTARGETSTART, start, 0);
    SendEditor(SCI_SETTARGETEND, end, 0);
    return SendEditorDirect(SCI_SEARCHINTARGET, std::int32_t(text.size()), text.data());
}

}  // namespace

TargetMatch FindMatch(const std::string& text, bool up, bool wrap, std::int32_t flags)
{
    SendEditor(SCI_SETSEARCHFLAGS, flags, 0);
    TargetMatch match;
    std::int32_t length = 0;
    if (up) {
        match.from = GetSelStart();
        match.position = SearchRange(text, match.from, 0);
    } else {
        match.from = GetSelEnd();
        length = SendEditor(SCI_GETLENGTH, 0, 0);
        match.position = SearchRange(text, match.from, length);
    }
    // The whole document again, so a lone match that is already selected is found once more.
    if (match.position == -1 && wrap)
        match.position = up ? SearchRange(text, SendEditor(SCI_GETLENGTH, 0, 0), 0) : SearchRange(text, 0, length);
    if (!match.Found())
        return match;
    match.start = SendEditor(SCI_GETTARGETSTART, 0, 0);
    match.end = SendEditor(SCI_GETTARGETEND, 0, 0);
    SetSelection(match.start, match.end);
    return match;
}

std::int32_t FindString(const std::string& text, bool up, bool wrap, bool matchCase, bool wholeWord, bool regExp)
{
    if (text.empty())
        return 0;
    return FindMatch(text, up, wrap, SearchFlags(matchCase, wholeWord, regExp)).position;
}

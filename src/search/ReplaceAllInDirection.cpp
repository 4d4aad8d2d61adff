// Replace All in one direction: the replace-and-search-on loop over the primitives.
#include "component/SciMessages.h"
#include "editor/EditorSession.h"
#include "search/SearchPrimitives.h"
#include "search/TargetSearch.h"

using namespace sci;

namespace {

// A match of length 0 where the search began is the place just replaced by a match of length 0
// (the caret sits there), or going up the start of the pass; taking it would replace one place
// twice, and for ever.
bool TakesPlaceAgain(const TargetMatch& match, bool barredAtFrom)
{
    return barredAtFrom && match.Empty() && match.start == match.from;
}

}  // namespace

std::int32_t ReplaceAllInDirection(const EditorSession& editor, const std::string& text, const std::string& replacement,
                                   bool up, bool matchCase, bool wholeWord, bool regExp)
{
    // An empty text would be "found" everywhere without ever moving on.
    if (text.empty())
        return 0;
    const std::int32_t flags = SearchFlags(matchCase, wholeWord, regExp);
    TargetMatch match = FindMatch(editor, text, up, false, flags);
    bool barredAtFrom = up;
    std::int32_t count = 0;
    while (match.Found()) {
        if (TakesPlaceAgain(match, barredAtFrom)) {
            // One character on (a CR LF counts as one), then search again from there.
            const std::int32_t step = editor.SendEditor(up ? SCI_POSITIONBEFORE : SCI_POSITIONAFTER, match.start, 0);
            if (step == match.start)
                break;  // the end of the document in this direction
            editor.SendEditor(SCI_GOTOPOS, step, 0);
            barredAtFrom = false;
        } else {
            const std::int32_t p = GetSelStart(editor);
            ReplaceSelection(editor, replacement);
            ++count;
            if (up)
                editor.SendEditor(SCI_GOTOPOS, p, 0);
            barredAtFrom = match.Empty();
        }
        match = FindMatch(editor, text, up, false, flags);
    }
    return count;
}

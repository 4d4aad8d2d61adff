// Replace All in one direction: the replace-and-search-on loop over the primitives.
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "search/SearchPrimitives.h"
#include "search/TargetSearch.h"

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
    const EditorCalls calls(editor);
    const ComponentSearch search = SearchFor(editor, text, SearchFlags(matchCase, wholeWord, regExp));
    TargetMatch match = FindMatch(editor, search, up, false);
    bool barredAtFrom = up;
    std::int32_t count = 0;
    while (match.Found()) {
        if (TakesPlaceAgain(match, barredAtFrom)) {
            // One character on (a CR LF counts as one), then search again from there.
            const std::int32_t step = up ? calls.PositionBefore(match.start) : calls.PositionAfter(match.start);
            if (step == match.start)
                break;  // the end of the document in this direction
            calls.GotoPos(step);
            barredAtFrom = false;
        } else {
            const std::int32_t p = GetSelStart(editor);
            ReplaceSelection(editor, replacement);
            ++count;
            if (up)
                calls.GotoPos(p);
            barredAtFrom = match.Empty();
        }
        match = FindMatch(editor, search, up, false);
    }
    return count;
}

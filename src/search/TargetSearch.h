// One search from the selection with the component's target, telling where it began and what it found.
#pragma once

#include <cstdint>
#include <string>

#include "search/FoldedSearch.h"

class EditorSession;

struct TargetMatch {
    std::int32_t from = -1;      // where the first search range began
    std::int32_t position = -1;  // the component's answer: the match position or -1
    std::int32_t start = -1;     // the match as the target holds it
    std::int32_t end = -1;

    bool Found() const { return position != -1; }
    bool Empty() const { return start == end; }
};

// What the component is asked to search for a non-empty text under flags, in the document's encoding.
ComponentSearch SearchFor(const EditorSession& editor, const std::string& text, std::int32_t flags);

// FindString with the search already built; a loop of searches builds it once.
TargetMatch FindMatch(const EditorSession& editor, const ComponentSearch& search, bool up, bool wrap);

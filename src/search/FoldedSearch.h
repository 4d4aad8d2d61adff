// Case-blind search for letters beyond ASCII: the component folds only ASCII.
#pragma once

#include <cstdint>
#include <string>

struct ComponentSearch {
    std::string text;
    std::int32_t flags = 0;
};

// What the component is asked to search for text under flags, in a document of 8-bit text or
// (utf8) of UTF-8. A plain case-blind search for a text holding letters beyond ASCII becomes a
// pattern that takes each such letter in either case;
// everything else goes as it is. A text the pattern cannot stand for exactly (a line end, a NUL,
// a whole word edged by a non-word character, a pattern too long for the component) goes as it is.
ComponentSearch FoldedSearch(const std::string& text, std::int32_t flags, bool utf8);

// Case-blind search for 8-bit letters: the component folds only ASCII, the code page folds Latin-1.
#pragma once

#include <cstdint>
#include <string>

struct ComponentSearch {
    std::string text;
    std::int32_t flags = 0;
};

// What the component is asked to search for text under flags. A plain case-blind search for a
// text holding Latin-1 letters becomes a pattern that takes each such letter in either case;
// everything else goes as it is. A text the pattern cannot stand for exactly (a line end, a NUL,
// a whole word edged by a non-word character, a pattern too long for the component) goes as it is.
ComponentSearch FoldedSearch(const std::string& text, std::int32_t flags);

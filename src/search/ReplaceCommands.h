// What the Find and Replace dialog's buttons do, apart from any window: the input checks, the
// searches and replacements through the primitives, and every message of the dialog.
#pragma once

#include <string>

class EditorSession;

// The dialog's control values at the moment of a press, as 8-bit texts and true/false options.
struct SearchRequest {
    std::string text;
    std::string replacement;
    bool up = false;
    bool wrap = true;
    bool matchCase = false;
    bool wholeWord = false;
    bool regExp = false;
};

// False, after its message where there is one, when a replacement must not be tried: both texts
// empty, the same text in both, or an empty replacement for a non-empty search text.
bool CheckReplaceInput(const EditorSession& editor, const SearchRequest& request);

// Find: selects the next match, or says that there is none. False when the search text is empty
// and nothing was done.
bool FindCommand(const EditorSession& editor, const SearchRequest& request);

// Replace: replaces the selection, whatever it holds, then searches on; with nothing selected it
// only searches. True when a selection was replaced.
bool ReplaceCommand(const EditorSession& editor, const SearchRequest& request);

// Replace All: from the start of the caret's line to the end and, with wrap or going up, from
// there back to the beginning; reports the total. False when the input checks stopped it.
bool ReplaceAllCommand(const EditorSession& editor, const SearchRequest& request);

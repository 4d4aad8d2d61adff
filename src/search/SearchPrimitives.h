// Search and replace on the editor text through the component's selection and target search.
#pragma once

#include <cstdint>
#include <string>

class EditorSession;

// The selection is the only cursor: every search continues from it and selects what it finds.
std::int32_t GetSelStart(const EditorSession& editor);
std::int32_t GetSelEnd(const EditorSession& editor);
// End minus start, 0 when nothing is selected.
std::int32_t GetSelLength(const EditorSession& editor);
void SetSelection(const EditorSession& editor, std::int32_t anchor, std::int32_t caret);
// Replaces the selection; the caret ends behind the inserted text with nothing selected.
void ReplaceSelection(const EditorSession& editor, const std::string& text);

// The component's search flags for the three options; no other flag is ever set.
std::int32_t SearchFlags(bool matchCase, bool wholeWord, bool regExp);

// Selects the next match behind the selection (or the nearest before it when up), searching the
// whole document once more when wrap is set. Returns the match position or -1, which leaves the
// selection as it was; an empty text returns 0 without touching the component.
std::int32_t FindString(const EditorSession& editor, const std::string& text, bool up, bool wrap, bool matchCase,
                        bool wholeWord, bool regExp);

// Holds the view still through a long run of edits: while it lives the component neither repaints
// nor scrolls to the caret (each scroll lays out the caret's line); at its end the view shows the
// caret once and repaints.
class HeldView {
public:
    explicit HeldView(const EditorSession& editor);
    ~HeldView();
    HeldView(const HeldView&) = delete;
    HeldView& operator=(const HeldView&) = delete;

private:
    const EditorSession& editor_;
};

// Replaces every match from the selection to one end of the document, never wrapping, and
// returns how many replacements were made. A match of length 0 is replaced at most once at any
// place, and going up never at the place the pass starts from, which belongs to the text behind.
std::int32_t ReplaceAllInDirection(const EditorSession& editor, const std::string& text, const std::string& replacement,
                                   bool up, bool matchCase, bool wholeWord, bool regExp);

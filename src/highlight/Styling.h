// The styling state shared by the editor window and the whole-document pass, and the routines
// that paint lines in the component.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "styling/WordScanner.h"

class EditorSession;

class Styling {
public:
    explicit Styling(EditorSession& editor) : editor_(editor) {}
    Styling(const Styling&) = delete;
    Styling& operator=(const Styling&) = delete;

    StyleModeTable StyleModes{};         // style mode per style entry, 1..27 at [0..26]
    bool StylingEnabled = false;         // set when a style set turns styling on
    bool RestyleBusy = false;            // a whole-document pass is running
    bool StyleRestartRequested = false;  // a running whole-document pass starts over
    bool ColorOn = true;                 // display settings (edset.ini)
    std::uint8_t BoldMode = 0;           // 0 none, 1 some, 2 all
    // Shows the pass's progress, a row of "|"; the empty text when it ends. May be left empty.
    std::function<void(const std::string& text)> ShowStatusText;

    EditorSession& Editor() const { return editor_; }

    // The text of a line with its line end; empty for a line that does not exist.
    std::string GetLineText(std::int32_t line) const;
    // The position of a line's first byte, negative for a line that does not exist.
    std::int32_t GetLineStart(std::int32_t line) const;
    // Paints one word (or, with entry 0 and mode 1, a whole line in style 0).
    void SetStyleRun(std::int32_t position, std::int32_t length, std::uint8_t entry, std::int32_t mode) const;
    // Styles one whole line; false when styling is off or the line does not exist.
    bool StyleLine(std::int32_t line);
    // Styles the lines firstLine..lastLine, both included; nothing while styling is off.
    void StyleLines(std::int32_t firstLine, std::int32_t lastLine);

    // Styles the whole document line by line, letting other events run; nothing while styling
    // is off or a pass is already running.
    void RestyleDocument();

private:
    void ReadLineInto(std::int32_t line, std::string& text) const;
    void ShowProgress(const std::string& text) const;

    EditorSession& editor_;
    std::string lineBuffer_;  // reused between lines: styling allocates only for the longest line
};

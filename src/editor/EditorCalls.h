// The component's messages as typed calls, named after the message, each sent through SendEditor
// with the message, wParam and lParam it has always been sent with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "component/SciMessages.h"
#include "editor/EditorSession.h"

// The range and buffer of SCI_GETSTYLEDTEXT, laid out as the component reads it.
struct SciTextRange {
    long cpMin;
    long cpMax;
    char* text;  // room for (cpMax - cpMin) * 2 + 2 bytes: each byte, then its style
};

class EditorCalls {
public:
    explicit EditorCalls(const EditorSession& editor) : editor_(editor) {}

    // Text
    std::int32_t Length() const { return Send(sci::SCI_GETLENGTH); }
    // Copies length - 1 bytes and a NUL into text; answers the bytes copied.
    std::int32_t GetText(std::int32_t length, char* text) const
    {
        return editor_.SendEditorDirect(sci::SCI_GETTEXT, length, text);
    }
    // The component copies text up to its first NUL.
    void SetText(std::string_view text) const { editor_.SendEditor(sci::SCI_SETTEXT, 0, text); }
    // Every byte of text, NULs included, with no copy on the way.
    void AddText(const std::string& text) const
    {
        editor_.SendEditor(sci::SCI_ADDTEXT, std::int32_t(text.size()), text);
    }
    // text must be NUL-terminated: the component takes it up to its first NUL.
    void ReplaceSel(const std::string& text) const { editor_.SendEditorDirect(sci::SCI_REPLACESEL, 0, text.c_str()); }
    void Allocate(std::int32_t bytes) const { Send(sci::SCI_ALLOCATE, bytes); }
    std::int32_t Status() const { return Send(sci::SCI_GETSTATUS); }
    void SetStatus(std::int32_t status) const { Send(sci::SCI_SETSTATUS, status); }
    // 0: one byte one character; SC_CP_UTF8: UTF-8. Positions count bytes in either.
    void SetCodePage(std::int32_t codePage) const { Send(sci::SCI_SETCODEPAGE, codePage); }
    std::int32_t CodePage() const { return Send(sci::SCI_GETCODEPAGE); }

    // Lines and positions
    std::int32_t LineCount() const { return Send(sci::SCI_GETLINECOUNT); }
    std::int32_t LineFromPosition(std::int32_t position) const { return Send(sci::SCI_LINEFROMPOSITION, position); }
    std::int32_t PositionFromLine(std::int32_t line) const { return Send(sci::SCI_POSITIONFROMLINE, line); }
    // The line's start, -1 for no such line.
    std::int32_t LineIndex(std::int32_t line) const { return editor_.SendEditorDirect(sci::EM_LINEINDEX, line, 0); }
    // With its line end.
    std::int32_t LineLength(std::int32_t line) const { return Send(sci::SCI_LINELENGTH, line); }
    // Writes LineLength(line) bytes, line end included and no NUL.
    std::int32_t GetLine(std::int32_t line, char* text) const
    {
        return editor_.SendEditorDirect(sci::SCI_GETLINE, line, text);
    }
    std::int32_t PositionBefore(std::int32_t position) const { return Send(sci::SCI_POSITIONBEFORE, position); }
    std::int32_t PositionAfter(std::int32_t position) const { return Send(sci::SCI_POSITIONAFTER, position); }

    // Caret, selection and view
    std::int32_t CurrentPos() const { return Send(sci::SCI_GETCURRENTPOS); }
    void GotoPos(std::int32_t position) const { Send(sci::SCI_GOTOPOS, position); }
    void GotoLine(std::int32_t line) const { Send(sci::SCI_GOTOLINE, line); }
    std::int32_t SelectionStart() const { return Send(sci::SCI_GETSELECTIONSTART); }
    std::int32_t SelectionEnd() const { return Send(sci::SCI_GETSELECTIONEND); }
    void SetSelectionStart(std::int32_t position) const { Send(sci::SCI_SETSELECTIONSTART, position); }
    void SetSelectionEnd(std::int32_t position) const { Send(sci::SCI_SETSELECTIONEND, position); }
    void SetSel(std::int32_t anchor, std::int32_t caret) const { Send(sci::SCI_SETSEL, anchor, caret); }
    void ScrollCaret() const { Send(sci::SCI_SCROLLCARET); }
    std::int32_t FirstVisibleLine() const { return Send(sci::SCI_GETFIRSTVISIBLELINE); }
    void SetRedraw(bool redraw) const { Send(sci::WM_SETREDRAW, redraw ? 1 : 0); }

    // Undo and the save point
    void SetUndoCollection(bool collect) const { Send(sci::SCI_SETUNDOCOLLECTION, collect ? 1 : 0); }
    void EmptyUndoBuffer() const { Send(sci::SCI_EMPTYUNDOBUFFER); }
    void SetSavePoint() const { Send(sci::SCI_SETSAVEPOINT); }
    bool Modify() const { return Send(sci::SCI_GETMODIFY) != 0; }

    // Target search
    void SetTargetStart(std::int32_t position) const { Send(sci::SCI_SETTARGETSTART, position); }
    void SetTargetEnd(std::int32_t position) const { Send(sci::SCI_SETTARGETEND, position); }
    std::int32_t TargetStart() const { return Send(sci::SCI_GETTARGETSTART); }
    std::int32_t TargetEnd() const { return Send(sci::SCI_GETTARGETEND); }
    void SetSearchFlags(std::int32_t flags) const { Send(sci::SCI_SETSEARCHFLAGS, flags); }
    // The match position or -1; a target start after its end searches backwards.
    std::int32_t SearchInTarget(std::string_view text) const
    {
        return editor_.SendEditorDirect(sci::SCI_SEARCHINTARGET, std::int32_t(text.size()), text.data());
    }

    // Styles
    std::int32_t EndStyled() const { return Send(sci::SCI_GETENDSTYLED); }
    void GetStyledText(SciTextRange& range) const { editor_.SendEditorDirect(sci::SCI_GETSTYLEDTEXT, 0, &range); }
    void SetLexer(std::int32_t lexer) const { Send(sci::SCI_SETLEXER, lexer); }
    void SetStyleBits(std::int32_t bits) const { Send(sci::SCI_SETSTYLEBITS, bits); }
    void StyleClearAll() const { Send(sci::SCI_STYLECLEARALL); }
    void StyleSetFore(std::int32_t style, std::int32_t colour) const { Send(sci::SCI_STYLESETFORE, style, colour); }
    void StyleSetBack(std::int32_t style, std::int32_t colour) const { Send(sci::SCI_STYLESETBACK, style, colour); }
    void StyleSetBold(std::int32_t style, bool bold) const { Send(sci::SCI_STYLESETBOLD, style, bold ? 1 : 0); }
    void StyleSetSize(std::int32_t style, std::int32_t points) const { Send(sci::SCI_STYLESETSIZE, style, points); }

private:
    std::int32_t Send(std::uint32_t msg, std::int32_t wParam = 0, std::int32_t lParam = 0) const
    {
        return editor_.SendEditor(msg, wParam, lParam);
    }

    const EditorSession& editor_;
};

// The editing component: a QScintilla widget in 8-bit mode that answers the editor's messages.
#pragma once

#include "KelpoApi.h"

// QScintilla's header uses the `signals` and `slots` keywords, which QT_NO_KEYWORDS removes.
#define signals Q_SIGNALS
#define slots Q_SLOTS
#include <Qsci/qsciscintillabase.h>
#undef slots
#undef signals

#include <cstdint>

class KelpoComponent : public QsciScintillaBase {
    Q_OBJECT

public:
    KelpoComponent(std::intptr_t handle, QWidget* parent);
    ~KelpoComponent() override;

    // One message of the editor: passed to Scintilla, except where Scintilla would abort the
    // process on arguments outside the document, EM_LINEINDEX, which Scintilla lacks, and
    // WM_SETREDRAW. While redraw is off the view neither repaints nor follows the caret: the
    // messages that would scroll the caret into view (SCI_SETSEL, SCI_GOTOPOS, SCI_GOTOLINE,
    // SCI_REPLACESEL) do the same without scrolling, and the caller shows the caret afterwards
    // (SCI_SCROLLCARET). Scrolling costs a layout of the caret's line each time.
    std::intptr_t send(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);

    void setCallback(KelpoCallback callback, void* context, KelpoCallback* previous, void** previousContext);

private:
    std::intptr_t call(unsigned int msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0) const;
    std::intptr_t length() const;
    std::intptr_t clampPosition(std::intptr_t position) const;
    bool lineExists(std::intptr_t line) const;
    // How many of the bytes from start to start + count lie inside the document.
    std::intptr_t rangeInDocument(std::intptr_t start, std::intptr_t count) const;
    std::intptr_t styledRunLength(std::intptr_t requested) const;
    std::intptr_t textRange(std::uint32_t msg, std::intptr_t lParam) const;
    void clampTarget() const;
    void setRedraw(bool on);
    // SCI_SETSEL without scrolling: a negative caret is the document end, a negative anchor the caret.
    void selectQuietly(std::intptr_t anchor, std::intptr_t caret) const;
    // SCI_REPLACESEL without scrolling, for a single plain selection; false for any other.
    bool replaceSelectionQuietly(std::intptr_t text);
    void deliverStyleNeeded(int position);

    std::intptr_t handle_;
    KelpoCallback callback_ = nullptr;
    void* context_ = nullptr;
    bool redraw_ = true;
    bool caretXStale_ = false;  // a quiet replacement left the column for up and down moves behind
};

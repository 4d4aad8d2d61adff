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
    // process on arguments outside the document, and EM_LINEINDEX, which Scintilla lacks.
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
    void deliverStyleNeeded(int position);

    std::intptr_t handle_;
    KelpoCallback callback_ = nullptr;
    void* context_ = nullptr;
};

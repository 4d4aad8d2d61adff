// The main window with the real component for the search tests, and a recorder of every message
// that the editor sends to the component.
#pragma once

#include <QCoreApplication>

#include <string>
#include <vector>

#include "app/AppState.h"
#include "app/MDIForm1.h"
#include "editor/ComponentModule.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"

// One message as sent: texts of the two direct text messages are kept, other lParams as numbers.
struct SentMessage {
    std::uint32_t msg;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;

    bool operator==(const SentMessage&) const = default;
};

inline SentMessage Msg(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0) { return {msg, wParam, lParam, {}}; }
inline SentMessage TextMsg(std::uint32_t msg, std::intptr_t wParam, std::string text) { return {msg, wParam, 0, std::move(text)}; }

// Sits between SendEditor and the real module while it lives.
class MessageRecorder {
public:
    MessageRecorder() : real_(Component().Send)
    {
        active_ = this;
        Component().Send = &Record;
    }
    ~MessageRecorder()
    {
        Component().Send = real_;
        active_ = nullptr;
    }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<SentMessage> sent;

private:
    static std::intptr_t Record(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
    {
        SentMessage entry{msg, std::intptr_t(wParam), lParam, {}};
        const auto* text = reinterpret_cast<const char*>(lParam);
        if (msg == sci::SCI_SEARCHINTARGET) {
            entry.text.assign(text, wParam);
            entry.lParam = 0;
        } else if (msg == sci::SCI_REPLACESEL) {
            entry.text = text;
            entry.lParam = 0;
        }
        active_->sent.push_back(entry);
        return active_->real_(handle, msg, wParam, lParam);
    }

    KelpoSendFn real_;
    static inline MessageRecorder* active_ = nullptr;
};

inline void ShowMainWindow()
{
    ProgramFolder = VARNOTEK_PROGRAM_DIR;
    Forms::Instance().Get<MDIForm1>().Show();
}

inline void CloseAllWindows()
{
    Forms::Instance().DestroyAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline void SetText(const std::string& text)
{
    SendEditor(sci::SCI_SETTEXT, 0, std::string_view());
    SendEditor(sci::SCI_ADDTEXT, std::int32_t(text.size()), text);
    SendEditor(sci::SCI_SETSEL, 0, 0);
}

inline std::string Text()
{
    const std::int32_t length = SendEditor(sci::SCI_GETLENGTH, 0, 0);
    std::string text(std::size_t(length) + 1, '\0');
    SendEditorDirect(sci::SCI_GETTEXT, length + 1, text.data());
    text.resize(std::size_t(length));
    return text;
}

inline constexpr std::uint32_t SCI_GETANCHOR = 2009;
inline std::int32_t Anchor() { return SendEditor(SCI_GETANCHOR, 0, 0); }
inline std::int32_t Caret() { return SendEditor(sci::SCI_GETCURRENTPOS, 0, 0); }

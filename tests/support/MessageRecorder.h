// Records every message the editor sends to the component, on its way to the real module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/EditorSession.h"
#include "editor/SciMessages.h"

// One message as sent: texts of the two direct text messages are kept, other lParams as numbers.
struct SentMessage {
    std::uint32_t msg;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;

    bool operator==(const SentMessage&) const = default;
};

inline SentMessage Msg(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0)
{
    return {msg, wParam, lParam, {}};
}

// Sits between the session's SendEditor and the module while it lives.
class MessageRecorder {
public:
    explicit MessageRecorder(EditorSession& editor) : editor_(editor), real_(editor.Module.Send)
    {
        active_ = this;
        editor_.Module.Send = &Record;
    }
    ~MessageRecorder()
    {
        editor_.Module.Send = real_;
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

    EditorSession& editor_;
    KelpoSendFn real_;
    static inline MessageRecorder* active_ = nullptr;
};

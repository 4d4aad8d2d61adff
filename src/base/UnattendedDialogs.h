// A dialog service for runs nobody watches (tools, benchmarks): each box is handed to a callback
// and takes the answer a box closed unanswered takes; file and print dialogs are cancelled.
#pragma once

#include <functional>
#include <utility>

#include "base/DialogService.h"

class UnattendedDialogs final : public DialogService {
public:
    explicit UnattendedDialogs(std::function<void(const MessageBoxRequest&)> shown) : shown_(std::move(shown)) {}

    MsgAnswer MessageBox(const MessageBoxRequest& request) override
    {
        shown_(request);
        return request.buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    void SetBusy(bool) override {}

private:
    std::function<void(const MessageBoxRequest&)> shown_;
};

// A dialog service for tests: records every request and gives the answers the test queued; a
// question nobody planned for is counted and answered with Cancel.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/DialogService.h"

class ScriptedDialogs final : public DialogService {
public:
    struct FileRequest {
        bool save = false;
        FileDialogRequest request;
    };

    std::deque<MsgAnswer> answers;                     // answers to the next questions (OK boxes need none)
    std::deque<std::optional<std::string>> fileNames;  // next file dialog results
    std::vector<MessageBoxRequest> boxes;              // every box shown
    std::vector<FileRequest> fileDialogs;              // every file dialog shown
    int busyDepth = 0;
    int busyCount = 0;                           // times the busy pointer was set
    int unexpected = 0;                          // requests with no queued answer
    std::function<bool(QPrinter&)> printDialog;  // the user's choices; unset: cancelled
    int printDialogs = 0;                        // times the print dialog was shown
    // Runs while each box is on screen, as the events a modal box lets through would.
    std::function<void(const MessageBoxRequest&)> whileShown;

    MsgAnswer MessageBox(const MessageBoxRequest& request) override
    {
        boxes.push_back(request);
        if (whileShown)
            whileShown(request);
        return request.buttons == MsgButtons::OK ? MsgAnswer::OK : Next(answers, MsgAnswer::Cancel);
    }
    std::optional<std::string> OpenFileName(const FileDialogRequest& asked) override { return FileName(false, asked); }
    std::optional<std::string> SaveFileName(const FileDialogRequest& asked) override { return FileName(true, asked); }
    void SetBusy(bool busy) override
    {
        busyDepth += busy ? 1 : -1;
        busyCount += busy ? 1 : 0;
    }
    bool PrintDialog(QPrinter& printer) override
    {
        ++printDialogs;
        return printDialog && printDialog(printer);
    }

private:
    std::optional<std::string> FileName(bool save, const FileDialogRequest& request)
    {
        fileDialogs.push_back({save, request});
        return Next(fileNames, {});
    }
    template <typename T>
    T Next(std::deque<T>& queue, T unplanned)
    {
        if (queue.empty()) {
            ++unexpected;
            return unplanned;
        }
        T next = std::move(queue.front());
        queue.pop_front();
        return next;
    }
};

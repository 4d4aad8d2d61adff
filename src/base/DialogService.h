// The one path to message boxes, file dialogs and the busy pointer, so tests can script them.
#pragma once

#include <optional>
#include <string>
#include <utility>

class QPrinter;

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No };

struct MessageBoxRequest {
    MessageBoxRequest() = default;
    MessageBoxRequest(std::string prompt, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                      std::string title = {}, std::optional<MsgAnswer> defaultAnswer = std::nullopt)
        : prompt(std::move(prompt)), buttons(buttons), icon(icon), title(std::move(title)), defaultAnswer(defaultAnswer)
    {}

    std::string prompt;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    std::string title;
    // The button Enter presses at first; none: the first button. A question whose Yes destroys
    // something names No.
    std::optional<MsgAnswer> defaultAnswer;

    bool operator==(const MessageBoxRequest&) const = default;
};

struct FileDialogRequest {
    std::string title;
    std::string filter;       // Qt filter text, e.g. "All Files (*)"
    std::string initialPath;  // start folder or file name; empty for the default
};

class DialogService {
public:
    virtual ~DialogService() = default;
    virtual MsgAnswer MessageBox(const MessageBoxRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
    // The chosen path; the dialog itself asks before an existing file is overwritten.
    virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
    virtual void SetBusy(bool busy) = 0;
    // The print dialog over printer, which it sets up as the user chooses (printer, copies,
    // range). False when the user cancelled; a service that cannot ask anybody cancels.
    virtual bool PrintDialog(QPrinter& printer)
    {
        static_cast<void>(printer);
        return false;
    }
};

// Shows the busy pointer for its lifetime.
class BusyPointer {
public:
    explicit BusyPointer(DialogService& dialogs) : dialogs_(dialogs) { dialogs_.SetBusy(true); }
    ~BusyPointer() { dialogs_.SetBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    DialogService& dialogs_;
};

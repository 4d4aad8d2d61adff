// The dialog service on real Qt widgets.
#pragma once

#include "base/DialogService.h"

class QtDialogService final : public DialogService {
public:
    MsgAnswer MessageBox(const MessageBoxRequest& request) override;
    std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
    void SetBusy(bool busy) override;
    bool PrintDialog(QPrinter& printer) override;

private:
    int busyDepth_ = 0;
};

// Everything the running editor shares, created once at start-up: the state objects, the dialog
// service, and the window registry with a factory for each window that hands it what it uses.
#pragma once

#include <memory>

#include "app/Forms.h"
#include "base/AppState.h"
#include "base/DialogService.h"
#include "dnc/DncState.h"
#include "editor/EditorSession.h"
#include "highlight/Styling.h"

class Application {
public:
    explicit Application(std::unique_ptr<DialogService> dialogs);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    DialogService& Dialogs() const { return *dialogs_; }

private:
    std::unique_ptr<DialogService> dialogs_;

public:
    AppState app;
    EditorSession editor{app, *dialogs_};
    Styling styling{editor};
    DncState dnc;
    Forms forms;  // last, so that the windows go before the state they use

private:
    void RegisterWindows();
    void ConnectLayers();
    void SetEditorWindowVisible(bool visible);
};

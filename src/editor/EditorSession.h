// The editor's shared state: the component module and its window, the window procedure's state,
// the document's path, and SendEditor, the one path by which the editor talks to the component.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/AppState.h"
#include "base/DialogService.h"
#include "component/KelpoApi.h"
#include "editor/ComponentModule.h"

// The procedure that was installed before EditorWndProc; notifications are forwarded to it.
struct WindowProcedure {
    KelpoCallback callback = nullptr;
    void* context = nullptr;
};

// What the layers above the editor do at its turning points; each may be left empty.
struct EditorHooks {
    std::function<void()> LoadStyles;  // after the component's base look is set
    std::function<void(std::int32_t firstLine, std::int32_t lastLine)> StyleLines;  // lines to paint now
    std::function<void()> ComponentFailed;  // after the failure message, before the process ends
    std::function<void(const std::string& path)> FilePathChanged;
    // A long load's progress ("Loading 40%"), then the empty text when it ends.
    std::function<void(const std::string& text)> ShowProgress;
    // How long a load runs before its progress shows; a shorter one shows none.
    std::int32_t ProgressDelayMs = 500;
};

class EditorSession {
public:
    EditorSession(AppState& app, DialogService& dialogs) : app_(app), dialogs_(dialogs) {}
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    AppState& App() const { return app_; }
    DialogService& Dialogs() const { return dialogs_; }

    EditorHooks Hooks;
    ComponentModule Module;
    std::int32_t EditorHandle = 0;  // below 32 after creation: no component exists
    WindowProcedure PrevEditorWndProc;
    bool InEditorWndProc = false;
    std::string LastDialogFileName;  // the name last chosen in the Open or Save dialog

    // Sends a message with an integer lParam, passed unchanged.
    std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) const;
    // Sends a message with a text lParam: the component receives a temporary NUL-terminated
    // copy, so the empty text and a text of the single NUL both arrive as an empty string.
    std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::string_view text) const;
    // A std::string is already a NUL-terminated 8-bit text that the component only reads, so a
    // whole document travels without a second copy.
    std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, const std::string& text) const;
    std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, const char* text) const
    {
        return SendEditor(msg, wParam, std::string_view(text));
    }

    // The direct sends (SCI_GETTEXT, SCI_GETLINE, SCI_SEARCHINTARGET, SCI_REPLACESEL,
    // EM_LINEINDEX): the caller's own buffer, or an integer, travels unchanged.
    std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, void* buffer) const;
    std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, const void* buffer) const;
    std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) const;

    // The path of the document shown, empty for none.
    const std::string& CurrentFilePath() const { return currentFilePath_; }
    // A new path asks a running styling pass to start over and is shown by whoever listens.
    void SetCurrentFilePath(const std::string& path);

private:
    std::int32_t Send(std::uint32_t msg, std::int32_t wParam, std::intptr_t lParam) const;

    AppState& app_;
    DialogService& dialogs_;
    std::string currentFilePath_;
};

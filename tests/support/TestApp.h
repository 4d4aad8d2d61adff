// The one application fixture: a fresh Application per test with scripted dialogs and its own
// program folder, windows built on demand, and the document's text read and written directly.
#pragma once

#include <QCoreApplication>
#include <QTest>

#include <memory>
#include <string>
#include <string_view>

#include "ScriptedDialogs.h"
#include "TestSciMessages.h"
#include "app/Application.h"
#include "app/MDIForm1.h"
#include "component/SciMessages.h"
#include "editor/frmEditor.h"

class TestApp {
public:
    explicit TestApp(std::string programFolder = VARNOTEK_PROGRAM_DIR) { app.ProgramFolder = std::move(programFolder); }
    ~TestApp()
    {
        forms.DestroyAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Application application{std::make_unique<ScriptedDialogs>()};
    ScriptedDialogs& dialogs = static_cast<ScriptedDialogs&>(application.Dialogs());
    AppState& app = application.app;
    EditorSession& editor = application.editor;
    Styling& styling = application.styling;
    Forms& forms = application.forms;

    // The main window, loaded (with the editor window inside) and on screen.
    MDIForm1& ShowMainWindow()
    {
        MDIForm1& main = forms.Get<MDIForm1>();
        main.Show();
        return main;
    }
    // The editor window alone, loaded, without a main window.
    frmEditor& LoadEditorWindow()
    {
        frmEditor& window = forms.Get<frmEditor>();
        window.EnsureLoaded();
        return window;
    }
};

// The whole document, byte for byte.
inline std::string Text(const EditorSession& editor)
{
    std::string text(std::size_t(editor.SendEditor(sci::SCI_GETLENGTH, 0, 0)) + 1, '\0');
    editor.SendEditorDirect(sci::SCI_GETTEXT, std::int32_t(text.size()), text.data());
    text.pop_back();
    return text;
}

// Replaces the document with text, the caret at the start.
inline void SetText(const EditorSession& editor, const std::string& text)
{
    editor.SendEditor(sci::SCI_SETTEXT, 0, std::string_view());
    editor.SendEditor(sci::SCI_ADDTEXT, std::int32_t(text.size()), text);
    editor.SendEditor(sci::SCI_SETSEL, 0, 0);
}

// The selection's two ends as the component holds them.
inline std::int32_t Anchor(const EditorSession& editor) { return editor.SendEditor(sci::SCI_GETANCHOR, 0, 0); }
inline std::int32_t Caret(const EditorSession& editor) { return editor.SendEditor(sci::SCI_GETCURRENTPOS, 0, 0); }

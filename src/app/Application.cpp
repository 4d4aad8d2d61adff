// The wiring: which window is built from what, and what the lower layers call back into.
#include "app/Application.h"

#include "about/Form2.h"
#include "about/frmInfo.h"
#include "app/MDIForm1.h"
#include "dnc/Form3.h"
#include "editor/frmEditor.h"
#include "highlight/Form1.h"
#include "highlight/LoadStyleSet.h"
#include "mb/InterProc.h"
#include "search/frmReplace.h"

Application::Application(std::unique_ptr<DialogService> dialogs) : dialogs_(std::move(dialogs))
{
    RegisterWindows();
    ConnectLayers();
}

void Application::RegisterWindows()
{
    forms.SetFactory<MDIForm1>([this] { return new MDIForm1(*this); });
    forms.SetFactory<frmEditor>([this] { return new frmEditor(editor); });
    forms.SetFactory<Form1>([this] { return new Form1(styling); });
    forms.SetFactory<Form2>([this] {
        return new Form2(
            app, [this] { forms.Get<MDIForm1>().Show(); }, [this]() -> frmInfo& { return forms.Get<frmInfo>(); });
    });
    forms.SetFactory<Form3>([this] {
        return new Form3(dnc, editor, forms.Get<MDIForm1>().mb(),
                         [this](bool visible) { SetEditorWindowVisible(visible); });
    });
    forms.SetFactory<frmInfo>([this] { return new frmInfo([this] { forms.Unload<Form2>(); }); });
    forms.SetFactory<frmReplace>([this] { return new frmReplace(editor); });
}

// The editor window steps aside while Select Machine is open; at shutdown it is already gone.
void Application::SetEditorWindowVisible(bool visible)
{
    frmEditor* window = forms.Find<frmEditor>();
    if (window == nullptr || !window->IsLoaded() || app.AppClosing)
        return;
    QWidget* frame = window->parentWidget() ? window->parentWidget() : window;
    frame->setVisible(visible);
}

void Application::ConnectLayers()
{
    editor.Hooks.LoadStyles = [this] { LoadStyleSet(styling); };
    editor.Hooks.StyleLines = [this](std::int32_t first, std::int32_t last) { styling.StyleLines(first, last); };
    // The notice goes through the main window's mb, which exists whenever the editor window loads;
    // the process ends right after, so its endpoint goes with it.
    editor.Hooks.ComponentFailed = [this] {
        InterProc& mb = forms.Get<MDIForm1>().mb();
        mb.MessageText = "EDIT_FAILED";
        mb.TargetName = "Talvane";
        mb.Send();
        mb.Flush(1000);
        mb.StopListening();
    };
    editor.Hooks.FilePathChanged = [this](const std::string& path) {
        styling.StyleRestartRequested = true;
        if (MDIForm1* main = forms.Find<MDIForm1>())
            main->ShowFilePath(path);
    };
    const auto showStatusText = [this](const std::string& text) {
        if (MDIForm1* main = forms.Find<MDIForm1>())
            main->SetStatusText(text);
    };
    styling.ShowStatusText = showStatusText;
    editor.Hooks.ShowProgress = showStatusText;
}

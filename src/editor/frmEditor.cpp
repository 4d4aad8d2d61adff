// Editor window Load: module, component, base look, style set, window procedure.
#include "editor/frmEditor.h"

#include <QKeyEvent>
#include <QMdiSubWindow>

#include "base/Twips.h"
#include "component/SciMessages.h"
#include "editor/ComponentFailure.h"
#include "editor/EditorCalls.h"
#include "editor/EditorGeometry.h"
#include "editor/EditorSession.h"
#include "editor/EditorWndProc.h"

frmEditor::frmEditor(EditorSession& editor) : FormWindow(QStringLiteral("frmEditor")), editor_(editor)
{
    setObjectName(FormName());
}

QWidget* frmEditor::ComponentWidget() const
{
    return findChild<QWidget*>(QStringLiteral("EditorDll"), Qt::FindDirectChildrenOnly);
}

void frmEditor::Load()
{
    LoadComponentModule(editor_.Module, editor_.App().ProgramFile(ComponentModuleFileName));
    editor_.EditorHandle = editor_.Module.Create ? std::int32_t(editor_.Module.Create(this)) : 0;
    if (editor_.EditorHandle < 32)
        ComponentFailurePath(editor_);
    ConfigureComponent();
    if (QWidget* component = ComponentWidget())
        component->installEventFilter(this);
    if (editor_.Hooks.LoadStyles)
        editor_.Hooks.LoadStyles();
    HookEditorWindow(editor_);
}

void frmEditor::ConfigureComponent()
{
    const EditorCalls calls(editor_);
    calls.SetStyleBits(6);
    calls.SetLexer(sci::SCLEX_CONTAINER);
    calls.StyleSetFore(sci::STYLE_DEFAULT, 0);
    calls.StyleSetBack(sci::STYLE_DEFAULT, 0xFFFFFF);
    calls.StyleSetBold(sci::STYLE_DEFAULT, false);
    calls.StyleSetSize(sci::STYLE_DEFAULT, 10);
    calls.StyleClearAll();
}

void frmEditor::Unload()
{
    UnhookEditorWindow(editor_);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->deleteLater();
}

void frmEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const ComponentSize size = EditorComponentSize(PixelsToTwips(width()), PixelsToTwips(height()));
    if (QWidget* component = ComponentWidget()) {
        component->setGeometry(0, 0, size.width, size.height);
        component->raise();
    }
}

namespace {

// Alt with a character is a command chord in a desktop editor, never typing: without this the
// component inserts the bare letter into the program. AltGr characters come without Alt, or
// with Ctrl where AltGr is sent as Ctrl+Alt, and still type.
bool IsAltChord(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
           !modifiers.testFlag(Qt::GroupSwitchModifier) && !key.text().isEmpty() && key.text().at(0).isPrint();
}

}  // namespace

bool frmEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && IsAltChord(*static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

// Editor window Load: module, component, base look, style set, window procedure.
#include "editor/frmEditor.h"

#include <QMdiSubWindow>

#include "app/AppState.h"
#include "app/Twips.h"
#include "editor/ComponentFailure.h"
#include "editor/ComponentModule.h"
#include "editor/EditorGeometry.h"
#include "editor/EditorState.h"
#include "editor/EditorWndProc.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "highlight/LoadStyleSet.h"

frmEditor::frmEditor() : FormWindow(QStringLiteral("frmEditor")) { setObjectName(FormName()); }

QWidget* frmEditor::ComponentWidget() const { return findChild<QWidget*>(QStringLiteral("EditorDll"), Qt::FindDirectChildrenOnly); }

void frmEditor::Load()
{
    LoadComponentModule(ProgramFile(ComponentModuleFileName));
    const ComponentModule& module = Component();
    EditorHandle = module.Create ? std::int32_t(module.Create(this)) : 0;
    if (EditorHandle < 32)
        ComponentFailurePath();
    ConfigureComponent();
    LoadStyleSet();
    HookEditorWindow(this);
}

void frmEditor::ConfigureComponent()
{
    using namespace sci;
    SendEditor(SCI_SETSTYLEBITS, 6, 0);
    SendEditor(SCI_SETLEXER, SCLEX_CONTAINER, 0);
    SendEditor(SCI_STYLESETFORE, STYLE_DEFAULT, 0);
    SendEditor(SCI_STYLESETBACK, STYLE_DEFAULT, 0xFFFFFF);
    SendEditor(SCI_STYLESETBOLD, STYLE_DEFAULT, 0);
    SendEditor(SCI_STYLESETSIZE, STYLE_DEFAULT, 10);
    SendEditor(SCI_STYLECLEARALL, 0, 0);
}

void frmEditor::Unload()
{
    UnhookEditorWindow(this);
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

// The editor window: creates the editing component as its child and keeps it filling the window.
#pragma once

#include <QWidget>

#include "windows/FormWindow.h"

class EditorSession;

class frmEditor : public QWidget, public FormWindow {
    Q_OBJECT
public:
    explicit frmEditor(EditorSession& editor);

    QWidget* Widget() override { return this; }
    // The component's widget, found by the name the module gives it.
    QWidget* ComponentWidget() const;

protected:
    void Load() override;
    void Unload() override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConfigureComponent();

    EditorSession& editor_;
};

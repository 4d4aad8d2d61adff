// The editor window: creates the editing component as its child and keeps it filling the window.
#pragma once

#include <QWidget>

#include "app/Forms.h"

class frmEditor : public QWidget, public FormWindow {
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::frmEditor;
    frmEditor();

    QWidget* Widget() override { return this; }
    // The component's widget, found by the name the module gives it.
    QWidget* ComponentWidget() const;

protected:
    void Load() override;
    void Unload() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ConfigureComponent();
};

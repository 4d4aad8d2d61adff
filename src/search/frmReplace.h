// The Find and Replace dialog window.
#pragma once

#include <QWidget>

#include "app/Forms.h"

class frmReplace : public QWidget, public FormWindow {
public:
    static constexpr FormId Id = FormId::frmReplace;
    frmReplace() : FormWindow(QStringLiteral("frmReplace"))
    {
        setObjectName(FormName());
        setWindowTitle(QStringLiteral("Find"));
    }
    QWidget* Widget() override { return this; }
};

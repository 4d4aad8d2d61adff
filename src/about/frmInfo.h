// The information dialog opened from the About box.
#pragma once

#include <QWidget>

#include "base/FormWindow.h"

class frmInfo : public QWidget, public FormWindow {
public:
    static constexpr FormId Id = FormId::frmInfo;
    frmInfo() : FormWindow(QStringLiteral("frmInfo"))
    {
        setObjectName(FormName());
        setWindowTitle(QStringLiteral("About Varnotek"));
    }
    QWidget* Widget() override { return this; }
};

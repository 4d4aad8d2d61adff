// The Select Machine dialog window of the hand-off to Talvane.
#pragma once

#include <QWidget>

#include "base/FormWindow.h"

class Form3 : public QWidget, public FormWindow {
public:
    static constexpr FormId Id = FormId::Form3;
    Form3() : FormWindow(QStringLiteral("Form3"))
    {
        setObjectName(FormName());
        setWindowTitle(QStringLiteral("Select Machine"));
    }
    QWidget* Widget() override { return this; }
};

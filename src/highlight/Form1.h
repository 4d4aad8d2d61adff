// The highlighting setup dialog window.
#pragma once

#include <QWidget>

#include "base/FormWindow.h"

class Form1 : public QWidget, public FormWindow {
public:
    static constexpr FormId Id = FormId::Form1;
    Form1() : FormWindow(QStringLiteral("Form1"))
    {
        setObjectName(FormName());
        setWindowTitle(QStringLiteral("Highlighting Setup"));
    }
    QWidget* Widget() override { return this; }
};

// The start-up window, which later serves as the About box.
#pragma once

#include <QWidget>

#include "app/Forms.h"

class QPushButton;
class QTimer;

class Form2 : public QWidget, public FormWindow {
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::Form2;
    Form2();

    QWidget* Widget() override { return this; }
    QPushButton* Command1() const { return command1_; }
    QTimer* Timer1() const { return timer1_; }

protected:
    void Load() override;

private:
    void Timer1_Timer();

    QPushButton* command1_ = nullptr;
    QTimer* timer1_ = nullptr;
};

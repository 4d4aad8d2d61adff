// The start-up window, which later serves as the About box.
#pragma once

#include <QWidget>

#include <functional>

#include "base/FormWindow.h"

struct AppState;
class QPushButton;
class QTimer;

class Form2 : public QWidget, public FormWindow {
    Q_OBJECT
public:
    static constexpr FormId Id = FormId::Form2;
    // showMainWindow runs when the start-up role's two seconds are over.
    Form2(AppState& app, std::function<void()> showMainWindow);

    QWidget* Widget() override { return this; }
    QPushButton* Command1() const { return command1_; }
    QTimer* Timer1() const { return timer1_; }

protected:
    void Load() override;

private:
    void Timer1_Timer();

    AppState& app_;
    std::function<void()> showMainWindow_;
    QPushButton* command1_ = nullptr;
    QTimer* timer1_ = nullptr;
};

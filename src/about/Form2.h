// The start-up window, which later serves as the About box.
#pragma once

#include <QWidget>

#include <functional>

#include "windows/FormWindow.h"

struct AppState;
class QLabel;
class QPushButton;
class QTimer;
class frmInfo;

class Form2 : public QWidget, public FormWindow {
    Q_OBJECT
public:
    // showMainWindow runs when the start-up role's two seconds are over; infoWindow gives the
    // one information dialog.
    Form2(AppState& app, std::function<void()> showMainWindow, std::function<frmInfo&()> infoWindow);

    QWidget* Widget() override { return this; }
    QPushButton* Command1() const { return command1_; }
    QTimer* Timer1() const { return timer1_; }

    void Command1_Click();
    void Command2_Click();

protected:
    void Load() override;

private:
    void CreateControls();
    void Timer1_Timer();

    AppState& app_;
    std::function<void()> showMainWindow_;
    std::function<frmInfo&()> infoWindow_;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QTimer* timer1_ = nullptr;
};

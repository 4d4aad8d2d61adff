// The main window: toolbar strip, the editor window in its client area, status bar, timers and mb.
#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

#include "windows/FormWindow.h"

class Application;
class InterProc;
class QLabel;
class QLineEdit;
class QMdiArea;
class QStatusBar;
class QTimer;
class ToolbarStrip;

class MDIForm1 : public QMainWindow, public FormWindow {
    Q_OBJECT
public:
    explicit MDIForm1(Application& application);
    ~MDIForm1() override;

    QWidget* Widget() override { return this; }
    InterProc& mb() { return *mb_; }
    QMdiArea* ClientArea() const { return client_; }
    QLineEdit* rt1() const;
    QTimer* Timer1() const { return timer1_; }
    QTimer* Timer2() const { return timer2_; }

    // rt1 shows CurrentFilePath.
    void ShowFilePath(const std::string& path);
    // The first panel of StatBar1.
    void SetStatusText(const std::string& text);
    std::string StatusText() const;

    // Click of picToolbar(index); an index without a command does nothing.
    void picToolbar_Click(int index);
    // What a toolbar button does; commands are added as their windows arrive.
    void SetToolbarCommand(int index, std::function<void()> command);

Q_SIGNALS:
    // The first panel of StatBar1 has a new text.
    void StatusTextChanged(const QString& text);

protected:
    void Load() override;
    void Unload() override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowEditorWindow();
    // Up to a second for the window to reach the screen before the notices are shown anyway.
    static constexpr int kExposeTries = 20, kExposeWaitMs = 50;
    void ShowNoticesOfEarlierRuns(int triesLeft);
    void Timer1_Timer();
    void mb_MessageReceived(int value, const std::string& sender, int length, const std::string& messageText);
    void Timer2_Timer();

    Application& application_;
    ToolbarStrip* pic1_ = nullptr;
    QMdiArea* client_ = nullptr;
    QStatusBar* statBar1_ = nullptr;
    QLabel* panel1_ = nullptr;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;
    InterProc* mb_ = nullptr;
    std::array<std::function<void()>, 8> commands_;
};

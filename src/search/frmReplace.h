// The Find and Replace dialog: modeless, without owner, in Find or Find and Replace mode.
#pragma once

#include <QDialog>

#include <array>

#include "search/ReplaceCommands.h"
#include "windows/FormWindow.h"

class EditorSession;
class QCheckBox;
class QComboBox;
class QFrame;
class QPushButton;
class QRadioButton;

class frmReplace : public QDialog, public FormWindow {
    Q_OBJECT
public:
    explicit frmReplace(const EditorSession& editor);

    QWidget* Widget() override { return this; }

    // Height, frames and buttons for the mode chosen with Option1.
    void ApplyDialogMode();
    // The control values as the buttons hand them on.
    SearchRequest Request() const;

    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdReplaceAll_Click();
    // Close: unloads the dialog.
    void cmdCancel_Click();

protected:
    void Load() override;
    void Unload() override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    // Widens a caption that the platform's font makes longer than its control.
    void FitCaptions();
    void FitHeight();
    // Gives the dialog the focus again after a command, as its last step.
    void FocusDialog();

    const EditorSession& editor_;
    int heightTwips_ = 2850;
    std::array<QRadioButton*, 2> option1_{};
    QComboBox* cboText_ = nullptr;
    QComboBox* cboReplace_ = nullptr;
    QPushButton* cmdFind_ = nullptr;
    QPushButton* cmdReplace_ = nullptr;
    QPushButton* cmdReplaceAll_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QFrame* frameReplace_ = nullptr;
    QFrame* frame2_ = nullptr;
    QCheckBox* chkCase_ = nullptr;
    QCheckBox* chkWhole_ = nullptr;
    QCheckBox* chkWrap_ = nullptr;
    QCheckBox* chkRegExp_ = nullptr;
    QRadioButton* optDown_ = nullptr;
    QRadioButton* optUp_ = nullptr;
};

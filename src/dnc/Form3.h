// The Select Machine dialog: lists Talvane's machines and hands the document over for the one chosen.
#pragma once

#include <QWidget>

#include <functional>

#include "windows/FormWindow.h"

class EditorSession;
class InterProc;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;
struct DncState;

class Form3 : public QWidget, public FormWindow {
    Q_OBJECT
public:
    // mb carries the load requests; setEditorWindowVisible hides the editor window while the
    // dialog is open and shows it again when it closes.
    Form3(DncState& dnc, EditorSession& editor, InterProc& mb, std::function<void(bool)> setEditorWindowVisible);

    QWidget* Widget() override { return this; }
    QListWidget* List1() const { return list1_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* Command2() const { return command2_; }
    QTimer* Timer1() const { return timer1_; }

    // The Talvane button's last step: shown (loaded first when new), its top edge 300 twips from the
    // top of the screen, the focus on Cancel.
    void ShowForHandOff();
    // OK: hands the document over for the selected machine; the dialog stays open.
    void Command1_Click();
    // Cancel: closes the dialog.
    void Command2_Click();

protected:
    void Load() override;
    void Unload() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void LoadProfiles();
    void Timer1_Timer();
    // Hands the document over for the machine of a list entry.
    void HandOff(const QListWidgetItem& entry);

    DncState& dnc_;
    EditorSession& editor_;
    InterProc& mb_;
    std::function<void(bool)> setEditorWindowVisible_;
    QListWidget* list1_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QTimer* timer1_ = nullptr;
};

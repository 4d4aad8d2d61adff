// The highlighting setup dialog: the style set edited entry by entry, and the display settings
// in a panel that the window widens to show.
#pragma once

#include <QDialog>

#include <array>

#include "styling/StyleSetFile.h"
#include "windows/FormWindow.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class SetupBox;
class Styling;

class Form1 : public QDialog, public FormWindow {
    Q_OBJECT
public:
    explicit Form1(Styling& styling);

    QWidget* Widget() override { return this; }

    // The current entry in the samples, and its Style option selected.
    void ShowCurrentLetter();
    // The dialog's data from the style set file: colours, style digits, enabled or not.
    void LoadStyleSetIntoDialog();
    // Widens the window to show the display settings, or narrows it to the style set alone.
    void ShowDisplayOptions(bool shown);

    void ltr_MouseUp(int index);
    void col_MouseUp(int index);
    void Style_Click(int index);
    // Covers the letter grid, the palette and the style options while "Disable Style" is chosen.
    void optEnableStyle_Click();
    void Command4_Click();  // Save the style set
    void Command8_Click();  // Delete the style set
    void chkColorOn_Click();
    void Command1_Click();  // Save the display settings and close
    void Command2_Click();  // Close without saving: either Cancel
    void Command3_Click();  // Help on the display settings

protected:
    void Load() override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void CreateLetterGrid();
    void CreatePalette();
    void CreateStyleFrame();
    void CreateCovers();
    void CreateDisplayPanel();
    void ConnectControls();
    void UnboldFrameContents();
    void ShowEntryColours();

    Styling& styling_;
    StyleSetDialogData data_;  // each entry's colour and style digit, enabled or not
    int currentLetter_ = 24;   // the entry the clicks act on, 1..27

    std::array<SetupBox*, 28> ltr_{};  // 1..27
    std::array<SetupBox*, 48> col_{};
    SetupBox* col89_ = nullptr;             // the black box of the palette's cover
    std::array<QRadioButton*, 5> style_{};  // 1..4
    SetupBox* txtSamp1_ = nullptr;
    SetupBox* txtSamp2_ = nullptr;
    std::array<QRadioButton*, 2> optEnableStyle_{};  // 0 "Disable Style", 1 "Enable Style"
    QWidget* frmInfo_ = nullptr;
    QGroupBox* frame2_ = nullptr;
    QGroupBox* frame3_ = nullptr;
    QGroupBox* frmColors0_ = nullptr;
    QGroupBox* frame8_ = nullptr;
    QGroupBox* frmColors1_ = nullptr;
    QGroupBox* frame7_ = nullptr;

    QPushButton* command4_ = nullptr;
    QPushButton* command6_ = nullptr;  // Cancel beside the style set's Save
    QPushButton* command8_ = nullptr;
    QPushButton* cmdDisplayOptions_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    QPushButton* command3_ = nullptr;
    QCheckBox* chkColorOn_ = nullptr;
    QRadioButton* optNoBold_ = nullptr;
    QRadioButton* optSomeBold_ = nullptr;
    QRadioButton* optAllBold_ = nullptr;
    QWidget* frameCol_ = nullptr;
};

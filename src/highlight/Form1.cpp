// The setup dialog's behaviour: loading, the clicks on letters, swatches and options, the
// style set's Save and Delete, and the display settings panel.
#include "highlight/Form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

#include "base/Twips.h"
#include "editor/EditorSession.h"
#include "highlight/SetupBox.h"
#include "highlight/SetupCommands.h"
#include "highlight/Styling.h"
#include "styling/SetupLook.h"

namespace {

constexpr int kClientHeightTwips = 4530;
constexpr int kStyleSetWidthTwips = 6375;
constexpr int kWithDisplayOptionsWidthTwips = 11535;

void SetBold(QWidget* control, bool bold)
{
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

}  // namespace

Form1::Form1(Styling& styling) : FormWindow(QStringLiteral("Form1")), styling_(styling)
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Setup"));
    // A fixed dialog border without minimize and maximize. A window of its own on the taskbar,
    // so that a window manager that minimises it anyway leaves a way back to it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    ConnectControls();
    ShowDisplayOptions(false);
}

void Form1::ConnectControls()
{
    for (int entry = 1; entry <= 27; ++entry)
        connect(ltr_[std::size_t(entry)], &SetupBox::Released, this, [this, entry] { ltr_MouseUp(entry); });
    for (int index = 0; index < 48; ++index)
        connect(col_[std::size_t(index)], &SetupBox::Released, this, [this, index] { col_MouseUp(index); });
    connect(col89_, &SetupBox::Released, this, [this] { col_MouseUp(89); });
    for (int index = 1; index <= 4; ++index)
        connect(style_[std::size_t(index)], &QRadioButton::clicked, this, [this, index] { Style_Click(index); });
    // Whoever changes the choice, the user or the file being read, the layout follows it.
    connect(optEnableStyle_[0], &QRadioButton::toggled, this, &Form1::optEnableStyle_Click);
    connect(command4_, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(command8_, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(command6_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(cmdDisplayOptions_, &QPushButton::clicked, this,
            [this] { ShowDisplayOptions(width() < TwipsToPixels(kWithDisplayOptionsWidthTwips)); });
    connect(chkColorOn_, &QCheckBox::toggled, this, &Form1::chkColorOn_Click);
    connect(command1_, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(command3_, &QPushButton::clicked, this, &Form1::Command3_Click);
}

void Form1::Load()
{
    chkColorOn_->setChecked(styling_.ColorOn);
    chkColorOn_Click();
    QRadioButton* bold = styling_.BoldMode == BoldAll    ? optAllBold_
                         : styling_.BoldMode == BoldSome ? optSomeBold_
                                                         : optNoBold_;
    bold->setChecked(true);
    LoadStyleSetIntoDialog();
    currentLetter_ = 24;
    ShowCurrentLetter();
    command6_->setFocus();
    CentreOnScreen(*this);
}

void Form1::LoadStyleSetIntoDialog()
{
    style_[1]->setChecked(true);
    data_ = ReadStyleSetForDialog(styling_);
    optEnableStyle_[data_.stylingEnabled ? 1 : 0]->setChecked(true);
    ShowEntryColours();
}

void Form1::ShowEntryColours()
{
    for (int entry = 1; entry <= 27; ++entry)
        ltr_[std::size_t(entry)]->SetTextColour(data_.entries[std::size_t(entry - 1)].colour);
}

void Form1::ShowCurrentLetter()
{
    const SampleLook look = SampleLookOf(currentLetter_, data_.entries[std::size_t(currentLetter_ - 1)]);
    txtSamp1_->setText(QString(QLatin1Char(look.letter)));
    txtSamp1_->SetTextColour(look.letterColour);
    SetBold(txtSamp1_, look.letterBold);
    txtSamp2_->SetTextColour(look.numberColour);
    SetBold(txtSamp2_, look.numberBold);
    if (look.styleOption > 0)
        style_[std::size_t(look.styleOption)]->setChecked(true);
}

void Form1::ShowDisplayOptions(bool shown)
{
    setFixedSize(TwipsToPixels(shown ? kWithDisplayOptionsWidthTwips : kStyleSetWidthTwips),
                 TwipsToPixels(kClientHeightTwips));
    // The wider window stays on the screen: it moves left as far as its new right edge needs.
    if (const QScreen* screen = this->screen(); screen && shown) {
        const QRect available = screen->availableGeometry();
        const int overhang = frameGeometry().right() - available.right();
        if (overhang > 0)
            move(std::max(available.left(), x() - overhang), y());
    }
    cmdDisplayOptions_->setText(shown ? QStringLiteral("<<") : QStringLiteral(">>"));
    cmdDisplayOptions_->setToolTip(shown ? QStringLiteral("Hide the display options")
                                         : QStringLiteral("Display options"));
}

void Form1::ltr_MouseUp(int index)
{
    currentLetter_ = index;
    ShowCurrentLetter();
}

void Form1::col_MouseUp(int index)
{
    const std::int32_t colour = index < 48 ? kSetupPalette[std::size_t(index)] : 0;  // 89 is the black cover
    data_.entries[std::size_t(currentLetter_ - 1)].colour = colour;
    ltr_[std::size_t(currentLetter_)]->SetTextColour(colour);
    ShowCurrentLetter();
}

void Form1::Style_Click(int index)
{
    data_.entries[std::size_t(currentLetter_ - 1)].styleDigit = std::to_string(index);
    ShowCurrentLetter();
}

void Form1::optEnableStyle_Click()
{
    data_.stylingEnabled = optEnableStyle_[1]->isChecked();
    const bool disabled = !data_.stylingEnabled;
    frmInfo_->setVisible(!disabled);
    const std::pair<QGroupBox*, QGroupBox*> covers[] = {
        {frame8_, frame2_}, {frmColors1_, frmColors0_}, {frame7_, frame3_}};
    for (const auto& [cover, covered] : covers) {
        cover->move(covered->pos());
        cover->setVisible(disabled);
        cover->raise();
    }
}

void Form1::Command4_Click() { SaveStyleSet(styling_, data_); }

// The samples follow the emptied style set at once rather than at the next click.
void Form1::Command8_Click()
{
    if (!DeleteStyleSet(styling_))
        return;
    LoadStyleSetIntoDialog();
    ShowCurrentLetter();
}

void Form1::chkColorOn_Click() { frameCol_->setVisible(chkColorOn_->isChecked()); }

void Form1::Command1_Click()
{
    const DisplaySettings chosen{chkColorOn_->isChecked(), optAllBold_->isChecked()    ? BoldAll
                                                           : optSomeBold_->isChecked() ? BoldSome
                                                                                       : BoldNone};
    if (SaveDisplaySettings(styling_, chosen))
        UnloadSelf();
}

void Form1::Command2_Click() { UnloadSelf(); }

void Form1::Command3_Click() { ShowDisplayOptionsHelp(styling_.Editor().Dialogs()); }

// Escape and the title bar's close box close the dialog; edits not saved are dropped.
void Form1::reject() { UnloadSelf(); }

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    UnloadSelf();
}

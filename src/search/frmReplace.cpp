// The Find and Replace dialog's behaviour: mode, search box, keys, focus and the four buttons.
#include "search/frmReplace.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "base/Text8.h"
#include "base/Twips.h"
#include "editor/Documents.h"

namespace {

constexpr int ClientWidthTwips = 8190;

bool Ticked(const QCheckBox* box) { return box->checkState() != Qt::Unchecked; }

}  // namespace

frmReplace::frmReplace(const EditorSession& editor) : FormWindow(QStringLiteral("frmReplace")), editor_(editor)
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Find"));
    // A fixed dialog border without minimize and maximize; a tool window stays off the taskbar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    CreateControls();
    SetTabOrder();
    FitCaptions();
    cboText_->installEventFilter(this);
    connect(cboText_, &QComboBox::editTextChanged, this,
            [this](const QString& text) { cmdFind_->setEnabled(!text.isEmpty()); });
    for (QRadioButton* option : option1_)
        connect(option, &QRadioButton::clicked, this, &frmReplace::ApplyDialogMode);
    connect(cmdFind_, &QPushButton::clicked, this, &frmReplace::cmdFind_Click);
    connect(cmdReplace_, &QPushButton::clicked, this, &frmReplace::cmdReplace_Click);
    connect(cmdReplaceAll_, &QPushButton::clicked, this, &frmReplace::cmdReplaceAll_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmReplace::cmdCancel_Click);
    FitHeight();
}

void frmReplace::Load()
{
    cboText_->lineEdit()->selectAll();
    ApplyDialogMode();
    CentreOnScreen(*this);
}

void frmReplace::Unload() { FocusDialog(); }

void frmReplace::ApplyDialogMode()
{
    const bool replacing = option1_[1]->isChecked();
    heightTwips_ = replacing ? 3570 : 2850;
    FitHeight();
    frameReplace_->setVisible(replacing);
    frame2_->move(frame2_->x(), TwipsToPixels(replacing ? 1800 : 1200));
    cmdCancel_->move(cmdCancel_->x(), TwipsToPixels(replacing ? 2280 : 1320));
    cmdFind_->setVisible(!replacing);
}

// The mode's height counts the title bar and borders, as far as the platform reports them.
void frmReplace::FitHeight()
{
    const int decoration = frameGeometry().height() - geometry().height();
    setFixedSize(TwipsToPixels(ClientWidthTwips), TwipsToPixels(heightTwips_) - decoration);
}

SearchRequest frmReplace::Request() const
{
    SearchRequest request;
    const bool utf8 = IsUtf8Document(editor_);
    request.text = ToDocumentText(cboText_->currentText(), utf8);
    request.replacement = ToDocumentText(cboReplace_->currentText(), utf8);
    request.up = optUp_->isChecked();
    request.wrap = Ticked(chkWrap_);
    request.matchCase = Ticked(chkCase_);
    request.wholeWord = Ticked(chkWhole_);
    request.regExp = Ticked(chkRegExp_);
    return request;
}

void frmReplace::cmdFind_Click()
{
    if (FindCommand(editor_, Request()))
        FocusDialog();
}

void frmReplace::cmdReplace_Click()
{
    if (ReplaceCommand(editor_, Request()))
        FocusDialog();
}

void frmReplace::cmdReplaceAll_Click()
{
    if (ReplaceAllCommand(editor_, Request()))
        FocusDialog();
}

void frmReplace::cmdCancel_Click()
{
    FocusDialog();
    UnloadSelf();
}

void frmReplace::FocusDialog() { activateWindow(); }

bool frmReplace::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        cboText_->setFocus(Qt::ActiveWindowFocusReason);
    return QDialog::event(event);
}

// Escape closes the dialog from the search box only.
bool frmReplace::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cboText_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// Enter still presses the default button Find when it is shown and enabled; Escape elsewhere
// does nothing, where a dialog would hide itself.
void frmReplace::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The title bar's close box unloads the dialog like Close.
void frmReplace::closeEvent(QCloseEvent* event)
{
    event->accept();
    UnloadSelf();
}

void frmReplace::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FitHeight();
}

// A window manager frames the window only after it is shown, and then moves it: that is when
// the title bar's height becomes known.
void frmReplace::moveEvent(QMoveEvent* event)
{
    QDialog::moveEvent(event);
    FitHeight();
}

// Message boxes through QMessageBox, file names through QFileDialog, the busy pointer through
// the application's override cursor.
#include "app/QtDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

#include "base/Text8.h"
#include "windows/SpaceBreaks.h"

namespace {

// "*.*" would hide every name without a dot here, and part programs often have none.
QString FilterOf(const std::string& filter)
{
    return FromLocal8(filter).replace(QStringLiteral("*.*"), QStringLiteral("*"));
}

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon IconOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// An empty name is the dialog's cancel.
std::optional<std::string> ChosenPath(const QString& path)
{
    if (path.isEmpty())
        return std::nullopt;
    return ToLocal8(path);
}

QMessageBox::StandardButton ButtonOf(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::OK: return QMessageBox::Ok;
    case MsgAnswer::Cancel: return QMessageBox::Cancel;
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

// The box widens up to half the screen, at most 500 pixels, before it wraps its text itself; the
// icon and the margins take the rest.
int PromptWidth(const QMessageBox& box)
{
    const int screenWidth = box.screen() ? box.screen()->availableGeometry().width() : 1024;
    return std::min(screenWidth / 2, 500) - 120;
}

}  // namespace

MsgAnswer QtDialogService::MessageBox(const MessageBoxRequest& request)
{
    QMessageBox box(IconOf(request.icon), FromText8(request.title), QString(), ButtonsOf(request.buttons));
    // A prompt quotes file names and searched text, never markup; broken here at spaces, it keeps
    // its paths whole.
    box.setTextFormat(Qt::PlainText);
    box.setText(BreakAtSpaces(FromText8(request.prompt), QFontMetrics(box.font()), PromptWidth(box)));
    // Qt takes No as the escape button of a Yes/No box, so Escape and the close box would answer
    // No; a hidden Cancel takes them instead, and a dismissed question changes nothing.
    if (request.buttons == MsgButtons::YesNo) {
        QPushButton* dismiss = box.addButton(QMessageBox::Cancel);
        dismiss->hide();
        box.setEscapeButton(dismiss);
    }
    if (request.defaultAnswer)
        box.setDefaultButton(ButtonOf(*request.defaultAnswer));
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return request.buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::Cancel;
    }
}

std::optional<std::string> QtDialogService::OpenFileName(const FileDialogRequest& request)
{
    return ChosenPath(QFileDialog::getOpenFileName(nullptr, FromLocal8(request.title), FromLocal8(request.initialPath),
                                                   FilterOf(request.filter)));
}

std::optional<std::string> QtDialogService::SaveFileName(const FileDialogRequest& request)
{
    return ChosenPath(QFileDialog::getSaveFileName(nullptr, FromLocal8(request.title), FromLocal8(request.initialPath),
                                                   FilterOf(request.filter)));
}

void QtDialogService::SetBusy(bool busy)
{
    if (busy) {
        if (busyDepth_++ == 0)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0 && --busyDepth_ == 0) {
        QApplication::restoreOverrideCursor();
    }
}

// The selection can be printed, and the copy count is the user's.
bool QtDialogService::PrintDialog(QPrinter& printer)
{
    // The editor chooses and orders the pages itself, so a page set that the print server took
    // afterwards would count the pages as sent, not the document's: it is not offered. The dialog
    // shows its widgets again each time it is shown, so they are hidden after that.
    class EditorPrintDialog final : public QPrintDialog {
    public:
        using QPrintDialog::QPrintDialog;
        void setVisible(bool visible) override
        {
            QPrintDialog::setVisible(visible);
            for (const char* name : {"pageSetLabel", "pageSetCombo"})
                if (QWidget* widget = findChild<QWidget*>(QLatin1String(name)))
                    widget->hide();
        }
    };
    EditorPrintDialog dialog(&printer);
    // Each copy is printed whole before the next, so collating is no choice.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintSelection |
                      QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintShowPageSize);
    return dialog.exec() == QDialog::Accepted;
}

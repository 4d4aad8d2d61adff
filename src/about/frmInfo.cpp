// The information dialog: a read-only text, an OK that closes the About box too, and the wide
// bottom button that does nothing.
#include "about/frmInfo.h"

#include <QPainter>
#include <QPushButton>
#include <QTextEdit>

#include "base/Text8.h"
#include "windows/PlaceControl.h"
#include "windows/SpaceBreaks.h"

namespace {

// A sheet with a folded corner and lines of text: the dialog's own 32 x 32 icon.
QIcon InfoIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 60, 110), 1.5));
    p.setBrush(Qt::white);
    const QPointF sheet[] = {{6, 2}, {21, 2}, {27, 8}, {27, 30}, {6, 30}};
    p.drawPolygon(sheet, 5);
    p.drawLine(QPointF(21, 2), QPointF(21, 8));
    p.drawLine(QPointF(21, 8), QPointF(27, 8));
    p.setPen(QPen(QColor(0, 150, 60), 2));
    for (int y = 13; y <= 25; y += 4)
        p.drawLine(QPointF(10, y), QPointF(y == 25 ? 17 : 23, y));
    return QIcon(pixmap);
}

}  // namespace

frmInfo::frmInfo(std::function<void()> unloadAboutBox)
    : FormWindow(QStringLiteral("frmInfo")), unloadAboutBox_(std::move(unloadAboutBox))
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("About Varnotek"));
    setWindowIcon(InfoIcon());
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(5805), TwipsToPixels(6600));
    rtInfo_ = Place<QTextEdit>(this, "rtInfo", 120, 120, 5535, 5775);
    rtInfo_->setReadOnly(true);
    Place<QPushButton>(this, "Command1", 0, 5880, 6015, 735);
    auto* ok = Place<QPushButton>(this, "Command2", "OK", 4800, 6000, 735, 375);
    ok->raise();  // it sits on the wide button
    connect(ok, &QPushButton::clicked, this, &frmInfo::Command2_Click);
    CentreOnScreen(*this);
}

void frmInfo::SetInfoText(const std::string& text)
{
    text_ = FromText8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // The width the box lays its lines out in, less a little for rounding, so it never wraps again.
    const int margins = 2 * (rtInfo_->frameWidth() + int(rtInfo_->document()->documentMargin())) + 4;
    rtInfo_->setPlainText(
        BreakAtSpaces(text_, QFontMetrics(rtInfo_->document()->defaultFont()), rtInfo_->width() - margins));
}

QString frmInfo::InfoText() const { return text_; }

void frmInfo::Command2_Click()
{
    if (unloadAboutBox_)
        unloadAboutBox_();
    UnloadSelf();
}

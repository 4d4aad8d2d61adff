// Toolbar images. The drawn fallbacks are kept simple so that they read at 16 pixels.
#include "app/ToolbarIcons.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

#include <array>

namespace {

// Theme names by button index; the Talvane button (4) has its own look everywhere.
constexpr std::array<const char*, 8> ThemeNames = {"document-new",       "document-open", "document-save",
                                                   "document-print",     nullptr,         "edit-find",
                                                   "preferences-system", "help-about"};

void DrawPage(QPainter& p, const QRectF& r)
{
    QPainterPath page;
    page.moveTo(r.left() + r.width() * 0.2, r.top() + 1);
    page.lineTo(r.left() + r.width() * 0.6, r.top() + 1);
    page.lineTo(r.right() - r.width() * 0.15, r.top() + r.height() * 0.3);
    page.lineTo(r.right() - r.width() * 0.15, r.bottom() - 1);
    page.lineTo(r.left() + r.width() * 0.2, r.bottom() - 1);
    page.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(page);
}

void DrawFolder(QPainter& p, const QRectF& r)
{
    p.setBrush(QColor(230, 190, 80));
    p.drawRect(QRectF(r.left() + 1, r.top() + r.height() * 0.35, r.width() * 0.8, r.height() * 0.55));
    p.drawRect(QRectF(r.left() + 1, r.top() + r.height() * 0.25, r.width() * 0.35, r.height() * 0.12));
    p.setPen(QPen(QColor(0, 120, 0), 1.5));
    p.drawLine(QPointF(r.width() * 0.55, r.height() * 0.3), QPointF(r.right() - 1, r.top() + 2));
    p.drawLine(QPointF(r.right() - 1, r.top() + 2), QPointF(r.right() - 4, r.top() + 2));
}

void DrawDisk(QPainter& p, const QRectF& r)
{
    const QRectF body = r.adjusted(1, 1, -1, -1);
    p.setBrush(QColor(40, 60, 140));
    p.drawRect(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(body.left() + body.width() * 0.2, body.top(), body.width() * 0.6, body.height() * 0.4));
    p.setBrush(QColor(180, 180, 180));
    p.drawRect(QRectF(body.left() + body.width() * 0.25, body.bottom() - body.height() * 0.35, body.width() * 0.5,
                      body.height() * 0.35));
}

void DrawPrinter(QPainter& p, const QRectF& r)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top() + 1, r.width() * 0.5, r.height() * 0.4));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(r.left() + 1, r.top() + r.height() * 0.4, r.width() - 2, r.height() * 0.4));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top() + r.height() * 0.7, r.width() * 0.5, r.height() * 0.28));
}

void DrawTalvane(QPainter& p, const QRectF& r)
{
    p.setBrush(QColor(0, 150, 60));
    p.drawRect(r.adjusted(1, 1, -1, -1));
    QPainterPath arrow;
    const double cy = r.center().y();
    arrow.moveTo(r.left() + r.width() * 0.2, cy - r.height() * 0.1);
    arrow.lineTo(r.left() + r.width() * 0.55, cy - r.height() * 0.1);
    arrow.lineTo(r.left() + r.width() * 0.55, cy - r.height() * 0.3);
    arrow.lineTo(r.right() - r.width() * 0.15, cy);
    arrow.lineTo(r.left() + r.width() * 0.55, cy + r.height() * 0.3);
    arrow.lineTo(r.left() + r.width() * 0.55, cy + r.height() * 0.1);
    arrow.lineTo(r.left() + r.width() * 0.2, cy + r.height() * 0.1);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(arrow);
}

void DrawBinoculars(QPainter& p, const QRectF& r)
{
    p.setBrush(QColor(50, 50, 50));
    const double d = r.width() * 0.42;
    p.drawEllipse(QRectF(r.left() + 1, r.bottom() - d - 1, d, d));
    p.drawEllipse(QRectF(r.right() - d - 1, r.bottom() - d - 1, d, d));
    p.drawRect(QRectF(r.left() + r.width() * 0.12, r.top() + 2, r.width() * 0.22, r.height() * 0.5));
    p.drawRect(QRectF(r.right() - r.width() * 0.34, r.top() + 2, r.width() * 0.22, r.height() * 0.5));
}

void DrawTools(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(QColor(90, 90, 90), r.width() * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.left() + 3, r.bottom() - 3), QPointF(r.right() - 4, r.top() + 4));
    p.setPen(QPen(QColor(140, 80, 30), r.width() * 0.14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(r.right() - 3, r.bottom() - 3), QPointF(r.left() + 5, r.top() + 5));
    p.setPen(QPen(QColor(60, 60, 60), r.width() * 0.22, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(r.left() + 2, r.top() + 3), QPointF(r.left() + r.width() * 0.45, r.top() + 3));
}

void DrawHelp(QPainter& p, const QRectF& r)
{
    p.setBrush(QColor(255, 255, 200));
    p.drawRoundedRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, r.height() * 0.75), 3, 3);
    QFont font = p.font();
    font.setBold(true);
    font.setPixelSize(int(r.height() * 0.6));
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(QRectF(r.left(), r.top(), r.width(), r.height() * 0.78), Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace

QPixmap DrawnToolbarImage(int index, QSize size, qreal devicePixelRatio)
{
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 1));
    const QRectF r(0, 0, size.width(), size.height());
    switch (index) {
    case 0: DrawPage(p, r); break;
    case 1: DrawFolder(p, r); break;
    case 2: DrawDisk(p, r); break;
    case 3: DrawPrinter(p, r); break;
    case 4: DrawTalvane(p, r); break;
    case 5: DrawBinoculars(p, r); break;
    case 6: DrawTools(p, r); break;
    case 7: DrawHelp(p, r); break;
    default: break;
    }
    return pixmap;
}

QPixmap ToolbarImage(int index, QSize size, qreal devicePixelRatio)
{
    if (index >= 0 && index < int(ThemeNames.size()) && ThemeNames[std::size_t(index)]) {
        const QIcon icon = QIcon::fromTheme(QString::fromLatin1(ThemeNames[std::size_t(index)]));
        if (!icon.isNull()) {
            const QPixmap pixmap = icon.pixmap(size, devicePixelRatio);
            if (!pixmap.isNull())
                return pixmap;
        }
    }
    return DrawnToolbarImage(index, size, devicePixelRatio);
}

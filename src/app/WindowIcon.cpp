// The application icon, drawn as packaging/icons draws it: the 16-pixel one on the pixel grid,
// the larger ones from the scalable picture's 256-unit geometry.
#include "app/WindowIcon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

const QColor Ink(0x1e, 0x32, 0x6e);
const QColor Label(0xa0, 0xa0, 0xa0);
// The address words of the four lines, as the default style set colours them.
const std::array<QColor, 4> Words = {QColor(0x28, 0x28, 0x28), QColor(0x80, 0x80, 0xff), QColor(0x00, 0xb0, 0x00),
                                     QColor(0xff, 0x30, 0x30)};

// Whole pixels only, so that every edge stays sharp at the size task bars and title bars use.
QPixmap DrawSixteen()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(1, 0, 11, 16, Ink);
    p.fillRect(2, 1, 9, 14, Qt::white);
    const std::array<int, 4> wordWidths = {3, 2, 4, 3};
    for (int line = 0; line < 4; ++line) {
        const int y = 3 + line * 3;
        p.fillRect(3, y, 2, 2, Label);
        p.fillRect(6, y, wordWidths[line], 2, Words[line]);
    }
    p.fillRect(13, 3, 1, 4, QColor(0x96, 0xa0, 0xaf));
    p.fillRect(12, 7, 3, 9, QColor(0x5a, 0x64, 0x78));
    p.fillRect(13, 7, 1, 9, QColor(0xdc, 0xe1, 0xeb));
    return pixmap;
}

QPixmap DrawScaled(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    p.setPen(QPen(Ink, 8));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(28, 16, 168, 220), 14, 14);
    p.setPen(Qt::NoPen);
    const std::array<int, 4> wordWidths = {56, 40, 72, 48};
    for (int line = 0; line < 4; ++line) {
        const int y = 52 + line * 36;
        p.setBrush(Label);
        p.drawRoundedRect(QRectF(52, y, 28, 14), 4, 4);
        p.setBrush(Words[line]);
        p.drawRoundedRect(QRectF(88, y, wordWidths[line], 14), 4, 4);
    }
    p.translate(196, 150);
    p.rotate(-30);
    p.translate(-196, -150);
    p.setBrush(QColor(0x96, 0xa0, 0xaf));
    p.drawRect(QRectF(180, 60, 32, 60));
    QLinearGradient steel(172, 0, 220, 0);
    steel.setColorAt(0, QColor(0x5a, 0x64, 0x78));
    steel.setColorAt(0.5, QColor(0xdc, 0xe1, 0xeb));
    steel.setColorAt(1, QColor(0x5a, 0x64, 0x78));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(172, 116, 48, 104), 8, 8);
    p.setPen(QPen(QColor(0x3c, 0x46, 0x5a), 6));
    for (int flute = 0; flute < 3; ++flute) {
        p.drawLine(QPointF(172, 140 + flute * 28), QPointF(220, 128 + flute * 28));
    }
    return pixmap;
}

}  // namespace

QIcon DrawnApplicationIcon()
{
    QIcon icon(DrawSixteen());
    for (const int size : {24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(DrawScaled(size));
    }
    return icon;
}

QIcon ApplicationIcon()
{
    return QIcon::fromTheme(QStringLiteral("varnotek"), DrawnApplicationIcon());
}

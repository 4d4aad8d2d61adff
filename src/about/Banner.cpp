// A milling cutter over a part-program line, and the product's name.
#include "about/Banner.h"

#include <QPainter>
#include <QPainterPath>

Banner::Banner(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
}

void Banner::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = height();

    // The cutter: a shank and a fluted end mill, cutting a path along the bottom edge.
    const double cx = h * 0.55;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 160, 175));
    p.drawRect(QRectF(cx - h * 0.12, h * 0.04, h * 0.24, h * 0.36));
    QLinearGradient steel(cx - h * 0.16, 0, cx + h * 0.16, 0);
    steel.setColorAt(0, QColor(90, 100, 120));
    steel.setColorAt(0.5, QColor(220, 225, 235));
    steel.setColorAt(1, QColor(90, 100, 120));
    p.setBrush(steel);
    p.drawRoundedRect(QRectF(cx - h * 0.16, h * 0.38, h * 0.32, h * 0.38), h * 0.03, h * 0.03);
    p.setPen(QPen(QColor(60, 70, 90), h * 0.02));
    for (int flute = 0; flute < 3; ++flute) {
        const double y = h * (0.44 + flute * 0.1);
        p.drawLine(QPointF(cx - h * 0.16, y + h * 0.06), QPointF(cx + h * 0.16, y));
    }
    QPainterPath toolPath;
    toolPath.moveTo(h * 0.1, h * 0.86);
    toolPath.lineTo(cx, h * 0.86);
    toolPath.cubicTo(cx + h * 0.4, h * 0.86, cx + h * 0.4, h * 0.93, width() * 0.95, h * 0.93);
    p.setPen(QPen(QColor(0, 150, 60), h * 0.03, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(toolPath);

    // The name, and a line of part program in the editor's colours.
    QFont name = font();
    name.setPixelSize(int(h * 0.36));
    name.setBold(true);
    p.setFont(name);
    p.setPen(QColor(30, 50, 110));
    p.drawText(QRectF(h * 1.05, h * 0.08, width() * 0.5, h * 0.45), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Varnotek"));
    QFont code = font();
    code.setFamily(QStringLiteral("Monospace"));
    code.setStyleHint(QFont::TypeWriter);
    code.setPixelSize(int(h * 0.14));
    p.setFont(code);
    const QFontMetricsF metrics(code);
    double x = h * 1.08;
    const struct {
        const char* text;
        QColor colour;
    } words[] = {{"N10 ", QColor(160, 160, 160)},
                 {"G01 X25.4 ", QColor(40, 40, 40)},
                 {"M08 ", QColor(128, 128, 255)},
                 {"(FINISH)", QColor(0, 192, 0)}};
    for (const auto& word : words) {
        p.setPen(word.colour);
        p.drawText(QPointF(x, h * 0.62), QString::fromLatin1(word.text));
        x += metrics.horizontalAdvance(QString::fromLatin1(word.text));
    }
}

// Read-only boxes drawn as sunken white panels.
#include "highlight/SetupBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// Light enough to be hard to read on white: white, the pale swatches, yellow.
bool Faint(const QColor& colour)
{
    return 0.299 * colour.redF() + 0.587 * colour.greenF() + 0.114 * colour.blueF() > 0.7;
}

}  // namespace

QColor ColourOf(std::int32_t colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

SetupBox::SetupBox(QWidget* parent) : QLabel(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setAutoFillBackground(true);
    setTextInteractionFlags(Qt::NoTextInteraction);
    SetBackColour(0xFFFFFF);
    SetTextColour(0);
}

void SetupBox::SetTextColour(std::int32_t colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ColourOf(colour));
    setPalette(colours);
}

void SetupBox::SetBackColour(std::int32_t colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ColourOf(colour));
    setPalette(colours);
}

void SetupBox::MakeBare()
{
    setFrameStyle(QFrame::NoFrame);
    setAutoFillBackground(false);
}

void SetupBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (rect().contains(event->position().toPoint()))
        Q_EMIT Released();
}

void SetupBox::paintEvent(QPaintEvent* event)
{
    const QColor colour = palette().color(QPalette::WindowText);
    if (text().isEmpty() || !Faint(colour)) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect();
    const QFontMetrics metrics(font());
    const int width = metrics.horizontalAdvance(text());
    const int x = alignment() & Qt::AlignRight     ? area.right() + 1 - width
                  : alignment() & Qt::AlignHCenter ? area.left() + (area.width() - width) / 2
                                                   : area.left();
    QPainterPath path;
    path.addText(x, area.top() + (area.height() - metrics.height()) / 2 + metrics.ascent(), font(), text());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(path, QPen(QColor(64, 64, 64), 1.5));
    painter.fillPath(path, colour);
}

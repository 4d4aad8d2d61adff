// Read-only boxes drawn as sunken white panels.
#include "highlight/SetupBox.h"

#include <QMouseEvent>

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

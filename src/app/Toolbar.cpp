// Toolbar strip geometry, given in twips and placed in logical pixels.
#include "app/Toolbar.h"

#include <QFrame>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "app/ToolbarIcons.h"
#include "base/Twips.h"

namespace {

QRect TwipsRect(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

// Left edges in the strip of the small buttons; button 4 sits in Frame1.
struct ButtonPlace {
    int index;
    int leftTwips;
};
constexpr ButtonPlace SmallButtons[] = {{0, 70}, {1, 400}, {2, 750}, {3, 1250}, {5, 1725}, {6, 2150}, {7, 2520}};

}  // namespace

PictureButton::PictureButton(int index, QSize buttonSize, QSize imageSize, QWidget* parent)
    : QWidget(parent), index_(index), imageSize_(imageSize)
{
    setObjectName(QStringLiteral("picToolbar"));
    setProperty("Index", index);
    setFixedSize(buttonSize);
    setCursor(Qt::PointingHandCursor);
}

const QPixmap& PictureButton::Image()
{
    if (image_.isNull() || image_.devicePixelRatio() != devicePixelRatioF())
        image_ = ToolbarImage(index_, imageSize_, devicePixelRatioF());
    return image_;
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPixmap& image = Image();
    // Centred in logical pixels: a theme may give a smaller image than asked for.
    const QSizeF size = image.deviceIndependentSize();
    const QPointF offset = pressed_ ? QPointF(1, 1) : QPointF(0, 0);
    const QPointF origin((width() - size.width()) / 2.0, (height() - size.height()) / 2.0);
    p.drawPixmap(origin + offset, image);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        update();
    }
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return;
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint()))
        Q_EMIT Clicked(index_);
}

ToolbarStrip::ToolbarStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pic1"));
    for (const ButtonPlace& place : SmallButtons)
        AddButton(place.index, place.leftTwips, 30, 255, QSize(16, 16), this);

    AddLine("Line1", 1100, 50, 280);
    AddLine("Line2", 1600, 50, 280);
    AddLine("Line3", 2040, 50, 250);
    AddLine("Line4", 2450, 50, 250);

    frame1_ = new QWidget(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->resize(TwipsToPixels(6180 + 330), TwipsToPixels(330));
    rt1_ = new QLineEdit(frame1_);
    rt1_->setObjectName(QStringLiteral("rt1"));
    rt1_->setGeometry(TwipsRect(0, 0, 6195, 300));
    rt1_->setReadOnly(true);
    AddButton(4, 6180, 0, 330, QSize(23, 22), frame1_);

    ApplyLayout(ToolbarLayoutForWidth(0));
}

void ToolbarStrip::AddButton(int index, int leftTwips, int topTwips, int sizeTwips, QSize imageSize, QWidget* parent)
{
    auto* button =
        new PictureButton(index, QSize(TwipsToPixels(sizeTwips), TwipsToPixels(sizeTwips)), imageSize, parent);
    button->move(TwipsToPixels(leftTwips), TwipsToPixels(topTwips));
    connect(button, &PictureButton::Clicked, this, &ToolbarStrip::ButtonClicked);
}

void ToolbarStrip::AddLine(const char* name, int xTwips, int y1Twips, int y2Twips)
{
    auto* line = new QFrame(this);
    line->setObjectName(QString::fromLatin1(name));
    line->setGeometry(TwipsToPixels(xTwips), TwipsToPixels(y1Twips), 1, TwipsToPixels(y2Twips - y1Twips));
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    line->setPalette(palette);
}

void ToolbarStrip::ApplyLayout(const ToolbarLayout& layout)
{
    setFixedHeight(TwipsToPixels(layout.stripHeightTwips));
    frame1_->move(TwipsToPixels(layout.frameLeftTwips), TwipsToPixels(layout.frameTopTwips));
}

// The toolbar strip pic1: the eight picture buttons, the separator lines, and Frame1 with the
// path box rt1 and the Talvane button.
#pragma once

#include <QWidget>

#include "app/MainLayout.h"

class QLineEdit;

// A picture box that acts as a button: it reports a click with its index in the array.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    PictureButton(int index, QSize buttonSize, QSize imageSize, QWidget* parent);
    int Index() const { return index_; }
    // The image as painted, at the screen's device pixel ratio.
    const QPixmap& Image();

Q_SIGNALS:
    void Clicked(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    QSize imageSize_;  // logical pixels
    QPixmap image_;    // drawn for the screen's pixel ratio when first painted there
    bool pressed_ = false;
};

class ToolbarStrip : public QWidget {
    Q_OBJECT
public:
    explicit ToolbarStrip(QWidget* parent);
    QLineEdit* PathBox() const { return rt1_; }
    QWidget* Frame() const { return frame1_; }
    void ApplyLayout(const ToolbarLayout& layout);

Q_SIGNALS:
    void ButtonClicked(int index);

private:
    void AddButton(int index, int leftTwips, int topTwips, int sizeTwips, QSize imageSize, QWidget* parent);
    void AddLine(const char* name, int xTwips, int y1Twips, int y2Twips);

    QWidget* frame1_ = nullptr;
    QLineEdit* rt1_ = nullptr;
};

// The setup dialog's read-only boxes: letters, swatches, samples and the covers' look-alikes.
#pragma once

#include <QLabel>

#include <cstdint>

class SetupBox : public QLabel {
    Q_OBJECT
public:
    // A sunken white box showing text; it takes no keyboard focus and no selection.
    explicit SetupBox(QWidget* parent);

    // Colours in the component's form 0xBBGGRR.
    void SetTextColour(std::int32_t colour);
    void SetBackColour(std::int32_t colour);
    // No border and no background of its own, so that it reads as part of the box behind it.
    void MakeBare();

Q_SIGNALS:
    // A mouse button was released over the box.
    void Released();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A light text colour would vanish on the white box: such text is drawn with a dark outline.
    void paintEvent(QPaintEvent* event) override;
};

QColor ColourOf(std::int32_t colour);

// The product's picture at the top of the start-up window, drawn as shapes so that it is sharp
// at any screen scale.
#pragma once

#include <QWidget>

class Banner : public QWidget {
public:
    explicit Banner(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

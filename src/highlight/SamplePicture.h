// A fixed picture of a short part program as the editor would show it in one of the three bold
// modes, in colour or in black. Painted as text, so it stays sharp at any screen scale.
#pragma once

#include <QWidget>

#include "styling/DisplaySettingsFile.h"

class SamplePicture : public QWidget {
public:
    SamplePicture(QWidget* parent, BoldModeValue bold, bool colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    BoldModeValue bold_;
    bool colour_;
};

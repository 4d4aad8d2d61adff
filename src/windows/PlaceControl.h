// Controls placed as a window's designer laid them out: by name, in twips.
#pragma once

#include <QString>
#include <QWidget>

#include "base/Twips.h"

template <class Control>
Control* Place(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* control = new Control(parent);  // owned by its container
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
    return control;
}

template <class Control>
Control* Place(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height)
{
    auto* control = Place<Control>(parent, name, left, top, width, height);
    control->setText(QString::fromLatin1(caption));
    return control;
}

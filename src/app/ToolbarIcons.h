// The images of the toolbar buttons: the desktop's icon theme where it has a fitting icon,
// drawn ones otherwise.
#pragma once

#include <QPixmap>
#include <QSize>

QPixmap ToolbarImage(int index, QSize size);
// The drawn image alone, whatever the theme offers.
QPixmap DrawnToolbarImage(int index, QSize size);

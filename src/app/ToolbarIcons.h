// The images of the toolbar buttons: the desktop's icon theme where it has a fitting icon,
// drawn ones otherwise.
#pragma once

#include <QPixmap>
#include <QSize>

// size is in logical pixels; the pixmap holds size x devicePixelRatio device pixels, so it stays
// sharp on a scaled screen.
QPixmap ToolbarImage(int index, QSize size, qreal devicePixelRatio);
// The drawn image alone, whatever the theme offers.
QPixmap DrawnToolbarImage(int index, QSize size, qreal devicePixelRatio);

// Load on first show.
#include "app/FormWindow.h"

#include <QWidget>

void FormWindow::EnsureLoaded()
{
    if (loaded_)
        return;
    loaded_ = true;
    Load();
}

void FormWindow::Show()
{
    EnsureLoaded();
    QWidget* widget = Widget();
    widget->show();
    widget->raise();
    widget->activateWindow();
}

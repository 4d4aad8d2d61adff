// Load on first show.
#include "windows/FormWindow.h"

#include <QGuiApplication>
#include <QScreen>
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
    // A window the user minimised comes back when its command is used again.
    widget->setWindowState(widget->windowState() & ~Qt::WindowMinimized);
    widget->show();
    widget->raise();
    widget->activateWindow();
}

void FormWindow::UnloadSelf()
{
    if (unload_)
        unload_();
}

void CentreOnScreen(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

// Start-up role of Form2: two seconds on screen, then the main window.
#include "about/Form2.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "base/AppState.h"
#include "base/Text8.h"
#include "base/Twips.h"

Form2::Form2(AppState& app, std::function<void()> showMainWindow)
    : FormWindow(QStringLiteral("Form2")), app_(app), showMainWindow_(std::move(showMainWindow))
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Varnotek"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(5565), TwipsToPixels(4080));
    command1_ = new QPushButton(QStringLiteral("OK"), this);
    command1_->setObjectName(QStringLiteral("Command1"));
    command1_->setGeometry(TwipsToPixels(3360), TwipsToPixels(3480), TwipsToPixels(1935), TwipsToPixels(375));
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(2000);
    connect(timer1_, &QTimer::timeout, this, &Form2::Timer1_Timer);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form2::Load()
{
    if (app_.AboutBoxMode)
        return;
    timer1_->start();
    command1_->hide();
    app_.ProgramFolder = ToLocal8(QCoreApplication::applicationDirPath());
}

void Form2::Timer1_Timer()
{
    timer1_->stop();
    UnloadSelf();
    if (showMainWindow_)
        showMainWindow_();
}

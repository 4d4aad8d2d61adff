// Form2's two roles: two seconds at start-up, then the main window; later the About box.
#include "about/Form2.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "about/AboutText.h"
#include "about/frmInfo.h"
#include "base/AppState.h"
#include "base/FileAttributes.h"
#include "base/Text8.h"
#include "base/Twips.h"

Form2::Form2(AppState& app, std::function<void()> showMainWindow, std::function<frmInfo&()> infoWindow)
    : FormWindow(QStringLiteral("Form2")), app_(app), showMainWindow_(std::move(showMainWindow)),
      infoWindow_(std::move(infoWindow))
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Varnotek"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(5565), TwipsToPixels(4080));
    CreateControls();
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(2000);
    connect(timer1_, &QTimer::timeout, this, &Form2::Timer1_Timer);
    connect(command1_, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form2::Command2_Click);
    CentreOnScreen(*this);
}

void Form2::Load()
{
    label3_->setText(FromText8(VarnotekVersionText()));
    if (app_.AboutBoxMode) {
        timer1_->stop();
        command1_->show();
    } else {
        timer1_->start();
        command1_->hide();
        app_.ProgramFolder = ExecutableFolder();
    }
    label1_->setVisible(RegularFileExists(app_.ProgramFile("talvane")));
}

void Form2::Timer1_Timer()
{
    timer1_->stop();
    UnloadSelf();
    if (showMainWindow_)
        showMainWindow_();
}

void Form2::Command1_Click()
{
    timer1_->stop();
    UnloadSelf();
}

void Form2::Command2_Click()
{
    frmInfo& info = infoWindow_();
    info.Show();
    info.SetInfoText(InfoText());
}

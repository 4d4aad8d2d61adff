// Main window construction, Load (command line, program folder, editor window, deferred open,
// the notices of earlier runs), layout on resize, and shutdown.
#include "app/MDIForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <unistd.h>

#include "about/Form2.h"
#include "about/frmInfo.h"
#include "app/Application.h"
#include "app/DeferredOpen.h"
#include "app/Toolbar.h"
#include "app/ToolbarCommands.h"
#include "base/CommandLine.h"
#include "base/FileAttributes.h"
#include "base/Text8.h"
#include "base/Twips.h"
#include "base/UserState.h"
#include "dnc/DncReplies.h"
#include "dnc/Form3.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmEditor.h"
#include "highlight/Form1.h"
#include "mb/InterProc.h"
#include "mb/MbEndpoint.h"
#include "search/frmReplace.h"
#include "styling/DisplaySettingsFile.h"

MDIForm1::MDIForm1(Application& application) : FormWindow(QStringLiteral("MDIForm1")), application_(application)
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Varnotek"));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    pic1_ = new ToolbarStrip(central);
    column->addWidget(pic1_);
    client_ = new QMdiArea(central);
    client_->setObjectName(QStringLiteral("ClientArea"));
    client_->setBackground(QColor(0x80, 0x80, 0x80));
    column->addWidget(client_, 1);
    setCentralWidget(central);

    statBar1_ = new QStatusBar(this);
    statBar1_->setObjectName(QStringLiteral("StatBar1"));
    statBar1_->setSizeGripEnabled(false);
    panel1_ = new QLabel(statBar1_);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    statBar1_->addWidget(panel1_, 1);
    setStatusBar(statBar1_);

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(300);
    connect(timer1_, &QTimer::timeout, this, &MDIForm1::Timer1_Timer);
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(100);
    // A coarse timer may fire up to 5% early: refusals arriving without pause would then show a
    // box every 95 ms instead of at most one per 100 ms.
    timer2_->setTimerType(Qt::PreciseTimer);
    connect(timer2_, &QTimer::timeout, this, &MDIForm1::Timer2_Timer);
    application_.dnc.PendingDncReply.clear();

    mb_ = new InterProc(this);
    mb_->setObjectName(QStringLiteral("mb"));
    // Editors killed before they could close their endpoints leave socket files behind.
    if (const std::optional<std::string> folder = mb::EndpointFolder())
        mb::RemoveEndpointsOfEndedProcesses(*folder, "varnotek-");
    mb_->Listen("varnotek-" + std::to_string(::getpid()));
    connect(mb_, &InterProc::MessageReceived, this, &MDIForm1::mb_MessageReceived);

    connect(pic1_, &ToolbarStrip::ButtonClicked, this, &MDIForm1::picToolbar_Click);
    InstallToolbarCommands(*this, application_);
    ShowFilePath(application_.editor.CurrentFilePath());
    connect(pic1_->PathBox(), &QLineEdit::textChanged, this,
            [this] { application_.styling.StyleRestartRequested = true; });

    resize(635, 386);
    CentreOnScreen(*this);
}

MDIForm1::~MDIForm1() = default;

QLineEdit* MDIForm1::rt1() const { return pic1_->PathBox(); }

void MDIForm1::ShowFilePath(const std::string& path) { rt1()->setText(FromLocal8(path)); }

void MDIForm1::SetStatusText(const std::string& text)
{
    const QString shown = FromText8(text);
    panel1_->setText(shown);
    Q_EMIT StatusTextChanged(shown);
}

std::string MDIForm1::StatusText() const { return ToText8(panel1_->text()); }

void MDIForm1::SetToolbarCommand(int index, std::function<void()> command)
{
    if (index >= 0 && index < int(commands_.size()))
        commands_[std::size_t(index)] = std::move(command);
}

void MDIForm1::picToolbar_Click(int index)
{
    if (index < 0 || index >= int(commands_.size()))
        return;
    if (const auto& command = commands_[std::size_t(index)])
        command();
}

void MDIForm1::Load()
{
    AppState& app = application_.app;
    app.CommandLineFile = CommandLineFileFrom(app.Arguments);
    app.ProgramFolder = WithoutTrailingSeparator(app.ProgramFolder);
    Styling& styling = application_.styling;
    const DisplaySettings display = ReadDisplaySettingsFile(app, {styling.ColorOn, styling.BoldMode});
    styling.ColorOn = display.colorOn;
    styling.BoldMode = display.boldMode;
    ShowEditorWindow();
    // A missing or unusable command-line file opens nothing and says nothing.
    if (!app.CommandLineFile.empty() && RegularFileExists(app.CommandLineFile))
        timer1_->start();
    QTimer::singleShot(0, this, [this] { ShowNoticesOfEarlierRuns(kExposeTries); });
}

// What runs that are over left to say (text kept when a run was ended, a save cut short), in one
// box once the window is up, and then never again. The window manager may take a moment to put
// the window on screen, and the box belongs in front of it.
void MDIForm1::ShowNoticesOfEarlierRuns(int triesLeft)
{
    if (triesLeft > 0 && windowHandle() != nullptr && !windowHandle()->isExposed()) {
        QTimer::singleShot(kExposeWaitMs, this, [this, triesLeft] { ShowNoticesOfEarlierRuns(triesLeft - 1); });
        return;
    }
    std::string prompt;
    for (const std::string& notice : TakeNotices())
        prompt += (prompt.empty() ? "" : "\r\n\r\n") + notice;
    if (!prompt.empty())
        application_.Dialogs().MessageBox({prompt, MsgButtons::OK, MsgIcon::Information, "Varnotek"});
}

void MDIForm1::ShowEditorWindow()
{
    frmEditor& editor = application_.forms.Get<frmEditor>();
    editor.EnsureLoaded();
    QMdiSubWindow* sub = client_->addSubWindow(&editor, Qt::FramelessWindowHint);
    sub->showMaximized();
}

void MDIForm1::Timer1_Timer()
{
    timer1_->stop();
    OpenCommandLineFile(application_.editor, application_.styling);
}

// Talvane's refusals wait for Timer2, so their box opens outside the event that brought them. A
// running Timer2 is left to run: one box for replies that come in quick succession.
void MDIForm1::mb_MessageReceived(int, const std::string&, int, const std::string& messageText)
{
    if (KeepTalvaneReply(application_.dnc, messageText) && !timer2_->isActive())
        timer2_->start();
}

void MDIForm1::Timer2_Timer()
{
    timer2_->stop();
    ShowPendingTalvaneReply(application_.dnc, application_.Dialogs());
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    pic1_->ApplyLayout(ToolbarLayoutForWidth(PixelsToTwips(width())));
    QCoreApplication::processEvents();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (!ConfirmDiscardChanges(application_.editor)) {
        event->ignore();
        return;
    }
    application_.forms.Unload<frmEditor>();
    application_.forms.Unload<MDIForm1>();
    event->accept();
}

void MDIForm1::Unload()
{
    application_.app.AppClosing = true;
    Forms& forms = application_.forms;
    forms.Unload<Form1>();
    forms.Unload<Form2>();
    forms.Unload<Form3>();
    forms.Unload<frmEditor>();
    forms.Unload<frmInfo>();
    forms.Unload<frmReplace>();
}

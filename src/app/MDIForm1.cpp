// Main window construction, Load (command line, program folder, editor window, deferred open),
// layout on resize, and shutdown.
#include "app/MDIForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <unistd.h>

#include "about/Form2.h"
#include "about/frmInfo.h"
#include "app/AppState.h"
#include "app/CommandLine.h"
#include "app/DeferredOpen.h"
#include "app/Toolbar.h"
#include "app/ToolbarCommands.h"
#include "app/Twips.h"
#include "dnc/Form3.h"
#include "dnc/InterProc.h"
#include "editor/FileAttributes.h"
#include "editor/UnsavedChanges.h"
#include "editor/frmEditor.h"
#include "highlight/Form1.h"
#include "search/frmReplace.h"

namespace {

std::vector<std::string> ArgumentsAfterExecutable()
{
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        const QByteArray bytes = all[i].toLocal8Bit();
        arguments.emplace_back(bytes.constData(), std::size_t(bytes.size()));
    }
    return arguments;
}

}  // namespace

MDIForm1::MDIForm1() : FormWindow(QStringLiteral("MDIForm1"))
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

    mb_ = new InterProc(this);
    mb_->setObjectName(QStringLiteral("mb"));
    mb_->Listen("varnotek-" + std::to_string(::getpid()));

    connect(pic1_, &ToolbarStrip::ButtonClicked, this, &MDIForm1::picToolbar_Click);
    InstallToolbarCommands(*this);
    connect(pic1_->PathBox(), &QLineEdit::textChanged, this, [] { StyleRestartRequested = true; });

    resize(635, 386);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

MDIForm1::~MDIForm1() = default;

QLineEdit* MDIForm1::rt1() const { return pic1_->PathBox(); }

void MDIForm1::SetStatusText(const std::string& text)
{
    const QString shown = QString::fromLocal8Bit(text.data(), qsizetype(text.size()));
    panel1_->setText(shown);
    Q_EMIT StatusTextChanged(shown);
}

std::string MDIForm1::StatusText() const { return panel1_->text().toLocal8Bit().toStdString(); }

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
    CommandLineFile = CommandLineFileFrom(ArgumentsAfterExecutable());
    ProgramFolder = WithoutTrailingSeparator(ProgramFolder);
    ShowEditorWindow();
    // A missing or unusable command-line file opens nothing and says nothing.
    try {
        if (!CommandLineFile.empty() && RegularFileExists(CommandLineFile))
            timer1_->start();
    } catch (...) {
    }
}

void MDIForm1::ShowEditorWindow()
{
    frmEditor& editor = Forms::Instance().Get<frmEditor>();
    editor.EnsureLoaded();
    QMdiSubWindow* sub = client_->addSubWindow(&editor, Qt::FramelessWindowHint);
    sub->showMaximized();
}

void MDIForm1::Timer1_Timer()
{
    timer1_->stop();
    OpenCommandLineFile();
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    pic1_->ApplyLayout(ToolbarLayoutForWidth(PixelsToTwips(width())));
    QCoreApplication::processEvents();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    if (!ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    Forms::Instance().Unload(FormId::frmEditor);
    Forms::Instance().Unload(FormId::MDIForm1);
    event->accept();
}

void MDIForm1::Unload()
{
    AppClosing = true;
    Forms& forms = Forms::Instance();
    for (FormId id : {FormId::Form1, FormId::Form2, FormId::Form3, FormId::frmEditor, FormId::frmInfo,
                      FormId::frmReplace}) {
        try {
            forms.Unload(id);
        } catch (...) {
        }
    }
}

// Select Machine: its controls, the profile loading, the automatic hand-off for a single machine,
// OK, Cancel and the close box.
#include "dnc/Form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "base/Text8.h"
#include "base/TextFile.h"
#include "dnc/DncMessages.h"
#include "dnc/DncState.h"
#include "dnc/LoadFileToDnc.h"
#include "dnc/TalvaneProbe.h"
#include "editor/EditorSession.h"
#include "profiles/MachineProfiles.h"
#include "windows/PlaceControl.h"

Form3::Form3(DncState& dnc, EditorSession& editor, InterProc& mb, std::function<void(bool)> setEditorWindowVisible)
    : FormWindow(QStringLiteral("Form3")), dnc_(dnc), editor_(editor), mb_(mb),
      setEditorWindowVisible_(std::move(setEditorWindowVisible))
{
    setObjectName(FormName());
    setWindowTitle(QStringLiteral("Select Machine"));
    // A fixed dialog border without minimize and maximize; a tool window stays off the taskbar.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(TwipsToPixels(3315), TwipsToPixels(3570));
    CreateControls();
    dnc_.MachineNumber = 0;
    dnc_.MachineName.clear();
    connect(command1_, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(command2_, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(timer1_, &QTimer::timeout, this, &Form3::Timer1_Timer);
}

void Form3::CreateControls()
{
    auto* label1 = Place<QLabel>(this, "Label1", "DNC to Which Machine ?", 120, 120, 3135, 255);
    QFont font = label1->font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), font.family()});
    font.setPointSizeF(8.25);
    font.setBold(true);
    label1->setFont(font);
    list1_ = Place<QListWidget>(this, "List1", 0, 480, 3255, 2400);
    list1_->setSelectionMode(QAbstractItemView::SingleSelection);
    command1_ = Place<QPushButton>(this, "Command1", "OK", 2400, 3000, 855, 375);
    command2_ = Place<QPushButton>(this, "Command2", "Cancel", 1560, 3000, 735, 375);
    // Neither button answers Enter or Escape by itself.
    for (QPushButton* button : {command1_, command2_}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    setTabOrder(list1_, command1_);
    setTabOrder(command1_, command2_);
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(100);
}

void Form3::Load()
{
    setEditorWindowVisible_(false);
    move(screen()->geometry().left() + TwipsToPixels(1000), y());
    LoadProfiles();
    if (list1_->count() == 1)
        timer1_->start();
}

// An Orvex.ini that cannot be read lists no machine, like one that holds none.
void Form3::LoadProfiles()
{
    const std::string bytes = ReadTextFile(editor_.App().ProgramFile(ProfileFileName)).value_or(std::string());
    MachineProfiles profiles = ReadMachineProfiles(bytes);
    for (const std::string& entry : profiles.entries)
        list1_->addItem(FromText8(entry));
    dnc_.MachineNumber = profiles.machineNumber;
    dnc_.MachineName = std::move(profiles.machineName);
    if (list1_->count() == 0)
        editor_.Dialogs().MessageBox(NoMachineProfilesBox());
}

// A new dialog gets its place before it is first shown: until the window manager has framed a
// window, Qt cannot tell where a move puts the frame.
void Form3::ShowForHandOff()
{
    EnsureLoaded();
    move(x(), screen()->geometry().top() + TwipsToPixels(300));
    Show();
    command2_->setFocus(Qt::OtherFocusReason);
}

// The one machine listed gets the file, even when sections without a name follow it in the file.
void Form3::Timer1_Timer()
{
    hide();
    timer1_->stop();
    HandOff(*list1_->item(0));
    UnloadSelf();
}

void Form3::Command1_Click()
{
    const QList<QListWidgetItem*> selected = list1_->selectedItems();
    if (!selected.isEmpty())
        HandOff(*selected.front());
}

void Form3::HandOff(const QListWidgetItem& entry)
{
    MachineChoice choice = ParseMachineEntry(ToText8(entry.text()));
    dnc_.MachineNumber = choice.number;
    dnc_.MachineName = std::move(choice.name);
    LoadFileToDnc(dnc_, editor_, mb_);
}

void Form3::Command2_Click() { UnloadSelf(); }

void Form3::Unload()
{
    timer1_->stop();
    setEditorWindowVisible_(true);
}

// The close box closes the dialog like Cancel.
void Form3::closeEvent(QCloseEvent* event)
{
    event->accept();
    UnloadSelf();
}

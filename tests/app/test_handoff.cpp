// The hand-off to Talvane through the real main window, component and files, with talvane-sim as
// Talvane: the button's refusals, Select Machine, the requests Talvane receives and its replies.
#include <QtTest>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "FileTestSupport.h"
#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "TestApp.h"
#include "dnc/DncState.h"
#include "dnc/Form3.h"
#include "dnc/InterProc.h"

Q_DECLARE_METATYPE(MessageBoxRequest)
Q_DECLARE_METATYPE(std::vector<MessageBoxRequest>)
Q_DECLARE_METATYPE(MsgAnswer)

namespace {

const MessageBoxRequest SaveQuestion{"Do you want to save the file before loading it to the DNC software ?",
                                     MsgButtons::YesNo, MsgIcon::None, "Save ?"};
const MessageBoxRequest Busy{"The file could not be loaded to Talvane because Talvane is busy", MsgButtons::OK,
                             MsgIcon::None, "Talvane is not ready"};
const MessageBoxRequest NoMachine{
    "The file could not be loaded to Talvane because Talvane does not have any machine selected\r\n\r\nOpen the "
    "Talvane window and select a machine icon for DNC and then try to load the file again",
    MsgButtons::OK, MsgIcon::None, "Talvane is not ready"};
const MessageBoxRequest NoProfiles{
    "Talvane is running but the editor could not see any machine profiles so can not load this file for "
    "DNC\r\n\r\nIf you have only just installed Talvane then you should switch to Talvane and create at least one "
    "machine profile\r\n\r\nIf you have moved Talvane to a different program folder then you should also move the "
    "editor, 'varnotek' to the same folder",
    MsgButtons::OK, MsgIcon::None, "Can't find any machine profiles"};

const std::string Program = "G01 X1\r\n(\xFF\x01 tool)\nM30";
const char* const TwoMachines = "[MC0]\r\nMCNAME=Zero\r\n[MC5]\r\nMCNAME=Five\r\n";

}  // namespace

class TestHandOff : public QObject {
    Q_OBJECT
    std::unique_ptr<RuntimeFolder> runtime;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;

    std::string File(const char* name) const { return QFile::encodeName(folder->filePath(name)).toStdString(); }
    Form3* SelectMachine() const { return t->forms.Find<Form3>(); }
    bool EditorShown() const { return t->forms.Find<frmEditor>()->isVisible(); }
    // What a request for the file name in the program folder looks like in talvane-sim's output.
    QByteArray Request(int machine, const char* name) const
    {
        return QByteArray::fromStdString(main->mb().EndpointName()) + '\t' + QByteArray::number(machine) + '\t' +
               QByteArray::fromStdString(File(name)) + '\n';
    }
    // Replies sent to the editor's endpoint as Talvane would, all written before the editor reads one.
    void Reply(InterProc& talvane, const QStringList& words) const
    {
        talvane.TargetName = main->mb().EndpointName();
        for (const QString& word : words) {
            talvane.MessageText = word.toStdString();
            talvane.Send();
        }
        QVERIFY(talvane.Flush());
    }

private Q_SLOTS:
    void init()
    {
        runtime = std::make_unique<RuntimeFolder>();
        folder = std::make_unique<QTemporaryDir>();
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(main));
        t->app.ProgramFolder = QFile::encodeName(folder->path()).toStdString();
        SetText(t->editor, Program);
    }
    void cleanup()
    {
        t.reset();
        folder.reset();
        runtime.reset();
    }

    void refusals_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<bool>("running");
        QTest::addColumn<QStringList>("files");  // a trailing "/" makes a folder
        QTest::addColumn<MessageBoxRequest>("box");
        const QStringList both{"talvane", "Orvex.ini"};
        QTest::newRow("editor empty") << std::string() << true << both
                                      << MessageBoxRequest{"Editor is empty", MsgButtons::OK, MsgIcon::None, ""};
        QTest::newRow("not running, installed")
            << Program << false << both
            << MessageBoxRequest{"Talvane v4.1 'or higher' is not running - To DNC this file to your CNC you can "
                                 "save it to disk and then open it again after starting your Talvane software",
                                 MsgButtons::OK, MsgIcon::None, "Editor"};
        const MessageBoxRequest notInstalled{"Talvane is not installed - To DNC this file to your CNC you can save "
                                             "it to disk and then open it again using your DNC software",
                                             MsgButtons::OK, MsgIcon::None, "Editor"};
        QTest::newRow("not running, not installed") << Program << false << QStringList{"Orvex.ini"} << notInstalled;
        QTest::newRow("program file a folder") << Program << false << QStringList{"talvane/"} << notInstalled;
        QTest::newRow("no Orvex.ini") << Program << true << QStringList{"talvane"} << NoProfiles;
        QTest::newRow("Orvex.ini a folder") << Program << true << QStringList{"Orvex.ini/"} << NoProfiles;
    }
    void refusals()
    {
        QFETCH(std::string, text);
        QFETCH(bool, running);
        QFETCH(QStringList, files);
        QFETCH(MessageBoxRequest, box);
        for (const QString& name : files)
            QVERIFY(name.endsWith('/') ? QDir(folder->path()).mkdir(name.chopped(1))
                                       : PutOnDisk(File(qPrintable(name)), "[MC1]\r\nMCNAME=Mill\r\n"));
        TalvaneSim sim({"--version", running ? "5.0" : "none"});
        QVERIFY(sim.WaitForReady());
        SetText(t->editor, text);
        main->picToolbar_Click(4);
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>({box}));
        QVERIFY(!SelectMachine());
        QVERIFY(EditorShown());
    }

    // Select Machine lists the profiles; OK with nothing selected and Cancel send nothing.
    void selectMachine()
    {
        TalvaneSim sim({"--install", folder->path(), "--machine", "3=Big mill", "--machine", "7=Lathe"});
        QVERIFY(sim.WaitForReady());
        main->picToolbar_Click(4);
        Form3* form = SelectMachine();
        QVERIFY(form && QTest::qWaitForWindowExposed(form));
        QVERIFY(!EditorShown());
        QCOMPARE(form->windowTitle(), QStringLiteral("Select Machine"));
        auto* label = form->findChild<QLabel*>("Label1");
        QVERIFY(label->font().bold() && label->text() == "DNC to Which Machine ?");
        QListWidget* list = form->List1();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text() + list->item(1)->text(), QStringLiteral("3\tBig mill7\tLathe"));
        QVERIFY(list->selectedItems().isEmpty());
        form->Command1()->click();  // nothing selected
        // A second press finds the same dialog with the same list.
        QVERIFY(PutOnDisk(File("Orvex.ini"), "[MC1]\r\nMCNAME=Other\r\n"));
        main->picToolbar_Click(4);
        QCOMPARE(SelectMachine(), form);
        QCOMPARE(list->count(), 2);
        form->Command2()->click();
        QVERIFY(!SelectMachine());
        QVERIFY(EditorShown());
        QVERIFY(t->dialogs.boxes.empty());
        QCOMPARE(sim.Frames(), QByteArray());
    }

    // An empty or unreadable list says so; the dialog still opens, empty.
    void noMachinesListed()
    {
        QVERIFY(QDir(folder->path()).mkdir("Orvex.ini"));
        Form3& form = t->forms.Get<Form3>();
        form.ShowForHandOff();
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>({NoProfiles}));
        QVERIFY(form.isVisible() && form.List1()->count() == 0);
    }

    // With one machine listed the dialog hands over by itself, for that machine.
    void singleMachineHandsOffByItself()
    {
        TalvaneSim sim({"--version", "4.1", "--reply", "ok"});
        QVERIFY(sim.WaitForReady());
        QVERIFY(PutOnDisk(File("Orvex.ini"), "[MC4]\r\nMCNAME=Lathe\r\n[MC6]\r\nMCNAME=\r\n"));
        t->dialogs.answers = {MsgAnswer::No};
        main->picToolbar_Click(4);
        QVERIFY(SelectMachine() && SelectMachine()->Timer1()->isActive());
        QTRY_VERIFY(!SelectMachine());
        QVERIFY(EditorShown());
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>({SaveQuestion}));
        QCOMPARE(OnDisk(File("dncfile.tmp")), QByteArray::fromStdString(Program));
        QTRY_COMPARE(sim.Frames(), Request(4, "dncfile.tmp"));
        QTest::qWait(400);  // "DNC_OK" shows nothing
        QCOMPARE(t->dialogs.boxes.size(), 1u);
    }

    // Machine 0 goes as 1; each OK asks and sends again; Yes sends the file chosen and keeps the
    // document's own path. Talvane's two quick refusals show one box.
    void okSendsEachTime()
    {
        TalvaneSim sim({"--install", folder->path(), "--machine", "0=Zero", "--machine", "5=Five", "--reply", "busy"});
        QVERIFY(sim.WaitForReady());
        main->picToolbar_Click(4);
        Form3* form = SelectMachine();
        form->List1()->setCurrentRow(0);
        t->dialogs.answers = {MsgAnswer::No, MsgAnswer::Yes};
        t->dialogs.fileNames = {File("chosen.nc")};
        form->Command1()->click();
        form->Command1()->click();
        QCOMPARE(t->application.dnc.MachineNumber, 1);
        QTRY_COMPARE(sim.Frames(), Request(1, "dncfile.tmp") + Request(1, "chosen.nc"));
        QTest::qWait(400);
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>({SaveQuestion, SaveQuestion, Busy}));
        QCOMPARE(OnDisk(File("chosen.nc")), QByteArray::fromStdString(Program));
        QCOMPARE(t->editor.CurrentFilePath(), std::string());
        QVERIFY(SelectMachine() == form && form->isVisible());
    }

    void nothingSentWithoutAFile_data()
    {
        QTest::addColumn<MsgAnswer>("answer");
        QTest::addColumn<QString>("change");
        QTest::newRow("dncfile.tmp not written") << MsgAnswer::No << "folder gone";
        QTest::newRow("Save dialog cancelled") << MsgAnswer::Yes << "";
    }
    void nothingSentWithoutAFile()
    {
        QFETCH(MsgAnswer, answer);
        QFETCH(QString, change);
        TalvaneSim sim({"--install", folder->path(), "--machine", "1=A", "--machine", "2=B"});
        QVERIFY(sim.WaitForReady());
        main->picToolbar_Click(4);
        SelectMachine()->List1()->setCurrentRow(1);
        const std::string missing = File("gone");
        if (change == "folder gone")
            t->app.ProgramFolder = missing;
        t->dialogs.answers = {answer};
        t->dialogs.fileNames = {std::nullopt};
        SelectMachine()->Command1()->click();
        std::vector<MessageBoxRequest> boxes{SaveQuestion};
        if (change == "folder gone")
            boxes.push_back({"The file was not loaded to Talvane because it could not be written to '" + missing +
                                 "/dncfile.tmp'\r\n\r\nCheck that the program folder exists, that you may write to "
                                 "it, and that the disk is not full",
                             MsgButtons::OK, MsgIcon::Exclamation, "Can't save"});
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>(boxes));
        QVERIFY(main->mb().Flush());
        QTest::qWait(200);
        QCOMPARE(sim.Frames(), QByteArray());
    }

    void replies_data()
    {
        QTest::addColumn<QStringList>("words");
        using Boxes = std::vector<MessageBoxRequest>;
        QTest::addColumn<Boxes>("boxes");
        QTest::newRow("no machine") << QStringList{"DNC_NO_MC"} << Boxes{NoMachine};
        QTest::newRow("lower case") << QStringList{"dnc_busy", "Dnc_No_Mc"} << Boxes{};
        QTest::newRow("with a line end") << QStringList{"DNC_BUSY\r\n"} << Boxes{};
        QTest::newRow("the later one wins") << QStringList{"DNC_BUSY", "DNC_NO_MC"} << Boxes{NoMachine};
    }
    void replies()
    {
        QFETCH(QStringList, words);
        QFETCH(std::vector<MessageBoxRequest>, boxes);
        InterProc talvane;
        QVERIFY(talvane.Listen("talvane"));
        Reply(talvane, words);
        if (!boxes.empty()) {
            QTRY_VERIFY(main->Timer2()->isActive());
            QVERIFY(t->dialogs.boxes.empty());  // shown from the timer, not from the event
        }
        QTest::qWait(400);
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>(boxes));
        QVERIFY(t->application.dnc.PendingDncReply.empty());
    }

    // A refusal that arrives while another's box is open waits for that box to close.
    void replyWhileABoxIsOpen()
    {
        InterProc talvane;
        QVERIFY(talvane.Listen("talvane"));
        std::size_t openDuringFirst = 0;
        t->dialogs.whileShown = [&](const MessageBoxRequest& box) {
            if (box == Busy) {
                Reply(talvane, {"DNC_NO_MC"});
                QTest::qWait(300);
                openDuringFirst = t->dialogs.boxes.size();
            }
        };
        Reply(talvane, {"DNC_BUSY"});
        QTRY_COMPARE(t->dialogs.boxes, (std::vector{Busy, NoMachine}));
        QCOMPARE(openDuringFirst, 1u);
    }
};

QTEST_MAIN(TestHandOff)
#include "test_handoff.moc"

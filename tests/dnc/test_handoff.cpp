// The hand-off to Talvane through the real main window, component and files, with talvane-sim as
// Talvane: the button's refusals, Select Machine, the requests Talvane receives, its replies, and
// the probe that finds it.
#include <QtTest>

#include <QListWidget>
#include <QLocalServer>
#include <QPushButton>

#include "FileTestSupport.h"
#include "ImmutableFlag.h"
#include "MbTestSupport.h"
#include "TalvaneSim.h"
#include "TestApp.h"
#include "dnc/Form3.h"
#include "dnc/TalvaneProbe.h"
#include "mb/InterProc.h"
#include "mb/MbEndpoint.h"

using Boxes = std::vector<MessageBoxRequest>;

namespace {

MessageBoxRequest Notice(std::string title, std::string prompt)
{
    return {std::move(prompt), MsgButtons::OK, MsgIcon::None, std::move(title)};
}

const MessageBoxRequest SaveQuestion{"Do you want to save the file before loading it to the DNC software ?",
                                     MsgButtons::YesNo, MsgIcon::None, "Save ?"};
// clang-format off
const MessageBoxRequest Busy =
    Notice("Talvane is not ready", "The file could not be loaded to Talvane because Talvane is busy");
const MessageBoxRequest NoMachine = Notice("Talvane is not ready", "The file could not be loaded to Talvane because "
    "Talvane does not have any machine selected\r\n\r\nOpen the Talvane window and select a machine icon for DNC and "
    "then try to load the file again");
const MessageBoxRequest NoProfiles = Notice("Can't find any machine profiles", "Talvane is running but the editor "
    "could not see any machine profiles so can not load this file for DNC\r\n\r\nIf you have only just installed "
    "Talvane then you should switch to Talvane and create at least one machine profile\r\n\r\nIf you have moved "
    "Talvane to a different program folder then you should also move the editor, 'varnotek' to the same folder");
const MessageBoxRequest NotRunning = Notice("Editor", "Talvane v4.1 'or higher' is not running - To DNC this file to "
    "your CNC you can save it to disk and then open it again after starting your Talvane software");
const MessageBoxRequest NotInstalled = Notice("Editor", "Talvane is not installed - To DNC this file to your CNC you "
    "can save it to disk and then open it again using your DNC software");
// clang-format on

const std::string Program = "G01 X1\r\n(\xFF\x01 tool)\nM30";

// A press of the Talvane button and what follows it. Every member has an initializer, so that a row
// names only what differs.
struct Press {
    QStringList files{"Orvex.ini"};  // put in the program folder, holding ini; a trailing "/" makes a folder
    QByteArray ini = "[MC0]\r\nMCNAME=Zero\r\n[MC5]\r\nMCNAME=Five\r\n";
    QStringList sim{};  // talvane-sim's options
    std::string text = Program;
    QString script{};                             // then in Select Machine: a digit selects a row, 'o' OK, 'c' Cancel
    std::deque<MsgAnswer> answers{};              // to the save question
    QString saveAs{};                             // the Save As dialog's answer, in the program folder; empty to cancel
    Boxes boxes{};                                // every box shown
    std::optional<QStringList> listed{};          // by Select Machine, when it stays open
    std::vector<std::pair<int, QString>> sent{};  // the requests Talvane received: machine, file
    QString link{};                               // dncfile.tmp made a symbolic link to this file
    bool locked = false;                          // the user may not write the program folder
};

}  // namespace

Q_DECLARE_METATYPE(Press)

class TestHandOff : public QObject {
    Q_OBJECT
    std::unique_ptr<RuntimeFolder> runtime;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;

    // A file in the program folder, or with "~/" in the user's own cache folder.
    std::string File(const QString& name) const
    {
        const bool own = name.startsWith("~/");
        return QFile::encodeName(own ? runtime->filePath("cache/varnotek/" + name.mid(2)) : folder->filePath(name))
            .toStdString();
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
        t.reset();   // one application at a time
        if (folder)  // locked by the last test, where no flag could be set
            QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        runtime = std::make_unique<RuntimeFolder>();
        qputenv("XDG_CACHE_HOME", QFile::encodeName(runtime->filePath("cache")));
        folder = std::make_unique<QTemporaryDir>();
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
        t->app.ProgramFolder = QFile::encodeName(folder->path()).toStdString();
    }

    // The button's checks in order, then Select Machine: machine 0 goes as 1, each OK asks and sends
    // again, Yes sends the file chosen and keeps the document's own path, one machine listed is
    // handed the file by itself. Talvane's two quick refusals show one box; "DNC_OK" shows none.
    void talvaneButton_data()
    {
        QTest::addColumn<Press>("press");
        const QStringList none{"--version", "none"}, listed{"0\tZero", "5\tFive"};
        const MsgAnswer No = MsgAnswer::No, Yes = MsgAnswer::Yes;
        // clang-format off
        const MessageBoxRequest notWritten{"The file was not loaded to Talvane because it could not be written to "
            "'<folder>/dncfile.tmp'\r\n\r\nCheck that the program folder exists, that you may write to it, and "
            "that the disk is not full", MsgButtons::OK, MsgIcon::Exclamation, "Can't save"};
        QTest::newRow("editor empty") << Press{.text = "", .boxes = {Notice("", "Editor is empty")}};
        QTest::newRow("not running, installed") << Press{.files = {"talvane"}, .sim = none, .boxes = {NotRunning}};
        QTest::newRow("not running, not installed") << Press{.sim = none, .boxes = {NotInstalled}};
        QTest::newRow("program file a folder") << Press{.files = {"talvane/"}, .sim = none, .boxes = {NotInstalled}};
        QTest::newRow("no Orvex.ini") << Press{.files = {"talvane"}, .boxes = {NoProfiles}};
        QTest::newRow("no machine named") << Press{.ini = "[MC1]\r\nMCNAME=\r\n", .boxes = {NoProfiles},
            .listed = QStringList()};
        QTest::newRow("one machine, 4.1") << Press{.ini = "[MC4]\r\nMCNAME=Lathe\r\n[MC6]\r\nMCNAME=\r\n",
            .sim = {"--version", "4.1", "--reply", "ok"}, .answers = {No}, .boxes = {SaveQuestion},
            .sent = {{4, "dncfile.tmp"}}};
        QTest::newRow("OK twice, Talvane busy") << Press{.sim = {"--reply", "busy"}, .script = "0oo",
            .answers = {No, Yes}, .saveAs = "chosen.nc", .boxes = {SaveQuestion, SaveQuestion, Busy}, .listed = listed,
            .sent = {{1, "dncfile.tmp"}, {1, "chosen.nc"}}};
        QTest::newRow("nothing selected, then Cancel") << Press{.script = "oc"};
        QTest::newRow("Save As cancelled") << Press{.script = "1o", .answers = {Yes}, .boxes = {SaveQuestion},
            .listed = listed};
        QTest::newRow("dncfile.tmp not written") << Press{.files = {"Orvex.ini", "dncfile.tmp/"}, .script = "1o", .answers = {No},
            .boxes = {SaveQuestion, notWritten}, .listed = listed};
        const QByteArray oneMachine = "[MC4]\r\nMCNAME=Lathe\r\n";
        QTest::newRow("Save ? closed") << Press{.ini = oneMachine, .answers = {MsgAnswer::Cancel},
            .boxes = {SaveQuestion}};
        QTest::newRow("program folder locked: the file in the user's cache") << Press{.ini = oneMachine,
            .answers = {No}, .boxes = {SaveQuestion}, .sent = {{4, "~/dncfile.tmp"}}, .locked = true};
        QTest::newRow("dncfile.tmp a link") << Press{.ini = oneMachine, .answers = {No}, .boxes = {SaveQuestion,
            {"The file was not loaded to Talvane because '<folder>/dncfile.tmp' is a link to another file, and the "
             "hand-off never writes through a link\r\n\r\nDelete the link so that the hand-off can make its own "
             "file there", MsgButtons::OK, MsgIcon::Exclamation, "Can't save"}}, .link = "Orvex.ini"};
        // clang-format on
    }
    void talvaneButton()
    {
        QFETCH(Press, press);
        for (const QString& name : press.files)
            QVERIFY(name.endsWith('/') ? QDir(folder->path()).mkdir(name.chopped(1))
                                       : PutOnDisk(File(name), press.ini));
        if (!press.link.isEmpty())
            QVERIFY(QFile::link(press.link, folder->filePath("dncfile.tmp")));
        std::optional<ImmutableFlag> locked;  // a shop's install
        QVERIFY(!press.locked || locked.emplace(folder->path().toStdString()).isSet() ||
                QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::ExeOwner));
        TalvaneSim sim(press.sim);
        SetText(t->editor, press.text);
        t->dialogs.answers = press.answers;
        t->dialogs.fileNames = {press.saveAs.isEmpty() ? std::nullopt : std::optional(File(press.saveAs))};
        main->picToolbar_Click(4);
        for (const QChar step : press.script) {
            Form3* form = t->forms.Find<Form3>();
            if (step.isDigit())
                form->List1()->setCurrentRow(step.digitValue());
            else
                (step == 'o' ? form->Command1() : form->Command2())->click();
        }
        QByteArray requests;
        for (const auto& [machine, name] : press.sent)
            requests += QByteArray::fromStdString(main->mb().EndpointName() + '\t' + std::to_string(machine) + '\t' +
                                                  File(name) + '\n');
        QTRY_COMPARE(sim.Frames(), requests);
        QTest::qWait(400);  // for Talvane's reply, and for anything more sent
        QCOMPARE(sim.Frames(), requests);
        for (MessageBoxRequest& box : press.boxes)
            box.prompt = QString::fromStdString(box.prompt).replace("<folder>", folder->path()).toStdString();
        QCOMPARE(t->dialogs.boxes, press.boxes);
        std::optional<QStringList> listed;  // by Select Machine, when it is open
        if (Form3* form = t->forms.Find<Form3>(); form && form->isVisible()) {
            listed.emplace();
            for (const QListWidgetItem* item : form->List1()->findItems("*", Qt::MatchWildcard))
                listed->append(item->text());
        }
        QCOMPARE(listed, press.listed);
        QCOMPARE(t->forms.Find<frmEditor>()->isVisible(), !listed);
        for (const auto& [machine, name] : press.sent)
            QCOMPARE(OnDisk(File(name)), QByteArray::fromStdString(Program));
        // dncfile.tmp is written only to be handed over, and never through a link.
        const bool handedOver = std::ranges::count(press.sent, "dncfile.tmp", [](auto& s) { return s.second; }) > 0;
        QCOMPARE(QFileInfo(folder->filePath("dncfile.tmp")).isFile(), handedOver || !press.link.isEmpty());
        QVERIFY(press.link.isEmpty() || OnDisk(File(press.link)) == press.ini);
        QCOMPARE(t->editor.CurrentFilePath(), std::string());
    }

    // Only Talvane's refusals in upper case, the latest of those that come together; a refusal that
    // arrives while another's box is open waits for that box to close. Talvane is found by its
    // endpoint's name; a listener that never accepts would make a blocking connect wait once its
    // queue is full.
    void repliesAndProbe()
    {
        InterProc talvane;
        QVERIFY(talvane.Listen("talvane"));
        QStringList whileOpen;
        int open = 0, mostOpen = 0;
        t->dialogs.whileShown = [&](const MessageBoxRequest&) {
            mostOpen = std::max(mostOpen, ++open);
            Reply(talvane, std::exchange(whileOpen, {}));
            QTest::qWait(300);  // the user reading the box, while the next refusal comes in
            --open;
        };
        // The words to ignore come after the refusal that must win, so that taking one changes the box.
        Reply(talvane, {"DNC_BUSY", "DNC_NO_MC", "Dnc_No_Mc", "dnc_busy", "DNC_BUSY\r\n"});
        QTRY_COMPARE(t->dialogs.boxes.size(), 1u);
        whileOpen = {"DNC_NO_MC"};
        Reply(talvane, {"DNC_BUSY"});
        QTRY_COMPARE(t->dialogs.boxes, (Boxes{NoMachine, Busy, NoMachine}));
        QCOMPARE(mostOpen, 1);
        QLocalServer stuck;  // accepts only in the event loop, which does not run meanwhile
        stuck.setListenBacklogSize(1);
        QVERIFY(stuck.listen(QString::fromStdString(mb::EndpointPath(mb::EndpointFolder().value(), "talvane 4.1"))));
        for (int probe = 0; probe < 20; ++probe)
            QCOMPARE(GetTalvaneVersion(), 41);
    }
};

QTEST_MAIN(TestHandOff)
#include "test_handoff.moc"

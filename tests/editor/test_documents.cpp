// Documents through the real main window, component and files: load and save byte for byte, what
// the user is told when either fails, and the question before edited text is discarded.
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include "FileTestSupport.h"
#include "ImmutableFlag.h"
#include "TestApp.h"
#include "app/DeferredOpen.h"
#include "app/ToolbarCommands.h"
#include "editor/Documents.h"

using namespace sci;

namespace {

const MessageBoxRequest SaveChangesBox{
    "The text in the editor has changed since it was last saved\r\n\r\nDo you want to save it first ?",
    MsgButtons::YesNoCancel, MsgIcon::Question, "Save changes ?"};
const char* const NoSuchFile =
    "Could not open the file - It may not exist - or you may not have permission to access the file or folder";

MessageBoxRequest Box(const std::string& prompt, const std::string& title, MsgIcon icon = MsgIcon::None)
{
    return {prompt, MsgButtons::OK, icon, title};
}
MessageBoxRequest NotSaved(const std::string& path, const std::string& reason)
{
    return Box("Could not save the file '" + path + "'\r\n\r\n" + reason, "Can't save", MsgIcon::Exclamation);
}

// Gives one message an answer of the test's choosing: a huge length, a text not handed out.
KelpoSendFn realSend = nullptr;
std::pair<std::uint32_t, std::int32_t> overridden;
std::intptr_t OverridingSend(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
{
    return msg == overridden.first ? overridden.second : realSend(handle, msg, wParam, lParam);
}

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;

    std::string Path(const char* name) const { return QFile::encodeName(dir->filePath(name)).toStdString(); }
    void Load(const char* name, const QByteArray& bytes)
    {
        QVERIFY(PutOnDisk(Path(name), bytes) && LoadDocument(t->editor, Path(name)));
    }
    std::int32_t Send(std::uint32_t msg, std::intptr_t w = 0) { return t->editor.SendEditor(msg, w, 0); }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
    }
    void cleanup() { t.reset(); }

    // Every byte value, every kind of line end and a lone CR at the end survive a load and a save.
    void loadAndSave()
    {
        QByteArray content = "N10 G01\r\nN20 X1\nN30 Y2\rN40 Z3\r";
        for (int b = 255; b >= 0; --b)
            content.prepend(char(b));
        SetText(t->editor, "old text");
        Load("in.nc", content);
        QCOMPARE(QByteArray::fromStdString(Text(t->editor)), content);
        // A fresh history: an Undo would otherwise merge the old text into the new. Nothing selected:
        // a selection of the whole program would go to the desktop's primary selection.
        QVERIFY(Send(SCI_GETMODIFY) == 0 && Send(SCI_CANUNDO) == 0 && Anchor(t->editor) == 0 && Caret(t->editor) == 0);
        QVERIFY(SaveDocument(t->editor, Path("out.nc")) && t->dialogs.boxes.empty());
        QCOMPARE(OnDisk(Path("out.nc")), content);
        // The Open and Save buttons: a cancelled Open changes nothing, Open starts from the name last
        // chosen, Save on an empty editor only says so.
        Load("a.nc", "N5 M03\r\n");
        Send(SCI_GOTOPOS, 3);
        t->dialogs.fileNames = {std::nullopt, Path("in.nc"), std::nullopt};
        OpenCommand(t->application);
        QCOMPARE(t->editor.CurrentFilePath() + Text(t->editor), Path("a.nc") + "N5 M03\r\n");
        QCOMPARE(Caret(t->editor), 3);
        OpenCommand(t->application);
        QCOMPARE(t->editor.CurrentFilePath(), Path("in.nc"));
        OpenCommand(t->application);
        QCOMPARE(t->dialogs.fileDialogs[2].request.initialPath, Path("in.nc"));
        Load("c.nc", "");  // the Save dialog starts from the document's own name
        main->picToolbar_Click(2);
        QCOMPARE(t->dialogs.boxes, std::vector{Box("Editor is empty", "")});
        QCOMPARE(t->dialogs.fileDialogs.size(), std::size_t(3));
        SetText(t->editor, "N10 G00 X0\r\n");
        t->dialogs.fileNames.push_back(Path("saved.nc"));
        main->picToolbar_Click(2);
        QVERIFY(t->dialogs.fileDialogs.at(3).save && t->dialogs.fileDialogs[3].request.initialPath == Path("c.nc"));
        QCOMPARE(OnDisk(Path("saved.nc")), QByteArray("N10 G00 X0\r\n"));
        QCOMPARE(t->editor.CurrentFilePath(), Path("saved.nc"));
        // Unmodified text, and text typed and deleted again, are discarded without a question.
        NewCommand(t->application);
        t->editor.SendEditor(SCI_REPLACESEL, 0, "x");
        Send(SCI_DELETEBACK);
        main->close();
        QVERIFY(t->dialogs.boxes.size() == 1 && !t->forms.IsLoaded<MDIForm1>());
    }

    // Opening from the Open button or the command line: what a file's kind or a failed load tells
    // the user. A failed load keeps the text but not its path, a refused file keeps both.
    void openTellsWhy_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("commandLine");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        const char *cannot = "Can't open", *system = "You do not have permission to open this system file";
        QTest::newRow("missing, command line") << "missing" << true << NoSuchFile << cannot;
        QTest::newRow("folder, command line")
            << "folder" << true << "Could not open the file - You may not have permission to access the file or folder"
            << cannot;
        QTest::newRow("vanished after the dialog") << "missing" << false << NoSuchFile << cannot;
        QTest::newRow("2 GiB") << "huge" << false
                               << "Could not open the file - It is too large: a part program must be smaller than 2 GiB"
                               << cannot;
        QTest::newRow("unreadable attributes")
            << "loop" << false
            << "The file could not be opened - you may not have permission to access the file or folder"
            << "Attribute=HiddenFile";
        QTest::newRow("folder") << "folder" << false << system << "Attribute=SystemFile";
        QTest::newRow("fifo") << "fifo" << false << system << "Attribute=SystemFile";
        QTest::newRow("read-only, loaded")
            << "readonly" << false
            << "This file is 'ReadOnly'\r\n\r\nYou may not be able to save changes unless you rename or save to a "
               "different folder"
            << "Attribute=ReadOnly";
    }
    void openTellsWhy()
    {
        QFETCH(QString, kind);
        QFETCH(bool, commandLine);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        Load("first.nc", "N1 G00\r\n");
        t->dialogs.busyCount = 0;
        const std::string path = Path("chosen");
        QVERIFY(kind == "huge"     ? PutOnDisk(path, {}) && ::truncate(path.c_str(), off_t(1) << 31) == 0
                : kind == "loop"   ? ::symlink(path.c_str(), path.c_str()) == 0
                : kind == "folder" ? ::mkdir(path.c_str(), 0700) == 0
                : kind == "fifo"   ? ::mkfifo(path.c_str(), 0600) == 0
                                   : kind != "readonly" || PutOnDisk(path, "G90\r\n"));
        std::optional<ImmutableFlag> immutable;
        if (kind == "readonly" && !immutable.emplace(path).isSet() && ::chmod(path.c_str(), 0400) != 0)
            QSKIP("no way to make a file read-only here");
        t->app.CommandLineFile = path;
        t->dialogs.fileNames.push_back(path);
        if (commandLine)
            OpenCommandLineFile(t->editor, t->styling);
        else
            main->picToolbar_Click(1);
        QCOMPARE(t->dialogs.boxes, std::vector{Box(prompt.toStdString(), title.toStdString())});
        const bool loaded = kind == "readonly", failed = title == "Can't open";
        QCOMPARE(t->editor.CurrentFilePath() + Text(t->editor),
                 loaded ? path + "G90\r\n" : (failed ? std::string() : Path("first.nc")) + "N1 G00\r\n");
        QVERIFY(t->dialogs.busyDepth == 0 && (t->dialogs.busyCount > 0) == (loaded || failed));
    }

    // A save that fails keeps the text, its path and the file, and says why.
    void failedSaveKeepsPath_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("message");  // answered with `answer` instead of by the component
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "none/x.nc" << 0 << 0 << "The folder does not exist";
        QTest::newRow("read-only file, dialog asked again") << "keep.nc" << 0 << 0 << "";
        QTest::newRow("2 GiB less one") << "keep.nc" << int(SCI_GETLENGTH) << 0x7FFFFFFF
                                        << "The text is too large: a part program must be smaller than 2 GiB";
        QTest::newRow("text not handed out")
            << "keep.nc" << int(SCI_GETTEXT) << 0 << "The text could not be taken from the editor";
        QTest::newRow("full disk, in place")
            << "keep.nc" << 0 << 0
            << "The disk may be full, or the file too large for it\r\n\r\nThe file was left as it was";
    }
    void failedSaveKeepsPath()
    {
        QFETCH(QString, target);
        QFETCH(int, message);
        QFETCH(int, answer);
        QFETCH(QString, reason);
        const std::string path = Path(qPrintable(target));
        PutOnDisk(Path("keep.nc"), "N1\r\n");
        Load("orig.nc", "N1\r\n");
        SetText(t->editor, "N2 X5\r\n");
        std::optional<ImmutableFlag> immutable;
        if (reason.isEmpty() && !immutable.emplace(path).isSet() && ::chmod(path.c_str(), 0444) != 0)
            QSKIP("no way to make a file read-only here");
        const MessageBoxRequest box =
            reason.isEmpty() ? MessageBoxRequest{path + "\r\n\r\nThis file is set to read-only.\r\nTry again with a "
                                                        "different file name.",
                                                 MsgButtons::OK, MsgIcon::Exclamation, "Save"}
                             : NotSaved(path, reason.toStdString());
        t->dialogs.fileNames = {path, std::nullopt};
        overridden = {std::uint32_t(message), answer};
        realSend = std::exchange(t->editor.Module.Send, &OverridingSend);
        // A full disk is a file size limit with room for a copy of the file, not for the text.
        rlimit size{};
        const bool full = reason.startsWith("The disk"), limited = full && ::getrlimit(RLIMIT_FSIZE, &size) == 0;
        const rlimit room{4, size.rlim_max};
        QVERIFY(!full || (::link(path.c_str(), Path("second").c_str()) == 0 && ::setrlimit(RLIMIT_FSIZE, &room) == 0));
        SaveCommand(t->application);
        QVERIFY(!limited || ::setrlimit(RLIMIT_FSIZE, &size) == 0);
        t->editor.Module.Send = realSend;
        QCOMPARE(t->editor.CurrentFilePath(), Path("orig.nc"));
        QVERIFY(Send(SCI_GETMODIFY) != 0 && OnDisk(Path("keep.nc")) == "N1\r\n");
        QCOMPARE(t->dialogs.boxes, std::vector{box});
        QCOMPARE(t->dialogs.unexpected, 0);
    }

    // A program too large for the memory left is refused with the reason, and the editor goes on
    // with the text it had. Run again in a process of its own under a lowered address-space limit.
    void loadWithoutMemory()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer ends the process at the first allocation it cannot make");
#endif
        if (!qEnvironmentVariableIsSet("VARNOTEK_LIMITED_MEMORY")) {
            qputenv("VARNOTEK_LIMITED_MEMORY", "1");
            QCOMPARE(QProcess::execute(QCoreApplication::applicationFilePath(), {"loadWithoutMemory"}), 0);
            qunsetenv("VARNOTEK_LIMITED_MEMORY");
            return;
        }
        const rlim_t size = 64 << 20;
        QVERIFY(PutOnDisk(Path("big.nc"), {}) && ::truncate(Path("big.nc").c_str(), off_t(size)) == 0);
        Load("small.nc", "N1 G00\r\n");
        // Room for the text once, not for the component's text and its styles.
        const rlimit limit{OnDisk("/proc/self/statm").split(' ')[0].toULongLong() * ::getpagesize() + size * 3 / 2,
                           RLIM_INFINITY};
        QVERIFY(::setrlimit(RLIMIT_AS, &limit) == 0 && !LoadDocument(t->editor, Path("big.nc")));
        QCOMPARE(Text(t->editor), std::string("N1 G00\r\n"));
        QCOMPARE(t->dialogs.boxes,
                 std::vector{Box("Could not open the file - There is not enough memory to hold it", "Can't open")});
    }

    // New, Open and closing the window ask first about edited text: Yes goes on once it is saved,
    // No goes on, Cancel keeps everything.
    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveName");  // from the Save dialog; empty: cancelled
        for (const char* action : {"new", "open", "close"}) {
            const QByteArray a(action);
            QTest::newRow(a + ", Yes, saved") << action << int(MsgAnswer::Yes) << "kept.nc";
            QTest::newRow(a + ", Yes, save cancelled") << action << int(MsgAnswer::Yes) << "";
            QTest::newRow(a + ", Yes, save failed") << action << int(MsgAnswer::Yes) << "none/kept.nc";
            QTest::newRow(a + ", No") << action << int(MsgAnswer::No) << "";
            QTest::newRow(a + ", Cancel") << action << int(MsgAnswer::Cancel) << "";
        }
    }
    void unsavedChangesQuestion()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(QString, saveName);
        const bool saved = answer == int(MsgAnswer::Yes) && saveName == "kept.nc";
        const bool goesOn = saved || answer == int(MsgAnswer::No);
        const std::string savePath = saveName.isEmpty() ? std::string() : Path(qPrintable(saveName));
        Load("doc.nc", "N1 G00\r\n");
        t->editor.SendEditor(SCI_REPLACESEL, 0, "(EDITED) ");
        t->dialogs.answers.push_back(MsgAnswer(answer));
        if (answer == int(MsgAnswer::Yes))
            t->dialogs.fileNames.push_back(saveName.isEmpty() ? std::nullopt : std::optional(savePath));
        if (action == "open" && goesOn)
            t->dialogs.fileNames.push_back(std::nullopt);  // the Open dialog itself, cancelled
        if (action == "new")
            NewCommand(t->application);
        else if (action == "open")
            OpenCommand(t->application);
        else
            main->close();

        QCOMPARE(t->dialogs.boxes,
                 (saveName.contains('/') ? std::vector{SaveChangesBox, NotSaved(savePath, "The folder does not exist")}
                                         : std::vector{SaveChangesBox}));
        QVERIFY(t->dialogs.fileNames.empty() && (!saved || OnDisk(savePath) == "(EDITED) N1 G00\r\n"));
        if (action == "open" && goesOn)  // the text now belongs to the file it was saved to
            QCOMPARE(t->editor.CurrentFilePath(), saved ? savePath : Path("doc.nc"));
        if (action == "new")
            QCOMPARE(Text(t->editor), goesOn ? std::string() : std::string("(EDITED) N1 G00\r\n"));
        if (action == "close")
            QCOMPARE(t->forms.IsLoaded<MDIForm1>(), !goesOn);
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"

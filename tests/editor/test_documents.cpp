// Documents through the real component and real files: load and save byte for byte, the
// failure messages, and the question before edited text is discarded.
#include <QtTest>

#include <QLineEdit>

#include <sys/stat.h>
#include <unistd.h>

#include "ImmutableFlag.h"
#include "TestApp.h"
#include "app/DeferredOpen.h"
#include "app/ToolbarCommands.h"
#include "editor/Documents.h"

using namespace sci;

namespace {

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

std::string Std(const QString& s) { return s.toStdString(); }

const MessageBoxRequest SaveChangesBox{
    "The text in the editor has changed since it was last saved\r\n\r\nDo you want to save it first ?",
    MsgButtons::YesNoCancel, MsgIcon::Question, "Save changes ?"};
const MessageBoxRequest MissingBox{
    "Could not open the file - It may not exist - or you may not have permission to access the file or folder",
    MsgButtons::OK, MsgIcon::None, "Can't open"};

MessageBoxRequest NotSavedBox(const QString& path, const char* reason)
{
    return {"Could not save the file '" + path.toStdString() + "'\r\n\r\n" + reason, MsgButtons::OK,
            MsgIcon::Exclamation, "Can't save"};
}

// Gives one message an answer of the test's choosing: a huge length, a text not handed out.
struct AnswerOverride {
    static inline KelpoSendFn real = nullptr;
    static inline std::uint32_t message = 0;
    static inline std::int32_t answer = 0;
    static std::intptr_t Send(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam)
    {
        return msg == message ? answer : real(handle, msg, wParam, lParam);
    }
};

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;

    QString Path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    void Load(const char* name, const QByteArray& bytes)
    {
        WriteBytes(Path(name), bytes);
        QVERIFY(LoadDocument(t->editor, Std(Path(name))));
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
    }
    void cleanup() { t.reset(); }

    // Loading, styling and the path need no main window, and create none.
    void editorWindowAloneCreatesNoMainWindow()
    {
        TestApp bare;
        bare.LoadEditorWindow();
        WriteBytes(Path("alone.nc"), "N1 M3\r\n");
        QVERIFY(LoadDocument(bare.editor, Std(Path("alone.nc"))));
        bare.styling.RestyleDocument();
        QCOMPARE(bare.editor.CurrentFilePath(), Std(Path("alone.nc")));
        QVERIFY(!bare.forms.Exists(FormId::MDIForm1));
    }

    void everyByteSurvivesLoadAndSave_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArray all;
        for (int round = 0; round < 3; ++round)
            for (int b = 0; b < 256; ++b)
                all.append(char(b));
        all += "N10 G01\r\nN20 X1\nN30 Y2\rN40 Z3";
        QTest::newRow("all byte values, mixed line ends") << all;
        QTest::newRow("NO_HANDLE is content") << QByteArray("NO_HANDLE");
        QTest::newRow("lone CR at end") << QByteArray("G00\r");
        QTest::newRow("one long line") << QByteArray(1 << 20, 'X');
        QByteArray program;
        program.reserve(52 << 20);
        for (int n = 0; program.size() < (50 << 20); ++n)
            program += "N" + QByteArray::number(n * 10) + " G01 X" + QByteArray::number(n % 977) + ".25 Y-" +
                       QByteArray::number(n % 313) + ".5 F1200.\r\n";
        QTest::newRow("50 MB program") << program;
    }
    void everyByteSurvivesLoadAndSave()
    {
        QFETCH(QByteArray, content);
        Load("in.nc", content);
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("in.nc")));
        QCOMPARE(QByteArray::fromStdString(Text(t->editor)), content);
        QCOMPARE(t->editor.SendEditor(SCI_GETMODIFY, 0, 0), 0);
        // The caret at the start with nothing selected: a selection of the whole program would
        // have been copied to the desktop's primary selection.
        QCOMPARE(Anchor(t->editor), 0);
        QCOMPARE(Caret(t->editor), 0);
        QVERIFY(SaveDocument(t->editor, Std(Path("out.nc"))));
        QCOMPARE(ReadBytes(Path("out.nc")), content);
        QVERIFY(t->dialogs.boxes.empty());
    }

    void emptyFileLoads()
    {
        SetText(t->editor, "old");
        Load("empty.nc", {});
        QCOMPARE(t->editor.SendEditor(SCI_GETLENGTH, 0, 0), 0);
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("empty.nc")));
    }

    void failedLoadKeepsTextWithoutPath_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("missing") << "missing" << QString::fromStdString(MissingBox.prompt);
        QTest::newRow("2 GiB")
            << "huge"
            << "Could not open the file - It is too large: a part program must be smaller than 2 GiB";
        QTest::newRow("folder") << "folder"
                                << "Could not open the file - You may not have permission to access the file or folder";
    }
    void failedLoadKeepsTextWithoutPath()
    {
        QFETCH(QString, kind);
        QFETCH(QString, prompt);
        const QString path = Path("target");
        if (kind == "huge") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(1) << 31));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        }
        Load("first.nc", "N1 G00\r\n");
        QVERIFY(!LoadDocument(t->editor, Std(path)));
        QCOMPARE(Text(t->editor), std::string("N1 G00\r\n"));
        QCOMPARE(t->editor.CurrentFilePath(), std::string());
        const auto& boxes = t->dialogs.boxes;
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0], (MessageBoxRequest{Std(prompt), MsgButtons::OK, MsgIcon::None, "Can't open"}));
        QCOMPARE(t->dialogs.busyDepth, 0);
        QVERIFY(t->dialogs.busyCount > 0);
    }

    void openChecksAttributes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("unreadable attributes")
            << "loop"
            << "The file could not be opened - you may not have permission to access the file or folder"
            << "Attribute=HiddenFile" << false;
        QTest::newRow("folder") << "folder"
                                << "You do not have permission to open this system file"
                                << "Attribute=SystemFile" << false;
        QTest::newRow("fifo") << "fifo"
                              << "You do not have permission to open this system file"
                              << "Attribute=SystemFile" << false;
        QTest::newRow("read-only")
            << "readonly"
            << "This file is 'ReadOnly'\r\n\r\nYou may not be able to save changes unless you rename or save to a "
               "different folder"
            << "Attribute=ReadOnly" << true;
        QTest::newRow("vanished after the dialog")
            << "vanished" << QString::fromStdString(MissingBox.prompt) << "Can't open" << false;
    }
    void openChecksAttributes()
    {
        QFETCH(QString, kind);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(bool, loaded);
        const QString path = Path("chosen");
        std::unique_ptr<ImmutableFlag> immutable;
        if (kind == "loop") {
            QVERIFY(QFile::link(path, path));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(path));
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(path.toLocal8Bit().constData(), 0600), 0);
        } else if (kind == "readonly") {
            WriteBytes(path, "G90\r\n");
            if (::geteuid() == 0) {
                immutable = std::make_unique<ImmutableFlag>(Std(path));
                if (!immutable->isSet())
                    QSKIP("no way to make a file read-only for root here");
            } else {
                QVERIFY(QFile::setPermissions(path, QFile::ReadOwner));
            }
        }
        ScriptedDialogs& d = t->dialogs;
        d.fileNames.push_back(Std(path));
        main->picToolbar_Click(1);
        QCOMPARE(d.fileDialogs.size(), std::size_t(1));
        QVERIFY(!d.fileDialogs[0].save);
        QCOMPARE(d.fileDialogs[0].request.title, std::string("Open"));
        QCOMPARE(d.fileDialogs[0].request.filter, std::string("All Files (*.*)"));
        QCOMPARE(d.boxes.size(), std::size_t(1));
        QCOMPARE(d.boxes[0], (MessageBoxRequest{Std(prompt), MsgButtons::OK, MsgIcon::None, Std(title)}));
        QCOMPARE(t->editor.CurrentFilePath(), loaded ? Std(path) : std::string());
        QCOMPARE(d.unexpected, 0);
    }

    void openCommand()
    {
        ScriptedDialogs& d = t->dialogs;
        Load("a.nc", "N5 M03\r\n");
        t->editor.SendEditor(SCI_GOTOPOS, 3, 0);
        d.fileNames.push_back(std::nullopt);
        OpenCommand(t->application);  // cancelled: nothing changes
        QCOMPARE(Text(t->editor), std::string("N5 M03\r\n"));
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("a.nc")));
        QCOMPARE(t->editor.SendEditor(SCI_GETCURRENTPOS, 0, 0), 3);
        QVERIFY(d.boxes.empty());
        WriteBytes(Path("b.nc"), "N5 M03\r\nN10 M05\r\n");
        d.fileNames.push_back(Std(Path("b.nc")));
        OpenCommand(t->application);
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("b.nc")));
        QCOMPARE(t->editor.SendEditor(SCI_GETSELECTIONSTART, 0, 0), 0);
        QCOMPARE(t->editor.SendEditor(SCI_GETSELECTIONEND, 0, 0), 0);
        // The Open dialog starts from the name last chosen.
        d.fileNames.push_back(std::nullopt);
        OpenCommand(t->application);
        QCOMPARE(d.fileDialogs[2].request.initialPath, Std(Path("b.nc")));
    }

    void deferredOpenLoadsCommandLineFile()
    {
        WriteBytes(Path("cmd line.nc"), "O100\r\n");
        t->app.CommandLineFile = Std(Path("cmd line.nc"));
        OpenCommandLineFile(t->editor, t->styling);
        QCOMPARE(Text(t->editor), std::string("O100\r\n"));
        QCOMPARE(t->editor.SendEditor(SCI_GETCURRENTPOS, 0, 0), 0);
        t->app.CommandLineFile = Std(Path("gone.nc"));
        OpenCommandLineFile(t->editor, t->styling);
        QCOMPARE(t->editor.CurrentFilePath(), std::string());
        QCOMPARE(t->dialogs.boxes.size(), std::size_t(1));
        QCOMPARE(t->editor.SendEditor(SCI_GETCURRENTPOS, 0, 0), 0);
    }

    void saveButton()
    {
        ScriptedDialogs& d = t->dialogs;
        Load("c.nc", "");
        main->picToolbar_Click(2);
        QCOMPARE(d.boxes.size(), std::size_t(1));
        QCOMPARE(d.boxes[0], (MessageBoxRequest{"Editor is empty", MsgButtons::OK, MsgIcon::None, ""}));
        QVERIFY(d.fileDialogs.empty());

        SetText(t->editor, "N10 G00 X0\r\n");
        d.fileNames.push_back(Std(Path("saved.nc")));
        main->picToolbar_Click(2);
        QCOMPARE(d.fileDialogs.size(), std::size_t(1));
        QVERIFY(d.fileDialogs[0].save);
        QCOMPARE(d.fileDialogs[0].request.title, std::string("Save"));
        QCOMPARE(d.fileDialogs[0].request.filter, std::string("All Files (*.*)"));
        QCOMPARE(d.fileDialogs[0].request.initialPath, Std(Path("c.nc")));
        QCOMPARE(ReadBytes(Path("saved.nc")), QByteArray("N10 G00 X0\r\n"));
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("saved.nc")));
        QCOMPARE(t->editor.SendEditor(SCI_GETMODIFY, 0, 0), 0);
    }

    // A save that fails keeps the text, its path and the file, and says why.
    void failedSaveKeepsPath_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only file, dialog asked again") << "readonly";
    }
    void failedSaveKeepsPath()
    {
        QFETCH(QString, kind);
        ScriptedDialogs& d = t->dialogs;
        Load("orig.nc", "N1\r\n");
        SetText(t->editor, "N2\r\n");
        QString target = Path("no-such-folder/x.nc");
        MessageBoxRequest box = NotSavedBox(target, "The folder does not exist");
        std::unique_ptr<ImmutableFlag> immutable;
        if (kind == "readonly") {
            target = Path("locked.nc");
            WriteBytes(target, "locked");
            immutable = std::make_unique<ImmutableFlag>(Std(target));
            if (!immutable->isSet())
                QSKIP("no way to make a file read-only here");
            box = {Std(target) + "\r\n\r\nThis file is set to read-only.\r\nTry again with a different file name.",
                   MsgButtons::OK, MsgIcon::Exclamation, "Save"};
        }
        d.fileNames.push_back(Std(target));
        if (kind == "readonly")
            d.fileNames.push_back(std::nullopt);
        SaveCommand(t->application);
        QCOMPARE(t->editor.CurrentFilePath(), Std(Path("orig.nc")));
        QVERIFY(t->editor.SendEditor(SCI_GETMODIFY, 0, 0) != 0);
        if (kind == "readonly")
            QCOMPARE(ReadBytes(target), QByteArray("locked"));
        QCOMPARE(d.boxes, std::vector<MessageBoxRequest>{box});
        QCOMPARE(d.fileDialogs.size(), std::size_t(kind == "readonly" ? 2 : 1));
        QCOMPARE(d.unexpected, 0);
    }

    // A text the component cannot hand out whole is never written: the file keeps its bytes.
    void unreadableTextIsNotWritten_data()
    {
        QTest::addColumn<uint>("message");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("reason");
        QTest::newRow("2 GiB less one") << uint(SCI_GETLENGTH) << 0x7FFFFFFF
                                        << "The text is too large: a part program must be smaller than 2 GiB";
        QTest::newRow("text not handed out") << uint(SCI_GETTEXT) << 0 << "The text could not be taken from the editor";
    }
    void unreadableTextIsNotWritten()
    {
        QFETCH(uint, message);
        QFETCH(int, answer);
        QFETCH(QString, reason);
        WriteBytes(Path("keep.nc"), "N1\r\n");
        SetText(t->editor, "N2\r\n");
        AnswerOverride::real = t->editor.Module.Send;
        AnswerOverride::message = message;
        AnswerOverride::answer = answer;
        t->editor.Module.Send = &AnswerOverride::Send;
        t->dialogs.fileNames.push_back(Std(Path("keep.nc")));
        const std::string saved = SaveDocumentAs(t->editor);
        t->editor.Module.Send = AnswerOverride::real;
        QVERIFY(saved.empty());
        QCOMPARE(ReadBytes(Path("keep.nc")), QByteArray("N1\r\n"));
        QCOMPARE(t->dialogs.boxes,
                 std::vector<MessageBoxRequest>{NotSavedBox(Path("keep.nc"), reason.toLatin1().constData())});
    }

    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveName");  // from the Save dialog; empty: cancelled
        QTest::addColumn<bool>("goesOn");
        for (const char* action : {"new", "open", "close"}) {
            const QByteArray a(action);
            QTest::newRow(a + ", Yes, saved") << action << int(MsgAnswer::Yes) << "kept.nc" << true;
            QTest::newRow(a + ", Yes, save cancelled") << action << int(MsgAnswer::Yes) << "" << false;
            QTest::newRow(a + ", Yes, save failed") << action << int(MsgAnswer::Yes) << "none/kept.nc" << false;
            QTest::newRow(a + ", No") << action << int(MsgAnswer::No) << "" << true;
            QTest::newRow(a + ", Cancel") << action << int(MsgAnswer::Cancel) << "" << false;
        }
    }
    void unsavedChangesQuestion()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(QString, saveName);
        QFETCH(bool, goesOn);
        const QString savePath = saveName.isEmpty() ? QString() : dir->filePath(saveName);
        ScriptedDialogs& d = t->dialogs;
        Load("doc.nc", "N1 G00\r\n");
        t->editor.SendEditor(SCI_GOTOPOS, 0, 0);
        t->editor.SendEditor(SCI_REPLACESEL, 0, "(EDITED) ");
        d.answers.push_back(MsgAnswer(answer));
        if (answer == int(MsgAnswer::Yes))
            d.fileNames.push_back(saveName.isEmpty() ? std::nullopt : std::optional<std::string>(Std(savePath)));
        if (action == "open" && goesOn)
            d.fileNames.push_back(std::nullopt);  // the Open dialog itself, cancelled

        if (action == "new")
            NewCommand(t->application);
        else if (action == "open")
            OpenCommand(t->application);
        else
            main->close();

        const bool failed = saveName.contains('/');
        QCOMPARE(d.boxes.size(), std::size_t(failed ? 2 : 1));
        QCOMPARE(d.boxes[0], SaveChangesBox);
        if (failed)
            QCOMPARE(d.boxes[1], NotSavedBox(savePath, "The folder does not exist"));
        else if (!saveName.isEmpty())
            QCOMPARE(ReadBytes(savePath), QByteArray("(EDITED) N1 G00\r\n"));
        // Saved before an Open that was then cancelled: the text now belongs to its new file.
        if (action == "open" && goesOn)
            QCOMPARE(t->editor.CurrentFilePath(), saveName.isEmpty() ? Std(Path("doc.nc")) : Std(savePath));
        QCOMPARE(d.unexpected, 0);
        QVERIFY(d.fileNames.empty());
        if (action == "new")
            QCOMPARE(Text(t->editor), goesOn ? std::string() : std::string("(EDITED) N1 G00\r\n"));
        if (action == "close")
            QCOMPARE(t->forms.IsLoaded(FormId::MDIForm1), !goesOn);
    }

    void unmodifiedTextIsDiscardedWithoutQuestion()
    {
        Load("plain.nc", "N1\r\n");
        NewCommand(t->application);
        QCOMPARE(t->editor.SendEditor(SCI_GETLENGTH, 0, 0), 0);
        t->editor.SendEditor(SCI_REPLACESEL, 0, "typed");
        t->dialogs.answers.push_back(MsgAnswer::No);
        NewCommand(t->application);
        QCOMPARE(t->dialogs.boxes.size(), std::size_t(1));
        // Typed and deleted again: an empty text is not asked about.
        t->editor.SendEditor(SCI_REPLACESEL, 0, "x");
        t->editor.SendEditor(SCI_SETSEL, 0, 1);
        t->editor.SendEditor(SCI_REPLACESEL, 0, "");
        QVERIFY(t->editor.SendEditor(SCI_GETMODIFY, 0, 0) != 0);
        main->close();
        QCOMPARE(t->dialogs.boxes.size(), std::size_t(1));
        QVERIFY(!t->forms.IsLoaded(FormId::MDIForm1));
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"

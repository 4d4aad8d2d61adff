// Documents through the real component and real files: load and save byte for byte, the
// failure messages, and the question before edited text is discarded.
#include <QtTest>

#include <QLineEdit>

#include <sys/stat.h>
#include <unistd.h>

#include "ImmutableFlag.h"
#include "ScriptedDialogs.h"
#include "app/AppState.h"
#include "app/CurrentFilePath.h"
#include "app/DeferredOpen.h"
#include "app/MDIForm1.h"
#include "app/ToolbarCommands.h"
#include "editor/Documents.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"

using namespace sci;

namespace {

std::string DocumentText()
{
    const std::int32_t length = SendEditor(SCI_GETLENGTH, 0, 0);
    std::string text(std::size_t(length) + 1, '\0');
    SendEditorDirect(SCI_GETTEXT, length + 1, text.data());
    text.resize(std::size_t(length));
    return text;
}

void SetDocumentText(const std::string& text)
{
    SendEditor(SCI_SETTEXT, 0, std::string_view());
    SendEditor(SCI_ADDTEXT, std::int32_t(text.size()), text);
}

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

}  // namespace

class TestDocuments : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<ScriptedDialogsGuard> dialogs;
    MDIForm1* main = nullptr;

    QString Path(const char* name) const { return dir->filePath(QString::fromLatin1(name)); }
    void Load(const char* name, const QByteArray& bytes)
    {
        WriteBytes(Path(name), bytes);
        QVERIFY(LoadDocument(Std(Path(name))));
    }

private Q_SLOTS:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        dialogs = std::make_unique<ScriptedDialogsGuard>();
        ProgramFolder = VARNOTEK_PROGRAM_DIR;
        main = &Forms::Instance().Get<MDIForm1>();
        main->Show();
    }
    void cleanup()
    {
        Forms::Instance().DestroyAll();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialogs.reset();
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
        QCOMPARE(CurrentFilePath(), Std(Path("in.nc")));
        QCOMPARE(QByteArray::fromStdString(DocumentText()), content);
        QCOMPARE(SendEditor(SCI_GETMODIFY, 0, 0), 0);
        QVERIFY(SaveDocument(Std(Path("out.nc"))));
        QCOMPARE(ReadBytes(Path("out.nc")), content);
        QVERIFY(dialogs->get()->boxes.empty());
    }

    void emptyFileLoads()
    {
        SetDocumentText("old");
        Load("empty.nc", {});
        QCOMPARE(SendEditor(SCI_GETLENGTH, 0, 0), 0);
        QCOMPARE(CurrentFilePath(), Std(Path("empty.nc")));
    }

    void failedLoadKeepsTextWithoutPath_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("missing") << "missing" << QString::fromStdString(MissingBox.prompt);
        QTest::newRow("2 GiB") << "huge" << QString::fromStdString(MissingBox.prompt);
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
        QVERIFY(!LoadDocument(Std(path)));
        QCOMPARE(DocumentText(), std::string("N1 G00\r\n"));
        QCOMPARE(CurrentFilePath(), std::string());
        const auto& boxes = dialogs->get()->boxes;
        QCOMPARE(boxes.size(), std::size_t(1));
        QCOMPARE(boxes[0], (MessageBoxRequest{Std(prompt), MsgButtons::OK, MsgIcon::None, "Can't open"}));
        QCOMPARE(dialogs->get()->busyDepth, 0);
        QVERIFY(dialogs->get()->busyCount > 0);
    }

    void openChecksAttributes_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("loaded");
        QTest::newRow("unreadable attributes") << "loop"
            << "The file could not be opened - you may not have permission to access the file or folder"
            << "Attribute=HiddenFile" << false;
        QTest::newRow("folder") << "folder" << "You do not have permission to open this system file"
                                << "Attribute=SystemFile" << false;
        QTest::newRow("fifo") << "fifo" << "You do not have permission to open this system file"
                              << "Attribute=SystemFile" << false;
        QTest::newRow("read-only") << "readonly"
            << "This file is 'ReadOnly'\r\n\r\nYou may not be able to save changes unless you rename or save to a "
               "different folder"
            << "Attribute=ReadOnly" << true;
        QTest::newRow("vanished after the dialog") << "vanished" << QString::fromStdString(MissingBox.prompt)
                                                   << "Can't open" << false;
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
        ScriptedDialogs& d = *dialogs->get();
        d.fileNames.push_back(Std(path));
        main->picToolbar_Click(1);
        QCOMPARE(d.fileDialogs.size(), std::size_t(1));
        QVERIFY(!d.fileDialogs[0].save);
        QCOMPARE(d.fileDialogs[0].request.title, std::string("Open"));
        QCOMPARE(d.fileDialogs[0].request.filter, std::string("All Files (*.*)"));
        QCOMPARE(d.boxes.size(), std::size_t(1));
        QCOMPARE(d.boxes[0], (MessageBoxRequest{Std(prompt), MsgButtons::OK, MsgIcon::None, Std(title)}));
        QCOMPARE(CurrentFilePath(), loaded ? Std(path) : std::string());
        QCOMPARE(d.unexpected, 0);
    }

    void openCommand()
    {
        ScriptedDialogs& d = *dialogs->get();
        Load("a.nc", "N5 M03\r\n");
        SendEditor(SCI_GOTOPOS, 3, 0);
        d.fileNames.push_back(std::nullopt);
        OpenCommand();  // cancelled: nothing changes
        QCOMPARE(DocumentText(), std::string("N5 M03\r\n"));
        QCOMPARE(CurrentFilePath(), Std(Path("a.nc")));
        QCOMPARE(SendEditor(SCI_GETCURRENTPOS, 0, 0), 3);
        QVERIFY(d.boxes.empty());
        WriteBytes(Path("b.nc"), "N5 M03\r\nN10 M05\r\n");
        d.fileNames.push_back(Std(Path("b.nc")));
        OpenCommand();
        QCOMPARE(CurrentFilePath(), Std(Path("b.nc")));
        QCOMPARE(SendEditor(SCI_GETSELECTIONSTART, 0, 0), 0);
        QCOMPARE(SendEditor(SCI_GETSELECTIONEND, 0, 0), 0);
        // The Open dialog starts from the name last chosen.
        d.fileNames.push_back(std::nullopt);
        OpenCommand();
        QCOMPARE(d.fileDialogs[2].request.initialPath, Std(Path("b.nc")));
    }

    void deferredOpenLoadsCommandLineFile()
    {
        WriteBytes(Path("cmd line.nc"), "O100\r\n");
        CommandLineFile = Std(Path("cmd line.nc"));
        OpenCommandLineFile();
        QCOMPARE(DocumentText(), std::string("O100\r\n"));
        QCOMPARE(SendEditor(SCI_GETCURRENTPOS, 0, 0), 0);
        CommandLineFile = Std(Path("gone.nc"));
        OpenCommandLineFile();
        QCOMPARE(CurrentFilePath(), std::string());
        QCOMPARE(dialogs->get()->boxes.size(), std::size_t(1));
        QCOMPARE(SendEditor(SCI_GETCURRENTPOS, 0, 0), 0);
    }

    void saveButton()
    {
        ScriptedDialogs& d = *dialogs->get();
        Load("c.nc", "");
        main->picToolbar_Click(2);
        QCOMPARE(d.boxes.size(), std::size_t(1));
        QCOMPARE(d.boxes[0], (MessageBoxRequest{"Editor is empty", MsgButtons::OK, MsgIcon::None, ""}));
        QVERIFY(d.fileDialogs.empty());

        SetDocumentText("N10 G00 X0\r\n");
        d.fileNames.push_back(Std(Path("saved.nc")));
        main->picToolbar_Click(2);
        QCOMPARE(d.fileDialogs.size(), std::size_t(1));
        QVERIFY(d.fileDialogs[0].save);
        QCOMPARE(d.fileDialogs[0].request.title, std::string("Save"));
        QCOMPARE(d.fileDialogs[0].request.filter, std::string("All Files (*.*)"));
        QCOMPARE(d.fileDialogs[0].request.initialPath, Std(Path("c.nc")));
        QCOMPARE(ReadBytes(Path("saved.nc")), QByteArray("N10 G00 X0\r\n"));
        QCOMPARE(CurrentFilePath(), Std(Path("saved.nc")));
        QCOMPARE(SendEditor(SCI_GETMODIFY, 0, 0), 0);
    }

    void failedSaveKeepsPath_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("missing folder") << "missing";
        QTest::newRow("read-only file") << "readonly";
    }
    void failedSaveKeepsPath()
    {
        QFETCH(QString, kind);
        ScriptedDialogs& d = *dialogs->get();
        Load("orig.nc", "N1\r\n");
        SetDocumentText("N2\r\n");
        QString target = Path("no-such-folder/x.nc");
        std::unique_ptr<ImmutableFlag> immutable;
        if (kind == "readonly") {
            target = Path("locked.nc");
            WriteBytes(target, "locked");
            immutable = std::make_unique<ImmutableFlag>(Std(target));
            if (!immutable->isSet())
                QSKIP("no way to make a file read-only here");
        }
        d.fileNames.push_back(Std(target));
        SaveCommand();
        QCOMPARE(CurrentFilePath(), Std(Path("orig.nc")));
        QVERIFY(SendEditor(SCI_GETMODIFY, 0, 0) != 0);
        if (kind == "readonly")
            QCOMPARE(ReadBytes(target), QByteArray("locked"));
        QVERIFY(d.boxes.empty());
    }

    void unsavedChangesQuestion_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("saveDialogGivesName");
        QTest::addColumn<bool>("goesOn");
        for (const char* action : {"new", "open", "close"}) {
            const QByteArray a(action);
            QTest::newRow(a + ", Yes, saved") << action << int(MsgAnswer::Yes) << true << true;
            QTest::newRow(a + ", Yes, save cancelled") << action << int(MsgAnswer::Yes) << false << false;
            QTest::newRow(a + ", No") << action << int(MsgAnswer::No) << false << true;
            QTest::newRow(a + ", Cancel") << action << int(MsgAnswer::Cancel) << false << false;
        }
    }
    void unsavedChangesQuestion()
    {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, saveDialogGivesName);
        QFETCH(bool, goesOn);
        ScriptedDialogs& d = *dialogs->get();
        Load("doc.nc", "N1 G00\r\n");
        SendEditor(SCI_GOTOPOS, 0, 0);
        SendEditor(SCI_REPLACESEL, 0, "(EDITED) ");
        d.answers.push_back(MsgAnswer(answer));
        if (answer == int(MsgAnswer::Yes))
            d.fileNames.push_back(saveDialogGivesName ? std::optional<std::string>(Std(Path("kept.nc"))) : std::nullopt);
        if (action == "open" && goesOn)
            d.fileNames.push_back(std::nullopt);  // the Open dialog itself, cancelled

        if (action == "new")
            NewCommand();
        else if (action == "open")
            OpenCommand();
        else
            main->close();

        QCOMPARE(d.boxes.size(), std::size_t(1));
        QCOMPARE(d.boxes[0], SaveChangesBox);
        if (saveDialogGivesName)
            QCOMPARE(ReadBytes(Path("kept.nc")), QByteArray("(EDITED) N1 G00\r\n"));
        QCOMPARE(d.unexpected, 0);
        QVERIFY(d.fileNames.empty());
        if (action == "new")
            QCOMPARE(DocumentText(), goesOn ? std::string() : std::string("(EDITED) N1 G00\r\n"));
        if (action == "close")
            QCOMPARE(Forms::Instance().IsLoaded(FormId::MDIForm1), !goesOn);
    }

    void unmodifiedTextIsDiscardedWithoutQuestion()
    {
        Load("plain.nc", "N1\r\n");
        NewCommand();
        QCOMPARE(SendEditor(SCI_GETLENGTH, 0, 0), 0);
        SendEditor(SCI_REPLACESEL, 0, "typed");
        dialogs->get()->answers.push_back(MsgAnswer::No);
        NewCommand();
        QCOMPARE(dialogs->get()->boxes.size(), std::size_t(1));
        main->close();
        QCOMPARE(dialogs->get()->boxes.size(), std::size_t(1));
        QVERIFY(!Forms::Instance().IsLoaded(FormId::MDIForm1));
    }
};

QTEST_MAIN(TestDocuments)
#include "test_documents.moc"

// The main window with the real component (the toolbar, the command line's deferred open, the
// registry and the order of shutdown) and Form2 in its two roles: the start-up window that hands
// over to the main window, and the About box with the information dialog behind it.
#include <QtTest>

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "about/Form2.h"
#include "about/frmInfo.h"
#include "app/MainLayout.h"
#include "app/Toolbar.h"
#include "app/ToolbarIcons.h"
#include "base/TextFile.h"
#include "base/UserState.h"
#include "editor/EditorGeometry.h"
#include "editor/UnsavedChanges.h"
#include "highlight/Form1.h"
#include "search/frmReplace.h"

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;

private Q_SLOTS:
    void init() { t = std::make_unique<TestApp>(); }
    void cleanup() { t.reset(); }

    // The whole command line names the file, quotes dropped, its bytes kept; only an existing
    // regular file is opened, after the window is up, and anything else opens nothing silently.
    void commandLineOpensFileLater_data()
    {
        QTest::addColumn<QByteArrayList>("arguments");  // %1 stands for the folder of the files
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("opened");
        QTest::newRow("quoted, blanks") << QByteArrayList{"\"%1/my part.nc\""} << QByteArray("%1/my part.nc") << true;
        QTest::newRow("not UTF-8") << QByteArrayList{"%1/part\xE9.nc"} << QByteArray("%1/part\xE9.nc") << true;
        QTest::newRow("two names") << QByteArrayList{"%1/part\xE9.nc", "%1/my part.nc"}
                                   << QByteArray("%1/part\xE9.nc %1/my part.nc") << false;
        QTest::newRow("missing") << QByteArrayList{"%1/none.nc"} << QByteArray("%1/none.nc") << false;
        QTest::newRow("folder") << QByteArrayList{"%1"} << QByteArray("%1") << false;
    }
    void commandLineOpensFileLater()
    {
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, file);
        QFETCH(bool, opened);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        for (const char* name : {"/my part.nc", "/part\xE9.nc"})
            QVERIFY(PutOnDisk((folder + name).toStdString(), "N10 M30\r\n"));
        for (const QByteArray& argument : arguments)
            t->app.Arguments.push_back(QByteArray(argument).replace("%1", folder).toStdString());
        MDIForm1& main = t->ShowMainWindow();
        const std::string path = file.replace("%1", folder).toStdString();
        QCOMPARE(t->app.CommandLineFile, path);
        QCOMPARE(main.Timer1()->isActive(), opened);
        QCOMPARE(Text(t->editor), std::string());
        QTRY_COMPARE(t->editor.CurrentFilePath(), opened ? path : std::string());
        QCOMPARE(Text(t->editor), opened ? "N10 M30\r\n" : std::string());
        QVERIFY(t->dialogs.boxes.empty());
    }

    // Only the toolbar's own buttons run commands; 5 to 7 show their window, modeless and without
    // owner, 7 as the About box.
    void buttonsShowTheirWindows_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("Find and Replace") << 5;
        QTest::newRow("Setup") << 6;
        QTest::newRow("About") << 7;
    }
    void buttonsShowTheirWindows()
    {
        QFETCH(int, index);
        MDIForm1& main = t->ShowMainWindow();
        int ran = -1;
        main.SetToolbarCommand(3, [&] { ran = 3; });
        main.picToolbar_Click(8);
        main.picToolbar_Click(-1);
        for (PictureButton* b : main.findChildren<PictureButton*>(QStringLiteral("picToolbar")))
            if (b->Index() == 3)
                QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(ran, 3);

        main.picToolbar_Click(index);
        main.picToolbar_Click(index);
        QWidget* shown = index == 5   ? static_cast<QWidget*>(t->forms.Find<frmReplace>())
                         : index == 6 ? static_cast<QWidget*>(t->forms.Find<Form1>())
                                      : static_cast<QWidget*>(t->forms.Find<Form2>());
        QVERIFY(shown && shown->isVisible() && !shown->parentWidget() && !shown->isModal());
        // Back from minimised; a fixed dialog offers neither minimise nor maximise.
        shown->showMinimized();
        main.picToolbar_Click(index);
        QVERIFY(!shown->isMinimized());
        QVERIFY(!(shown->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(t->app.AboutBoxMode, index == 7);
    }

    // The session's end asks as closing does when it may (the question cancelled, it goes on), and
    // otherwise keeps the text, exactly, and names it at the next start.
    void sessionEnd()
    {
        t->ShowMainWindow();
        const std::string text("N1 G00\r\n\0\xFF", 10);
        t->editor.SendEditor(sci::SCI_ADDTEXT, std::int32_t(text.size()), text);
        const QDir state(QString::fromLocal8Bit(UserStateFolder()));
        QVERIFY(!AllowSessionEnd(t->editor, true) && state.entryList({"recovered-*"}).isEmpty());
        QVERIFY(AllowSessionEnd(t->editor, false) && t->dialogs.boxes.size() == 1);
        const QStringList kept = state.entryList({"recovered-*"});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadTextFile(state.filePath(kept.value(0)).toStdString()), text);
        QCOMPARE(TakeNotices().size(), 1u);
        QVERIFY(QFile::remove(state.filePath(kept.value(0))));
    }

    // Loading and styling need the editor window only, and create no main window. The path box
    // shows the file's path; the editor fills the client area and takes typing. The component's
    // size in pixels; the toolbar's buttons on one row from 9645 twips.
    void editorWindow()
    {
        t->LoadEditorWindow();
        SetText(t->editor, "N1 M3\r\n");
        t->styling.RestyleDocument();
        QVERIFY(!t->forms.Exists<MDIForm1>());
        QCOMPARE(EditorComponentSize(9532, 4507), (ComponentSize{635, 300}));
        QCOMPARE(EditorComponentSize(9533, 4508), (ComponentSize{636, 301}));
        QCOMPARE(ToolbarLayoutForWidth(9644), (ToolbarLayout{660, 50, 300}));
        QCOMPARE(ToolbarLayoutForWidth(9645), (ToolbarLayout{360, 2950, 0}));
        MDIForm1& main = t->ShowMainWindow();
        t->editor.SetCurrentFilePath("/cnc/part.nc");
        QCOMPARE(main.rt1()->text(), QStringLiteral("/cnc/part.nc"));
        auto& editor = t->forms.Get<frmEditor>();
        auto* sub = qobject_cast<QMdiSubWindow*>(editor.parentWidget());
        QVERIFY(sub && sub->isMaximized());
        QWidget* component = editor.ComponentWidget();
        QCOMPARE(component->size(), editor.size());
        component->setFocus();
        QTest::keyClicks(component, QStringLiteral("G01 X10"));
        // Alt with a letter is a chord, not typing; AltGr characters and Ctrl+Alt ones still type.
        QTest::keyClick(component, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(component, Qt::Key_5, Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(component, 'e', Qt::GroupSwitchModifier);
        QTest::keyClick(component, 'q', Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(Text(t->editor), std::string("G01 X10eqN1 M3\r\n"));
        // Sharp on scaled screens: the image has the screen's device pixels at the button's logical size.
        const QPixmap image = ToolbarImage(0, QSize(16, 16), 1.5);
        QCOMPARE(image.devicePixelRatio(), 1.5);
        QCOMPARE(image.deviceIndependentSize(), QSizeF(16, 16));
    }

    // "The Talvane Editor" shows exactly when Talvane's program file is in the program folder. The
    // start-up window hands over to the main window. The About box stays with its OK button. The
    // information dialog exists once; its OK closes the About box too, the About box's OK closes
    // only itself.
    void startupWindowAndAboutBox()
    {
        t = std::make_unique<TestApp>("");
        Form2& startup = t->forms.Get<Form2>();
        startup.Show();
        QCOMPARE(QString::fromStdString(t->app.ProgramFolder), QCoreApplication::applicationDirPath());
        QVERIFY(startup.Command1()->isHidden() && startup.findChild<QLabel*>(QStringLiteral("Label1"))->isHidden());
        QVERIFY(!t->forms.Exists<MDIForm1>());
        // The component lives in the build's program folder, not beside this test.
        t->app.ProgramFolder = VARNOTEK_PROGRAM_DIR;
        QTRY_VERIFY_WITH_TIMEOUT(t->forms.IsLoaded<MDIForm1>(), 5000);
        QVERIFY(!t->forms.Exists<Form2>() && t->forms.Get<MDIForm1>().isVisible());

        QTemporaryDir folder;
        QVERIFY(PutOnDisk(folder.filePath("talvane").toStdString(), "#!/bin/sh\n"));
        t->app.ProgramFolder = folder.path().toStdString();
        t->app.AboutBoxMode = true;
        Form2& about = t->forms.Get<Form2>();
        about.Show();
        QVERIFY(!about.Timer1()->isActive() && about.Command1()->isVisible() &&
                about.findChild<QLabel*>(QStringLiteral("Label1"))->isVisible());
        QCOMPARE(t->app.ProgramFolder, folder.path().toStdString());
        const QStringList version = QStringLiteral(VARNOTEK_VERSION).split('.');  // the project's, as CMake has it
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                 'v' + version[0] + '.' + version[1] + " ." + version[2]);

        about.Command2_Click();
        frmInfo& info = t->forms.Get<frmInfo>();
        t->forms.Get<Form2>().Command2_Click();
        QVERIFY(&t->forms.Get<frmInfo>() == &info && info.isVisible());
        t->forms.Get<Form2>().Command1_Click();
        QVERIFY(!t->forms.Exists<Form2>() && t->forms.IsLoaded<frmInfo>());
        t->forms.Get<Form2>().Show();
        info.Command2_Click();
        QVERIFY(!t->forms.IsLoaded<Form2>() && !t->forms.IsLoaded<frmInfo>());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"

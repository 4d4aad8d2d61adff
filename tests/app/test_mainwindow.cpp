// The main window with the real component: its look, the toolbar, timers, the layout rule,
// the window registry and the order of shutdown.
#include <QtTest>

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "TestApp.h"
#include "about/Form2.h"
#include "about/frmInfo.h"
#include "app/Toolbar.h"
#include "app/ToolbarIcons.h"
#include "dnc/Form3.h"
#include "highlight/Form1.h"
#include "search/frmReplace.h"

class TestMainWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;

    static PictureButton* Button(QWidget* root, int index)
    {
        for (PictureButton* b : root->findChildren<PictureButton*>(QStringLiteral("picToolbar")))
            if (b->Index() == index)
                return b;
        return nullptr;
    }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(main));
    }
    void cleanup() { t.reset(); }

    void look()
    {
        QCOMPARE(main->windowTitle(), QStringLiteral("Varnotek"));
        QCOMPARE(main->size(), QSize(635, 386));
        QCOMPARE(main->ClientArea()->background().color(), QColor(0x80, 0x80, 0x80));
        main->SetStatusText("|||");
        QCOMPARE(main->StatusText(), std::string("|||"));
        QVERIFY(!main->Timer1()->isActive() && !main->Timer2()->isActive());
    }

    void pathBox()
    {
        QLineEdit* rt1 = main->rt1();
        // rt1 shows CurrentFilePath; a change of either asks a running pass to restart.
        t->app.StyleRestartRequested = false;
        t->editor.SetCurrentFilePath("/cnc/part.nc");
        QCOMPARE(rt1->text(), QStringLiteral("/cnc/part.nc"));
        QVERIFY(t->app.StyleRestartRequested);
        t->app.StyleRestartRequested = false;
        rt1->setText(QStringLiteral("/cnc/other.nc"));
        QVERIFY(t->app.StyleRestartRequested);
    }

    void clickRunsOnlyKnownCommands()
    {
        int ran = -1;
        main->SetToolbarCommand(3, [&] { ran = 3; });
        main->picToolbar_Click(8);
        main->picToolbar_Click(-1);
        QCOMPARE(ran, -1);
        QTest::mouseClick(Button(main, 3), Qt::LeftButton);
        QCOMPARE(ran, 3);
        // Save on the empty editor answers with its message only.
        QTest::mouseClick(Button(main, 2), Qt::LeftButton);
        QCOMPARE(t->dialogs.boxes.size(), std::size_t(1));
        QCOMPARE(t->dialogs.boxes[0].prompt, std::string("Editor is empty"));
        QVERIFY(t->dialogs.fileDialogs.empty());
    }

    // Buttons 5 to 7 show their window once, modeless and without owner; 7 as the About box.
    void buttonsShowTheirWindows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("form");
        QTest::newRow("Find and Replace") << 5 << int(FormId::frmReplace);
        QTest::newRow("Setup") << 6 << int(FormId::Form1);
        QTest::newRow("About") << 7 << int(FormId::Form2);
    }
    void buttonsShowTheirWindows()
    {
        QFETCH(int, index);
        QFETCH(int, form);
        main->picToolbar_Click(index);
        QVERIFY(t->forms.IsLoaded(FormId(form)));
        QWidget* window = QApplication::activeModalWidget() ? nullptr : QApplication::topLevelWidgets().last();
        QVERIFY(window);
        main->picToolbar_Click(index);
        const auto shown = [this, form]() -> QWidget* {
            switch (FormId(form)) {
            case FormId::frmReplace: return t->forms.Find<frmReplace>();
            case FormId::Form1: return t->forms.Find<Form1>();
            default: return t->forms.Find<Form2>();
            }
        }();
        QVERIFY(shown && shown->isVisible() && !shown->parentWidget() && !shown->isModal());
        QCOMPARE(t->app.AboutBoxMode, index == 7);
    }

    void editorFillsClientAreaAndTakesTyping()
    {
        QVERIFY(t->editor.EditorHandle >= 32);
        auto& editor = t->forms.Get<frmEditor>();
        QVERIFY(editor.IsLoaded());
        auto* sub = qobject_cast<QMdiSubWindow*>(editor.parentWidget());
        QVERIFY(sub && sub->isMaximized());
        QWidget* component = editor.ComponentWidget();
        QVERIFY(component);
        QCOMPARE(component->size(), editor.size());
        QCOMPARE(t->editor.SendEditor(sci::SCI_STYLEGETBACK, sci::STYLE_DEFAULT, 0), 0xFFFFFF);
        QCOMPARE(t->editor.SendEditor(sci::SCI_STYLEGETSIZE, sci::STYLE_DEFAULT, 0), 10);
        QCOMPARE(t->editor.SendEditor(sci::SCI_GETLEXER, 0, 0), sci::SCLEX_CONTAINER);
        component->setFocus();
        QTest::keyClicks(component, QStringLiteral("G01 X10"));
        QCOMPARE(t->editor.SendEditor(sci::SCI_GETLENGTH, 0, 0), 7);
        // Alt with a letter is a chord, not typing; AltGr characters and Ctrl+Alt ones still type.
        QTest::keyClick(component, Qt::Key_F, Qt::AltModifier);
        QTest::keyClick(component, Qt::Key_5, Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(component, 'e', Qt::GroupSwitchModifier);
        QTest::keyClick(component, 'q', Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(Text(t->editor), std::string("G01 X10eq"));
    }

    // Sharp on scaled screens: the image has the screen's device pixels at the button's logical size.
    void toolbarImagesFollowPixelRatio()
    {
        const QPixmap image = ToolbarImage(0, QSize(16, 16), 1.5);
        QCOMPARE(image.devicePixelRatio(), 1.5);
        QCOMPARE(image.deviceIndependentSize(), QSizeF(16, 16));
    }

    // Loading and styling need the editor window only, and create no main window.
    void editorWindowAloneCreatesNoMainWindow()
    {
        TestApp bare;
        bare.LoadEditorWindow();
        SetText(bare.editor, "N1 M3\r\n");
        bare.styling.RestyleDocument();
        QVERIFY(!bare.forms.Exists(FormId::MDIForm1));
    }

    void shutdownOrder()
    {
        Forms& forms = t->forms;
        forms.Get<frmReplace>().Show();
        forms.Get<frmInfo>().Show();
        forms.Get<Form3>().Show();
        forms.Get<Form1>();  // created, never loaded
        QStringList order;
        auto connection = connect(&forms, &Forms::Unloaded, this, [&](const QString& name) {
            order << name + (t->app.AppClosing ? QStringLiteral(" closing") : QString());
        });
        main->close();
        disconnect(connection);
        // The child window goes first, before shutdown begins; Form1 was never loaded.
        QCOMPARE(order, (QStringList{"frmEditor", "Form3 closing", "frmInfo closing", "frmReplace closing",
                                     "MDIForm1 closing"}));
        QVERIFY(t->app.AppClosing);
        QVERIFY(!forms.IsLoaded(FormId::frmEditor));
        QVERIFY(forms.Exists(FormId::Form1));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"

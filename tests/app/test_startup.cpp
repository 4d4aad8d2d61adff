// Form2 in its two roles: the start-up window, which sets the program folder and hands over to
// the main window after two seconds, and the About box with the information dialog behind it.
#include <QtTest>

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "about/AboutText.h"
#include "about/Form2.h"
#include "about/frmInfo.h"

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startupWindowHandsOver()
    {
        TestApp t("");
        Forms& forms = t.forms;
        Form2& form2 = forms.Get<Form2>();
        form2.Show();
        QCOMPARE(QString::fromStdString(t.app.ProgramFolder), QCoreApplication::applicationDirPath());
        QVERIFY(form2.Command1()->isHidden());
        QVERIFY(form2.Timer1()->isActive());
        QVERIFY(!forms.Exists(FormId::MDIForm1));

        // The component lives in the build's program folder, not beside this test.
        t.app.ProgramFolder = VARNOTEK_PROGRAM_DIR;
        QTRY_VERIFY_WITH_TIMEOUT(forms.IsLoaded(FormId::MDIForm1), 5000);
        QVERIFY(!forms.Exists(FormId::Form2));
        QVERIFY(forms.Get<MDIForm1>().isVisible());
    }

    void versionText() { QCOMPARE(VersionText(4, 1, 18), std::string("v4.1 .18")); }

    // The About box keeps its OK button and stays; "The Talvane Editor" shows exactly when
    // Talvane's program file is in the program folder.
    void aboutBox_data()
    {
        QTest::addColumn<bool>("talvane");
        QTest::newRow("without Talvane") << false;
        QTest::newRow("with Talvane") << true;
    }
    void aboutBox()
    {
        QFETCH(bool, talvane);
        QTemporaryDir folder;
        if (talvane)
            QVERIFY(PutOnDisk(folder.filePath("talvane").toStdString(), "#!/bin/sh\n"));
        TestApp t(folder.path().toStdString());
        t.app.AboutBoxMode = true;
        Form2& form2 = t.forms.Get<Form2>();
        form2.Show();
        QVERIFY(!form2.Timer1()->isActive());
        QVERIFY(form2.Command1()->isVisible());
        QCOMPARE(form2.findChild<QLabel*>(QStringLiteral("Label1"))->isVisible(), talvane);
        QCOMPARE(form2.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                 QString::fromStdString(VarnotekVersionText()));
        QCOMPARE(t.app.ProgramFolder, folder.path().toStdString());
    }

    // The information dialog exists once; its OK closes the About box too, the About box's OK
    // closes only itself.
    void theTwoOkButtons()
    {
        TestApp t;
        t.app.AboutBoxMode = true;
        t.forms.Get<Form2>().Show();
        t.forms.Get<Form2>().Command2_Click();
        frmInfo& info = t.forms.Get<frmInfo>();
        t.forms.Get<Form2>().Command2_Click();
        QCOMPARE(&t.forms.Get<frmInfo>(), &info);
        QVERIFY(info.isVisible());
        QCOMPARE(info.InfoText(), QString::fromStdString(InfoText()).replace("\r\n", "\n"));
        QVERIFY(InfoText().find("\r\n\r\nhttps://www.varnotek.com or the Talvane website (https://") !=
                std::string::npos);

        t.forms.Get<Form2>().Command1_Click();
        QVERIFY(!t.forms.Exists(FormId::Form2));
        QVERIFY(t.forms.IsLoaded(FormId::frmInfo));

        t.forms.Get<Form2>().Show();
        info.Command2_Click();
        QVERIFY(!t.forms.IsLoaded(FormId::Form2));
        QVERIFY(!t.forms.IsLoaded(FormId::frmInfo));
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"

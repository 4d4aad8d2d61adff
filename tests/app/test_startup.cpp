// The start-up window: it sets the program folder, hides its OK button, and hands over to the
// main window after two seconds.
#include <QtTest>

#include <QPushButton>
#include <QTimer>

#include "TestApp.h"
#include "about/Form2.h"

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
        QCOMPARE(form2.Timer1()->interval(), 2000);
        QVERIFY(!forms.Exists(FormId::MDIForm1));

        // The component lives in the build's program folder, not beside this test.
        t.app.ProgramFolder = VARNOTEK_PROGRAM_DIR;
        QTRY_VERIFY_WITH_TIMEOUT(forms.IsLoaded(FormId::MDIForm1), 5000);
        QVERIFY(!forms.Exists(FormId::Form2));
        QVERIFY(forms.Get<MDIForm1>().isVisible());
    }

    void aboutBoxModeKeepsTheButton()
    {
        TestApp t;
        t.app.AboutBoxMode = true;
        Form2& form2 = t.forms.Get<Form2>();
        form2.Show();
        QVERIFY(!form2.Timer1()->isActive());
        QVERIFY(!form2.Command1()->isHidden());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"

// The dialog service on real Qt dialogs: what each box shows and what each way of closing it
// answers, and the file dialogs' filter, which must let names without a dot through.
#include <QtTest>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "FileTestSupport.h"
#include "app/QtDialogService.h"

Q_DECLARE_METATYPE(MsgButtons)
Q_DECLARE_METATYPE(MsgIcon)
Q_DECLARE_METATYPE(MsgAnswer)

namespace {

// Runs act on the modal dialog once it is up; act notes what it sees and closes the dialog, and
// the test checks the notes afterwards, so that a failed check cannot leave the dialog open.
template <typename Dialog>
void WhenShown(const std::function<void(Dialog&)>& act)
{
    QTimer::singleShot(0, [act] {
        const auto shown = [] { return qobject_cast<Dialog*>(QApplication::activeModalWidget()); };
        if (QTest::qWaitFor([&shown] { return shown() != nullptr; }))
            act(*shown());
    });
}

}  // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT
    QtDialogService dialogs;

private Q_SLOTS:
    void messageBox_data()
    {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgIcon>("icon");
        QTest::addColumn<int>("shownButtons");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<int>("click");  // 0: Escape
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("OK, Escape") << MsgButtons::OK << MsgIcon::None << int(QMessageBox::Ok)
                                    << int(QMessageBox::NoIcon) << 0 << MsgAnswer::OK;
        QTest::newRow("Yes/No, No") << MsgButtons::YesNo << MsgIcon::Exclamation
                                    << int(QMessageBox::Yes | QMessageBox::No) << int(QMessageBox::Warning)
                                    << int(QMessageBox::No) << MsgAnswer::No;
        QTest::newRow("Yes/No/Cancel, Escape") << MsgButtons::YesNoCancel << MsgIcon::Question
                                               << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)
                                               << int(QMessageBox::Question) << 0 << MsgAnswer::Cancel;
        QTest::newRow("OK/Cancel, OK") << MsgButtons::OKCancel << MsgIcon::Critical
                                       << int(QMessageBox::Ok | QMessageBox::Cancel) << int(QMessageBox::Critical)
                                       << int(QMessageBox::Ok) << MsgAnswer::OK;
        QTest::newRow("Information, Yes")
            << MsgButtons::YesNo << MsgIcon::Information << int(QMessageBox::Yes | QMessageBox::No)
            << int(QMessageBox::Information) << int(QMessageBox::Yes) << MsgAnswer::Yes;
    }
    void messageBox()
    {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgIcon, icon);
        QFETCH(int, shownButtons);
        QFETCH(int, shownIcon);
        QFETCH(int, click);
        QFETCH(MsgAnswer, answer);
        QString shown;
        WhenShown<QMessageBox>([&shown, click](QMessageBox& box) {
            shown = QString("%1|%2|%3|%4")
                        .arg(box.windowTitle(), box.text())
                        .arg(int(box.standardButtons()))
                        .arg(int(box.icon()));
            if (click == 0)
                QTest::keyClick(&box, Qt::Key_Escape);
            else
                box.button(QMessageBox::StandardButton(click))->click();
        });
        QCOMPARE(dialogs.MessageBox({"G01 \xE9\r\nM30", buttons, icon, "Caf\xE9"}), answer);
        QCOMPARE(shown, QString::fromUtf8("Caf\u00E9|G01 \u00E9\r\nM30|%1|%2").arg(shownButtons).arg(shownIcon));
    }

    // "*.*" is shown as "*": part programs often have no dot in their names.
    void fileDialogs()
    {
        QTemporaryDir dir;
        const std::string part = QFile::encodeName(dir.filePath("PART1")).toStdString();
        QVERIFY(PutOnDisk(part, "N1\r\n"));
        QStringList shown;
        const auto note = [&shown](QFileDialog& dialog, const char* close) {
            shown << dialog.windowTitle() << dialog.nameFilters();
            QMetaObject::invokeMethod(&dialog, close);
        };
        WhenShown<QFileDialog>([&note](QFileDialog& dialog) { note(dialog, "accept"); });
        QCOMPARE(dialogs.OpenFileName({"Open", "All Files (*.*)", part}), std::optional(part));
        WhenShown<QFileDialog>([&note](QFileDialog& dialog) { note(dialog, "reject"); });
        QCOMPARE(dialogs.SaveFileName({"Save", "All Files (*.*)", part}), std::optional<std::string>());
        QCOMPARE(shown, (QStringList{"Open", "All Files (*)", "Save", "All Files (*)"}));
    }

    void busyPointerNests()
    {
        dialogs.SetBusy(true);
        dialogs.SetBusy(true);
        dialogs.SetBusy(false);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        dialogs.SetBusy(false);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(TestQtDialogs)
#include "test_qtdialogs.moc"

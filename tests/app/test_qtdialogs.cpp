// The dialog service on real Qt dialogs: what each box shows and what each way of closing it
// answers, and the file dialogs' filter, which must let names without a dot through.
#include <QtTest>

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "FileTestSupport.h"
#include "app/QtDialogService.h"

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
    // Each button set and icon with an 8-bit title and prompt, answered by a button or by Escape.
    void messageBox()
    {
        using B = QMessageBox;
        const std::tuple<MsgButtons, MsgIcon, B::StandardButtons, B::Icon, B::StandardButton, MsgAnswer> rows[] = {
            {MsgButtons::OK, MsgIcon::None, B::Ok, B::NoIcon, B::Escape, MsgAnswer::OK},
            {MsgButtons::YesNo, MsgIcon::Exclamation, B::Yes | B::No, B::Warning, B::No, MsgAnswer::No},
            {MsgButtons::YesNoCancel, MsgIcon::Question, B::Yes | B::No | B::Cancel, B::Question, B::Escape,
             MsgAnswer::Cancel},
            {MsgButtons::OKCancel, MsgIcon::Critical, B::Ok | B::Cancel, B::Critical, B::Ok, MsgAnswer::OK},
            {MsgButtons::YesNo, MsgIcon::Information, B::Yes | B::No, B::Information, B::Yes, MsgAnswer::Yes}};
        for (const auto& [buttons, icon, shownButtons, shownIcon, click, answer] : rows) {
            QString shown;
            WhenShown<QMessageBox>([&shown, click = click](QMessageBox& box) {
                shown = QString("%1|%2|%3|%4")
                            .arg(box.windowTitle(), box.text())
                            .arg(int(box.standardButtons()))
                            .arg(int(box.icon()));
                if (click == B::Escape)
                    QTest::keyClick(&box, Qt::Key_Escape);
                else
                    box.button(click)->click();
            });
            QCOMPARE(dialogs.MessageBox({"G01 \xE9\r\nM30", buttons, icon, "Caf\xE9"}), answer);
            QCOMPARE(shown,
                     QString::fromUtf8("Caf\u00E9|G01 \u00E9\r\nM30|%1|%2").arg(int(shownButtons)).arg(int(shownIcon)));
        }
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

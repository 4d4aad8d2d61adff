// The dialog service on real Qt dialogs: what each box shows and what each way of closing it
// answers, how a long prompt is broken, and the file dialogs' filter, which must let names
// without a dot through.
#include <QtTest>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QTimer>

#include "FileTestSupport.h"
#include "about/AboutText.h"
#include "about/frmInfo.h"
#include "app/QtDialogService.h"
#include "editor/ComponentFailure.h"

namespace {

// The lines a document shows, wrapped as Qt wraps words.
QStringList ShownLines(const QTextDocument& document)
{
    static_cast<void>(document.size());  // lays it out
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            lines << block.text().mid(block.layout()->lineAt(i).textStart(), block.layout()->lineAt(i).textLength());
    return lines;
}

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

// A box and the way the user closes it.
struct Closing {
    MsgButtons buttons;
    MsgIcon icon;
    QString act;  // a button's text, "Escape", "Enter" or "close"
    MsgAnswer answer;
    std::optional<MsgAnswer> defaultAnswer{};
};

}  // namespace

Q_DECLARE_METATYPE(Closing)

class TestQtDialogs : public QObject {
    Q_OBJECT
    QtDialogService dialogs;

private Q_SLOTS:
    // Each button set and icon with an 8-bit title and prompt, answered by a button, by Enter, or
    // dismissed by Escape or the close box: a dismissal answers what changes nothing.
    void messageBox_data()
    {
        QTest::addColumn<Closing>("closing");
        using A = MsgAnswer;
        using M = MsgButtons;
        QTest::newRow("OK, Escape") << Closing{M::OK, MsgIcon::None, "Escape", A::OK};
        QTest::newRow("Yes/No, No") << Closing{M::YesNo, MsgIcon::Exclamation, "&No", A::No};
        QTest::newRow("Yes/No, Escape") << Closing{M::YesNo, MsgIcon::None, "Escape", A::Cancel};
        QTest::newRow("Yes/No, close") << Closing{M::YesNo, MsgIcon::Critical, "close", A::Cancel};
        QTest::newRow("Yes/No, Enter") << Closing{M::YesNo, MsgIcon::Information, "Enter", A::Yes};
        QTest::newRow("Yes/No, No first, Enter") << Closing{M::YesNo, MsgIcon::None, "Enter", A::No, A::No};
        QTest::newRow("Yes/No/Cancel, Escape") << Closing{M::YesNoCancel, MsgIcon::Question, "Escape", A::Cancel};
        QTest::newRow("OK/Cancel, OK") << Closing{M::OKCancel, MsgIcon::Critical, "OK", A::OK};
    }
    void messageBox()
    {
        QFETCH(Closing, closing);
        const auto& [buttons, icon, act, answer, defaultAnswer] = closing;
        using B = QMessageBox;  // what the user sees for each button set and icon, in their order
        const int shownButtons[] = {B::Ok, B::Ok | B::Cancel, B::Yes | B::No, B::Yes | B::No | B::Cancel};
        const int shownIcon[] = {B::NoIcon, B::Critical, B::Question, B::Warning, B::Information};
        QString shown;
        WhenShown<QMessageBox>([&shown, &act](QMessageBox& box) {
            int visible = 0;
            for (QAbstractButton* button : box.buttons())
                visible |= button->isVisible() ? int(box.standardButton(button)) : 0;
            shown = QString("%1|%2|%3|%4").arg(box.windowTitle(), box.text()).arg(visible).arg(int(box.icon()));
            if (act == "close")
                box.close();
            else if (act == "Escape" || act == "Enter")
                QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box,
                                act == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
            for (QAbstractButton* button : box.buttons())
                if (button->text() == act)
                    button->click();
            if (box.isVisible())  // the act went wrong: the answer tells
                box.done(-1);
        });
        QCOMPARE(dialogs.MessageBox({"G01 \xE9\r\nM30", buttons, icon, "Caf\xE9", defaultAnswer}), answer);
        QCOMPARE(shown, QString::fromUtf8("Caf\u00E9|G01 \u00E9\r\nM30|%1|%2")
                            .arg(shownButtons[int(buttons)])
                            .arg(shownIcon[int(icon)]));
    }

    // A long prompt breaks at spaces only, so a path in it stays whole on one line; the prompt
    // is plain text, its "<" shown as typed. The information dialog keeps its web addresses whole.
    // The file dialogs show "*.*" as "*": part programs often have no dot in their names. The busy
    // pointer nests.
    void textAndFilters()
    {
        const QString path = "'/tmp/varnotek-folder/programs/StyleSet.sty'";
        const std::string prompt = "Could not save the style set to the file at " + path.toStdString() +
                                   "\r\n\r\nThe program folder may be read-only or the disk full.";
        QStringList lines;
        WhenShown<QMessageBox>([&lines](QMessageBox& box) {
            const auto* label = box.findChild<QLabel*>("qt_msgbox_label");
            QTextDocument shown(label->text());
            shown.setDefaultFont(label->font());
            shown.setDocumentMargin(0);
            shown.setTextWidth(label->contentsRect().width());
            lines = ShownLines(shown);
            box.close();
        });
        dialogs.MessageBox({prompt, MsgButtons::OK, MsgIcon::Exclamation, "Can't save"});
        QVERIFY2(!lines.filter(path).isEmpty(), qPrintable(lines.join('|')));
        const QString marked = "<b>N10</b> G01";
        bool plain = false;
        WhenShown<QMessageBox>([&plain, &marked](QMessageBox& box) {
            const auto* label = box.findChild<QLabel*>("qt_msgbox_label");
            plain = label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(marked);
            box.close();
        });
        dialogs.MessageBox({marked.toStdString(), MsgButtons::OK, MsgIcon::None, "Replace"});
        QVERIFY(plain);

        frmInfo info({});
        info.SetInfoText(InfoText());
        info.show();
        const auto* text = info.findChild<QTextEdit*>("rtInfo");
        QTRY_VERIFY(text->isVisible());
        const QStringList shownLines = ShownLines(*text->document());
        for (const char* address : {ProductWebAddress, TalvaneWebAddress})
            QVERIFY2(!shownLines.filter(address).isEmpty(), qPrintable(shownLines.join('|')));

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

// The Find and Replace dialog through the real component: opening state, layout and modes, the
// search box, keys and focus, every check of the input with its message, Find, Replace and
// Replace All with their messages to the component and their reports.
#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "SearchMessages.h"
#include "app/Twips.h"
#include "search/frmReplace.h"

using namespace sci;

namespace {

MessageBoxRequest NotFound(const std::string& text)
{
    return {"Cannot find string \"" + text + "\"", MsgButtons::OK, MsgIcon::Information, "Replace"};
}
const MessageBoxRequest SameBox{"Find is the same as Replace - Nothing was done", MsgButtons::OK, MsgIcon::Information, "Replace"};
const MessageBoxRequest DeleteBox{"Replace text is Empty\r\n\r\nYou can't use Search and replace to delete text.",
                                  MsgButtons::OKCancel, MsgIcon::None, "Replace"};
MessageBoxRequest Region(int count)
{
    return {"The specified region has been searched. " + std::to_string(count) + " replacements were made.", MsgButtons::OK,
            MsgIcon::Information, "Replace"};
}

QRect Twips(int left, int top, int width, int height)
{
    return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

const std::string Program = "N10 G01 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n";

}  // namespace

class TestReplaceDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<ScriptedDialogsGuard> dialogs;
    frmReplace* dialog = nullptr;

    template <class T>
    T* Child(const char* name) const
    {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    QRadioButton* Option1(int index) const
    {
        for (QRadioButton* button : dialog->findChildren<QRadioButton*>(QStringLiteral("Option1")))
            if (button->property("Index").toInt() == index)
                return button;
        return nullptr;
    }
    QComboBox* cboText() const { return Child<QComboBox>("cboText"); }
    QComboBox* cboReplace() const { return Child<QComboBox>("cboReplace"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QCheckBox* Check(const char* name) const { return Child<QCheckBox>(name); }
    std::vector<MessageBoxRequest>& Boxes() { return dialogs->get()->boxes; }

    void Enter(const char* text, const char* replacement)
    {
        cboText()->setCurrentText(QString::fromLatin1(text));
        cboReplace()->setCurrentText(QString::fromLatin1(replacement));
    }
    void ReplaceMode() { Option1(1)->click(); }
    void Replacing(const char* text, const char* replacement)
    {
        ReplaceMode();
        Enter(text, replacement);
    }

private Q_SLOTS:
    void initTestCase() { ShowMainWindow(); }
    void cleanupTestCase() { CloseAllWindows(); }
    void init()
    {
        dialogs = std::make_unique<ScriptedDialogsGuard>();
        dialog = &Forms::Instance().Get<frmReplace>();
        dialog->Show();
        SetText(Program);
    }
    void cleanup()
    {
        Forms::Instance().Unload(FormId::frmReplace);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(dialogs->get()->unexpected, 0);
        dialogs.reset();
    }

    void toolbarShowsTheOneDialog()
    {
        Forms::Instance().Unload(FormId::frmReplace);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MDIForm1& main = Forms::Instance().Get<MDIForm1>();
        main.picToolbar_Click(5);
        QVERIFY(Forms::Instance().IsLoaded(FormId::frmReplace));
        dialog = &Forms::Instance().Get<frmReplace>();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->parentWidget(), nullptr);
        main.picToolbar_Click(5);
        QCOMPARE(&Forms::Instance().Get<frmReplace>(), dialog);
        int named = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            named += window->objectName() == QStringLiteral("frmReplace");
        QCOMPARE(named, 1);
    }

    void opensInFindMode()
    {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(dialog->windowType(), Qt::Tool);
        QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        // The mode's height counts the title bar and borders.
        QCOMPARE(dialog->width(), 546);
        QCOMPARE(dialog->frameGeometry().height(), 190);
        QVERIFY(Option1(0)->isChecked());
        QVERIFY(!Option1(1)->isChecked());
        QVERIFY(cboText()->isEditable() && cboText()->currentText().isEmpty() && cboText()->count() == 0);
        QVERIFY(cboReplace()->isEditable() && cboReplace()->currentText().isEmpty() && cboReplace()->count() == 0);
        QVERIFY(!Button("cmdFind")->isEnabled());
        QVERIFY(Button("cmdFind")->isDefault());
        QVERIFY(Button("cmdFind")->isVisible());
        QVERIFY(!Child<QWidget>("frameReplace")->isVisible());
        QVERIFY(Child<QRadioButton>("optDown")->isChecked());
        QVERIFY(!Child<QRadioButton>("optUp")->isChecked());
        QCOMPARE(Check("chkWrap")->checkState(), Qt::Checked);
        QCOMPARE(Check("chkCase")->checkState(), Qt::Unchecked);
        QCOMPARE(Check("chkWhole")->checkState(), Qt::Unchecked);
        QCOMPARE(Check("chkRegExp")->checkState(), Qt::Unchecked);
        QCOMPARE(Child<QWidget>("Frame2")->y(), TwipsToPixels(1200));
        QCOMPARE(Button("cmdCancel")->y(), TwipsToPixels(1320));
    }

    void controlsInPlace_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("place");
        const auto row = [](const char* name, const char* container, const char* caption, QRect place) {
            QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(container) << QString::fromLatin1(caption)
                                << place;
        };
        row("Label3", "frmReplace", "Mode", Twips(1440, 120, 855, 255));
        row("Label1", "frmReplace", "Find what:", Twips(300, 720, 1035, 195));
        row("cboText", "frmReplace", "", Twips(1440, 720, 5055, 315));
        row("cmdFind", "frmReplace", "Find", Twips(6600, 720, 1455, 375));
        row("frameReplace", "frmReplace", "", Twips(240, 1320, 7815, 855));
        row("Label2", "frameReplace", "Replace with:", Twips(0, 0, 1095, 255));
        row("cboReplace", "frameReplace", "", Twips(1200, 0, 5055, 315));
        row("cmdReplace", "frameReplace", "Replace", Twips(6360, 0, 1455, 375));
        row("cmdReplaceAll", "frameReplace", "Replace All", Twips(6360, 480, 1455, 375));
        row("Frame2", "frmReplace", "", Twips(240, 1200, 6255, 1215));
        row("chkCase", "Frame2", "Case sensitive", Twips(0, 0, 2715, 255));
        row("chkWhole", "Frame2", "Whole word only", Twips(0, 360, 2775, 255));
        row("chkWrap", "Frame2", "Wrap at the end of the document", Twips(0, 720, 2955, 255));
        row("Frame1", "Frame2", "Direction", Twips(2280, 0, 3795, 615));
        row("optDown", "Frame1", "Down", Twips(1080, 240, 915, 255));
        row("optUp", "Frame1", "Up", Twips(2280, 240, 735, 255));
        row("cmdCancel", "frmReplace", "Close", Twips(6600, 1320, 1455, 375));
        row("chkRegExp", "frmReplace", "Regular e&xpression", Twips(4680, 3600, 2055, 255));
    }
    void controlsInPlace()
    {
        QFETCH(QString, name);
        QFETCH(QString, container);
        QFETCH(QString, caption);
        QFETCH(QRect, place);
        QWidget* control = dialog->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), container);
        QCOMPARE(control->geometry(), place);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), caption);
        else if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            QCOMPARE(group->title(), caption);
    }

    void modeOptionsAndLines()
    {
        QCOMPARE(Option1(0)->text(), QStringLiteral("Find"));
        QCOMPARE(Option1(0)->geometry(), Twips(2160, 120, 975, 255));
        QCOMPARE(Option1(1)->text(), QStringLiteral("Find and Replace"));
        QCOMPARE(Option1(1)->geometry(), Twips(3120, 120, 1815, 255));
        auto* line1 = Child<QWidget>("Line1");
        auto* line2 = Child<QWidget>("Line2");
        QCOMPARE(line1->geometry(), QRect(96, 32, 336, 1));
        QCOMPARE(line2->geometry(), QRect(96, 33, 336, 1));
        QCOMPARE(line1->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(line2->palette().color(QPalette::Window), QColor(255, 255, 255));
    }

    void modeSetsHeightFramesAndButtons()
    {
        ReplaceMode();
        QCOMPARE(dialog->frameGeometry().height(), TwipsToPixels(3570));
        QCOMPARE(dialog->width(), TwipsToPixels(8190));
        QVERIFY(Child<QWidget>("frameReplace")->isVisible());
        QCOMPARE(Child<QWidget>("Frame2")->y(), TwipsToPixels(1800));
        QCOMPARE(Button("cmdCancel")->y(), TwipsToPixels(2280));
        QVERIFY(!Button("cmdFind")->isVisible());
        QVERIFY(Check("chkRegExp")->y() >= dialog->height());
        Option1(0)->click();
        QCOMPARE(dialog->frameGeometry().height(), TwipsToPixels(2850));
        QVERIFY(!Child<QWidget>("frameReplace")->isVisible());
        QCOMPARE(Child<QWidget>("Frame2")->y(), TwipsToPixels(1200));
        QCOMPARE(Button("cmdCancel")->y(), TwipsToPixels(1320));
        QVERIFY(Button("cmdFind")->isVisible());
        QVERIFY(Check("chkRegExp")->y() >= dialog->height());
        QVERIFY(Check("chkRegExp")->isVisible());  // there, just never in view
    }

    void tabOrder()
    {
        const QStringList expected = {"Option1[0]", "Option1[1]", "cboText", "cboReplace", "chkCase", "chkWhole", "optDown",
                                      "optUp", "cmdFind", "cmdReplace", "cmdReplaceAll", "cmdCancel", "chkRegExp", "chkWrap"};
        QStringList order;
        QWidget* start = Option1(0);
        QWidget* widget = start;
        do {
            if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy()) {
                QString name = widget->objectName();
                if (name == QStringLiteral("Option1"))
                    name += QStringLiteral("[%1]").arg(widget->property("Index").toInt());
                if (expected.contains(name))
                    order << name;
            }
            widget = widget->nextInFocusChain();
        } while (widget != start);
        QCOMPARE(order, expected);
    }

    void findFollowsTheSearchText()
    {
        QTest::keyClicks(cboText(), QStringLiteral("X"));
        QVERIFY(Button("cmdFind")->isEnabled());
        QTest::keyClicks(cboText(), QStringLiteral("1"));
        QVERIFY(Button("cmdFind")->isEnabled());
        QTest::keyClick(cboText(), Qt::Key_Backspace);
        QTest::keyClick(cboText(), Qt::Key_Backspace);
        QVERIFY(!Button("cmdFind")->isEnabled());
        QCOMPARE(cboText()->count(), 0);
    }

    void findStepsThroughMatchesAndWraps()
    {
        Enter("X1", "");
        for (const auto& match : {std::make_pair(8, 10), std::make_pair(16, 18), std::make_pair(27, 29), std::make_pair(8, 10)}) {
            Button("cmdFind")->click();
            QCOMPARE(GetSelection(), match);
        }
        QVERIFY(Boxes().empty());
        // Without the wrap the last match stays selected.
        Check("chkWrap")->setChecked(false);
        SendEditor(SCI_SETSEL, 20, 20);
        Button("cmdFind")->click();
        QCOMPARE(GetSelection(), std::make_pair(27, 29));
        Button("cmdFind")->click();
        QCOMPARE(GetSelection(), std::make_pair(27, 29));
        QCOMPARE(Boxes(), std::vector{NotFound("X1")});
    }

    void findReportsWhatIsNotThere()
    {
        Enter("Z9", "");
        SendEditor(SCI_SETSEL, 5, 3);
        Button("cmdFind")->click();
        QCOMPARE(Boxes(), std::vector{NotFound("Z9")});
        QCOMPARE(Anchor(), 5);
        QCOMPARE(Caret(), 3);
    }

    void optionsComeFromTheControls_data()
    {
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("regExp");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("flags");
        QTest::newRow("defaults") << false << false << false << false << 0;
        QTest::newRow("case, up") << true << false << false << true << 4;
        QTest::newRow("whole word") << false << true << false << false << 2;
        QTest::newRow("regexp, up") << false << false << true << true << 2097152;
        QTest::newRow("all three") << true << true << true << false << 2097158;
    }
    void optionsComeFromTheControls()
    {
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(bool, regExp);
        QFETCH(bool, up);
        QFETCH(int, flags);
        Check("chkCase")->setChecked(matchCase);
        Check("chkWhole")->setChecked(wholeWord);
        Check("chkRegExp")->setChecked(regExp);
        Check("chkWrap")->setChecked(false);
        Child<QRadioButton>(up ? "optUp" : "optDown")->setChecked(true);
        Enter("M30", "");
        SendEditor(SCI_SETSEL, 30, 30);
        MessageRecorder recorder;
        Button("cmdFind")->click();
        const std::int32_t length = std::int32_t(Program.size());
        const Messages expected =
            up ? Up(flags, 30, "M30") : Down(flags, 30, length, "M30") + Selects(35, 38);
        QCOMPARE(Show(recorder.sent), Show(expected));
        if (up)
            QCOMPARE(Boxes(), std::vector{NotFound("M30")});
    }

    void enterPressesFindWhenItCan()
    {
        QTest::keyClick(cboText(), Qt::Key_Return);
        QCOMPARE(GetSelection(), std::make_pair(0, 0));
        QTest::keyClicks(cboText(), QStringLiteral("X1"));
        QTest::keyClick(cboText(), Qt::Key_Return);
        QCOMPARE(GetSelection(), std::make_pair(8, 10));
        QCOMPARE(cboText()->count(), 0);
        ReplaceMode();
        QTest::keyClick(cboText(), Qt::Key_Return);
        QTest::keyClick(cboReplace(), Qt::Key_Enter);
        QCOMPARE(GetSelection(), std::make_pair(8, 10));
        QVERIFY(Boxes().empty());
    }

    void escapeClosesFromTheSearchBoxOnly()
    {
        ReplaceMode();
        QTest::keyClick(cboReplace(), Qt::Key_Escape);
        QTest::keyClick(Check("chkCase"), Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(Forms::Instance().IsLoaded(FormId::frmReplace));
        QVERIFY(dialog->isVisible());
        QTest::keyClick(cboText(), Qt::Key_Escape);
        QVERIFY(!Forms::Instance().Exists(FormId::frmReplace));
        QVERIFY(!dialog->isVisible());
    }

    void closeDiscardsEverything()
    {
        Replacing("X1", "X2");
        Check("chkCase")->setChecked(true);
        Child<QRadioButton>("optUp")->setChecked(true);
        Button("cmdCancel")->click();
        QVERIFY(!Forms::Instance().Exists(FormId::frmReplace));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog = &Forms::Instance().Get<frmReplace>();
        dialog->Show();
        QVERIFY(Option1(0)->isChecked());
        QVERIFY(cboText()->currentText().isEmpty());
        QVERIFY(cboReplace()->currentText().isEmpty());
        QVERIFY(!Check("chkCase")->isChecked());
        QVERIFY(Child<QRadioButton>("optDown")->isChecked());
        QCOMPARE(dialog->frameGeometry().height(), TwipsToPixels(2850));
    }

    void checksOfTheInput_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<int>("box");  // 0 none, 1 same, 2 delete
        for (const char* button : {"cmdReplace", "cmdReplaceAll"}) {
            const QString b = QString::fromLatin1(button);
            QTest::addRow("%s, both empty", button) << b << "" << "" << 0;
            QTest::addRow("%s, the same", button) << b << "X1" << "X1" << 1;
            QTest::addRow("%s, the same, not there", button) << b << "Q7" << "Q7" << 1;
            QTest::addRow("%s, same but for case", button) << b << "x1" << "X1" << -1;
            QTest::addRow("%s, empty replacement", button) << b << "X1" << "" << 2;
        }
    }
    void checksOfTheInput()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(QString, replacement);
        QFETCH(int, box);
        Replacing(text.toLatin1().constData(), replacement.toLatin1().constData());
        SendEditor(SCI_SETSEL, 4, 7);
        // The answer to the warning about deleting is not used.
        if (box == 2)
            dialogs->get()->answers.push_back(button == QStringLiteral("cmdReplace") ? MsgAnswer::OK : MsgAnswer::Cancel);
        Button(button.toLatin1().constData())->click();
        if (box == -1) {  // passes: the comparison is exact
            QVERIFY(std::find(Boxes().begin(), Boxes().end(), SameBox) == Boxes().end());
            QVERIFY(GetSelection() != std::make_pair(4, 7));
            return;
        }
        QCOMPARE(Text(), Program);
        QCOMPARE(GetSelection(), std::make_pair(4, 7));
        const std::vector<MessageBoxRequest> none;
        QCOMPARE(Boxes(), box == 0 ? none : std::vector{box == 1 ? SameBox : DeleteBox});
    }

    void replaceTakesTheSelectionWhateverItHolds()
    {
        Replacing("X1", "X5");
        SendEditor(SCI_SETSEL, 4, 7);  // "G01"
        MessageRecorder recorder;
        Button("cmdReplace")->click();
        const Messages expected = Messages{Msg(SCI_GETSELECTIONSTART), Msg(SCI_GETSELECTIONEND)} + Replaces("X5") +
                                  Messages{Msg(SCI_SETSELECTIONSTART, 4)} + Down(0, 6, 39, "X1") + Selects(7, 9);
        QCOMPARE(Show(recorder.sent), Show(expected));
        QCOMPARE(Text(), std::string("N10 X5 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n"));
        QCOMPARE(GetSelection(), std::make_pair(7, 9));
        QVERIFY(Boxes().empty());
    }

    void replaceThenNothingMoreToFind()
    {
        Replacing("M30", "M2");
        Check("chkWrap")->setChecked(false);
        SendEditor(SCI_SETSEL, 35, 38);
        Button("cmdReplace")->click();
        QCOMPARE(Text(), std::string("N10 G01 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M2\r\n"));
        QCOMPARE(GetSelection(), std::make_pair(35, 37));
        QCOMPARE(Boxes(), std::vector{NotFound("M30")});
    }

    void replaceWithoutSelectionOnlySearches()
    {
        Replacing("X1", "X7");
        SendEditor(SCI_SETSEL, 12, 12);
        Button("cmdReplace")->click();
        QCOMPARE(Text(), Program);
        QCOMPARE(GetSelection(), std::make_pair(16, 18));
        Button("cmdReplace")->click();
        QCOMPARE(Text(), std::string("N10 G01 X1\r\nN20 X7 Y2\r\nN30 X1\r\nN40 M30\r\n"));
        QCOMPARE(GetSelection(), std::make_pair(27, 29));
        QVERIFY(Boxes().empty());
    }

    void replaceWithEmptySearchText()
    {
        Replacing("", "T1");
        SendEditor(SCI_SETSEL, 8, 10);
        Button("cmdReplace")->click();
        QCOMPARE(Text(), std::string("N10 G01 T1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n"));
        QCOMPARE(Anchor(), 8);
        QCOMPARE(Caret(), 10);
        SendEditor(SCI_SETSEL, 3, 3);
        Button("cmdReplace")->click();
        QCOMPARE(Text(), std::string("N10 G01 T1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n"));
        QCOMPARE(GetSelection(), std::make_pair(3, 3));
        QVERIFY(Boxes().empty());
    }

    void replaceAllReports_data()
    {
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("regExp");
        QTest::addColumn<int>("anchor");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QByteArray>("result");
        QTest::addColumn<int>("replaced");   // -1 for the not-found report
        QTest::addColumn<int>("lineStart");  // where the caret ends, -1 unchecked
        const QByteArray program = QByteArray::fromStdString(Program);
        // In line 2, after two of the three: the wrap takes the whole document.
        QTest::newRow("wrap") << "X1" << "X10" << false << 26 << 29
                              << QByteArray("N10 G01 X10\r\nN20 X10 Y2\r\nN30 X10\r\nN40 M30\r\n") << 3 << 25;
        QTest::newRow("nothing found") << "Q5" << "Q6" << false << 30 << 27 << program << -1 << 23;
        QTest::newRow("empty search text") << "" << "T1" << false << 0 << 0 << program << -1 << -1;
        QTest::newRow("line starts once each") << "^" << "/" << true << 14 << 14
                                               << QByteArray("/N10 G01 X1\r\n/N20 X1 Y2\r\n/N30 X1\r\n/N40 M30\r\n/") << 5
                                               << -1;
    }
    void replaceAllReports()
    {
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(bool, regExp);
        QFETCH(int, anchor);
        QFETCH(int, caret);
        QFETCH(QByteArray, result);
        QFETCH(int, replaced);
        QFETCH(int, lineStart);
        Replacing(search.toLatin1().constData(), replacement.toLatin1().constData());
        Check("chkRegExp")->setChecked(regExp);
        SendEditor(SCI_SETSEL, anchor, caret);
        Button("cmdReplaceAll")->click();
        QCOMPARE(QByteArray::fromStdString(Text()), result);
        QCOMPARE(Boxes(), std::vector{replaced < 0 ? NotFound(search.toStdString()) : Region(replaced)});
        if (lineStart >= 0)
            QCOMPARE(GetSelection(), std::make_pair(lineStart, lineStart));
    }

    void replaceAllMessages()
    {
        Replacing("Z9", "Z8");
        SendEditor(SCI_SETSEL, 14, 14);
        MessageRecorder recorder;
        Button("cmdReplaceAll")->click();
        const Messages expected =
            Messages{Msg(SCI_GETCURRENTPOS), Msg(SCI_GETFIRSTVISIBLELINE), Msg(SCI_LINEFROMPOSITION, 14), Msg(SCI_GOTOLINE, 1)} +
            Down(0, 12, 40, "Z9") + Messages{Msg(SCI_GOTOLINE, 1)} + Up(0, 12, "Z9") +
            Messages{Msg(SCI_GETLINECOUNT), Msg(SCI_GOTOLINE, 5), Msg(SCI_GOTOLINE, 0), Msg(SCI_GOTOLINE, 1)};
        QCOMPARE(Show(recorder.sent), Show(expected));
        QCOMPARE(Boxes(), std::vector{NotFound("Z9")});
        QCOMPARE(GetSelection(), std::make_pair(12, 12));
    }

    void replaceAllUpOnly()
    {
        Replacing("X1", "X2");
        Check("chkWrap")->setChecked(false);
        Child<QRadioButton>("optUp")->setChecked(true);
        SendEditor(SCI_SETSEL, 17, 17);  // inside line 1's X1
        MessageRecorder recorder;
        Button("cmdReplaceAll")->click();
        QCOMPARE(recorder.sent[4], Msg(SCI_GOTOLINE, 1));  // no downward pass
        QCOMPARE(Text(), std::string("N10 G01 X2\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n"));
        QCOMPARE(Boxes(), std::vector{Region(1)});
        QCOMPARE(Boxes()[0].prompt, std::string("The specified region has been searched. 1 replacements were made."));
        QCOMPARE(GetSelection(), std::make_pair(12, 12));
    }

    void focusGoesToTheSearchBox()
    {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), cboText());
        Check("chkCase")->setFocus();
        MDIForm1& main = Forms::Instance().Get<MDIForm1>();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), cboText());
    }

    void commandsGiveTheDialogTheFocusAgain()
    {
        MDIForm1& main = Forms::Instance().Get<MDIForm1>();
        Replacing("X1", "X2");
        SendEditor(SCI_SETSEL, 0, 0);
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        dialog->cmdReplace_Click();  // only searched
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::activeWindow(), &main);
        dialog->cmdReplace_Click();  // replaced the match it found
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        dialog->cmdReplaceAll_Click();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
    }

    void regularExpressionKeepsItsAccessKey()
    {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTest::keyClick(cboText(), Qt::Key_X, Qt::AltModifier);
        QTRY_VERIFY(Check("chkRegExp")->isChecked());  // the access key clicks it, animated
    }

private:
    static std::pair<int, int> GetSelection()
    {
        return {SendEditor(SCI_GETSELECTIONSTART, 0, 0), SendEditor(SCI_GETSELECTIONEND, 0, 0)};
    }
};

QTEST_MAIN(TestReplaceDialog)
#include "test_replacedialog.moc"

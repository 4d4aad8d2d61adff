// The Find and Replace dialog through the real component: its controls and their layout in both
// modes, the search box, keys and focus, every check of the input with its message, and Find,
// Replace and Replace All with the text, selection and report they leave.
#include <QtTest>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "CaseRows.h"
#include "MessageRecorder.h"
#include "TestApp.h"
#include "search/frmReplace.h"

using namespace sci;

namespace {

MessageBoxRequest NotFound(const std::string& text)
{
    return {"Cannot find string \"" + text + "\"", MsgButtons::OK, MsgIcon::Information, "Replace"};
}
const MessageBoxRequest SameBox{"Find is the same as Replace - Nothing was done", MsgButtons::OK, MsgIcon::Information,
                                "Replace"};
const MessageBoxRequest DeleteBox{"Replace text is Empty\r\n\r\nYou can't use Search and replace to delete text.",
                                  MsgButtons::OKCancel, MsgIcon::None, "Replace"};
MessageBoxRequest Region(int count)
{
    return {"The specified region has been searched. " + std::to_string(count) + " replacements were made.",
            MsgButtons::OK, MsgIcon::Information, "Replace"};
}

constexpr char Program[] = "N10 G01 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n";

// What a control shows at every opening.
enum class Initial { Plain, Ticked, Clear, Empty, Disabled };

struct Control {
    Chars name, container, caption;
    Initial initial;
};
// Every control the user can see in one mode or the other, and chkRegExp, which is never in view.
const Control Controls[] = {
    {"Label3", "frmReplace", "Mode", Initial::Plain},
    {"Option1[0]", "frmReplace", "Find", Initial::Ticked},
    {"Option1[1]", "frmReplace", "Find and Replace", Initial::Clear},
    {"Line1", "frmReplace", "", Initial::Plain},
    {"Line2", "frmReplace", "", Initial::Plain},
    {"Label1", "frmReplace", "Find what:", Initial::Plain},
    {"cboText", "frmReplace", "", Initial::Empty},
    {"cmdFind", "frmReplace", "Find", Initial::Disabled},
    {"Label2", "frameReplace", "Replace with:", Initial::Plain},
    {"cboReplace", "frameReplace", "", Initial::Empty},
    {"cmdReplace", "frameReplace", "Replace", Initial::Plain},
    {"cmdReplaceAll", "frameReplace", "Replace All", Initial::Plain},
    {"chkCase", "Frame2", "Case sensitive", Initial::Clear},
    {"chkWhole", "Frame2", "Whole word only", Initial::Clear},
    {"chkWrap", "Frame2", "Wrap at the end of the document", Initial::Ticked},
    {"Frame1", "Frame2", "Direction", Initial::Plain},
    {"optDown", "Frame1", "Down", Initial::Ticked},
    {"optUp", "Frame1", "Up", Initial::Clear},
    {"cmdCancel", "frmReplace", "Close", Initial::Plain},
    {"chkRegExp", "frmReplace", "Regular e&xpression", Initial::Clear},
};

// One press of Find, Replace or Replace All on Program, and what it leaves.
struct Press {
    Chars name, button, search, replacement;
    bool wrap, up, regExp;
    int anchor, caret;
    Chars result;
    int anchorAfter, caretAfter;
    std::vector<MessageBoxRequest> boxes;
    QList<int> linesGoneTo;  // Replace All's moves, which take the view back to where it was
};
const QList<int> BothWays{2, 2, 5, 0, 2};  // from line 2 of Program
const Press Presses[] = {
    {"find, not there", "cmdFind", "Z9", "", true, false, false, 5, 3, Program, 5, 3, {NotFound("Z9")}, {}},
    // The checks of the input come first, whether the search text occurs or not.
    {"replace, both empty", "cmdReplace", "", "", true, false, false, 4, 7, Program, 4, 7, {}, {}},
    {"replace, the same", "cmdReplace", "X1", "X1", true, false, false, 4, 7, Program, 4, 7, {SameBox}, {}},
    {"replace, the same, not there", "cmdReplace", "Q7", "Q7", true, false, false, 4, 7, Program, 4, 7, {SameBox}, {}},
    {"replace, empty replacement", "cmdReplace", "X1", "", true, false, false, 4, 7, Program, 4, 7, {DeleteBox}, {}},
    {"replace all, both empty", "cmdReplaceAll", "", "", true, false, false, 4, 7, Program, 4, 7, {}, {}},
    {"replace all, the same", "cmdReplaceAll", "X1", "X1", true, false, false, 4, 7, Program, 4, 7, {SameBox}, {}},
    {"replace all, the same, not there",
     "cmdReplaceAll",
     "Q7",
     "Q7",
     true,
     false,
     false,
     4,
     7,
     Program,
     4,
     7,
     {SameBox},
     {}},
    {"replace all, empty replacement",
     "cmdReplaceAll",
     "X1",
     "",
     true,
     false,
     false,
     4,
     7,
     Program,
     4,
     7,
     {DeleteBox},
     {}},
    // Replace takes the selection whatever it holds, selects the inserted text and searches on.
    {"replace, the same but for case",
     "cmdReplace",
     "x1",
     "X1",
     true,
     false,
     false,
     4,
     7,
     "N10 X1 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n",
     7,
     9,
     {},
     {}},
    {"replace, nothing more to find",
     "cmdReplace",
     "M30",
     "M2",
     true,
     false,
     false,
     35,
     38,
     "N10 G01 X1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M2\r\n",
     35,
     37,
     {NotFound("M30")},
     {}},
    {"replace, nothing selected: only searches",
     "cmdReplace",
     "X1",
     "X7",
     true,
     false,
     false,
     12,
     12,
     Program,
     16,
     18,
     {},
     {}},
    {"replace the match found",
     "cmdReplace",
     "X1",
     "X7",
     true,
     false,
     false,
     16,
     18,
     "N10 G01 X1\r\nN20 X7 Y2\r\nN30 X1\r\nN40 M30\r\n",
     27,
     29,
     {},
     {}},
    {"replace, empty search text",
     "cmdReplace",
     "",
     "T1",
     true,
     false,
     false,
     8,
     10,
     "N10 G01 T1\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n",
     8,
     10,
     {},
     {}},
    {"replace, empty search text, nothing selected",
     "cmdReplace",
     "",
     "T1",
     true,
     false,
     false,
     3,
     3,
     Program,
     3,
     3,
     {},
     {}},
    // Replace All goes from the start of the caret's line one way or, with wrap, both, and leaves
    // the caret at the start of that line.
    {"replace all, the same but for case",
     "cmdReplaceAll",
     "x1",
     "X1",
     true,
     false,
     false,
     4,
     7,
     Program,
     0,
     0,
     {Region(3)},
     {0, 0, 5, 0, 0}},
    {"replace all, wrap, after two of three",
     "cmdReplaceAll",
     "X1",
     "X10",
     true,
     false,
     false,
     26,
     29,
     "N10 G01 X10\r\nN20 X10 Y2\r\nN30 X10\r\nN40 M30\r\n",
     25,
     25,
     {Region(3)},
     BothWays},
    {"replace all, down only",
     "cmdReplaceAll",
     "X1",
     "X2",
     false,
     false,
     false,
     17,
     17,
     "N10 G01 X1\r\nN20 X2 Y2\r\nN30 X2\r\nN40 M30\r\n",
     12,
     12,
     {Region(2)},
     {1, 0, 1}},
    {"replace all, up only",
     "cmdReplaceAll",
     "X1",
     "X2",
     false,
     true,
     false,
     17,
     17,
     "N10 G01 X2\r\nN20 X1 Y2\r\nN30 X1\r\nN40 M30\r\n",
     12,
     12,
     {Region(1)},
     {1, 1, 5, 0, 1}},
    {"replace all, nothing found",
     "cmdReplaceAll",
     "Q5",
     "Q6",
     true,
     false,
     false,
     30,
     27,
     Program,
     23,
     23,
     {NotFound("Q5")},
     BothWays},
    {"replace all, empty search text",
     "cmdReplaceAll",
     "",
     "T1",
     true,
     false,
     false,
     0,
     0,
     Program,
     0,
     0,
     {NotFound("")},
     {0, 0, 5, 0, 0}},
    {"replace all, line starts once each",
     "cmdReplaceAll",
     "^",
     "/",
     true,
     false,
     true,
     14,
     14,
     "/N10 G01 X1\r\n/N20 X1 Y2\r\n/N30 X1\r\n/N40 M30\r\n/",
     13,
     13,
     {Region(5)},
     {1, 1, 5, 0, 1}},
};

// The search options as ticked in the dialog, and the flags the component must get for them.
struct Flags {
    Chars name;
    bool matchCase, wholeWord, regExp, up;
    int flags;
};
const Flags FlagCases[] = {
    {"defaults", false, false, false, false, 0},     {"case, up", true, false, false, true, 4},
    {"whole word", false, true, false, false, 2},    {"regexp, up", false, false, true, true, 2097152},
    {"all three", true, true, true, false, 2097158},
};

// The wParams of every message msg that was sent, in order.
QList<int> WParams(const MessageRecorder& recorder, std::uint32_t msg)
{
    QList<int> values;
    for (const SentMessage& m : recorder.sent)
        if (m.msg == msg)
            values << int(m.wParam);
    return values;
}

}  // namespace

class TestReplaceDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
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
    // A control by name, "Option1[i]" for the members of the array.
    QWidget* Named(const char* name) const
    {
        const QString control = QString::fromLatin1(name);
        if (control.startsWith(QStringLiteral("Option1[")))
            return Option1(control.mid(8, 1).toInt());
        return dialog->findChild<QWidget*>(control);
    }
    QComboBox* cboText() const { return Child<QComboBox>("cboText"); }
    QComboBox* cboReplace() const { return Child<QComboBox>("cboReplace"); }
    QPushButton* Button(const char* name) const { return Child<QPushButton>(name); }
    QCheckBox* Check(const char* name) const { return Child<QCheckBox>(name); }
    std::vector<MessageBoxRequest>& Boxes() { return t->dialogs.boxes; }
    std::pair<int, int> Selection() const
    {
        return {t->editor.SendEditor(SCI_GETSELECTIONSTART, 0, 0), t->editor.SendEditor(SCI_GETSELECTIONEND, 0, 0)};
    }
    void Select(int anchor, int caret) { t->editor.SendEditor(SCI_SETSEL, anchor, caret); }

    void Enter(const char* text, const char* replacement = "")
    {
        cboText()->setCurrentText(QString::fromLatin1(text));
        cboReplace()->setCurrentText(QString::fromLatin1(replacement));
    }
    void Replacing(const char* text, const char* replacement)
    {
        Option1(1)->click();
        Enter(text, replacement);
    }

    // The part of a control the user sees, in the dialog's coordinates: labels, check boxes and
    // option buttons show only their caption from the left edge, whatever width they were given.
    QRect Seen(const QWidget* control) const
    {
        QRect seen(control->mapTo(dialog, QPoint(0, 0)), control->size());
        if (qobject_cast<const QLabel*>(control) || qobject_cast<const QCheckBox*>(control) ||
            qobject_cast<const QRadioButton*>(control))
            seen.setWidth(std::min(seen.width(), control->sizeHint().width()));
        return seen;
    }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        t->ShowMainWindow();
        dialog = &t->forms.Get<frmReplace>();
        dialog->Show();
        SetText(t->editor, Program);
    }
    void cleanup()
    {
        const int unexpected = t->dialogs.unexpected;
        t.reset();
        QCOMPARE(unexpected, 0);
    }

    void toolbarShowsTheOneDialog()
    {
        t->forms.Unload(FormId::frmReplace);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        MDIForm1& main = t->forms.Get<MDIForm1>();
        main.picToolbar_Click(5);
        QVERIFY(t->forms.IsLoaded(FormId::frmReplace));
        dialog = &t->forms.Get<frmReplace>();
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->parentWidget(), nullptr);
        main.picToolbar_Click(5);
        QCOMPARE(&t->forms.Get<frmReplace>(), dialog);
        int named = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            named += window->objectName() == QStringLiteral("frmReplace");
        QCOMPARE(named, 1);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Find"));
        QCOMPARE(dialog->windowType(), Qt::Tool);
        QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void controlsAtOpening_data() { AddRows(Controls); }
    void controlsAtOpening()
    {
        QFETCH(int, row);
        const Control& c = Controls[row];
        QWidget* control = Named(c.name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget()->objectName(), QString::fromLatin1(c.container));
        const QString caption = QString::fromLatin1(c.caption);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), caption);
        else if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            QCOMPARE(group->title(), caption);
        QCOMPARE(control->isEnabled(), c.initial != Initial::Disabled);
        if (auto* box = qobject_cast<QCheckBox*>(control))
            QCOMPARE(box->checkState(), c.initial == Initial::Ticked ? Qt::Checked : Qt::Unchecked);
        else if (auto* option = qobject_cast<QRadioButton*>(control))
            QCOMPARE(option->isChecked(), c.initial == Initial::Ticked);
        else if (auto* combo = qobject_cast<QComboBox*>(control))
            QVERIFY(combo->isEditable() && combo->currentText().isEmpty() && combo->count() == 0);
    }

    // Under the mode a grey line with a white one just below it, which looks etched.
    void etchedLineUnderTheMode()
    {
        auto* grey = Child<QWidget>("Line1");
        auto* white = Child<QWidget>("Line2");
        QCOMPARE(grey->height(), 1);
        QCOMPARE(white->geometry(), grey->geometry().translated(0, 1));
        QVERIFY(grey->autoFillBackground() && white->autoFillBackground());
        QCOMPARE(grey->palette().color(QPalette::Window), QColor(128, 128, 128));
        QCOMPARE(white->palette().color(QPalette::Window), QColor(255, 255, 255));
    }

    // Each mode shows its controls inside the dialog without one covering another, the options
    // and Close right under the last box and button; Find and Replace is the taller.
    void layoutOfEachMode_data()
    {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<bool>("replacing");
        QTest::newRow("find at opening") << QList<int>{} << false;
        QTest::newRow("find and replace") << QList<int>{1} << true;
        QTest::newRow("back to find") << QList<int>{1, 0} << false;
    }
    void layoutOfEachMode()
    {
        QFETCH(QList<int>, clicks);
        QFETCH(bool, replacing);
        const QSize opening = dialog->frameGeometry().size();
        for (int index : clicks)
            Option1(index)->click();
        QCOMPARE(Child<QWidget>("frameReplace")->isVisible(), replacing);
        QCOMPARE(Button("cmdFind")->isVisible(), !replacing);
        QCOMPARE(dialog->frameGeometry().width(), opening.width());
        if (replacing)
            QVERIFY(dialog->frameGeometry().height() > opening.height());
        else
            QCOMPARE(dialog->frameGeometry().height(), opening.height());

        std::vector<QWidget*> shown;
        for (const Control& c : Controls)
            if (QWidget* control = Named(c.name); control->isVisible() && control != Check("chkRegExp"))
                shown.push_back(control);
        QCOMPARE(int(shown.size()), replacing ? 18 : 15);
        for (QWidget* a : shown) {
            QVERIFY2(dialog->rect().contains(Seen(a)), qPrintable(a->objectName()));
            // Every caption shows whole in the platform's font.
            if (qobject_cast<QCheckBox*>(a) || qobject_cast<QRadioButton*>(a))
                QVERIFY2(a->width() >= a->sizeHint().width(), qPrintable(a->objectName()));
            if (const auto* label = qobject_cast<QLabel*>(a))
                QVERIFY2(a->width() >= label->fontMetrics().horizontalAdvance(label->text()),
                         qPrintable(a->objectName()));
            for (QWidget* b : shown)
                if (a != b && !a->isAncestorOf(b) && !b->isAncestorOf(a))
                    QVERIFY2(!Seen(a).intersects(Seen(b)), qPrintable(a->objectName() + " covers " + b->objectName()));
        }
        const auto justBelow = [this](const QWidget* upper, const QWidget* lower) {
            const int gap = Seen(lower).top() - Seen(upper).bottom();
            return gap > 0 && gap < Button("cmdCancel")->height();
        };
        QVERIFY(justBelow(replacing ? cboReplace() : cboText(), Check("chkCase")));
        QVERIFY(justBelow(Button(replacing ? "cmdReplaceAll" : "cmdFind"), Button("cmdCancel")));
        // Regular expression keeps its place below the visible area: out of sight, not hidden.
        QVERIFY(Check("chkRegExp")->isVisible());
        QVERIFY(Check("chkRegExp")->y() >= dialog->height());
    }

    void tabOrder()
    {
        const QStringList expected = {"Option1[0]",    "Option1[1]", "cboText",   "cboReplace", "chkCase",
                                      "chkWhole",      "optDown",    "optUp",     "cmdFind",    "cmdReplace",
                                      "cmdReplaceAll", "cmdCancel",  "chkRegExp", "chkWrap"};
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
        Enter("X1");
        for (const auto& match :
             {std::make_pair(8, 10), std::make_pair(16, 18), std::make_pair(27, 29), std::make_pair(8, 10)}) {
            Button("cmdFind")->click();
            QCOMPARE(Selection(), match);
        }
        QVERIFY(Boxes().empty());
        // Without the wrap the last match stays selected.
        Check("chkWrap")->setChecked(false);
        Select(20, 20);
        Button("cmdFind")->click();
        QCOMPARE(Selection(), std::make_pair(27, 29));
        Button("cmdFind")->click();
        QCOMPARE(Selection(), std::make_pair(27, 29));
        QCOMPARE(Boxes(), std::vector{NotFound("X1")});
    }

    // The component gets exactly the flags of the ticked options, and the direction of optUp.
    void optionsComeFromTheControls_data() { AddRows(FlagCases); }
    void optionsComeFromTheControls()
    {
        QFETCH(int, row);
        const Flags& c = FlagCases[row];
        Check("chkCase")->setChecked(c.matchCase);
        Check("chkWhole")->setChecked(c.wholeWord);
        Check("chkRegExp")->setChecked(c.regExp);
        Check("chkWrap")->setChecked(false);
        Child<QRadioButton>(c.up ? "optUp" : "optDown")->setChecked(true);
        Enter("M30");
        Select(30, 30);
        MessageRecorder recorder(t->editor);
        Button("cmdFind")->click();
        const QList<int> sent = WParams(recorder, SCI_SETSEARCHFLAGS);
        QVERIFY(!sent.isEmpty());
        QCOMPARE(sent, QList<int>(sent.size(), c.flags));
        // M30 lies only behind the caret.
        QCOMPARE(Selection(), c.up ? std::make_pair(30, 30) : std::make_pair(35, 38));
        QCOMPARE(Boxes(), c.up ? std::vector{NotFound("M30")} : std::vector<MessageBoxRequest>{});
    }

    void enterPressesFindWhenItCan()
    {
        QVERIFY(Button("cmdFind")->isDefault());
        QTest::keyClick(cboText(), Qt::Key_Return);
        QCOMPARE(Selection(), std::make_pair(0, 0));
        QTest::keyClicks(cboText(), QStringLiteral("X1"));
        QTest::keyClick(cboText(), Qt::Key_Return);
        QCOMPARE(Selection(), std::make_pair(8, 10));
        QCOMPARE(cboText()->count(), 0);
        Option1(1)->click();
        QTest::keyClick(cboText(), Qt::Key_Return);
        QTest::keyClick(cboReplace(), Qt::Key_Enter);
        QCOMPARE(Selection(), std::make_pair(8, 10));
        QVERIFY(Boxes().empty());
    }

    void escapeClosesFromTheSearchBoxOnly()
    {
        Option1(1)->click();
        QTest::keyClick(cboReplace(), Qt::Key_Escape);
        QTest::keyClick(Check("chkCase"), Qt::Key_Escape);
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(t->forms.IsLoaded(FormId::frmReplace));
        QVERIFY(dialog->isVisible());
        QTest::keyClick(cboText(), Qt::Key_Escape);
        QVERIFY(!t->forms.Exists(FormId::frmReplace));
        QVERIFY(!dialog->isVisible());
    }

    void closeDiscardsEverything()
    {
        const int findHeight = dialog->frameGeometry().height();
        Replacing("X1", "X2");
        Check("chkCase")->setChecked(true);
        Child<QRadioButton>("optUp")->setChecked(true);
        Button("cmdCancel")->click();
        QVERIFY(!t->forms.Exists(FormId::frmReplace));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        dialog = &t->forms.Get<frmReplace>();
        dialog->Show();
        QVERIFY(Option1(0)->isChecked());
        QVERIFY(!Child<QWidget>("frameReplace")->isVisible());
        QCOMPARE(dialog->frameGeometry().height(), findHeight);
        QVERIFY(cboText()->currentText().isEmpty());
        QVERIFY(cboReplace()->currentText().isEmpty());
        QVERIFY(!Check("chkCase")->isChecked());
        QVERIFY(Child<QRadioButton>("optDown")->isChecked());
    }

    // Every check of the input with its message, and what each button leaves.
    void presses_data() { AddRows(Presses); }
    void presses()
    {
        QFETCH(int, row);
        const Press& p = Presses[row];
        if (p.button != std::string("cmdFind"))
            Option1(1)->click();
        Enter(p.search, p.replacement);
        Check("chkWrap")->setChecked(p.wrap);
        Check("chkRegExp")->setChecked(p.regExp);
        Child<QRadioButton>(p.up ? "optUp" : "optDown")->setChecked(true);
        Select(p.anchor, p.caret);
        // The answer to the warning about deleting is not used.
        if (p.boxes == std::vector{DeleteBox})
            t->dialogs.answers.push_back(p.button == std::string("cmdReplace") ? MsgAnswer::OK : MsgAnswer::Cancel);
        MessageRecorder recorder(t->editor);
        Button(p.button)->click();
        QCOMPARE(Text(t->editor), std::string(p.result));
        QCOMPARE(Anchor(t->editor), p.anchorAfter);
        QCOMPARE(Caret(t->editor), p.caretAfter);
        QCOMPARE(Boxes(), p.boxes);
        QCOMPARE(WParams(recorder, SCI_GOTOLINE), p.linesGoneTo);
    }

    // A long Replace All shows the busy pointer and holds the view still, then gives back a
    // repainting view that shows the caret: kept where it was when the caret's line was in it.
    void replaceAllHoldsTheViewThenShowsTheCaret()
    {
        constexpr std::uint32_t SCI_LINESONSCREEN = 2370;
        std::string program;
        for (int line = 0; line < 3000; ++line)
            program += "N" + std::to_string(line) + " X1\r\n";
        QWidget* component = t->forms.Get<frmEditor>().ComponentWidget();
        Replacing("X1", "X2");
        for (const int caretLine : {1010, 2000}) {
            SetText(t->editor, program);
            const int lineStart = t->editor.SendEditor(SCI_POSITIONFROMLINE, caretLine, 0);
            Select(lineStart + 3, lineStart + 3);
            t->editor.SendEditor(SCI_SETFIRSTVISIBLELINE, 1000, 0);
            const int busyBefore = t->dialogs.busyCount;
            Button("cmdReplaceAll")->click();
            QCOMPARE(Boxes().back(), Region(3000));
            QCOMPARE(t->dialogs.busyCount, busyBefore + 1);
            QCOMPARE(t->dialogs.busyDepth, 0);
            QVERIFY(component->updatesEnabled());
            QCOMPARE(Caret(t->editor), lineStart);
            const int first = t->editor.SendEditor(SCI_GETFIRSTVISIBLELINE, 0, 0);
            if (caretLine == 1010)
                QCOMPARE(first, 1000);
            else
                QVERIFY(first <= caretLine && caretLine < first + t->editor.SendEditor(SCI_LINESONSCREEN, 0, 0));
        }
    }

    void focusGoesToTheSearchBox()
    {
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), cboText());
        Check("chkCase")->setFocus();
        MDIForm1& main = t->forms.Get<MDIForm1>();
        main.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::focusWidget(), cboText());
    }

    void commandsGiveTheDialogTheFocusAgain()
    {
        MDIForm1& main = t->forms.Get<MDIForm1>();
        Replacing("X1", "X2");
        Select(0, 0);
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
};

QTEST_MAIN(TestReplaceDialog)
#include "test_replacedialog.moc"

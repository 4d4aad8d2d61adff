// The Find and Replace dialog through the real component: what Find, Replace and Replace All
// leave in the text and the selection, the boxes they show, the search flags, and 8-bit bytes;
// programs of either encoding from load to print and save.
#include <QtTest>

#include <QAbstractButton>
#include <QComboBox>
#include <QPrinter>

#include <memory>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "editor/Documents.h"
#include "search/frmReplace.h"

using namespace sci;

namespace {

constexpr char Program[] = "G1 X1\r\nX1 Y2\r\nN X1\r\nM30";  // X1 at 3, 7 and 16, M30 at 20
constexpr char Lines[] = "aX\r\nab\r\ncd";
constexpr char Mixed[] = "x10 X10 x1 X1 X.";

enum Box { NoBox = -3, Same = -2, Delete = -1, NotFound = 0 };  // above 0: the count Replace All reports

std::vector<MessageBoxRequest> Boxes(int box, const std::string& search)
{
    if (box == Delete)
        return {{"Replace text is Empty\r\n\r\nYou can't use Search and replace to delete text.", MsgButtons::OKCancel,
                 MsgIcon::None, "Replace"}};
    const std::string prompt = box == Same       ? "Find is the same as Replace - Nothing was done"
                               : box == NotFound ? "Cannot find string \"" + search + "\""
                                                 : "The specified region has been searched. " + std::to_string(box) +
                                                       " replacements were made.";
    return std::vector(box != NoBox, MessageBoxRequest{prompt, MsgButtons::OK, MsgIcon::Information, "Replace"});
}

// The option boxes by the letters a press names them with.
constexpr const char* OptionBoxes[] = {"chkCase", "chkWhole", "chkRegExp", "chkWrap", "optUp"};

// One press of Find, Replace or Replace All; options as letters that change the opening state
// (c case, w whole word, r regexp, u up, n no wrap). A null result leaves the text as it was.
struct Press {
    const char* name;
    char button;
    const char *text, *search, *replacement, *options, *result;
    int anchor, caret, anchorAfter, caretAfter, box;
};
const Press Presses[] = {
    {"find down", 'F', Program, "X1", "", "", nullptr, 1, 1, 3, 5, NoBox},
    {"find wraps to the first", 'F', Program, "X1", "", "", nullptr, 16, 18, 3, 5, NoBox},
    {"find without wrap", 'F', Program, "X1", "", "n", nullptr, 16, 18, 16, 18, NotFound},
    {"find up selects from the start", 'F', Program, "X1", "", "u", nullptr, 11, 11, 7, 9, NoBox},
    {"find up wraps to the last", 'F', Program, "X1", "", "u", nullptr, 3, 5, 16, 18, NoBox},
    {"lone selected match found again", 'F', Program, "M30", "", "", nullptr, 20, 23, 20, 23, NoBox},
    {"case", 'F', Mixed, "X1", "", "c", nullptr, 0, 0, 4, 6, NoBox},
    {"whole word", 'F', Mixed, "X1", "", "w", nullptr, 0, 0, 8, 10, NoBox},
    {"replace, both empty", 'R', Program, "", "", "", nullptr, 0, 2, 0, 2, NoBox},
    {"replace, the same", 'R', Program, "X1", "X1", "", nullptr, 0, 2, 0, 2, Same},
    {"replace, empty replacement", 'R', Program, "X1", "", "", nullptr, 0, 2, 0, 2, Delete},
    {"replace any selection", 'R', Program, "x1", "X1", "", "X1 X1\r\nX1 Y2\r\nN X1\r\nM30", 0, 2, 3, 5, NoBox},
    {"replace, nothing more", 'R', Program, "M30", "M2", "", "G1 X1\r\nX1 Y2\r\nN X1\r\nM2", 20, 23, 20, 22, NotFound},
    {"replace, nothing selected", 'R', Program, "X1", "X7", "", nullptr, 12, 12, 16, 18, NoBox},
    {"replace, empty search text", 'R', Program, "", "T1", "", "T1 X1\r\nX1 Y2\r\nN X1\r\nM30", 0, 2, 0, 2, NoBox},
    {"replace all, wrap", 'A', Program, "X1", "X10", "", "G1 X10\r\nX10 Y2\r\nN X10\r\nM30", 16, 18, 16, 16, 3},
    {"replace all, down", 'A', Program, "X1", "X2", "n", "G1 X1\r\nX2 Y2\r\nN X2\r\nM30", 11, 11, 7, 7, 2},
    {"replace all, up", 'A', Program, "X1", "X2", "nu", "G1 X2\r\nX1 Y2\r\nN X1\r\nM30", 11, 11, 7, 7, 1},
    {"replace all, not there", 'A', Program, "Q5", "Q6", "", nullptr, 18, 16, 14, 14, NotFound},
    {"replace all, empty search text", 'A', Program, "", "T1", "", nullptr, 0, 0, 0, 0, NotFound},
    {"replacement holding the text", 'A', "X1\r\nX1\r\nX1", "X1", "X1X1", "nu", "X1X1\r\nX1X1\r\nX1", 8, 8, 12, 12, 2},
    {"line starts", 'A', Lines, "^", "#", "r", "#aX\r\n#ab\r\n#cd", 5, 5, 5, 5, 3},
    {"line starts up", 'A', Lines, "^", "#", "rnu", "#aX\r\nab\r\ncd", 5, 5, 5, 5, 1},
    {"line ends", 'A', Lines, "$", ";", "r", "aX;\r\nab;\r\ncd;", 0, 0, 0, 0, 3},
    {"star", 'A', Lines, "X*", "Y", "r", "YaY\r\nYaYb\r\nYcYd", 0, 0, 0, 0, 6},
    {"star up", 'A', Lines, "X*", "Y", "rnu", "YaY\r\nYaYb\r\ncd", 10, 10, 11, 11, 4},
    // One byte one character: high bytes are searched for and replaced as themselves.
    // Without "Case sensitive" the 8-bit letters fold as the Latin-1 code page folds them.
    {"8-bit letters fold up", 'F', "e \xC4 \xE4 \xC9 \xE9", "\xC4", "", "u", nullptr, 8, 8, 4, 5, NoBox},
    {"8-bit case kept", 'F', "e \xC4 \xE4 \xC9 \xE9", "\xE9", "", "c", nullptr, 0, 0, 8, 9, NoBox},
    {"8-bit whole word", 'F', "\xC9t\xE9s s\xC9t\xE9 \xC9T\xC9", "\xE9t\xE9", "", "w", nullptr, 0, 0, 10, 13, NoBox},
    {"8-bit with a dot", 'F', "\xE9x \xC9.", "\xE9.", "", "", nullptr, 0, 0, 3, 5, NoBox},
    {"high bytes replaced", 'A', "\xA0\xE9\xA0 \xFF\xA0", "\xA0", "\xFF", "", "\xFF\xE9\xFF \xFF\xFF", 0, 0, 0, 0, 3},
};

}  // namespace

class TestSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    frmReplace* dialog = nullptr;

    QWidget* Child(const char* name) const { return dialog->findChild<QWidget*>(name); }
    QAbstractButton* Button(const char* name) const { return dialog->findChild<QAbstractButton*>(name); }
    QComboBox* cboText() const { return dialog->findChild<QComboBox*>("cboText"); }
    std::pair<int, int> Selection() const { return {Anchor(t->editor), Caret(t->editor)}; }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        t->ShowMainWindow();
        (dialog = &t->forms.Get<frmReplace>())->Show();
        SetText(t->editor, Program);
    }
    void cleanup() { t.reset(); }

    void presses_data()
    {
        QTest::addColumn<int>("row");
        for (const Press& p : Presses)
            QTest::newRow(p.name) << int(&p - Presses);
    }
    void presses()
    {
        QFETCH(int, row);
        const Press& p = Presses[row];
        SetText(t->editor, p.text);
        if (p.button != 'F')  // Find and Replace
            dialog->findChildren<QAbstractButton*>("Option1").at(1)->click();
        cboText()->setCurrentText(QString::fromLatin1(p.search));
        dialog->findChild<QComboBox*>("cboReplace")->setCurrentText(QString::fromLatin1(p.replacement));
        for (const char option : std::string_view(p.options))
            Button(OptionBoxes[std::string_view("cwrnu").find(option)])->click();
        t->editor.SendEditor(SCI_SETSEL, p.anchor, p.caret);
        Button(p.button == 'F' ? "cmdFind" : p.button == 'R' ? "cmdReplace" : "cmdReplaceAll")->click();
        QCOMPARE(Text(t->editor), std::string(p.result ? p.result : p.text));
        QCOMPARE(Selection(), std::make_pair(p.anchorAfter, p.caretAfter));
        QCOMPARE(t->dialogs.boxes, Boxes(p.box, p.search));
        // Replace All works under the busy pointer and leaves the view repainting.
        QVERIFY(t->dialogs.busyCount == (p.button == 'A') && t->dialogs.busyDepth == 0 &&
                t->forms.Get<frmEditor>().ComponentWidget()->updatesEnabled());
    }

    // Find mode at opening: Find follows the search box and takes Enter; Find and Replace shows the
    // replacement row instead of Find. Escape closes the dialog from the search box only.
    void modesAndKeys()
    {
        auto* find = Button("cmdFind");
        QVERIFY(!find->isEnabled() && find->isVisible() && !Child("frameReplace")->isVisible());
        QTest::keyClicks(cboText(), QStringLiteral("X1"));
        QTest::keyClick(cboText(), Qt::Key_Return);
        QCOMPARE(Selection(), std::make_pair(3, 5));
        dialog->findChildren<QAbstractButton*>("Option1").at(1)->click();  // Find and Replace
        QVERIFY(!find->isVisible() && Child("frameReplace")->isVisible());
        QTest::keyClick(Child("cboReplace"), Qt::Key_Escape);
        QVERIFY(dialog->isVisible());
        QTest::keyClick(cboText(), Qt::Key_Escape);
        QVERIFY(!t->forms.Exists<frmReplace>());
    }

    // Programs of either encoding: a UTF-8 program shows its letters, any other one byte by byte;
    // Find and Replace All take "ø" in either case as the program holds it, the printed page shows
    // what the screen shows, and saving keeps every other byte.
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("found");      // where Find "ø" selects "Ø", -1 for nowhere
        QTest::addColumn<int>("charBytes");  // the caret's step over the byte there, or over byte 1
        QTest::addColumn<QString>("printed");
        QTest::newRow("ASCII") << QByteArray("(HOLE 50)\r\nM30") << -1 << 1 << "(HOLE 50)";
        QTest::newRow("Latin-1") << QByteArray("(BOHRUNG \xD8 50 20\xB0)\r\nM30") << 9 << 1 << "(BOHRUNG ö 50 20°)";
        QTest::newRow("UTF-8, CR only") << QByteArray("(BOHRUNG \xC3\x98 50 20\xC2\xB0)\rM30") << 9 << 2
                                        << "(BOHRUNG ö 50 20°)";
        QTest::newRow("UTF-8 without ø") << QByteArray("(GR\xC3\x96SSE)") << -1 << 1 << "(GRÖSSE)";
        QTest::newRow("UTF-8, then a lone byte") << QByteArray("(\xC3\x98 50)\r\n(\xFF)") << -1 << 1 << "(Ã";
    }
    void encodings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, found);
        QFETCH(int, charBytes);
        QTemporaryDir dir;
        const std::string in = dir.filePath("in.nc").toStdString(), out = dir.filePath("out.nc").toStdString();
        const QString pdf = dir.filePath("out.pdf");
        QVERIFY(PutOnDisk(in, bytes) && LoadDocument(t->editor, in));
        QCOMPARE(t->editor.SendEditor(sci::SCI_POSITIONAFTER, std::max(found, 1), 0) - std::max(found, 1), charBytes);
        // Find "ø", then Replace All with "ö", typed into the dialog.
        cboText()->setCurrentText(QStringLiteral("ø"));
        dialog->findChild<QComboBox*>("cboReplace")->setCurrentText(QStringLiteral("ö"));
        Button("cmdFind")->click();
        const MessageBoxRequest notFound{"Cannot find string \"\xF8\"", MsgButtons::OK, MsgIcon::Information,
                                         "Replace"};
        QVERIFY(Anchor(t->editor) == std::max(found, 0) && t->dialogs.boxes == std::vector(found < 0, notFound));
        dialog->findChildren<QAbstractButton*>("Option1").at(1)->click();
        Button("cmdReplaceAll")->click();
        t->dialogs.printDialog = [&pdf](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return true;
        };
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QFETCH(QString, printed);
        QVERIFY(text.waitForFinished() && QString::fromUtf8(text.readAllStandardOutput()).contains(printed));
        const QByteArray ouml = charBytes == 2 ? "\xC3\xB6" : "\xF6";
        QVERIFY(SaveDocument(t->editor, out));
        QCOMPARE(OnDisk(out), found < 0 ? bytes : bytes.left(found) + ouml + bytes.mid(found + charBytes));
        // A new document is 8-bit text, whatever the last program was.
        ClearDocument(t->editor);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
        QApplication::sendEvent(t->forms.Get<frmEditor>().ComponentWidget(), &typed);
        QCOMPARE(Text(t->editor), std::string("\xE9"));
    }
};

QTEST_MAIN(TestSearch)
#include "test_search.moc"

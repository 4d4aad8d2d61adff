// Highlighting through the real component in a program folder of its own: what typed text looks
// like, the whole-document pass with its progress bar, and the setup dialog with the files, the
// boxes and the look it leaves. The rules beneath are in tests/styling.
#include <QtTest>

#include <QPushButton>
#include <QtEndian>

#include <numeric>

#include "FileTestSupport.h"
#include "ImmutableFlag.h"
#include "TestApp.h"
#include "editor/Documents.h"
#include "highlight/Form1.h"
#include "highlight/LoadStyleSet.h"
#include "styling/DisplaySettingsFile.h"

using namespace sci;

namespace {

constexpr char Program[] = "(SHAFT)\r\nN10 M03\r\nM30";  // a comment at 0, M03 at 13, M30 at 18
constexpr int Red = 0x0000FF, Green = 0x00C000;          // as 0xBBGGRR: the swatches 17 and 28

// A box's text colour as the component writes colours, 0xBBGGRR.
int TextColour(const QWidget* box) { return int(qToBigEndian(box->palette().color(QPalette::WindowText).rgb()) >> 8); }

// "text colour" of a sample, "B" added when bold.
QString Look(const QWidget* box)
{
    const QString colour = QString::number(TextColour(box), 16).rightJustified(6, '0');
    return box->property("text").toString() + ' ' + colour + (box->font().bold() ? "B " : " ");
}

// How many pixels of each row of the area are darker than the grey given.
QList<int> InkPerRow(const QImage& image, const QRect& area, int below = 128)
{
    QList<int> rows;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        rows << 0;
        for (int x = area.left(); x <= area.right(); ++x)
            rows.back() += qGray(image.pixel(x, y)) < below;
    }
    return rows;
}
int Sum(const QList<int>& counts) { return std::accumulate(counts.begin(), counts.end(), 0); }

}  // namespace

class TestHighlight : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder;  // the program folder, holding the component's module
    std::unique_ptr<QTemporaryDir> config;  // the user's own settings folder
    std::unique_ptr<TestApp> t;
    Form1* form = nullptr;

    std::string File(const char* name) const { return t->app.ProgramFile(name); }
    void Open() { (form = &t->forms.Get<Form1>())->Show(); }
    QWidget* Control(const char* name, int index = -1) const
    {
        for (QWidget* control : form->findChildren<QWidget*>(QString::fromLatin1(name)))
            if (index < 0 || control->property("Index").toInt() == index)
                return control;
        return nullptr;
    }
    QAbstractButton* Button(const char* n, int i = -1) const { return qobject_cast<QAbstractButton*>(Control(n, i)); }
    void Press(const char* name, int index = -1) const { Button(name, index)->click(); }
    void Release(const char* name, int index) const { QTest::mouseClick(Control(name, index), Qt::LeftButton); }
    QString Samples() const { return Look(Control("txtSamp1")) + Look(Control("txtSamp2")); }
    int Style(int position) const { return t->editor.SendEditor(SCI_GETSTYLEAT, position, 0) & 0xFF; }
    int Fore(int style) const { return t->editor.SendEditor(SCI_STYLEGETFORE, style, 0); }

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName((config = std::make_unique<QTemporaryDir>())->path()));
        QVERIFY(QFile::copy(VARNOTEK_PROGRAM_DIR "/Kelpo.so", folder->filePath("Kelpo.so")));
        t = std::make_unique<TestApp>(QFile::encodeName(folder->path()).toStdString());
        t->ShowMainWindow();
        SetText(t->editor, Program);
        t->styling.RestyleDocument();
    }
    void cleanup()
    {
        t.reset();
        QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);  // locked
    }

    // Every line styled, a "|" per hundredth of the lines (halves to even), then the empty text;
    // meanwhile the view moves on, another file comes in, or the editor closes.
    void pass_data()
    {
        QTest::addColumn<QString>("shown");  // the first and the last bar
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("during");
        QTest::newRow("350 after the first: step 4") << "1 88" << 351 << "";
        QTest::newRow("one line: nothing") << "0 0" << 1 << "";
        QTest::newRow("jumps to the top of the view") << "67 100" << 3001 << "scroll";
        QTest::newRow("starts over on another file") << "1 100" << 20000 << "load";
        QTest::newRow("stops when the editor closes") << "0 0" << 20000 << "close";
    }
    void pass()
    {
        QFETCH(int, lines);
        QFETCH(QString, during);
        QStringList bars;
        t->styling.ShowStatusText = [&bars](const std::string& text) { bars << QString::fromStdString(text); };
        SetText(t->editor, QByteArray("N1\r\n").repeated(lines).chopped(2).toStdString());
        QVERIFY(PutOnDisk(File("other.nc"), QByteArray("N1\r\n").repeated(300).chopped(2)));
        QObject scope;  // a short pass may not turn the event loop: the step must not outlive this row
        QTimer::singleShot(0, &scope, [&] {
            t->styling.RestyleDocument();  // a nested pass does nothing
            if (during == "scroll")
                t->editor.SendEditor(SCI_SETFIRSTVISIBLELINE, 2000, 0);
            if (during == "load")
                QVERIFY(LoadDocument(t->editor, File("other.nc")));
            t->app.AppClosing = during == "close";
        });
        t->styling.RestyleDocument();
        QCOMPARE(Style(t->editor.SendEditor(SCI_GETLENGTH, 0, 0) - 1), during == "close" || lines == 1 ? 0 : 14);
        QCOMPARE(!bars.isEmpty() && bars.last().isEmpty(), during != "close");
        bars.removeAll(QString());
        QFETCH(QString, shown);
        QCOMPARE(bars.isEmpty() ? "0 0" : QString("%1 %2").arg(bars.first().size()).arg(bars.last().size()), shown);
    }

    // One session of the setup dialog over a style set file, step by step.
    void styleSetSession()
    {
        const QByteArray styleSet = "STYLE=ON\r\n(1#0\r\nX\r\nA2#0";
        QVERIFY(PutOnDisk(File("StyleSet.sty"), styleSet) && ReloadStyleSet(t->styling));
        // Enter, Enter in the dialog just opened closes it and changes nothing.
        Open();
        for (int press = 0; press < 2 && t->forms.Exists<Form1>(); ++press)
            QTest::keyClick(form->focusWidget(), Qt::Key_Return);
        QVERIFY(!t->forms.Exists<Form1>() && t->dialogs.boxes.empty() && OnDisk(File("StyleSet.sty")) == styleSet);
        Open();
        // The samples: the entry in its colour, the letter bold from Style 2 (and for a digit that
        // names no style), the number black in Style 2 and bold in Style 4.
        QStringList looks{Samples()};
        Release("ltr", 13);
        Release("col", 17);
        for (int style = 4; style >= 1; --style) {
            Press("Style", style);
            looks << Samples();
        }
        QCOMPARE(looks, (QStringList{"X 000000B 123 000000 ", "M 0000ffB 123 0000ffB ", "M 0000ffB 123 0000ff ",
                                     "M 0000ffB 123 000000 ", "M 0000ff 123 0000ff "}));
        // Save writes the comment and the letters in order, a missing digit as "0", and restyles at
        // once: M03 and M30 in bold style 13 + 33.
        Press("Style", 4);
        Release("ltr", 27);
        Release("col", 28);
        Press("Command4");
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=ON\r\n(1#49152\r\nA2#0\r\nM4#255\r\nX0#0\r\n"));
        QCOMPARE((QList<int>{Style(13), Style(18), Fore(46), t->editor.SendEditor(SCI_STYLEGETBOLD, 46, 0), Fore(27)}),
                 (QList<int>{46, 46, Red, 1, Green}));
        // A style set that cannot be read is not applied, and nothing is reset before.
        QVERIFY(PutOnDisk(File("StyleSet.sty"), "STYLE=OFF" + QByteArray(kMaxStyleSetFileBytes - 8, ' ')));
        QVERIFY(!ReloadStyleSet(t->styling) && t->styling.StylingEnabled && Fore(13) == Red);
        // Disable, saved, turns styling off at once. Opened again, the dialog shows the file:
        // disabled, the panel covered, with its colours.
        Press("optEnableStyle", 0);
        Press("Command4");
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=OFF\r\n(1#49152\r\nA2#0\r\nM4#255\r\nX0#0\r\n"));
        QVERIFY(!t->styling.StylingEnabled && Fore(13) == 0);
        t->forms.Unload<Form1>();
        Open();
        QVERIFY(Button("optEnableStyle", 0)->isChecked() && Control("Frame8")->isVisible() &&
                !Control("frmInfo")->isVisible() && TextColour(Control("ltr", 13)) == Red &&
                TextColour(Control("ltr", 27)) == Green);
        // Delete asks, No first; No and a box closed unanswered keep everything, Yes writes the
        // empty style set, applied and shown at once.
        t->dialogs.answers = {MsgAnswer::No, MsgAnswer::Cancel, MsgAnswer::Yes};
        for (const bool yes : {false, false, true}) {
            Press("Command8");
            QCOMPARE(t->dialogs.boxes.back(),
                     (MessageBoxRequest{"This will delete the style completely\r\n\r\nIf you just want to disable the "
                                        "style temporarily then select 'No' and use the 'Disable' button "
                                        "instead\r\n\r\nDo you want to delete the style completely ?",
                                        MsgButtons::YesNo, MsgIcon::None, "Delete Style ?", MsgAnswer::No}));
            QCOMPARE((QList<int>{TextColour(Control("ltr", 13)), t->styling.StylingEnabled,
                                 Button("optEnableStyle", 1)->isChecked()}),
                     (QList<int>{yes ? 0 : Red, yes, yes}));
        }
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=ON\r\n(1#0"));
        // Where nothing can be written, neither the program folder nor the user's own store, a box
        // names the file and nothing changes.
        const std::string blocker = File("blocker"), own = blocker + "/varnotek/";
        QVERIFY(PutOnDisk(blocker, "x"));
        t->app.ProgramFolder = blocker + "/folder";
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(blocker));
        Release("col", 17);
        Button("chkColorOn")->setChecked(false);
        t->dialogs.answers = {MsgAnswer::Yes};
        const std::pair<const char*, std::string> presses[] = {
            {"Command4", "save the style set to '" + own + "StyleSet.sty"},
            {"Command8", "delete the style set: nothing could be written to '" + own + "StyleSet.sty"},
            {"Command1", "save the display settings to '" + own + "edset.ini"}};
        for (const auto& [button, what] : presses) {
            Press(button);
            QCOMPARE(t->dialogs.boxes.back(),
                     (MessageBoxRequest{
                         "Could not " + what +
                             "'\r\n\r\nThe folder may be read-only or the disk full. Nothing has been changed.",
                         MsgButtons::OK, MsgIcon::Exclamation, "Can't save"}));
            QVERIFY(t->forms.Exists<Form1>() && t->styling.ColorOn && Fore(13) == 0 &&
                    TextColour(Control("ltr", 24)) == Red);
        }
    }

    // A program folder the user may not write (a shop's install): the shop's style set shows until
    // the user saves their own, which goes to the user's own store, as do the display settings.
    void readOnlyProgramFolder()
    {
        const QByteArray shop = "STYLE=ON\r\nM1#255";
        QVERIFY(PutOnDisk(File("StyleSet.sty"), shop) && ReloadStyleSet(t->styling));
        ImmutableFlag locked(folder->path().toStdString());
        QVERIFY(locked.isSet() || QFile::setPermissions(folder->path(), QFile::ReadOwner | QFile::ExeOwner));
        Open();
        QCOMPARE(TextColour(Control("ltr", 13)), Red);
        Release("ltr", 13);
        Release("col", 28);
        Press("Command4");
        Press("Command1");
        const std::string own = QFile::encodeName(config->path()).toStdString() + "/varnotek/";
        QVERIFY(OnDisk(own + "StyleSet.sty").contains("M1#49152"));
        QCOMPARE(OnDisk(own + "edset.ini"), QByteArray("COLOR=ON\r\nBOLD=NONE"));
        QVERIFY(OnDisk(File("StyleSet.sty")) == shop && Fore(Style(13)) == Green && t->dialogs.boxes.empty());
    }

    // Typed text takes the built-in look at once (no StyleSet.sty here): the comment green, M and N
    // in their colours, the rest black, nothing bold, in the platform's font at 10 points.
    // In the setup dialog, a letter in white or a pale colour still shows on its white box and in
    // the sample: outlined. The sample pictures show all four lines of the program, none cut by the
    // picture's edge, in a fixed font of any height the platform gives.
    void builtInLookAndPictures()
    {
        SetText(t->editor, "");
        QWidget* component = t->forms.Get<frmEditor>().ComponentWidget();
        QTest::keyClicks(component, QStringLiteral("(CUT) N10 M03 G01 X5"));
        component->grab();
        for (const auto& [position, colour] : {std::pair{1, 0x00C000}, {7, 0xC0C0C0}, {10, 0xFF8080}, {15, 0}}) {
            char font[128] = {};
            t->editor.SendEditorDirect(SCI_STYLEGETFONT, Style(position), font);
            QCOMPARE((QList<QVariant>{Fore(Style(position)), t->editor.SendEditor(SCI_STYLEGETBOLD, Style(position), 0),
                                      t->editor.SendEditor(SCI_STYLEGETSIZE, Style(position), 0), QString(font)}),
                     (QList<QVariant>{colour, 0, 10, QApplication::font().family()}));
        }
        Open();
        Release("ltr", 24);
        Release("col", 0);
        for (QWidget* box : {Control("ltr", 24), Control("txtSamp1")})
            QVERIFY2(Sum(InkPerRow(box->grab().toImage(), box->contentsRect())) > 10, qPrintable(box->objectName()));
        // No bold, some bold (the letters), all bold: each more ink than the one before.
        QList<int> ink;
        for (QWidget* picture : Control("FrameBW")->findChildren<QWidget*>())
            for (const int taller : {0, 5}) {
                QFont font = picture->font();
                font.setPixelSize(font.pixelSize() + taller);
                picture->setFont(font);
                const QImage image = picture->grab().toImage();
                // The rows inside the border, with any ink.
                const QList<int> rows = InkPerRow(image, image.rect().adjusted(1, 1, -1, -1), 255);
                if (taller == 0)
                    ink << Sum(InkPerRow(image, image.rect()));
                int lines = 0;
                for (int y = 0; y < rows.size(); ++y)
                    lines += rows[y] > 0 && (y == 0 || rows[y - 1] == 0);
                QVERIFY(lines == 4 && rows.last() == 0);
            }
        QVERIFY2(ink.size() == 3 && ink[0] < ink[1] && ink[1] < ink[2], qPrintable(QDebug::toString(ink)));
    }

    // The display settings in force show in the panel; Help explains them, Cancel writes nothing.
    // Save writes edset.ini, takes the choices into force, restyles the top line when they changed
    // and closes the dialog.
    void displaySettings()
    {
        QVERIFY(PutOnDisk(File("edset.ini"), "COLOR=OFF\r\nBOLD=SOME"));
        t = std::make_unique<TestApp>(QFile::encodeName(folder->path()).toStdString());
        t->ShowMainWindow();  // reads them
        SetText(t->editor, Program);
        Open();
        QVERIFY(!Button("chkColorOn")->isChecked() && Button("optSomeBold")->isChecked());
        Press("chkColorOn");
        Press("Command3");
        const auto& [help, buttons, icon, title, first] = t->dialogs.boxes.back();
        QVERIFY(help.starts_with("Syntax highlighting can make it much easier to view and edit your CNC programs.") &&
                buttons == MsgButtons::OK && icon == MsgIcon::None && title == "Info" && !first);
        Press("Command2");
        QVERIFY(!t->forms.Exists<Form1>() && !t->styling.ColorOn);
        const std::tuple<bool, const char*, QByteArray, int> saves[] = {
            {false, "optSomeBold", "COLOR=OFF\r\nBOLD=SOME", 40}, {true, "optAllBold", "COLOR=ON\r\nBOLD=ALL", 27}};
        for (const auto& [colour, bold, file, style] : saves) {
            Open();
            Button("chkColorOn")->setChecked(colour);
            Press(bold);
            t->editor.SendEditor(SCI_STARTSTYLING, 0, 63);
            t->editor.SendEditor(SCI_SETSTYLING, 7, 40);
            Press("Command1");
            QCOMPARE(OnDisk(File("edset.ini")), file);
            QCOMPARE((DisplaySettings{t->styling.ColorOn, t->styling.BoldMode}),
                     DisplaySettingsFromText(file.toStdString()));
            QVERIFY(Style(0) == style && !t->forms.Exists<Form1>());
        }
    }
};

QTEST_MAIN(TestHighlight)
#include "test_highlight.moc"

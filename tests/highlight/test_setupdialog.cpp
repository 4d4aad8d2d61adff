// The setup dialog through the real component: what it shows on opening, what clicks do to the
// samples, Save, Disable and Delete with the file and the editor's look they leave, the display
// settings panel, and the boxes for a program folder that cannot be written.
#include <QtTest>

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "FileTestSupport.h"
#include "ModuleFolder.h"
#include "TestApp.h"
#include "highlight/DisplaySettingsFile.h"
#include "highlight/Form1.h"
#include "highlight/LoadStyleSet.h"
#include "highlight/SetupBox.h"

using namespace sci;

namespace {

// A comment at 0, "M03" at 13, "M30" at 18.
constexpr char Program[] = "(SHAFT)\r\nN10 M03\r\nM30";
constexpr int Red = 0x0000FF;
constexpr int RedSwatch = 17;  // row 3, column 2

int Bgr(const QColor& colour) { return colour.red() | colour.green() << 8 | colour.blue() << 16; }
int TextColour(const QWidget* box) { return Bgr(box->palette().color(QPalette::WindowText)); }

QString Look(const QLabel* box)
{
    return QStringLiteral("%1 %2 %3")
        .arg(box->text())
        .arg(TextColour(box), 6, 16, QLatin1Char('0'))
        .arg(box->font().bold() ? "bold" : "plain");
}

const MessageBoxRequest DeleteQuestion{
    "This will delete the style completely\r\n\r\nIf you just want to disable the style temporarily then select "
    "'No' and use the 'Disable' button instead\r\n\r\nDo you want to delete the style completely ?",
    MsgButtons::YesNo, MsgIcon::None, "Delete Style ?"};

const MessageBoxRequest DisplayHelp{
    "Syntax highlighting can make it much easier to view and edit your CNC programs.\r\n\r\nThese display options "
    "only affect the displaying/editing your CNC data in this editor. When you save your CNC program it is saved in "
    "the standard ISO/ASCII format making it compatible with almost every other editor or CNC/DNC software.",
    MsgButtons::OK, MsgIcon::None, "Info"};

}  // namespace

class TestSetupDialog : public QObject {
    Q_OBJECT
    std::unique_ptr<ModuleFolder> folder;
    std::unique_ptr<TestApp> t;
    Form1* form = nullptr;

    std::string File(const char* name) const { return t->app.ProgramFile(name); }
    Form1& Open()
    {
        form = &t->forms.Get<Form1>();
        form->Show();
        return *form;
    }
    template <class T = QWidget>
    T* Control(const char* name, int index = -1) const
    {
        for (T* control : form->findChildren<T*>(QString::fromLatin1(name)))
            if (index < 0 || control->property("Index").toInt() == index)
                return control;
        return nullptr;
    }
    void Release(const char* name, int index) { QTest::mouseClick(Control(name, index), Qt::LeftButton); }
    void Press(const char* name, int index = -1) { Control<QAbstractButton>(name, index)->click(); }
    QString Samples() const { return Look(Control<QLabel>("txtSamp1")) + " | " + Look(Control<QLabel>("txtSamp2")); }
    int Style(int position) const { return t->editor.SendEditor(SCI_GETSTYLEAT, position, 0) & 0xFF; }
    int Fore(int style) const { return t->editor.SendEditor(SCI_STYLEGETFORE, style, 0); }
    void UseStyleSet(const QByteArray& bytes)
    {
        QVERIFY(PutOnDisk(File("StyleSet.sty"), bytes));
        QVERIFY(ReloadStyleSet(t->styling));
        t->styling.RestyleDocument();
    }

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<ModuleFolder>(RealModulePath());
        t = std::make_unique<TestApp>(folder->Path());
        t->LoadEditorWindow();
        SetText(t->editor, Program);
    }
    void cleanup()
    {
        t.reset();
        folder.reset();
    }

    void opensWithoutStyleSet()
    {
        Open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Setup"));
        QCOMPARE(form->size(), QSize(425, 302));
        for (int entry = 1; entry <= 27; ++entry)
            QCOMPARE(TextColour(Control("ltr", entry)), 0);
        QCOMPARE(Control<QLabel>("ltr", 27)->text(), QStringLiteral("( COMMENT TEXT )"));
        QVERIFY(Control<QRadioButton>("optEnableStyle", 1)->isChecked());
        QCOMPARE(Samples(), QStringLiteral("X 000000 plain | 123 000000 plain"));
        QVERIFY(Control<QRadioButton>("Style", 1)->isChecked());
        QVERIFY(Control("frmInfo")->isVisible() && !Control("Frame8")->isVisible() && !Control("Frame7")->isVisible());
        QCOMPARE(Control("ltr", 5)->cursor().shape(), Qt::PointingHandCursor);
        QCOMPARE(Control("col", 47)->cursor().shape(), Qt::PointingHandCursor);
        const std::pair<int, int> swatches[] = {{0, 0xFFFFFF}, {RedSwatch, Red}, {28, 0x00C000}, {47, 0x400040}};
        for (const auto& [index, colour] : swatches)
            QCOMPARE(Bgr(Control("col", index)->palette().color(QPalette::Window)), colour);
        QCOMPARE(Fore(13), 0xFF8080);  // the built-in set stays in force
    }

    void clicksShowInSamples_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("swatch");  // -1 for none
        QTest::addColumn<int>("style");   // 0 for none
        QTest::addColumn<QString>("samples");
        QTest::newRow("M red Style 4") << 13 << RedSwatch << 4 << "M 0000ff bold | 123 0000ff bold";
        QTest::newRow("Style 3") << 13 << RedSwatch << 3 << "M 0000ff bold | 123 0000ff plain";
        QTest::newRow("Style 2, number black") << 13 << RedSwatch << 2 << "M 0000ff bold | 123 000000 plain";
        QTest::newRow("Style 1") << 13 << RedSwatch << 1 << "M 0000ff plain | 123 0000ff plain";
        QTest::newRow("comment box") << 27 << -1 << 0 << "( 000000 plain | 123 000000 plain";
        QTest::newRow("green comment") << 27 << 28 << 0 << "( 00c000 plain | 123 00c000 plain";
    }
    void clicksShowInSamples()
    {
        QFETCH(int, entry);
        QFETCH(int, swatch);
        QFETCH(int, style);
        QFETCH(QString, samples);
        Open();
        Release("ltr", entry);
        if (swatch >= 0)
            Release("col", swatch);
        if (style > 0)
            Press("Style", style);
        QCOMPARE(Samples(), samples);
        QVERIFY(Control<QRadioButton>("Style", std::max(style, 1))->isChecked());
        QCOMPARE(TextColour(Control("ltr", entry)),
                 swatch < 0 ? 0 : Bgr(Control("col", swatch)->palette().window().color()));
    }

    void saveAppliesAtOnce()
    {
        Open();
        Release("ltr", 13);
        Release("col", RedSwatch);
        Press("Style", 4);
        Press("Command4");
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=ON\r\n(1#0\r\nM4#255\r\n"));
        for (int position : {13, 15, 18})
            QCOMPARE(Style(position), 46);
        QCOMPARE(Fore(46), Red);
        QCOMPARE(t->editor.SendEditor(SCI_STYLEGETBOLD, 46, 0), 1);
        QCOMPARE(Fore(27), 0);  // the comment as the dialog showed it
        QVERIFY(form->isVisible());
    }

    void disableSaveAndReopen()
    {
        Open();
        Release("ltr", 13);
        Release("col", RedSwatch);
        Press("optEnableStyle", 0);
        QVERIFY(!Control("frmInfo")->isVisible());
        const std::pair<QWidget*, QWidget*> covers[] = {{Control("Frame8"), Control("Frame2")},
                                                        {Control("frmColors", 1), Control("frmColors", 0)},
                                                        {Control("Frame7"), Control("Frame3")}};
        for (const auto& [cover, covered] : covers)
            QVERIFY(cover->isVisible() && cover->geometry() == covered->geometry());
        Press("Command4");
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=OFF\r\n(1#0\r\nM1#255\r\n"));
        QVERIFY(!t->styling.StylingEnabled);
        QCOMPARE(Fore(13), 0);  // colours gone at once
        QCOMPARE(Fore(14), 0);
        t->forms.Unload(FormId::Form1);
        Open();
        QVERIFY(Control<QRadioButton>("optEnableStyle", 0)->isChecked());
        QVERIFY(Control("Frame8")->isVisible() && !Control("frmInfo")->isVisible());
        QCOMPARE(TextColour(Control("ltr", 13)), Red);
    }

    void closingDiscardsEdits()
    {
        Open();
        Release("ltr", 13);
        Release("col", RedSwatch);
        form->close();
        QVERIFY(!t->forms.Exists(FormId::Form1));
        Open();
        QCOMPARE(TextColour(Control("ltr", 13)), 0);
        QVERIFY(!QFile::exists(QString::fromStdString(File("StyleSet.sty"))));
    }

    void blackCoverBoxSetsBlack()
    {
        Open();
        Release("ltr", 13);
        Release("col", RedSwatch);
        Press("optEnableStyle", 0);
        QCOMPARE(Control("col", 89)->size(), QSize(188, 140));
        Release("col", 89);
        QCOMPARE(TextColour(Control("ltr", 13)), 0);
        QCOMPARE(Samples(), QStringLiteral("M 000000 plain | 123 000000 plain"));
    }

    void deleteAsks_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void deleteAsks()
    {
        QFETCH(bool, yes);
        const QByteArray before = "STYLE=ON\r\n(1#49152\r\nM4#255\r\n";
        UseStyleSet(before);
        Open();
        t->dialogs.answers = {yes ? MsgAnswer::Yes : MsgAnswer::No};
        Press("Command8");
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>{DeleteQuestion});
        QCOMPARE(OnDisk(File("StyleSet.sty")), yes ? QByteArray("STYLE=ON\r\n(1#0") : before);
        QCOMPARE(TextColour(Control("ltr", 27)), yes ? 0 : 0x00C000);
        QCOMPARE(TextColour(Control("ltr", 13)), yes ? 0 : Red);
        QCOMPARE(Fore(27), yes ? 0 : 0x00C000);
        QCOMPARE(Style(0), 27);  // no pass: the painted comment changes with its style
    }

    void emptyStyleDigitRoundTrips()
    {
        UseStyleSet("STYLE=ON\r\n(1#0\r\nX\r\n");
        Open();
        Release("col", RedSwatch);  // X is the current entry
        Press("Command4");
        QCOMPARE(OnDisk(File("StyleSet.sty")), QByteArray("STYLE=ON\r\n(1#0\r\nX0#255\r\n"));
        QCOMPARE(t->styling.StyleModes[23], 0);
        QCOMPARE(Fore(24), Red);
    }

    void displaySettingsSave_data()
    {
        QTest::addColumn<bool>("colour");
        QTest::addColumn<QString>("bold");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("restyled");
        QTest::newRow("nothing changed") << true << "optNoBold" << QByteArray("COLOR=ON\r\nBOLD=NONE") << false;
        QTest::newRow("colour off, all bold") << false << "optAllBold" << QByteArray("COLOR=OFF\r\nBOLD=ALL") << true;
        QTest::newRow("some bold") << true << "optSomeBold" << QByteArray("COLOR=ON\r\nBOLD=SOME") << true;
    }
    void displaySettingsSave()
    {
        QFETCH(bool, colour);
        QFETCH(QString, bold);
        QFETCH(QByteArray, file);
        QFETCH(bool, restyled);
        Open();
        t->editor.SendEditor(SCI_STARTSTYLING, 0, 63);
        t->editor.SendEditor(SCI_SETSTYLING, 7, 40);
        Press("cmdDisplayOptions");
        QCOMPARE(form->width(), 769);
        Control<QCheckBox>("chkColorOn")->setChecked(colour);
        Press(bold.toLatin1().constData());
        Press("Command1");
        QCOMPARE(OnDisk(File("edset.ini")), file);
        QCOMPARE((DisplaySettings{t->app.ColorOn, t->app.BoldMode}), DisplaySettingsFromText(file.toStdString()));
        QCOMPARE(Style(0), restyled ? 27 : 40);
        QVERIFY(!t->forms.Exists(FormId::Form1));
    }

    void displayPanel()
    {
        QVERIFY(PutOnDisk(File("edset.ini"), "COLOR=OFF\r\nBOLD=SOME"));
        t->ShowMainWindow();  // reads the settings before the editor window
        Open();
        QVERIFY(!Control<QCheckBox>("chkColorOn")->isChecked() && Control<QRadioButton>("optSomeBold")->isChecked());
        QVERIFY(!Control("FrameCol")->isVisibleTo(form) && Control("FrameBW")->isVisibleTo(form));
        Press("chkColorOn");
        QVERIFY(Control("FrameCol")->isVisibleTo(form));
        Press("Command3");
        QCOMPARE(t->dialogs.boxes, std::vector<MessageBoxRequest>{DisplayHelp});
        Press("Command2");
        QVERIFY(!t->forms.Exists(FormId::Form1));
        QCOMPARE(OnDisk(File("edset.ini")), QByteArray("COLOR=OFF\r\nBOLD=SOME"));
        QVERIFY(!t->app.ColorOn);
    }

    // Writes into a "folder" that is a regular file fail, for root as well.
    void unwritableFolderTellsAndKeeps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("what");
        QTest::newRow("Save") << "Command4"
                              << "StyleSet.sty"
                              << "save the style set to";
        QTest::newRow("Delete") << "Command8"
                                << "StyleSet.sty"
                                << "delete the style set: nothing could be written to";
        QTest::newRow("display settings") << "Command1"
                                          << "edset.ini"
                                          << "save the display settings to";
    }
    void unwritableFolderTellsAndKeeps()
    {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFETCH(QString, what);
        Open();
        QVERIFY(PutOnDisk(File("blocker"), "x"));
        t->app.ProgramFolder = File("blocker") + "/folder";
        t->dialogs.answers = {MsgAnswer::Yes};
        Release("ltr", 13);
        Release("col", RedSwatch);
        Control<QCheckBox>("chkColorOn")->setChecked(false);
        Press(button.toLatin1().constData());
        const std::string path = File(file.toLatin1().constData());
        const MessageBoxRequest box{"Could not " + what.toStdString() + " '" + path +
                                        "'\r\n\r\nThe program folder may be read-only or the disk full. Nothing has "
                                        "been changed.",
                                    MsgButtons::OK, MsgIcon::Exclamation, "Can't save"};
        QCOMPARE(t->dialogs.boxes.back(), box);
        QVERIFY(t->forms.Exists(FormId::Form1) && t->styling.StylingEnabled && t->app.ColorOn);
        QCOMPARE(Fore(13), 0xFF8080);
        QCOMPARE(TextColour(Control("ltr", 13)), Red);
    }

    // Nothing is reset before the new style set has been read.
    void unreadableStyleSetKeepsLook()
    {
        QVERIFY(PutOnDisk(File("StyleSet.sty"), "STYLE=OFF"));
        QVERIFY(QFile::resize(QString::fromStdString(File("StyleSet.sty")), kMaxStyleSetFileBytes + 1));
        QVERIFY(!ReloadStyleSet(t->styling));
        QCOMPARE(Fore(13), 0xFF8080);
        QVERIFY(t->styling.StylingEnabled);
    }
};

QTEST_MAIN(TestSetupDialog)
#include "test_setupdialog.moc"

// Programs of either encoding through the real window: a UTF-8 program shows its letters, any
// other one byte by byte; Find and Replace All take "ø" in either case as the program holds it,
// the printed page shows what the screen shows, and saving keeps every other byte.
#include <QtTest>

#include <QAbstractButton>
#include <QComboBox>
#include <QPrinter>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "editor/Documents.h"
#include "search/frmReplace.h"

class TestEncodings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programs_data()
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
    void programs()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, found);
        QFETCH(int, charBytes);
        QTemporaryDir dir;
        const std::string in = dir.filePath("in.nc").toStdString(), out = dir.filePath("out.nc").toStdString();
        const QString pdf = dir.filePath("out.pdf");
        TestApp t;
        MDIForm1& main = t.ShowMainWindow();
        QVERIFY(PutOnDisk(in, bytes) && LoadDocument(t.editor, in));
        QCOMPARE(t.editor.SendEditor(sci::SCI_POSITIONAFTER, std::max(found, 1), 0) - std::max(found, 1), charBytes);
        // Find "ø", then Replace All with "ö", typed into the dialog.
        auto& dialog = t.forms.Get<frmReplace>();
        dialog.Show();
        for (const auto& [box, text] : {std::pair{"cboText", "ø"}, {"cboReplace", "ö"}})
            dialog.findChild<QComboBox*>(box)->setCurrentText(QString::fromUtf8(text));
        dialog.findChild<QAbstractButton*>("cmdFind")->click();
        const MessageBoxRequest notFound{"Cannot find string \"\xF8\"", MsgButtons::OK, MsgIcon::Information,
                                         "Replace"};
        QVERIFY(Anchor(t.editor) == std::max(found, 0) && t.dialogs.boxes == std::vector(found < 0, notFound));
        dialog.findChildren<QAbstractButton*>("Option1").at(1)->click();
        dialog.findChild<QAbstractButton*>("cmdReplaceAll")->click();
        t.dialogs.printDialog = [&pdf](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return true;
        };
        main.picToolbar_Click(3);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QFETCH(QString, printed);
        QVERIFY(text.waitForFinished() && QString::fromUtf8(text.readAllStandardOutput()).contains(printed));
        const QByteArray ouml = charBytes == 2 ? "\xC3\xB6" : "\xF6";
        QVERIFY(SaveDocument(t.editor, out));
        QCOMPARE(OnDisk(out), found < 0 ? bytes : bytes.left(found) + ouml + bytes.mid(found + charBytes));
        // A new document is 8-bit text, whatever the last program was.
        ClearDocument(t.editor);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
        QApplication::sendEvent(t.forms.Get<frmEditor>().ComponentWidget(), &typed);
        QCOMPARE(Text(t.editor), std::string("\xE9"));
    }
};

QTEST_MAIN(TestEncodings)
#include "test_encodings.moc"

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
        const QString in = dir.filePath("in.nc"), out = dir.filePath("out.nc"), pdf = dir.filePath("out.pdf");
        QVERIFY(PutOnDisk(in.toStdString(), bytes));
        TestApp t;
        MDIForm1& main = t.ShowMainWindow();
        QVERIFY(LoadDocument(t.editor, in.toStdString()));
        QCOMPARE(t.editor.SendEditor(sci::SCI_POSITIONAFTER, std::max(found, 1), 0) - std::max(found, 1), charBytes);
        auto& dialog = t.forms.Get<frmReplace>();
        dialog.Show();
        dialog.findChild<QComboBox*>("cboText")->setCurrentText(QStringLiteral("ø"));
        dialog.findChild<QComboBox*>("cboReplace")->setCurrentText(QStringLiteral("ö"));
        dialog.findChild<QAbstractButton*>("cmdFind")->click();
        QCOMPARE(Anchor(t.editor), std::max(found, 0));
        const MessageBoxRequest notFound{"Cannot find string \"\xF8\"", MsgButtons::OK, MsgIcon::Information,
                                         "Replace"};
        QCOMPARE(t.dialogs.boxes, found < 0 ? std::vector{notFound} : std::vector<MessageBoxRequest>{});
        dialog.findChildren<QAbstractButton*>("Option1").at(1)->click();
        dialog.findChild<QAbstractButton*>("cmdReplaceAll")->click();
        t.dialogs.printDialog = [&pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        main.picToolbar_Click(3);
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QFETCH(QString, printed);
        QVERIFY(text.waitForFinished() && QString::fromUtf8(text.readAllStandardOutput()).contains(printed));
        QVERIFY(SaveDocument(t.editor, out.toStdString()));
        const QByteArray ouml = charBytes == 2 ? "\xC3\xB6" : "\xF6";
        QCOMPARE(OnDisk(out.toStdString()),
                 found < 0 ? bytes : bytes.left(found) + ouml + bytes.mid(found + charBytes));
        // A new document is 8-bit text, whatever the last program was.
        ClearDocument(t.editor);
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("é"));
        QApplication::sendEvent(t.forms.Get<frmEditor>().ComponentWidget(), &typed);
        QCOMPARE(Text(t.editor), std::string("\xE9"));
    }
};

QTEST_MAIN(TestEncodings)
#include "test_encodings.moc"

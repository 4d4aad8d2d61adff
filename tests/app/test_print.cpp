// Print from the toolbar through Qt's printer: a PDF whose text shows the date, the header and
// the lines across pages; nothing without a document window; cancel; the failures' boxes.
#include <QtTest>

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "TestApp.h"
#include "app/PrintLayout.h"

namespace {

QString PdfText(const QString& pdf)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    return pdftotext.waitForFinished(20000) ? QString::fromUtf8(pdftotext.readAllStandardOutput()) : QString();
}

std::function<bool(QPrinter&)> ToPdf(const QString& file, QPrinter::PrintRange range = QPrinter::AllPages)
{
    return [file, range](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setPrintRange(range);
        return true;
    };
}

}  // namespace

class TestPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    MDIForm1* main = nullptr;
    QTemporaryDir dir;

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        main = &t->ShowMainWindow();
        std::string program;
        for (int n = 1; n <= 150; ++n)
            program += "N" + std::to_string(n) + " G01 X" + std::to_string(n) + "\r\n";
        SetText(t->editor, program);
        t->editor.SetCurrentFilePath("/cnc/bracket.nc");
    }
    void cleanup() { t.reset(); }

    void wholeDocumentToPdf()
    {
        const QString pdf = dir.filePath(QStringLiteral("whole.pdf"));
        t->dialogs.printDialog = ToPdf(pdf);
        main->picToolbar_Click(3);
        const QString text = PdfText(pdf);
        QVERIFY(text.contains(PrintDateLine(QLocale(), QDate::currentDate())));
        QVERIFY(text.contains(QStringLiteral("/cnc/bracket.nc")));
        QVERIFY(!text.contains(QStringLiteral("Lines of")));
        QVERIFY(text.contains(QStringLiteral("N1 G01 X1\n")));
        QVERIFY(text.contains(QStringLiteral("N150 G01 X150")));
        QVERIFY(text.count('\f') >= 2);  // more than one page
        QVERIFY(t->dialogs.boxes.empty());
        QVERIFY(t->dialogs.busyCount > 0 && t->dialogs.busyDepth == 0);
    }

    void selectionToPdf()
    {
        const QString pdf = dir.filePath(QStringLiteral("selection.pdf"));
        t->editor.SendEditor(sci::SCI_SETSEL, 12, 40);  // lines 2 to 4
        t->dialogs.printDialog = ToPdf(pdf, QPrinter::Selection);
        main->picToolbar_Click(3);
        const QString text = PdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("3 Lines of /cnc/bracket.nc")));
        QVERIFY(text.contains(QStringLiteral("N2 G01 X2")) && text.contains(QStringLiteral("N4 G01 X4")));
        QVERIFY(!text.contains(QStringLiteral("N5 G01")) && !text.contains(QStringLiteral("N1 G01")));
    }

    void nothingWithoutDocumentWindow()
    {
        t->forms.Unload(FormId::frmEditor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.printDialogs, 0);
        QVERIFY(t->dialogs.boxes.empty());
    }

    void cancelIsSilent()
    {
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.printDialogs, 1);
        QVERIFY(t->dialogs.boxes.empty());
    }

    void failureTellsNumberAndDescription_data()
    {
        QTest::addColumn<QString>("printer");  // a printer's name, or an output file
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::newRow("no such printer") << "No Such Printer"
                                         << "Printing Error: The chosen printer is not available"
                                         << "Error 484";
        QTest::newRow("output file not writable")
            << "/no/such/folder/out.pdf"
            << "Printing Error: The print file '/no/such/folder/out.pdf' could not be written"
            << "Error 75";
    }
    void failureTellsNumberAndDescription()
    {
        QFETCH(QString, printer);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        t->dialogs.printDialog = printer.startsWith('/') ? ToPdf(printer) : [printer](QPrinter& p) {
            p.setPrinterName(printer);
            return true;
        };
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.boxes, (std::vector<MessageBoxRequest>{{prompt.toStdString(), MsgButtons::OK,
                                                                    MsgIcon::Critical, title.toStdString()}}));
        QCOMPARE(t->dialogs.busyDepth, 0);
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"

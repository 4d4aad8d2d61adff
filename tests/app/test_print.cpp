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

    // The date and the header, then the lines asked for: all of them across pages, or the selection's.
    void toPdf()
    {
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const auto print = [&](QPrinter::PrintRange range) {
            t->dialogs.printDialog = ToPdf(pdf, range);
            main->picToolbar_Click(3);
            return PdfText(pdf);
        };
        t->editor.SendEditor(sci::SCI_SETSEL, 12, 40);  // lines 2 to 4
        const QString whole = print(QPrinter::AllPages), selection = print(QPrinter::Selection);
        const QString date = PrintDateLine(QLocale(), QDate::currentDate());
        QVERIFY(whole.startsWith(date) && whole.contains("/cnc/bracket.nc\n") && !whole.contains("Lines of"));
        QVERIFY(whole.contains("N1 G01 X1\n") && whole.contains("N150 G01 X150") && whole.count('\f') >= 2);
        QVERIFY(selection.startsWith(date) && selection.contains("3 Lines of /cnc/bracket.nc"));
        QVERIFY(selection.contains("N2 G01 X2") && selection.contains("N4 G01 X4"));
        QVERIFY(!selection.contains("N1 G01") && !selection.contains("N5 G01"));
        QVERIFY(t->dialogs.boxes.empty());
        QVERIFY(t->dialogs.busyCount > 0 && t->dialogs.busyDepth == 0);
    }

    // Cancelled, or without a document window, nothing is printed and nothing said.
    void cancelAndNoWindowAreSilent()
    {
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.printDialogs, 1);
        t->forms.Unload(FormId::frmEditor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.printDialogs, 1);
        QVERIFY(t->dialogs.boxes.empty());
    }

    // A printer that is not there, or a print file that cannot be written: the error's number and text.
    void failureTellsNumberAndDescription()
    {
        const std::pair<QString, MessageBoxRequest> failures[] = {
            {"No Such Printer",
             {"Printing Error: The chosen printer is not available", MsgButtons::OK, MsgIcon::Critical, "Error 484"}},
            {"/no/such/folder/out.pdf",
             {"Printing Error: The print file '/no/such/folder/out.pdf' could not be written", MsgButtons::OK,
              MsgIcon::Critical, "Error 75"}}};
        for (const auto& [printer, box] : failures) {
            t->dialogs.boxes.clear();
            t->dialogs.printDialog = printer.startsWith('/') ? ToPdf(printer) : [printer](QPrinter& p) {
                p.setPrinterName(printer);
                return true;
            };
            main->picToolbar_Click(3);
            QCOMPARE(t->dialogs.boxes, std::vector{box});
            QCOMPARE(t->dialogs.busyDepth, 0);
        }
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"

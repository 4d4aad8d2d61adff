// Print from the toolbar through Qt's printer: a PDF whose text shows the date, the header and
// the lines across pages, the pages, order and copies chosen, the document's path as its title;
// nothing without a document window; cancel; the failures' boxes; a full disk leaves no half file;
// the real dialog offers only what is honoured.
#include <QtTest>

#include <QCheckBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "app/PrintLayout.h"
#include "app/QtDialogService.h"

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString PdfText(const QString& pdf) { return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"}); }

// The text of each page.
QStringList PdfPages(const QString& pdf)
{
    QStringList pages = PdfText(pdf).split('\f');
    pages.removeLast();
    return pages;
}

// A small file system of its own, so that a print job fills it; only root may mount one.
struct SmallDisk {
    QTemporaryDir dir;
    bool mounted = geteuid() == 0 &&
                   QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir.path()}) == 0;
    ~SmallDisk()
    {
        if (mounted)
            QProcess::execute("umount", {dir.path()});
    }
};

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

    // Three pages of one copy; the pages chosen, last first or not, each copy whole, in one file.
    void pagesOrderAndCopies_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("fromPage");  // 0: every page
        QTest::addColumn<int>("toPage");
        QTest::addColumn<bool>("lastFirst");
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("three copies") << 3 << 0 << 0 << false << QList<int>{0, 1, 2, 0, 1, 2, 0, 1, 2};
        QTest::newRow("one page") << 1 << 2 << 2 << false << QList<int>{1};
        QTest::newRow("last first") << 1 << 0 << 0 << true << QList<int>{2, 1, 0};
        QTest::newRow("two copies of two pages, last first") << 2 << 2 << 3 << true << QList<int>{2, 1, 2, 1};
    }
    void pagesOrderAndCopies()
    {
        QFETCH(int, copies);
        QFETCH(int, fromPage);
        QFETCH(int, toPage);
        QFETCH(bool, lastFirst);
        QFETCH(QList<int>, pages);
        const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
        t->dialogs.printDialog = ToPdf(pdf);
        main->picToolbar_Click(3);
        const QStringList whole = PdfPages(pdf);
        QCOMPARE(whole.size(), 3);
        t->dialogs.printDialog = [&](QPrinter& printer) {
            ToPdf(pdf, fromPage ? QPrinter::PageRange : QPrinter::AllPages)(printer);
            printer.setFromTo(fromPage, toPage);
            printer.setCopyCount(copies);
            printer.setPageOrder(lastFirst ? QPrinter::LastPageFirst : QPrinter::FirstPageFirst);
            return true;
        };
        main->picToolbar_Click(3);
        QStringList expected;
        for (const int page : pages)
            expected << whole[page];
        QCOMPARE(PdfPages(pdf), expected);
        QVERIFY(Run("pdfinfo", {pdf}).contains(QRegularExpression("^Title: +/cnc/bracket.nc$", QRegularExpression::MultilineOption)));
        QVERIFY(t->dialogs.boxes.empty());
    }

    // Pages that are not in the document: nothing printed, and the user told why.
    void noChosenPageInTheDocument()
    {
        const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
        t->dialogs.printDialog = [&](QPrinter& printer) {
            ToPdf(pdf, QPrinter::PageRange)(printer);
            printer.setFromTo(4, 9);
            return true;
        };
        main->picToolbar_Click(3);
        QVERIFY(!QFile::exists(pdf));
        QCOMPARE(t->dialogs.boxes, (std::vector<MessageBoxRequest>{{"Printing Error: None of the pages chosen is in the document",
                                                                    MsgButtons::OK, MsgIcon::Critical, "Error 380"}}));
    }

    // A disk that fills up during the job: the failure told, no part of a file left, a file of that name kept.
    void fullDisk_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::newRow("new file") << QByteArray();
        QTest::newRow("existing file") << QByteArray("%PDF-1.4 the last good print\n");
    }
    void fullDisk()
    {
        QFETCH(QByteArray, existing);
        SmallDisk disk;
        if (!disk.mounted)
            QSKIP("a small file system needs root");
        const QString pdf = disk.dir.filePath(QStringLiteral("out.pdf"));
        if (!existing.isEmpty())
            QVERIFY(PutOnDisk(pdf.toStdString(), existing));
        std::string program;
        for (int n = 1; n <= 20000; ++n)
            program += "N" + std::to_string(n) + " G01 X" + std::to_string(n) + "\r\n";
        SetText(t->editor, program);
        t->dialogs.printDialog = ToPdf(pdf);
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.boxes, (std::vector<MessageBoxRequest>{{"Printing Error: The print file '" + pdf.toStdString() +
                                                                        "' could not be written",
                                                                    MsgButtons::OK, MsgIcon::Critical, "Error 75"}}));
        QCOMPARE(QDir(disk.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 existing.isEmpty() ? QStringList() : QStringList{"out.pdf"});
        if (!existing.isEmpty())
            QCOMPARE(OnDisk(pdf.toStdString()), existing);
    }

    // The real dialog hides the page set and collating, which are not honoured, and passes on
    // the pages and the order chosen.
    void dialogOffersWhatIsHonoured()
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("dialog.pdf")));
        QtDialogService service;
        QStringList shown;
        QMetaObject::invokeMethod(
            this,
            [&shown] {
                QWidget* dialog = QApplication::activeModalWidget();
                for (const char* name : {"pageSetCombo", "pageSetLabel", "collate", "reverse", "printRange"})
                    if (!dialog->findChild<QWidget*>(name)->isHidden())
                        shown << name;
                dialog->findChild<QCheckBox*>("reverse")->setChecked(true);
                dialog->findChild<QRadioButton*>("printRange")->setChecked(true);
                dialog->findChild<QSpinBox*>("to")->setValue(3);
                dialog->findChild<QSpinBox*>("from")->setValue(2);
                static_cast<QDialog*>(dialog)->accept();
            },
            Qt::QueuedConnection);
        QVERIFY(service.PrintDialog(printer));
        QCOMPARE(shown, (QStringList{"reverse", "printRange"}));
        QCOMPARE(printer.printRange(), QPrinter::PageRange);
        QCOMPARE(printer.pageRanges().toRangeList(), (QList<QPageRanges::Range>{{2, 3}}));
        QCOMPARE(printer.pageOrder(), QPrinter::LastPageFirst);
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

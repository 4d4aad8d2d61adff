// Print from the toolbar through Qt's printer: a PDF whose text shows the date, the header and
// the lines across pages, the pages, order and copies chosen, the path as its title; nothing
// without a document window; cancel; the failures' boxes; a full disk; what the real dialog offers.
#include <QtTest>

#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "printlayout/PrintLayout.h"
#include "app/QtDialogService.h"

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString PdfText(const QString& pdf) { return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, "-"}); }

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

    // Of three pages, the pages chosen, last first or not, each copy whole in the one file.
    void pagesAndCopies_data()
    {
        QTest::addColumn<QList<int>>("choice");  // copies, first and last page (0: all), last first
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("three copies") << QList{3, 0, 0, 0} << QList{0, 1, 2, 0, 1, 2, 0, 1, 2};
        QTest::newRow("one page") << QList{1, 2, 2, 0} << QList{1};
        QTest::newRow("two copies of two, last first") << QList{2, 2, 3, 1} << QList{2, 1, 2, 1};
        QTest::newRow("none in the document") << QList{1, 4, 9, 0} << QList<int>{};
    }
    void pagesAndCopies()
    {
        QFETCH(QList<int>, choice);
        QFETCH(QList<int>, pages);
        const QString pdf = dir.filePath(QStringLiteral("pages.pdf"));
        t->dialogs.printDialog = ToPdf(pdf);
        main->picToolbar_Click(3);
        const QStringList whole = PdfText(pdf).split('\f');
        QVERIFY(whole.size() == 4 && QFile::remove(pdf));
        t->dialogs.printDialog = [&](QPrinter& printer) {
            ToPdf(pdf, choice[1] ? QPrinter::PageRange : QPrinter::AllPages)(printer);
            printer.setCopyCount(choice[0]);
            printer.setFromTo(choice[1], choice[2]);
            printer.setPageOrder(QPrinter::PageOrder(choice[3]));
            return true;
        };
        main->picToolbar_Click(3);
        QStringList expected;
        for (const int page : pages)
            expected << whole[page];
        QCOMPARE(PdfText(pdf).split('\f'), expected << QString());
        QVERIFY(pages.isEmpty() || Run("pdfinfo", {pdf}).contains(QRegularExpression(
                                       "^Title: +/cnc/bracket.nc$", QRegularExpression::MultilineOption)));
        const MessageBoxRequest none{"Printing Error: None of the pages chosen is in the document", MsgButtons::OK,
                                     MsgIcon::Critical, "Error 380"};
        QCOMPARE(t->dialogs.boxes, pages.isEmpty() ? std::vector{none} : std::vector<MessageBoxRequest>{});
    }

    // A disk full during the job: the failure told, no part of a file left, a file of that name kept.
    void fullDisk_data()
    {
        QTest::addColumn<QByteArray>("existing");
        QTest::newRow("new file") << QByteArray();
        QTest::newRow("existing file") << QByteArray("%PDF the last good print\n");
    }
    void fullDisk()
    {
        QFETCH(QByteArray, existing);
        QTemporaryDir disk;
        if (geteuid() != 0 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", disk.path()}))
            QSKIP("a small file system needs root");
        const auto unmount = qScopeGuard([&disk] { QProcess::execute("umount", {disk.path()}); });
        const QString pdf = disk.filePath(QStringLiteral("out.pdf"));
        QVERIFY(existing.isEmpty() || PutOnDisk(pdf.toStdString(), existing));
        std::string program;
        for (int n = 1; n <= 20000; ++n)
            program += "N" + std::to_string(n) + " X" + std::to_string(n) + "\r\n";
        SetText(t->editor, program);
        t->dialogs.printDialog = ToPdf(pdf);
        main->picToolbar_Click(3);
        const MessageBoxRequest box{"Printing Error: The print file '" + pdf.toStdString() + "' could not be written",
                                    MsgButtons::OK, MsgIcon::Critical, "Error 75"};
        QCOMPARE(t->dialogs.boxes, std::vector{box});
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), existing.isEmpty() ? 0 : 1);
        QCOMPARE(OnDisk(pdf.toStdString()), existing.isEmpty() ? QByteArray("<unreadable>") : existing);
    }

    // The real dialog offers the page range and the order, which are honoured, but not the
    // page set or collating, which are not; closed, it prints nothing.
    void dialogOffersWhatIsHonoured()
    {
        QPrinter printer(QPrinter::HighResolution);
        QStringList shown;
        QMetaObject::invokeMethod(
            this,
            [&shown] {
                QWidget* dialog = QApplication::activeModalWidget();
                for (const char* name : {"pageSetCombo", "pageSetLabel", "collate", "reverse", "printRange"})
                    if (!dialog->findChild<QWidget*>(name)->isHidden())
                        shown << name;
                dialog->close();
            },
            Qt::QueuedConnection);
        QVERIFY(!QtDialogService().PrintDialog(printer));
        QCOMPARE(shown, (QStringList{"reverse", "printRange"}));
    }

    // Cancelled, or without a document window, nothing is printed and nothing said.
    void cancelAndNoWindowAreSilent()
    {
        main->picToolbar_Click(3);
        QCOMPARE(t->dialogs.printDialogs, 1);
        t->forms.Unload<frmEditor>();
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

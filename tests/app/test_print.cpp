// Print from the toolbar through Qt's printer into a PDF, read back line by line with each line's
// place on the page: the date and the header, the line pitch and the page breaks measured against
// the font and the paper, the pages, order and copies chosen, the path as its title; nothing
// without a document window; cancel; the failures' boxes; a full disk; what the real dialog offers.
#include <QtTest>

#include <QPrinter>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "app/QtDialogService.h"
#include "printlayout/PrintLayout.h"

namespace {

QString Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(20000) ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// Each page of a PDF as its lines: the top of the line's words, in points from the top of the page,
// and the words.
using PdfPages = QList<QList<std::pair<double, QString>>>;
PdfPages ReadPdf(const QString& pdf)
{
    static const QRegularExpression item("<page |<line [^>]*yMin=\"([^\"]+)\"[^>]*>(.*?)</line>",
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag("<[^>]*>");
    PdfPages pages;
    for (const QRegularExpressionMatch& match : item.globalMatch(Run("pdftotext", {"-bbox-layout", pdf, "-"}))) {
        if (match.captured(1).isEmpty())
            pages.emplaceBack();
        else
            pages.back().append({match.captured(1).toDouble(), match.captured(2).remove(tag).simplified()});
    }
    return pages;
}

MessageBoxRequest PrintingError(int number, const std::string& description)
{
    return {"Printing Error: " + description, MsgButtons::OK, MsgIcon::Critical, "Error " + std::to_string(number)};
}

}  // namespace

class TestPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    QByteArray text;  // the document, in Latin-1, with each kind of line end

    // Prints from the toolbar into the file, with the choices made on the dialog's printer.
    PdfPages Print(const QString& file, const std::function<void(QPrinter&)>& choose)
    {
        t->dialogs.printDialog = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file);
            choose(printer);
            return true;
        };
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        return ReadPdf(file);
    }

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        t->ShowMainWindow();
        t->editor.SetCurrentFilePath("/cnc/bracket.nc");
        text.clear();
        for (int n = 1; n <= 150; ++n)
            text += QStringLiteral("N%1 G01 X%1 (\u00E9)").arg(n).toLatin1() + std::array{"\r\n", "\r", "\n"}[n % 3];
        SetText(t->editor, text.toStdString());
    }
    void cleanup() { t.reset(); }

    // Page 1 holds the date, the header, an empty line, then the lines; a fifth of the font's height
    // is left above each line, and a page takes lines while they start within nine tenths of the
    // printable height. Of those pages, the ones chosen, last first or not, each copy
    // whole in the one file titled with the path.
    void printed_data()
    {
        QTest::addColumn<QList<int>>("choice");  // copies, first and last page (0: all), last first, selection
        QTest::addColumn<QList<int>>("pages");
        QTest::newRow("three copies") << QList{3, 0, 0, 0, 0} << QList{0, 1, 2, 0, 1, 2, 0, 1, 2};
        QTest::newRow("selection, lines 2 to 4") << QList{1, 0, 0, 0, 1} << QList{0};
        QTest::newRow("two copies of two, last first") << QList{2, 2, 3, 1, 0} << QList{2, 1, 2, 1};
        QTest::newRow("none in the document") << QList{1, 4, 9, 0, 0} << QList<int>{};
    }
    void printed()
    {
        QFETCH(QList<int>, choice);
        QFETCH(QList<int>, pages);
        QTemporaryDir dir;
        t->editor.SendEditor(sci::SCI_SETSEL, 20, 50);
        const auto range = choice[4] ? QPrinter::Selection : QPrinter::AllPages;
        double height = 0, font = 0;  // the printable area's and the font's, in points
        const PdfPages whole = Print(dir.filePath("whole.pdf"), [&](QPrinter& printer) {
            printer.setPrintRange(range);
            height = printer.pageLayout().paintRect(QPageLayout::Point).height();
            font = QFontMetricsF(QFont(), &printer).height() * 72 / printer.resolution();
        });
        // Where the layout put a line: the date line's top is at 7/100 of the printable height.
        const auto y = [&](const auto& line) { return line.first - whole[0].value(0).first + 0.07 * height; };
        QStringList printed;
        for (const auto& page : whole) {
            double next = 0.07 * height + (&page == &whole[0] ? 0 : 0.2) * font;
            for (const auto& line : page) {
                QVERIFY2(qAbs(y(line) - next) < 0.05, qPrintable(line.second));
                // The header a line below the date, then an empty line, and a fifth above each line.
                next = y(line) + (printed.size() == 0 ? 1 : printed.size() == 1 ? 2.2 : 1.2) * font;
                printed << line.second;
            }
            QVERIFY(next - 1.2 * font <= 0.9 * height && (&page == &whole.back() || next > 0.9 * height));
        }
        const QStringList lines = QString::fromLatin1(text).split(QRegularExpression("\r\n|\r|\n"), Qt::SkipEmptyParts);
        QCOMPARE(printed, QStringList({PrintDateLine(QLocale(), QDate::currentDate()),
                                       (choice[4] ? "3 Lines of " : "") + QStringLiteral("/cnc/bracket.nc")}) +
                              (choice[4] ? lines.mid(1, 3) : lines));
        PdfPages expected;
        for (const int page : pages)
            expected << whole.value(page);
        const PdfPages chosen = Print(dir.filePath("chosen.pdf"), [&](QPrinter& printer) {
            printer.setCopyCount(choice[0]);
            printer.setPrintRange(choice[1] ? QPrinter::PageRange : range);
            printer.setFromTo(choice[1], choice[2]);
            printer.setPageOrder(QPrinter::PageOrder(choice[3]));
        });
        QCOMPARE(chosen, expected);
        QVERIFY(pages.isEmpty() ||
                Run("pdfinfo", {dir.filePath("chosen.pdf")}).simplified().startsWith("Title: /cnc/bracket.nc "));
        QCOMPARE(t->dialogs.boxes, pages.isEmpty()
                                       ? std::vector{PrintingError(380, "None of the pages chosen is in the document")}
                                       : std::vector<MessageBoxRequest>{});
        QVERIFY(t->dialogs.busyCount > 0 && t->dialogs.busyDepth == 0);
    }

    // A printer that is not there, a folder that is not there, a disk that fills up: the
    // error's number and text, no part of a file left, a file of that name kept.
    void failures_data()
    {
        QTest::addColumn<QString>("target");  // a printer, or a print file; a bare name is on a full disk
        QTest::addColumn<QByteArray>("existing");
        QTest::newRow("no printer") << "No Such Printer" << QByteArray();
        QTest::newRow("no folder") << "/no/such/folder/out.pdf" << QByteArray();
        QTest::newRow("full disk") << "out.pdf" << QByteArray();
        QTest::newRow("full disk, a file kept") << "out.pdf" << QByteArray("%PDF the last good print\n");
    }
    void failures()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, existing);
        QTemporaryDir disk;
        const bool full = target == "out.pdf", printer = target.contains(' ');
        if (full &&
            (geteuid() != 0 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=8k", "tmpfs", disk.path()})))
            QSKIP("a small file system needs root");
        const auto unmount = qScopeGuard([&] { full ? QProcess::execute("umount", {disk.path()}) : 0; });
        const QString file = full ? disk.filePath(target) : printer ? QString() : target;
        QVERIFY(existing.isEmpty() || PutOnDisk(file.toStdString(), existing));
        Print(file, [&](QPrinter& p) { p.setPrinterName(printer ? target : QString()); });
        QCOMPARE(t->dialogs.boxes, std::vector{printer ? PrintingError(484, "The chosen printer is not available")
                                                       : PrintingError(75, "The print file '" + file.toStdString() +
                                                                               "' could not be written")});
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), existing.isEmpty() ? 0 : 1);
        QCOMPARE(OnDisk(file.toStdString()), existing.isEmpty() ? QByteArray("<unreadable>") : existing);
    }

    // The real dialog offers the page range and the order, which are honoured, but not the
    // page set or collating, which are not; closed, it prints nothing. Cancelled, or without a
    // document window, nothing is printed and nothing said.
    void dialogAndCancel()
    {
        QPrinter printer;
        QStringList shown;
        QTimer::singleShot(0, this, [&shown] {
            for (const char* name : {"pageSetCombo", "pageSetLabel", "collate", "reverse", "printRange"})
                if (!QApplication::activeModalWidget()->findChild<QWidget*>(name)->isHidden())
                    shown << name;
            QApplication::activeModalWidget()->close();
        });
        QVERIFY(!QtDialogService().PrintDialog(printer));
        QCOMPARE(shown, (QStringList{"reverse", "printRange"}));
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        t->forms.Unload<frmEditor>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        QVERIFY(t->dialogs.printDialogs == 1 && t->dialogs.boxes.empty());
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"

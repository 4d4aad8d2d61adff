// Print from the toolbar through Qt's printer into a PDF, read back line by line with each line's
// place on the page: the date and the header, the line pitch and the page breaks measured against
// the font and the paper, the pages, order and copies chosen, the path as its title; nothing
// without a document window; cancel; the failures' boxes; a full disk; what the real dialog offers.
#include <QtTest>

#include <QPrinter>
#include <QProcess>
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

// Each page of a PDF as its lines: the top of the line's words in points from the top of the
// page, and the words.
using PdfPages = QList<QList<std::pair<double, QString>>>;
PdfPages ReadPdf(const QString& pdf)
{
    static const QRegularExpression item("<page |yMin=\"([^\"]+)\"[^>]*>([^<]*)</word>");
    PdfPages pages;
    for (const QRegularExpressionMatch& match : item.globalMatch(Run("pdftotext", {"-bbox", pdf, "-"}))) {
        const double top = match.captured(1).toDouble();
        if (match.captured(1).isEmpty())
            pages.emplaceBack();
        else if (!pages.back().isEmpty() && pages.back().back().first == top)
            pages.back().back().second += ' ' + match.captured(2);
        else
            pages.back().append({top, match.captured(2)});
    }
    return pages;
}

}  // namespace

class TestPrint : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    const QStringList program = [] {
        QStringList lines;
        for (int n = 1; n <= 150; ++n)
            lines << QStringLiteral("N%1 G01 X%1").arg(n);
        return lines;
    }();

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
        SetText(t->editor, (program.join("\r\n") + "\r\n").toStdString());
        t->editor.SetCurrentFilePath("/cnc/bracket.nc");
    }
    void cleanup() { t.reset(); }

    // Page 1 holds the date, the header, an empty line, then the lines; each line starts a fifth of
    // the font's height below the one before, and a page takes lines while they start within nine
    // tenths of the printable height. Of those pages, the ones chosen, last first or not, each copy
    // whole in the one file titled with the path.
    void printed_data()
    {
        QTest::addColumn<QByteArray>("text");  // none: the program
        QTest::addColumn<QString>("header");   // "3 Lines of": lines 2 to 4 selected
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("choice");  // copies, first and last page (0: all), last first
        QTest::addColumn<QList<int>>("pages");
        const QString path = "/cnc/bracket.nc";
        QTest::newRow("whole") << QByteArray() << path << program << QList{1, 0, 0, 0} << QList{0, 1, 2};
        QTest::newRow("selection") << QByteArray() << "3 Lines of " + path << program.mid(1, 3) << QList{1, 0, 0, 0}
                                   << QList{0};
        QTest::newRow("line ends, Latin-1")
            << QByteArray("X\r1\n\xE9\r\n") << path << QStringList{"X", "1", "\u00E9"} << QList{1, 0, 0, 0} << QList{0};
        QTest::newRow("three copies") << QByteArray() << path << program << QList{3, 0, 0, 0}
                                      << QList{0, 1, 2, 0, 1, 2, 0, 1, 2};
        QTest::newRow("one page") << QByteArray() << path << program << QList{1, 2, 2, 0} << QList{1};
        QTest::newRow("two copies of two, last first")
            << QByteArray() << path << program << QList{2, 2, 3, 1} << QList{2, 1, 2, 1};
        QTest::newRow("none in the document") << QByteArray() << path << program << QList{1, 4, 9, 0} << QList<int>{};
    }
    void printed()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, header);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, choice);
        QFETCH(QList<int>, pages);
        if (!text.isEmpty())
            SetText(t->editor, text.toStdString());
        t->editor.SendEditor(sci::SCI_SETSEL, 12, 40);
        const auto range = header.contains("Lines of") ? QPrinter::Selection : QPrinter::AllPages;
        double height = 0, font = 0;  // the printable area's and the font's, in points
        const PdfPages whole = Print(pdf, [&](QPrinter& printer) {
            printer.setPrintRange(range);
            height = printer.pageLayout().paintRect(QPageLayout::Point).height();
            font = QFontMetricsF(QFont(), &printer).height() * 72 / printer.resolution();
        });
        QVERIFY(!whole.isEmpty() && whole[0].size() > 2 && QFile::remove(pdf));
        QCOMPARE(whole[0][0].second, PrintDateLine(QLocale(), QDate::currentDate()));
        QCOMPARE(whole[0][1].second, header);
        // Where the layout put a line: the date line's top is at 7/100 of the printable height.
        const auto y = [&](const auto& line) { return line.first - whole[0][0].first + 0.07 * height; };
        QVERIFY(qAbs(y(whole[0][1]) - 0.07 * height - font) < 0.05);
        QStringList printed;
        for (const auto& page : whole) {
            double next = 0.07 * height + (&page == &whole[0] ? 3.2 : 0.2) * font;
            for (const auto& line : page.mid(&page == &whole[0] ? 2 : 0)) {
                QVERIFY2(qAbs(y(line) - next) < 0.05, qPrintable(line.second));
                next = y(line) + 1.2 * font;
                printed << line.second;
            }
            QVERIFY(next - 1.2 * font <= 0.9 * height && (&page == &whole.back() || next > 0.9 * height));
        }
        QCOMPARE(printed, lines);

        PdfPages expected;
        for (const int page : pages)
            expected << whole.value(page);
        QCOMPARE(Print(pdf,
                       [&](QPrinter& printer) {
                           printer.setCopyCount(choice[0]);
                           printer.setPrintRange(choice[1] ? QPrinter::PageRange : range);
                           printer.setFromTo(choice[1], choice[2]);
                           printer.setPageOrder(QPrinter::PageOrder(choice[3]));
                       }),
                 expected);
        QVERIFY(pages.isEmpty() ||
                Run("pdfinfo", {pdf})
                    .contains(QRegularExpression("^Title: +/cnc/bracket.nc$", QRegularExpression::MultilineOption)));
        const MessageBoxRequest none{"Printing Error: None of the pages chosen is in the document", MsgButtons::OK,
                                     MsgIcon::Critical, "Error 380"};
        QCOMPARE(t->dialogs.boxes, pages.isEmpty() ? std::vector{none} : std::vector<MessageBoxRequest>{});
        QVERIFY(t->dialogs.busyCount > 0 && t->dialogs.busyDepth == 0);
    }

    // A printer that is not there, a folder that is not there, a disk full during the job: the
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
        const auto unmount = qScopeGuard([&] { full&& QProcess::execute("umount", {disk.path()}); });
        const QString file = full ? disk.filePath(target) : target;
        QVERIFY(existing.isEmpty() || PutOnDisk(file.toStdString(), existing));
        Print(printer ? QString() : file, [&](QPrinter& p) { printer ? p.setPrinterName(target) : void(); });
        const std::string description = printer ? "The chosen printer is not available"
                                                : "The print file '" + file.toStdString() + "' could not be written";
        QCOMPARE(t->dialogs.boxes,
                 (std::vector<MessageBoxRequest>{{"Printing Error: " + description, MsgButtons::OK, MsgIcon::Critical,
                                                  printer ? "Error 484" : "Error 75"}}));
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden).size(), existing.isEmpty() ? 0 : 1);
        QCOMPARE(OnDisk(file.toStdString()), existing.isEmpty() ? QByteArray("<unreadable>") : existing);
        QCOMPARE(t->dialogs.busyDepth, 0);
    }

    // The real dialog offers the page range and the order, which are honoured, but not the
    // page set or collating, which are not; closed, it prints nothing.
    void dialogOffersWhatIsHonoured()
    {
        QPrinter printer;
        QStringList shown;
        QTimer::singleShot(0, this, [&shown] {
            QWidget* dialog = QApplication::activeModalWidget();
            for (const char* name : {"pageSetCombo", "pageSetLabel", "collate", "reverse", "printRange"})
                if (!dialog->findChild<QWidget*>(name)->isHidden())
                    shown << name;
            dialog->close();
        });
        QVERIFY(!QtDialogService().PrintDialog(printer));
        QCOMPARE(shown, (QStringList{"reverse", "printRange"}));
    }

    // Cancelled, or without a document window, nothing is printed and nothing said.
    void cancelAndNoWindowAreSilent()
    {
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        t->forms.Unload(FormId::frmEditor);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        t->forms.Get<MDIForm1>().picToolbar_Click(3);
        QVERIFY(t->dialogs.printDialogs == 1 && t->dialogs.boxes.empty());
    }
};

QTEST_MAIN(TestPrint)
#include "test_print.moc"

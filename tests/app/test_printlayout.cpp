// The printed layout on a recording page: header lines, copies as jobs, the page break at nine
// tenths of the page, and the date line in the user's language.
#include <QtTest>

#include "app/PrintLayout.h"

namespace {

// Every line of text as printed: in which job, on which page, at what height.
struct Printed {
    int job;
    int page;
    double y;
    QString text;
};

class RecordingPage final : public PrintPage {
public:
    explicit RecordingPage(double height) : height_(height) {}
    std::vector<Printed> printed;
    int jobs = 0;

    void StartJob() override
    {
        ++jobs;
        page_ = 0;
    }
    double Width() override { return 1000; }
    double Height() override { return height_; }
    double PrintText(double, double y, const QString& text) override
    {
        printed.push_back({jobs, page_, y, text});
        return 20;
    }
    void NewPage() override { ++page_; }
    void EndJob() override {}

private:
    double height_;
    int page_ = 0;
};

std::string Line(std::int32_t n) { return "N" + std::to_string(n) + " G01\r\n"; }

}  // namespace

class TestPrintLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headers_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("selection");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("header");
        QTest::newRow("one-line selection") << 1 << 4 << 4 << true << "/cnc/part.nc"
                                            << "1 Lines of /cnc/part.nc";
        QTest::newRow("three copies of the whole") << 3 << 0 << 2 << false << "/cnc/part.nc"
                                                   << "/cnc/part.nc";
        QTest::newRow("no copies asked: one") << 0 << 0 << 0 << false << "/p"
                                              << "/p";
    }
    void headers()
    {
        QFETCH(int, copies);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, selection);
        QFETCH(QString, path);
        QFETCH(QString, header);
        RecordingPage page(1000);
        auto count = std::int16_t(copies);
        PrintLines(page, count, {first, last, selection}, QStringLiteral("December 7, 2026"), path, Line);
        const int jobs = std::max(copies, 1);
        QCOMPARE(page.jobs, jobs);
        QCOMPARE(count, std::int16_t(copies > 0 ? 0 : -1));
        const std::size_t perJob = std::size_t(3 + last - first + 1);
        QCOMPARE(page.printed.size(), perJob * std::size_t(jobs));
        for (int job = 0; job < jobs; ++job) {
            const Printed* p = &page.printed[perJob * std::size_t(job)];
            QCOMPARE(p[0].text, QStringLiteral("December 7, 2026"));
            QCOMPARE(p[0].y, 70.0);
            QCOMPARE(p[1].text, header);
            QCOMPARE(p[2].text, QString());
            QCOMPARE(p[3].text, QString::fromStdString(Line(first)).trimmed());
            QCOMPARE(p[3].y, 70.0 + 3 * 20 + 20 / 5.0);  // a fifth of a line before each document line
        }
    }

    // A new page only when the position is strictly below nine tenths of the page.
    void pageBreak_data()
    {
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("firstOnPageTwo");
        QTest::newRow("exactly at 0.9 H: same page") << 1200.0 << 40;
        QTest::newRow("just past 0.9 H: new page") << 1199.98 << 39;
    }
    void pageBreak()
    {
        QFETCH(double, height);
        QFETCH(int, firstOnPageTwo);
        RecordingPage page(height);
        std::int16_t copies = 1;
        PrintLines(page, copies, {0, 99, false}, QStringLiteral("date"), QStringLiteral("/p"), Line);
        const auto firstOnNextPage =
            std::find_if(page.printed.begin(), page.printed.end(), [](const Printed& p) { return p.page == 1; });
        QVERIFY(firstOnNextPage != page.printed.end());
        QCOMPARE(firstOnNextPage->text, QString::fromStdString(Line(firstOnPageTwo)).trimmed());
        QCOMPARE(firstOnNextPage->y, height * 0.07 + 4);
    }

    void lineEndsRemoved()
    {
        RecordingPage page(1000);
        std::int16_t copies = 1;
        PrintLines(page, copies, {0, 0, false}, QString(), QString(),
                   [](std::int32_t) { return std::string("X\r1\n\xE9\r\n"); });
        QCOMPARE(page.printed.back().text, QStringLiteral("X1\u00E9"));
    }

    void dateLine_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("line");
        QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << "March 5, 2027";
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << "M\u00E4rz 5, 2027";
    }
    void dateLine()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, line);
        QCOMPARE(PrintDateLine(locale, QDate(2027, 3, 5)), line);
    }

    void lastMatchingPrinterWins()
    {
        QCOMPARE(MatchingPrinter("office", {"Office", "Lab", "OFFICE"}), std::optional<std::string>("OFFICE"));
        QCOMPARE(MatchingPrinter("shop", {"Office", "Lab"}), std::optional<std::string>());
    }
};

QTEST_MAIN(TestPrintLayout)
#include "test_printlayout.moc"

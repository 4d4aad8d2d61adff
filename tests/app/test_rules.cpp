// The plain rules of start-up, layout and printing: program folder, rounding, the toolbar's rows,
// the component's size; on a recording page, the printed header lines, copies as jobs, the page
// break at nine tenths of the page, line ends, the date line in the user's language, and the
// printer's name.
#include <QtTest>

#include "app/MainLayout.h"
#include "printlayout/PrintLayout.h"
#include "base/CommandLine.h"
#include "base/Twips.h"
#include "editor/EditorGeometry.h"

namespace {

// What is printed, line by line, with "<job>" where each job starts and "<page>" at each new page.
class RecordingPage final : public PrintPage {
public:
    explicit RecordingPage(double height) : height_(height) {}
    QStringList printed;

    void StartJob() override { printed << "<job>"; }
    double Width() override { return 1000; }
    double Height() override { return height_; }
    double LineHeight() override { return 20; }
    void PrintText(double, double, const QString& text) override { printed << text; }
    void NewPage() override { printed << "<page>"; }
    void EndJob() override {}

private:
    double height_;
};

std::string Line(std::int32_t n) { return "N" + std::to_string(n) + " G01\r\n"; }

}  // namespace

class TestRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The program folder without its trailing separator; rounding half to even; the component's
    // size in pixels; the toolbar's buttons on one row from 9645 twips.
    void layout()
    {
        QVERIFY(WithoutTrailingSeparator("/opt/varnotek/") == "/opt/varnotek" && WithoutTrailingSeparator("/").empty());
        for (const auto& [value, rounded] :
             std::initializer_list<std::pair<double, int>>{{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.5001, 3}, {-1.5, -2}})
            QCOMPARE(int(RoundHalfEven(value)), rounded);
        QCOMPARE(EditorComponentSize(9532, 4507), (ComponentSize{635, 300}));
        QCOMPARE(EditorComponentSize(9533, 4508), (ComponentSize{636, 301}));
        QCOMPARE(ToolbarLayoutForWidth(9644), (ToolbarLayout{660, 50, 300}));
        QCOMPARE(ToolbarLayoutForWidth(9645), (ToolbarLayout{360, 2950, 0}));
    }

    // Date, header, an empty line, then the lines; each copy its own job.
    void headersAndCopies()
    {
        RecordingPage page(1000);
        std::int16_t copies = 2;
        PrintLines(page, copies, {4, 4, true}, {}, "December 7, 2026", "/cnc/part.nc", Line);
        const QStringList job{"<job>", "December 7, 2026", "1 Lines of /cnc/part.nc", "", "N4 G01"};
        QCOMPARE(page.printed, job + job);
        QCOMPARE(copies, std::int16_t(0));

        RecordingPage whole(1000);
        copies = 0;  // none asked: one
        PrintLines(whole, copies, {0, 1, false}, {}, "d", "/p",
                   [](std::int32_t) { return std::string("X\r1\n\xE9\r\n"); });
        QCOMPARE(whole.printed, (QStringList{"<job>", "d", "/p", "", "X1\u00E9", "X1\u00E9"}));
    }

    // A new page only when the position is strictly below nine tenths of the page.
    void pageBreak()
    {
        for (const auto& [height, firstOnPageTwo] : {std::pair{1200.0, 40}, std::pair{1199.98, 39}}) {
            RecordingPage page(height);
            std::int16_t copies = 1;
            PrintLines(page, copies, {0, 99, false}, {}, "date", "/p", Line);
            QCOMPARE(page.printed.value(page.printed.indexOf("<page>") + 1),
                     QString::fromStdString(Line(firstOnPageTwo)).trimmed());
        }
    }

    // The date in the user's language; the printer's name compared in upper case, the last match winning.
    void dateAndPrinter()
    {
        QCOMPARE(PrintDateLine(QLocale(QLocale::English, QLocale::UnitedStates), QDate(2027, 3, 5)), "March 5, 2027");
        QCOMPARE(PrintDateLine(QLocale(QLocale::German, QLocale::Germany), QDate(2027, 3, 5)), "M\u00E4rz 5, 2027");
        QCOMPARE(MatchingPrinter("office", {"Office", "Lab", "OFFICE"}), std::optional<std::string>("OFFICE"));
        QCOMPARE(MatchingPrinter("shop", {"Office", "Lab"}), std::optional<std::string>());
    }
};

QTEST_MAIN(TestRules)
#include "test_rules.moc"

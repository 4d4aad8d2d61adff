// The plain rules of start-up, layout and printing: program folder, rounding, the toolbar's rows,
// the component's size, the printed date line in the user's language, and the printer's name.
#include <QtTest>

#include "app/MainLayout.h"
#include "printlayout/PrintLayout.h"
#include "base/CommandLine.h"
#include "base/Twips.h"
#include "editor/EditorGeometry.h"

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

// The plain rules of start-up and layout: program folder, rounding, the toolbar's rows, the
// component's size.
#include <QtTest>

#include "app/MainLayout.h"
#include "base/CommandLine.h"
#include "base/Twips.h"
#include "editor/EditorGeometry.h"

class TestRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void programFolder()
    {
        QCOMPARE(WithoutTrailingSeparator("/opt/varnotek/"), std::string("/opt/varnotek"));
        QCOMPARE(WithoutTrailingSeparator("/"), std::string());
    }

    void roundHalfEven()
    {
        const std::pair<double, int> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {2.5001, 3}, {-1.5, -2}};
        for (const auto& [value, rounded] : cases)
            QCOMPARE(int(RoundHalfEven(value)), rounded);
    }

    void componentSize()
    {
        QCOMPARE(EditorComponentSize(9532, 4507), (ComponentSize{635, 300}));
        QCOMPARE(EditorComponentSize(9533, 4508), (ComponentSize{636, 301}));
    }

    // The buttons go on one row from 9645 twips.
    void toolbarRows()
    {
        QCOMPARE(ToolbarLayoutForWidth(9644), (ToolbarLayout{660, 50, 300}));
        QCOMPARE(ToolbarLayoutForWidth(9645), (ToolbarLayout{360, 2950, 0}));
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"

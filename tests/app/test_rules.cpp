// The plain rules of start-up and layout: command line, program folder, rounding, toolbar rows,
// the component's size.
#include <QtTest>

#include "app/MainLayout.h"
#include "base/CommandLine.h"
#include "base/Twips.h"
#include "editor/EditorGeometry.h"

Q_DECLARE_METATYPE(std::vector<std::string>)

class TestRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commandLineFile_data()
    {
        QTest::addColumn<std::vector<std::string>>("arguments");
        QTest::addColumn<QString>("file");
        using V = std::vector<std::string>;
        QTest::newRow("none") << V{} << "";
        QTest::newRow("quoted path with blanks") << V{"\"/cnc/my part.nc\""} << "/cnc/my part.nc";
        QTest::newRow("unquoted path with blanks") << V{"/cnc/my", "part.nc"} << "/cnc/my part.nc";
        QTest::newRow("quote inside") << V{"/cnc/pa\"rt.nc"} << "/cnc/part.nc";
        QTest::newRow("two names become one") << V{"a.nc", "b.nc"} << "a.nc b.nc";
        QTest::newRow("empty argument keeps its blank") << V{"a", "", "b"} << "a  b";
    }
    void commandLineFile()
    {
        QFETCH(std::vector<std::string>, arguments);
        QFETCH(QString, file);
        QCOMPARE(QString::fromStdString(CommandLineFileFrom(arguments)), file);
    }

    void programFolder_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("trailing separator") << "/opt/varnotek/"
                                            << "/opt/varnotek";
        QTest::newRow("root") << "/"
                              << "";
    }
    void programFolder()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(QString::fromStdString(WithoutTrailingSeparator(folder.toStdString())), expected);
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("2.5001") << 2.5001 << 3;
        QTest::newRow("-1.5") << -1.5 << -2;
    }
    void roundHalfEven()
    {
        QFETCH(double, value);
        QFETCH(int, rounded);
        QCOMPARE(int(RoundHalfEven(value)), rounded);
    }

    void componentSize_data()
    {
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<int>("heightTwips");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("fraction below half") << 9532 << 4507 << 635 << 300;
        QTest::newRow("fraction above half") << 9533 << 4508 << 636 << 301;
    }
    void componentSize()
    {
        QFETCH(int, widthTwips);
        QFETCH(int, heightTwips);
        QFETCH(int, width);
        QFETCH(int, height);
        QCOMPARE(EditorComponentSize(widthTwips, heightTwips), (ComponentSize{width, height}));
    }

    void toolbarRows_data()
    {
        QTest::addColumn<int>("widthTwips");
        QTest::addColumn<int>("stripHeight");
        QTest::addColumn<int>("frameLeft");
        QTest::addColumn<int>("frameTop");
        QTest::newRow("narrow 9644") << 9644 << 660 << 50 << 300;
        QTest::newRow("wide 9645") << 9645 << 360 << 2950 << 0;
    }
    void toolbarRows()
    {
        QFETCH(int, widthTwips);
        QFETCH(int, stripHeight);
        QFETCH(int, frameLeft);
        QFETCH(int, frameTop);
        QCOMPARE(ToolbarLayoutForWidth(widthTwips), (ToolbarLayout{stripHeight, frameLeft, frameTop}));
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "test_rules.moc"

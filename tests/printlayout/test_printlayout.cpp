// The print layout's plain rules: the printed date line in the user's language, and the printer
// chosen by its name. What is printed on the page is in tests/app/test_print.cpp.
#include <QtTest>

#include "printlayout/PrintLayout.h"

class TestPrintLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The date in the user's language; the printer's name compared in upper case, the last match winning.
    void dateAndPrinter()
    {
        QCOMPARE(PrintDateLine(QLocale(QLocale::German, QLocale::Germany), QDate(2027, 3, 5)), "M\u00E4rz 5, 2027");
        QCOMPARE(MatchingPrinter("office", {"Office", "Lab", "OFFICE"}), std::optional<std::string>("OFFICE"));
        QCOMPARE(MatchingPrinter("shop", {"Office", "Lab"}), std::optional<std::string>());
    }
};

QTEST_APPLESS_MAIN(TestPrintLayout)
#include "test_printlayout.moc"

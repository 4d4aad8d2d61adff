// The search primitives through the real component: the messages each one sends, the selection
// as the search cursor, regular expressions, whole words, case, and matches of length 0.
#include <QtTest>

#include "EditorFixture.h"
#include "ScriptedDialogs.h"
#include "SearchMessages.h"
#include "search/SearchPrimitives.h"

using namespace sci;

namespace {

constexpr std::uint32_t SCI_UNDO = 2176;

}  // namespace

class TestSearchPrimitives : public QObject {
    Q_OBJECT
    ScriptedDialogsGuard dialogs;

private Q_SLOTS:
    void initTestCase() { ShowMainWindow(); }
    void cleanupTestCase() { CloseAllWindows(); }

    void selectionPrimitives()
    {
        SetText("N10 G01\r\nN20 X1\r\n");
        MessageRecorder recorder;
        SetSelection(12, 3);
        QCOMPARE(Anchor(), 12);
        QCOMPARE(Caret(), 3);
        QCOMPARE(GetSelStart(), 3);
        QCOMPARE(GetSelEnd(), 12);
        recorder.sent.clear();
        QCOMPARE(GetSelLength(), 9);
        QCOMPARE(Show(recorder.sent), Show({Msg(SCI_GETSELECTIONSTART), Msg(SCI_GETSELECTIONEND)}));
        recorder.sent.clear();
        QCOMPARE(GetSelStartLine(), 0);
        QCOMPARE(GetSelEndLine(), 1);
        QCOMPARE(Show(recorder.sent), Show({Msg(SCI_GETSELECTIONSTART), Msg(SCI_LINEFROMPOSITION, 3), Msg(SCI_GETSELECTIONEND),
                                            Msg(SCI_LINEFROMPOSITION, 12)}));
        SetSelection(5, 5);
        QCOMPARE(GetSelLength(), 0);
        SetSelection(4, 7);
        QCOMPARE(GetSelStartLine(), GetSelEndLine());
        recorder.sent.clear();
        ReplaceSelection("G02");
        QCOMPARE(Show(recorder.sent), Show({TextMsg(SCI_REPLACESEL, 0, "G02")}));
        QCOMPARE(Text(), std::string("N10 G02\r\nN20 X1\r\n"));
        QCOMPARE(Anchor(), 7);
        QCOMPARE(Caret(), 7);
    }

    void emptyTextSendsNothing()
    {
        SetText("N10 X1");
        SetSelection(2, 4);
        MessageRecorder recorder;
        QCOMPARE(FindString("", false, true, false, false, false), 0);
        QCOMPARE(FindString("", true, true, true, true, true), 0);
        QCOMPARE(ReplaceAllInDirection("", "Y2", false, false, false, false), 0);
        QCOMPARE(ReplaceAllInDirection("", "Y2", true, false, false, true), 0);
        QVERIFY(recorder.sent.empty());
        QCOMPARE(Text(), std::string("N10 X1"));
        QCOMPARE(Anchor(), 2);
        QCOMPARE(Caret(), 4);
    }

    void upFromTheStartWithoutWrapFails()
    {
        SetText("X1 X1");
        MessageRecorder recorder;
        QCOMPARE(FindString("X1", true, false, false, false, false), -1);
        QCOMPARE(Show(recorder.sent), Show(Up(0, 0, "X1")));
        QCOMPARE(Anchor(), 0);
        QCOMPARE(Caret(), 0);
    }

    void wrapFindsTheSelectedLoneMatchAgain()
    {
        SetText("N10 X1 Y2");
        SetSelection(4, 6);
        MessageRecorder recorder;
        QCOMPARE(FindString("X1", false, true, false, false, false), 4);
        QCOMPARE(Show(recorder.sent), Show(Down(0, 6, 9, "X1") + Range(0, 9, "X1") + Selects(4, 6)));
        QCOMPARE(Anchor(), 4);
        QCOMPARE(Caret(), 6);
        recorder.sent.clear();
        QCOMPARE(FindString("X1", true, true, false, false, false), 4);
        QCOMPARE(Show(recorder.sent),
                 Show(Up(0, 4, "X1") + Messages{Msg(SCI_GETLENGTH)} + Range(9, 0, "X1") + Selects(4, 6)));
    }

    void upwardMatchIsSelectedFromItsStart()
    {
        SetText("X1 X1 X1");
        SetSelection(8, 8);
        QCOMPARE(FindString("X1", true, false, false, false, false), 6);
        QCOMPARE(Anchor(), 6);
        QCOMPARE(Caret(), 8);
        QCOMPARE(FindString("X1", true, false, false, false, false), 3);
        QCOMPARE(Anchor(), 3);
        QCOMPARE(Caret(), 5);
        QCOMPARE(FindString("x1", false, false, false, false, false), 6);  // down continues behind it
    }

    void replaceAllDownTwice()
    {
        SetText("N1 X1\r\nN2 X1\r\n");
        MessageRecorder recorder;
        QCOMPARE(ReplaceAllInDirection("X1", "X10", false, false, false, false), 2);
        const Messages expected = Down(0, 0, 14, "X1") + Selects(3, 5) + Replaces("X10") + Down(0, 6, 15, "X1") +
                                  Selects(11, 13) + Replaces("X10") + Down(0, 14, 16, "X1");
        QCOMPARE(Show(recorder.sent), Show(expected));
        QCOMPARE(Text(), std::string("N1 X10\r\nN2 X10\r\n"));
        // Each replacement is its own undo step.
        SendEditor(SCI_UNDO, 0, 0);
        QCOMPARE(Text(), std::string("N1 X10\r\nN2 X1\r\n"));
    }

    void replaceAllUpLeavesLaterMatches()
    {
        SetText("X1 X1 Y X1");
        SetSelection(6, 6);
        MessageRecorder recorder;
        QCOMPARE(ReplaceAllInDirection("X1", "X10", true, false, false, false), 2);
        const Messages expected = Up(0, 6, "X1") + Selects(3, 5) + Replaces("X10") + Messages{Msg(SCI_GOTOPOS, 3)} +
                                  Up(0, 3, "X1") + Selects(0, 2) + Replaces("X10") + Messages{Msg(SCI_GOTOPOS, 0)} +
                                  Up(0, 0, "X1");
        QCOMPARE(Show(recorder.sent), Show(expected));
        QCOMPARE(Text(), std::string("X10 X10 Y X1"));
        QCOMPARE(Caret(), 0);
    }

    void replaceAllWhoseFirstSearchFails()
    {
        SetText("N10 X1");
        SetSelection(3, 3);
        MessageRecorder recorder;
        QCOMPARE(ReplaceAllInDirection("Y1", "Y2", false, false, false, false), 0);
        QCOMPARE(Show(recorder.sent), Show(Down(0, 3, 6, "Y1")));
        QCOMPARE(Text(), std::string("N10 X1"));
        QCOMPARE(Caret(), 3);
    }

    void options_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("search");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<bool>("regExp");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("result");
        const auto row = [](const char* name, const char* text, const char* search, const char* replacement, bool matchCase,
                            bool wholeWord, bool regExp, int count, const char* result) {
            QTest::newRow(name) << QByteArray(text) << QByteArray(search) << QByteArray(replacement) << matchCase << wholeWord
                                << regExp << count << QByteArray(result);
        };
        row("any case", "g01 G01 G01", "G01", "G1", false, false, false, 3, "G1 G1 G1");
        row("match case", "g01 G01 G01", "G01", "G1", true, false, false, 2, "g01 G1 G1");
        row("inside words", "X1 X10 X1", "X1", "X2", false, false, false, 3, "X2 X20 X2");
        row("whole words", "X1 X10 X1", "X1", "X2", false, true, false, 2, "X2 X10 X2");
        row("regexp words", "N1 Y-2.5 X3 Y.5", "Y-*[0-9.]+", "Y0", false, false, true, 2, "N1 Y0 X3 Y0");
        row("regexp, plain bracket", "(A) X1 (B)", "(", "[", false, false, true, 2, "[A) X1 [B)");
        row("regexp group, literal replacement", "X12 Y3", "X\\([0-9]+\\)", "X\\1", false, false, true, 1, "X\\1 Y3");
        row("regexp without case", "m3 M3", "m[0-9]", "M5", false, false, true, 2, "M5 M5");
        row("regexp with case", "m3 M3", "m[0-9]", "M5", true, false, true, 1, "M5 M3");
        row("malformed regexp", "[X1]", "[", "(", false, false, true, 0, "[X1]");
        row("regexp is literal without the option", "X1 X.", "X.", "Y", false, false, false, 1, "X1 Y");
    }
    void options()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, search);
        QFETCH(QByteArray, replacement);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(bool, regExp);
        QFETCH(int, count);
        QFETCH(QByteArray, result);
        SetText(text.toStdString());
        const std::int32_t first = FindString(search.toStdString(), false, false, matchCase, wholeWord, regExp);
        QCOMPARE(first == -1, count == 0);
        SetSelection(0, 0);
        QCOMPARE(ReplaceAllInDirection(search.toStdString(), replacement.toStdString(), false, matchCase, wholeWord, regExp),
                 count);
        QCOMPARE(QByteArray::fromStdString(Text()), result);
    }

    // Replace All from a caret, mostly with matches of length 0, which must each be taken once.
    void replaceAllFromTheCaret_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<bool>("up");
        QTest::addColumn<bool>("regExp");
        QTest::addColumn<QByteArray>("search");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<int>("count");
        QTest::addColumn<QByteArray>("result");
        const auto row = [](const char* name, const QByteArray& text, int caret, bool up, bool regExp, const char* search,
                            const char* replacement, int count, const char* result) {
            QTest::newRow(name) << text << caret << up << regExp << QByteArray(search) << QByteArray(replacement) << count
                                << QByteArray(result);
        };
        const QByteArray lines("aX\r\nab\r\ncd");
        row("line starts down", lines, 0, false, true, "^", "#", 3, "#aX\r\n#ab\r\n#cd");
        row("line starts up", lines, 10, true, true, "^", "#", 3, "#aX\r\n#ab\r\n#cd");
        row("down from a line start takes it", lines, 4, false, true, "^", "#", 2, "aX\r\n#ab\r\n#cd");
        row("up from a line start leaves it", lines, 4, true, true, "^", "#", 1, "#aX\r\nab\r\ncd");
        row("line ends down", lines, 0, false, true, "$", ";", 3, "aX;\r\nab;\r\ncd;");
        row("line ends up from the end", lines, 10, true, true, "$", ";", 2, "aX;\r\nab;\r\ncd");
        row("star down", lines, 0, false, true, "X*", "Y", 6, "YaY\r\nYaYb\r\nYcYd");
        row("star up", lines, 10, true, true, "X*", "Y", 6, "YaY\r\nYaYb\r\nYcYd");
        row("star into nothing", lines, 0, false, true, "X*", "", 6, "a\r\nab\r\ncd");
        row("empty document", QByteArray(), 0, false, true, "^", "%", 1, "%");
        row("replacement holding the text is not found again", "X1 X1 X1", 8, true, false, "X1", "X1X1", 3,
            "X1X1 X1X1 X1X1");
    }
    void replaceAllFromTheCaret()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, caret);
        QFETCH(bool, up);
        QFETCH(bool, regExp);
        QFETCH(QByteArray, search);
        QFETCH(QByteArray, replacement);
        QFETCH(int, count);
        QFETCH(QByteArray, result);
        SetText(text.toStdString());
        SetSelection(caret, caret);
        QCOMPARE(ReplaceAllInDirection(search.toStdString(), replacement.toStdString(), up, false, false, regExp), count);
        QCOMPARE(QByteArray::fromStdString(Text()), result);
    }
};

QTEST_MAIN(TestSearchPrimitives)
#include "test_searchprimitives.moc"

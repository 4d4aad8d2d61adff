// The search primitives through the real component: the selection as the search cursor, both
// directions with and without wrap, the options, Replace All's loop and matches of length 0.
#include <QtTest>

#include <memory>

#include "CaseRows.h"
#include "MessageRecorder.h"
#include "TestApp.h"
#include "search/SearchPrimitives.h"

using namespace sci;

namespace {

// FindString from a selection, and the selection it leaves.
struct Find {
    Chars name, text;
    int anchor, caret;
    Chars search;
    bool up, wrap;
    int found, anchorAfter, caretAfter;
};
const Find Finds[] = {
    {"down wraps to the selected lone match", "N10 X1 Y2", 4, 6, "X1", false, true, 4, 4, 6},
    {"up wraps to the selected lone match", "N10 X1 Y2", 4, 6, "X1", true, true, 4, 4, 6},
    {"down wraps to the first match", "X1 Y X1", 5, 7, "X1", false, true, 0, 0, 2},
    {"up wraps to the last match", "X1 Y X1", 0, 2, "X1", true, true, 5, 5, 7},
    {"up selects the match from its start", "X1 X1 X1", 8, 8, "X1", true, false, 6, 6, 8},
    {"up goes on before the selected match", "X1 X1 X1", 6, 8, "X1", true, false, 3, 3, 5},
    {"down goes on behind the selected match", "X1 X1 X1", 3, 5, "x1", false, false, 6, 6, 8},
    {"up from the start without wrap fails", "X1 X1 N10", 0, 0, "X1", true, false, -1, 0, 0},
    {"down fails with wrap too", "X1 X1 N10", 7, 5, "Y1", false, true, -1, 7, 5},
    {"up fails with wrap too", "X1 X1 N10", 7, 5, "Y1", true, true, -1, 7, 5},
};

// Replace All down from the start of the document with the three options.
struct Option {
    Chars name, text, search, replacement;
    bool matchCase, wholeWord, regExp;
    int count;
    Chars result;
};
const Option Options[] = {
    {"any case", "g01 G01 G01", "G01", "G1", false, false, false, 3, "G1 G1 G1"},
    {"match case", "g01 G01 G01", "G01", "G1", true, false, false, 2, "g01 G1 G1"},
    {"inside words", "X1 X10 X1", "X1", "X2", false, false, false, 3, "X2 X20 X2"},
    {"whole words", "X1 X10 X1", "X1", "X2", false, true, false, 2, "X2 X10 X2"},
    {"regexp words", "N1 Y-2.5 X3 Y.5", "Y-*[0-9.]+", "Y0", false, false, true, 2, "N1 Y0 X3 Y0"},
    {"regexp, plain bracket", "(A) X1 (B)", "(", "[", false, false, true, 2, "[A) X1 [B)"},
    {"regexp group, literal replacement", "X12 Y3", "X\\([0-9]+\\)", "X\\1", false, false, true, 1, "X\\1 Y3"},
    {"regexp without case", "m3 M3", "m[0-9]", "M5", false, false, true, 2, "M5 M5"},
    {"regexp with case", "m3 M3", "m[0-9]", "M5", true, false, true, 1, "M5 M3"},
    {"malformed regexp", "[X1]", "[", "(", false, false, true, 0, "[X1]"},
    {"regexp is literal without the option", "X1 X.", "X.", "Y", false, false, false, 1, "X1 Y"},
};

// Replace All one way from a caret, mostly with matches of length 0, which must each be taken once.
struct FromCaret {
    Chars name, text;
    int caret;
    bool up, regExp;
    Chars search, replacement;
    int count;
    Chars result;
};
constexpr char Lines[] = "aX\r\nab\r\ncd";
const FromCaret FromCarets[] = {
    {"up leaves the matches behind the caret", "X1 X1 Y X1", 6, true, false, "X1", "X10", 2, "X10 X10 Y X1"},
    {"down leaves the matches before the caret", "X1 X1 Y X1", 3, false, false, "X1", "X10", 2, "X1 X10 Y X10"},
    {"replacement holding the text is not found again", "X1 X1 X1", 8, true, false, "X1", "X1X1", 3, "X1X1 X1X1 X1X1"},
    {"first search fails", "X1 X1 N10", 3, false, false, "Y1", "Y2", 0, "X1 X1 N10"},
    {"line starts down", Lines, 0, false, true, "^", "#", 3, "#aX\r\n#ab\r\n#cd"},
    {"line starts up", Lines, 10, true, true, "^", "#", 3, "#aX\r\n#ab\r\n#cd"},
    {"down from a line start takes it", Lines, 4, false, true, "^", "#", 2, "aX\r\n#ab\r\n#cd"},
    {"up from a line start leaves it", Lines, 4, true, true, "^", "#", 1, "#aX\r\nab\r\ncd"},
    {"line ends down", Lines, 0, false, true, "$", ";", 3, "aX;\r\nab;\r\ncd;"},
    {"line ends up from the end", Lines, 10, true, true, "$", ";", 2, "aX;\r\nab;\r\ncd"},
    {"star down", Lines, 0, false, true, "X*", "Y", 6, "YaY\r\nYaYb\r\nYcYd"},
    {"star up", Lines, 10, true, true, "X*", "Y", 6, "YaY\r\nYaYb\r\nYcYd"},
    {"star into nothing", Lines, 0, false, true, "X*", "", 6, "a\r\nab\r\ncd"},
    {"empty document", "", 0, false, true, "^", "%", 1, "%"},
};

}  // namespace

class TestSearchPrimitives : public QObject {
    Q_OBJECT
    std::unique_ptr<TestApp> t;

private Q_SLOTS:
    void init()
    {
        t = std::make_unique<TestApp>();
        t->LoadEditorWindow();
    }
    void cleanup() { t.reset(); }

    void selectionPrimitives()
    {
        const EditorSession& e = t->editor;
        SetText(e, "N10 G01\r\nN20 X1\r\n");
        SetSelection(e, 12, 3);
        QCOMPARE(Anchor(e), 12);
        QCOMPARE(Caret(e), 3);
        QCOMPARE(GetSelStart(e), 3);
        QCOMPARE(GetSelEnd(e), 12);
        QCOMPARE(GetSelLength(e), 9);
        QCOMPARE(GetSelStartLine(e), 0);
        QCOMPARE(GetSelEndLine(e), 1);
        SetSelection(e, 5, 5);
        QCOMPARE(GetSelLength(e), 0);
        SetSelection(e, 4, 7);
        QCOMPARE(GetSelStartLine(e), GetSelEndLine(e));
        ReplaceSelection(e, "G02");
        QCOMPARE(Text(e), std::string("N10 G02\r\nN20 X1\r\n"));
        QCOMPARE(Anchor(e), 7);
        QCOMPARE(Caret(e), 7);
    }

    void emptyTextSendsNothing()
    {
        SetText(t->editor, "N10 X1");
        SetSelection(t->editor, 2, 4);
        MessageRecorder recorder(t->editor);
        QCOMPARE(FindString(t->editor, "", false, true, false, false, false), 0);
        QCOMPARE(FindString(t->editor, "", true, true, true, true, true), 0);
        QCOMPARE(ReplaceAllInDirection(t->editor, "", "Y2", false, false, false, false), 0);
        QCOMPARE(ReplaceAllInDirection(t->editor, "", "Y2", true, false, false, true), 0);
        QVERIFY(recorder.sent.empty());
    }

    // The search text reaches the component unchanged, 8-bit characters included, with its length.
    void searchTextArrivesByteForByte()
    {
        const std::string search = "(\xC4\xD6\xDF)";
        SetText(t->editor, "N10 " + search + " X1");
        MessageRecorder recorder(t->editor);
        QCOMPARE(FindString(t->editor, search, false, true, true, false, false), 4);
        int searches = 0;
        for (const SentMessage& m : recorder.sent) {
            if (m.msg != SCI_SEARCHINTARGET)
                continue;
            ++searches;
            QCOMPARE(m.wParam, std::intptr_t(search.size()));
            QCOMPARE(m.text, search);
        }
        QVERIFY(searches > 0);
        QCOMPARE(Anchor(t->editor), 4);
        QCOMPARE(Caret(t->editor), 9);
    }

    // A match becomes the selection from its start to its end; a failed search keeps the selection.
    void findString_data() { AddRows(Finds); }
    void findString()
    {
        QFETCH(int, row);
        const Find& c = Finds[row];
        SetText(t->editor, c.text);
        SetSelection(t->editor, c.anchor, c.caret);
        QCOMPARE(FindString(t->editor, c.search, c.up, c.wrap, false, false, false), c.found);
        QCOMPARE(Anchor(t->editor), c.anchorAfter);
        QCOMPARE(Caret(t->editor), c.caretAfter);
        QCOMPARE(Text(t->editor), std::string(c.text));
    }

    void eachReplacementIsItsOwnUndoStep()
    {
        SetText(t->editor, "N1 X1\r\nN2 X1\r\n");
        QCOMPARE(ReplaceAllInDirection(t->editor, "X1", "X10", false, false, false, false), 2);
        QCOMPARE(Text(t->editor), std::string("N1 X10\r\nN2 X10\r\n"));
        t->editor.SendEditor(SCI_UNDO, 0, 0);
        QCOMPARE(Text(t->editor), std::string("N1 X10\r\nN2 X1\r\n"));
    }

    void options_data() { AddRows(Options); }
    void options()
    {
        QFETCH(int, row);
        const Option& c = Options[row];
        SetText(t->editor, c.text);
        const std::int32_t first = FindString(t->editor, c.search, false, false, c.matchCase, c.wholeWord, c.regExp);
        QCOMPARE(first == -1, c.count == 0);
        SetSelection(t->editor, 0, 0);
        QCOMPARE(ReplaceAllInDirection(t->editor, c.search, c.replacement, false, c.matchCase, c.wholeWord, c.regExp),
                 c.count);
        QCOMPARE(Text(t->editor), std::string(c.result));
    }

    void replaceAllFromTheCaret_data() { AddRows(FromCarets); }
    void replaceAllFromTheCaret()
    {
        QFETCH(int, row);
        const FromCaret& c = FromCarets[row];
        SetText(t->editor, c.text);
        SetSelection(t->editor, c.caret, c.caret);
        QCOMPARE(ReplaceAllInDirection(t->editor, c.search, c.replacement, c.up, false, false, c.regExp), c.count);
        QCOMPARE(Text(t->editor), std::string(c.result));
        if (c.count == 0)
            QCOMPARE(Caret(t->editor), c.caret);
    }
};

QTEST_MAIN(TestSearchPrimitives)
#include "test_searchprimitives.moc"

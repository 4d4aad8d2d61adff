// The real Kelpo.so where it is more than QScintilla: arguments outside the document, its lines,
// styles or selections are clamped or refused instead of aborting or writing out of bounds inside
// Scintilla, and the component goes on working. Each case gets a fresh editor window.
#include "TestApp.h"

#include <climits>

using namespace sci;

namespace {

const std::string Program = "N10 G0\r\nN20 G1 Y5\r\nN30 M30";  // 3 lines, 26 bytes
enum : qint64 { M3 = LLONG_MIN, Buffer };                      // lParam: the text "M3"; 64 bytes of '~'

// A message, its result, the document it leaves, and where it leaves the caret (when it moves it).
struct Send {
    std::uint32_t msg;
    qint64 w = 0, l = 0;
    int result = 0;
    std::string after = Program;
    std::intptr_t caret = -1;
};

std::intptr_t Pointer(const void* pointer) { return reinterpret_cast<std::intptr_t>(pointer); }

std::intptr_t Call(const TestApp& t, std::uint32_t msg, std::intptr_t w = 0, std::intptr_t l = 0)
{
    return t.editor.Module.Send(t.editor.EditorHandle, msg, static_cast<std::uintptr_t>(w), l);
}

}  // namespace

class KelpoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void outsideTheDocument()
    {
        // One selection, so 1 is the first index past the end; a text range runs from wParam to lParam.
        // clang-format off
        const Send sends[] = {
            {SCI_SETMAINSELECTION, 1}, {SCI_GETSELECTIONNCARET, 1}, {SCI_GETSELECTIONNCARETVIRTUALSPACE, 1},
            {SCI_GETSELECTIONNSTART, -1}, {SCI_SETSELECTIONNSTART, -1, 3}, {SCI_SETSELECTIONNCARET, 0, 500},
            {SCI_SETSELECTIONNEND, 0, 500}, {SCI_SETSELECTION, 500, -9}, {SCI_ADDSELECTION, 500, 3},
            {SCI_WRAPCOUNT, 3}, {SCI_SETLINESTATE, -1, 1}, {SCI_MARGINSETSTYLE, -1, 1}, {SCI_MARGINSETSTYLES, 1LL << 40, 1},
            {SCI_ANNOTATIONSETSTYLE, -1, 1}, {SCI_TOGGLEFOLDSHOWTEXT, 500, 1}, {SCI_ADDTABSTOP, -1, 1},
            {EM_LINEINDEX, 2, 0, 19}, {EM_LINEINDEX, 3, 0, -1}, {EM_LINEINDEX, -1, 0, -1},
            {SCI_STYLESETFORE, 1 << 30, 1}, {SCI_STYLESETFORE, -2, 1}, {SCI_STYLEGETSIZE, 1LL << 40},
            {SCI_STARTSTYLING, 50}, {SCI_COLOURISE, -5, 20}, {SCI_SETSTYLING, 100, 7}, {SCI_SETSTYLING, -5, 7},
            {SCI_SETSTYLINGEX, 100, Buffer}, {SCI_GETTEXTRANGE, 19, 60, 7}, {SCI_GETTEXTRANGE, 19, -1, 7},
            {SCI_GETTEXTRANGE, 10, 4}, {SCI_GETSTYLEDTEXT, -5, 3, 6}, {SCI_GETTEXT, -5, Buffer}, {SCI_GETCURLINE, 0, Buffer},
            {SCI_SEARCHINTARGET, 4, 0, -1}, {SCI_REPLACETARGET, 4}, {SCI_REPLACETARGETRE, 4},
            {SCI_REPLACETARGET, -1, M3, 2, Program.substr(0, 8) + "M3"}, {SCI_INSERTTEXT, 500, M3, 0, Program + "M3"},
            {SCI_INSERTTEXT, -1, M3, 0, "NM3" + Program.substr(1)}, {SCI_INSERTTEXT, -7, M3, 0, "M3" + Program},
            {SCI_DELETERANGE, -2, 3, 0, Program.substr(1)}, {SCI_DELETERANGE, 20, LLONG_MAX, 0, Program.substr(0, 20)},
            {SCI_REPLACESEL, 0, M3, 0, "NM3" + Program.substr(3), 3}};
        // clang-format on
        for (const Send& s : sends) {
            TestApp t;
            QWidget* component = t.LoadEditorWindow().findChild<QWidget*>("EditorDll");
            // The component alone, and with redraw off as around a replace-all.
            t.editor.Module.SetCallback(t.editor.EditorHandle, nullptr, nullptr, nullptr, nullptr);
            SetText(t.editor, Program);
            Call(t, WM_SETREDRAW, 0);
            Call(t, SCI_SETTARGETRANGE, 8, 60);
            Call(t, SCI_SETSEL, 3, 1);
            Call(t, SCI_STARTSTYLING, 8);
            std::string buffer(64, '~');
            const std::intptr_t range[] = {s.w, s.l, Pointer(buffer.data())};  // Sci_TextRange
            const bool ranged = s.msg == SCI_GETTEXTRANGE || s.msg == SCI_GETSTYLEDTEXT;
            const void* pointer = ranged ? static_cast<const void*>(range) : s.l == M3 ? "M3" : buffer.data();
            const auto got = Call(t, s.msg, ranged ? 0 : s.w, ranged || s.l <= Buffer ? Pointer(pointer) : s.l);
            QCOMPARE(std::pair(s.msg, got), std::pair(s.msg, std::intptr_t(s.result)));
            QCOMPARE(buffer.find_first_not_of('~', std::size_t(std::max(s.result, 0)) + 2), std::string::npos);
            QVERIFY(range[0] == s.w && range[1] == s.l);  // the caller's range is left as it was
            QCOMPARE(Text(t.editor), s.after);
            QVERIFY(Call(t, SCI_GETTARGETSTART) == 8 && (s.caret < 0 || Call(t, SCI_GETCURRENTPOS) == s.caret));
            for (const std::uint32_t position : {SCI_GETSELECTIONSTART, SCI_GETSELECTIONEND, SCI_GETENDSTYLED})
                QVERIFY(Call(t, position) >= 0 && Call(t, position) <= std::intptr_t(s.after.size()));
            QVERIFY(!component->updatesEnabled());
            component->grab();  // and it still paints
        }
    }
};

QTEST_MAIN(KelpoTest)
#include "test_kelpo.moc"

// The editor window with a recording module: configuration order, the styling request route,
// the re-entrancy guard, hooking and the component's size.
#include <QtTest>

#include "FakeKelpo.h"
#include "ModuleFolder.h"
#include "TestApp.h"

using namespace sci;

namespace {

struct Forwarded {
    std::vector<KelpoNotification> seen;
    static void Record(void* context, const KelpoNotification* n)
    {
        static_cast<Forwarded*>(context)->seen.push_back(*n);
    }
};

std::vector<std::array<std::intptr_t, 3>> Messages(const std::vector<FakeMessage>& log)
{
    std::vector<std::array<std::intptr_t, 3>> out;
    for (const FakeMessage& m : log)
        out.push_back({std::intptr_t(m.msg), m.wParam, m.lParam});
    return out;
}

}  // namespace

using MessageList = std::vector<std::array<std::intptr_t, 3>>;
Q_DECLARE_METATYPE(MessageList)

class TestEditorWindow : public QObject {
    Q_OBJECT
    std::unique_ptr<ModuleFolder> folder;
    std::unique_ptr<TestApp> t;
    std::vector<FakeMessage>* log = nullptr;
    FakeSetFn fakeSet = nullptr;
    FakeNotifyFn notify = nullptr;
    Forwarded previous;
    std::vector<FakeMessage> loadMessages;

private Q_SLOTS:
    void init()
    {
        folder = std::make_unique<ModuleFolder>(FakeModulePath());
        t = std::make_unique<TestApp>(folder->Path());
        log = folder->Resolve<FakeLogFn>("FakeLog")();
        fakeSet = folder->Resolve<FakeSetFn>("FakeSet");
        notify = folder->Resolve<FakeNotifyFn>("FakeNotify");
        QVERIFY(log && fakeSet && notify);
        fakeSet(300, 0, false);
        // A procedure installed before the editor's: everything must still reach it.
        auto setCallback = folder->Resolve<KelpoSetCallbackFn>("KelpoSetCallback");
        previous.seen.clear();
        setCallback(300, &Forwarded::Record, &previous, nullptr, nullptr);
        log->clear();
        t->LoadEditorWindow();
        loadMessages = *log;
        log->clear();
    }
    void cleanup()
    {
        t->forms.Unload(FormId::frmEditor);
        t.reset();
    }

    void configurationInOrder()
    {
        const std::vector<std::array<std::intptr_t, 3>> expected = {
            {SCI_SETSTYLEBITS, 6, 0},
            {SCI_SETLEXER, 0, 0},
            {SCI_STYLESETFORE, 32, 0},
            {SCI_STYLESETBACK, 32, 0xFFFFFF},
            {SCI_STYLESETBOLD, 32, 0},
            {SCI_STYLESETSIZE, 32, 10},
            {SCI_STYLECLEARALL, 0, 0},
            // No style set file in the folder: the built-in set follows the base look.
            {SCI_STYLESETFORE, 0, 0},
            {SCI_STYLESETFORE, 27, 0x00C000},
            {SCI_STYLESETFORE, 13, 0xFF8080},
            {SCI_STYLESETFORE, 14, 0xC0C0C0},
        };
        QCOMPARE(Messages(loadMessages), expected);
        QCOMPARE(t->editor.EditorHandle, 300);
    }

    void styleNeededComputesLines_data()
    {
        QTest::addColumn<int>("endStyled");
        QTest::addColumn<int>("position");
        QTest::newRow("same line") << 20 << 27;
        QTest::newRow("several lines") << 5 << 95;
        QTest::newRow("from the start") << 0 << 0;
    }
    void styleNeededComputesLines()
    {
        QFETCH(int, endStyled);
        QFETCH(int, position);
        fakeSet(300, endStyled, false);
        log->clear();
        notify(SCN_STYLENEEDED, position);
        const std::vector<std::array<std::intptr_t, 3>> expected = {
            {SCI_GETENDSTYLED, 0, 0},
            {SCI_LINEFROMPOSITION, endStyled, 0},
            {SCI_LINEFROMPOSITION, position, 0},
        };
        const auto sent = Messages(*log);
        QVERIFY(sent.size() >= expected.size());
        QCOMPARE(std::vector(sent.begin(), sent.begin() + 3), expected);
        // Then every line from the first unstyled one to the requested one, once each, in order.
        std::vector<std::intptr_t> styledLines;
        for (const auto& m : sent)
            if (m[0] == EM_LINEINDEX)
                styledLines.push_back(m[1]);
        std::vector<std::intptr_t> wanted;
        for (std::intptr_t line = endStyled / FakeLineLength; line <= position / FakeLineLength; ++line)
            wanted.push_back(line);
        QCOMPARE(styledLines, wanted);
        QCOMPARE(previous.seen.size(), std::size_t(1));
        QCOMPARE(previous.seen[0].code, SCN_STYLENEEDED);
        QCOMPARE(previous.seen[0].position, position);
        QVERIFY(!t->editor.InEditorWndProc);
    }

    void otherNotificationsOnlyForwarded()
    {
        notify(2008, 5);
        QVERIFY(log->empty());
        QCOMPARE(previous.seen.size(), std::size_t(1));
        QCOMPARE(previous.seen[0].code, 2008);
    }

    void nestedRequestIsOnlyForwarded()
    {
        fakeSet(300, 40, true);
        log->clear();
        notify(SCN_STYLENEEDED, 60);
        // One route; the nested request inside it styled nothing.
        QCOMPARE(
            std::count_if(log->begin(), log->end(), [](const FakeMessage& m) { return m.msg == SCI_GETENDSTYLED; }),
            std::ptrdiff_t(1));
        QCOMPARE(previous.seen.size(), std::size_t(2));
        QCOMPARE(previous.seen[0].position, 41);
        QCOMPARE(previous.seen[1].position, 60);
        QVERIFY(!t->editor.InEditorWndProc);
    }

    void unloadRestoresPreviousProcedure()
    {
        t->forms.Unload(FormId::frmEditor);
        log->clear();
        notify(SCN_STYLENEEDED, 10);
        QVERIFY(log->empty());
        QCOMPARE(previous.seen.size(), std::size_t(1));
    }

    void styleLineMessages_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("mode");
        QTest::addColumn<MessageList>("words");
        using M = MessageList;
        QTest::newRow("mode 2") << QByteArray("X10") << 2
                                << M{{SCI_STARTSTYLING, 0, 63},
                                     {SCI_SETSTYLING, 1, 57},
                                     {SCI_STARTSTYLING, 1, 63},
                                     {SCI_SETSTYLING, 2, 32}};
        QTest::newRow("mode 3") << QByteArray("X10") << 3
                                << M{{SCI_STARTSTYLING, 0, 63},
                                     {SCI_SETSTYLING, 1, 57},
                                     {SCI_STARTSTYLING, 1, 63},
                                     {SCI_SETSTYLING, 2, 24}};
        QTest::newRow("mode 4") << QByteArray("X10") << 4 << M{{SCI_STARTSTYLING, 0, 63}, {SCI_SETSTYLING, 3, 57}};
        QTest::newRow("mode 7") << QByteArray("X10") << 7 << M{{SCI_STARTSTYLING, 0, 63}, {SCI_SETSTYLING, 3, 32}};
        QTest::newRow("mode 0") << QByteArray("X10") << 0 << M{};
        QTest::newRow("bare letter, mode 3") << QByteArray("X") << 3
                                             << M{{SCI_STARTSTYLING, 0, 63},
                                                  {SCI_SETSTYLING, 1, 57},
                                                  {SCI_STARTSTYLING, 1, 63},
                                                  {SCI_SETSTYLING, 0, 24}};
        QTest::newRow("empty line") << QByteArray() << 1 << M{};
    }
    void styleLineMessages()
    {
        QFETCH(QByteArray, line);
        QFETCH(int, mode);
        QFETCH(MessageList, words);
        folder->Resolve<FakeSetLineFn>("FakeSetLine")(line.constData());
        t->styling.StyleModes.fill(1);
        t->styling.StyleModes[23] = mode;
        t->styling.StylingEnabled = true;
        log->clear();
        QVERIFY(t->styling.StyleLine(0));
        // The line's start and text, then the whole line in style 0, then its words.
        MessageList expected{{EM_LINEINDEX, 0, 0}, {SCI_LINELENGTH, 0, 0}};
        if (!line.isEmpty())
            expected.push_back({SCI_GETLINE, 0, 0});
        expected.push_back({SCI_STARTSTYLING, 0, 63});
        expected.push_back({SCI_SETSTYLING, line.size(), 0});
        expected.insert(expected.end(), words.begin(), words.end());
        MessageList sent = Messages(*log);
        for (auto& m : sent)
            if (m[0] == SCI_GETLINE)
                m[2] = 0;  // the caller's buffer
        QCOMPARE(sent, expected);
        QVERIFY(!t->styling.StyleLine(1));
    }

    void componentFillsWindow_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QSize>("component");
        QTest::newRow("ordinary") << QSize(635, 300) << QSize(635, 300);
        QTest::newRow("tiny") << QSize(5, 9) << QSize(5, 9);
    }
    void componentFillsWindow()
    {
        QFETCH(QSize, window);
        QFETCH(QSize, component);
        frmEditor& editor = t->forms.Get<frmEditor>();
        editor.resize(window);
        editor.show();
        QCoreApplication::processEvents();
        QVERIFY(editor.ComponentWidget());
        QCOMPARE(editor.ComponentWidget()->geometry(), QRect(QPoint(0, 0), component));
    }
};

QTEST_MAIN(TestEditorWindow)
#include "test_editorwindow.moc"

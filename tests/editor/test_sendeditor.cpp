// SendEditor's handling of integer and text lParams, and the direct sends with callers' buffers.
#include <QtTest>

#include "FakeKelpo.h"
#include "ModuleFolder.h"
#include "TestApp.h"

class TestSendEditor : public QObject {
    Q_OBJECT
    ModuleFolder folder{FakeModulePath()};
    TestApp t{folder.Path()};
    std::vector<FakeMessage>* log = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        t.LoadEditorWindow();
        log = folder.Resolve<FakeLogFn>("FakeLog")();
        QVERIFY(log);
        QCOMPARE(t.editor.EditorHandle, 300);
    }
    void init() { log->clear(); }

    void integerPassedUnchanged_data()
    {
        QTest::addColumn<int>("wParam");
        QTest::addColumn<int>("lParam");
        QTest::newRow("zeros") << 0 << 0;
        QTest::newRow("colour") << 32 << 0xFFFFFF;
        QTest::newRow("negative") << -1 << -2147483647 - 1;
        QTest::newRow("largest") << 2147483647 << 2147483647;
    }
    void integerPassedUnchanged()
    {
        QFETCH(int, wParam);
        QFETCH(int, lParam);
        t.editor.SendEditor(2051, wParam, lParam);
        QCOMPARE(log->size(), std::size_t(1));
        QCOMPARE(log->front().msg, 2051u);
        QCOMPARE(std::int32_t(log->front().wParam), wParam);
        QCOMPARE(log->front().lParam, std::intptr_t(lParam));
    }

    void textArrivesAsCString_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("arrives");
        QTest::newRow("plain") << QByteArray("G01 X10.5") << QByteArray("G01 X10.5");
        QTest::newRow("empty") << QByteArray() << QByteArray("");
        QTest::newRow("single NUL") << QByteArray(1, '\0') << QByteArray("");
        QTest::newRow("NUL inside") << QByteArray("ab\0cd", 5) << QByteArray("ab");
        QTest::newRow("8-bit") << QByteArray("\xC8\xE9\x7F") << QByteArray("\xC8\xE9\x7F");
    }
    void textArrivesAsCString()
    {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, arrives);
        t.editor.SendEditor(FakeEchoText, 7, std::string_view(text.constData(), std::size_t(text.size())));
        QCOMPARE(log->size(), std::size_t(1));
        QCOMPARE(log->front().wParam, std::intptr_t(7));
        QCOMPARE(QByteArray::fromStdString(log->front().text), arrives);
    }

    void textCopyIsTemporary()
    {
        const char text[] = "N10";
        t.editor.SendEditor(FakeEchoText, 0, std::string_view(text));
        QVERIFY(log->front().lParam != reinterpret_cast<std::intptr_t>(text));
        QCOMPARE(log->front().text, std::string("N10"));
    }

    void directSendUsesCallersBuffer()
    {
        char buffer[16] = {};
        QCOMPARE(t.editor.SendEditorDirect(FakeFillBuffer, 16, buffer), 6);
        QCOMPARE(log->front().lParam, reinterpret_cast<std::intptr_t>(buffer));
        QCOMPARE(QByteArray(buffer), QByteArray("filled"));
        log->clear();
        t.editor.SendEditorDirect(187, 5, 0);
        QCOMPARE(log->front().wParam, std::intptr_t(5));
        QCOMPARE(log->front().lParam, std::intptr_t(0));
    }
};

QTEST_MAIN(TestSendEditor)
#include "test_sendeditor.moc"

// Handles, the notification callback, destruction and the component's own configuration.
#include "KelpoFixture.h"

#include <QAccessible>
#include <QTest>

#include <vector>

namespace {

struct Recorder {
    const Component* component = nullptr;
    std::vector<KelpoNotification> seen;
};

// Records the notification and styles up to where the component asked, as the editor does.
void styleOnRequest(void* context, const KelpoNotification* notification)
{
    auto* recorder = static_cast<Recorder*>(context);
    recorder->seen.push_back(*notification);
    const Component& c = *recorder->component;
    const std::intptr_t start = c.send(sci::SCI_GETENDSTYLED);
    c.send(sci::SCI_STARTSTYLING, start, 63);
    c.send(sci::SCI_SETSTYLING, notification->position - start, 1);
}

void ignore(void*, const KelpoNotification*) {}

}  // namespace

class KelpoLifecycleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(kelpo().complete(), "Kelpo.so or an entry point is missing"); }

    void handlesAreDistinctAndNeverReused()
    {
        auto first = std::make_unique<Component>();
        Component second;
        const std::intptr_t gone = first->handle();
        first.reset();
        Component third;
        for (const std::intptr_t handle : {gone, second.handle(), third.handle()})
            QVERIFY(handle >= 32);
        QVERIFY(gone != second.handle() && third.handle() != gone && third.handle() != second.handle());
    }

    void eightBitModeAndNarrowModificationEvents()
    {
        Component c;
        QCOMPARE(c.send(sci::SCI_GETCODEPAGE), 0);
        QCOMPARE(c.send(sci::SCI_GETMODEVENTMASK), 0);
        QCOMPARE(c.send(sci::SCI_GETLEXER), sci::SCLEX_CONTAINER);
    }

    void setCallbackReturnsThePreviousOne()
    {
        Component c;
        Recorder a;
        Recorder b;
        KelpoCallback previous = ignore;
        void* previousContext = this;
        kelpo().setCallback(c.handle(), styleOnRequest, &a, &previous, &previousContext);
        QVERIFY(previous == nullptr);
        QVERIFY(previousContext == nullptr);
        kelpo().setCallback(c.handle(), ignore, &b, &previous, &previousContext);
        QVERIFY(previous == styleOnRequest);
        QCOMPARE(previousContext, &a);
        kelpo().setCallback(c.handle(), nullptr, nullptr, &previous, &previousContext);
        QVERIFY(previous == ignore);
        QCOMPARE(previousContext, &b);
        kelpo().setCallback(c.handle(), ignore, nullptr, nullptr, nullptr);  // results not wanted
        kelpo().setCallback(c.handle(), nullptr, nullptr, &previous, nullptr);
        QVERIFY(previous == ignore);
    }

    void styleNeededReachesTheCallbackWhenPainted()
    {
        Component c;
        c.load(cncLines(3000));
        c.send(sci::SCI_SETLEXER, sci::SCLEX_CONTAINER);
        Recorder recorder;
        recorder.component = &c;
        kelpo().setCallback(c.handle(), styleOnRequest, &recorder, nullptr, nullptr);
        c.parent()->show();
        QVERIFY(QTest::qWaitForWindowExposed(c.parent()));
        c.widget()->repaint();
        QTRY_VERIFY(!recorder.seen.empty());

        const KelpoNotification first = recorder.seen.front();
        QCOMPARE(first.sender, c.handle());
        QCOMPARE(first.id, 0);
        QCOMPARE(first.code, sci::SCN_STYLENEEDED);
        QVERIFY(first.position > 0);
        QVERIFY(first.position < c.send(sci::SCI_GETLENGTH));  // only the visible part
        QVERIFY(c.send(sci::SCI_GETENDSTYLED) >= first.position);
        QCOMPARE(c.styleAt(0), 1);

        kelpo().setCallback(c.handle(), nullptr, nullptr, nullptr, nullptr);
        const std::size_t delivered = recorder.seen.size();
        c.sendPointer(sci::SCI_REPLACESEL, 0, "M3 ");
        c.widget()->repaint();
        QCoreApplication::processEvents();
        QCOMPARE(recorder.seen.size(), delivered);
    }

    // No parent, an unknown handle and a destroyed component: nothing is created or answered.
    void noComponentAnswersNothing()
    {
        QCOMPARE(kelpo().create(nullptr), 0);
        Component c;
        c.load("N10 G0");
        kelpo().setCallback(c.handle(), ignore, nullptr, nullptr, nullptr);
        QCOMPARE(c.send(sci::SCI_GETLENGTH), 6);
        c.destroyParent();
        for (const std::intptr_t handle : {c.handle(), std::intptr_t{12345}}) {
            QCOMPARE(kelpo().send(handle, sci::SCI_GETLENGTH, 0, 0), 0);
            QCOMPARE(kelpo().send(handle, sci::EM_LINEINDEX, 0, 0), 0);
            KelpoCallback previous = ignore;
            void* previousContext = this;
            kelpo().setCallback(handle, ignore, this, &previous, &previousContext);
            QVERIFY(previous == nullptr);
            QVERIFY(previousContext == nullptr);
        }
    }

    void plainAccessibilityInterface()
    {
        Component c;
        Component other;
        for (const Component* component : {&c, &other}) {
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(component->widget());
            QVERIFY(iface);
            QCOMPARE(iface->role(), QAccessible::EditableText);
            QVERIFY(iface->textInterface() == nullptr);
            QVERIFY(iface->state().editable);
            QVERIFY(iface->state().multiLine);
        }
    }
};

QTEST_MAIN(KelpoLifecycleTest)
#include "test_kelpo_lifecycle.moc"

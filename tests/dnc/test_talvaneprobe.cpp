// The running-Talvane probe over real endpoints: titles, case, prefixes, stale sockets, and a
// listener that never answers.
#include "MbTestSupport.h"
#include "base/FileDescriptor.h"
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"
#include "dnc/TalvaneProbe.h"

#include <memory>
#include <vector>

class TestTalvaneProbe : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void version_data()
    {
        QTest::addColumn<QStringList>("live");
        QTest::addColumn<QStringList>("stale");
        QTest::addColumn<int>("version");
        QTest::newRow("none") << QStringList{} << QStringList{} << 0;
        QTest::newRow("message endpoint only") << QStringList{"Talvane"} << QStringList{} << 0;
        QTest::newRow("4.1") << QStringList{"Talvane 4.1"} << QStringList{} << 41;
        QTest::newRow("5.0") << QStringList{"Talvane 5.0"} << QStringList{} << 50;
        QTest::newRow("both") << QStringList{"Talvane 5.0", "Talvane 4.1"} << QStringList{} << 41;
        QTest::newRow("other case") << QStringList{"TALVANE 5.0"} << QStringList{} << 50;
        QTest::newRow("5.1") << QStringList{"Talvane 5.1"} << QStringList{} << 0;
        QTest::newRow("title only begins so") << QStringList{"Talvane 4.1 beta", "Talvane 5.0x"} << QStringList{} << 0;
        QTest::newRow("stale socket") << QStringList{} << QStringList{"talvane 4.1"} << 0;
        QTest::newRow("stale 4.1, live 5.0") << QStringList{"Talvane 5.0"} << QStringList{"talvane 4.1"} << 50;
    }
    void version()
    {
        QFETCH(QStringList, live);
        QFETCH(QStringList, stale);
        QFETCH(int, version);
        RuntimeFolder runtime;
        const std::string folder = mb::EndpointFolder().value();
        std::vector<std::unique_ptr<InterProc>> listeners;
        for (const QString& title : live) {
            listeners.push_back(std::make_unique<InterProc>());
            QVERIFY(listeners.back()->Listen(title.toStdString()));
        }
        for (const QString& name : stale)
            QVERIFY(MakeStaleSocket(mb::EndpointPath(folder, name.toStdString())));
        QCOMPARE(GetTalvaneVersion(), version);
    }

    // A listener that never accepts: once its queue is full a connect would wait, the probe does not.
    void listenerThatNeverAnswers()
    {
        RuntimeFolder runtime;
        const std::string path = mb::EndpointPath(mb::EndpointFolder().value(), "talvane 4.1");
        const FileDescriptor listener(::socket(AF_UNIX, SOCK_STREAM, 0));
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
        QVERIFY(::bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
        QVERIFY(::listen(listener.get(), 1) == 0);
        for (int probe = 0; probe < 20; ++probe)
            QCOMPARE(GetTalvaneVersion(), 41);
    }
};

QTEST_GUILESS_MAIN(TestTalvaneProbe)
#include "test_talvaneprobe.moc"

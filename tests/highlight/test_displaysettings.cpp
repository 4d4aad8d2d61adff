// The display settings file edset.ini: the substring rules of its reader, the writer's two
// lines read back, and the file in a real program folder.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "FileTestSupport.h"
#include "base/AppState.h"
#include "highlight/DisplaySettingsFile.h"

class TestDisplaySettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("colorOn");
        QTest::addColumn<int>("boldMode");
        QTest::newRow("empty") << QByteArray() << true << 0;
        QTest::newRow("as written, colour off, all bold") << QByteArray("COLOR=OFF\r\nBOLD=ALL") << false << 2;
        QTest::newRow("only BOLD=SOME") << QByteArray("BOLD=SOME") << true << 1;
        QTest::newRow("lower-case colour off") << QByteArray("color=off\r\nbold=all") << true << 0;
        QTest::newRow("ALL then SOME") << QByteArray("BOLD=ALL\r\nBOLD=SOME") << true << 1;
        QTest::newRow("SOME then ALL") << QByteArray("BOLD=SOME BOLD=ALL") << true << 1;
        QTest::newRow("COLOR=OFF inside a longer word") << QByteArray("XCOLOR=OFFSET") << false << 0;
        QTest::newRow("blanks around the equals sign") << QByteArray("COLOR = OFF\r\nBOLD = ALL") << true << 0;
        QTest::newRow("COLOR=ON and BOLD=NONE are not looked for") << QByteArray("BOLD=NONE COLOR=ON") << true << 0;
    }
    void readsText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, colorOn);
        QFETCH(int, boldMode);
        const DisplaySettings settings = DisplaySettingsFromText(text.toStdString());
        QCOMPARE(settings.colorOn, colorOn);
        QCOMPARE(int(settings.boldMode), boldMode);
    }

    void writesWhatReadsBack_data()
    {
        QTest::addColumn<bool>("colorOn");
        QTest::addColumn<int>("boldMode");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("defaults") << true << 0 << QByteArray("COLOR=ON\r\nBOLD=NONE");
        QTest::newRow("colour off, some bold") << false << 1 << QByteArray("COLOR=OFF\r\nBOLD=SOME");
        QTest::newRow("colour off, all bold") << false << 2 << QByteArray("COLOR=OFF\r\nBOLD=ALL");
    }
    void writesWhatReadsBack()
    {
        QFETCH(bool, colorOn);
        QFETCH(int, boldMode);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        AppState app;
        app.ProgramFolder = QFile::encodeName(dir.path()).toStdString();
        const DisplaySettings written{colorOn, std::uint8_t(boldMode)};
        QVERIFY(WriteDisplaySettingsFile(app, written));
        QCOMPARE(OnDisk(app.ProgramFile("edset.ini")), bytes);
        QCOMPARE(ReadDisplaySettingsFile(app), written);
    }

    // No regular file gives the defaults; a file that cannot be read keeps what is in force.
    void readsFolder()
    {
        QTemporaryDir dir;
        AppState app;
        app.ProgramFolder = QFile::encodeName(dir.path()).toStdString();
        app.ColorOn = false;
        app.BoldMode = BoldAll;
        QCOMPARE(ReadDisplaySettingsFile(app), DisplaySettings{});
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("edset.ini")));
        QCOMPARE(ReadDisplaySettingsFile(app), DisplaySettings{});
        QVERIFY(QDir(dir.path()).rmdir(QStringLiteral("edset.ini")));
        QVERIFY(PutOnDisk(app.ProgramFile("edset.ini"), "BOLD=SOME"));
        QVERIFY(QFile::resize(dir.filePath(QStringLiteral("edset.ini")), 2 << 20));
        QCOMPARE(ReadDisplaySettingsFile(app), (DisplaySettings{false, BoldAll}));
    }
};

QTEST_GUILESS_MAIN(TestDisplaySettings)
#include "test_displaysettings.moc"

// The style set file: what loading applies, the dialog's reading and writing, and real files.
#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>

#include "FileTestSupport.h"
#include "editor/SciMessages.h"
#include "highlight/StyleSetDialogData.h"
#include "highlight/StyleSetFile.h"

namespace {

std::string_view View(const QByteArray& bytes) { return {bytes.constData(), static_cast<std::size_t>(bytes.size())}; }

// "entry:mode:colour" per entry line, checked against the four messages each line sends.
QByteArray DescribeEntries(const StyleSetApplication& styleSet)
{
    QByteArray text;
    if (styleSet.messages.size() != 4 * styleSet.modes.size())
        return "messages do not match the entry lines";
    for (std::size_t i = 0; i < styleSet.modes.size(); ++i) {
        const StyleModeSetting& setting = styleSet.modes[i];
        const std::int32_t colour = styleSet.messages[4 * i].lParam;
        const auto expected = StyleEntryMessages(setting.entry, colour);
        if (!std::equal(expected.begin(), expected.end(), styleSet.messages.begin() + std::ptrdiff_t(4 * i)))
            return "unexpected messages for entry " + QByteArray::number(setting.entry);
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(setting.entry) + ':' +
                QByteArray::number(setting.mode) + ':' + QByteArray::number(colour);
    }
    return text;
}

int EnabledCode(const std::optional<bool>& enabled) { return enabled ? int(*enabled) : -1; }

// "entry:digit:colour" for every entry that differs from black in Style 1.
QByteArray DescribeDialog(const StyleSetDialogData& data)
{
    QByteArray text;
    for (std::size_t i = 0; i < data.entries.size(); ++i) {
        const StyleDialogEntry& entry = data.entries[i];
        if (entry == StyleDialogEntry{})
            continue;
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(qsizetype(i + 1)) + ':' +
                QByteArray::fromStdString(entry.styleDigit) + ':' + QByteArray::number(entry.colour);
    }
    return text;
}

std::string PathIn(const QTemporaryDir& dir, const char* name)
{
    return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
}

}  // namespace

class TestStyleSetFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("enabled");  // -1 left as it was, 0 off, 1 on
        QTest::addColumn<QByteArray>("entries");
        const auto row = [](const char* name, const QByteArray& bytes, int enabled, const QByteArray& entries) {
            QTest::newRow(name) << bytes << enabled << entries;
        };
        row("empty file", "", -1, "");
        row("built-in colours as a file", "STYLE=ON\r\n(1#49152\r\nM1#16744576\r\nN1#12632256\r\n", 1,
            "27:1:49152 13:1:16744576 14:1:12632256");
        row("off first", "STYLE=OFF\r\nM1#255\r\n", 0, "");
        row("off in the middle stops reading", "STYLE=ON\r\nM4#255\r\nSTYLE=OFF\r\nN1#0\r\n", 0, "13:4:255");
        row("off wins over on in one line", "STYLE=ONSTYLE=OFF", 0, "");
        row("on anywhere in the line", "XSTYLE=ONX", 1, "");
        row("blanks inside the off word", "STYLE = OFF", 0, "");
        row("lone LF stays in the line", "STYLE=ON\nM1#255", 1, "");
        row("lower-case on line", "style=on\r\nM1#5", -1, "13:1:5");
        row("blanks inside the number", " M 2 # 255 0 \r\n", -1, "13:2:2550");
        row("missing or bad fields", "M3\r\nN\r\nA2#abc\r\nBx#255", -1, "13:3:0 14:0:0 1:2:0 2:0:255");
        row("halves round to even", "M1#255.5\r\nN1#254.5\r\nA1#-3.5\r\nB1#-2.5", -1,
            "13:1:256 14:1:254 1:1:-4 2:1:-2");
        row("not quite halves", "M1#254.5001\r\nN1#254.4999", -1, "13:1:255 14:1:254");
        row("sign and fraction forms", "A1#+7\r\nB1#.6\r\nC1#7.\r\nD1#-\r\nE1#1E3", -1,
            "1:1:7 2:1:1 3:1:7 4:1:0 5:1:1");
        row("number ends at other text", "M1#12abc#3\r\nN1#\t255", -1, "13:1:12 14:1:0");
        row("colour beyond 32 bits is held", "A1#99999999999\r\nB1#-99999999999\r\nC1#2147483647.5", -1,
            "1:1:2147483647 2:1:-2147483648 3:1:2147483647");
        row("bracket is the comment", "[2#255", -1, "27:2:255");
        row("only the comment line", "(1#0", -1, "27:1:0");
        row("keys that name no entry",
            "x1#255\r\n1#255\r\n@1#255\r\n\\1#255\r\n\xC1"
            "1#255\r\n\tM1#255\r\n   \r\n\r\n",
            -1, "");
        row("lone CR ends a line, CR before CR LF", "M1#1\rN2#2\r\r\nA3#3", -1, "13:1:1 14:2:2 1:3:3");
        row("LF after the number, LF before the key", "M1#255\n\r\nA1#1\r\n\nB1#2", -1, "13:1:255 1:1:1");
        row("an entry twice", "M1#1\r\nM2#2", -1, "13:1:1 13:2:2");
    }

    void parsesFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, enabled);
        QFETCH(QByteArray, entries);
        const StyleSetApplication styleSet = ParseStyleSet(View(bytes));
        QCOMPARE(EnabledCode(styleSet.stylingEnabled), enabled);
        QCOMPARE(DescribeEntries(styleSet), entries);
    }

    void appliesAsNewValues()
    {
        const StyleSetApplication styleSet = ParseStyleSet("M4#255\r\nM2#1\r\n(3#0");
        StyleModeTable before;
        before.fill(9);
        StyleModeTable expected = before;
        expected[12] = 2;
        expected[26] = 3;
        QCOMPARE(ModesAfter(styleSet, before), expected);

        QCOMPARE(StylingEnabledAfter(styleSet, true), true);
        QCOMPARE(StylingEnabledAfter(styleSet, false), false);
        QCOMPARE(StylingEnabledAfter(ParseStyleSet("STYLE=OFF"), true), false);
        QCOMPARE(StylingEnabledAfter(ParseStyleSet("STYLE=ON"), false), true);
    }

    void readsIntoDialog_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QByteArray>("entries");
        const auto row = [](const char* name, const QByteArray& bytes, bool enabled, const QByteArray& entries) {
            QTest::newRow(name) << bytes << enabled << entries;
        };
        row("empty file", "", true, "");
        row("off line does not stop", "STYLE=OFF\r\nM4#255\r\n", false, "13:4:255");
        row("later on line enables again", "STYLE=OFF\r\nSTYLE=ON\r\n", true, "");
        row("later off line disables", "STYLE=ON\r\nSTYLE=OFF", false, "");
        row("OFF before character 6", "OFFSTYLE", true, "");
        row("OFF at character 6", "STYLEOFF", false, "");
        row("any STYLE line enables", "STYLE=OFF\r\nXSTYLEX", true, "");
        row("STYL is an S entry", "STYLOFF", true, "19:T:0");
        row("lower case is an ignored key", "style=off", true, "");
        row("digit kept as read", "Mx#255\r\nN\r\n[3#7", true, "13:x:255 14::0 27:3:7");
        row("colour rules as on loading", "M2#abc\r\nN1#254.5\r\nA 1 # 2 5", true, "1:1:25 13:2:0 14:1:254");
        row("later line of an entry wins", "A1#1\r\nA2#2", true, "1:2:2");
        row("keys that name no entry", "@1#5\r\n\\1#5\r\n1#5", true, "");
    }

    void readsIntoDialog()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, enabled);
        QFETCH(QByteArray, entries);
        const StyleSetDialogData data = DialogDataFromStyleSet(View(bytes));
        QCOMPARE(data.stylingEnabled, enabled);
        QCOMPARE(DescribeDialog(data), entries);
    }

    void writesFromDialog_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QByteArray>("changes");  // "entry:digit:colour" each
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("nothing set") << true << QByteArray() << QByteArray("STYLE=ON\r\n(1#0\r\n");
        QTest::newRow("disabled with X in Style 4") << false << QByteArray("27:1:49152 24:4:16711680")
                                                    << QByteArray("STYLE=OFF\r\n(1#49152\r\nX4#16711680\r\n");
        QTest::newRow("letters in order, black Style 1 left out")
            << true << QByteArray("26::0 3:1:0 2:2:0 1:1:255 27:3:-5")
            << QByteArray("STYLE=ON\r\n(3#-5\r\nA1#255\r\nB2#0\r\nZ0#0\r\n");
    }

    void writesFromDialog()
    {
        QFETCH(bool, enabled);
        QFETCH(QByteArray, changes);
        QFETCH(QByteArray, text);
        StyleSetDialogData data;
        data.stylingEnabled = enabled;
        for (const QByteArray& change : changes.split(' ')) {
            const QList<QByteArray> fields = change.split(':');
            if (fields.size() != 3)
                continue;
            StyleDialogEntry& entry = data.entries[fields[0].toUInt() - 1];
            entry.styleDigit = fields[1].toStdString();
            entry.colour = fields[2].toInt();
        }
        QCOMPARE(QByteArray::fromStdString(StyleSetTextFromDialog(data)), text);
    }

    void dialogRoundTrip()
    {
        // What the dialog writes it reads back unchanged.
        const std::string_view text = "STYLE=OFF\r\n(2#49152\r\nA1#255\r\nM4#16711680\r\nZ3#0\r\n";
        const StyleSetDialogData data = DialogDataFromStyleSet(text);
        QCOMPARE(DescribeDialog(data), QByteArray("1:1:255 13:4:16711680 26:3:0 27:2:49152"));
        QCOMPARE(StyleSetTextFromDialog(data), std::string(text));
    }

    void deletedSet()
    {
        QCOMPARE(QByteArray(kDeletedStyleSetText.data(), qsizetype(kDeletedStyleSetText.size())),
                 QByteArray("STYLE=ON\r\n(1#0"));
        const StyleSetApplication loaded = ParseStyleSet(kDeletedStyleSetText);
        QCOMPARE(EnabledCode(loaded.stylingEnabled), 1);
        QCOMPARE(DescribeEntries(loaded), QByteArray("27:1:0"));
        QCOMPARE(DialogDataFromStyleSet(kDeletedStyleSetText), StyleSetDialogData{});
    }

    void readsFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QCOMPARE(ReadStyleSetFile(PathIn(dir, "StyleSet.sty")).state, StyleSetFileState::Absent);
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.sty")));
        QCOMPARE(ReadStyleSetFile(PathIn(dir, "folder.sty")).state, StyleSetFileState::Absent);
        const std::string fifo = PathIn(dir, "fifo.sty");
        QCOMPARE(::mkfifo(fifo.c_str(), 0600), 0);
        QCOMPARE(ReadStyleSetFile(fifo).state, StyleSetFileState::Absent);

        QByteArray bytes;
        for (int value = 0; value < 256; ++value)
            bytes.append(static_cast<char>(value));
        bytes.append("STYLE=ON\r\nM1#255\rN\n", 19);
        const std::string path = PathIn(dir, "StyleSet.sty");
        QVERIFY(PutOnDisk(path, bytes));
        const StyleSetFileContent content = ReadStyleSetFile(path);
        QCOMPARE(content.state, StyleSetFileState::Read);
        QCOMPARE(QByteArray::fromStdString(content.bytes), bytes);

        QVERIFY(PutOnDisk(path, QByteArray()));
        QCOMPARE(ReadStyleSetFile(path).state, StyleSetFileState::Read);
        QVERIFY(QFile::resize(QString::fromStdString(path), kMaxStyleSetFileBytes + 1));
        QCOMPARE(ReadStyleSetFile(path).state, StyleSetFileState::Failed);

        // A file the user may not read counts as hidden, and a hidden file as absent.
        QVERIFY(PutOnDisk(path, "STYLE=OFF"));
        QCOMPARE(::chmod(path.c_str(), 0200), 0);
        QCOMPARE(RunUnprivileged(dir,
                                 [&path] {
                                     const StyleSetFileContent unreadable = ReadStyleSetFile(path);
                                     return unreadable.state == StyleSetFileState::Absent && unreadable.bytes.empty()
                                                ? 0
                                                : 1;
                                 }),
                 0);
    }

    void writesFilesAtomically()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const std::string path = PathIn(dir, "StyleSet.sty");
        QVERIFY(WriteStyleSetFile(path, kDeletedStyleSetText));
        QCOMPARE(OnDisk(path), QByteArray("STYLE=ON\r\n(1#0"));
        QVERIFY(WriteStyleSetFile(path, "STYLE=OFF\r\n"));
        QCOMPARE(OnDisk(path), QByteArray("STYLE=OFF\r\n"));

        QVERIFY(!WriteStyleSetFile(PathIn(dir, "missing/StyleSet.sty"), "STYLE=ON"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.sty")));
        QVERIFY(!WriteStyleSetFile(PathIn(dir, "folder.sty"), "STYLE=ON"));
        QVERIFY(QFileInfo(QString::fromStdString(PathIn(dir, "folder.sty"))).isDir());

        // In a folder the user may not write, the save fails and the old file stays.
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
        const int result = RunUnprivileged(dir, [&path] { return WriteStyleSetFile(path, "(4#255\r\n") ? 1 : 0; });
        QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);
        QCOMPARE(result, 0);
        QCOMPARE(OnDisk(path), QByteArray("STYLE=OFF\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("StyleSet.sty")});
    }
};

QTEST_GUILESS_MAIN(TestStyleSetFile)
#include "test_stylesetfile.moc"

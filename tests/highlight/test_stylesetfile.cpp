// The style set file: what loading applies, the dialog's reading and writing, and real files.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "editor/SciMessages.h"
#include "highlight/StyleSetDialogData.h"
#include "highlight/StyleSetFile.h"

namespace {

constexpr uid_t kNobody = 65534;
constexpr int kChildSetupFailed = 125;

std::string_view View(const QByteArray& bytes)
{
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

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
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(setting.entry) + ':'
            + QByteArray::number(setting.mode) + ':' + QByteArray::number(colour);
    }
    return text;
}

int EnabledCode(const std::optional<bool>& enabled)
{
    return enabled ? int(*enabled) : -1;
}

// "entry:digit:colour" for every entry that differs from black in Style 1.
QByteArray DescribeDialog(const StyleSetDialogData& data)
{
    QByteArray text;
    for (std::size_t i = 0; i < data.entries.size(); ++i) {
        const StyleDialogEntry& entry = data.entries[i];
        if (entry == StyleDialogEntry{})
            continue;
        text += (text.isEmpty() ? "" : " ") + QByteArray::number(qsizetype(i + 1)) + ':'
            + QByteArray::fromStdString(entry.styleDigit) + ':' + QByteArray::number(entry.colour);
    }
    return text;
}

std::string PathIn(const QTemporaryDir& dir, const char* name)
{
    return QFile::encodeName(dir.filePath(QString::fromLatin1(name))).toStdString();
}

bool PutFile(const std::string& path, const QByteArray& bytes)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray FileBytes(const std::string& path)
{
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Root passes every permission check, so permission cases run as nobody in a child process,
// in a folder handed over to that user. The child's exit code is check's result.
int RunUnprivileged(const QTemporaryDir& dir, const std::function<bool()>& check)
{
    if (::geteuid() == 0 && ::chown(QFile::encodeName(dir.path()).constData(), kNobody, kNobody) != 0)
        return kChildSetupFailed;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(kChildSetupFailed);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

}  // namespace

class TestStyleSetFile : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parsesFile_data();
    void parsesFile();
    void entryLineMessages();
    void appliesAsNewValues();
    void builtInSet();
    void readsIntoDialog_data();
    void readsIntoDialog();
    void writesFromDialog_data();
    void writesFromDialog();
    void dialogRoundTrip();
    void deletedSet();
    void readsFiles();
    void refusesUnreadableFiles();
    void writesFilesAtomically();
};

void TestStyleSetFile::parsesFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("enabled");  // -1 left as it was, 0 off, 1 on
    QTest::addColumn<QByteArray>("entries");

    QTest::newRow("empty file") << QByteArray() << -1 << QByteArray();
    QTest::newRow("built-in colours as a file")
        << QByteArray("STYLE=ON\r\n(1#49152\r\nM1#16744576\r\nN1#12632256\r\n") << 1
        << QByteArray("27:1:49152 13:1:16744576 14:1:12632256");
    QTest::newRow("off first") << QByteArray("STYLE=OFF\r\nM1#255\r\n") << 0 << QByteArray();
    QTest::newRow("off in the middle stops reading")
        << QByteArray("STYLE=ON\r\nM4#255\r\nSTYLE=OFF\r\nN1#0\r\n") << 0 << QByteArray("13:4:255");
    QTest::newRow("off wins over on in one line") << QByteArray("STYLE=ONSTYLE=OFF") << 0 << QByteArray();
    QTest::newRow("on anywhere in the line") << QByteArray("XSTYLE=ONX") << 1 << QByteArray();
    QTest::newRow("blanks inside the off word") << QByteArray("STYLE = OFF") << 0 << QByteArray();
    QTest::newRow("blanks inside the number") << QByteArray(" M 2 # 255 0 \r\n") << -1 << QByteArray("13:2:2550");
    QTest::newRow("no colour") << QByteArray("M3") << -1 << QByteArray("13:3:0");
    QTest::newRow("key alone") << QByteArray("M") << -1 << QByteArray("13:0:0");
    QTest::newRow("colour not a number") << QByteArray("M2#abc") << -1 << QByteArray("13:2:0");
    QTest::newRow("style not a digit") << QByteArray("Mx#255") << -1 << QByteArray("13:0:255");
    QTest::newRow("half rounds up to even") << QByteArray("M1#255.5") << -1 << QByteArray("13:1:256");
    QTest::newRow("half rounds down to even") << QByteArray("M1#254.5") << -1 << QByteArray("13:1:254");
    QTest::newRow("just over a half") << QByteArray("M1#254.5001") << -1 << QByteArray("13:1:255");
    QTest::newRow("just under a half") << QByteArray("M1#254.4999") << -1 << QByteArray("13:1:254");
    QTest::newRow("negative half") << QByteArray("M1#-3.5\r\nN1#-2.5") << -1 << QByteArray("13:1:-4 14:1:-2");
    QTest::newRow("sign and fraction forms") << QByteArray("A1#+7\r\nB1#.6\r\nC1#7.\r\nD1#-\r\nE1#1E3") << -1
                                             << QByteArray("1:1:7 2:1:1 3:1:7 4:1:0 5:1:1");
    QTest::newRow("text after the number") << QByteArray("M1#12abc#3") << -1 << QByteArray("13:1:12");
    QTest::newRow("tab before the number stays") << QByteArray("M1#\t255") << -1 << QByteArray("13:1:0");
    QTest::newRow("colour beyond 32 bits is held")
        << QByteArray("A1#99999999999\r\nB1#-99999999999\r\nC1#2147483647.5") << -1
        << QByteArray("1:1:2147483647 2:1:-2147483648 3:1:2147483647");
    QTest::newRow("bracket is the comment") << QByteArray("[2#255") << -1 << QByteArray("27:2:255");
    QTest::newRow("only the comment line") << QByteArray("(1#0") << -1 << QByteArray("27:1:0");
    QTest::newRow("keys that name no entry")
        << QByteArray("x1#255\r\n1#255\r\n@1#255\r\n\\1#255\r\n\xC1" "1#255\r\n\tM1#255\r\n   \r\n\r\n") << -1
        << QByteArray();
    QTest::newRow("lower-case on line") << QByteArray("style=on\r\nM1#5") << -1 << QByteArray("13:1:5");
    QTest::newRow("lone LF stays in the line") << QByteArray("STYLE=ON\nM1#255") << 1 << QByteArray();
    QTest::newRow("lone CR ends a line") << QByteArray("M1#1\rN2#2") << -1 << QByteArray("13:1:1 14:2:2");
    QTest::newRow("CR before CR LF") << QByteArray("M1#1\r\r\nN2#2\r\n") << -1 << QByteArray("13:1:1 14:2:2");
    QTest::newRow("LF after the number") << QByteArray("M1#255\n") << -1 << QByteArray("13:1:255");
    QTest::newRow("LF before the key") << QByteArray("A1#1\r\n\nB1#2") << -1 << QByteArray("1:1:1");
    QTest::newRow("an entry twice") << QByteArray("M1#1\r\nM2#2") << -1 << QByteArray("13:1:1 13:2:2");
}

void TestStyleSetFile::parsesFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, enabled);
    QFETCH(QByteArray, entries);
    const StyleSetApplication styleSet = ParseStyleSet(View(bytes));
    QCOMPARE(EnabledCode(styleSet.stylingEnabled), enabled);
    QCOMPARE(DescribeEntries(styleSet), entries);
}

void TestStyleSetFile::entryLineMessages()
{
    const StyleSetApplication styleSet = ParseStyleSet("M4#255");
    const std::vector<SciCall> expected{{2051, 13, 255}, {2053, 13, 0}, {2051, 46, 255}, {2053, 46, 1}};
    QCOMPARE(styleSet.messages, expected);
    QCOMPARE(styleSet.modes, (std::vector<StyleModeSetting>{{13, 4}}));
}

void TestStyleSetFile::appliesAsNewValues()
{
    StyleModeTable before;
    before.fill(9);
    const StyleSetApplication styleSet = ParseStyleSet("M4#255\r\nM2#1\r\n(3#0");
    const StyleModeTable after = ModesAfter(styleSet, before);
    StyleModeTable expected = before;
    expected[12] = 2;
    expected[26] = 3;
    QCOMPARE(after, expected);
    QCOMPARE(before[12], 9);

    QCOMPARE(StylingEnabledAfter(styleSet, true), true);
    QCOMPARE(StylingEnabledAfter(styleSet, false), false);
    QCOMPARE(StylingEnabledAfter(ParseStyleSet("STYLE=OFF"), true), false);
    QCOMPARE(StylingEnabledAfter(ParseStyleSet("STYLE=ON"), false), true);
}

void TestStyleSetFile::builtInSet()
{
    const StyleSetApplication styleSet = BuiltInStyleSet();
    QCOMPARE(EnabledCode(styleSet.stylingEnabled), 1);
    const std::vector<SciCall> expected{{2051, 0, 0}, {2051, 27, 0x00C000}, {2051, 13, 0xFF8080}, {2051, 14, 0xC0C0C0}};
    QCOMPARE(styleSet.messages, expected);
    StyleModeTable modes;
    modes.fill(4);
    const StyleModeTable after = ModesAfter(styleSet, modes);
    for (std::size_t entry = 1; entry <= 27; ++entry)
        QCOMPARE(after[entry - 1], entry == 13 || entry == 14 || entry == 27 ? 1 : 4);
}

void TestStyleSetFile::readsIntoDialog_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QByteArray>("entries");

    QTest::newRow("empty file") << QByteArray() << true << QByteArray();
    QTest::newRow("off line does not stop") << QByteArray("STYLE=OFF\r\nM4#255\r\n") << false << QByteArray("13:4:255");
    QTest::newRow("later on line enables again") << QByteArray("STYLE=OFF\r\nSTYLE=ON\r\n") << true << QByteArray();
    QTest::newRow("later off line disables") << QByteArray("STYLE=ON\r\nSTYLE=OFF") << false << QByteArray();
    QTest::newRow("OFF before character 6") << QByteArray("OFFSTYLE") << true << QByteArray();
    QTest::newRow("OFF at character 6") << QByteArray("STYLEOFF") << false << QByteArray();
    QTest::newRow("any STYLE line enables") << QByteArray("STYLE=OFF\r\nXSTYLEX") << true << QByteArray();
    QTest::newRow("STYL is an S entry") << QByteArray("STYLOFF") << true << QByteArray("19:T:0");
    QTest::newRow("lower case is an ignored key") << QByteArray("style=off") << true << QByteArray();
    QTest::newRow("digit kept as read") << QByteArray("Mx#255\r\nN\r\n[3#7") << true << QByteArray("13:x:255 14::0 27:3:7");
    QTest::newRow("colour rules as on loading") << QByteArray("M2#abc\r\nN1#254.5\r\nA 1 # 2 5") << true
                                                << QByteArray("1:1:25 13:2:0 14:1:254");
    QTest::newRow("later line of an entry wins") << QByteArray("A1#1\r\nA2#2") << true << QByteArray("1:2:2");
    QTest::newRow("keys that name no entry") << QByteArray("@1#5\r\n\\1#5\r\n1#5") << true << QByteArray();
}

void TestStyleSetFile::readsIntoDialog()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, enabled);
    QFETCH(QByteArray, entries);
    const StyleSetDialogData data = DialogDataFromStyleSet(View(bytes));
    QCOMPARE(data.stylingEnabled, enabled);
    QCOMPARE(DescribeDialog(data), entries);
}

void TestStyleSetFile::writesFromDialog_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QByteArray>("changes");  // "entry:digit:colour" each
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("nothing set") << true << QByteArray() << QByteArray("STYLE=ON\r\n(1#0\r\n");
    QTest::newRow("disabled with X in Style 4")
        << false << QByteArray("27:1:49152 24:4:16711680")
        << QByteArray("STYLE=OFF\r\n(1#49152\r\nX4#16711680\r\n");
    QTest::newRow("letters in order, black Style 1 left out")
        << true << QByteArray("26::0 3:1:0 2:2:0 1:1:255 27:3:-5")
        << QByteArray("STYLE=ON\r\n(3#-5\r\nA1#255\r\nB2#0\r\nZ#0\r\n");
}

void TestStyleSetFile::writesFromDialog()
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

void TestStyleSetFile::dialogRoundTrip()
{
    // What the dialog writes it reads back unchanged.
    const std::string_view text = "STYLE=OFF\r\n(2#49152\r\nA1#255\r\nM4#16711680\r\nZ3#0\r\n";
    const StyleSetDialogData data = DialogDataFromStyleSet(text);
    QCOMPARE(DescribeDialog(data), QByteArray("1:1:255 13:4:16711680 26:3:0 27:2:49152"));
    QCOMPARE(StyleSetTextFromDialog(data), std::string(text));
}

void TestStyleSetFile::deletedSet()
{
    QCOMPARE(QByteArray(kDeletedStyleSetText.data(), qsizetype(kDeletedStyleSetText.size())),
             QByteArray("STYLE=ON\r\n(1#0"));
    const StyleSetApplication loaded = ParseStyleSet(kDeletedStyleSetText);
    QCOMPARE(EnabledCode(loaded.stylingEnabled), 1);
    QCOMPARE(DescribeEntries(loaded), QByteArray("27:1:0"));
    QCOMPARE(DialogDataFromStyleSet(kDeletedStyleSetText), StyleSetDialogData{});
}

void TestStyleSetFile::readsFiles()
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
    QVERIFY(PutFile(path, bytes));
    const StyleSetFileContent content = ReadStyleSetFile(path);
    QCOMPARE(content.state, StyleSetFileState::Read);
    QCOMPARE(QByteArray::fromStdString(content.bytes), bytes);

    QVERIFY(PutFile(path, QByteArray()));
    QCOMPARE(ReadStyleSetFile(path).state, StyleSetFileState::Read);
    QVERIFY(QFile::resize(QString::fromStdString(path), kMaxStyleSetFileBytes + 1));
    QCOMPARE(ReadStyleSetFile(path).state, StyleSetFileState::Failed);
}

void TestStyleSetFile::refusesUnreadableFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = PathIn(dir, "StyleSet.sty");
    QVERIFY(PutFile(path, "STYLE=ON"));
    QCOMPARE(::chmod(path.c_str(), 0200), 0);
    const int result = RunUnprivileged(dir, [&path] {
        const StyleSetFileContent content = ReadStyleSetFile(path);
        return content.state == StyleSetFileState::Failed && content.bytes.empty();
    });
    QCOMPARE(result, 0);
}

void TestStyleSetFile::writesFilesAtomically()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string path = PathIn(dir, "StyleSet.sty");
    QVERIFY(WriteStyleSetFile(path, kDeletedStyleSetText));
    QCOMPARE(FileBytes(path), QByteArray("STYLE=ON\r\n(1#0"));
    QVERIFY(WriteStyleSetFile(path, "STYLE=OFF\r\n"));
    QCOMPARE(FileBytes(path), QByteArray("STYLE=OFF\r\n"));

    QVERIFY(!WriteStyleSetFile(PathIn(dir, "missing/StyleSet.sty"), "STYLE=ON"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.sty")));
    QVERIFY(!WriteStyleSetFile(PathIn(dir, "folder.sty"), "STYLE=ON"));
    QVERIFY(QFileInfo(QString::fromStdString(PathIn(dir, "folder.sty"))).isDir());

    // In a folder the user may not write, the save fails and the old file stays.
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0500), 0);
    const int result = RunUnprivileged(dir, [&path] { return !WriteStyleSetFile(path, "(4#255\r\n"); });
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0700), 0);
    QCOMPARE(result, 0);
    QCOMPARE(FileBytes(path), QByteArray("STYLE=OFF\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("StyleSet.sty")});
}

QTEST_GUILESS_MAIN(TestStyleSetFile)
#include "test_stylesetfile.moc"

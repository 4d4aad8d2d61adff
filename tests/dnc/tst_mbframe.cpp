// Tests of the frame codec: layout, round trips, stream splitting and every malformed case.
#include "dnc/MbFrame.h"

#include <QTest>

#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::string)

namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

// Overwrites bytes of a frame with a big-endian number, to break one field.
std::string Patched(std::string frame, std::size_t offset, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        frame[offset + static_cast<std::size_t>(i)] = static_cast<char>(value & 0xFF);
    return frame;
}

std::vector<mb::Frame> DecodeAll(mb::FrameDecoder& decoder, std::string_view data,
                                 mb::FrameDecoder::Result& last)
{
    std::vector<mb::Frame> frames;
    last = mb::FrameDecoder::Result::NeedMore;
    while (!data.empty() && last != mb::FrameDecoder::Result::Malformed) {
        mb::Frame frame;
        last = decoder.Feed(data, frame);
        if (last == mb::FrameDecoder::Result::FrameReady)
            frames.push_back(frame);
    }
    return frames;
}

} // namespace

class TestMbFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutIsBigEndian();
    void roundTrip_data();
    void roundTrip();
    void encodeRefusesOversize();
    void severalFramesInOneStream();
    void byteByByte();
    void malformed_data();
    void malformed();
    void oversizeRejectedFromHeaderAlone();
    void truncatedStreamYieldsNothing();
};

void TestMbFrame::layoutIsBigEndian()
{
    const std::string expected("MBI1\x00\x00\x00\x0F\xFF\xFF\xFF\xFE\x00\x02" "ab\x00\x00\x00\x03xyz", 23);
    QCOMPARE(mb::EncodeFrame(-2, "ab", "xyz").value(), expected);
}

void TestMbFrame::roundTrip_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<std::string>("sender");
    QTest::addColumn<std::string>("text");
    QTest::newRow("empty text") << 0 << std::string("varnotek-1") << std::string();
    QTest::newRow("empty sender") << 5 << std::string() << std::string("DNC_OK");
    QTest::newRow("all 8-bit bytes") << -1 << std::string("talvane") << AllBytes();
    QTest::newRow("largest value") << 2147483647 << std::string("a") << std::string("x");
    QTest::newRow("smallest value") << (-2147483647 - 1) << std::string("a") << std::string("x");
    QTest::newRow("max size")
        << 1 << std::string("talvane") << std::string(mb::kMaxFrameBody - mb::kFrameFixedBody - 7, 'q');
}

void TestMbFrame::roundTrip()
{
    QFETCH(int, value);
    QFETCH(std::string, sender);
    QFETCH(std::string, text);
    const std::optional<std::string> bytes = mb::EncodeFrame(value, sender, text);
    QVERIFY(bytes);
    QVERIFY(bytes->size() <= mb::kFrameHeaderSize + mb::kMaxFrameBody);
    mb::FrameDecoder decoder;
    std::string_view data(*bytes);
    mb::Frame frame;
    QCOMPARE(decoder.Feed(data, frame), mb::FrameDecoder::Result::FrameReady);
    QVERIFY(data.empty());
    QCOMPARE(frame.value, value);
    QCOMPARE(frame.sender, sender);
    QCOMPARE(frame.text, text);
    QVERIFY(!decoder.HasPartialFrame());
}

void TestMbFrame::encodeRefusesOversize()
{
    const std::string fits(mb::kMaxFrameBody - mb::kFrameFixedBody - 3, 'x');
    QVERIFY(mb::EncodeFrame(0, "abc", fits));
    QVERIFY(!mb::EncodeFrame(0, "abcd", fits));
    QVERIFY(!mb::EncodeFrame(0, std::string(0x10000, 's'), ""));
}

void TestMbFrame::severalFramesInOneStream()
{
    const std::string stream = mb::EncodeFrame(1, "a", "first").value() + mb::EncodeFrame(2, "b", "").value()
        + mb::EncodeFrame(3, "c", AllBytes()).value();
    mb::FrameDecoder decoder;
    mb::FrameDecoder::Result last {};
    const std::vector<mb::Frame> frames = DecodeAll(decoder, stream, last);
    QCOMPARE(frames.size(), 3u);
    QCOMPARE(frames[0].text, std::string("first"));
    QCOMPARE(frames[1].sender, std::string("b"));
    QCOMPARE(frames[1].text, std::string());
    QCOMPARE(frames[2].value, 3);
    QCOMPARE(frames[2].text, AllBytes());
}

void TestMbFrame::byteByByte()
{
    const std::string stream = mb::EncodeFrame(7, "sender", AllBytes()).value() + mb::EncodeFrame(8, "", "x").value();
    mb::FrameDecoder decoder;
    std::vector<mb::Frame> frames;
    for (const char c : stream) {
        std::string_view one(&c, 1);
        mb::Frame frame;
        const mb::FrameDecoder::Result result = decoder.Feed(one, frame);
        QVERIFY(result != mb::FrameDecoder::Result::Malformed);
        if (result == mb::FrameDecoder::Result::FrameReady)
            frames.push_back(frame);
    }
    QCOMPARE(frames.size(), 2u);
    QCOMPARE(frames[0].sender, std::string("sender"));
    QCOMPARE(frames[0].text, AllBytes());
    QCOMPARE(frames[1].value, 8);
}

void TestMbFrame::malformed_data()
{
    // "hello" from "me": L = 19 at offset 4, S = 2 at 12, T = 5 at 16.
    const std::string good = mb::EncodeFrame(7, "me", "hello").value();
    QTest::addColumn<std::string>("stream");
    std::string badMagic = good;
    badMagic[3] = '2';
    QTest::newRow("bad magic") << badMagic;
    QTest::newRow("lower-case magic") << "mbi1" + good.substr(4);
    QTest::newRow("L over 1 MiB") << Patched(good, 4, mb::kMaxFrameBody + 1, 4);
    QTest::newRow("L huge") << Patched(good, 4, 0xFFFFFFFF, 4);
    QTest::newRow("L below 10") << Patched(good, 4, 9, 4);
    QTest::newRow("L zero") << Patched(good, 4, 0, 4);
    QTest::newRow("L above 10+S+T") << Patched(good, 4, 20, 4) + "x";
    QTest::newRow("L below 10+S+T") << Patched(good, 4, 18, 4);
    QTest::newRow("T above the rest") << Patched(good, 16, 6, 4);
    QTest::newRow("T below the rest") << Patched(good, 16, 4, 4);
    QTest::newRow("S larger than the rest") << Patched(good, 12, 10, 2);
    QTest::newRow("S maximal") << Patched(good, 12, 0xFFFF, 2);
    QTest::newRow("garbage after a good frame") << good + "MBX1" + good;
}

void TestMbFrame::malformed()
{
    QFETCH(std::string, stream);
    mb::FrameDecoder decoder;
    mb::FrameDecoder::Result last {};
    const std::vector<mb::Frame> frames = DecodeAll(decoder, stream, last);
    QCOMPARE(last, mb::FrameDecoder::Result::Malformed);
    QVERIFY(decoder.IsMalformed());
    QVERIFY(frames.size() <= 1);
    // Once broken, the stream stays refused: a good frame afterwards is not decoded.
    const std::string good = mb::EncodeFrame(1, "a", "b").value();
    std::string_view rest(good);
    mb::Frame frame;
    QCOMPARE(decoder.Feed(rest, frame), mb::FrameDecoder::Result::Malformed);
}

void TestMbFrame::oversizeRejectedFromHeaderAlone()
{
    const std::string header("MBI1\x00\x10\x00\x01", 8);
    std::string_view data(header);
    mb::Frame frame;
    mb::FrameDecoder decoder;
    QCOMPARE(decoder.Feed(data, frame), mb::FrameDecoder::Result::Malformed);
}

void TestMbFrame::truncatedStreamYieldsNothing()
{
    const std::string good = mb::EncodeFrame(7, "me", "hello").value();
    for (std::size_t cut = 1; cut < good.size(); ++cut) {
        mb::FrameDecoder decoder;
        std::string_view data(good.data(), cut);
        mb::Frame frame;
        QCOMPARE(decoder.Feed(data, frame), mb::FrameDecoder::Result::NeedMore);
        QVERIFY(data.empty());
        QVERIFY(decoder.HasPartialFrame());
    }
}

QTEST_GUILESS_MAIN(TestMbFrame)
#include "tst_mbframe.moc"

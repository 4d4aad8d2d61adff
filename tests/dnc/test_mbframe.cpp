// Tests of the frame codec: layout, round trips, stream splitting and every malformed case.
#include "MbTestSupport.h"
#include "dnc/MbFrame.h"

#include <QTest>

#include <climits>
#include <vector>

namespace {

using Result = mb::FrameDecoder::Result;

// Feeds data in pieces of at most chunk bytes, up to the first malformed frame.
std::vector<mb::Frame> DecodeAll(mb::FrameDecoder& decoder, std::string_view data, std::size_t chunk, Result& last)
{
    std::vector<mb::Frame> frames;
    last = Result::NeedMore;
    while (!data.empty() && last != Result::Malformed) {
        std::string_view piece = data.substr(0, chunk);
        data.remove_prefix(piece.size());
        while (!piece.empty() && last != Result::Malformed) {
            mb::Frame frame;
            last = decoder.Feed(piece, frame);
            if (last == Result::FrameReady)
                frames.push_back(frame);
        }
    }
    return frames;
}

}  // namespace

class TestMbFrame : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutIsBigEndian()
    {
        const std::string expected("MBI1\x00\x00\x00\x0F\xFF\xFF\xFF\xFE\x00\x02"
                                   "ab\x00\x00\x00\x03xyz",
                                   23);
        QCOMPARE(mb::EncodeFrame(-2, "ab", "xyz").value(), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<std::string>("sender");
        QTest::addColumn<std::string>("text");
        QTest::newRow("empty text") << 0 << std::string("varnotek-1") << std::string();
        QTest::newRow("empty sender") << 5 << std::string() << std::string("DNC_OK");
        QTest::newRow("all 8-bit bytes") << -1 << std::string("talvane") << AllBytes();
        QTest::newRow("largest value") << INT_MAX << std::string("a") << std::string("x");
        QTest::newRow("smallest value") << INT_MIN << std::string("a") << std::string("x");
        QTest::newRow("max size") << 1 << std::string("talvane")
                                  << std::string(mb::kMaxFrameBody - mb::kFrameFixedBody - 7, 'q');
    }

    void roundTrip()
    {
        QFETCH(int, value);
        QFETCH(std::string, sender);
        QFETCH(std::string, text);
        const std::optional<std::string> bytes = mb::EncodeFrame(value, sender, text);
        QVERIFY(bytes);
        mb::FrameDecoder decoder;
        std::string_view data(*bytes);
        mb::Frame frame;
        QCOMPARE(decoder.Feed(data, frame), Result::FrameReady);
        QVERIFY(data.empty());
        QCOMPARE(frame.value, value);
        QCOMPARE(frame.sender, sender);
        QCOMPARE(frame.text, text);
        QVERIFY(!decoder.HasPartialFrame());
    }

    void encodeRefusesOversize()
    {
        const std::string fits(mb::kMaxFrameBody - mb::kFrameFixedBody - 3, 'x');
        QVERIFY(mb::EncodeFrame(0, "abc", fits));
        QVERIFY(!mb::EncodeFrame(0, "abcd", fits));
        QVERIFY(!mb::EncodeFrame(0, std::string(0x10000, 's'), ""));
    }

    void splitStream_data()
    {
        QTest::addColumn<int>("chunk");
        QTest::newRow("all at once") << INT_MAX;
        QTest::newRow("byte by byte") << 1;
        QTest::newRow("in pieces of 7") << 7;
    }

    void splitStream()
    {
        QFETCH(int, chunk);
        const std::string stream = mb::EncodeFrame(1, "a", "first").value() + mb::EncodeFrame(2, "", "").value() +
                                   mb::EncodeFrame(3, "c", AllBytes()).value();
        mb::FrameDecoder decoder;
        Result last{};
        const std::vector<mb::Frame> frames = DecodeAll(decoder, stream, static_cast<std::size_t>(chunk), last);
        QCOMPARE(last, Result::FrameReady);
        QCOMPARE(frames.size(), 3u);
        QCOMPARE(frames[0].text, std::string("first"));
        QCOMPARE(frames[1].value, 2);
        QCOMPARE(frames[1].sender + frames[1].text, std::string());
        QCOMPARE(frames[2].sender, std::string("c"));
        QCOMPARE(frames[2].text, AllBytes());
    }

    void malformed_data()
    {
        AddMalformedFrameRows();
        const std::string good = mb::EncodeFrame(7, "me", "hello").value();
        QTest::newRow("garbage after a good frame") << good + "MBX1" + good;
    }

    void malformed()
    {
        QFETCH(std::string, stream);
        mb::FrameDecoder decoder;
        Result last{};
        QVERIFY(DecodeAll(decoder, stream, stream.size(), last).size() <= 1);
        QCOMPARE(last, Result::Malformed);
        QVERIFY(decoder.IsMalformed());
        // Once broken, the stream stays refused: a good frame afterwards is not decoded.
        const std::string good = mb::EncodeFrame(1, "a", "b").value();
        std::string_view rest(good);
        mb::Frame frame;
        QCOMPARE(decoder.Feed(rest, frame), Result::Malformed);
    }

    void truncatedStreamYieldsNothing()
    {
        const std::string good = mb::EncodeFrame(7, "me", "hello").value();
        for (std::size_t cut = 1; cut < good.size(); ++cut) {
            mb::FrameDecoder decoder;
            std::string_view data(good.data(), cut);
            mb::Frame frame;
            QCOMPARE(decoder.Feed(data, frame), Result::NeedMore);
            QVERIFY(data.empty());
            QVERIFY(decoder.HasPartialFrame());
        }
    }
};

QTEST_GUILESS_MAIN(TestMbFrame)
#include "test_mbframe.moc"

// The mb frame decoder on any byte stream, fed in the pieces a socket might deliver.
// Input: one byte n (taken modulo 16), n piece sizes (each byte + 1, used in turn), then the stream.
#include "FuzzCheck.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dnc/MbFrame.h"

namespace {

using Result = mb::FrameDecoder::Result;

struct Decoded {
    std::vector<mb::Frame> frames;
    bool malformed = false;
    bool partial = false;
};

bool SameFrames(const std::vector<mb::Frame>& a, const std::vector<mb::Frame>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const mb::Frame& x, const mb::Frame& y) {
        return x.value == y.value && x.sender == y.sender && x.text == y.text;
    });
}

// Decodes the stream in pieces of the given sizes in turn, the whole stream at once when there are none.
Decoded Decode(std::string_view stream, std::span<const std::uint8_t> pieceSizes)
{
    Decoded out;
    mb::FrameDecoder decoder;
    std::size_t frameStart = 0;
    std::size_t delivered = 0;
    std::size_t consumed = 0;  // bytes the decoder has taken
    for (std::size_t piece = 0; delivered < stream.size() && !out.malformed; ++piece) {
        const std::size_t wanted = pieceSizes.empty() ? stream.size() : pieceSizes[piece % pieceSizes.size()] + 1u;
        const std::size_t length = std::min(wanted, stream.size() - delivered);
        // Each piece in a heap block of exactly its size, as a socket read leaves it.
        const auto block = std::make_unique<char[]>(length);
        std::memcpy(block.get(), stream.data() + delivered, length);
        delivered += length;
        std::string_view data(block.get(), length);
        while (!data.empty()) {
            const std::size_t before = data.size();
            mb::Frame frame;
            const Result result = decoder.Feed(data, frame);
            consumed += before - data.size();
            if (result == Result::FrameReady) {
                const auto encoded = mb::EncodeFrame(frame.value, frame.sender, frame.text);
                FUZZ_CHECK(encoded && *encoded == stream.substr(frameStart, consumed - frameStart));
                FUZZ_CHECK(!decoder.HasPartialFrame());
                frameStart = consumed;
                out.frames.push_back(std::move(frame));
            } else if (result == Result::NeedMore) {
                FUZZ_CHECK(data.empty());
            } else {
                // Once malformed, the decoder takes nothing more.
                const std::size_t left = data.size();
                FUZZ_CHECK(decoder.IsMalformed() && decoder.Feed(data, frame) == Result::Malformed);
                FUZZ_CHECK(data.size() == left && !decoder.HasPartialFrame());
                out.malformed = true;
                break;
            }
        }
    }
    out.partial = decoder.HasPartialFrame();
    FUZZ_CHECK(out.malformed || out.partial == (frameStart < consumed));
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t sizeCount = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::span<const std::uint8_t> pieceSizes(data + 1, sizeCount);
    const std::string_view stream(reinterpret_cast<const char*>(data + 1 + sizeCount), size - 1 - sizeCount);

    // How the stream is cut into pieces changes nothing that is decoded; only how much of a
    // malformed frame is taken before it is refused may differ.
    const Decoded pieces = Decode(stream, pieceSizes);
    const Decoded whole = Decode(stream, {});
    FUZZ_CHECK(SameFrames(pieces.frames, whole.frames));
    FUZZ_CHECK(pieces.malformed == whole.malformed && pieces.partial == whole.partial);

    // A frame carrying the stream, its first half as sender, comes through in the same pieces.
    const std::string_view sender = stream.substr(0, stream.size() / 2);
    const std::string_view text = stream.substr(sender.size());
    const auto value = -static_cast<std::int32_t>(stream.size());
    const Decoded sent = Decode(mb::EncodeFrame(value, sender, text).value(), pieceSizes);
    FUZZ_CHECK(!sent.malformed && !sent.partial && sent.frames.size() == 1);
    FUZZ_CHECK(sent.frames[0].value == value && sent.frames[0].sender == sender && sent.frames[0].text == text);
    return 0;
}

// The mb frame decoder on any byte stream, fed in the pieces a socket might deliver.
// Input: one byte n (taken modulo 16), n piece sizes (each byte + 1, used in turn), then the stream.
#include "FuzzCheck.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "mb/MbFrame.h"

namespace {

// Decodes the stream in pieces of the given sizes in turn, the whole stream at once when there are
// none. Returns the frames encoded again, which must be the bytes they came from, then "!" when the
// stream was malformed or "+" when it ended inside a frame.
std::string Decode(std::string_view stream, std::span<const std::uint8_t> pieceSizes)
{
    std::string decoded;
    mb::FrameDecoder decoder;
    mb::Frame frame;
    for (std::size_t piece = 0, delivered = 0; delivered < stream.size() && !decoder.IsMalformed(); ++piece) {
        const std::size_t wanted = pieceSizes.empty() ? stream.size() : pieceSizes[piece % pieceSizes.size()] + 1u;
        const std::size_t length = std::min(wanted, stream.size() - delivered);
        // Each piece in a heap block of exactly its size, as a socket read leaves it.
        const auto block = std::make_unique<char[]>(length);
        std::memcpy(block.get(), stream.data() + delivered, length);
        delivered += length;
        std::string_view data(block.get(), length);
        while (!data.empty() && decoder.Feed(data, frame) == mb::FrameDecoder::Result::FrameReady) {
            decoded += mb::EncodeFrame(frame.value, frame.sender, frame.text).value();
            FUZZ_CHECK(stream.starts_with(decoded));
        }
    }
    return decoded + (decoder.IsMalformed() ? "!" : decoder.HasPartialFrame() ? "+" : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::size_t sizeCount = std::min<std::size_t>(data[0] % 16, size - 1);
    const std::span<const std::uint8_t> pieceSizes(data + 1, sizeCount);
    const std::string_view stream(reinterpret_cast<const char*>(data + 1 + sizeCount), size - 1 - sizeCount);
    // How the stream is cut into pieces changes nothing that is decoded.
    FUZZ_CHECK(Decode(stream, pieceSizes) == Decode(stream, {}));
    // A frame carrying the stream, its first half as sender, comes through in the same pieces.
    const std::string_view sender = stream.substr(0, stream.size() / 2);
    const std::string sent =
        mb::EncodeFrame(-std::int32_t(stream.size()), sender, stream.substr(sender.size())).value();
    FUZZ_CHECK(Decode(sent, pieceSizes) == sent);
    return 0;
}

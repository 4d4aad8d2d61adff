// Frame codec of the inter-process messages: encoding and an incremental, bounded decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mb {

inline constexpr std::string_view kFrameMagic = "MBI1";
inline constexpr std::size_t kFrameHeaderSize = 8;        // magic and L
inline constexpr std::uint32_t kMaxFrameBody = 1u << 20;  // largest L
inline constexpr std::uint32_t kFrameFixedBody = 10;      // value, S and T fields
inline constexpr std::size_t kMaxSenderSize = 0xFFFF;

struct Frame {
    std::int32_t value = 0;
    std::string sender;
    std::string text;
};

// The whole frame; nothing when the sender or text would not fit the limits.
std::optional<std::string> EncodeFrame(std::int32_t value, std::string_view sender, std::string_view text);

// Decodes a stream of frames. Each Feed takes bytes only up to the end of the frame
// under way, so the decoder never holds more than one frame, and rejects a frame as
// soon as its fields show it to be malformed.
class FrameDecoder {
public:
    enum class Result { NeedMore, FrameReady, Malformed };

    // Consumes bytes from the front of data. FrameReady fills frame; the rest of data
    // remains for the next call. After Malformed the decoder refuses everything.
    Result Feed(std::string_view& data, Frame& frame);

    // True while part of a frame has been received but not yet completed.
    bool HasPartialFrame() const { return !buffer_.empty(); }
    bool IsMalformed() const { return malformed_; }

private:
    std::size_t Needed() const;
    bool CheckFields();
    void Complete(Frame& frame);

    std::string buffer_;
    std::uint32_t body_ = 0;    // L, once the header is in
    std::uint32_t sender_ = 0;  // S, once read
    bool malformed_ = false;
};

}  // namespace mb

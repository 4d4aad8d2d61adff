// Frame codec of the inter-process messages: big-endian fields, limits checked field by field.
#include "mb/MbFrame.h"

#include <algorithm>

namespace mb {
namespace {

constexpr std::size_t kValueOffset = 8;
constexpr std::size_t kSenderSizeOffset = 12;
constexpr std::size_t kSenderOffset = 14;
constexpr std::size_t kTextSizeField = 4;

void PutBigEndian(std::string& out, std::uint32_t value, int bytes)
{
    for (int shift = (bytes - 1) * 8; shift >= 0; shift -= 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

std::uint32_t GetBigEndian(const std::string& in, std::size_t offset, int bytes)
{
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | static_cast<unsigned char>(in[offset + static_cast<std::size_t>(i)]);
    return value;
}

}  // namespace

std::optional<std::string> EncodeFrame(std::int32_t value, std::string_view sender, std::string_view text)
{
    if (sender.size() > kMaxSenderSize || text.size() > kMaxFrameBody - kFrameFixedBody - sender.size())
        return std::nullopt;
    const auto body = static_cast<std::uint32_t>(kFrameFixedBody + sender.size() + text.size());
    std::string out;
    out.reserve(kFrameHeaderSize + body);
    out.append(kFrameMagic);
    PutBigEndian(out, body, 4);
    PutBigEndian(out, static_cast<std::uint32_t>(value), 4);
    PutBigEndian(out, static_cast<std::uint32_t>(sender.size()), 2);
    out.append(sender);
    PutBigEndian(out, static_cast<std::uint32_t>(text.size()), 4);
    out.append(text);
    return out;
}

FrameDecoder::Result FrameDecoder::Feed(std::string_view& data, Frame& frame)
{
    while (!malformed_ && !data.empty()) {
        const std::size_t take = std::min(Needed() - buffer_.size(), data.size());
        buffer_.append(data.substr(0, take));
        data.remove_prefix(take);
        if (!CheckFields()) {
            malformed_ = true;
            std::string().swap(buffer_);
            break;
        }
        if (buffer_.size() == kFrameHeaderSize + body_) {
            Complete(frame);
            return Result::FrameReady;
        }
    }
    return malformed_ ? Result::Malformed : Result::NeedMore;
}

// The size the buffer must reach before the next field can be checked.
std::size_t FrameDecoder::Needed() const
{
    if (buffer_.size() < kFrameHeaderSize)
        return kFrameHeaderSize;
    if (buffer_.size() < kSenderOffset)
        return kSenderOffset;
    if (buffer_.size() < kSenderOffset + sender_ + kTextSizeField)
        return kSenderOffset + sender_ + kTextSizeField;
    return kFrameHeaderSize + body_;
}

bool FrameDecoder::CheckFields()
{
    const std::size_t size = buffer_.size();
    const std::size_t magic = std::min(size, kFrameMagic.size());
    if (std::string_view(buffer_).substr(0, magic) != kFrameMagic.substr(0, magic))
        return false;
    if (size == kFrameHeaderSize) {
        body_ = GetBigEndian(buffer_, 4, 4);
        if (body_ < kFrameFixedBody || body_ > kMaxFrameBody)
            return false;
    }
    if (size == kSenderOffset) {
        sender_ = GetBigEndian(buffer_, kSenderSizeOffset, 2);
        if (sender_ > body_ - kFrameFixedBody)
            return false;
    }
    if (size == kSenderOffset + sender_ + kTextSizeField) {
        const std::uint32_t text = GetBigEndian(buffer_, kSenderOffset + sender_, 4);
        if (text != body_ - kFrameFixedBody - sender_)
            return false;
    }
    return true;
}

void FrameDecoder::Complete(Frame& frame)
{
    frame.value = static_cast<std::int32_t>(GetBigEndian(buffer_, kValueOffset, 4));
    frame.sender = buffer_.substr(kSenderOffset, sender_);
    frame.text = buffer_.substr(kSenderOffset + sender_ + kTextSizeField);
    buffer_.clear();
    body_ = 0;
    sender_ = 0;
}

}  // namespace mb

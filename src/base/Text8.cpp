// Conversions at the widget boundary.
#include "base/Text8.h"

#include <algorithm>

std::string ToText8(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromText8(const std::string& text) { return QString::fromLatin1(text.data(), qsizetype(text.size())); }

namespace {

bool IsValidUtf8(std::string_view bytes) { return QByteArrayView(bytes.data(), qsizetype(bytes.size())).isValidUtf8(); }

// The bytes a sequence starting with lead takes; 1 for a byte no sequence starts with.
std::size_t SequenceLength(unsigned char lead) { return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1; }

}  // namespace

bool ShowsAsUtf8(std::string_view bytes)
{
    Utf8Check check;
    check.Add(bytes);
    return check.ShowsAsUtf8();
}

void Utf8Check::Add(std::string_view piece)
{
    if (!valid_)
        return;
    // An ASCII piece with no sequence left open before it is valid as it stands: one pass over it.
    const bool high = std::any_of(piece.begin(), piece.end(), [](char c) { return (c & 0x80) != 0; });
    if (!high && carry_.empty())
        return;
    multiByte_ = true;
    if (!carry_.empty()) {
        const std::size_t missing = SequenceLength(static_cast<unsigned char>(carry_[0])) - carry_.size();
        const std::size_t taken = std::min(missing, piece.size());
        carry_.append(piece.substr(0, taken));
        piece.remove_prefix(taken);
        if (taken < missing)
            return;
        valid_ = IsValidUtf8(carry_);
        carry_.clear();
    }
    // A sequence whose start is among the last three bytes may go on in the next piece.
    std::size_t cut = piece.size();
    for (std::size_t back = 1; back <= std::min<std::size_t>(3, piece.size()); ++back) {
        const auto byte = static_cast<unsigned char>(piece[piece.size() - back]);
        if ((byte & 0xC0) == 0x80)
            continue;
        if (SequenceLength(byte) > back)
            cut = piece.size() - back;
        break;
    }
    carry_.assign(piece.substr(cut));
    valid_ = valid_ && IsValidUtf8(piece.substr(0, cut));
}

std::string ToDocumentText(const QString& text, bool utf8)
{
    if (!utf8)
        return ToText8(text);
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromDocumentText(std::string_view bytes, bool utf8)
{
    return utf8 ? QString::fromUtf8(bytes.data(), qsizetype(bytes.size()))
                : QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

std::string ToLocal8(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), std::size_t(bytes.size()));
}

QString FromLocal8(const std::string& text) { return QString::fromLocal8Bit(text.data(), qsizetype(text.size())); }

std::string ShownPath(const std::string& path) { return ToText8(FromLocal8(path)); }

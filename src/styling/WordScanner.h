// Splits one line of part-program text into the words the highlighter paints.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

// Style mode of entry k (1..27) at index k - 1; 0 or less forms no words.
using StyleModeTable = std::array<std::int32_t, 27>;

inline constexpr std::uint8_t kCommentEntry = 27;

// One painted word: entries 1..26 are the letters "A".."Z", 27 the comment.
struct StyleRun {
    std::int32_t position = 0;  // byte offset from the line's first byte
    std::int32_t length = 0;
    std::uint8_t entry = 0;
    std::int32_t mode = 0;  // the entry's style mode when the line was scanned

    friend bool operator==(const StyleRun&, const StyleRun&) = default;
};

namespace wordscan {

// Class of every byte: the entry it opens where no word is open (1..27), kNumberChar for the
// characters that continue a letter word, 0 for the rest. One table keeps both scanning loops
// on one base address.
inline constexpr std::uint8_t kNumberChar = 0x80;

constexpr std::array<std::uint8_t, 256> MakeCharClassTable()
{
    std::array<std::uint8_t, 256> table{};
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c - 64);
    table['('] = kCommentEntry;
    for (int c = '0'; c <= '9'; ++c)
        table[static_cast<std::size_t>(c)] = kNumberChar;
    table['-'] = kNumberChar;
    table['.'] = kNumberChar;
    return table;
}

inline constexpr std::array<std::uint8_t, 256> kCharClass = MakeCharClassTable();

// Positions are 32-bit, and no document reaches 2 GiB, so a longer view is cut there.
inline std::size_t ScannableLength(std::string_view line)
{
    return std::min<std::size_t>(line.size(), std::numeric_limits<std::int32_t>::max());
}

// Eight bytes at a time, as one little-endian word whose low byte comes first.
static_assert(std::endian::native == std::endian::little, "the scanner reads bytes in little-endian words");

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
constexpr std::uint64_t kHighBits = 0x8080808080808080u;
constexpr std::uint64_t kLowBits = ~kHighBits;

// High bit of every byte of w that differs from c.
constexpr std::uint64_t BytesOtherThan(std::uint64_t w, unsigned char c)
{
    const std::uint64_t x = w ^ (kEveryByte * c);
    return (((x & kLowBits) + kLowBits) | x) & kHighBits;
}

// High bit of every byte of w that is not "0".."9", "-" or ".".
constexpr std::uint64_t NonNumberBytes(std::uint64_t w)
{
    const std::uint64_t digit = w ^ (kEveryByte * '0');  // "0".."9" become 0..9
    const std::uint64_t notDigit = (((digit & kLowBits) + kEveryByte * (0x80 - 10)) | digit) & kHighBits;
    return notDigit & BytesOtherThan(w, '-') & BytesOtherThan(w, '.');
}

// The end of the number characters from pos: eight bytes at a time, so that how long a number
// is costs no mispredicted branch. Near the line's end the last eight bytes are read and
// shifted, the missing bytes reading as 0, which is no number character.
inline std::size_t NumberEnd(const std::uint8_t* charClass, const unsigned char* bytes, std::size_t pos,
                             std::size_t size)
{
    if (size < 8) {
        while (pos < size && (charClass[bytes[pos]] & kNumberChar) != 0)
            ++pos;
        return pos;
    }
    for (; pos < size; pos += 8) {
        std::uint64_t w = 0;
        if (pos + 8 <= size) {
            std::memcpy(&w, bytes + pos, 8);
        } else {
            std::memcpy(&w, bytes + size - 8, 8);
            w >>= 8 * (pos + 8 - size);
        }
        const std::uint64_t stop = NonNumberBytes(w);
        if (stop != 0)
            return std::min(size, pos + static_cast<std::size_t>(std::countr_zero(stop)) / 8);
    }
    return size;
}

}  // namespace wordscan

// Calls emit(const StyleRun&) for every word of line, left to right. No state carries over
// from another line, and nothing is allocated, so a line of any length costs one pass.
template <typename Emit>
void ScanWords(std::string_view line, const StyleModeTable& modes, Emit&& emit)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(line.data());
    const std::size_t size = wordscan::ScannableLength(line);
    const std::uint8_t* const charClass = wordscan::kCharClass.data();
    std::size_t i = 0;
    while (i < size) {
        const std::uint8_t entry = charClass[bytes[i]];
        // One unsigned comparison sorts out bytes that open no word, number characters included.
        if (static_cast<std::uint8_t>(entry - 1) >= kCommentEntry) {
            ++i;
            continue;
        }
        const std::int32_t mode = modes[entry - 1];
        if (mode <= 0) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        if (entry == kCommentEntry) {
            // A comment takes everything up to its first ")", or the rest of the line.
            const void* closer = std::memchr(bytes + end, ')', size - end);
            end = closer ? static_cast<std::size_t>(static_cast<const unsigned char*>(closer) - bytes) + 1 : size;
        } else {
            end = wordscan::NumberEnd(charClass, bytes, end, size);
            if (end < size && bytes[end] == ')')
                ++end;
        }
        emit(StyleRun{static_cast<std::int32_t>(i), static_cast<std::int32_t>(end - i), entry, mode});
        // The byte that ended a letter word may open a word of its own.
        i = end;
    }
}

// The words of line in runs, replacing what runs held; its capacity is reused.
void ScanLine(std::string_view line, const StyleModeTable& modes, std::vector<StyleRun>& runs);

std::vector<StyleRun> ScanLine(std::string_view line, const StyleModeTable& modes);

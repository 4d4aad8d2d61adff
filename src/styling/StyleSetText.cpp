// Splitting the style set file into lines and reading the fields of an entry line.
#include "styling/StyleSetText.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace styleset {

namespace {

std::string WithoutBlanks(std::string_view line)
{
    std::string kept;
    kept.reserve(line.size());
    std::copy_if(line.begin(), line.end(), std::back_inserter(kept), [](char c) { return c != ' '; });
    return kept;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::int32_t ParseColour(std::string_view text)
{
    // Worked on the digits themselves, so that a half is recognised exactly.
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 2;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool anyDigit = false;
    std::int64_t whole = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        anyDigit = true;
        whole = std::min(whole * 10 + (text[i] - '0'), kCap);
    }
    if (i < text.size() && text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])) {
        anyDigit = true;
        const int first = text[++i] - '0';
        bool beyondHalf = false;
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            beyondHalf = beyondHalf || text[i] != '0';
        const bool up = first > 5 || (first == 5 && (beyondHalf || whole % 2 == 1));
        if (up)
            whole = std::min(whole + 1, kCap);
    }
    if (!anyDigit)
        return 0;
    const std::int64_t value = negative ? -whole : whole;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::vector<std::string> Lines(std::string_view fileBytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < fileBytes.size()) {
        const std::size_t cr = fileBytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(WithoutBlanks(fileBytes.substr(start)));
            break;
        }
        lines.push_back(WithoutBlanks(fileBytes.substr(start, cr - start)));
        start = cr + 1;
        if (start < fileBytes.size() && fileBytes[start] == '\n')
            ++start;
    }
    return lines;
}

bool Contains(std::string_view line, std::string_view word) { return line.find(word) != std::string_view::npos; }

std::uint8_t EntryOfLine(std::string_view line)
{
    if (line.empty())
        return 0;
    const int code = static_cast<unsigned char>(line[0]);
    if (code == '(')
        return 27;
    const int entry = code - 64;
    return entry >= 1 && entry <= 27 ? static_cast<std::uint8_t>(entry) : 0;
}

std::int32_t ModeOfLine(std::string_view line) { return line.size() >= 2 && IsDigit(line[1]) ? line[1] - '0' : 0; }

std::int32_t ColourOfLine(std::string_view line) { return line.size() > 3 ? ParseColour(line.substr(3)) : 0; }

}  // namespace styleset

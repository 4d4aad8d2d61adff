// The profile reader: lines, section and name lines, and machine numbers read as Talvane wrote them.
#include "profiles/MachineProfiles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/Twips.h"

namespace {

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Walks a text the way a number is read from it: past every blank, tab and line feed.
class NumberCursor {
public:
    explicit NumberCursor(std::string_view text) : text_(text) {}
    // The next character that counts, or NUL at the end (a NUL cannot continue a number either).
    char Peek()
    {
        while (at_ < text_.size() && IsSkipped(text_[at_]))
            ++at_;
        return at_ < text_.size() ? text_[at_] : '\0';
    }
    void Take(std::string& into)
    {
        into.push_back(text_[at_]);
        Skip();
    }
    void Skip() { ++at_; }
    std::size_t Position() const { return at_; }
    void Rewind(std::size_t position) { at_ = position; }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

// Takes digits; true when there was at least one.
bool TakeDigits(NumberCursor& cursor, std::string& into)
{
    bool any = false;
    while (IsDigit(cursor.Peek())) {
        cursor.Take(into);
        any = true;
    }
    return any;
}

// The number's magnitude; a value too large for a double counts as infinite, too small as 0.
// The decimal order of a number's first significant digit: 1 for "5", 0 for "0.5", 400 for
// "0.5e400". The exponent saturates, so no exponent, however long, overflows the count.
long OrderOf(const std::string& number)
{
    const std::size_t e = number.find_first_of("eE");
    const std::string mantissa = number.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return std::numeric_limits<long>::min();  // zero has no order: it is never out of range
    long order = first < point ? long(point - first) : -long(first - point - 1);
    if (e != std::string::npos) {
        long exponent = 0;
        const bool negative = number[e + 1] == '-';
        for (std::size_t i = e + 1; i < number.size(); ++i)
            if (number[i] >= '0' && number[i] <= '9')
                exponent = std::min(exponent * 10 + (number[i] - '0'), 1000000L);
        order += negative ? -exponent : exponent;
    }
    return order;
}

// Beyond what a double holds the number is either far too large or as good as zero.
double Magnitude(const std::string& number)
{
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        return OrderOf(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return end == number.data() ? 0.0 : value;
}

}  // namespace

std::int16_t ReadMachineNumber(std::string_view text)
{
    NumberCursor cursor(text);
    bool negative = false;
    if (const char sign = cursor.Peek(); sign == '+' || sign == '-') {
        negative = sign == '-';
        cursor.Skip();
    }
    std::string number;
    bool any = TakeDigits(cursor, number);
    if (cursor.Peek() == '.') {
        cursor.Take(number);
        any = TakeDigits(cursor, number) || any;
    }
    if (!any)
        return 0;
    if (const char e = cursor.Peek(); e == 'e' || e == 'E') {
        const std::size_t before = cursor.Position();
        std::string exponent;
        cursor.Take(exponent);
        if (const char sign = cursor.Peek(); sign == '+' || sign == '-')
            cursor.Take(exponent);
        // "3E]" is the number 3: an exponent needs digits.
        if (TakeDigits(cursor, exponent))
            number += exponent;
        else
            cursor.Rewind(before);
    }
    double value = Magnitude(number);
    if (negative)
        value = -value;
    // Clamped, never wrapped: a number past the range names the nearest machine there is.
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    const long rounded = RoundHalfEven(std::clamp(value, lowest - 1, highest + 1));
    return static_cast<std::int16_t>(std::clamp<long>(rounded, long(lowest), long(highest)));
}

std::string TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string MachineEntry(std::int16_t number, const std::string& name) { return std::to_string(number) + '\t' + name; }

MachineChoice ParseMachineEntry(std::string_view entry)
{
    const std::size_t tab = entry.find('\t');
    MachineChoice choice;
    choice.number = ReadMachineNumber(entry.substr(0, tab));
    if (tab != std::string_view::npos)
        choice.name = TrimBlanks(entry.substr(tab + 1));
    return choice;
}

namespace {

void ReadLine(std::string_view line, MachineProfiles& profiles)
{
    if (line.find("[MC") != std::string_view::npos)
        profiles.machineNumber = ReadMachineNumber(line.substr(3));
    if (line.find("MCNAME=") == std::string_view::npos)
        return;
    profiles.machineName = TrimBlanks(line.substr(line.find('=') + 1));
    if (!profiles.machineName.empty())
        profiles.entries.push_back(MachineEntry(profiles.machineNumber, profiles.machineName));
}

}  // namespace

MachineProfiles ReadMachineProfiles(std::string_view bytes)
{
    MachineProfiles profiles;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t cr = bytes.find('\r', start);
        const std::size_t end = cr == std::string_view::npos ? bytes.size() : cr;
        ReadLine(bytes.substr(start, end - start), profiles);
        start = end + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return profiles;
}

std::string MachineProfilesText(const std::vector<MachineChoice>& machines)
{
    std::string text;
    for (const MachineChoice& machine : machines)
        text += "[MC" + std::to_string(machine.number) + "]\r\nMCNAME=" + machine.name + "\r\n";
    return text;
}

// Plain text turned into the component's pattern syntax, with Latin-1 letters in both cases.
#include "search/FoldedSearch.h"

#include <QChar>

#include <algorithm>
#include <optional>
#include <string_view>

#include "component/SciMessages.h"

using namespace sci;

namespace {

// The component compiles a pattern into a fixed buffer: a character set takes 33 bytes of it, a
// plain character 2. Past this size the pattern would fail to compile and find nothing.
constexpr std::size_t PatternBudget = 1900;
constexpr std::size_t SetCost = 33;

// The component's word characters, which its word-edge marks and its case-blind patterns use.
bool IsWordByte(unsigned char c) { return c >= 0x80 || c == '_' || QChar::isLetterOrNumber(c); }

// The other case of an 8-bit letter when the code page has it.
std::optional<char> OtherCase(unsigned char c)
{
    if (c < 0x80)
        return std::nullopt;
    const QChar letter = QChar::fromLatin1(char(c));
    const QChar other = letter.isUpper() ? letter.toLower() : letter.toUpper();
    if (other == letter || other.unicode() > 0xFF)
        return std::nullopt;
    return char(other.unicode());
}

bool Plain(unsigned char c) { return std::string_view("\\.[]*+?^$").find(char(c)) == std::string_view::npos; }

}  // namespace

ComponentSearch FoldedSearch(const std::string& text, std::int32_t flags)
{
    const ComponentSearch unchanged{text, flags};
    const auto bytes = [&text](auto test) { return std::any_of(text.begin(), text.end(), test); };
    if ((flags & (SCFIND_MATCHCASE | SCFIND_REGEXP)) != 0 || text.empty() ||
        !bytes([](unsigned char c) { return OtherCase(c).has_value(); }) ||
        bytes([](char c) { return c == '\r' || c == '\n' || c == '\0'; }))
        return unchanged;
    const bool wholeWord = (flags & SCFIND_WHOLEWORD) != 0;
    if (wholeWord && !(IsWordByte(text.front()) && IsWordByte(text.back())))
        return unchanged;
    ComponentSearch folded{wholeWord ? "\\<" : "", SCFIND_REGEXP};
    std::size_t cost = 0;
    for (const unsigned char c : text) {
        if (const std::optional<char> other = OtherCase(c))
            folded.text += {'[', char(c), *other, ']'};
        else if (Plain(c))
            folded.text += char(c);
        else
            folded.text += {'\\', char(c)};
        cost += IsWordByte(c) ? SetCost : 2;
    }
    if (cost > PatternBudget)
        return unchanged;
    folded.text += wholeWord ? "\\>" : "";
    return folded;
}

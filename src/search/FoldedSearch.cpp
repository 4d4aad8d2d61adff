// Plain text turned into the component's pattern syntax, with the letters beyond ASCII in both
// cases: Latin-1 letters in an 8-bit document, UTF-8 ones in a UTF-8 document.
#include "search/FoldedSearch.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

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

// One character of the text: its bytes, and the other case's last byte where the two cases
// differ in that byte only: every 8-bit letter, and most UTF-8 ones ("é" C3 A9, "É" C3 89). A
// letter whose cases differ further keeps its case. The text of a UTF-8 document is valid UTF-8.
struct Unit {
    std::string_view bytes;
    std::optional<char> otherLast;
};

Unit UnitAt(std::string_view text, std::size_t at, bool utf8)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (!utf8 || lead < 0x80)
        return {text.substr(at, 1), utf8 ? std::nullopt : OtherCase(lead)};
    const std::string_view bytes = text.substr(at, lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2);
    const QString letter = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    const QByteArray other = (letter.isUpper() ? letter.toLower() : letter.toUpper()).toUtf8();
    if (other.size() != qsizetype(bytes.size()) || other.back() == bytes.back() ||
        QByteArrayView(other).chopped(1) != QByteArrayView(bytes.data(), qsizetype(bytes.size())).chopped(1))
        return {bytes, std::nullopt};
    return {bytes, other.back()};
}

}  // namespace

ComponentSearch FoldedSearch(const std::string& text, std::int32_t flags, bool utf8)
{
    const ComponentSearch unchanged{text, flags};
    std::vector<Unit> units;
    for (std::size_t at = 0; at < text.size(); at += units.back().bytes.size())
        units.push_back(UnitAt(text, at, utf8));
    if ((flags & (SCFIND_MATCHCASE | SCFIND_REGEXP)) != 0 || text.empty() ||
        std::none_of(units.begin(), units.end(), [](const Unit& unit) { return unit.otherLast.has_value(); }) ||
        std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }))
        return unchanged;
    const bool wholeWord = (flags & SCFIND_WHOLEWORD) != 0;
    if (wholeWord && !(IsWordByte(text.front()) && IsWordByte(text.back())))
        return unchanged;
    ComponentSearch folded{wholeWord ? "\\<" : "", SCFIND_REGEXP};
    std::size_t cost = 0;
    for (const Unit& unit : units) {
        folded.text += unit.bytes.substr(0, unit.bytes.size() - 1);  // bytes of 0x80 and above
        const auto last = static_cast<unsigned char>(unit.bytes.back());
        if (unit.otherLast)
            folded.text += {'[', char(last), *unit.otherLast, ']'};
        else if (Plain(last))
            folded.text += char(last);
        else
            folded.text += {'\\', char(last)};
        for (const unsigned char c : unit.bytes)
            cost += IsWordByte(c) ? SetCost : 2;
    }
    if (cost > PatternBudget)
        return unchanged;
    folded.text += wholeWord ? "\\>" : "";
    return folded;
}

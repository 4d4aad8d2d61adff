// The line scanner and the line's styling messages on any line with any style modes.
// Input: 27 bytes, each the mode of its entry as byte - '0' (so "0".."4" read as 0..4, other bytes
// as the negative and large values no table holds); 4 bytes, the line's start in the document
// (little-endian, wrapped so that the line ends within 32 bits); then the line.
#include "FuzzCheck.h"

#include <limits>
#include <string_view>
#include <vector>

#include "editor/SciMessages.h"
#include "highlight/StyleRunMessages.h"
#include "highlight/WordScanner.h"

namespace {

constexpr std::size_t kModeBytes = 27;
constexpr std::size_t kLineStartBytes = 4;

bool IsNumberChar(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// The entry a byte opens: 1..26 for "A".."Z", 27 for "(", 0 for any other byte.
int EntryOpenedBy(char c)
{
    if (c == '(')
        return kCommentEntry;
    return c >= 'A' && c <= 'Z' ? c - 'A' + 1 : 0;
}

bool OpensWord(char c, const StyleModeTable& modes)
{
    const int entry = EntryOpenedBy(c);
    return entry != 0 && modes[static_cast<std::size_t>(entry - 1)] > 0;
}

// Runs lie inside the line in order without overlapping, each a whole word, and no word is missed.
void CheckRuns(std::string_view line, const StyleModeTable& modes, const std::vector<StyleRun>& runs)
{
    std::size_t next = 0;  // the first byte after the previous run
    for (const StyleRun& run : runs) {
        FUZZ_CHECK(run.position >= 0 && run.length >= 1);
        const auto start = static_cast<std::size_t>(run.position);
        const std::size_t end = start + static_cast<std::size_t>(run.length);
        FUZZ_CHECK(start >= next && end <= line.size());
        for (std::size_t i = next; i < start; ++i)
            FUZZ_CHECK(!OpensWord(line[i], modes));
        FUZZ_CHECK(run.entry == EntryOpenedBy(line[start]) && run.entry != 0);
        FUZZ_CHECK(run.mode == modes[run.entry - 1u] && run.mode > 0);
        const std::string_view word = line.substr(start, static_cast<std::size_t>(run.length));
        if (run.entry == kCommentEntry) {
            // Up to its first ")", or to the line's end.
            const std::size_t closer = word.find(')', 1);
            FUZZ_CHECK(closer == std::string_view::npos ? end == line.size() : closer + 1 == word.size());
        } else {
            // The letter, all the number characters after it, and a ")" that ends them.
            std::size_t numberEnd = 1;
            while (numberEnd < word.size() && IsNumberChar(word[numberEnd]))
                ++numberEnd;
            if (numberEnd == word.size())
                FUZZ_CHECK(end == line.size() || (!IsNumberChar(line[end]) && line[end] != ')'));
            else
                FUZZ_CHECK(numberEnd + 1 == word.size() && word.back() == ')');
        }
        next = end;
    }
    for (std::size_t i = next; i < line.size(); ++i)
        FUZZ_CHECK(!OpensWord(line[i], modes));
}

// The whole line in style 0 first, then each word's styling runs in order within the line.
void CheckMessages(std::int32_t lineStart, std::string_view line, const StyleModeTable& modes)
{
    std::vector<SciCall> calls;
    ForEachLineStyleMessage(lineStart, line, modes, [&calls](const SciCall& call) { calls.push_back(call); });
    const auto length = static_cast<std::int32_t>(line.size());
    FUZZ_CHECK(calls.size() >= 2 && calls.size() % 2 == 0);
    FUZZ_CHECK((calls[0] == SciCall{sci::SCI_STARTSTYLING, lineStart, kStyleMask}));
    FUZZ_CHECK((calls[1] == SciCall{sci::SCI_SETSTYLING, length, 0}));
    const std::int64_t lineEnd = std::int64_t{lineStart} + length;
    std::int64_t styledTo = lineStart;
    for (std::size_t i = 2; i < calls.size(); i += 2) {
        const SciCall& start = calls[i];
        const SciCall& set = calls[i + 1];
        FUZZ_CHECK(start.msg == sci::SCI_STARTSTYLING && start.lParam == kStyleMask);
        FUZZ_CHECK(set.msg == sci::SCI_SETSTYLING && set.wParam >= 0 && set.lParam >= 0 && set.lParam <= kStyleMask);
        FUZZ_CHECK(start.wParam >= styledTo && std::int64_t{start.wParam} + set.wParam <= lineEnd);
        styledTo = std::int64_t{start.wParam} + set.wParam;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kModeBytes + kLineStartBytes)
        return 0;
    StyleModeTable modes;
    for (std::size_t k = 0; k < kModeBytes; ++k)
        modes[k] = data[k] - '0';
    std::uint32_t startBytes = 0;
    for (std::size_t i = 0; i < kLineStartBytes; ++i)
        startBytes |= std::uint32_t{data[kModeBytes + i]} << (8 * i);
    const std::size_t header = kModeBytes + kLineStartBytes;
    const std::string_view line(reinterpret_cast<const char*>(data + header), size - header);
    const std::uint32_t lastStart = std::numeric_limits<std::int32_t>::max() - static_cast<std::uint32_t>(line.size());
    const auto lineStart = static_cast<std::int32_t>(startBytes % (lastStart + 1));

    const std::vector<StyleRun> runs = ScanLine(line, modes);
    CheckRuns(line, modes, runs);
    // Scanning into a vector in use replaces what it held.
    std::vector<StyleRun> reused(3, StyleRun{1, 1, 1, 1});
    ScanLine(line, modes, reused);
    FUZZ_CHECK(reused == runs);
    CheckMessages(lineStart, line, modes);
    return 0;
}

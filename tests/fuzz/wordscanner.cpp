// The line scanner and the line's styling messages on any line with any style modes.
// Input: 27 bytes, each the mode of its entry as byte - '0' (so "0".."4" read as 0..4, other bytes
// as the negative and large values no table holds); 4 bytes, the line's start in the document
// (little-endian, wrapped so that the line ends within 32 bits); then the line.
#include "FuzzCheck.h"

#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

#include "highlight/StyleRunMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 27 + 4)
        return 0;
    StyleModeTable modes;
    for (std::size_t k = 0; k < modes.size(); ++k)
        modes[k] = data[k] - '0';
    std::uint32_t startBytes = 0;
    std::memcpy(&startBytes, data + 27, 4);
    const std::string_view line(reinterpret_cast<const char*>(data + 31), size - 31);
    const auto lineLength = static_cast<std::int32_t>(line.size());
    const auto lineStart =
        static_cast<std::int32_t>(startBytes % (std::numeric_limits<std::int32_t>::max() - lineLength + 1u));

    // Runs lie inside the line in order, each opened by a letter or "(" whose entry has a mode.
    const std::vector<StyleRun> runs = ScanLine(line, modes);
    std::int64_t next = 0;
    for (const StyleRun& run : runs) {
        FUZZ_CHECK(run.position >= next && run.length >= 1 && run.position + std::int64_t{run.length} <= lineLength);
        const char opener = line[static_cast<std::size_t>(run.position)];
        FUZZ_CHECK(run.entry == (opener == '(' ? kCommentEntry : opener - 'A' + 1) &&
                   run.mode == modes[run.entry - 1u]);
        FUZZ_CHECK(run.mode > 0);
        next = run.position + std::int64_t{run.length};
    }
    // Scanning into a vector in use replaces what it held.
    std::vector<StyleRun> reused(3, StyleRun{1, 1, 1, 1});
    ScanLine(line, modes, reused);
    FUZZ_CHECK(reused == runs);

    // The whole line in style 0 first, then each word's runs in order within the line.
    std::vector<SciCall> calls;
    AppendLineStyleMessages(lineStart, line, modes, calls);
    FUZZ_CHECK(calls.size() % 2 == 0 && calls.size() >= 2 && calls[0].wParam == lineStart &&
               calls[1].wParam == lineLength);
    std::int64_t styledTo = lineStart;
    for (std::size_t i = 0; i < calls.size(); i += 2) {
        const SciCall &start = calls[i], &set = calls[i + 1];
        FUZZ_CHECK(start.msg == sci::SCI_STARTSTYLING && start.lParam == kStyleMask && start.wParam >= styledTo);
        FUZZ_CHECK(set.msg == sci::SCI_SETSTYLING && set.wParam >= 0 && set.lParam >= 0 && set.lParam <= kStyleMask);
        styledTo = i == 0 ? lineStart : std::int64_t{start.wParam} + set.wParam;
        FUZZ_CHECK(std::int64_t{start.wParam} + set.wParam <= std::int64_t{lineStart} + lineLength);
    }
    return 0;
}

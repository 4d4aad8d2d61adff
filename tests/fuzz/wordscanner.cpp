// The line scanner and the line's styling messages on any line with any style modes.
// Input: 27 bytes, each the mode of its entry as byte - '0' (so "0".."4" read as 0..4, other bytes
// as the negative and large values no table holds); 4 bytes, the line's start in the document
// (little-endian, wrapped so that the line ends within 32 bits); then the line.
#include "FuzzCheck.h"

#include <cstring>
#include <limits>

#include "styling/StyleRunMessages.h"

constexpr std::size_t kModeBytes = 27, kHeaderBytes = kModeBytes + 4;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    StyleModeTable modes;
    for (std::size_t k = 0; k < kModeBytes; ++k)
        modes[k] = data[k] - '0';
    std::uint32_t startBytes = 0;
    std::memcpy(&startBytes, data + kModeBytes, 4);
    const std::string_view line(reinterpret_cast<const char*>(data + kHeaderBytes), size - kHeaderBytes);
    const std::int64_t lastStart = std::int64_t{std::numeric_limits<std::int32_t>::max()} - std::int64_t(line.size());
    const std::int64_t lineStart = startBytes % (lastStart + 1);

    // Runs lie inside the line in order, each opened by a letter or "(" whose entry has a mode.
    const std::vector<StyleRun> runs = ScanLine(line, modes);
    std::int64_t next = 0;
    for (const StyleRun& run : runs) {
        FUZZ_CHECK(run.position >= next && run.length >= 1 &&
                   run.position + std::int64_t{run.length} <= std::int64_t(line.size()));
        const char opener = line[static_cast<std::size_t>(run.position)];
        FUZZ_CHECK(run.entry - 1u < 27u && run.entry == (opener == '(' ? kCommentEntry : opener - 'A' + 1));
        FUZZ_CHECK(run.mode > 0 && run.mode == modes[run.entry - 1u]);
        next = run.position + std::int64_t{run.length};
    }
    // Every style message pair stays within the line.
    std::vector<SciCall> calls;
    AppendLineStyleMessages(std::int32_t(lineStart), line, modes, calls);
    FUZZ_CHECK(calls.size() % 2 == 0);
    for (std::size_t i = 0; i < calls.size(); i += 2)
        FUZZ_CHECK(calls[i].wParam >= lineStart && calls[i + 1].wParam >= 0 &&
                   calls[i].wParam + std::int64_t{calls[i + 1].wParam} <= lineStart + std::int64_t(line.size()));
    return 0;
}

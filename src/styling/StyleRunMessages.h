// The component messages that paint a word, and a whole line, in its styles.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "component/SciMessages.h"
#include "styling/WordScanner.h"

// One message for the editing component, ready for SendEditor(msg, wParam, lParam).
struct SciCall {
    std::uint32_t msg = 0;
    std::int32_t wParam = 0;
    std::int32_t lParam = 0;

    friend bool operator==(const SciCall&, const SciCall&) = default;
};

inline constexpr std::int32_t kStyleMask = 63;
inline constexpr std::int32_t kBoldStyleOffset = 33;

// The two to four messages of one run, held in place so that painting allocates nothing.
class StyleRunCalls {
public:
    const SciCall* begin() const { return calls_.data(); }
    const SciCall* end() const { return calls_.data() + count_; }
    std::size_t size() const { return count_; }
    const SciCall& operator[](std::size_t index) const { return calls_[index]; }

    void Append(SciCall call) { calls_[count_++] = call; }

private:
    std::array<SciCall, 4> calls_{};
    std::uint8_t count_ = 0;
};

// Paints length bytes from document position by the entry's style mode: 1 plain, 2 bold letter
// and default rest, 3 bold letter and plain rest, 4 bold, any other value the default style.
// Entry 0 with mode 1 paints unstyled text. A one-byte word in mode 2 or 3 ends with a run of
// length 0, which paints nothing.
inline StyleRunCalls StyleRunMessages(std::int32_t position, std::int32_t length, std::uint8_t entry, std::int32_t mode)
{
    const std::int32_t plain = entry;
    const std::int32_t bold = entry + kBoldStyleOffset;
    StyleRunCalls calls;
    calls.Append({sci::SCI_STARTSTYLING, position, kStyleMask});
    switch (mode) {
    case 1: calls.Append({sci::SCI_SETSTYLING, length, plain}); break;
    case 2:
    case 3:
        // The letter alone in bold, then the rest of the word afresh.
        calls.Append({sci::SCI_SETSTYLING, 1, bold});
        calls.Append({sci::SCI_STARTSTYLING, position + 1, kStyleMask});
        calls.Append({sci::SCI_SETSTYLING, length - 1, mode == 2 ? sci::STYLE_DEFAULT : plain});
        break;
    case 4: calls.Append({sci::SCI_SETSTYLING, length, bold}); break;
    default: calls.Append({sci::SCI_SETSTYLING, length, sci::STYLE_DEFAULT}); break;
    }
    return calls;
}

// Calls send(const SciCall&) for every message that styles one line starting at document
// position lineStart: the whole line in style 0, line end included, then each word. The line
// must lie within the document, so lineStart + its length fits in 32 bits.
template <typename Send>
void ForEachLineStyleMessage(std::int32_t lineStart, std::string_view lineText, const StyleModeTable& modes,
                             Send&& send)
{
    const auto lineLength = static_cast<std::int32_t>(wordscan::ScannableLength(lineText));
    for (const SciCall& call : StyleRunMessages(lineStart, lineLength, 0, 1))
        send(call);
    ScanWords(lineText, modes, [lineStart, &send](const StyleRun& run) {
        for (const SciCall& call : StyleRunMessages(lineStart + run.position, run.length, run.entry, run.mode))
            send(call);
    });
}

// The same messages appended to calls.
void AppendLineStyleMessages(std::int32_t lineStart, std::string_view lineText, const StyleModeTable& modes,
                             std::vector<SciCall>& calls);

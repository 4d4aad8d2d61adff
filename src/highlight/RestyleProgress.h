// The arithmetic of the whole-document pass's progress bar.
#pragma once

#include <cstdint>

#include "base/Twips.h"

// Lines per "|" for a document whose last line is lastLine: a hundredth, halves to even, at least 1.
inline std::int32_t RestyleStep(std::int32_t lastLine)
{
    const long step = RoundHalfEven(double(lastLine) / 100.0);
    return step < 1 ? 1 : std::int32_t(step);
}

// The number of "|" shown after styling line.
inline std::int32_t RestyleBarLength(std::int32_t line, std::int32_t step)
{
    return std::int32_t(RoundHalfEven(double(line) / double(step)));
}

// Window geometry in twips, at 15 twips to the logical pixel, and the rounding the editor uses.
#pragma once

#include <cmath>

inline constexpr int TwipsPerPixel = 15;

// Rounds to the nearest whole number, halves to the even neighbour.
inline long RoundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double fraction = value - floor;
    if (fraction > 0.5)
        return long(floor) + 1;
    if (fraction < 0.5)
        return long(floor);
    return std::fmod(floor, 2.0) == 0.0 ? long(floor) : long(floor) + 1;
}

inline int TwipsToPixels(int twips) { return int(RoundHalfEven(double(twips) / TwipsPerPixel)); }
inline int PixelsToTwips(int pixels) { return pixels * TwipsPerPixel; }

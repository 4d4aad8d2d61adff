// What the highlighting setup dialog shows, as plain data: the palette, the captions of the
// entries and the look of the two samples for an entry.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "styling/StyleSetFile.h"

// The 48 swatches, row by row, eight to a row, as 0xBBGGRR.
inline constexpr std::array<std::int32_t, 48> kSetupPalette = {
    0xFFFFFF, 0xC0C0FF, 0xC0E0FF, 0xC0FFFF, 0xC0FFC0, 0xFFFFC0, 0xFFC0C0, 0xFFC0FF,  //
    0xE0E0E0, 0x8080FF, 0x80C0FF, 0x80FFFF, 0x80FF80, 0xFFFF80, 0xFF8080, 0xFF80FF,  //
    0xC0C0C0, 0x0000FF, 0x0080FF, 0x00FFFF, 0x00FF00, 0xFFFF00, 0xFF0000, 0xFF00FF,  //
    0x808080, 0x0000C0, 0x0040C0, 0x00C0C0, 0x00C000, 0xC0C000, 0xC00000, 0xC000C0,  //
    0x404040, 0x000080, 0x004080, 0x008080, 0x008000, 0x808000, 0x800000, 0x800080,  //
    0x000000, 0x000040, 0x404080, 0x004040, 0x004000, 0x404000, 0x400000, 0x400040,
};

// "A".."Z" for the letters 1..26, "( COMMENT TEXT )" for the comment entry 27.
std::string EntryCaption(int entry);

// The samples' look; the letter sample always shows the caption's first character.
struct SampleLook {
    char letter = 'X';
    std::int32_t letterColour = 0;
    bool letterBold = true;
    std::int32_t numberColour = 0;
    bool numberBold = false;
    int styleOption = 0;  // the Style option to select, 1..4; 0 leaves the options as they are
};

// Style 1 shows letter and number plain in the colour, Style 2 the letter bold and the number
// black, Style 3 the letter bold and the number plain, Style 4 both bold. A digit that names
// no style leaves the letter bold and the number plain, both in the colour.
SampleLook SampleLookOf(int entry, const StyleDialogEntry& data);

// Captions and samples of the setup dialog.
#include "styling/SetupLook.h"

std::string EntryCaption(int entry)
{
    if (entry == 27)
        return "( COMMENT TEXT )";
    return std::string(1, static_cast<char>('A' + entry - 1));
}

SampleLook SampleLookOf(int entry, const StyleDialogEntry& data)
{
    SampleLook look;
    look.letter = EntryCaption(entry).front();
    look.letterColour = data.colour;
    look.numberColour = data.colour;
    if (data.styleDigit == "1") {
        look.letterBold = false;
        look.styleOption = 1;
    } else if (data.styleDigit == "2") {
        look.numberColour = 0;
        look.styleOption = 2;
    } else if (data.styleDigit == "3") {
        look.styleOption = 3;
    } else if (data.styleDigit == "4") {
        look.numberBold = true;
        look.styleOption = 4;
    }
    return look;
}

// Applying the style set to the component's styles and to the styling state.
#pragma once

#include "styling/StyleSetFile.h"

class Styling;

// Reads StyleSet.sty from the program folder and applies it, or the built-in set when there is
// no such file. False when a file is there but cannot be read: what is in force stays.
bool LoadStyleSet(Styling& styling);
// The look reset to the base look (SCI_STYLECLEARALL) and the style set applied afresh, once
// it has been read: false when the file is there but cannot be read, and then nothing changes.
bool ReloadStyleSet(Styling& styling);
// The built-in set: comments, M words and N words in colour, styling on.
void ApplyDefaultStyles(Styling& styling);
// Sends a style set's messages in order, then takes over its modes and on/off state.
void ApplyStyleSet(Styling& styling, const StyleSetApplication& styleSet);

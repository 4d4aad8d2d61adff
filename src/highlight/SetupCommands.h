// What the setup dialog's buttons do to the files and to the editor. A file that cannot be
// written is reported in a box naming it; the settings in force and the editor stay as they were.
#pragma once

#include "styling/DisplaySettingsFile.h"
#include "styling/StyleSetFile.h"

class DialogService;
class Styling;

// The style set file as the dialog shows it. With no file the built-in set goes into force
// while the dialog shows every entry black in Style 1.
StyleSetDialogData ReadStyleSetForDialog(Styling& styling);

// Writes the style set and applies it: the top of the view at once, then a whole-document
// pass (a running one starts over). False when the file was not written.
bool SaveStyleSet(Styling& styling, const StyleSetDialogData& data);

// Asks first; then replaces the style set by the empty one and applies it without a pass, the
// painted text changing with its styles. True when the style set was replaced.
bool DeleteStyleSet(Styling& styling);

// Writes edset.ini and takes the choices into force; the top visible line is styled again when
// a value changed. False when the file was not written.
bool SaveDisplaySettings(Styling& styling, const DisplaySettings& chosen);

void ShowDisplayOptionsHelp(DialogService& dialogs);

// The texts of the About box and the information dialog.
#pragma once

#include <string>

inline constexpr const char* TalvaneWebAddress = "https://www.talvane.com";

// "v4.1 .18" for version 4.1.18: a space before the revision's point.
std::string VersionText(int major, int minor, int revision);
// Varnotek's own version, as the build gives it.
std::string VarnotekVersionText();

// The four paragraphs of the information dialog, separated by CR LF CR LF.
std::string InfoText();

// The first panel of the main window's status bar, for the parts that report progress there.
#pragma once

#include <string>

void ShowStatusText(const std::string& text);

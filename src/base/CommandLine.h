// How the command line and the executable's folder become CommandLineFile and ProgramFolder.
#pragma once

#include <string>
#include <vector>

// The arguments (without the executable) joined by one blank, every double quote removed:
// the whole text names one path.
std::string CommandLineFileFrom(const std::vector<std::string>& arguments);

// The folder without a trailing separator (an executable in "/" gives the empty text).
std::string WithoutTrailingSeparator(std::string folder);

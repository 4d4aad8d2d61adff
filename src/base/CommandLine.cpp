// Command-line text rules.
#include "base/CommandLine.h"

#include <algorithm>

std::string CommandLineFileFrom(const std::vector<std::string>& arguments)
{
    std::string text;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += arguments[i];
    }
    std::erase(text, '"');
    return text;
}

std::string WithoutTrailingSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// Collects the words of a line into runs.
#include "styling/WordScanner.h"

void ScanLine(std::string_view line, const StyleModeTable& modes, std::vector<StyleRun>& runs)
{
    runs.clear();
    ScanWords(line, modes, [&runs](const StyleRun& run) { runs.push_back(run); });
}

std::vector<StyleRun> ScanLine(std::string_view line, const StyleModeTable& modes)
{
    std::vector<StyleRun> runs;
    ScanLine(line, modes, runs);
    return runs;
}

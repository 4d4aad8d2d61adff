// The generated 1,000,000-line part program the benchmarks share.
#include "CncProgram.h"

#include <cstdio>
#include <iterator>
#include <random>

namespace {
constexpr int ProgramLines = 1000000;
}  // namespace

// A milling program as a CAM system writes it: bracketed header comments, then N-numbered
// blocks of G/M words with X/Y/Z/I/J/F/S values.
const std::string& CncProgram()
{
    static const std::string text = [] {
        std::string t;
        t.reserve(32u << 20);
        const char* header[] = {"%",
                                "O4711",
                                "(POCKET AND CONTOUR - PART 4711-B REV C)",
                                "(MATERIAL ALU 6082 - BLOCK 400 X 300 X 40)",
                                "(T1 D10 END MILL - T2 D6 BALL NOSE)",
                                "(POSTED 2024-03-18 08:41)"};
        for (const char* line : header) {
            t.append(line).append("\r\n");
        }
        std::mt19937 random(4711);
        std::uniform_real_distribution<double> coordinate(-250.0, 250.0);
        const auto pick = [&random](unsigned count) { return static_cast<unsigned>(random() % count); };
        char line[96];
        for (int n = static_cast<int>(std::size(header)); n < ProgramLines; ++n) {
            const int block = n * 10;
            const unsigned kind = pick(16);
            if (kind < 7) {
                std::snprintf(line, sizeof line, "N%d X%.3f Y%.3f\r\n", block, coordinate(random), coordinate(random));
            } else if (kind < 11) {
                std::snprintf(line, sizeof line, "N%d G1 X%.3f Y%.3f F%u\r\n", block, coordinate(random),
                              coordinate(random), 400 + pick(1200));
            } else if (kind < 13) {
                std::snprintf(line, sizeof line, "N%d G2 X%.2f Y%.2f I%.2f J0\r\n", block, coordinate(random),
                              coordinate(random), coordinate(random) / 10);
            } else if (kind < 15) {
                std::snprintf(line, sizeof line, "N%d G0 Z%.1f\r\n", block, coordinate(random) / 50);
            } else {
                std::snprintf(line, sizeof line, "N%d M3 S%u\r\n", block, 8000 + pick(16000));
            }
            t += line;
        }
        return t;
    }();
    return text;
}

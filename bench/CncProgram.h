// A realistic part program for the benchmarks: about 30 MB in 1,000,000 CR LF lines.
#pragma once

#include <string>

// Made once, on first use; the same text on every run.
const std::string& CncProgram();

// What every fuzz target shares: its entry point and the check that stops a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Checks one input; libFuzzer calls it with each input it tries, the replay main with each file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

// Unlike assert, also checks in release builds; the abort is a crash to libFuzzer and fails a replay.
#define FUZZ_CHECK(condition)                                                                                          \
    ((condition) ? void()                                                                                              \
                 : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition), std::abort()))

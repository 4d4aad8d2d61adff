// Test-only control of the recording stand-in for the component module.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct FakeMessage {
    std::uint32_t msg;
    std::intptr_t wParam;
    std::intptr_t lParam;
    std::string text;  // for the echo message: the C string lParam pointed to
};

// Messages the stand-in understands besides logging.
inline constexpr std::uint32_t FakeEchoText = 9001;    // records lParam as a C string
inline constexpr std::uint32_t FakeFillBuffer = 9002;  // writes "filled" into the lParam buffer
inline constexpr std::uint32_t FakeLineLength = 10;    // LINEFROMPOSITION answers position / 10

extern "C" {
using FakeLogFn = std::vector<FakeMessage>* (*)();
using FakeSetFn = void (*)(std::intptr_t createResult, std::int32_t endStyled, bool nestOnEndStyled);
using FakeNotifyFn = void (*)(std::int32_t code, std::int32_t position);
using FakeSetLineFn = void (*)(const char* text);
}

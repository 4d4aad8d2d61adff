// The command-line rule on any arguments: the input's NUL bytes separate them, as the system's do.
#include "FuzzCheck.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "base/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // No bytes, no arguments; otherwise one more argument than there are NUL bytes.
    std::vector<std::string> arguments;
    for (std::size_t start = 0, end = 0; size > 0 && end != std::string_view::npos; start = end + 1) {
        end = bytes.find('\0', start);
        arguments.emplace_back(bytes.substr(start, end - start));
    }
    // The arguments in order with one blank between them, quotes dropped.
    std::string expected(bytes);
    std::replace(expected.begin(), expected.end(), '\0', ' ');
    std::erase(expected, '"');
    FUZZ_CHECK(CommandLineFileFrom(arguments) == expected);
    return 0;
}

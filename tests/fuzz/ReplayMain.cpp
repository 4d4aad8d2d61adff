// Runs a fuzz target's check on every file in the folders given, without libFuzzer, so that the
// normal build replays each target's seed corpus and kept crash inputs as a test.
#include "FuzzCheck.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        // A target's regressions folder exists only once a crash input has been kept.
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(argv[i], error)) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            // An exactly-sized heap copy, so that a read past the input's end meets AddressSanitizer.
            const std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
            std::fprintf(stderr, "%s\n", entry.path().c_str());
            LLVMFuzzerTestOneInput(copy.data(), copy.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    // No input at all means the folders were named wrongly, not that everything passed.
    return replayed == 0 ? 1 : 0;
}

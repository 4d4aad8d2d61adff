// The reader of edset.ini on any bytes: what the editor writes back reads as what it read.
#include "FuzzCheck.h"

#include <string_view>

#include "styling/DisplaySettingsFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DisplaySettings settings = DisplaySettingsFromText(text);
    FUZZ_CHECK(DisplaySettingsFromText(DisplaySettingsText(settings)) == settings);
    return 0;
}

// The reader of Orvex.ini on any bytes, and its number reader on the whole input.
#include "FuzzCheck.h"

#include <string>
#include <string_view>

#include "profiles/MachineProfiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // The choice made from a listed entry is the number and name that were listed.
    for (const std::string& entry : ReadMachineProfiles(bytes).entries) {
        const MachineChoice choice = ParseMachineEntry(entry);
        FUZZ_CHECK(!choice.name.empty() && MachineEntry(choice.number, choice.name) == entry);
    }
    // A number as the list writes it reads back as itself.
    const std::int16_t number = ReadMachineNumber(bytes);
    FUZZ_CHECK(ReadMachineNumber(std::to_string(number)) == number);
    return 0;
}

// The reader of Orvex.ini on any bytes, and its number reader on the whole input.
#include "FuzzCheck.h"

#include <string>
#include <string_view>

#include "dnc/MachineProfiles.h"

namespace {

bool IsTrimmed(const std::string& name)
{
    return name.empty() || (name.front() != ' ' && name.back() != ' ' && name.find('\r') == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MachineProfiles profiles = ReadMachineProfiles(bytes);
    FUZZ_CHECK(IsTrimmed(profiles.machineName));
    // The choice made from a listed entry is the number and name that were listed.
    for (const std::string& entry : profiles.entries) {
        const MachineChoice choice = ParseMachineEntry(entry);
        FUZZ_CHECK(!choice.name.empty() && IsTrimmed(choice.name) && MachineEntry(choice.number, choice.name) == entry);
    }
    // A number as the list writes it reads back as itself.
    const std::int16_t number = ReadMachineNumber(bytes);
    FUZZ_CHECK(ReadMachineNumber(std::to_string(number)) == number);
    return 0;
}

// The reader of Orvex.ini on any bytes, and its number reader on the whole input.
#include "FuzzCheck.h"

#include <string>
#include <string_view>

#include "dnc/MachineProfiles.h"

namespace {

std::size_t Count(std::string_view text, std::string_view word)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(word); at != std::string_view::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

bool IsTrimmed(const std::string& name) { return name.empty() || (name.front() != ' ' && name.back() != ' '); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const MachineProfiles profiles = ReadMachineProfiles(bytes);
    FUZZ_CHECK(profiles.entries.size() <= Count(bytes, "MCNAME="));
    FUZZ_CHECK(IsTrimmed(profiles.machineName) && profiles.machineName.find('\r') == std::string::npos);
    // The choice made from a listed entry is the number and name that were listed.
    for (const std::string& entry : profiles.entries) {
        const MachineChoice choice = ParseMachineEntry(entry);
        FUZZ_CHECK(!choice.name.empty() && IsTrimmed(choice.name) && choice.name.find('\r') == std::string::npos);
        FUZZ_CHECK(MachineEntry(choice.number, choice.name) == entry);
    }
    // A number as the list writes it reads back as itself.
    const std::int16_t number = ReadMachineNumber(bytes);
    FUZZ_CHECK(ReadMachineNumber(std::to_string(number)) == number);
    return 0;
}

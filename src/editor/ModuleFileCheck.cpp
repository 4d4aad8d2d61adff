// ELF sanity check of the component module file.
#include "editor/ModuleFileCheck.h"

#include <elf.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace {

#if defined(__x86_64__)
constexpr Elf64_Half NativeMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr Elf64_Half NativeMachine = EM_AARCH64;
#else
#error "the module check knows no ELF machine for this processor"
#endif

bool Fits(std::uint64_t offset, std::uint64_t size, std::uint64_t fileSize)
{
    return offset <= fileSize && size <= fileSize - offset;
}

}  // namespace

bool IsCompleteSharedObject(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        return false;
    const std::streamoff end = file.tellg();
    if (end < std::streamoff(sizeof(Elf64_Ehdr)))
        return false;
    const auto fileSize = std::uint64_t(end);
    Elf64_Ehdr header{};
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(&header), sizeof header))
        return false;
    if (std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_type != ET_DYN || header.e_machine != NativeMachine || header.e_phentsize != sizeof(Elf64_Phdr) ||
        header.e_phnum == 0 || !Fits(header.e_phoff, std::uint64_t(header.e_phnum) * sizeof(Elf64_Phdr), fileSize))
        return false;
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    file.seekg(std::streamoff(header.e_phoff));
    if (!file.read(reinterpret_cast<char*>(segments.data()), std::streamsize(segments.size() * sizeof(Elf64_Phdr))))
        return false;
    for (const Elf64_Phdr& segment : segments) {
        if (segment.p_type != PT_NULL && !Fits(segment.p_offset, segment.p_filesz, fileSize))
            return false;
    }
    return true;
}

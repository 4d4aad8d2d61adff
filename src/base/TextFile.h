// Whole-file reading and saving of 8-bit document text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Text positions and counts are 32-bit signed, and the component hands its text out with a
// count one larger than the text: a document, read or saved, holds at most 2^31 - 2 bytes.
inline constexpr std::int64_t kMaxDocumentBytes = 0x7FFFFFFE;
inline constexpr bool FitsInDocument(std::int64_t bytes) { return bytes <= kMaxDocumentBytes; }

// The whole content of the regular file at path (a local 8-bit path), byte for byte. nullopt
// when the path is missing, is not a regular file (folders, FIFOs and devices are refused
// without blocking), does not fit in a document, or cannot be read completely.
std::optional<std::string> ReadTextFile(const std::string& path);

// Saves text to the file at path: a symbolic link keeps pointing at its saved target, an
// existing file keeps its permissions. With noOverwrite, a readable regular file already at
// path is left alone and false returned. Any failure (missing folder, read-only file, full
// disk, file size limit, a target that is not a regular file) returns false.
// The file is replaced atomically, keeping the old one intact on failure, unless that cannot
// work or would change the file's owner or cut its hard links: a folder the user may not
// write, a file owned by another user, or a file with more than one link. Such a file is
// overwritten in place instead, and a failure part-way leaves it incomplete.
bool WriteTextFile(const std::string& path, const std::string& text, bool noOverwrite);

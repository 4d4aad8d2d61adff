// Whole-file reading and atomic saving of 8-bit document text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Text positions are 32-bit signed, so a file of 2 GiB or more cannot be a document.
inline constexpr std::int64_t kMaxTextFileBytes = 0x7FFFFFFF;

// The whole content of the regular file at path (a local 8-bit path), byte for byte. nullopt
// when the path is missing, is not a regular file (folders, FIFOs and devices are refused
// without blocking), is kMaxTextFileBytes long or more, or cannot be read completely.
std::optional<std::string> ReadTextFile(const std::string& path);

// Replaces the file at path with text atomically: a symbolic link keeps pointing at its
// replaced target, an existing file keeps its permissions. With noOverwrite, a readable
// regular file already at path is left alone and false returned. Any failure (missing folder,
// read-only file, full disk, file size limit, a target that is not a regular file) leaves the
// old file intact and returns false.
bool WriteTextFile(const std::string& path, const std::string& text, bool noOverwrite);

// Reading (whole or a piece at a time) and saving of 8-bit document text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/FileDescriptor.h"

// Text positions and counts are 32-bit signed, and the component hands its text out with a
// count one larger than the text: a document, read or saved, holds at most 2^31 - 2 bytes.
inline constexpr std::int64_t kMaxDocumentBytes = 0x7FFFFFFE;
inline constexpr bool FitsInDocument(std::int64_t bytes) { return bytes <= kMaxDocumentBytes; }

// The whole content of the regular file at path (a local 8-bit path), byte for byte. nullopt
// when the path is missing, is not a regular file (folders, FIFOs and devices are refused
// without blocking), does not fit in a document, cannot be read completely, or finds no memory
// to be held in.
std::optional<std::string> ReadTextFile(const std::string& path);

// A file read from its start piece by piece, so that a large one never needs a second whole copy.
// It opens what ReadTextFile reads, and refuses what ReadTextFile refuses.
class TextFileReader {
public:
    explicit TextFileReader(const std::string& path);
    // The file's size when opened, -1 when it was refused.
    std::int64_t Size() const { return size_; }
    // The next size bytes; false when the file ends before them or cannot be read.
    bool Read(char* buffer, std::size_t size);
    // True when the file ends right after the bytes read.
    bool AtEnd();

private:
    FileDescriptor file_;
    std::int64_t size_ = -1;
};

// Whether a save may go through links at its path.
enum class LinkPolicy {
    // The user's own files: a symbolic link keeps pointing at its saved target, and a file with
    // several hard links is overwritten in place so that every name sees the new text.
    Follow,
    // A scratch file of a fixed name: a symbolic link there is refused, never written through,
    // and a file with other hard links is replaced by a new one of its own.
    NeverThrough,
};

// What a save did.
struct SaveResult {
    bool saved = false;
    bool existed = false;  // a file was at path before the save
    // Set only when a failed save could not put the earlier content back: the file may be
    // incomplete, and its earlier content is kept in this file.
    std::string backup;
};

// Saves text to the file at path; an existing file keeps its permissions. With noOverwrite, a
// readable regular file already at path is left alone and nothing saved. Any failure (missing
// folder, read-only file, full disk, file size limit, a target that is not a regular file) is
// no save.
// The file is replaced atomically, keeping the old one intact on failure, unless that cannot
// work or would change the file's owner or group or cut its hard links: a folder the user may
// not write, a file owned by another user or in a group the user cannot give, a file with more
// than one link. Such a file is overwritten in place instead: its new size is reserved first,
// and its earlier content copied beside it (or into the user's state folder when its folder
// takes no new files) and put back if the write fails. While the write runs, a notice naming
// the file and the copy waits for the next start, in case the editor is killed.
SaveResult SaveTextFile(const std::string& path, const std::string& text, bool noOverwrite,
                        LinkPolicy links = LinkPolicy::Follow);

// SaveTextFile for callers that only need to know whether the text was saved.
bool WriteTextFile(const std::string& path, const std::string& text, bool noOverwrite);

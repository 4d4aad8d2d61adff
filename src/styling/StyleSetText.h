// The line and field rules of the style set file, shared by the editor's and the dialog's readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace styleset {

// The file's lines with every blank removed. A line ends at CR LF or at a lone CR; a lone LF
// stays in its line, and a last line without an end counts as a line.
std::vector<std::string> Lines(std::string_view fileBytes);

bool Contains(std::string_view line, std::string_view word);

// The entry the line's first character names: "(" and "[" the comment (27), "A".."Z" the
// letters; 0 for any other character or an empty line.
std::uint8_t EntryOfLine(std::string_view line);

// The style mode of the second character: its digit value, or 0 for anything else.
std::int32_t ModeOfLine(std::string_view line);

// The colour from the fourth character on: a leading decimal number (sign, digits, fraction)
// rounded half to even and held to the 32-bit range; 0 when no number starts there.
std::int32_t ColourOfLine(std::string_view line);

}  // namespace styleset

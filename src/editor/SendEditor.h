// The one path by which the editor talks to the editing component.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Sends a message with an integer lParam, passed unchanged.
std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam);

// Sends a message with a text lParam: the component receives a temporary NUL-terminated copy,
// so the empty text and a text of the single NUL both arrive as an empty string.
std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::string_view text);
// A std::string is already a NUL-terminated 8-bit text that the component only reads, so a whole
// document travels without a second copy.
std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, const std::string& text);
inline std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, const char* text)
{
    return SendEditor(msg, wParam, std::string_view(text));
}

// The direct sends (SCI_GETTEXT, SCI_GETLINE, SCI_SEARCHINTARGET, SCI_REPLACESEL, EM_LINEINDEX):
// the caller's own buffer, or an integer, travels unchanged.
std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, void* buffer);
std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, const void* buffer);
std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam);

// Moving whole documents between files and the component.
#pragma once

#include <cstdint>
#include <string>

#include "base/TextFile.h"

class EditorSession;

// Reads path into the component as the whole document, a piece at a time, so that the file is
// never held a second time beside the document. The previous text stays on failure, now
// without a path, also when the memory for the new text is not to be had; should the file
// fail to read, or the component run out, part-way through, the document is left empty.
// Failures are reported to the user. A long load shows its progress (EditorHooks).
bool LoadDocument(EditorSession& editor, const std::string& path);
// The most bytes a load holds besides the document.
inline constexpr std::int64_t kLoadPieceBytes = std::int64_t(8) << 20;
// Empties the document and CurrentFilePath; a new document is 8-bit text.
void ClearDocument(EditorSession& editor);
// A loaded program shows as UTF-8 when its bytes are UTF-8 (ShowsAsUtf8), else as 8-bit text.
bool IsUtf8Document(const EditorSession& editor);
// The text as it stands becomes the saved state, with no undo history behind it.
void MarkUnmodified(const EditorSession& editor);
// The caret to the start of the text, nothing selected.
void CaretToStart(const EditorSession& editor);
// Writes the whole text to path; false for an empty document or a failed write.
bool SaveDocument(const EditorSession& editor, const std::string& path, LinkPolicy links = LinkPolicy::Follow);
// Asks for a file name, then saves; the path written, or empty when cancelled or not written.
std::string SaveDocumentAs(EditorSession& editor);
// Asks for a file name, checks its attributes with the user, then loads it; true when loaded.
bool OpenDocument(EditorSession& editor);

inline constexpr const char* FileDialogFilter = "All Files (*.*)";

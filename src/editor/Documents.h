// Moving whole documents between files and the component.
#pragma once

#include <string>

// Reads path into the component as the whole document; the previous text stays on failure,
// now without a path. Failures are reported to the user.
bool LoadDocument(const std::string& path);
// Empties the document and CurrentFilePath.
void ClearDocument();
// The text as it stands becomes the saved state, with no undo history behind it.
void MarkUnmodified();
// The caret to the start of the text, nothing selected.
void CaretToStart();
// Writes the whole text to path; false for an empty document or a failed write.
bool SaveDocument(const std::string& path);
// Asks for a file name, then saves; the path written, or empty when cancelled or not written.
std::string SaveDocumentAs();
// The name last chosen in the Open or Save dialog; the Open dialog starts from it.
const std::string& LastDialogFileName();
void RememberDialogFileName(const std::string& name);

inline constexpr const char* FileDialogFilter = "All Files (*.*)";

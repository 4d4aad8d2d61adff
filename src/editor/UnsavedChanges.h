// The question before edited text is discarded.
#pragma once

class EditorSession;

// True when the caller may go on: the text is empty or unmodified, was saved (and its file is
// now CurrentFilePath), or the user chose not to save it. False when the user cancelled or the
// save did not happen.
bool ConfirmDiscardChanges(EditorSession& editor);

// The question before edited text is discarded.
#pragma once

class EditorSession;

// True when the caller may go on: the text is unmodified, was saved, or the user chose not to
// save it. False when the user cancelled or the save did not happen.
bool ConfirmDiscardChanges(EditorSession& editor);

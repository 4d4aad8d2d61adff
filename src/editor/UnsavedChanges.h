// The question before edited text is discarded, and the copy kept when nobody can be asked.
#pragma once

#include <string>

class EditorSession;

// True when the caller may go on: the text is empty or unmodified, was saved (and its file is
// now CurrentFilePath), or the user chose not to save it. False when the user cancelled or the
// save did not happen.
bool ConfirmDiscardChanges(EditorSession& editor);

// When the text has changed since it was last saved, writes it byte for byte to a new recovery
// file in the user's state folder and leaves a notice naming that file for the next start. The
// recovery file's path, or empty when nothing was unsaved or it could not be written. Nothing
// is asked and the document is left as it is.
std::string KeepUnsavedText(const EditorSession& editor);

// The desktop session is about to end: asks as on close when the session manager lets the
// editor talk to the user, and keeps the unsaved text otherwise. False when the user cancelled.
bool AllowSessionEnd(EditorSession& editor, bool mayAsk);

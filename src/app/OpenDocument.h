// The Open command's dialog, attribute checks and load.
#pragma once

class EditorSession;

// True when a file was chosen and loaded.
bool OpenDocument(EditorSession& editor);

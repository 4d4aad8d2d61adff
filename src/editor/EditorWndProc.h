// The editor window's procedure: routes the component's styling requests.
#pragma once

#include "component/KelpoApi.h"

class EditorSession;

// Installs EditorWndProc for the session's component; the replaced procedure goes to
// PrevEditorWndProc.
void HookEditorWindow(EditorSession& editor);
// Puts PrevEditorWndProc back.
void UnhookEditorWindow(EditorSession& editor);

// Receives every notification of the component (context is the EditorSession) and forwards it
// to PrevEditorWndProc.
void EditorWndProc(void* context, const KelpoNotification* notification);

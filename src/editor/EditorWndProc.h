// The editor window's procedure: routes the component's styling requests.
#pragma once

#include "component/KelpoApi.h"

class QWidget;

// Installs EditorWndProc for the editor window; the replaced procedure goes to PrevEditorWndProc.
void HookEditorWindow(QWidget* window);
// Puts PrevEditorWndProc back.
void UnhookEditorWindow(QWidget* window);

// Receives every notification of the component and forwards it to PrevEditorWndProc.
void EditorWndProc(void* window, const KelpoNotification* notification);

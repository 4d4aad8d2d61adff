// The editor window's shared values: the component handle and the window procedure's state.
#pragma once

#include <cstdint>

#include "component/KelpoApi.h"

// The procedure that was installed before EditorWndProc; notifications are forwarded to it.
struct WindowProcedure {
    KelpoCallback callback = nullptr;
    void* context = nullptr;
};

inline std::int32_t EditorHandle = 0;  // below 32 after creation: no component exists
inline WindowProcedure PrevEditorWndProc;
inline bool InEditorWndProc = false;

// The C interface of the editing component module Kelpo.so, shared by the module and the editor.
#pragma once

#include <cstdint>

extern "C" {

// A notification of the component, as the editor's window procedure receives it.
struct KelpoNotification {
    std::intptr_t sender;   // handle of the component that sent it
    std::intptr_t id;       // child identifier (always 0 here)
    std::int32_t code;      // SCN_* code
    std::int32_t position;  // for SCN_STYLENEEDED: where styling must reach
};

using KelpoCallback = void (*)(void* context, const KelpoNotification* notification);

// Creates a component as a child of the QWidget `parent`; returns its handle (32 or more),
// or 0 when it cannot be created.
using KelpoCreateFn = std::intptr_t (*)(void* parent);

// Sends one message; texts and buffers travel as pointers in wParam / lParam.
using KelpoSendFn = std::intptr_t (*)(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam,
                                      std::intptr_t lParam);

// Registers the one callback of a component (nullptr removes it). The previous callback and its
// context are returned through the last two arguments when they are not null.
using KelpoSetCallbackFn = void (*)(std::intptr_t handle, KelpoCallback callback, void* context,
                                    KelpoCallback* previous, void** previousContext);
}

// Entry point names looked up in the module.
inline constexpr const char* KelpoCreateName = "KelpoCreate";
inline constexpr const char* KelpoSendName = "KelpoSend";
inline constexpr const char* KelpoSetCallbackName = "KelpoSetCallback";

// A component module whose every attempt to create a component fails (a handle below 32).
#include <cstdint>

#include "component/KelpoApi.h"

#define REFUSING_EXPORT extern "C" __attribute__((visibility("default")))

REFUSING_EXPORT std::intptr_t KelpoCreate(void*) { return 5; }
REFUSING_EXPORT std::intptr_t KelpoSend(std::intptr_t, std::uint32_t, std::uintptr_t, std::intptr_t) { return 0; }
REFUSING_EXPORT void KelpoSetCallback(std::intptr_t, KelpoCallback, void*, KelpoCallback*, void**) {}

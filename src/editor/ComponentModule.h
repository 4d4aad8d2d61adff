// Loads the editing component module and holds its entry points.
#pragma once

#include <string>

#include "component/KelpoApi.h"

struct ComponentModule {
    KelpoCreateFn Create = nullptr;
    KelpoSendFn Send = nullptr;
    KelpoSetCallbackFn SetCallback = nullptr;

    bool Usable() const { return Create && Send && SetCallback; }
};

// Loads the module file and resolves its entry points into module. A missing, truncated or
// foreign file leaves the entry points null. The module is never unloaded.
bool LoadComponentModule(ComponentModule& module, const std::string& path);

// The component module is loaded once and kept for the life of the process. The module's path is
// handed to the loader as bytes: a program folder's name need not be UTF-8, and QLibrary would
// take it as text.
#include "editor/ComponentModule.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include "editor/ModuleFileCheck.h"

bool LoadComponentModule(ComponentModule& module, const std::string& path)
{
    module = {};
    struct stat info {};
    // The loader would also search other folders for a name without a slash; only this file counts.
    if (path.find('/') == std::string::npos || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        !IsCompleteSharedObject(path))
        return false;
    // RTLD_NODELETE: never unloaded, even if every handle were closed.
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (library == nullptr)
        return false;
    module.Create = reinterpret_cast<KelpoCreateFn>(::dlsym(library, KelpoCreateName));
    module.Send = reinterpret_cast<KelpoSendFn>(::dlsym(library, KelpoSendName));
    module.SetCallback = reinterpret_cast<KelpoSetCallbackFn>(::dlsym(library, KelpoSetCallbackName));
    if (!module.Usable()) {
        module = {};
        return false;
    }
    return true;
}

// The component module is loaded once and kept for the life of the process.
#include "editor/ComponentModule.h"

#include <QFile>
#include <QFileInfo>
#include <QLibrary>

#include "editor/ModuleFileCheck.h"

bool LoadComponentModule(ComponentModule& module, const std::string& path)
{
    module = {};
    const QString fileName = QFile::decodeName(path.c_str());
    // QLibrary would also try other names; only the exact file counts.
    if (!QFileInfo(fileName).isFile() || !IsCompleteSharedObject(path))
        return false;
    QLibrary library(fileName);
    library.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library.load())
        return false;
    module.Create = reinterpret_cast<KelpoCreateFn>(library.resolve(KelpoCreateName));
    module.Send = reinterpret_cast<KelpoSendFn>(library.resolve(KelpoSendName));
    module.SetCallback = reinterpret_cast<KelpoSetCallbackFn>(library.resolve(KelpoSetCallbackName));
    if (!module.Usable()) {
        module = {};
        return false;
    }
    return true;
}

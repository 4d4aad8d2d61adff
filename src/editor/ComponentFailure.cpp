// The component failure path. The process ends without unloading any window: nothing of the
// editor is usable.
#include "editor/ComponentFailure.h"

#include <QString>

#include <cstdlib>

#include "editor/EditorSession.h"

std::string ComponentFailurePrompt()
{
    const std::string paragraph = "\r\n\r\n";
    const std::string module = QString::fromLatin1(ComponentModuleFileName).toUpper().toStdString();
    return "Varnotek could not start because an important file '" + module + "' is missing or invalid" + paragraph +
           "The quickest way to recover the missing file is by re-installing the editor. You can download the "
           "latest version of the editor from the website at " +
           ProductWebAddress + " and re-install it" + paragraph + "Do you want to open the Talvane4.0 editor instead ?";
}

void ComponentFailurePath(const EditorSession& editor)
{
    editor.Dialogs().MessageBox({ComponentFailurePrompt(), MsgButtons::YesNo, MsgIcon::Critical,
                                 "Error " + std::to_string(editor.EditorHandle)});
    if (editor.Hooks.ComponentFailed)
        editor.Hooks.ComponentFailed();
    std::_Exit(EXIT_FAILURE);
}

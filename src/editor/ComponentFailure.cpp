// The component failure path. The process ends without unloading any window: nothing of the
// editor is usable.
#include "editor/ComponentFailure.h"

#include <QString>

#include <cstdlib>

#include "app/DialogService.h"
#include "app/Forms.h"
#include "app/MDIForm1.h"
#include "dnc/InterProc.h"
#include "editor/EditorState.h"

std::string ComponentFailurePrompt()
{
    const std::string paragraph = "\r\n\r\n";
    const std::string module = QString::fromLatin1(ComponentModuleFileName).toUpper().toStdString();
    return "Varnotek could not start because an important file '" + module + "' is missing or invalid" + paragraph +
           "The quickest way to recover the missing file is by re-installing the editor. You can download the "
           "latest version of the editor from the website at " +
           ProductWebAddress + " and re-install it" + paragraph +
           "Do you want to open the Talvane4.0 editor instead ?";
}

void ComponentFailurePath()
{
    Dialogs().MessageBox({ComponentFailurePrompt(), MsgButtons::YesNo, MsgIcon::Critical,
                          "Error " + std::to_string(EditorHandle)});
    InterProc& mb = Forms::Instance().Get<MDIForm1>().mb();
    mb.MessageText = "EDIT_FAILED";
    mb.TargetName = "Talvane";
    mb.Send();
    mb.Flush(1000);
    std::_Exit(EXIT_FAILURE);
}

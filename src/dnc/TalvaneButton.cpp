// The Talvane button's checks, in order; the first that fails ends the command. Nothing is cached:
// every press probes and looks for the files afresh.
#include "dnc/TalvaneButton.h"

#include "dnc/DncMessages.h"
#include "dnc/DncState.h"
#include "dnc/Form3.h"
#include "dnc/TalvaneProbe.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"

void TalvaneCommand(DncState& dnc, EditorSession& editor, const std::function<Form3&()>& selectMachine)
{
    DialogService& dialogs = editor.Dialogs();
    if (EditorCalls(editor).Length() == 0) {
        dialogs.MessageBox(EditorEmptyBox());
        return;
    }
    dnc.TalvaneVersion = GetTalvaneVersion();
    if (dnc.TalvaneVersion == 0) {
        dialogs.MessageBox(TalvaneInstalled(editor.App()) ? TalvaneNotRunningBox() : TalvaneNotInstalledBox());
        return;
    }
    // An older Talvane cannot take the request and needs no explanation.
    if (dnc.TalvaneVersion <= 40)
        return;
    if (!ProfileFileExists(editor.App())) {
        dialogs.MessageBox(NoMachineProfilesBox());
        return;
    }
    selectMachine().ShowForHandOff();
}

// Saving for the hand-off goes through the editor's own save routines, so dncfile.tmp is replaced
// atomically where that is safe and a failed write leaves nothing half-sent. Escape or the close
// box on "Save ?" is Cancel: nothing is written or sent.
#include "dnc/LoadFileToDnc.h"

#include <string>
#include <sys/stat.h>

#include "dnc/DncMessages.h"
#include "dnc/DncState.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "mb/InterProc.h"

namespace {

// The file Talvane is to load, or empty when none was written.
std::string WriteHandOffFile(EditorSession& editor)
{
    DialogService& dialogs = editor.Dialogs();
    switch (dialogs.MessageBox(SaveBeforeHandOffBox())) {
    case MsgAnswer::Yes: return SaveDocumentAs(editor);  // tells the user itself why it did not save
    case MsgAnswer::No: break;
    case MsgAnswer::OK:
    case MsgAnswer::Cancel: return {};
    }
    // A link at the fixed name could send the text over any file the user may write.
    const std::string path = editor.App().HandOffFile(HandOffFileName);
    if (SaveDocument(editor, path, LinkPolicy::NeverThrough))
        return path;
    // An empty text has nothing to hand over and nothing went wrong; a failed write has a reason.
    struct stat info {};
    if (EditorCalls(editor).Length() > 0)
        dialogs.MessageBox(::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) ? HandOffFileIsLinkBox(path)
                                                                                      : HandOffFileNotWrittenBox(path));
    return {};
}

}  // namespace

void LoadFileToDnc(DncState& dnc, EditorSession& editor, InterProc& mb)
{
    const std::string path = WriteHandOffFile(editor);
    if (path.empty())
        return;
    mb.TargetName = "Talvane";
    // Talvane numbers its machines from 1.
    if (dnc.MachineNumber < 1)
        dnc.MachineNumber = 1;
    mb.MessageValue = dnc.MachineNumber;
    mb.MessageText = path;
    mb.Send();
}

// The setup dialog's Save, Delete and Help, and the display settings' Save.
#include "highlight/SetupCommands.h"

#include "base/Text8.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "highlight/LoadStyleSet.h"
#include "highlight/Styling.h"

namespace {

std::string StyleSetToRead(const Styling& styling)
{
    return styling.Editor().App().SettingsFileToRead(std::string(kStyleSetFileName));
}

std::string StyleSetToWrite(const Styling& styling)
{
    return styling.Editor().App().SettingsFileToWrite(std::string(kStyleSetFileName));
}

void TellNotWritten(const Styling& styling, const std::string& what, const std::string& path)
{
    styling.Editor().Dialogs().MessageBox(
        {"Could not " + what + " '" + ShownPath(path) +
             "'\r\n\r\nThe folder may be read-only or the disk full. Nothing has been changed.",
         MsgButtons::OK, MsgIcon::Exclamation, "Can't save"});
}

// The style set was written but cannot be read back; the editor keeps the look it has.
bool Reload(Styling& styling)
{
    if (ReloadStyleSet(styling))
        return true;
    styling.Editor().Dialogs().MessageBox({"The style set was saved but could not be read again from '" +
                                               ShownPath(StyleSetToRead(styling)) +
                                               "'\r\n\r\nThe editor keeps the colours it shows.",
                                           MsgButtons::OK, MsgIcon::Exclamation, "Can't open"});
    return false;
}

void StyleFirstVisibleLine(Styling& styling) { styling.StyleLine(EditorCalls(styling.Editor()).FirstVisibleLine()); }

}  // namespace

StyleSetDialogData ReadStyleSetForDialog(Styling& styling)
{
    const StyleSetFileContent content = ReadStyleSetFile(StyleSetToRead(styling));
    if (content.state == StyleSetFileState::Absent)
        ApplyDefaultStyles(styling);
    return DialogDataFromStyleSet(content.bytes);
}

bool SaveStyleSet(Styling& styling, const StyleSetDialogData& data)
{
    const std::string path = StyleSetToWrite(styling);
    if (!WriteStyleSetFile(path, StyleSetTextFromDialog(data))) {
        TellNotWritten(styling, "save the style set to", path);
        return false;
    }
    if (!Reload(styling))
        return true;
    StyleFirstVisibleLine(styling);
    styling.StyleRestartRequested = true;
    styling.RestyleDocument();
    return true;
}

bool DeleteStyleSet(Styling& styling)
{
    const MsgAnswer answer = styling.Editor().Dialogs().MessageBox(
        {"This will delete the style completely\r\n\r\nIf you just want to disable the style temporarily then "
         "select 'No' and use the 'Disable' button instead\r\n\r\nDo you want to delete the style completely ?",
         MsgButtons::YesNo, MsgIcon::None, "Delete Style ?", MsgAnswer::No});
    // No, and a box closed without an answer, keep the style set.
    if (answer != MsgAnswer::Yes)
        return false;
    const std::string path = StyleSetToWrite(styling);
    if (!WriteStyleSetFile(path, kDeletedStyleSetText)) {
        TellNotWritten(styling, "delete the style set: nothing could be written to", path);
        return false;
    }
    Reload(styling);
    return true;
}

bool SaveDisplaySettings(Styling& styling, const DisplaySettings& chosen)
{
    const AppState& app = styling.Editor().App();
    if (!WriteDisplaySettingsFile(app, chosen)) {
        TellNotWritten(styling, "save the display settings to",
                       app.SettingsFileToWrite(std::string(kDisplaySettingsFileName)));
        return false;
    }
    const bool changed = chosen != DisplaySettings{styling.ColorOn, styling.BoldMode};
    styling.ColorOn = chosen.colorOn;
    styling.BoldMode = chosen.boldMode;
    if (changed)
        StyleFirstVisibleLine(styling);
    return true;
}

void ShowDisplayOptionsHelp(DialogService& dialogs)
{
    dialogs.MessageBox({"Syntax highlighting can make it much easier to view and edit your CNC programs.\r\n\r\n"
                        "These display options only affect the displaying/editing your CNC data in this editor. "
                        "When you save your CNC program it is saved in the standard ISO/ASCII format making it "
                        "compatible with almost every other editor or CNC/DNC software.",
                        MsgButtons::OK, MsgIcon::None, "Info"});
}

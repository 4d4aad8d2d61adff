// Prompts, buttons, icons and titles of the hand-off's boxes.
#include "dnc/DncMessages.h"

#include "base/Text8.h"

namespace {

MessageBoxRequest Notice(std::string prompt, std::string title)
{
    return {std::move(prompt), MsgButtons::OK, MsgIcon::None, std::move(title)};
}

}  // namespace

MessageBoxRequest EditorEmptyBox() { return Notice("Editor is empty", ""); }

MessageBoxRequest TalvaneNotRunningBox()
{
    return Notice("Talvane v4.1 'or higher' is not running - To DNC this file to your CNC you can save it to disk "
                  "and then open it again after starting your Talvane software",
                  "Editor");
}

MessageBoxRequest TalvaneNotInstalledBox()
{
    return Notice("Talvane is not installed - To DNC this file to your CNC you can save it to disk and then open it "
                  "again using your DNC software",
                  "Editor");
}

MessageBoxRequest NoMachineProfilesBox()
{
    return Notice("Talvane is running but the editor could not see any machine profiles so can not load this file "
                  "for DNC\r\n\r\n"
                  "If you have only just installed Talvane then you should switch to Talvane and create at least one "
                  "machine profile\r\n\r\n"
                  "If you have moved Talvane to a different program folder then you should also move the editor, "
                  "'varnotek' to the same folder",
                  "Can't find any machine profiles");
}

MessageBoxRequest SaveBeforeHandOffBox()
{
    return {"Do you want to save the file before loading it to the DNC software ?", MsgButtons::YesNo, MsgIcon::None,
            "Save ?"};
}

MessageBoxRequest HandOffFileNotWrittenBox(const std::string& path)
{
    return {"The file was not loaded to Talvane because it could not be written to '" + ShownPath(path) +
                "'\r\n\r\nCheck that the program folder exists, that you may write to it, and that the disk is "
                "not full",
            MsgButtons::OK, MsgIcon::Exclamation, "Can't save"};
}

MessageBoxRequest HandOffFileIsLinkBox(const std::string& path)
{
    return {"The file was not loaded to Talvane because '" + ShownPath(path) +
                "' is a link to another file, and the hand-off never writes through a link\r\n\r\nDelete the link "
                "so that the hand-off can make its own file there",
            MsgButtons::OK, MsgIcon::Exclamation, "Can't save"};
}

bool IsTalvaneRefusal(const std::string& reply) { return reply == "DNC_NO_MC" || reply == "DNC_BUSY"; }

MessageBoxRequest TalvaneRefusalBox(const std::string& reply)
{
    if (reply == "DNC_NO_MC")
        return Notice("The file could not be loaded to Talvane because Talvane does not have any machine "
                      "selected\r\n\r\nOpen the Talvane window and select a machine icon for DNC and then try to "
                      "load the file again",
                      "Talvane is not ready");
    return Notice("The file could not be loaded to Talvane because Talvane is busy", "Talvane is not ready");
}

// The message boxes of the hand-off to Talvane, word for word.
#pragma once

#include <string>

#include "base/DialogService.h"

MessageBoxRequest EditorEmptyBox();
MessageBoxRequest TalvaneNotRunningBox();
MessageBoxRequest TalvaneNotInstalledBox();
MessageBoxRequest NoMachineProfilesBox();
// Asked before every hand-off: Yes saves through the Save dialog, No writes dncfile.tmp.
MessageBoxRequest SaveBeforeHandOffBox();
// The hand-off file could not be written, so Talvane was not asked to load it.
MessageBoxRequest HandOffFileNotWrittenBox(const std::string& path);
// The hand-off file's name holds a symbolic link, which the hand-off does not write through.
MessageBoxRequest HandOffFileIsLinkBox(const std::string& path);
// Talvane's refusal "DNC_NO_MC" or "DNC_BUSY"; any other reply has no box.
bool IsTalvaneRefusal(const std::string& reply);
MessageBoxRequest TalvaneRefusalBox(const std::string& reply);

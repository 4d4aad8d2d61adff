// What happens when the editing component cannot be created: tell the user, tell Talvane, end.
#pragma once

#include <string>

inline constexpr const char* ComponentModuleFileName = "Kelpo.so";
inline constexpr const char* ProductWebAddress = "https://www.varnotek.com";

// The prompt of the failure message box.
std::string ComponentFailurePrompt();

class EditorSession;

// Shows the message, lets the ComponentFailed hook tell Talvane, and ends the process at once.
[[noreturn]] void ComponentFailurePath(const EditorSession& editor);

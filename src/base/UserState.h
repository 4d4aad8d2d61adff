// The user's own state folder, and the notices one run leaves there for the next start.
#pragma once

#include <string>
#include <vector>

// $XDG_STATE_HOME/varnotek (default ~/.local/state/varnotek), created with mode 0700 when
// missing; empty when it cannot be made or is not the user's own private folder.
std::string UserStateFolder();

// Leaves text for the next start to show, written whole before this returns. The notice's
// path, or empty when it could not be written.
std::string LeaveNotice(const std::string& text);

// Takes back a notice of this run whose cause has gone (a save that completed).
void WithdrawNotice(const std::string& path);

// The notices of runs that are over, oldest first, each removed as it is taken, so that each
// is shown once. Notices of a process still running are left for later.
std::vector<std::string> TakeNotices();

// Talvane's replies: a refusal is kept and shown by the main window's Timer2, outside the event
// that delivered it.
#pragma once

#include <string>

class DialogService;
struct DncState;

// Keeps a refusal as PendingDncReply, replacing one not yet shown; true when it is to be shown.
// Any other reply ("DNC_OK", a word in lower case) is ignored.
bool KeepTalvaneReply(DncState& dnc, const std::string& reply);

// Timer2's tick: shows the pending refusal. A refusal that arrives while an earlier one's box is
// open is shown once that box is closed, never on top of it.
void ShowPendingTalvaneReply(DncState& dnc, DialogService& dialogs);

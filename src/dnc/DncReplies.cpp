// One refusal box at a time; the pending reply is taken before its box opens, so a reply that
// arrives meanwhile is kept for the next box instead of being wiped when this one closes.
#include "dnc/DncReplies.h"

#include <utility>

#include "base/DialogService.h"
#include "dnc/DncMessages.h"
#include "dnc/DncState.h"

bool KeepTalvaneReply(DncState& dnc, const std::string& reply)
{
    if (!IsTalvaneRefusal(reply))
        return false;
    dnc.PendingDncReply = reply;
    return true;
}

void ShowPendingTalvaneReply(DncState& dnc, DialogService& dialogs)
{
    if (dnc.ReplyBoxOpen)
        return;
    dnc.ReplyBoxOpen = true;
    while (!dnc.PendingDncReply.empty())
        dialogs.MessageBox(TalvaneRefusalBox(std::exchange(dnc.PendingDncReply, {})));
    dnc.ReplyBoxOpen = false;
}

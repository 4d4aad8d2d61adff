// The hand-off's state, one instance created at start-up: the Talvane found, the machine chosen and
// the reply waiting to be shown.
#pragma once

#include <cstdint>
#include <string>

struct DncState {
    std::uint8_t TalvaneVersion = 0;  // what the Talvane button's probe found last
    std::int16_t MachineNumber = 0;   // machine of the next load request
    std::string MachineName;          // kept with it, never sent
    std::string PendingDncReply;      // the refusal Timer2 is to show
    bool ReplyBoxOpen = false;        // a refusal's box is on screen
};

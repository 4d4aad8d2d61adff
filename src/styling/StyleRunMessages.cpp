// Turns painted words into SCI_STARTSTYLING and SCI_SETSTYLING messages.
#include "styling/StyleRunMessages.h"

void AppendLineStyleMessages(std::int32_t lineStart, std::string_view lineText, const StyleModeTable& modes,
                             std::vector<SciCall>& calls)
{
    ForEachLineStyleMessage(lineStart, lineText, modes, [&calls](const SciCall& call) { calls.push_back(call); });
}

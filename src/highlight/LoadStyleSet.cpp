// The style set is parsed whole before anything is applied, so a file that cannot be read
// changes nothing.
#include "highlight/LoadStyleSet.h"

#include "app/AppState.h"
#include "editor/SendEditor.h"
#include "highlight/Styling.h"

void ApplyStyleSet(const StyleSetApplication& styleSet)
{
    for (const SciCall& call : styleSet.messages)
        SendEditor(call.msg, call.wParam, call.lParam);
    StyleModes = ModesAfter(styleSet, StyleModes);
    StylingEnabled = StylingEnabledAfter(styleSet, StylingEnabled);
}

void ApplyDefaultStyles() { ApplyStyleSet(BuiltInStyleSet()); }

bool LoadStyleSet()
{
    const StyleSetFileContent content = ReadStyleSetFile(ProgramFile(std::string(kStyleSetFileName)));
    switch (content.state) {
    case StyleSetFileState::Absent: ApplyDefaultStyles(); return true;
    case StyleSetFileState::Read: ApplyStyleSet(ParseStyleSet(content.bytes)); return true;
    case StyleSetFileState::Failed: return false;
    }
    return false;
}

// The style set is parsed whole before anything is applied, so a file that cannot be read
// changes nothing.
#include "highlight/LoadStyleSet.h"

#include "editor/EditorSession.h"
#include "highlight/Styling.h"

void ApplyStyleSet(Styling& styling, const StyleSetApplication& styleSet)
{
    for (const SciCall& call : styleSet.messages)
        styling.Editor().SendEditor(call.msg, call.wParam, call.lParam);
    styling.StyleModes = ModesAfter(styleSet, styling.StyleModes);
    styling.StylingEnabled = StylingEnabledAfter(styleSet, styling.StylingEnabled);
}

void ApplyDefaultStyles(Styling& styling) { ApplyStyleSet(styling, BuiltInStyleSet()); }

bool LoadStyleSet(Styling& styling)
{
    const std::string path = styling.Editor().App().ProgramFile(std::string(kStyleSetFileName));
    const StyleSetFileContent content = ReadStyleSetFile(path);
    switch (content.state) {
    case StyleSetFileState::Absent: ApplyDefaultStyles(styling); return true;
    case StyleSetFileState::Read: ApplyStyleSet(styling, ParseStyleSet(content.bytes)); return true;
    case StyleSetFileState::Failed: return false;
    }
    return false;
}

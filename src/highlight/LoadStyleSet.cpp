// The style set is parsed whole before anything is applied, so a file that cannot be read
// changes nothing.
#include "highlight/LoadStyleSet.h"

#include "editor/EditorCalls.h"
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

namespace {

bool ApplyStyleSetFile(Styling& styling, bool clearFirst)
{
    const std::string path = styling.Editor().App().SettingsFileToRead(std::string(kStyleSetFileName));
    const StyleSetFileContent content = ReadStyleSetFile(path);
    if (content.state == StyleSetFileState::Failed)
        return false;
    if (clearFirst)
        EditorCalls(styling.Editor()).StyleClearAll();
    if (content.state == StyleSetFileState::Absent)
        ApplyDefaultStyles(styling);
    else
        ApplyStyleSet(styling, ParseStyleSet(content.bytes));
    return true;
}

}  // namespace

bool LoadStyleSet(Styling& styling) { return ApplyStyleSetFile(styling, false); }

bool ReloadStyleSet(Styling& styling) { return ApplyStyleSetFile(styling, true); }

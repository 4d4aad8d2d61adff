// Line styling through the component: one line's text fetched once, its runs sent as the
// scanner gives them. Lines of any length are styled in full.
#include "highlight/Styling.h"

#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"
#include "styling/StyleRunMessages.h"

void Styling::ReadLineInto(std::int32_t line, std::string& text) const
{
    const EditorCalls calls(editor_);
    const std::int32_t length = calls.LineLength(line);
    text.resize(std::size_t(std::max(length, 0)));
    if (length > 0)
        calls.GetLine(line, text.data());
}

std::string Styling::GetLineText(std::int32_t line) const
{
    std::string text;
    ReadLineInto(line, text);
    return text;
}

std::int32_t Styling::GetLineStart(std::int32_t line) const { return EditorCalls(editor_).LineIndex(line); }

void Styling::SetStyleRun(std::int32_t position, std::int32_t length, std::uint8_t entry, std::int32_t mode) const
{
    for (const SciCall& call : StyleRunMessages(position, length, entry, mode))
        editor_.SendEditor(call.msg, call.wParam, call.lParam);
}

bool Styling::StyleLine(std::int32_t line)
{
    if (!StylingEnabled)
        return false;
    const std::int32_t start = GetLineStart(line);
    if (start < 0)
        return false;
    ReadLineInto(line, lineBuffer_);
    ForEachLineStyleMessage(start, lineBuffer_, StyleModes,
                            [this](const SciCall& call) { editor_.SendEditor(call.msg, call.wParam, call.lParam); });
    return true;
}

void Styling::StyleLines(std::int32_t firstLine, std::int32_t lastLine)
{
    if (!StylingEnabled)
        return;
    for (std::int32_t line = firstLine; line <= lastLine; ++line)
        StyleLine(line);
}

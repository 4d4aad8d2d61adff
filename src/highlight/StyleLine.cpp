// Line styling through the component: one line's text fetched once, its runs sent as the
// scanner gives them. Lines of any length are styled in full.
#include "highlight/Styling.h"

#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "highlight/StyleRunMessages.h"

namespace {

void Send(const SciCall& call) { SendEditor(call.msg, call.wParam, call.lParam); }

// Reused between lines, so that styling a document allocates only for its longest line.
std::string& LineBuffer()
{
    static std::string buffer;
    return buffer;
}

void ReadLineInto(std::int32_t line, std::string& text)
{
    const std::int32_t length = SendEditor(sci::SCI_LINELENGTH, line, 0);
    text.resize(std::size_t(std::max(length, 0)));
    if (length > 0)
        SendEditorDirect(sci::SCI_GETLINE, line, text.data());
}

}  // namespace

std::string GetLineText(std::int32_t line)
{
    std::string text;
    ReadLineInto(line, text);
    return text;
}

std::int32_t GetLineStart(std::int32_t line) { return SendEditorDirect(sci::EM_LINEINDEX, line, 0); }

void SetStyleRun(std::int32_t position, std::int32_t length, std::uint8_t entry, std::int32_t mode)
{
    for (const SciCall& call : StyleRunMessages(position, length, entry, mode))
        Send(call);
}

bool StyleLine(std::int32_t line)
{
    if (!StylingEnabled)
        return false;
    const std::int32_t start = GetLineStart(line);
    if (start < 0)
        return false;
    std::string& text = LineBuffer();
    ReadLineInto(line, text);
    ForEachLineStyleMessage(start, text, StyleModes, Send);
    return true;
}

void StyleLines(std::int32_t firstLine, std::int32_t lastLine)
{
    if (!StylingEnabled)
        return;
    for (std::int32_t line = firstLine; line <= lastLine; ++line)
        StyleLine(line);
}

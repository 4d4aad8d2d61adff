// The message sequences the search primitives send, for comparing with what was recorded.
#pragma once

#include <QStringList>

#include "EditorFixture.h"

using Messages = std::vector<SentMessage>;

inline Messages operator+(Messages a, const Messages& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// FindString down: from the selection end to the document length.
inline Messages Down(std::int32_t flags, std::int32_t from, std::int32_t length, const std::string& text)
{
    using namespace sci;
    return {Msg(SCI_SETSEARCHFLAGS, flags), Msg(SCI_GETSELECTIONEND), Msg(SCI_GETLENGTH), Msg(SCI_SETTARGETSTART, from),
            Msg(SCI_SETTARGETEND, length), TextMsg(SCI_SEARCHINTARGET, std::intptr_t(text.size()), text)};
}

// FindString up: from the selection start back to 0.
inline Messages Up(std::int32_t flags, std::int32_t from, const std::string& text)
{
    using namespace sci;
    return {Msg(SCI_SETSEARCHFLAGS, flags), Msg(SCI_GETSELECTIONSTART), Msg(SCI_SETTARGETSTART, from),
            Msg(SCI_SETTARGETEND, 0), TextMsg(SCI_SEARCHINTARGET, std::intptr_t(text.size()), text)};
}

// The wrapped second search.
inline Messages Range(std::int32_t start, std::int32_t end, const std::string& text)
{
    using namespace sci;
    return {Msg(SCI_SETTARGETSTART, start), Msg(SCI_SETTARGETEND, end),
            TextMsg(SCI_SEARCHINTARGET, std::intptr_t(text.size()), text)};
}

// A found match becoming the selection.
inline Messages Selects(std::int32_t start, std::int32_t end)
{
    using namespace sci;
    return {Msg(SCI_GETTARGETSTART), Msg(SCI_GETTARGETEND), Msg(SCI_SETSEL, start, end)};
}

// One step of the replace-all loop, before its next search.
inline Messages Replaces(const std::string& replacement)
{
    using namespace sci;
    return {Msg(SCI_GETSELECTIONSTART), TextMsg(SCI_REPLACESEL, 0, replacement)};
}

// Readable on failure: number(wParam,lParam text) for each message.
inline QString Show(const Messages& messages)
{
    QStringList out;
    for (const SentMessage& m : messages)
        out << QStringLiteral("%1(%2,%3%4)").arg(m.msg).arg(m.wParam).arg(m.lParam).arg(QString::fromStdString(m.text));
    return out.join(' ');
}

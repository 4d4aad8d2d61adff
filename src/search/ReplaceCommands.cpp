// The dialog's sequences over the primitives, and its four message boxes, all titled "Replace".
#include "search/ReplaceCommands.h"

#include "app/DialogService.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "search/SearchPrimitives.h"

using namespace sci;

namespace {

const std::string Title = "Replace";

void ShowNotFound(const std::string& text)
{
    Dialogs().MessageBox({"Cannot find string \"" + text + "\"", MsgButtons::OK, MsgIcon::Information, Title});
}

std::int32_t Find(const SearchRequest& r)
{
    return FindString(r.text, r.up, r.wrap, r.matchCase, r.wholeWord, r.regExp);
}

std::int32_t ReplaceAll(const SearchRequest& r, bool up)
{
    return ReplaceAllInDirection(r.text, r.replacement, up, r.matchCase, r.wholeWord, r.regExp);
}

}  // namespace

bool CheckReplaceInput(const SearchRequest& request)
{
    if (request.text.empty() && request.replacement.empty())
        return false;
    if (request.text == request.replacement) {
        Dialogs().MessageBox({"Find is the same as Replace - Nothing was done", MsgButtons::OK, MsgIcon::Information, Title});
        return false;
    }
    if (request.replacement.empty()) {
        Dialogs().MessageBox({"Replace text is Empty\r\n\r\nYou can't use Search and replace to delete text.",
                              MsgButtons::OKCancel, MsgIcon::None, Title});
        return false;
    }
    return true;
}

bool FindCommand(const SearchRequest& request)
{
    if (request.text.empty())
        return false;
    if (Find(request) == -1)
        ShowNotFound(request.text);
    return true;
}

bool ReplaceCommand(const SearchRequest& request)
{
    if (!CheckReplaceInput(request))
        return false;
    const bool replacing = GetSelLength() > 0;
    if (replacing) {
        const std::int32_t p = GetSelStart();
        ReplaceSelection(request.replacement);
        // The inserted text becomes the selection, caret at its end, and the search goes on from it.
        SendEditor(SCI_SETSELECTIONSTART, p, 0);
    }
    if (Find(request) == -1)
        ShowNotFound(request.text);
    return replacing;
}

bool ReplaceAllCommand(const SearchRequest& request)
{
    if (!CheckReplaceInput(request))
        return false;
    const std::int32_t caret = SendEditor(SCI_GETCURRENTPOS, 0, 0);
    const std::int32_t firstVisible = SendEditor(SCI_GETFIRSTVISIBLELINE, 0, 0);
    const std::int32_t line = SendEditor(SCI_LINEFROMPOSITION, caret, 0);
    SendEditor(SCI_GOTOLINE, line, 0);
    const std::int32_t down = request.wrap || !request.up ? ReplaceAll(request, false) : 0;
    std::int32_t up = 0;
    if (request.wrap || request.up) {
        SendEditor(SCI_GOTOLINE, line, 0);
        up = ReplaceAll(request, true);
        SendEditor(SCI_GOTOLINE, SendEditor(SCI_GETLINECOUNT, 0, 0), 0);
    }
    // Back to the view as it was, the caret at the start of its line.
    SendEditor(SCI_GOTOLINE, firstVisible, 0);
    SendEditor(SCI_GOTOLINE, line, 0);
    const std::int32_t total = down + up;
    if (total < 1)
        ShowNotFound(request.text);
    else
        Dialogs().MessageBox({"The specified region has been searched. " + std::to_string(total) + " replacements were made.",
                              MsgButtons::OK, MsgIcon::Information, Title});
    return true;
}

// Load, clear and save. The save point marks the text as it is on disk, so the editor can ask
// before unsaved text is discarded.
#include "editor/Documents.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>
#include <malloc.h>
#include <sys/stat.h>

#include "base/Text8.h"
#include "base/TextFile.h"
#include "component/SciMessages.h"
#include "editor/EditorCalls.h"
#include "editor/EditorSession.h"

namespace {

// Why a file could not be read, as the user is told.
const char* ReadFailure(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return "Could not open the file - It may not exist - or you may not have permission to access the file or "
               "folder";
    if (S_ISREG(info.st_mode) && !FitsInDocument(info.st_size))
        return "Could not open the file - It is too large: a part program must be smaller than 2 GiB";
    return "Could not open the file - You may not have permission to access the file or folder";
}

constexpr const char* NoMemory = "Could not open the file - There is not enough memory to hold it";

void TellNotOpened(const EditorSession& editor, const char* reason)
{
    editor.Dialogs().MessageBox({reason, MsgButtons::OK, MsgIcon::None, "Can't open"});
}

// The whole file, or nothing after telling the user why.
std::optional<std::string> ReadDocumentFile(const EditorSession& editor, const std::string& path)
{
    bool outOfMemory = false;
    std::optional<std::string> text = ReadTextFile(path, &outOfMemory);
    if (!text)
        TellNotOpened(editor, outOfMemory ? NoMemory : ReadFailure(path));
    return text;
}

// Asks the component for the room size bytes need before the document it holds is let go, so
// that a text too large for the memory left never replaces it. A failed message is answered
// in the component's status.
//
// The room includes some for editing: the component grows a full buffer by a sixth of the
// document at a time, so without it the first key typed into a large program copied the whole
// program (text and styles) into new buffers a sixth larger, freezing the window for
// seconds where memory is short.
bool ComponentHasRoom(const EditorSession& editor, std::size_t size)
{
    constexpr std::size_t kEditingRoom = 1 << 20;
    const std::size_t room = std::min<std::size_t>(size + kEditingRoom, INT32_MAX);
    const EditorCalls calls(editor);
    calls.SetStatus(sci::SC_STATUS_OK);
    calls.Allocate(std::int32_t(room));
    return calls.Status() == sci::SC_STATUS_OK;
}

// Puts text in as the whole document. False, with the document emptied, when the component
// could not take all of it.
bool ReplaceText(EditorSession& editor, const std::string& text)
{
    // Without undo collection neither the old text nor the new one is copied into the history,
    // which is emptied right after anyway.
    const EditorCalls calls(editor);
    calls.SetUndoCollection(false);
    ClearDocument(editor);
    calls.SetCodePage(ShowsAsUtf8(text) ? sci::SC_CP_UTF8 : 0);
    calls.AddText(text);
    const bool whole = calls.Status() == sci::SC_STATUS_OK;
    if (!whole)
        ClearDocument(editor);
    // The text came in with the caret at its end. Moving the caret's end of a selection to
    // the start (as putting the caret at the start does, one end at a time) would select the
    // whole program for a moment, and on X11 every selection is copied to the primary
    // selection: three times the program's size, and the whole program pasted by a middle
    // click elsewhere. An empty selection at the start first avoids both.
    calls.GotoPos(0);
    calls.SetUndoCollection(true);
    MarkUnmodified(editor);
    return whole;
}

}  // namespace

void MarkUnmodified(const EditorSession& editor)
{
    const EditorCalls calls(editor);
    calls.EmptyUndoBuffer();
    calls.SetSavePoint();
}

void CaretToStart(const EditorSession& editor)
{
    const EditorCalls calls(editor);
    calls.SetSelectionStart(0);
    calls.SetSelectionEnd(0);
}

bool LoadDocument(EditorSession& editor, const std::string& path)
{
    bool loaded = false;
    {
        BusyPointer busy(editor.Dialogs());
        const std::optional<std::string> text = ReadDocumentFile(editor, path);
        loaded = text && ComponentHasRoom(editor, text->size()) && ReplaceText(editor, *text);
        if (text && !loaded)
            TellNotOpened(editor, NoMemory);
    }
    // The file's bytes and the old document are freed; give the memory back to the system.
    ::malloc_trim(0);
    QCoreApplication::processEvents();
    editor.SetCurrentFilePath(loaded ? path : std::string());
    return loaded;
}

void ClearDocument(EditorSession& editor)
{
    const EditorCalls calls(editor);
    calls.SetText({});
    calls.SetCodePage(0);
    editor.SetCurrentFilePath({});
}

bool IsUtf8Document(const EditorSession& editor) { return EditorCalls(editor).CodePage() == sci::SC_CP_UTF8; }

// Load, clear and save. The save point marks the text as it is on disk, so the editor can ask
// before unsaved text is discarded.
#include "editor/Documents.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdint>
#include <malloc.h>
#include <new>
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
constexpr const char* CutShort =
    "Could not open the file - It could not be read to its end, and the document is now empty";

void TellNotOpened(const EditorSession& editor, const char* reason)
{
    editor.Dialogs().MessageBox({reason, MsgButtons::OK, MsgIcon::None, "Can't open"});
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

// The buffer one piece of a file of size bytes is read into, taken before the document is let go.
bool ReservePiece(std::string& piece, std::int64_t size)
{
    try {
        piece.resize(std::size_t(std::min<std::int64_t>(size, kLoadPieceBytes)));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// Once a load has run for the hooks' delay, shows how far it is after each piece and lets the
// window repaint; no user input is taken meanwhile, so nothing changes the document half loaded.
class LoadProgress {
public:
    LoadProgress(const EditorSession& editor, std::int64_t size) : hooks_(editor.Hooks), size_(size) { clock_.start(); }
    ~LoadProgress()
    {
        if (shown_ >= 0 && hooks_.ShowProgress)
            hooks_.ShowProgress({});
    }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;

    void Reached(std::int64_t bytes)
    {
        if (clock_.elapsed() < hooks_.ProgressDelayMs)
            return;
        const auto percent = std::int32_t(bytes * 100 / size_);
        if (percent != shown_ && hooks_.ShowProgress)
            hooks_.ShowProgress("Loading " + std::to_string(percent) + "%");
        shown_ = percent;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    const EditorHooks& hooks_;
    const std::int64_t size_;
    QElapsedTimer clock_;
    std::int32_t shown_ = -1;
};

enum class Filled { Whole, NoMemory, CutShort };

// Adds the file to the document piece by piece; the code page follows the bytes of all of them.
Filled FillDocument(const EditorSession& editor, TextFileReader& file, std::string& piece)
{
    const EditorCalls calls(editor);
    LoadProgress progress(editor, file.Size());
    Utf8Check utf8;
    for (std::int64_t done = 0; done < file.Size(); done += std::int64_t(piece.size())) {
        piece.resize(std::size_t(std::min<std::int64_t>(file.Size() - done, kLoadPieceBytes)));
        if (!file.Read(piece.data(), piece.size()))
            return Filled::CutShort;
        calls.AddText(piece);
        if (calls.Status() != sci::SC_STATUS_OK)
            return Filled::NoMemory;
        utf8.Add(piece);
        // Part of a file is no unsaved text: the file holds it all. Closed in the middle of a
        // load, the editor asks nothing and keeps no recovery copy.
        calls.SetSavePoint();
        progress.Reached(done + std::int64_t(piece.size()));
        // Closed while the window repainted: the rest would be read for nobody.
        if (editor.App().AppClosing)
            return Filled::CutShort;
    }
    if (!file.AtEnd())
        return Filled::CutShort;
    calls.SetCodePage(utf8.ShowsAsUtf8() ? sci::SC_CP_UTF8 : 0);
    return Filled::Whole;
}

// Puts the file in as the whole document, or leaves the document empty.
Filled ReplaceText(EditorSession& editor, TextFileReader& file, std::string& piece)
{
    // Without undo collection neither the old text nor the new one is copied into the history,
    // which is emptied right after anyway.
    const EditorCalls calls(editor);
    calls.SetUndoCollection(false);
    ClearDocument(editor);
    const Filled filled = FillDocument(editor, file, piece);
    if (filled != Filled::Whole)
        ClearDocument(editor);
    // The text came in with the caret at its end. Moving the caret's end of a selection to
    // the start (as putting the caret at the start does, one end at a time) would select the
    // whole program for a moment, and on X11 every selection is copied to the primary
    // selection: three times the program's size, and the whole program pasted by a middle
    // click elsewhere. An empty selection at the start first avoids both.
    calls.GotoPos(0);
    calls.SetUndoCollection(true);
    MarkUnmodified(editor);
    return filled;
}

// Why the file is not the document now, or nullptr when it is.
const char* LoadFailure(EditorSession& editor, const std::string& path)
{
    TextFileReader file(path);
    if (file.Size() < 0)
        return ReadFailure(path);
    std::string piece;
    if (!ComponentHasRoom(editor, std::size_t(file.Size())) || !ReservePiece(piece, file.Size()))
        return NoMemory;
    switch (ReplaceText(editor, file, piece)) {
    case Filled::Whole:
        return nullptr;
    case Filled::NoMemory:
        return NoMemory;
    case Filled::CutShort:
        break;
    }
    return CutShort;
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
        const char* failure = LoadFailure(editor, path);
        // A load left off because the editor is closing has nobody to tell.
        if (failure && !editor.App().AppClosing)
            TellNotOpened(editor, failure);
        loaded = failure == nullptr;
    }
    // The old document is freed; give the memory back to the system.
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

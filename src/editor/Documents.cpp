// Load, clear and save. The save point marks the text as it is on disk, so the editor can ask
// before unsaved text is discarded.
#include "editor/Documents.h"

#include <QCoreApplication>

#include <malloc.h>
#include <sys/stat.h>

#include "base/TextFile.h"
#include "editor/EditorSession.h"
#include "editor/SciMessages.h"

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

// The whole file, or nothing after telling the user why.
std::optional<std::string> ReadDocumentFile(const EditorSession& editor, const std::string& path)
{
    std::optional<std::string> text = ReadTextFile(path);
    if (!text)
        editor.Dialogs().MessageBox({ReadFailure(path), MsgButtons::OK, MsgIcon::None, "Can't open"});
    return text;
}

}  // namespace

void MarkUnmodified(const EditorSession& editor)
{
    editor.SendEditor(sci::SCI_EMPTYUNDOBUFFER, 0, 0);
    editor.SendEditor(sci::SCI_SETSAVEPOINT, 0, 0);
}

void CaretToStart(const EditorSession& editor)
{
    editor.SendEditor(sci::SCI_SETSELECTIONSTART, 0, 0);
    editor.SendEditor(sci::SCI_SETSELECTIONEND, 0, 0);
}

bool LoadDocument(EditorSession& editor, const std::string& path)
{
    {
        BusyPointer busy(editor.Dialogs());
        std::optional<std::string> text = ReadDocumentFile(editor, path);
        if (!text) {
            editor.SetCurrentFilePath({});
            return false;
        }
        // Without undo collection neither the old text nor the new one is copied into the history,
        // which is emptied right after anyway.
        editor.SendEditor(sci::SCI_SETUNDOCOLLECTION, 0, 0);
        ClearDocument(editor);
        editor.SendEditor(sci::SCI_ADDTEXT, std::int32_t(text->size()), *text);
        // The text came in with the caret at its end. Moving the caret's end of a selection to
        // the start (as putting the caret at the start does, one end at a time) would select the
        // whole program for a moment, and on X11 every selection is copied to the primary
        // selection: three times the program's size, and the whole program pasted by a middle
        // click elsewhere. An empty selection at the start first avoids both.
        editor.SendEditor(sci::SCI_GOTOPOS, 0, 0);
        editor.SendEditor(sci::SCI_SETUNDOCOLLECTION, 1, 0);
        MarkUnmodified(editor);
    }
    // The file's bytes and the old document are freed; give the memory back to the system.
    ::malloc_trim(0);
    QCoreApplication::processEvents();
    editor.SetCurrentFilePath(path);
    return true;
}

void ClearDocument(EditorSession& editor)
{
    editor.SendEditor(sci::SCI_SETTEXT, 0, std::string_view());
    editor.SetCurrentFilePath({});
}

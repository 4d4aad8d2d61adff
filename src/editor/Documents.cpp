// Load, clear and save. The save point marks the text as it is on disk, so the editor can ask
// before unsaved text is discarded.
#include "editor/Documents.h"

#include <QCoreApplication>

#include <malloc.h>
#include <sys/stat.h>

#include "app/CurrentFilePath.h"
#include "app/DialogService.h"
#include "editor/SciMessages.h"
#include "editor/SendEditor.h"
#include "editor/TextFile.h"

namespace {

std::string lastDialogFileName;

bool CannotBeLookedAt(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) != 0 || info.st_size >= kMaxTextFileBytes;
}

// The whole file, or nothing after telling the user why.
std::optional<std::string> ReadDocumentFile(const std::string& path)
{
    const bool missing = CannotBeLookedAt(path);
    std::optional<std::string> text;
    if (!missing)
        text = ReadTextFile(path);
    if (text)
        return text;
    const char* prompt = missing ? "Could not open the file - It may not exist - or you may not have permission to "
                                   "access the file or folder"
                                 : "Could not open the file - You may not have permission to access the file or folder";
    Dialogs().MessageBox({prompt, MsgButtons::OK, MsgIcon::None, "Can't open"});
    return std::nullopt;
}

}  // namespace

void MarkUnmodified()
{
    SendEditor(sci::SCI_EMPTYUNDOBUFFER, 0, 0);
    SendEditor(sci::SCI_SETSAVEPOINT, 0, 0);
}

void CaretToStart()
{
    SendEditor(sci::SCI_SETSELECTIONSTART, 0, 0);
    SendEditor(sci::SCI_SETSELECTIONEND, 0, 0);
}

bool LoadDocument(const std::string& path)
{
    {
        BusyPointer busy;
        std::optional<std::string> text = ReadDocumentFile(path);
        if (!text) {
            SetCurrentFilePath({});
            return false;
        }
        // Without undo collection neither the old text nor the new one is copied into the history,
        // which is emptied right after anyway.
        SendEditor(sci::SCI_SETUNDOCOLLECTION, 0, 0);
        ClearDocument();
        SendEditor(sci::SCI_ADDTEXT, std::int32_t(text->size()), *text);
        SendEditor(sci::SCI_SETUNDOCOLLECTION, 1, 0);
        MarkUnmodified();
    }
    // The file's bytes and the old document are freed; give the memory back to the system.
    ::malloc_trim(0);
    QCoreApplication::processEvents();
    SetCurrentFilePath(path);
    return true;
}

void ClearDocument()
{
    SendEditor(sci::SCI_SETTEXT, 0, std::string_view());
    SetCurrentFilePath({});
}

bool SaveDocument(const std::string& path)
{
    const std::int32_t length = SendEditor(sci::SCI_GETLENGTH, 0, 0);
    if (length <= 0)
        return false;
    std::string text(std::size_t(length) + 1, '\0');
    SendEditorDirect(sci::SCI_GETTEXT, length + 1, text.data());
    text.resize(std::size_t(length));
    return WriteTextFile(path, text, false);
}

std::string SaveDocumentAs()
{
    const std::optional<std::string> name =
        Dialogs().SaveFileName({"Save", FileDialogFilter, CurrentFilePath()});
    if (!name || name->empty())
        return {};
    RememberDialogFileName(*name);
    if (!SaveDocument(*name))
        return {};
    SendEditor(sci::SCI_SETSAVEPOINT, 0, 0);
    return *name;
}

const std::string& LastDialogFileName() { return lastDialogFileName; }

void RememberDialogFileName(const std::string& name) { lastDialogFileName = name; }

// Messages to EditorHandle through the loaded component module, and the document's path.
#include "editor/EditorSession.h"

std::int32_t EditorSession::Send(std::uint32_t msg, std::int32_t wParam, std::intptr_t lParam) const
{
    if (!Module.Send)
        return 0;
    // The component's results are 32-bit positions and counts.
    return static_cast<std::int32_t>(Module.Send(EditorHandle, msg, static_cast<std::uintptr_t>(wParam), lParam));
}

std::int32_t EditorSession::SendEditor(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) const
{
    return Send(msg, wParam, lParam);
}

std::int32_t EditorSession::SendEditor(std::uint32_t msg, std::int32_t wParam, std::string_view text) const
{
    const std::string copy(text);
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(copy.c_str()));
}

std::int32_t EditorSession::SendEditor(std::uint32_t msg, std::int32_t wParam, const std::string& text) const
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(text.c_str()));
}

std::int32_t EditorSession::SendEditorDirect(std::uint32_t msg, std::int32_t wParam, void* buffer) const
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(buffer));
}

std::int32_t EditorSession::SendEditorDirect(std::uint32_t msg, std::int32_t wParam, const void* buffer) const
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(buffer));
}

std::int32_t EditorSession::SendEditorDirect(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam) const
{
    return Send(msg, wParam, lParam);
}

void EditorSession::SetCurrentFilePath(const std::string& path)
{
    if (path == currentFilePath_)
        return;
    currentFilePath_ = path;
    if (Hooks.FilePathChanged)
        Hooks.FilePathChanged(currentFilePath_);
}

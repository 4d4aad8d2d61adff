// Messages to EditorHandle through the loaded component module.
#include "editor/SendEditor.h"

#include <string>

#include "editor/ComponentModule.h"
#include "editor/EditorState.h"

namespace {

std::int32_t Send(std::uint32_t msg, std::int32_t wParam, std::intptr_t lParam)
{
    const ComponentModule& module = Component();
    if (!module.Send)
        return 0;
    // The component's results are 32-bit positions and counts.
    return static_cast<std::int32_t>(module.Send(EditorHandle, msg, static_cast<std::uintptr_t>(wParam), lParam));
}

}  // namespace

std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam)
{
    return Send(msg, wParam, lParam);
}

std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, std::string_view text)
{
    const std::string copy(text);
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(copy.c_str()));
}

std::int32_t SendEditor(std::uint32_t msg, std::int32_t wParam, const std::string& text)
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(text.c_str()));
}

std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, void* buffer)
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(buffer));
}

std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, const void* buffer)
{
    return Send(msg, wParam, reinterpret_cast<std::intptr_t>(buffer));
}

std::int32_t SendEditorDirect(std::uint32_t msg, std::int32_t wParam, std::int32_t lParam)
{
    return Send(msg, wParam, lParam);
}

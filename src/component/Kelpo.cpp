// The C entry points of Kelpo.so: create a component, send it messages, register its callback.
#include "KelpoAccessible.h"
#include "KelpoApi.h"
#include "KelpoComponent.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <type_traits>
#include <unordered_map>

#define KELPO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Handles are never reused, so a stale handle can never reach a newer component.
std::intptr_t nextHandle = 256;

std::unordered_map<std::intptr_t, QPointer<KelpoComponent>>& components()
{
    static std::unordered_map<std::intptr_t, QPointer<KelpoComponent>> registry;
    return registry;
}

KelpoComponent* componentOf(std::intptr_t handle)
{
    auto& registry = components();
    const auto found = registry.find(handle);
    if (found == registry.end()) {
        return nullptr;
    }
    if (found->second.isNull()) {  // destroyed with its parent
        registry.erase(found);
        return nullptr;
    }
    return found->second.data();
}

bool onWidgetThread()
{
    const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread();
}

}  // namespace

KELPO_EXPORT std::intptr_t KelpoCreate(void* parent)
{
    if (!parent || !onWidgetThread()) {
        return 0;
    }
    const std::intptr_t handle = nextHandle++;
    auto* component = new KelpoComponent(handle, static_cast<QWidget*>(parent));  // owned by parent
    // The window name by which the editor window finds and sizes its component.
    component->setObjectName(QStringLiteral("EditorDll"));
    component->setGeometry(0, 0, 1000, 1000);
    component->show();
    components().emplace(handle, component);
    installKelpoAccessibility();
    return handle;
}

KELPO_EXPORT std::intptr_t KelpoSend(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam,
                                     std::intptr_t lParam)
{
    KelpoComponent* component = componentOf(handle);
    return component ? component->send(msg, wParam, lParam) : 0;
}

KELPO_EXPORT void KelpoSetCallback(std::intptr_t handle, KelpoCallback callback, void* context,
                                   KelpoCallback* previous, void** previousContext)
{
    if (KelpoComponent* component = componentOf(handle)) {
        component->setCallback(callback, context, previous, previousContext);
        return;
    }
    if (previous) {
        *previous = nullptr;
    }
    if (previousContext) {
        *previousContext = nullptr;
    }
}

static_assert(std::is_same_v<decltype(&KelpoCreate), KelpoCreateFn>);
static_assert(std::is_same_v<decltype(&KelpoSend), KelpoSendFn>);
static_assert(std::is_same_v<decltype(&KelpoSetCallback), KelpoSetCallbackFn>);

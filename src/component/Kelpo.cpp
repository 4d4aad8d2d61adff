// The C entry points of Kelpo.so: create a component, send it messages, register its callback.
#include "KelpoAccessible.h"
#include "KelpoApi.h"
#include "KelpoComponent.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <new>
#include <type_traits>
#include <unordered_map>

#define KELPO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The module's one piece of state, as a window class keeps its windows: every component by its
// handle. Handles are never reused, so a stale handle can never reach a newer component.
class ComponentRegistry {
public:
    static ComponentRegistry& instance()
    {
        static ComponentRegistry registry;
        return registry;
    }

    std::intptr_t add(KelpoComponent* component)
    {
        const std::intptr_t handle = nextHandle_++;
        components_.emplace(handle, component);
        return handle;
    }
    std::intptr_t nextHandle() const { return nextHandle_; }

    KelpoComponent* find(std::intptr_t handle)
    {
        const auto found = components_.find(handle);
        if (found == components_.end()) {
            return nullptr;
        }
        if (found->second.isNull()) {  // destroyed with its parent
            components_.erase(found);
            return nullptr;
        }
        return found->second.data();
    }

private:
    std::intptr_t nextHandle_ = 256;
    std::unordered_map<std::intptr_t, QPointer<KelpoComponent>> components_;
};

bool onWidgetThread()
{
    const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    return app && QThread::currentThread() == app->thread();
}

}  // namespace

// No C++ exception may leave a C entry point: the editor is not C++ to the module, and one that
// escaped would end the process with the user's text. The failures come out as the entry
// point's failure value instead.
KELPO_EXPORT std::intptr_t KelpoCreate(void* parent)
try {
    if (!parent || !onWidgetThread()) {
        return 0;
    }
    ComponentRegistry& registry = ComponentRegistry::instance();
    auto* component = new KelpoComponent(registry.nextHandle(), static_cast<QWidget*>(parent));  // owned by parent
    // The window name by which the editor window finds and sizes its component.
    component->setObjectName(QStringLiteral("EditorDll"));
    component->setGeometry(0, 0, 1000, 1000);
    component->show();
    const std::intptr_t handle = registry.add(component);
    installKelpoAccessibility();
    return handle;
} catch (...) {
    return 0;
}

// A message that fails with an exception answers 0 and leaves the failure in the component's
// status (SCI_GETSTATUS), as Scintilla reports its failures on other platforms.
KELPO_EXPORT std::intptr_t KelpoSend(std::intptr_t handle, std::uint32_t msg, std::uintptr_t wParam,
                                     std::intptr_t lParam)
{
    KelpoComponent* component = nullptr;
    try {
        component = ComponentRegistry::instance().find(handle);
        return component ? component->send(msg, wParam, lParam) : 0;
    } catch (const std::bad_alloc&) {
        if (component)
            component->SendScintilla(QsciScintillaBase::SCI_SETSTATUS, QsciScintillaBase::SC_STATUS_BADALLOC);
    } catch (...) {
        if (component)
            component->SendScintilla(QsciScintillaBase::SCI_SETSTATUS, QsciScintillaBase::SC_STATUS_FAILURE);
    }
    return 0;
}

KELPO_EXPORT void KelpoSetCallback(std::intptr_t handle, KelpoCallback callback, void* context, KelpoCallback* previous,
                                   void** previousContext)
{
    if (KelpoComponent* component = ComponentRegistry::instance().find(handle)) {
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

// The light accessibility interface of the editing component and the factory that hands it out.
#include "KelpoAccessible.h"

#include "KelpoComponent.h"

namespace {

QAccessibleInterface* componentInterface(const QString& key, QObject* object)
{
    if (key != QLatin1String(KelpoComponent::staticMetaObject.className())) {
        return nullptr;
    }
    auto* component = qobject_cast<KelpoComponent*>(object);
    return component ? new KelpoAccessible(component) : nullptr;
}

}  // namespace

KelpoAccessible::KelpoAccessible(QWidget* component) : QAccessibleWidget(component, QAccessible::EditableText) {}

QAccessible::State KelpoAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    return state;
}

void installKelpoAccessibility()
{
    // The module is never unloaded while the application runs, so the factory stays valid.
    static const bool installed = [] {
        QAccessible::installFactory(componentInterface);
        return true;
    }();
    static_cast<void>(installed);
}

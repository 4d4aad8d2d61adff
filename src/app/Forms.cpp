// Window registry; a window that Qt destroyed with its parent simply counts as gone.
#include "app/Forms.h"

#include <algorithm>

const Forms::Entry& Forms::EntryOf(std::type_index type) const
{
    return *std::ranges::find(entries_, type, &Entry::type);  // every window type is registered at start
}

Forms::Entry& Forms::EntryOf(std::type_index type) { return *std::ranges::find(entries_, type, &Entry::type); }

FormWindow& Forms::GetForm(std::type_index type)
{
    Entry& entry = EntryOf(type);
    if (!entry.widget) {
        FormWindow* form = entry.factory();  // owned by the registry until unloaded
        form->unload_ = [this, type] { Unload(type); };
        entry.form = form;
        entry.widget = form->Widget();
    }
    return *entry.form;
}

void Forms::Unload(std::type_index type)
{
    Entry& entry = EntryOf(type);
    if (!entry.widget || !entry.form->IsLoaded())
        return;
    FormWindow* form = std::exchange(entry.form, nullptr);
    QPointer<QWidget> widget = std::exchange(entry.widget, nullptr);
    const QString name = form->FormName();
    form->Unload();
    Q_EMIT Unloaded(name);
    if (widget) {
        widget->hide();
        widget->deleteLater();
    }
}

void Forms::DestroyAll()
{
    for (Entry& entry : entries_) {
        QPointer<QWidget> widget = std::exchange(entry.widget, nullptr);
        entry.form = nullptr;
        delete widget.data();
    }
}

Forms::~Forms() { DestroyAll(); }

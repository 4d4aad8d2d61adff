// Window registry; a window that Qt destroyed with its parent simply counts as gone.
#include "app/Forms.h"

void Forms::SetFactory(FormId id, Factory factory) { factories_[std::size_t(id)] = std::move(factory); }

FormWindow& Forms::GetForm(FormId id)
{
    Slot& slot = slots_[std::size_t(id)];
    if (!slot.widget) {
        FormWindow* form = factories_[std::size_t(id)]();  // owned by the registry until unloaded
        form->unload_ = [this, id] { Unload(id); };
        slot = {form, form->Widget()};
    }
    return *slot.form;
}

bool Forms::Exists(FormId id) const { return !slots_[std::size_t(id)].widget.isNull(); }

bool Forms::IsLoaded(FormId id) const
{
    const Slot& slot = slots_[std::size_t(id)];
    return slot.widget && slot.form->IsLoaded();
}

void Forms::Unload(FormId id)
{
    Slot& slot = slots_[std::size_t(id)];
    if (!slot.widget || !slot.form->IsLoaded())
        return;
    FormWindow* form = slot.form;
    QPointer<QWidget> widget = slot.widget;
    slot = {};
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
    for (Slot& slot : slots_) {
        QPointer<QWidget> widget = slot.widget;
        slot = {};
        delete widget.data();
    }
}

Forms::~Forms() { DestroyAll(); }

// Window registry; a window that Qt destroyed with its parent simply counts as gone.
#include "app/Forms.h"

Forms& Forms::Instance()
{
    static Forms forms;
    return forms;
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

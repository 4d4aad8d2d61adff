// The seven windows of the application: each exists at most once, created on first reference.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "app/FormWindow.h"

enum class FormId { MDIForm1, frmEditor, Form1, Form2, Form3, frmInfo, frmReplace };

class Forms : public QObject {
    Q_OBJECT
public:
    static Forms& Instance();

    // The window of type T, created on first reference (T declares `static constexpr FormId Id`).
    template <class T>
    T& Get()
    {
        Slot& slot = slots_[std::size_t(T::Id)];
        if (!slot.widget) {
            auto* form = new T();  // owned by the registry until unloaded, or by its Qt parent
            slot = {form, form};
        }
        return static_cast<T&>(*slot.form);
    }

    bool Exists(FormId id) const;
    bool IsLoaded(FormId id) const;
    // Unloads a loaded window: its Unload runs, then it is destroyed. Does nothing otherwise.
    void Unload(FormId id);
    // Destroys every window, loaded or not, without running Unload (tests start afresh with it).
    void DestroyAll();

Q_SIGNALS:
    void Unloaded(const QString& name);

private:
    struct Slot {
        FormWindow* form = nullptr;
        QPointer<QWidget> widget;
    };
    std::array<Slot, 7> slots_{};
};

// The seven windows of the application: each exists at most once, created on first reference by
// the factory the application registered for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>

#include "windows/FormWindow.h"

class Forms : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<FormWindow*()>;

    void SetFactory(FormId id, Factory factory);

    // The window of type T, created on first reference (T declares `static constexpr FormId Id`).
    template <class T>
    T& Get()
    {
        return static_cast<T&>(GetForm(T::Id));
    }
    // The window of type T when it exists; never creates one.
    template <class T>
    T* Find() const
    {
        return Exists(T::Id) ? static_cast<T*>(slots_[std::size_t(T::Id)].form) : nullptr;
    }

    bool Exists(FormId id) const;
    bool IsLoaded(FormId id) const;
    // Unloads a loaded window: its Unload runs, then it is destroyed. Does nothing otherwise.
    void Unload(FormId id);
    // Destroys every window, loaded or not, without running Unload.
    void DestroyAll();
    ~Forms() override;

Q_SIGNALS:
    void Unloaded(const QString& name);

private:
    FormWindow& GetForm(FormId id);

    struct Slot {
        FormWindow* form = nullptr;
        QPointer<QWidget> widget;
    };
    std::array<Slot, 7> slots_{};
    std::array<Factory, 7> factories_{};
};

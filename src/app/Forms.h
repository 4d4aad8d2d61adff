// The seven windows of the application, registered by type: each exists at most once, created on
// first reference by the factory the application registered for it.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <typeindex>
#include <vector>

#include "windows/FormWindow.h"

class Forms : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<FormWindow*()>;

    // Registers how the window of type T is made; windows are destroyed in the order registered.
    template <class T>
    void SetFactory(Factory factory)
    {
        entries_.push_back({typeid(T), std::move(factory), nullptr, nullptr});
    }
    // The window of type T, created on first reference.
    template <class T>
    T& Get()
    {
        return static_cast<T&>(GetForm(typeid(T)));
    }
    // The window of type T when it exists; never creates one.
    template <class T>
    T* Find() const
    {
        return Exists<T>() ? static_cast<T*>(EntryOf(typeid(T)).form) : nullptr;
    }
    template <class T>
    bool Exists() const
    {
        return !EntryOf(typeid(T)).widget.isNull();
    }
    template <class T>
    bool IsLoaded() const
    {
        return Exists<T>() && EntryOf(typeid(T)).form->IsLoaded();
    }
    // Unloads a loaded window: its Unload runs, then it is destroyed. Does nothing otherwise.
    template <class T>
    void Unload()
    {
        Unload(typeid(T));
    }
    // Destroys every window, loaded or not, without running Unload.
    void DestroyAll();
    ~Forms() override;

Q_SIGNALS:
    void Unloaded(const QString& name);

private:
    struct Entry {
        std::type_index type;
        Factory factory;
        FormWindow* form = nullptr;
        QPointer<QWidget> widget;
    };

    const Entry& EntryOf(std::type_index type) const;
    Entry& EntryOf(std::type_index type);
    FormWindow& GetForm(std::type_index type);
    void Unload(std::type_index type);

    std::vector<Entry> entries_;
};

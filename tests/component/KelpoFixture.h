// Loads the real Kelpo.so and wraps one component under its own parent widget, for the tests.
#pragma once

#include "TestSciMessages.h"
#include "component/KelpoApi.h"
#include "editor/SciMessages.h"

#include <QLibrary>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>

struct KelpoEntryPoints {
    KelpoCreateFn create = nullptr;
    KelpoSendFn send = nullptr;
    KelpoSetCallbackFn setCallback = nullptr;

    bool complete() const { return create && send && setCallback; }
};

// The module's entry points, resolved once per test program.
inline const KelpoEntryPoints& kelpo()
{
    static const KelpoEntryPoints entry = [] {
        KelpoEntryPoints e;
        QLibrary library(QStringLiteral(VARNOTEK_PROGRAM_DIR "/Kelpo.so"));
        if (library.load()) {  // stays loaded: QLibrary's destructor does not unload
            e.create = reinterpret_cast<KelpoCreateFn>(library.resolve(KelpoCreateName));
            e.send = reinterpret_cast<KelpoSendFn>(library.resolve(KelpoSendName));
            e.setCallback = reinterpret_cast<KelpoSetCallbackFn>(library.resolve(KelpoSetCallbackName));
        }
        return e;
    }();
    return entry;
}

// A component created under a parent widget the test owns.
class Component {
public:
    Component() : parent_(std::make_unique<QWidget>())
    {
        parent_->resize(600, 400);
        handle_ = kelpo().create(parent_.get());
        if (QWidget* child = widget()) {
            child->resize(parent_->size());
        }
    }

    std::intptr_t handle() const { return handle_; }
    QWidget* parent() const { return parent_.get(); }
    void destroyParent() { parent_.reset(); }

    QWidget* widget() const
    {
        return parent_ ? parent_->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
    }

    std::intptr_t send(std::uint32_t msg, std::intptr_t wParam = 0, std::intptr_t lParam = 0) const
    {
        return kelpo().send(handle_, msg, static_cast<std::uintptr_t>(wParam), lParam);
    }

    std::intptr_t sendPointer(std::uint32_t msg, std::intptr_t wParam, const void* pointer) const
    {
        return send(msg, wParam, reinterpret_cast<std::intptr_t>(pointer));
    }

    // Replaces the document by these bytes, every byte kept.
    void load(const std::string& bytes) const
    {
        sendPointer(sci::SCI_SETTEXT, 0, "");
        sendPointer(sci::SCI_ADDTEXT, static_cast<std::intptr_t>(bytes.size()), bytes.data());
    }

    std::string text() const
    {
        const std::intptr_t length = send(sci::SCI_GETLENGTH);
        std::string buffer(static_cast<std::size_t>(length) + 1, '\xAA');
        sendPointer(sci::SCI_GETTEXT, length + 1, buffer.data());
        buffer.resize(static_cast<std::size_t>(length));
        return buffer;
    }

    int styleAt(std::intptr_t position) const { return static_cast<int>(send(sci::SCI_GETSTYLEAT, position) & 0xFF); }

private:
    std::unique_ptr<QWidget> parent_;
    std::intptr_t handle_ = 0;
};

// A CNC program of `lines` numbered lines, CR LF ended.
inline std::string cncLines(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        text += "N" + std::to_string(i * 10) + " G1 X" + std::to_string(i) + ".5 F800\r\n";
    }
    return text;
}

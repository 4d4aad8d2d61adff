// What every window of the application shares: loaded once on first show, unloaded by the
// registry that created it.
#pragma once

#include <QString>

#include <functional>

class QWidget;

class FormWindow {
public:
    explicit FormWindow(QString name) : name_(std::move(name)) {}
    virtual ~FormWindow() = default;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    const QString& FormName() const { return name_; }
    bool IsLoaded() const { return loaded_; }
    // Runs Load the first time only.
    void EnsureLoaded();
    // Loads the window if needed, then shows it modeless, restored if it was minimised, in front.
    void Show();
    // Asks the registry to unload this window (its Unload runs, then it is destroyed).
    void UnloadSelf();

    virtual QWidget* Widget() = 0;

protected:
    virtual void Load() {}
    // Runs when the registry unloads the window, before it is destroyed.
    virtual void Unload() {}

private:
    friend class Forms;
    QString name_;
    bool loaded_ = false;
    std::function<void()> unload_;  // set by the registry
};

// Puts a window, at its present size, in the middle of the primary screen's free area.
void CentreOnScreen(QWidget& window);

// A light accessibility interface for the editing component, in place of QScintilla's text one.
#pragma once

#include <QAccessibleWidget>

// Announces the component as an editable multi-line text, without the text interface whose
// offsets QScintilla recomputes from the document start after every change.
class KelpoAccessible : public QAccessibleWidget {
public:
    explicit KelpoAccessible(QWidget* component);

    QAccessible::State state() const override;
};

// Makes every component get a KelpoAccessible. Installed once, after the first component
// exists: QScintilla installs its own factory then, and later factories are consulted first.
void installKelpoAccessibility();

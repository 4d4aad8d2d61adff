// The information dialog opened from the About box.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

#include "windows/FormWindow.h"

class QPushButton;
class QTextEdit;

class frmInfo : public QWidget, public FormWindow {
    Q_OBJECT
public:
    // unloadAboutBox closes Form2, which OK closes along with this dialog.
    explicit frmInfo(std::function<void()> unloadAboutBox);

    QWidget* Widget() override { return this; }
    // Replaces the whole text of rtInfo; paragraphs are separated by CR LF CR LF.
    // The text is shown broken at spaces only, so that no web address or path is split.
    void SetInfoText(const std::string& text);
    // The text as given, without the line breaks placed for showing it.
    QString InfoText() const;

    void Command2_Click();

private:
    std::function<void()> unloadAboutBox_;
    QTextEdit* rtInfo_ = nullptr;
    QString text_;
};

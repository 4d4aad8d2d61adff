// Building blocks of the setup dialog's layout, shared by the panels and their covers.
#pragma once

#include <QGroupBox>

#include <array>

class QRadioButton;
class SetupBox;

// A frame with its caption in bold.
QGroupBox* PlaceFrame(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height);

// Marks a control as member index of the array its name stands for.
template <class Control>
Control* Indexed(Control* control, int index)
{
    control->setProperty("Index", index);
    return control;
}

// The box of entry 1..27 at its place in the letter grid, captioned in bold.
SetupBox* PlaceLetterBox(QWidget* frame, const char* name, int entry, int index);

struct SampleBoxes {
    SetupBox* letter = nullptr;
    SetupBox* number = nullptr;
};
// The backdrop with the samples "W" and "123" in front of it, reading as one word.
SampleBoxes PlaceSamples(QWidget* frame, const char* backdrop, const char* letter, const char* number);

// The options "Style 1" to "Style 4", as indexes 1..4.
void PlaceStyleOptions(QWidget* frame, const char* name, std::array<QRadioButton*, 5>& options);

// The setup dialog's covers for "Disable Style", and the display settings panel to the right of
// the style set, shown when the window is widened.
#include "highlight/Form1.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "highlight/Form1Places.h"
#include "highlight/SamplePicture.h"
#include "highlight/SetupBox.h"
#include "windows/PlaceControl.h"

namespace {

constexpr int kPictureWidth = 3495;  // 233 x 58 pixels
constexpr int kPictureHeight = 870;
constexpr int kPictureRow = 960;

// The three weights, top to bottom, with nothing to click.
QWidget* PlaceSamplePictures(QWidget* parent, const char* name, bool colour)
{
    auto* frame = Place<QWidget>(parent, name, 7920, 480, kPictureWidth, 3 * kPictureRow - 90);
    for (const BoldModeValue bold : {BoldNone, BoldSome, BoldAll}) {
        auto* picture = new SamplePicture(frame, bold, colour);
        picture->setGeometry(0, TwipsToPixels(kPictureRow * bold), TwipsToPixels(kPictureWidth),
                             TwipsToPixels(kPictureHeight));
    }
    return frame;
}

}  // namespace

void Form1::CreateCovers()
{
    frame8_ = PlaceFrame(this, "Frame8", "Letter", 3240, 120, 3015, 1695);
    for (int entry = 1; entry <= 27; ++entry)
        PlaceLetterBox(frame8_, "Text7", entry, entry == 27 ? 0 : entry);

    frmColors1_ = Indexed(PlaceFrame(this, "frmColors", "Color", 120, 1920, 3015, 2415), 1);
    col89_ = Indexed(Place<SetupBox>(frmColors1_, "col", 120, 240, 2820, 2100), 89);
    col89_->SetBackColour(0);

    // Look-alikes of the style options and samples that take no input.
    frame7_ = PlaceFrame(this, "Frame7", "No Style", 3240, 1920, 3015, 1335);
    PlaceSamples(frame7_, "Text3", "Text4", "Text5");
    std::array<QRadioButton*, 5> options{};
    PlaceStyleOptions(frame7_, "Option7", options);
    options[1]->setChecked(true);
    frame7_->setEnabled(false);

    for (QGroupBox* cover : {frame8_, frmColors1_, frame7_}) {
        cover->setAutoFillBackground(true);  // nothing of the frame beneath shows through
        cover->hide();
    }
}

void Form1::CreateDisplayPanel()
{
    auto* line = Place<QFrame>(this, "Line1", 6405, 120, 30, 4215);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);

    chkColorOn_ = Place<QCheckBox>(this, "chkColorOn", "Use Color Syntax Highlighting", 6480, 120, 4935, 255);
    QWidget* boldOptions = Place<QWidget>(this, "FrameBold", 6480, 480, 1440, 3 * kPictureRow);
    const int optionTop = (kPictureHeight - 255) / 2;
    optNoBold_ = Place<QRadioButton>(boldOptions, "optNoBold", "No Bold", 0, optionTop, 1440, 255);
    optSomeBold_ = Place<QRadioButton>(boldOptions, "optSomeBold", "Some Bold", 0, optionTop + kPictureRow, 1440, 255);
    optAllBold_ = Place<QRadioButton>(boldOptions, "optAllBold", "All Bold", 0, optionTop + 2 * kPictureRow, 1440, 255);
    PlaceSamplePictures(this, "FrameBW", false);
    frameCol_ = PlaceSamplePictures(this, "FrameCol", true);

    command3_ = Place<QPushButton>(this, "Command3", "Help", 6480, 3840, 735, 375);
    command2_ = Place<QPushButton>(this, "Command2", "Cancel", 9840, 3840, 735, 375);
    command1_ = Place<QPushButton>(this, "Command1", "Save", 10680, 3840, 735, 375);
}

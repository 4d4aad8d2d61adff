// The setup dialog's visible panel: the instructions, the letter grid, the palette, the style
// options with their samples, the enable options and the buttons; places in twips.
#include "highlight/Form1.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "highlight/Form1Places.h"
#include "highlight/SetupBox.h"
#include "styling/SetupLook.h"
#include "windows/PlaceControl.h"

namespace {

// A black cross, drawn for each screen scale so that it stays sharp.
QIcon DrawnCross()
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 2.5, Qt::SolidLine, Qt::SquareCap));
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

void Form1::CreateControls()
{
    PlaceFrame(this, "Frame4", "", 120, 120, 3015, 1695);
    frmInfo_ = Place<QWidget>(this, "frmInfo", 360, 240, 2415, 1335);
    const char* const steps[] = {"1 Select a letter", "2. Select a color", "3. Select a Style"};
    for (int i = 0; i < 3; ++i) {
        const QByteArray name = "Label" + QByteArray::number(i + 1);
        auto* label =
            Place<QLabel>(frmInfo_, name.constData(), steps[i], 240 + 120 * i, 240 + 360 * i, 2175 - 120 * i, 255);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
    }
    CreateLetterGrid();
    CreatePalette();
    CreateStyleFrame();

    QWidget* frame9 = Place<QWidget>(this, "Frame9", 3240, 3360, 1695, 855);
    optEnableStyle_[0] = Indexed(Place<QRadioButton>(frame9, "optEnableStyle", "Disable Style", 0, 120, 1695, 255), 0);
    optEnableStyle_[1] = Indexed(Place<QRadioButton>(frame9, "optEnableStyle", "Enable Style", 0, 480, 1455, 255), 1);
    optEnableStyle_[1]->setChecked(true);

    command8_ = Place<QPushButton>(this, "Command8", 4920, 3360, 375, 375);
    command8_->setIcon(DrawnCross());
    command8_->setToolTip(QStringLiteral("Delete the style set"));
    command6_ = Place<QPushButton>(this, "Command6", "Cancel", 5400, 3360, 735, 375);
    // Enter in a dialog just opened closes it and changes nothing; the delete button beside it
    // must not be where Enter lands.
    command6_->setDefault(true);
    command4_ = Place<QPushButton>(this, "Command4", "Save", 5400, 3840, 735, 375);
    cmdDisplayOptions_ = Place<QPushButton>(this, "cmdDisplayOptions", ">>", 4920, 3840, 375, 375);

    CreateCovers();
    CreateDisplayPanel();
    UnboldFrameContents();
}

void Form1::CreateLetterGrid()
{
    frame2_ = PlaceFrame(this, "Frame2", "Letter", 3240, 120, 3015, 1695);
    for (int entry = 1; entry <= 27; ++entry) {
        SetupBox* box = PlaceLetterBox(frame2_, "ltr", entry, entry);
        box->setCursor(Qt::PointingHandCursor);
        ltr_[std::size_t(entry)] = box;
    }
}

void Form1::CreatePalette()
{
    frmColors0_ = Indexed(PlaceFrame(this, "frmColors", "Color", 120, 1920, 3015, 2415), 0);
    for (int index = 0; index < 48; ++index) {
        SetupBox* swatch = Indexed(
            Place<SetupBox>(frmColors0_, "col", 120 + 360 * (index % 8), 240 + 360 * (index / 8), 300, 300), index);
        swatch->SetBackColour(kSetupPalette[std::size_t(index)]);
        swatch->setCursor(Qt::PointingHandCursor);
        col_[std::size_t(index)] = swatch;
    }
}

void Form1::CreateStyleFrame()
{
    frame3_ = PlaceFrame(this, "Frame3", "Style", 3240, 1920, 3015, 1335);
    const SampleBoxes samples = PlaceSamples(frame3_, "Text2", "txtSamp1", "txtSamp2");
    txtSamp1_ = samples.letter;
    txtSamp2_ = samples.number;
    PlaceStyleOptions(frame3_, "Style", style_);
}

// Frame captions are bold; what the frames hold is not, unless it says so itself. An option's
// caption may need more room than its place in this font: it grows to the right.
void Form1::UnboldFrameContents()
{
    QFont plain = font();
    plain.setBold(false);
    for (QGroupBox* frame : findChildren<QGroupBox*>()) {
        for (QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->testAttribute(Qt::WA_SetFont))
                control->setFont(plain);
        }
    }
    for (QAbstractButton* control : findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(control))
            continue;
        const int room = control->parentWidget()->width() - control->x();
        control->resize(std::max(control->width(), std::min(control->sizeHint().width(), room)), control->height());
    }
}

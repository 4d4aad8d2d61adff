// The Find and Replace dialog's controls: names, captions, places in twips and the tab order.
#include "search/frmReplace.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "base/Twips.h"
#include "windows/PlaceControl.h"

namespace {

constexpr qreal MinimumPointSize = 7;

QComboBox* PlaceBox(QWidget* parent, const char* name, int left, int top)
{
    auto* box = Place<QComboBox>(parent, name, left, top, 5055, 315);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // the drop-down lists keep no history
    return box;
}

QFrame* PlaceFrame(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* frame = Place<QFrame>(parent, name, left, top, width, height);
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

// A horizontal line one pixel high; the grey one with the white one just under it looks etched.
void PlaceLine(QWidget* parent, const char* name, QColor colour, int pixelsDown)
{
    QFrame* line = PlaceFrame(parent, name, 1440, 480, 6480 - 1440, TwipsPerPixel);
    line->move(line->x(), line->y() + pixelsDown);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
}

}  // namespace

void frmReplace::CreateControls()
{
    Place<QLabel>(this, "Label3", "Mode", 1440, 120, 855, 255);
    option1_[0] = Place<QRadioButton>(this, "Option1", "Find", 2160, 120, 975, 255);
    option1_[1] = Place<QRadioButton>(this, "Option1", "Find and Replace", 3120, 120, 1815, 255);
    for (int index = 0; index < 2; ++index)
        option1_[std::size_t(index)]->setProperty("Index", index);
    option1_[0]->setChecked(true);
    PlaceLine(this, "Line1", QColor(128, 128, 128), 0);
    PlaceLine(this, "Line2", QColor(255, 255, 255), 1);

    Place<QLabel>(this, "Label1", "Find what:", 300, 720, 1035, 195);
    cboText_ = PlaceBox(this, "cboText", 1440, 720);
    cmdFind_ = Place<QPushButton>(this, "cmdFind", "Find", 6600, 720, 1455, 375);
    cmdFind_->setEnabled(false);
    cmdFind_->setDefault(true);

    frameReplace_ = PlaceFrame(this, "frameReplace", 240, 1320, 7815, 855);
    Place<QLabel>(frameReplace_, "Label2", "Replace with:", 0, 0, 1095, 255);
    cboReplace_ = PlaceBox(frameReplace_, "cboReplace", 1200, 0);
    cmdReplace_ = Place<QPushButton>(frameReplace_, "cmdReplace", "Replace", 6360, 0, 1455, 375);
    cmdReplaceAll_ = Place<QPushButton>(frameReplace_, "cmdReplaceAll", "Replace All", 6360, 480, 1455, 375);

    frame2_ = PlaceFrame(this, "Frame2", 240, 1200, 6255, 1215);
    chkCase_ = Place<QCheckBox>(frame2_, "chkCase", "Case sensitive", 0, 0, 2715, 255);
    chkWhole_ = Place<QCheckBox>(frame2_, "chkWhole", "Whole word only", 0, 360, 2775, 255);
    chkWrap_ = Place<QCheckBox>(frame2_, "chkWrap", "Wrap at the end of the document", 0, 720, 2955, 255);
    chkWrap_->setChecked(true);
    auto* frame1 = Place<QGroupBox>(frame2_, "Frame1", 2280, 0, 3795, 615);
    frame1->setTitle(QStringLiteral("Direction"));
    optDown_ = Place<QRadioButton>(frame1, "optDown", "Down", 1080, 240, 915, 255);
    optUp_ = Place<QRadioButton>(frame1, "optUp", "Up", 2280, 240, 735, 255);
    optDown_->setChecked(true);

    cmdCancel_ = Place<QPushButton>(this, "cmdCancel", "Close", 6600, 1320, 1455, 375);
    // Below the visible area in both modes: never seen, but reachable by Tab and by Alt+X.
    chkRegExp_ = Place<QCheckBox>(this, "chkRegExp", "Regular e&xpression", 4680, 3600, 2055, 255);
}

void frmReplace::SetTabOrder()
{
    QWidget* const order[] = {option1_[0], option1_[1], cboText_,    cboReplace_,    chkCase_,   chkWhole_,  optDown_,
                              optUp_,      cmdFind_,    cmdReplace_, cmdReplaceAll_, cmdCancel_, chkRegExp_, chkWrap_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

namespace {

// How wide a label may grow: up to the next control on its row, which it names.
int RoomOf(const QLabel* label)
{
    int right = label->parentWidget()->width();
    for (const QWidget* other : label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const bool sameRow = other->y() < label->geometry().bottom() && label->y() < other->geometry().bottom();
        if (other != label && sameRow && other->x() >= label->geometry().right())
            right = std::min(right, other->x());
    }
    return right - label->x() - 1;
}

}  // namespace

// A label cannot grow past the box it names, so the dialog's font steps down until every label
// fits its room; check boxes and option buttons have room to their right and grow instead.
void frmReplace::FitCaptions()
{
    const QList<QLabel*> labels = findChildren<QLabel*>();
    QFont smaller = font();
    const auto tooLong = [&smaller](const QLabel* label) {
        return QFontMetrics(smaller).horizontalAdvance(label->text()) > RoomOf(label);
    };
    while (smaller.pointSizeF() > MinimumPointSize && std::any_of(labels.begin(), labels.end(), tooLong))
        smaller.setPointSizeF(smaller.pointSizeF() - 0.5);
    setFont(smaller);
    for (QWidget* control : findChildren<QWidget*>()) {
        int needed = 0;
        if (const auto* label = qobject_cast<QLabel*>(control))
            needed = label->fontMetrics().horizontalAdvance(label->text());
        else if (qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control))
            needed = control->sizeHint().width();
        if (needed > control->width())
            control->resize(needed, control->height());
    }
}

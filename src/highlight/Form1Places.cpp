// Places in twips within the frames of the setup dialog.
#include "highlight/Form1Places.h"

#include <QFontMetrics>
#include <QRadioButton>

#include <algorithm>

#include "highlight/SetupBox.h"
#include "styling/SetupLook.h"
#include "windows/PlaceControl.h"

namespace {

constexpr int kSampleFontPoints = 24;
constexpr int kSmallestSamplePoints = 12;

QRect LetterPlace(int entry)
{
    if (entry == 27)
        return {120, 240, 2100, 300};
    if (entry <= 2)
        return {2280 + 360 * (entry - 1), 240, 300, 300};
    const int cell = entry - 3;  // "C" starts the rows of eight
    return {120 + 360 * (cell % 8), 600 + 360 * (cell / 8), 300, 300};
}

template <class Control>
void MakeBold(Control* control, bool bold = true)
{
    QFont font = control->font();
    font.setBold(bold);
    control->setFont(font);
}

// 24 points, or less where the platform's font is too wide for the widest letter or for the
// number in bold within their boxes.
QFont SampleFont(QFont font, int letterWidth, int numberWidth)
{
    font.setBold(true);
    for (int points = kSampleFontPoints; points > kSmallestSamplePoints; --points) {
        font.setPointSize(points);
        const QFontMetrics metrics(font);
        const int widestLetter =
            std::max(metrics.horizontalAdvance(QLatin1Char('W')), metrics.horizontalAdvance(QLatin1Char('M')));
        if (widestLetter <= letterWidth && metrics.horizontalAdvance(QStringLiteral("123")) <= numberWidth)
            break;
    }
    font.setBold(false);
    return font;
}

}  // namespace

QGroupBox* PlaceFrame(QWidget* parent, const char* name, const char* caption, int left, int top, int width, int height)
{
    auto* frame = Place<QGroupBox>(parent, name, left, top, width, height);
    frame->setTitle(QString::fromLatin1(caption));
    MakeBold(frame);
    return frame;
}

SetupBox* PlaceLetterBox(QWidget* frame, const char* name, int entry, int index)
{
    const QRect place = LetterPlace(entry);
    auto* box = Indexed(Place<SetupBox>(frame, name, place.x(), place.y(), place.width(), place.height()), index);
    box->setText(QString::fromStdString(EntryCaption(entry)));
    box->setAlignment(Qt::AlignCenter);
    MakeBold(box);
    return box;
}

SampleBoxes PlaceSamples(QWidget* frame, const char* backdrop, const char* letter, const char* number)
{
    const SetupBox* back = Place<SetupBox>(frame, backdrop, 50, 240, 1695, 975);
    const SampleBoxes samples{Place<SetupBox>(frame, letter, "W", 200, 480, 500, 555),
                              Place<SetupBox>(frame, number, "123", 720, 480, 885, 555)};
    samples.letter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    samples.number->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // The number may run on to the backdrop's inner edge: nothing stands to its right.
    const int backRight = back->geometry().right() - back->frameWidth();
    samples.number->resize(backRight - samples.number->x(), samples.number->height());
    const QFont font = SampleFont(samples.letter->font(), samples.letter->width(), samples.number->width());
    for (SetupBox* sample : {samples.letter, samples.number}) {
        sample->MakeBare();
        sample->setFont(font);
    }
    return samples;
}

void PlaceStyleOptions(QWidget* frame, const char* name, std::array<QRadioButton*, 5>& options)
{
    for (int index = 1; index <= 4; ++index) {
        const QByteArray caption = "Style " + QByteArray::number(index);
        options[std::size_t(index)] =
            Indexed(Place<QRadioButton>(frame, name, caption.constData(), 1920, 240 * index, 855, 255), index);
    }
}

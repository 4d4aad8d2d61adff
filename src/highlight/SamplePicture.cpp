// The sample program is split into words by the editor's own scanner, so the pictures show
// exactly what the styling paints: plain words, bold letters, or bold words.
#include "highlight/SamplePicture.h"

#include <QFontDatabase>
#include <QPainter>

#include <algorithm>
#include <array>
#include <string_view>

#include "styling/WordScanner.h"

namespace {

constexpr std::array<std::string_view, 4> kProgram = {"%", "O1001 (SHAFT)", "N10 G00 X25. Z2. M03",
                                                      "N20 G01 Z-40. F0.2"};
constexpr int kLineHeight = 14;
constexpr int kMargin = 3;
constexpr int kSmallestPixels = 6;

// The picture's font, smaller where the lines would not otherwise all fit in its height.
QFont FittingFont(QFont font, int pitch)
{
    while (QFontMetrics(font).height() > pitch && font.pixelSize() > kSmallestPixels)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QColor EntryColour(std::uint8_t entry)
{
    switch (entry) {
    case 'G' - 64: return {0, 0, 192};
    case 'M' - 64: return {128, 0, 128};
    case 'N' - 64: return {128, 128, 128};
    case 'O' - 64: return {128, 0, 0};
    case 'F' - 64: return {0, 128, 128};
    case 'X' - 64:
    case 'Z' - 64: return {192, 0, 0};
    case kCommentEntry: return {0, 160, 0};
    default: return Qt::black;
    }
}

std::int32_t ModeOf(BoldModeValue bold)
{
    switch (bold) {
    case BoldSome: return 3;  // letter bold, number plain
    case BoldAll: return 4;
    default: return 1;
    }
}

}  // namespace

SamplePicture::SamplePicture(QWidget* parent, BoldModeValue bold, bool colour)
    : QWidget(parent), bold_(bold), colour_(colour)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(11);
    setFont(font);
}

void SamplePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    StyleModeTable modes;
    modes.fill(ModeOf(bold_));
    const int pitch = std::min(kLineHeight, (height() - 2 * kMargin) / int(kProgram.size()));
    const QFont plain = FittingFont(font(), pitch);
    QFont bold = plain;
    bold.setBold(true);
    const auto drawText = [&](const QString& text, const QFont& face, const QColor& colour, int& x, int y) {
        painter.setFont(face);
        painter.setPen(colour);
        painter.drawText(x, y, text);
        x += QFontMetrics(face).horizontalAdvance(text);
    };
    int y = kMargin + QFontMetrics(plain).ascent();
    for (std::string_view line : kProgram) {
        int x = kMargin;
        std::size_t done = 0;
        ScanWords(line, modes, [&](const StyleRun& run) {
            const auto at = std::size_t(run.position);
            drawText(QString::fromLatin1(line.substr(done, at - done)), plain, Qt::black, x, y);
            const QColor colour = colour_ ? EntryColour(run.entry) : QColor(Qt::black);
            const std::size_t boldLength = run.mode == 4 ? std::size_t(run.length) : run.mode == 3 ? 1 : 0;
            drawText(QString::fromLatin1(line.substr(at, boldLength)), bold, colour, x, y);
            drawText(QString::fromLatin1(line.substr(at + boldLength, std::size_t(run.length) - boldLength)), plain,
                     colour, x, y);
            done = at + std::size_t(run.length);
        });
        drawText(QString::fromLatin1(line.substr(done)), plain, Qt::black, x, y);
        y += pitch;
    }
}

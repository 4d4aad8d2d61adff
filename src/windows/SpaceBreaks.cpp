// Greedy filling of lines, measured with the font that shows them.
#include "windows/SpaceBreaks.h"

#include <QFontMetrics>
#include <QStringList>

QString BreakAtSpaces(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines = text.split(u'\n');
    for (QString& line : lines) {
        const qsizetype end = line.endsWith(u'\r') ? line.size() - 1 : line.size();
        qsizetype start = 0;       // of the line being filled
        qsizetype lastSpace = -1;  // the last place on it where a break may go
        for (qsizetype i = 0; i <= end; ++i) {
            if (i < end && line[i] != u' ')
                continue;
            if (lastSpace >= start && metrics.horizontalAdvance(line.mid(start, i - start)) > width) {
                line[lastSpace] = u'\n';
                start = lastSpace + 1;
            }
            lastSpace = i;
        }
    }
    return lines.join(u'\n');
}

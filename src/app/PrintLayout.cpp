// The layout of PrintLines: margins and line spacing in fractions of the page, a new page only
// when the position has gone strictly past nine tenths of the page's height.
#include "app/PrintLayout.h"

#include <algorithm>
#include <cmath>

#include "base/Text8.h"
#include "base/Twips.h"

namespace {

std::string WithoutLineEnds(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

}  // namespace

void PrintLines(PrintPage& page, std::int16_t& copies, const PrintRange& range, const QString& dateLine,
                const QString& path, const std::function<std::string(std::int32_t)>& lineText)
{
    const QString prefix =
        range.selectionOnly ? QString::number(std::int64_t(range.lastLine) - range.firstLine + 1) + " Lines of " : "";
    do {
        page.StartJob();
        const double margin = double(RoundHalfEven(page.Width() * 0.1));
        double y = page.Height() * 0.07;
        const double y0 = double(RoundHalfEven(y));
        y += page.PrintText(margin, y, dateLine);
        const double lineHeight = double(RoundHalfEven(y - y0));
        y += page.PrintText(margin, y, prefix + path);
        y += page.PrintText(margin, y, QString());
        for (std::int32_t line = range.firstLine; line <= range.lastLine; ++line) {
            if (0.9 * page.Height() < y) {
                page.NewPage();
                y = page.Height() * 0.07;
            }
            const QString text = FromText8(WithoutLineEnds(lineText(line)));
            y += lineHeight / 5;
            y += page.PrintText(margin, y, text);
        }
        page.EndJob();
        --copies;
    } while (copies > 0);
}

QString PrintDateLine(const QLocale& locale, const QDate& date)
{
    return locale.monthName(date.month(), QLocale::LongFormat) + ' ' + QString::number(date.day()) + ", " +
           QString::number(date.year());
}

std::optional<std::string> MatchingPrinter(const std::string& chosen, const std::vector<std::string>& installed)
{
    const QString wanted = FromLocal8(chosen).toUpper();
    std::optional<std::string> current;
    for (const std::string& name : installed)
        if (FromLocal8(name).toUpper() == wanted)
            current = name;
    return current;
}

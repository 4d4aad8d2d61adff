// The layout of PrintLines: margins and line spacing in fractions of the page, a new page only
// when the position has gone strictly past nine tenths of the page's height. The pages are laid
// out first, so that a range of them, or all of them last first, can be printed.
#include "printlayout/PrintLayout.h"

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

// The measures of the laid-out page in the printer's units.
struct Measures {
    double margin = 0;
    double top = 0;         // where the first line of a page starts
    double height = 0;      // the page's height
    double textHeight = 0;  // one line of the printer's font
    double gap = 0;         // the space above each document line: a fifth of the date line
};

Measures Measure(PrintPage& page)
{
    Measures m;
    m.margin = double(RoundHalfEven(page.Width() * 0.1));
    m.height = page.Height();
    m.top = m.height * 0.07;
    m.textHeight = page.LineHeight();
    m.gap = double(RoundHalfEven(m.top + m.textHeight - double(RoundHalfEven(m.top)))) / 5;
    return m;
}

// Where the first document line goes on the first page: below the date, the header and an empty line.
double BelowHeader(const Measures& m) { return m.top + m.textHeight + m.textHeight + m.textHeight; }

// The first document line of each page.
std::vector<std::int32_t> PageStarts(const Measures& m, const PrintRange& range)
{
    std::vector<std::int32_t> starts{range.firstLine};
    double y = BelowHeader(m);
    for (std::int32_t line = range.firstLine; line <= range.lastLine; ++line) {
        if (0.9 * m.height < y) {
            starts.push_back(line);
            y = m.top;
        }
        y += m.gap;
        y += m.textHeight;
    }
    return starts;
}

// The indexes of the pages to print, in printing order.
std::vector<std::size_t> ChosenPages(std::size_t pageCount, const PageChoice& choice)
{
    std::vector<std::size_t> pages;
    for (std::size_t index = 0; index < pageCount; ++index) {
        const auto number = std::int64_t(index) + 1;
        if (choice.pageRanges.empty() ||
            std::any_of(choice.pageRanges.begin(), choice.pageRanges.end(),
                        [number](const auto& r) { return r.first <= number && number <= r.second; }))
            pages.push_back(index);
    }
    if (choice.lastPageFirst)
        std::reverse(pages.begin(), pages.end());
    return pages;
}

}  // namespace

bool PrintLines(PrintPage& page, std::int16_t& copies, const PrintRange& range, const PageChoice& choice,
                const QString& dateLine, const QString& path, const std::function<std::string(std::int32_t)>& lineText)
{
    const Measures m = Measure(page);
    const std::vector<std::int32_t> starts = PageStarts(m, range);
    const std::vector<std::size_t> pages = ChosenPages(starts.size(), choice);
    if (pages.empty())
        return false;
    const QString prefix =
        range.selectionOnly ? QString::number(std::int64_t(range.lastLine) - range.firstLine + 1) + " Lines of " : "";
    const auto printPage = [&](std::size_t index) {
        double y = m.top;
        if (index == 0) {
            page.PrintText(m.margin, y, dateLine);
            y += m.textHeight;
            page.PrintText(m.margin, y, prefix + path);
            y += m.textHeight;
            page.PrintText(m.margin, y, QString());
            y += m.textHeight;
        }
        const std::int32_t last = index + 1 < starts.size() ? starts[index + 1] - 1 : range.lastLine;
        for (std::int32_t line = starts[index]; line <= last; ++line) {
            y += m.gap;
            page.PrintText(m.margin, y, FromDocumentText(WithoutLineEnds(lineText(line)), range.utf8));
            y += m.textHeight;
        }
    };
    bool jobOpen = false;
    do {
        bool pageOpen = jobOpen;
        if (!jobOpen)
            page.StartJob();
        jobOpen = true;
        for (const std::size_t index : pages) {
            if (pageOpen)
                page.NewPage();
            printPage(index);
            pageOpen = true;
        }
        if (!choice.copiesInOneJob || copies <= 1) {
            page.EndJob();
            jobOpen = false;
        }
        --copies;
    } while (copies > 0);
    return true;
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

// The printed page of a part program: a date line, a header line, then the document's lines,
// laid out on any page that can measure itself and print a line of text.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A printer as the layout sees it, in the printer's own units.
class PrintPage {
public:
    virtual ~PrintPage() = default;
    virtual void StartJob() = 0;
    // The printable area.
    virtual double Width() = 0;
    virtual double Height() = 0;
    // The height of one line in the printer's font.
    virtual double LineHeight() = 0;
    // Prints text with its top left at (x, y) in the printer's font.
    virtual void PrintText(double x, double y, const QString& text) = 0;
    virtual void NewPage() = 0;
    virtual void EndJob() = 0;
};

struct PrintRange {
    std::int32_t firstLine = 0;  // both included
    std::int32_t lastLine = 0;
    bool selectionOnly = false;
    bool utf8 = false;  // the document's text is UTF-8, else 8-bit (Latin-1)
};

// Which of the laid-out pages go to the printer, and how.
struct PageChoice {
    std::vector<std::pair<int, int>> pageRanges;  // 1-based, both included; none: every page
    bool lastPageFirst = false;
    // A print file holds every copy; a printer takes each copy as a job of its own.
    bool copiesInOneJob = false;
};

// Prints lines firstLine..lastLine copies times (at least once), counting copies down to 0.
// lineText gives a document line's 8-bit text with its line end; dateLine and path head the first
// page of every copy. Only the chosen pages are printed, in the chosen order; false, with no job
// started, when none of them is in the document.
bool PrintLines(PrintPage& page, std::int16_t& copies, const PrintRange& range, const PageChoice& choice,
                const QString& dateLine, const QString& path,
                const std::function<std::string(std::int32_t line)>& lineText);

// "December 7, 2026": the full month name in the locale's language, the day without a leading
// zero, the four-digit year.
QString PrintDateLine(const QLocale& locale, const QDate& date);

// The installed printer that becomes current for the name chosen in the dialog: every printer
// whose name equals it without regard to case is made current in turn, so the last one wins.
std::optional<std::string> MatchingPrinter(const std::string& chosen, const std::vector<std::string>& installed);

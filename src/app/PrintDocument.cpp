// Print: the dialog chooses the printer, the copies, the lines and the pages; the layout does the
// rest. A failure has a number and a description, as the user is shown them.
#include "app/PrintDocument.h"

#include <QDate>
#include <QLocale>

#include <QMdiArea>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>
#include <functional>

#include "app/Application.h"
#include "app/MDIForm1.h"
#include "app/QtPrintPage.h"
#include "base/Text8.h"
#include "editor/Documents.h"
#include "editor/EditorCalls.h"
#include "printlayout/PrintLayout.h"

namespace {

struct PrintFailure {
    int number = 0;
    std::string description;
};

// The numbers the user sees for what can go wrong with printing.
const PrintFailure Cancelled{32755, "Cancel was selected"};
const PrintFailure NoPrinter{484, "The chosen printer is not available"};
const PrintFailure Refused{482, "The printer did not accept the job"};
const PrintFailure NoPageChosen{380, "None of the pages chosen is in the document"};
PrintFailure FileNotWritten(const QString& file)
{
    return {75, "The print file '" + ToText8(file) + "' could not be written"};
}

void Tell(const EditorSession& editor, const PrintFailure& failure)
{
    if (failure.number == Cancelled.number || failure.description.find("Cancel") != std::string::npos)
        return;
    editor.Dialogs().MessageBox({"Printing Error: " + failure.description, MsgButtons::OK, MsgIcon::Critical,
                                 "Error " + std::to_string(failure.number)});
}

void MakeChosenPrinterCurrent(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return;
    std::vector<std::string> installed;
    for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
        installed.push_back(ToLocal8(info.printerName()));
    if (const auto name = MatchingPrinter(ToLocal8(printer.printerName()), installed))
        printer.setPrinterName(FromLocal8(*name));
}

// The pages, their order and where the copies go, as the dialog left them on the printer.
PageChoice PageChoiceOf(const QPrinter& printer)
{
    PageChoice choice;
    if (printer.printRange() == QPrinter::PageRange)
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
            choice.pageRanges.emplace_back(range.from, range.to);
    choice.lastPageFirst = printer.pageOrder() == QPrinter::LastPageFirst;
    choice.copiesInOneJob = printer.outputFormat() == QPrinter::PdfFormat;
    return choice;
}

using PrintJob = std::function<bool(PrintPage& page)>;

// The print file is written beside its name and put in place only when whole, so a failed job
// leaves no part of a file and keeps a file of that name as it was.
std::optional<PrintFailure> PrintToFile(const QPrinter& printer, const PrintJob& job)
{
    QSaveFile file(printer.outputFileName());
    if (!file.open(QIODevice::WriteOnly))
        return FileNotWritten(printer.outputFileName());
    QPdfWriter writer(&file);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    QtPrintPage page(writer);
    if (!job(page))
        return NoPageChosen;
    // A small print file is still all in the file's buffer here, and commit() would not tell that
    // writing it out failed.
    if (!page.Ok() || !file.flush() || !file.commit())
        return FileNotWritten(printer.outputFileName());
    return std::nullopt;
}

std::optional<PrintFailure> Print(Application& application)
{
    EditorSession& editor = application.editor;
    const QString path = FromLocal8(editor.CurrentFilePath());
    QPrinter printer(QPrinter::HighResolution);
    if (!editor.Dialogs().PrintDialog(printer))
        return Cancelled;
    // Set only now: the dialog would make a print file's name out of it.
    printer.setDocName(path);
    MakeChosenPrinterCurrent(printer);
    // Without a printing system Qt falls back to a PDF printer, which needs a file to print to.
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    if (!printer.isValid() || (toFile && printer.outputFileName().isEmpty()))
        return NoPrinter;
    const EditorCalls calls(editor);
    PrintRange range{0, calls.LineCount() - 1, false, IsUtf8Document(editor)};
    if (printer.printRange() == QPrinter::Selection)
        range = {calls.LineFromPosition(calls.SelectionStart()), calls.LineFromPosition(calls.SelectionEnd()), true,
                 range.utf8};
    // The layout prints the copies itself, so the printer is asked for one of each job.
    auto copies = std::int16_t(std::clamp(printer.copyCount(), 1, 32767));
    printer.setCopyCount(1);
    const PageChoice choice = PageChoiceOf(printer);
    const QString dateLine = PrintDateLine(QLocale(), QDate::currentDate());
    const PrintJob job = [&](PrintPage& page) {
        return PrintLines(page, copies, range, choice, dateLine, path,
                          [&application](std::int32_t line) { return application.styling.GetLineText(line); });
    };

    BusyPointer busy(editor.Dialogs());
    if (toFile)
        return PrintToFile(printer, job);
    QtPrintPage page(printer);
    if (!job(page))
        return NoPageChosen;
    if (page.Ok())
        return std::nullopt;
    return Refused;
}

}  // namespace

void PrintDocument(Application& application)
{
    const MDIForm1* main = application.forms.Find<MDIForm1>();
    if (!main || !main->ClientArea()->currentSubWindow())
        return;
    if (const std::optional<PrintFailure> failure = Print(application))
        Tell(application.editor, *failure);
}

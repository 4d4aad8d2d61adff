// Print: the dialog chooses the printer, the copies and the range; the layout does the rest. A
// failure has a number and a description, as the user is shown them.
#include "app/PrintDocument.h"

#include <QDate>
#include <QLocale>

#include <QMdiArea>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

#include "app/Application.h"
#include "app/MDIForm1.h"
#include "app/PrintLayout.h"
#include "app/QtPrintPage.h"
#include "base/Text8.h"
#include "editor/SciMessages.h"
#include "search/SearchPrimitives.h"

namespace {

struct PrintFailure {
    int number = 0;
    std::string description;
};

// The numbers the user sees for what can go wrong with printing.
const PrintFailure Cancelled{32755, "Cancel was selected"};
const PrintFailure NoPrinter{484, "The chosen printer is not available"};
const PrintFailure Refused{482, "The printer did not accept the job"};
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

std::optional<PrintFailure> Print(Application& application)
{
    EditorSession& editor = application.editor;
    QPrinter printer(QPrinter::HighResolution);
    if (!editor.Dialogs().PrintDialog(printer))
        return Cancelled;
    MakeChosenPrinterCurrent(printer);
    // Without a printing system Qt falls back to a PDF printer, which needs a file to print to.
    const bool noFile = printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
    if (!printer.isValid() || noFile)
        return NoPrinter;
    PrintRange range{0, editor.SendEditor(sci::SCI_GETLINECOUNT, 0, 0) - 1, false};
    if (printer.printRange() == QPrinter::Selection)
        range = {GetSelStartLine(editor), GetSelEndLine(editor), true};
    // Every copy is a job of its own, so the printer is asked for one at a time.
    auto copies = std::int16_t(std::clamp(printer.copyCount(), 1, 32767));
    printer.setCopyCount(1);

    BusyPointer busy(editor.Dialogs());
    QtPrintPage page(printer);
    PrintLines(page, copies, range, PrintDateLine(QLocale(), QDate::currentDate()),
               FromLocal8(editor.CurrentFilePath()),
               [&application](std::int32_t line) { return application.styling.GetLineText(line); });
    if (page.Ok())
        return std::nullopt;
    if (!printer.outputFileName().isEmpty())
        return FileNotWritten(printer.outputFileName());
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

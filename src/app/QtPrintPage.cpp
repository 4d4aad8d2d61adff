// Qt's painter on the printer, with nothing drawn once the printer has failed.
#include "app/QtPrintPage.h"

#include <QPrinter>

void QtPrintPage::StartJob()
{
    if (ok_ && !painter_.begin(&printer_))
        ok_ = false;
}

double QtPrintPage::Width() { return printer_.pageRect(QPrinter::DevicePixel).width(); }

double QtPrintPage::Height() { return printer_.pageRect(QPrinter::DevicePixel).height(); }

double QtPrintPage::PrintText(double x, double y, const QString& text)
{
    const QFontMetricsF metrics(painter_.font(), &printer_);
    if (ok_ && !text.isEmpty())
        painter_.drawText(QPointF(x, y + metrics.ascent()), text);
    return metrics.height();
}

void QtPrintPage::NewPage()
{
    if (ok_ && !printer_.newPage())
        ok_ = false;
}

void QtPrintPage::EndJob()
{
    if (painter_.isActive())
        painter_.end();
}

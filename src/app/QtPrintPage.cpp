// Qt's painter on the paged device, with nothing drawn once the device has failed.
#include "app/QtPrintPage.h"

#include <QPagedPaintDevice>

void QtPrintPage::StartJob()
{
    if (ok_ && !painter_.begin(&device_))
        ok_ = false;
}

double QtPrintPage::Width() { return device_.pageLayout().paintRectPixels(device_.logicalDpiX()).width(); }

double QtPrintPage::Height() { return device_.pageLayout().paintRectPixels(device_.logicalDpiY()).height(); }

// The painter starts every job with the default font, so a line is measured before the job starts.
double QtPrintPage::LineHeight() { return QFontMetricsF(QFont(), &device_).height(); }

void QtPrintPage::PrintText(double x, double y, const QString& text)
{
    if (ok_ && !text.isEmpty())
        painter_.drawText(QPointF(x, y + QFontMetricsF(painter_.font(), &device_).ascent()), text);
}

void QtPrintPage::NewPage()
{
    if (ok_ && !device_.newPage())
        ok_ = false;
}

void QtPrintPage::EndJob()
{
    if (painter_.isActive() && !painter_.end())
        ok_ = false;
}

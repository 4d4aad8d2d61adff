// The print layout's page on a Qt printer or PDF writer, in device pixels of the printable area.
#pragma once

#include <QPainter>

#include "printlayout/PrintLayout.h"

class QPagedPaintDevice;

// Each job is one painting session on the device; text uses the device's default font.
class QtPrintPage final : public PrintPage {
public:
    explicit QtPrintPage(QPagedPaintDevice& device) : device_(device) {}

    void StartJob() override;
    double Width() override;
    double Height() override;
    double LineHeight() override;
    void PrintText(double x, double y, const QString& text) override;
    void NewPage() override;
    void EndJob() override;

    // False once the device refused to start or finish a job, or to start a page.
    bool Ok() const { return ok_; }

private:
    QPagedPaintDevice& device_;
    QPainter painter_;
    bool ok_ = true;
};

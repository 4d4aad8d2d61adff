// The print layout's page on a Qt printer, in device pixels of the printable area.
#pragma once

#include <QPainter>

#include "app/PrintLayout.h"

class QPrinter;

// Each job is one painting session on the printer; text uses the printer's default font.
class QtPrintPage final : public PrintPage {
public:
    explicit QtPrintPage(QPrinter& printer) : printer_(printer) {}

    void StartJob() override;
    double Width() override;
    double Height() override;
    double PrintText(double x, double y, const QString& text) override;
    void NewPage() override;
    void EndJob() override;

    // False once the printer refused to start a job or a page.
    bool Ok() const { return ok_; }

private:
    QPrinter& printer_;
    QPainter painter_;
    bool ok_ = true;
};

#include "app/PrintJob.h"

#include "common/MmCanvas.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace PrintJob {

bool paint(QPrinter &printer, const Draw &draw, bool keepOrientation)
{
    if (!keepOrientation)
        printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PainterMmCanvas canvas(painter, printer, [&printer] { return printer.newPage(); });
    draw(canvas);
    painter.end();
    printer.setPageOrientation(QPageLayout::Portrait);
    return true;
}

void offerPdfWithoutPrinters(QPrinter &printer, const QString &suggestedFile)
{
    if (!QPrinterInfo::availablePrinters().isEmpty() || printer.outputFormat() == QPrinter::PdfFormat)
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(suggestedFile);
}

} // namespace PrintJob

#include "document/PrintJob.h"

#include "common/MmCanvas.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace PrintJob {

bool paint(QPrinter &printer, const Draw &draw, bool keepOrientation)
{
    // The orientation the user chose is the printer's again after a job
    // printed in portrait.
    const QPageLayout::Orientation chosen = printer.pageLayout().orientation();
    if (!keepOrientation)
        printer.setPageOrientation(QPageLayout::Portrait);
    QPainter painter;
    const bool begun = painter.begin(&printer);
    if (begun) {
        PainterMmCanvas canvas(painter, printer, [&printer] { return printer.newPage(); });
        draw(canvas);
        painter.end();
    }
    printer.setPageOrientation(chosen);
    return begun;
}

void offerPdfWithoutPrinters(QPrinter &printer, const QString &suggestedFile)
{
    if (!QPrinterInfo::availablePrinters().isEmpty() || printer.outputFormat() == QPrinter::PdfFormat)
        return;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(suggestedFile);
}

} // namespace PrintJob

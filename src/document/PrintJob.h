#pragma once

#include <functional>

class MmCanvas;
class QPrinter;
class QString;

// One print job on a printer, drawn through the millimetre canvas.
namespace PrintJob {

using Draw = std::function<void(MmCanvas &)>;

// Begins the document (in portrait orientation unless `keepOrientation`),
// draws and ends the document; the printer then has the orientation it had
// before, the one the user chose. False when the printer could not begin (a
// PDF file that cannot be written, say).
bool paint(QPrinter &printer, const Draw &draw, bool keepOrientation = false);

// On a machine without printers the print dialog offers a PDF file, named
// after `suggestedFile`.
void offerPdfWithoutPrinters(QPrinter &printer, const QString &suggestedFile);

} // namespace PrintJob

// The print commands of the document window: each page's print routine run
// on the printer after the print dialog, or in the print preview.
#include "app/TChild.h"
#include "document/PrintJob.h"

#include "common/MmCanvas.h"
#include "common/UiServices.h"
#include "document/SectionPage.h"

#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>

QPrinter &TChild::printer()
{
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageOrientation(QPageLayout::Portrait);
    }
    return *m_printer;
}

bool TChild::drawPage(SectionId section, MmCanvas &canvas)
{
    return page(section)->print(canvas);
}

void TChild::Imprime(SectionId n)
{
    if (activePage() != pageNumber(n))
        return;
    QPrinter &p = printer();
    PrintJob::offerPdfWithoutPrinters(p, QDir::current().filePath(QStringLiteral("Tivarel.pdf")));
    if (!m_context.ui().printDialog(this, &p))
        return;
    // The budget journal keeps the orientation chosen in the dialog.
    const bool ok = PrintJob::paint(
        p, [this, n](MmCanvas &canvas) { drawPage(n, canvas); }, page(n)->keepsPrintOrientation());
    if (!ok)
        m_context.ui().message(this,
                               QStringLiteral("Impossible d'imprimer : l'imprimante ou le fichier « %1 » "
                                              "n'est pas disponible.")
                                   .arg(p.outputFileName()),
                               UiServices::Icon::Warning, QMessageBox::Ok);
}

void TChild::Apercu()
{
    // The sections after the shopping lists print nothing.
    const auto n = SectionId(activePage());
    if (n < SectionId::Week || n > SectionId::Shopping)
        return;
    QPrinter &p = printer();
    PrintJob::offerPdfWithoutPrinters(p, QDir::current().filePath(QStringLiteral("Tivarel.pdf")));
    // The preview lays its sheets out in the printer's orientation, so the
    // pages printed in portrait are shown on portrait sheets; the user's
    // orientation comes back afterwards.
    const QPageLayout::Orientation chosen = p.pageLayout().orientation();
    const bool keep = page(n)->keepsPrintOrientation();
    if (!keep)
        p.setPageOrientation(QPageLayout::Portrait);
    QPrintPreviewDialog preview(&p, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, n](QPrinter *target) {
        PrintJob::paint(
            *target, [this, n](MmCanvas &canvas) { drawPage(n, canvas); }, true);
    });
    m_context.ui().exec(&preview);
    if (!keep)
        p.setPageOrientation(chosen);
}

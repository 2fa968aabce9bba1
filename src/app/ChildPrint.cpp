// The print commands of the document window: each page's print routine run
// on the printer after the print dialog, or in the print preview.
#include "app/PrintJob.h"
#include "app/TChild.h"

#include "agenda/WeekPage.h"
#include "agenda/WeekPrint.h"
#include "budget/BudgetPage.h"
#include "budget/BudgetPrint.h"
#include "collections/AlbumPage.h"
#include "collections/RecordPrint.h"
#include "collections/ShoppingPage.h"
#include "collections/ShoppingPrint.h"
#include "collections/VideoPage.h"
#include "common/MmCanvas.h"
#include "common/UiServices.h"
#include "contacts/AddressPage.h"
#include "contacts/BirthdayPage.h"
#include "contacts/ContactsPrint.h"
#include "contacts/TodoPage.h"

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

bool TChild::drawPage(int n, MmCanvas &canvas)
{
    ensurePages();
    SectionPage *p = page(n);
    switch (n) {
    case 1: WeekPrint::ImpSemaine(canvas, WeekPrint::sheetOf(*static_cast<WeekPage *>(p))); return true;
    case 2: ContactsPrint::ImpNoms(canvas, *static_cast<AddressPage *>(p)); return true;
    case 3: ContactsPrint::ImpAnniv(canvas, ContactsPrint::halfYearOf(*static_cast<BirthdayPage *>(p))); return true;
    case 4: ContactsPrint::ImpFaire(canvas, *static_cast<TodoPage *>(p)); return true;
    case 5: BudgetPrint::ImpBudget(canvas, BudgetPrint::journalOf(*static_cast<BudgetPage *>(p))); return true;
    case 6: RecordPrint::ImpPhoto(canvas, RecordPrint::photoOf(*static_cast<AlbumPage *>(p))); return true;
    case 7: RecordPrint::ImpVideo(canvas, RecordPrint::videoOf(*static_cast<VideoPage *>(p))); return true;
    case 8: ShoppingPrint::ImpCourses(canvas, ShoppingPrint::sheetOf(*static_cast<ShoppingPage *>(p))); return true;
    default: return false;
    }
}

void TChild::Imprime(int n)
{
    if (activePage() != n)
        return;
    QPrinter &p = printer();
    PrintJob::offerPdfWithoutPrinters(p, QDir::current().filePath(QStringLiteral("Tivarel.pdf")));
    if (!m_context.ui().printDialog(this, &p))
        return;
    // The budget journal keeps the orientation chosen in the dialog.
    const bool ok = PrintJob::paint(p, [this, n](MmCanvas &canvas) { drawPage(n, canvas); }, n == 5);
    if (!ok)
        m_context.ui().message(this,
                               QStringLiteral("Impossible d'imprimer : l'imprimante ou le fichier « %1 » "
                                              "n'est pas disponible.")
                                   .arg(p.outputFileName()),
                               UiServices::Icon::Warning, QMessageBox::Ok);
}

void TChild::Apercu()
{
    const int n = activePage();
    if (n < 1 || n > 8)
        return;
    QPrinter &p = printer();
    PrintJob::offerPdfWithoutPrinters(p, QDir::current().filePath(QStringLiteral("Tivarel.pdf")));
    // The preview lays its sheets out in the printer's orientation, so the
    // pages printed in portrait are shown on portrait sheets; the user's
    // orientation comes back afterwards.
    const QPageLayout::Orientation chosen = p.pageLayout().orientation();
    if (n != 5)
        p.setPageOrientation(QPageLayout::Portrait);
    QPrintPreviewDialog preview(&p, this);
    preview.setObjectName(QStringLiteral("PrintPreview"));
    preview.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, n](QPrinter *target) {
        PrintJob::paint(*target, [this, n](MmCanvas &canvas) { drawPage(n, canvas); }, true);
    });
    m_context.ui().exec(&preview);
    if (n != 5)
        p.setPageOrientation(chosen);
}

#include "collections/ShoppingPrint.h"

#include "collections/ShoppingPage.h"
#include "common/DateText.h"
#include "common/MmCanvas.h"

namespace ShoppingPrint {

namespace {

// Row lines 4 mm apart: the 63 rows of a full list fit on one page.
constexpr int kRowStep = 4;
constexpr int kColumns[] = {0, 100, 130, 160};

void printRow(MmCanvas &canvas, int y, const QStringList &cells)
{
    for (int c = 0; c < 4; ++c) {
        const int width = c < 3 ? kColumns[c + 1] - kColumns[c] - 2 : canvas.pageWidthMm() - 5 - kColumns[c];
        canvas.textIn(kColumns[c], y, width, cells.value(c));
    }
}

} // namespace

Sheet sheetOf(const ShoppingPage &page)
{
    return {DateText::appLocale().toString(page.date(), QLocale::ShortFormat), page.shop(), page.titles(), page.rows()};
}

void ImpCourses(MmCanvas &canvas, const Sheet &sheet)
{
    canvas.setFont(QStringLiteral("Arial"), 10);
    canvas.textIn(0, 0, 38, QStringLiteral("Date  ") + sheet.date);
    canvas.textIn(40, 0, canvas.pageWidthMm() - 45, QStringLiteral("Magasin ") + sheet.shop);
    int y = 5;
    printRow(canvas, y, sheet.titles);
    for (const Shopping::Row &row : sheet.rows) {
        y += kRowStep;
        if (!canvas.lineFits(y)) {
            canvas.newPage();
            y = 0;
            printRow(canvas, y, sheet.titles);
            y += kRowStep;
        }
        printRow(canvas, y, {row.designation, row.quantity, row.price, row.amount});
    }
}

} // namespace ShoppingPrint

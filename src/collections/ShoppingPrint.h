#pragma once

#include "collections/ShoppingList.h"

#include <QDate>

class MmCanvas;
class ShoppingPage;

// Printing of the shopping list shown (ImpCourses): the date and the shop,
// then the column titles and every item row, one line each. The total is
// not printed. A list longer than the page goes on, titles first, on the
// next page.
namespace ShoppingPrint {

struct Sheet
{
    QString date; // short date form
    QString shop;
    QStringList titles;
    QList<Shopping::Row> rows;
};

Sheet sheetOf(const ShoppingPage &page);
void ImpCourses(MmCanvas &canvas, const Sheet &sheet);

} // namespace ShoppingPrint

#pragma once

#include "common/Money.h"

class BlockFile;

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The rules of a shopping list: item lines of the ".oco" block file, the
// computation of amounts and total, the right alignment of number cells by
// leading blanks, and the keys of the item grid.
//
// Money is exact (common/Money.h): prices, amounts and totals are whole
// cents, and the total is the sum of the amounts shown.
namespace Shopping {

// One item row of the grid, cell texts as they stand (padding blanks kept).
struct Row
{
    QString designation;
    QString quantity;
    QString price;
    QString amount;

    // No cell holds anything but blanks.
    bool isBlank() const;
};

using Money::Decimal;
using Money::formatCents;

// Alignment widths (pixels) of the number columns.
constexpr int QuantityAlign = 80;
constexpr int PriceAlign = 90;

// The width of a text in the grid's font, in pixels.
using Measure = std::function<int(const QString &)>;
// Right alignment by leading blanks: as many blanks as make the text wider
// than `alignWidth` - 10 pixels.
QString padded(const QString &text, int alignWidth, const Measure &width);

// The column titles, the number titles aligned as the numbers are.
QStringList titles(const Measure &width);

// Computes every row (Calculec): a row with an empty quantity is left as it
// is and adds nothing; otherwise quantity and price (empty price = 0) are
// read, the price rewritten with two decimals, quantity and price
// right-aligned, and the amount written and added to the total. A cell that
// is not a number, or an amount that would take the total out of 64 bits,
// leaves both cells as typed and gives an amount of 0.
// Returns the total in cents.
qint64 calculate(QList<Row> &rows, const Measure &width);

// Item line of the block file: "CMDE" + designation, quantity, price and
// amount joined by tabs.
QString itemLine(const Row &row);
bool isItemLine(const QString &line);
// The cells of an item line (the tag removed, split at the first three
// tabs); missing parts stay empty.
Row parseItem(const QString &line);

// The item rows of list `number` of a shopping file, read whole: up to its
// end marker or, in a block whose end marker is missing, the next marker
// line; the last line of the file is never taken (a block cut short by
// damage). A list cut before its shop line ends there: the walk starts at
// the date line so that it never steps over a marker into the next list.
QList<Row> listItems(const BlockFile &file, int number);

// Validec: at least one row has a designation.
bool hasDesignation(const QList<Row> &rows);

// A character typed or pasted in a cell: a tab or a line break becomes a
// blank; "." becomes "," in every column but the designation.
QChar typed(QChar c, int column);

// Enter in the grid at (row, column), rows counted from 1. Only the price
// and amount columns act: the list is computed and marked changed, the
// cursor goes to the first column, the row count rises to the row, and while
// the row count stays below 20 the cursor moves down one row.
struct EnterResult
{
    bool acts = false;
    int row = 0;
    int column = 0;
    int rowCount = 0;
};
EnterResult enter(int row, int column, int rowCount, int lastRow);

} // namespace Shopping

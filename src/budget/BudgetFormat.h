#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

class BudgetGrid;

// The budget file ".obg": one cell of one month's journal per line, in
// Windows-1252 with CR LF line ends, no header.
//
//   characters 1-3   account code (upper-case hexadecimal, see accountCode)
//   characters 4-7   year, decimal
//   characters 8-9   month, "01" to "12"
//   characters 10-12 row, "000" to "127", or "999" for a deferred entry
//   character  13    column, "0" to "5"
//   characters 14-   the cell text, possibly empty, read whole
//
// Characters 1 to 9 are the month key. A written month is 6 lines per
// counted row, empty cells included, rows then columns in ascending order.
namespace BudgetFormat {

// The row number that marks a deferred entry (shown after the month's own
// lines, never written by this program).
inline constexpr int DeferredRow = 999;
// Store lines shorter than this carry no cell and are dropped on loading.
inline constexpr int MinimumLineLength = 10;
// Deferred amounts are right-aligned in fields of this many characters; the
// journal pads the amounts it writes the same way.
inline constexpr int AmountWidth = 16;

// The sum of the Windows-1252 codes of the name's characters in upper-case
// hexadecimal, at least 3 digits ("Caisse" sums to 600 and gives "258"). Two
// names with the same sum share a code and therefore their months. A
// character that Windows-1252 cannot hold counts as "?".
QString accountCode(const QString &account);
int accountSum(const QString &account);
// Whether the name's code keeps the fixed 3-digit width of month keys.
bool accountCodeFits(const QString &account);

// Account code + year (4 digits) + month (2 digits).
QString monthKey(const QString &accountCode, int year, int month);
QString monthKeyFor(const QString &account, int year, int month);

// key + row (3 digits) + column (1 digit) + text.
QString cellLine(const QString &key, int row, int column, const QString &text);

// One deferred entry: date, post, description, expense, income.
using DeferredEntry = std::array<QString, 5>;

// What the lines of one month gave.
struct MonthContent
{
    std::vector<DeferredEntry> deferred; // in store order
    int damagedLines = 0;                // row or column not a number
};

// Puts the lines of one month (every line that starts with `key`) into the
// grid, which the caller cleared. Rows 0 to 127, columns 0 to 5 fill cells;
// "999" rows fill deferred entries by column 0 to 4, column 4 closing one.
// Other numbers are ignored; a row or column that is not a number skips its
// line and is counted as damage.
MonthContent readMonth(const QStringList &lines, const QString &key, BudgetGrid &grid);

// A deferred amount as the grid shows it: "0.00" right-aligned in
// AmountWidth characters; an empty text stays empty. A text that is not a
// number is kept, right-aligned, and *damaged is set.
QString deferredAmount(const QString &text, bool *damaged = nullptr);

// Lays the deferred entries into the rows from the line count on, one row
// each, the line count following. Entries that find no free row (all 128
// are used) are dropped and counted in the result; entries whose amount is
// not a number add one to *damaged. An entry without a date gets
// `missingDate` (the first day of its month): a row is counted by its date,
// so a dateless row would be lost at the second write-back of the month.
int appendDeferred(const std::vector<DeferredEntry> &entries, BudgetGrid &grid, int *damaged = nullptr,
                   const QString &missingDate = QString());

// The lines of the month: 6 per counted row, empty cells included.
QStringList writeMonth(const QString &key, const BudgetGrid &grid);

} // namespace BudgetFormat

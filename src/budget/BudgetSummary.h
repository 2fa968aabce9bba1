#pragma once

#include <QList>
#include <QString>

#include <array>

class BudgetStore;

// The sums behind the budget's "Bilan": one month's expenses by post, and
// the expenses and incomes of the twelve months of a year, for one account.
//
// A month is read from the store exactly as the budget page shows it
// (deferred entries laid under the month's own lines, rows without a date
// packed away), and only its counted rows are added, as the printed journal
// adds them: they are what the file keeps. Amounts are added in whole cents;
// an amount cell that is not a number is left out and counted.
namespace BudgetSummary {

struct PostTotal
{
    QString post; // as the journal shows it, first letter made capital
    qint64 cents = 0;
};

struct Totals
{
    qint64 expense = 0; // cents
    qint64 income = 0;  // cents
};

struct Month
{
    // The expenses by post, largest first, equal sums in post order. Posts
    // whose expenses cancel out are left out; an empty post is "Sans poste".
    QList<PostTotal> byPost;
    Totals totals;
    int unreadable = 0; // amount cells that are not numbers, or that the sums cannot take
};

struct Year
{
    std::array<Totals, 12> months; // January .. December
    Totals totals;
    int unreadable = 0;
};

Month month(const BudgetStore &store, const QString &account, int year, int month);
Year year(const BudgetStore &store, const QString &account, int year);

// The name the journal gives an empty post.
QString noPost();

} // namespace BudgetSummary

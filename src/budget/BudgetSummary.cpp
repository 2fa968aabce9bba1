#include "budget/BudgetSummary.h"

#include "budget/BudgetFormat.h"
#include "budget/BudgetGrid.h"
#include "budget/BudgetMonth.h"
#include "budget/NamedList.h"
#include "common/Money.h"

#include <QMap>

#include <algorithm>

namespace BudgetSummary {

namespace {

// Adds `cents` to `sum`; false, leaving it, when the sum would not fit in
// 64 bits (it is never wrapped).
bool addTo(qint64 &sum, qint64 cents)
{
    const auto s = Money::addCents(sum, cents);
    if (s)
        sum = *s;
    return s.has_value();
}

// Adds one amount cell; an empty cell adds nothing. A cell that is not an
// amount, or that the sum cannot take, is counted as unreadable.
void add(const QString &cell, qint64 &sum, int &unreadable)
{
    if (cell.trimmed().isEmpty())
        return;
    const auto cents = Money::parseCents(cell);
    if (!cents || !addTo(sum, *cents))
        ++unreadable;
}

// The counted rows of the month as the page shows them.
BudgetGrid readGrid(const BudgetStore &store, const QString &account, int year, int month)
{
    BudgetGrid grid;
    BudgetMonth::readMonth(store, BudgetFormat::monthKeyFor(account, year, month), year, month, grid);
    return grid;
}

} // namespace

QString noPost()
{
    return QStringLiteral("Sans poste");
}

Month month(const BudgetStore &store, const QString &account, int year, int month)
{
    Month out;
    const BudgetGrid grid = readGrid(store, account, year, month);
    // A post is used with a capital first letter from the day it is chosen
    // (older lines may keep the small one): both are the same post.
    QMap<QString, qint64> byPost;
    for (int r = 0; r < grid.lineCount(); ++r) {
        qint64 expense = 0;
        add(grid.cell(r, BudgetGrid::Expense), expense, out.unreadable);
        add(grid.cell(r, BudgetGrid::Income), out.totals.income, out.unreadable);
        if (!addTo(out.totals.expense, expense)) {
            ++out.unreadable;
            continue;
        }
        const QString post = grid.cell(r, BudgetGrid::Post).trimmed();
        if (expense != 0)
            addTo(byPost[post.isEmpty() ? noPost() : NamedList::withCapitalFirst(post)], expense);
    }
    for (auto it = byPost.cbegin(); it != byPost.cend(); ++it) {
        if (it.value() != 0)
            out.byPost.append({it.key(), it.value()});
    }
    std::stable_sort(out.byPost.begin(), out.byPost.end(),
                     [](const PostTotal &a, const PostTotal &b) { return a.cents > b.cents; });
    return out;
}

Year year(const BudgetStore &store, const QString &account, int year)
{
    Year out;
    for (int m = 1; m <= 12; ++m) {
        const BudgetGrid grid = readGrid(store, account, year, m);
        Totals &t = out.months[m - 1];
        for (int r = 0; r < grid.lineCount(); ++r) {
            add(grid.cell(r, BudgetGrid::Expense), t.expense, out.unreadable);
            add(grid.cell(r, BudgetGrid::Income), t.income, out.unreadable);
        }
        if (!addTo(out.totals.expense, t.expense))
            ++out.unreadable;
        if (!addTo(out.totals.income, t.income))
            ++out.unreadable;
    }
    return out;
}

} // namespace BudgetSummary

#pragma once

#include <QList>
#include <QString>

#include <array>

class BudgetPage;
class MmCanvas;

// Printing of the budget month shown (ImpBudget): a journal with the page
// header Entete on every page, one line per counted row, and after a rule
// the sums of the expenses and of the incomes. A new page starts before a
// line would pass the bottom of the printable area.
namespace BudgetPrint {

struct Journal
{
    QString monthName; // "Janvier" .. "Décembre"
    int year = 0;
    QString account; // named in the heading after the month
    // Counted rows: date, post, description, expense, income.
    QList<std::array<QString, 5>> rows;
};

Journal journalOf(const BudgetPage &page);
// The page header in the given title size (10 on the first page, 8 after).
void Entete(MmCanvas &canvas, const Journal &journal, int titleSize);
void ImpBudget(MmCanvas &canvas, const Journal &journal);

} // namespace BudgetPrint

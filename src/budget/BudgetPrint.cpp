#include "budget/BudgetPrint.h"

#include "budget/BudgetPage.h"
#include "common/MmCanvas.h"
#include "common/Money.h"

namespace BudgetPrint {

namespace {

const QString kArial = QStringLiteral("Arial");

// Columns in millimetres: date, post, description left-aligned; expense and
// income right-aligned at their right edge.
constexpr int kPostX = 24;
constexpr int kDescriptionX = 70;
constexpr int kExpenseRight = 140;
constexpr int kIncomeRight = 180;
constexpr int kAmountWidth = 20;

} // namespace

Journal journalOf(const BudgetPage &page)
{
    const auto &month = page.budget();
    Journal j;
    j.monthName = month.monthName();
    j.year = month.year();
    j.account = page.account();
    const auto &grid = month.grid();
    for (int r = 0; r < grid.lineCount(); ++r)
        j.rows.append({grid.cell(r, 0), grid.cell(r, 1), grid.cell(r, 2), grid.cell(r, 3), grid.cell(r, 4)});
    return j;
}

void Entete(MmCanvas &canvas, const Journal &journal, int titleSize)
{
    canvas.setFont(kArial, titleSize, true);
    QString title = QStringLiteral("Journal de %1 %2").arg(journal.monthName).arg(journal.year);
    if (!journal.account.isEmpty())
        title += QStringLiteral(" - ") + journal.account;
    canvas.textIn(0, 0, kIncomeRight, title);
    canvas.setFont(kArial, 8, true);
    canvas.textIn(0, 7, kPostX - 3, QStringLiteral("Date"));
    canvas.textIn(22, 7, kDescriptionX - 23, QStringLiteral("Poste"));
    canvas.textIn(kDescriptionX, 7, kExpenseRight - kAmountWidth - kDescriptionX - 2, QStringLiteral("Libellé"));
    canvas.textInRight(kExpenseRight, 7, kAmountWidth, QStringLiteral("Dépenses"));
    canvas.textInRight(kIncomeRight, 7, kIncomeRight - kExpenseRight - 2, QStringLiteral("Recettes"));
    canvas.setFont(kArial, 8, false);
    canvas.line(0, 12, kIncomeRight, 12);
}

void ImpBudget(MmCanvas &canvas, const Journal &journal)
{
    canvas.setFont(kArial, 10);
    Entete(canvas, journal, 10);
    int y = 15;
    qint64 expenses = 0;
    qint64 incomes = 0;
    auto newPageIfFull = [&](int needed) {
        if (canvas.lineFits(y + needed))
            return;
        canvas.newPage();
        Entete(canvas, journal, 8);
        y = 15;
    };
    for (const auto &row : journal.rows) {
        newPageIfFull(0);
        canvas.textIn(0, y, kPostX - 2, row[0]);
        canvas.textIn(kPostX, y, kDescriptionX - kPostX - 1, row[1]);
        canvas.textIn(kDescriptionX, y, kExpenseRight - kAmountWidth - kDescriptionX - 2, row[2]);
        // Amounts are exact cents; a cell that is not a number, or one the
        // sum cannot take without leaving 64 bits, prints as it stands and
        // adds nothing.
        const QString expense = row[3].trimmed();
        const QString income = row[4].trimmed();
        auto add = [](qint64 &sum, const QString &cell) {
            sum = Money::addCents(sum, Money::parseCents(cell).value_or(0)).value_or(sum);
        };
        if (!expense.isEmpty()) {
            add(expenses, expense);
            canvas.textInRight(kExpenseRight, y, kAmountWidth, expense);
        }
        if (!income.isEmpty()) {
            add(incomes, income);
            canvas.textInRight(kIncomeRight, y, kIncomeRight - kExpenseRight - 2, income);
        }
        y += 5;
    }
    // The rule and the sums stay together.
    newPageIfFull(5);
    canvas.line(0, y, kIncomeRight, y);
    y += 5;
    canvas.textInRight(kExpenseRight, y, kAmountWidth + 10, Money::formatCents(expenses));
    canvas.textInRight(kIncomeRight, y, kIncomeRight - kExpenseRight - 2, Money::formatCents(incomes));
}

} // namespace BudgetPrint

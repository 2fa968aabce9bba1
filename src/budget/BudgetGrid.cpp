#include "budget/BudgetGrid.h"

#include "common/Amount.h"

#include <utility>

const QString &BudgetGrid::cell(int row, int column) const
{
    static const QString none;
    return contains(row, column) ? m_cells[index(row, column)] : none;
}

void BudgetGrid::setCell(int row, int column, const QString &text)
{
    if (contains(row, column))
        m_cells[index(row, column)] = text;
}

void BudgetGrid::clear()
{
    for (QString &c : m_cells)
        c.clear();
    m_lineCount = 0;
}

int BudgetGrid::countLines()
{
    int n = 0;
    while (n < Rows && !cell(n, Date).isEmpty())
        ++n;
    m_lineCount = n;
    return n;
}

void BudgetGrid::swapRows(int a, int b)
{
    if (!contains(a, 0) || !contains(b, 0))
        return;
    for (int c = 0; c < Columns; ++c)
        std::swap(m_cells[index(a, c)], m_cells[index(b, c)]);
}

void BudgetGrid::removeRow(int row)
{
    if (!contains(row, 0))
        return;
    for (int r = row; r < Rows - 1; ++r) {
        for (int c = 0; c < Columns; ++c)
            m_cells[index(r, c)] = std::move(m_cells[index(r + 1, c)]);
    }
    for (int c = 0; c < Columns; ++c)
        m_cells[index(Rows - 1, c)].clear();
    countLines();
}

void BudgetGrid::sortByDay()
{
    const int n = m_lineCount;
    for (int i = 0; i < n - 1; ++i) {
        for (int j = i + 1; j < n; ++j) {
            if (QStringView(cell(i, Date)).left(2).compare(QStringView(cell(j, Date)).left(2)) > 0)
                swapRows(i, j);
        }
    }
}

void BudgetGrid::packDatedRows()
{
    std::array<QString, Rows * Columns> packed;
    int next = 0;
    auto take = [&](int r) {
        for (int c = 0; c < Columns; ++c)
            packed[index(next, c)] = std::exchange(m_cells[index(r, c)], QString());
        ++next;
    };
    for (int r = 0; r < Rows; ++r) {
        if (!cell(r, Date).isEmpty())
            take(r);
    }
    for (int r = 0; r < Rows; ++r) {
        bool any = false;
        for (int c = 0; c < Columns && !any; ++c)
            any = !cell(r, c).isEmpty();
        if (any) // the dated rows were emptied when taken
            take(r);
    }
    m_cells = std::move(packed);
}

BudgetGrid::Totals BudgetGrid::totals() const
{
    Totals t;
    auto add = [&t](const QString &text, double &sum) {
        if (text.trimmed().isEmpty())
            return;
        if (const auto v = Amount::parse(text))
            sum += *v;
        else
            ++t.unreadable;
    };
    for (int r = 0; r < Rows; ++r) {
        add(cell(r, Expense), t.expense);
        add(cell(r, Income), t.income);
    }
    return t;
}

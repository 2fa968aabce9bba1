#include "budget/BudgetMonth.h"

#include "budget/BudgetFormat.h"
#include "common/Amount.h"
#include "common/DateText.h"
#include "common/TextFile.h"

void BudgetMonth::reset(QDate today)
{
    m_store.clear();
    m_grid.clear();
    m_month = today.month();
    m_year = today.year();
    m_changed = false;
    m_editing = false;
    m_editedRow = 0;
    m_shownAccount.clear();
    m_shownKey.clear();
}

void BudgetMonth::loadLines(const QStringList &lines)
{
    m_store.setLines(lines);
    m_changed = false;
    m_editing = false;
    m_grid.clear();
    m_shownAccount.clear();
    m_shownKey.clear();
}

QString BudgetMonth::monthName() const
{
    return DateText::frenchMonth(m_month);
}

QString BudgetMonth::caption() const
{
    return QStringLiteral("Budget - ") + monthName() + u' ' + QString::number(m_year);
}

void BudgetMonth::setMonth(int month)
{
    if (month >= 1 && month <= 12)
        m_month = month;
}

void BudgetMonth::previousMonth()
{
    if (m_month == 1) {
        m_month = 12;
        --m_year;
    } else {
        --m_month;
    }
}

void BudgetMonth::nextMonth()
{
    if (m_month == 12) {
        m_month = 1;
        ++m_year;
    } else {
        ++m_month;
    }
}

BudgetMonth::DisplayResult BudgetMonth::readMonth(const BudgetStore &store, const QString &key, int year, int month,
                                                  BudgetGrid &grid)
{
    DisplayResult result;
    grid.clear();
    const auto content = BudgetFormat::readMonth(store.monthLines(key), key, grid);
    result.damagedLines = content.damagedLines;
    // A row without a date (its date line unreadable or missing from the
    // file) would end the count early, and the next write-back would drop
    // every row after it. A month as this program writes it has no such gap
    // and is left as it is.
    grid.packDatedRows();
    grid.countLines();
    result.droppedDeferred = BudgetFormat::appendDeferred(content.deferred, grid, &result.damagedLines,
                                                          DateText::text(QDate(year, month, 1)));
    return result;
}

BudgetMonth::DisplayResult BudgetMonth::openMonth(const QString &account)
{
    const QString key = BudgetFormat::monthKeyFor(account, m_year, m_month);
    const DisplayResult result = readMonth(m_store, key, m_year, m_month, m_grid);
    m_shownAccount = account;
    m_shownKey = key;
    m_editing = false;
    m_editedRow = 0;
    return result;
}

bool BudgetMonth::storeMonth()
{
    if (!m_changed || m_shownKey.isEmpty())
        return false;
    m_store.replaceMonth(m_shownKey, BudgetFormat::writeMonth(m_shownKey, m_grid));
    return true;
}

BudgetMonth::Entry BudgetMonth::takeRow(int row)
{
    Entry e;
    if (row < 0 || row >= BudgetGrid::Rows)
        return e;
    e.date = m_grid.cell(row, BudgetGrid::Date);
    e.post = m_grid.cell(row, BudgetGrid::Post);
    e.description = m_grid.cell(row, BudgetGrid::Description);
    e.expense = m_grid.cell(row, BudgetGrid::Expense).trimmed();
    e.income = m_grid.cell(row, BudgetGrid::Income).trimmed();
    m_editing = row < m_grid.lineCount();
    m_editedRow = m_editing ? row : 0;
    return e;
}

bool BudgetMonth::removeRow(int row)
{
    // Outside the grid every cell reads empty: nothing to remove there.
    bool any = false;
    for (int c = 0; c < BudgetGrid::Columns; ++c)
        any = any || !m_grid.cell(row, c).isEmpty();
    if (!any)
        return false;
    m_grid.removeRow(row);
    if (m_editing && m_editedRow == row)
        m_editing = false;
    else if (m_editing && m_editedRow > row)
        --m_editedRow;
    m_changed = true;
    storeMonth();
    return true;
}

std::optional<QString> BudgetMonth::amountCell(const QString &typed)
{
    if (typed.trimmed().isEmpty())
        return QString();
    const auto v = Amount::parse(Amount::normaliseTyped(typed));
    if (!v)
        return std::nullopt;
    return Amount::rightAligned(Amount::format(*v), BudgetFormat::AmountWidth);
}

BudgetMonth::CommitResult BudgetMonth::commit(const Entry &entry)
{
    if (entry.expense.trimmed().isEmpty() && entry.income.trimmed().isEmpty())
        return CommitResult::NoAmount;
    const auto expense = amountCell(entry.expense);
    if (!expense)
        return CommitResult::BadExpense;
    const auto income = amountCell(entry.income);
    if (!income)
        return CommitResult::BadIncome;
    int row = m_editedRow;
    if (!m_editing) {
        row = m_grid.lineCount();
        if (row >= BudgetGrid::Rows)
            return CommitResult::Full;
        m_grid.setLineCount(row + 1);
    }
    // A cell holds one line: a pasted line break would split its cell line.
    auto cellText = [](const QString &typed) { return TextFile::oneLine(typed); };
    m_grid.setCell(row, BudgetGrid::Date, cellText(entry.date));
    m_grid.setCell(row, BudgetGrid::Post, cellText(entry.post));
    m_grid.setCell(row, BudgetGrid::Description, cellText(entry.description));
    m_grid.setCell(row, BudgetGrid::Expense, *expense);
    m_grid.setCell(row, BudgetGrid::Income, *income);
    m_grid.sortByDay();
    m_changed = true;
    m_editing = false;
    m_editedRow = 0;
    return CommitResult::Committed;
}

#include "budget/BudgetFormat.h"

#include "budget/BudgetGrid.h"
#include "common/Amount.h"
#include "common/Cp1252.h"

#include <optional>

namespace BudgetFormat {

namespace {

// A whole field of decimal digits, with an optional sign; nothing for
// anything else (blanks included), which marks a damaged line.
std::optional<int> number(QStringView field)
{
    if (field.isEmpty())
        return std::nullopt;
    int sign = 1;
    qsizetype i = 0;
    if (field[0] == u'-' || field[0] == u'+') {
        sign = field[0] == u'-' ? -1 : 1;
        i = 1;
    }
    if (i == field.size())
        return std::nullopt;
    int value = 0;
    for (; i < field.size(); ++i) {
        const char16_t c = field[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return sign * value;
}

} // namespace

int accountSum(const QString &account)
{
    int sum = 0;
    for (const QChar c : account) {
        const int b = Cp1252::byteOf(c);
        sum += b >= 0 ? b : int('?');
    }
    return sum;
}

QString accountCode(const QString &account)
{
    return QStringLiteral("%1").arg(accountSum(account), 3, 16, QLatin1Char('0')).toUpper();
}

bool accountCodeFits(const QString &account)
{
    return accountSum(account) <= 0xFFF;
}

QString monthKey(const QString &accountCode, int year, int month)
{
    return accountCode + QString::number(year) + QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0'));
}

QString monthKeyFor(const QString &account, int year, int month)
{
    return monthKey(accountCode(account), year, month);
}

QString cellLine(const QString &key, int row, int column, const QString &text)
{
    QString line;
    line.reserve(key.size() + 4 + text.size());
    line += key;
    line += QStringLiteral("%1").arg(row, 3, 10, QLatin1Char('0'));
    line += QChar(u'0' + column);
    line += text;
    return line;
}

MonthContent readMonth(const QStringList &lines, const QString &key, BudgetGrid &grid)
{
    MonthContent out;
    const qsizetype k = key.size();
    DeferredEntry current;
    bool currentUsed = false;
    for (const QString &line : lines) {
        if (!line.startsWith(key))
            continue;
        const auto row = number(QStringView(line).mid(k, 3));
        const auto column = number(QStringView(line).mid(k + 3, 1));
        if (!row || !column) {
            ++out.damagedLines;
            continue;
        }
        // The text is read whole: a cut here would lose the end of a long
        // cell at the next write-back of its month.
        const QString text = line.mid(k + 4);
        if (*row == DeferredRow) {
            if (*column < 0 || *column > 4)
                continue;
            current[*column] = text;
            currentUsed = true;
            if (*column == 4) {
                out.deferred.push_back(current);
                current = {};
                currentUsed = false;
            }
        } else if (*row >= 0 && *row < BudgetGrid::Rows && *column >= 0 && *column < BudgetGrid::Columns) {
            grid.setCell(*row, *column, text);
        }
    }
    // An entry whose closing column never came is still shown.
    if (currentUsed)
        out.deferred.push_back(current);
    return out;
}

QStringList writeMonth(const QString &key, const BudgetGrid &grid)
{
    QStringList out;
    out.reserve(grid.lineCount() * BudgetGrid::Columns);
    for (int r = 0; r < grid.lineCount(); ++r) {
        for (int c = 0; c < BudgetGrid::Columns; ++c)
            out << cellLine(key, r, c, grid.cell(r, c));
    }
    return out;
}

QString deferredAmount(const QString &text, bool *damaged)
{
    if (text.trimmed().isEmpty())
        return QString();
    if (const auto v = Amount::parse(text))
        return Amount::rightAligned(Amount::format(*v), AmountWidth);
    if (damaged)
        *damaged = true;
    return Amount::rightAligned(text.trimmed(), AmountWidth);
}

int appendDeferred(const std::vector<DeferredEntry> &entries, BudgetGrid &grid, int *damaged,
                   const QString &missingDate)
{
    int dropped = 0;
    for (const DeferredEntry &e : entries) {
        const int row = grid.lineCount();
        if (row >= BudgetGrid::Rows) {
            ++dropped;
            continue;
        }
        bool bad = false;
        grid.setCell(row, BudgetGrid::Date, e[0].trimmed().isEmpty() ? missingDate : e[0]);
        grid.setCell(row, BudgetGrid::Post, e[1]);
        grid.setCell(row, BudgetGrid::Description, e[2]);
        grid.setCell(row, BudgetGrid::Expense, deferredAmount(e[3], &bad));
        grid.setCell(row, BudgetGrid::Income, deferredAmount(e[4], &bad));
        if (bad && damaged)
            ++*damaged;
        grid.setLineCount(row + 1);
    }
    return dropped;
}

} // namespace BudgetFormat

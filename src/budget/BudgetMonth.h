#pragma once

#include "budget/BudgetGrid.h"
#include "budget/BudgetStore.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// The budget section without its widgets: the store of all months of all
// accounts, the displayed month and the grid that shows it, the entry rules
// and the two flags.
//
// The grid always belongs to one month key, the one it was read for (the
// shown key): writing back keys its lines by that account, month and year,
// never by whatever the account box says at the time, so one account's lines
// can never be stored under another's.
class BudgetMonth
{
public:
    // One journal line as the entry line holds it.
    struct Entry
    {
        QString date;
        QString post;
        QString description;
        QString expense;
        QString income;
    };

    enum class CommitResult
    {
        Committed,
        NoAmount,   // both amounts empty: nothing done
        BadExpense, // the expense is not a number: nothing done
        BadIncome,  // the income is not a number: nothing done
        Full,       // all 128 rows are counted: nothing done
    };

    struct DisplayResult
    {
        int damagedLines = 0;    // lines skipped or amounts kept as text
        int droppedDeferred = 0; // deferred entries that found no free row
    };

    // A new document: empty store, the given month, flags clear, no month
    // shown.
    void reset(QDate today);

    // ChargeBudget: the store takes the file's lines (short ones dropped)
    // and the budget-changed flag clears; the grid shows nothing until the
    // next display.
    void loadLines(const QStringList &lines);
    QStringList fileLines() const { return m_store.lines(); }
    const BudgetStore &store() const { return m_store; }
    // For changes to months other than through the grid (an import): the
    // caller displays the month again afterwards.
    BudgetStore &store() { return m_store; }

    int month() const { return m_month; }
    int year() const { return m_year; }
    // "Janvier" .. "Décembre".
    QString monthName() const;
    // "Budget - " + month name + " " + year.
    QString caption() const;
    void setMonth(int month); // 1..12, the year unchanged
    void setYear(int year) { m_year = year; }
    // One month back or on, the year carried.
    void previousMonth();
    void nextMonth();

    // LitMois, steps 3 to 6: reads the displayed month of `account` into the
    // grid, lays the deferred entries under it and clears the editing state.
    DisplayResult openMonth(const QString &account);
    // Reads the month `key` (of that year and month) from the store into a
    // cleared grid as the page shows it: rows without a date packed away,
    // deferred entries laid under the counted rows.
    static DisplayResult readMonth(const BudgetStore &store, const QString &key, int year, int month, BudgetGrid &grid);
    // EcritMois: when the budget-changed flag is set and a month is shown,
    // replaces that month's lines in the store by the grid's counted rows.
    // Returns whether the store was written (the document is then modified).
    bool storeMonth();

    bool hasShownMonth() const { return !m_shownKey.isEmpty(); }
    const QString &shownAccount() const { return m_shownAccount; }
    const QString &shownKey() const { return m_shownKey; }

    const BudgetGrid &grid() const { return m_grid; }
    BudgetGrid &grid() { return m_grid; }

    // The budget-changed flag: set by a change to the grid, cleared only by
    // loading and saving the file.
    bool changed() const { return m_changed; }
    void setChanged(bool on) { m_changed = on; }
    void markSaved() { m_changed = false; }

    // Editing state: a double click took a counted row for change.
    bool editing() const { return m_editing; }
    int editedRow() const { return m_editedRow; }

    // StringGrid1DblClick: the entry line for the row. A counted row is
    // taken for change (its amounts trimmed); a row below the counted lines
    // is not: its text, if any, comes back as a new line that the next
    // commit adds at the first free row, so nothing typed is left uncounted.
    Entry takeRow(int row);

    // The commit of the entry line (Enter): the amounts are typed with "."
    // or ",", become "0.00" right-aligned in 16 characters; the line goes to
    // the edited row or to the first free row; the rows are ordered by day.
    CommitResult commit(const Entry &entry);
    // Deletes a journal line: the row goes from the grid (a counted row, or
    // one below them that holds text), the month is stored again at once
    // and the entry line no longer edits it. False when the row is empty.
    bool removeRow(int row);
    // The text an amount cell gets for a typed amount; nothing when it is not
    // a number; an empty text for an empty box.
    static std::optional<QString> amountCell(const QString &typed);

private:
    BudgetStore m_store;
    BudgetGrid m_grid;
    int m_month = 1;
    int m_year = 2000;
    bool m_changed = false;
    bool m_editing = false;
    int m_editedRow = 0;
    QString m_shownAccount;
    QString m_shownKey;
};

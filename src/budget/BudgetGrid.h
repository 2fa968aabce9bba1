#pragma once

#include <QString>

#include <algorithm>
#include <array>

// The journal of one month as the grid shows it: 128 rows of 6 text cells.
//
//   column 0 date "dd/mm/yyyy", 1 post, 2 description, 3 expense, 4 income,
//   5 a mark column carried unchanged by reading and writing.
//
// The line count is the number of leading rows whose date is not empty;
// rows below it are neither written to the store nor printed, but the
// on-screen totals still add them.
class BudgetGrid
{
public:
    static constexpr int Rows = 128;
    static constexpr int Columns = 6;
    enum Column
    {
        Date = 0,
        Post = 1,
        Description = 2,
        Expense = 3,
        Income = 4,
        Mark = 5
    };

    // A cell outside the grid reads empty and takes nothing.
    static bool contains(int row, int column) { return row >= 0 && row < Rows && column >= 0 && column < Columns; }
    const QString &cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

    void clear();

    // CompteLignes: recounts and returns the line count.
    int countLines();
    int lineCount() const { return m_lineCount; }
    void setLineCount(int n) { m_lineCount = std::clamp(n, 0, Rows); }

    // TriBgt: orders the counted rows by day. For i < j, rows i and j swap
    // whole when the first two characters of row i's date (the day) compare
    // greater, as text, than row j's. Only the day counts: all rows of a
    // month share month and year.
    void sortByDay();
    void swapRows(int a, int b);
    // Takes row `row` away: the rows under it move up one, the last row
    // comes back empty, and the lines are counted again.
    void removeRow(int row);

    // Closes the gaps left by rows without a date: the rows that have one
    // move up, in order, so the line count takes them all in; rows with other
    // cells but no date follow them, in order. Used when a month is read,
    // so that the rows after a lost date stay counted.
    void packDatedRows();

    struct Totals
    {
        double expense = 0.0;
        double income = 0.0;
        int unreadable = 0; // amount cells that are not numbers, left out
    };
    // Total: the sums of the trimmed expense and income cells of all 128
    // rows, counted or not.
    Totals totals() const;

private:
    static int index(int row, int column) { return row * Columns + column; }

    std::array<QString, Rows * Columns> m_cells;
    int m_lineCount = 0;
};

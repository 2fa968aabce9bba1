#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

// The budget store: every cell line of every written month, in file order
// (see BudgetFormat for the line format).
//
// A month is found by its key without scanning the whole store: the lines
// are kept in runs of consecutive lines sharing their first 9 characters
// (the key of a 3-digit account code), and an index maps those 9
// characters to the runs that carry them. Writing a month back retires the
// month's lines where they were and appends the new ones as a run at the
// end, exactly where a rewrite of the whole list would put them, so lines()
// always gives the file order.
class BudgetStore
{
public:
    // Replaces the store by a file's lines; lines shorter than 10
    // characters are dropped (VerifBgt). Returns how many were dropped.
    int setLines(const QStringList &lines);
    void clear();

    // The whole store in file order.
    QStringList lines() const;
    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    // The first 9 characters (a month key of a 3-digit account code) of
    // every line, each once, in no particular order.
    QStringList keys() const { return m_index.keys(); }

    // Every line that starts with the month key, in store order.
    QStringList monthLines(const QString &key) const;

    // Deletes every line that starts with the key and appends `lines` (all
    // carrying that key) at the end of the store.
    void replaceMonth(const QString &key, const QStringList &lines);

private:
    struct Run
    {
        QStringList lines; // empty once retired
    };
    static constexpr int PrefixLength = 9;

    void appendRun(QStringList lines);
    void compactIfWorthIt();

    std::vector<Run> m_runs;
    QHash<QString, std::vector<int>> m_index; // first 9 characters -> runs, in order
    qsizetype m_size = 0;
    qsizetype m_retiredRuns = 0;
};

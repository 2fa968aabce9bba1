#include "budget/BudgetStore.h"

#include "budget/BudgetFormat.h"

#include <algorithm>

int BudgetStore::setLines(const QStringList &lines)
{
    clear();
    int dropped = 0;
    QStringList run;
    QStringView runPrefix;
    for (const QString &line : lines) {
        if (line.size() < BudgetFormat::MinimumLineLength) {
            ++dropped;
            continue;
        }
        const QStringView prefix = QStringView(line).left(PrefixLength);
        if (!run.isEmpty() && prefix != runPrefix) {
            appendRun(std::move(run));
            run = QStringList();
        }
        run.append(line);
        runPrefix = QStringView(run.constLast()).left(PrefixLength);
    }
    if (!run.isEmpty())
        appendRun(std::move(run));
    return dropped;
}

void BudgetStore::clear()
{
    m_runs.clear();
    m_index.clear();
    m_size = 0;
    m_retiredRuns = 0;
}

void BudgetStore::appendRun(QStringList lines)
{
    const QString prefix = lines.constFirst().left(PrefixLength);
    m_size += lines.size();
    m_runs.push_back(Run{std::move(lines)});
    m_index[prefix].push_back(int(m_runs.size() - 1));
}

QStringList BudgetStore::lines() const
{
    QStringList out;
    out.reserve(m_size);
    for (const Run &r : m_runs)
        out += r.lines;
    return out;
}

QStringList BudgetStore::monthLines(const QString &key) const
{
    QStringList out;
    const auto it = m_index.constFind(key.left(PrefixLength));
    if (it == m_index.cend())
        return out;
    for (const int i : *it) {
        for (const QString &line : m_runs[i].lines) {
            // A key longer than 9 characters (a 4-digit account code) shares
            // its runs with other keys; only its own lines count.
            if (line.startsWith(key))
                out.append(line);
        }
    }
    return out;
}

void BudgetStore::replaceMonth(const QString &key, const QStringList &lines)
{
    const QString prefix = key.left(PrefixLength);
    auto it = m_index.find(prefix);
    if (it != m_index.end()) {
        std::vector<int> &runs = *it;
        for (const int i : runs) {
            QStringList &runLines = m_runs[i].lines;
            const qsizetype before = runLines.size();
            if (key.size() == PrefixLength)
                runLines.clear();
            else
                runLines.removeIf([&key](const QString &l) { return l.startsWith(key); });
            m_size -= before - runLines.size();
            if (runLines.isEmpty() && before > 0)
                ++m_retiredRuns;
        }
        runs.erase(std::remove_if(runs.begin(), runs.end(), [this](int i) { return m_runs[i].lines.isEmpty(); }),
                   runs.end());
        if (runs.empty())
            m_index.erase(it);
    }
    if (!lines.isEmpty())
        appendRun(lines);
    compactIfWorthIt();
}

void BudgetStore::compactIfWorthIt()
{
    // Retired runs cost a few bytes each; drop them once they outnumber
    // the live ones, so a long session does not let them pile up.
    if (m_retiredRuns < 1024 || m_retiredRuns < qsizetype(m_runs.size()) / 2)
        return;
    std::vector<Run> live;
    live.reserve(m_runs.size() - m_retiredRuns);
    for (Run &r : m_runs) {
        if (!r.lines.isEmpty())
            live.push_back(std::move(r));
    }
    m_runs = std::move(live);
    m_index.clear();
    for (int i = 0; i < int(m_runs.size()); ++i)
        m_index[m_runs[i].lines.constFirst().left(PrefixLength)].push_back(i);
    m_retiredRuns = 0;
}

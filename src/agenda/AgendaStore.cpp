#include "agenda/AgendaStore.h"

#include "agenda/AgendaOrder.h"
#include "common/DateText.h"
#include "common/TextFile.h"

#include <algorithm>

namespace {

// Up to this many unsorted lines at the end of the store are scanned; a
// longer tail is looked up through a hash of its keys.
constexpr qsizetype TailScanLimit = 64;

} // namespace

AgendaStore::AgendaStore()
{
    reset();
}

void AgendaStore::reset()
{
    setLines({QStringLiteral(" ")});
}

void AgendaStore::setLines(QStringList lines)
{
    m_lines = std::move(lines);
    m_sorted = 0;
    extendSortedRun();
    changed();
}

void AgendaStore::dropShortTopLines()
{
    // Only blank lines go: that is what this program writes there (the single
    // blank of a new store). A short line the user typed sorts to the top as
    // well and must survive.
    while (!m_lines.isEmpty() && m_lines.constFirst().size() < KeyLength && m_lines.constFirst().trimmed().isEmpty())
        removeAt(0);
}

void AgendaStore::extendSortedRun()
{
    const qsizetype n = m_lines.size();
    if (m_sorted == 0 && n > 0)
        m_sorted = 1;
    while (m_sorted < n && !AgendaOrder::lineLess(m_lines.at(m_sorted), m_lines.at(m_sorted - 1)))
        ++m_sorted;
}

void AgendaStore::changed()
{
    m_tailIndexValid = false;
}

void AgendaStore::removeAt(qsizetype i)
{
    m_lines.removeAt(i);
    if (i < m_sorted)
        --m_sorted;
    changed();
}

AgendaStore::Range AgendaStore::sortedRange(QStringView key) const
{
    // In the sorted run the first 8 characters never decrease (AgendaOrder
    // compares the first 13 characters first), so the lines of one key are
    // together.
    const auto first = m_lines.cbegin();
    const auto last = first + m_sorted;
    const auto lo = std::lower_bound(first, last, key, [](const QString &line, QStringView k) {
        return AgendaOrder::compareFolded(line, k, KeyLength) < 0;
    });
    const auto hi = std::upper_bound(lo, last, key, [](QStringView k, const QString &line) {
        return AgendaOrder::compareFolded(k, line, KeyLength) < 0;
    });
    return {lo - first, hi - first};
}

QList<qsizetype> AgendaStore::tailPositions(QStringView key) const
{
    const qsizetype n = m_lines.size();
    QList<qsizetype> out;
    if (n - m_sorted <= TailScanLimit) {
        for (qsizetype i = m_sorted; i < n; ++i) {
            if (QStringView(m_lines.at(i)).left(KeyLength) == key)
                out.append(i);
        }
        return out;
    }
    if (!m_tailIndexValid) {
        m_tailIndex.clear();
        for (qsizetype i = m_sorted; i < n; ++i) {
            const QString &line = m_lines.at(i);
            if (line.size() >= KeyLength)
                m_tailIndex[line.left(KeyLength)].append(i);
        }
        m_tailIndexValid = true;
    }
    return m_tailIndex.value(key.toString());
}

QStringList AgendaStore::dayItems(QDate day) const
{
    return dayItems(DateText::key(day));
}

QStringList AgendaStore::dayItems(QStringView key) const
{
    QStringList items;
    if (key.size() != KeyLength)
        return items;
    const Range r = sortedRange(key);
    for (qsizetype i = r.begin; i < r.end; ++i) {
        const QString &line = m_lines.at(i);
        if (QStringView(line).left(KeyLength) == key)
            items.append(line.mid(KeyLength));
    }
    for (qsizetype i : tailPositions(key))
        items.append(m_lines.at(i).mid(KeyLength));
    return items;
}

void AgendaStore::setDayItems(QDate day, const QStringList &items)
{
    const QString key = DateText::key(day);
    const Range r = sortedRange(key);
    if (r.end > r.begin) {
        m_lines.remove(r.begin, r.end - r.begin);
        m_sorted -= r.end - r.begin;
        changed();
    }
    const QList<qsizetype> tail = tailPositions(key);
    for (auto it = tail.crbegin(); it != tail.crend(); ++it)
        m_lines.removeAt(*it);
    if (!tail.isEmpty())
        changed();
    for (const QString &item : items)
        append(key + item);
}

void AgendaStore::setWeekItems(QDate monday, const std::array<QStringList, 7> &days)
{
    for (int i = 0; i < 7; ++i)
        setDayItems(monday.addDays(i), days[i]);
    sort();
}

bool AgendaStore::removeFirstWithId(QStringView id)
{
    return removeFirstMatching(id, [id](const QString &line) { return QStringView(line).left(IdLength) == id; });
}

bool AgendaStore::removeLine(QStringView line)
{
    return removeFirstMatching(line, [line](const QString &l) { return QStringView(l) == line; });
}

bool AgendaStore::removeFirstMatching(QStringView probe, const std::function<bool(const QString &)> &matches)
{
    if (probe.size() < KeyLength) {
        // No date key to look up by: only a line as short as `probe` can match.
        const auto it = std::find_if(m_lines.cbegin(), m_lines.cend(), matches);
        if (it == m_lines.cend())
            return false;
        removeAt(it - m_lines.cbegin());
        return true;
    }
    const QStringView key = probe.left(KeyLength);
    const Range r = sortedRange(key);
    for (qsizetype i = r.begin; i < r.end; ++i) {
        if (matches(m_lines.at(i))) {
            removeAt(i);
            return true;
        }
    }
    for (qsizetype i : tailPositions(key)) {
        if (matches(m_lines.at(i))) {
            removeAt(i);
            return true;
        }
    }
    return false;
}

void AgendaStore::append(const QString &line)
{
    m_lines.append(TextFile::oneLine(line, true));
    // A line appended to a fully sorted store may keep it sorted.
    if (m_sorted == m_lines.size() - 1)
        extendSortedRun();
    changed();
}

QString AgendaStore::makeLine(const QString &key, const QString &time, const QString &message)
{
    return key + time + u' ' + message;
}

void AgendaStore::addAppointment(const QString &key, const QString &time, const QString &message)
{
    removeFirstWithId(QString(key + time));
    append(makeLine(key, time, message));
}

void AgendaStore::changeAppointment(QDate oldDay, const QString &oldItem, const QString &key, const QString &time,
                                    const QString &message)
{
    const QString oldKey = DateText::key(oldDay);
    if (!removeLine(QString(oldKey + oldItem)))
        removeFirstWithId(QString(oldKey + oldItem.left(5)));
    append(makeLine(key, time, message));
}

void AgendaStore::sort()
{
    extendSortedRun();
    if (m_sorted >= m_lines.size())
        return;
    const auto first = m_lines.begin();
    const auto middle = first + m_sorted;
    const auto last = m_lines.end();
    std::stable_sort(middle, last, AgendaOrder::lineLess);
    std::inplace_merge(first, middle, last, AgendaOrder::lineLess);
    m_sorted = m_lines.size();
    changed();
}

bool AgendaStore::isSorted() const
{
    return std::is_sorted(m_lines.cbegin(), m_lines.cend(), AgendaOrder::lineLess);
}

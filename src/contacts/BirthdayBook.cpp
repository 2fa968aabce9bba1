#include "contacts/BirthdayBook.h"

#include "common/TextFile.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

void BirthdayBook::reset()
{
    m_half = 0;
    setLines({});
}

void BirthdayBook::setLines(const QStringList &lines)
{
    m_lines = lines;
    readLists();
}

void BirthdayBook::setHalf(int half)
{
    m_half = half == 0 ? 0 : 1;
    readLists();
}

void BirthdayBook::sortEntries(QStringList &entries)
{
    // French collation, case ignored: "15 élise" before "15 Fabien"; equal
    // texts keep a fixed order.
    QCollator collator{QLocale(QLocale::French, QLocale::France)};
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entries.begin(), entries.end(), [&collator](const QString &a, const QString &b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList BirthdayBook::monthEntries(int month) const
{
    const QString key = monthKey(month);
    QStringList entries;
    for (const QString &line : m_lines) {
        if (line.startsWith(key))
            entries.append(line.mid(2));
    }
    sortEntries(entries);
    return entries;
}

QStringList BirthdayBook::on(QDate date) const
{
    QStringList out;
    if (!date.isValid())
        return out;
    const QString day = QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0'));
    for (const QString &entry : monthEntries(date.month())) {
        if (entry.startsWith(day))
            out.append(description(entry));
    }
    return out;
}

void BirthdayBook::readLists()
{
    for (int k = 0; k < ListCount; ++k)
        m_lists[k] = monthEntries(monthOf(k));
    m_changed = false;
}

void BirthdayBook::writeList(int k)
{
    if (k < 0 || k >= ListCount)
        return;
    const QString key = monthKey(monthOf(k));
    m_lines.removeIf([&key](const QString &line) { return line.startsWith(key); });
    for (const QString &entry : std::as_const(m_lists[k]))
        m_lines.append(key + entry);
}

bool BirthdayBook::writeLists()
{
    if (!m_changed)
        return false;
    for (int k = 0; k < ListCount; ++k)
        writeList(k);
    m_changed = false;
    return true;
}

bool BirthdayBook::add(QDate date, const QString &description)
{
    if (description.isEmpty() || !date.isValid())
        return false;
    writeLists();
    m_lines.append(monthKey(date.month()) + entryOf(date, description));
    readLists();
    m_changed = true;
    return true;
}

bool BirthdayBook::validEntry(int k, int index) const
{
    return k >= 0 && k < ListCount && index >= 0 && index < m_lists[k].size();
}

bool BirthdayBook::change(int k, int index, QDate picked, const QString &description)
{
    if (!validEntry(k, index) || description.isEmpty() || !picked.isValid())
        return false;
    m_lists[k][index] = entryOf(picked, description);
    sortEntries(m_lists[k]);
    m_changed = true;
    return true;
}

bool BirthdayBook::remove(int k, int index)
{
    if (!validEntry(k, index))
        return false;
    m_lists[k].removeAt(index);
    m_changed = true;
    return true;
}

QDate BirthdayBook::dateOf(int k, int index, int year) const
{
    const int month = monthOf(k);
    bool ok = false;
    int day = validEntry(k, index) ? m_lists[k][index].left(2).toInt(&ok) : 0;
    if (!ok || day < 1)
        day = 1;
    if (month == 2 && day == 29) {
        while (!QDate::isLeapYear(year))
            ++year;
    }
    const int last = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, std::min(day, last));
}

QString BirthdayBook::description(const QString &entry)
{
    return entry.mid(3);
}

QString BirthdayBook::entryOf(QDate date, const QString &description)
{
    return QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')) + u' ' + TextFile::oneLine(description);
}

const QStringList &BirthdayBook::list(int k) const
{
    static const QStringList none;
    return k >= 0 && k < ListCount ? m_lists[k] : none;
}

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>

// The birthday list: the store (the ".oan" file line for line), the
// half-year shown and its six month lists as they are being edited.
//
// Birthday line: characters 1-2 the month "01" .. "12", 3-4 the day
// "01" .. "31", a blank, then the description as typed. A month list holds
// its lines without the month ("15 Paul"), sorted without regard to case,
// which puts them in day order. Lines of no month ("13..", foreign text) are
// shown nowhere and kept as they are.
class BirthdayBook
{
public:
    static constexpr int ListCount = 6;

    // A new document: no birthdays, first half-year.
    void reset();
    // A loaded file: the store is replaced and the lists read again.
    void setLines(const QStringList &lines);
    const QStringList &lines() const { return m_lines; }

    // 0 = January to June, 1 = July to December.
    int half() const { return m_half; }
    // Shows the other half-year; the caller writes back first.
    void setHalf(int half);
    // The month (1..12) of list k (0..5) in the half-year shown.
    int monthOf(int k) const { return k + 1 + ListCount * m_half; }

    // List k (0..5); an empty list for any other k.
    const QStringList &list(int k) const;
    bool changed() const { return m_changed; }

    // The entries of one month from the store, sorted.
    QStringList monthEntries(int month) const;
    // The descriptions of the birthdays of one day (any year), from the
    // store, in list order.
    QStringList on(QDate date) const;
    // Fills the six lists of the half-year; clears the changed flag.
    void readLists();
    // When the lists were edited, writes all six back into the store.
    // Returns true when the store was rewritten.
    bool writeLists();

    // Files the birthday under the picked date's month, whichever
    // half-year shows. Pending list edits are written back first so that
    // reading the lists again loses none. Returns false (nothing done) for an
    // empty description or an invalid date.
    bool add(QDate date, const QString &description);

    // The entry takes the picked day and the new description; its
    // month does not change, whatever month was picked.
    bool change(int k, int index, QDate picked, const QString &description);
    // Removes an entry of a list (Delete key).
    bool remove(int k, int index);

    // The date the change dialog opens on for an entry: its day, the list's
    // month, in `year`. A day the month lacks is brought back to the month's
    // last day; 29 February moves to the next leap year so that the day
    // shows as stored.
    QDate dateOf(int k, int index, int year) const;
    // The description of an entry: the text after the day and the blank.
    static QString description(const QString &entry);
    // The entry of a month list for a day and a description: the day on two
    // digits, a blank, the description on one line ("05 Paul"). The store
    // line is the month key followed by the entry.
    static QString entryOf(QDate date, const QString &description);

    static void sortEntries(QStringList &entries);
    static QString monthKey(int month) { return QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')); }

private:
    bool validEntry(int k, int index) const;
    // Replaces the store's lines of list k's month by the list.
    void writeList(int k);

    QStringList m_lines;
    int m_half = 0;
    std::array<QStringList, ListCount> m_lists;
    bool m_changed = false;
};

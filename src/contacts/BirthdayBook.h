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

    const QStringList &list(int k) const { return m_lists.at(k); }
    bool changed() const { return m_changed; }

    // GetMois: the entries of one month from the store, sorted.
    QStringList GetMois(int month) const;
    // LitAnniv: fill the six lists of the half-year; clears the changed flag.
    void LitAnniv();
    // MetAnniv: replace the store's lines of list k's month by the list.
    void MetAnniv(int k);
    // EcritAnniv: when the lists were edited, write all six back. Returns
    // true when the store was rewritten.
    bool EcritAnniv();

    // AjoutAnniv: files the birthday under the picked date's month, whichever
    // half-year shows. Pending list edits are written back first so that
    // reading the lists again loses none. Returns false (nothing done) for an
    // empty description or an invalid date.
    bool AjoutAnniv(QDate date, const QString &description);

    // MajAnniv: the entry takes the picked day and the new description; its
    // month does not change, whatever month was picked.
    bool MajAnniv(int k, int index, QDate picked, const QString &description);
    // Removes an entry of a list (Delete key).
    bool remove(int k, int index);

    // The date the change dialog opens on for an entry: its day, the list's
    // month, in `year`. A day the month lacks is brought back to the month's
    // last day; 29 February moves to the next leap year so that the day
    // shows as stored.
    QDate dateOf(int k, int index, int year) const;
    // The description of an entry: the text after the day and the blank.
    static QString description(const QString &entry);

    static void sortEntries(QStringList &entries);
    static QString monthKey(int month) { return QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')); }

private:
    bool validEntry(int k, int index) const;

    QStringList m_lines;
    int m_half = 0;
    std::array<QStringList, ListCount> m_lists;
    bool m_changed = false;
};

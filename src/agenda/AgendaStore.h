#pragma once

#include <functional>

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The organiser store: every appointment of the document, one per line, in
// the order of the organiser file (".orz").
//
// Line format:
//   characters 1-8   date key "yyyymmdd"
//   characters 9-13  time as typed in the appointment dialog: two hour
//                    positions (an hour below 10 may have a leading blank
//                    instead of a zero), ":", two minute digits
//   character 14     a blank
//   characters 15-   the message, any characters but line ends
// A line shorter than 8 characters carries no appointment; a new document
// holds a single line made of one blank.
//
// A day list item is the line without its date key: "hh:mm message". An
// appointment is identified by its date key and time, its first 13
// characters.
//
// The store is sorted (AgendaOrder) before every save and whenever an edited
// week is written back; lines added or changed through the appointment
// dialog are appended and stay at the end until the next sort. Loading does
// not sort. So the store is a sorted run followed by a short unsorted tail:
// a day's lines are found by binary search in the run (where all lines of a
// date are together) and by a scan of the tail, or through a hash of the
// tail when it is long (an unsorted file written elsewhere).
class AgendaStore
{
public:
    static constexpr qsizetype KeyLength = 8;
    static constexpr qsizetype IdLength = 13;

    AgendaStore();

    const QStringList &lines() const { return m_lines; }
    qsizetype size() const { return m_lines.size(); }
    bool isEmpty() const { return m_lines.isEmpty(); }

    // The store of a new document: one line holding a single blank.
    void reset();
    // The lines of a file, in their order (loading does not sort).
    void setLines(QStringList lines);
    // Loading drops the blank lines at the top that are shorter than a date
    // key (the single blank of a new document); it stops at the first other
    // line, so a short line the user typed stays.
    void dropShortTopLines();

    // LitRdv: the items of one day (lines without their key), in store order.
    // Items keep their whole message.
    QStringList dayItems(QDate day) const;
    QStringList dayItems(QStringView key) const;

    // MetRdv: replaces the lines of one day by the key followed by each item,
    // appended in the items' order.
    void setDayItems(QDate day, const QStringList &items);
    // EcritSemaine once the week was edited: MetRdv for the seven days from
    // Monday, then sort.
    void setWeekItems(QDate monday, const std::array<QStringList, 7> &days);

    // AjoutJour: the appointment replaces the first line with the same date
    // key and time and is appended.
    void addAppointment(const QString &key, const QString &time, const QString &message);
    // MajJour: `oldItem` is the item changed, as shown in the day list of
    // `oldDay`. The line equal to the old day's key and that item is
    // replaced when there is one; otherwise the first line with the same
    // date key and time (the item's first 5 characters); when neither
    // exists, the new line is only appended.
    void changeAppointment(QDate oldDay, const QString &oldItem, const QString &key, const QString &time,
                           const QString &message);

    // Sorts the whole store (AgendaOrder, stable).
    void sort();
    bool isSorted() const;

    // Removes the first line whose first 13 characters are `id`; false when
    // there is none.
    bool removeFirstWithId(QStringView id);
    // Removes the first line equal to `line`; false when there is none.
    bool removeLine(QStringView line);
    // Appends a line as it is, but for its line ends, which become blanks;
    // tabs stay (a line read from the file may hold them; what the user types
    // or pastes has lost its own on the way in).
    void append(const QString &line);

    // The line for an appointment: key + time + " " + message, as it is
    // (append turns line ends into blanks, since they would split the line in
    // the file).
    static QString makeLine(const QString &key, const QString &time, const QString &message);

private:
    // Removes the first line `matches` accepts, looked up by the date key of
    // `probe` (the whole store when `probe` is shorter than a key).
    bool removeFirstMatching(QStringView probe, const std::function<bool(const QString &)> &matches);
    struct Range
    {
        qsizetype begin;
        qsizetype end;
    };
    // Lines of the sorted run whose first 8 characters are `key`.
    Range sortedRange(QStringView key) const;
    // Positions in the tail of the lines whose first 8 characters are `key`.
    QList<qsizetype> tailPositions(QStringView key) const;
    void removeAt(qsizetype i);
    void changed();
    void extendSortedRun();

    QStringList m_lines;
    // The first m_sorted lines are in order.
    qsizetype m_sorted = 0;
    // Key -> positions of the tail lines, built on demand for a long tail.
    mutable QHash<QString, QList<qsizetype>> m_tailIndex;
    mutable bool m_tailIndexValid = false;
};

#pragma once

#include <QString>
#include <QStringView>

// The order of appointment lines in the organiser store and of items in a
// day list: without regard to letter case, in the user's collation.
//
// An appointment line starts with a fixed-width part, the date key and the
// time ("yyyymmddhh:mm", 13 characters; an item of a day list starts with the
// 5 characters of the time). That part holds only digits, a blank and ":",
// for which the collation and the character order agree, so it is compared
// character by character (letters folded to one case), which is fast and
// keeps all lines of one date together even when a malformed line holds
// other characters there. The rest, the message, is compared with the
// collator of the application's locale, case ignored.
namespace AgendaOrder {

// Characters of the fixed part of a store line and of a day list item.
constexpr qsizetype LineFixedPart = 13;
constexpr qsizetype ItemFixedPart = 5;

// Negative, zero or positive as a sorts before, with or after b.
int compare(QStringView a, QStringView b, qsizetype fixedPart);

// Character by character with letters folded to one case; a string that is
// a prefix of the other sorts first. Only the first `length` characters of
// each string count.
int compareFolded(QStringView a, QStringView b, qsizetype length);

inline bool lineLess(const QString &a, const QString &b)
{
    return compare(a, b, LineFixedPart) < 0;
}

inline bool itemLess(const QString &a, const QString &b)
{
    return compare(a, b, ItemFixedPart) < 0;
}

} // namespace AgendaOrder

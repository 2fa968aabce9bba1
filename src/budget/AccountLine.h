#pragma once

#include <QString>
#include <QStringList>

// Account lines of the accounts dialog, shown in a fixed-pitch font so the
// balances line up:
//
//   name + no-break spaces (0xA0) up to 27 characters + balance
//
// "Caisse" with 1500,00 gives "Caisse", 14 no-break spaces, "1500,00". At
// least one no-break space always separates name and balance, so a long
// pair still reads back: the name is the text before the first no-break
// space, the balance what follows the run of no-break spaces.
//
// In "Tivarel.cbx" the balances go under the tag "Solde2", one item per
// account of the account box and in the same order, each item the balance
// text as the dialog shows it ("1500,00"). Older readers skip the tag.
namespace AccountLine {

inline constexpr int LineWidth = 27;
inline constexpr int TotalWidth = 15;
inline const QChar NoBreakSpace = QChar(0xA0);

QString make(const QString &name, const QString &balance);
QString name(const QString &line);
QString balance(const QString &line);

// The balance as the add/change dialog completes it: ",00" appended when it
// holds no comma, "0" when its comma is its last-but-one character. Beyond
// that, an empty balance or a lone comma reads as "0,00", a trailing comma
// gets "00" and a leading one a "0" in front, so every balance is a number.
QString completeBalance(const QString &typed);

// SoldeTot: the sum of the balances, "0.00", right-aligned in 15
// characters. Balances that are not numbers count as zero.
QString balanceTotal(const QStringList &lines);

// An account whose name starts with a capital "A" to "Z" is in use and
// cannot be deleted.
bool isUsed(const QString &line);

// The name as it may be stored: trimmed, its no-break spaces and line
// breaks made plain blanks (they would cut the line there).
QString cleanName(const QString &typed);

} // namespace AccountLine

#pragma once

#include <QDate>
#include <QString>

// The calendar window's heading and month moves.
namespace CalendarRules {

// The full French month name, two blanks and the year: "mars  2001".
QString heading(const QDate &d);

// The same day one month later (+1) or earlier (-1), or that month's last
// day when it is shorter: 31 January + 1 gives 28 or 29 February.
QDate moveMonth(const QDate &d, int months);

} // namespace CalendarRules

#include "utilities/CalendarRules.h"

#include <QLocale>

namespace CalendarRules {

QString heading(const QDate &d)
{
    static const QLocale french(QLocale::French, QLocale::France);
    return french.monthName(d.month(), QLocale::LongFormat) + QStringLiteral("  ") + QString::number(d.year());
}

QDate moveMonth(const QDate &d, int months)
{
    // QDate::addMonths keeps the day and falls back to the month's last day
    // when the day is past its end, carrying the year.
    return d.addMonths(months);
}

} // namespace CalendarRules

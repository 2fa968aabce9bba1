#include "agenda/WeekArithmetic.h"

namespace WeekArithmetic {

QDate monday(QDate reference)
{
    // QDate numbers the days 1 = Monday .. 7 = Sunday.
    return reference.addDays(1 - reference.dayOfWeek());
}

QDate day(QDate reference, int i)
{
    return monday(reference).addDays(i - 1);
}

int weekNumber(QDate reference)
{
    // Every day of a Monday-to-Sunday week has the same ISO number, so the
    // reference date's number is the displayed week's.
    return reference.weekNumber();
}

QString weekLabel(QDate reference)
{
    return QStringLiteral("Semaine ") + QString::number(weekNumber(reference));
}

} // namespace WeekArithmetic

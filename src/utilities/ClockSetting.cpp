#include "utilities/ClockSetting.h"

namespace ClockSetting {

namespace {

struct Place
{
    bool inDate;
    int from; // 0-based position in the line
    int length;
    int lowest;
    int highest;
};

Place placeOf(Field f)
{
    switch (f) {
    case Field::Hour: return {false, 0, 2, 0, 24};
    case Field::Minute: return {false, 3, 2, 0, 59};
    case Field::Day: return {true, 0, 2, 0, 31};
    case Field::Month: return {true, 3, 2, 0, 12};
    case Field::Year: break;
    }
    return {true, 6, 4, 1900, 2099};
}

std::optional<int> number(const QString &line, int from, int length)
{
    if (line.size() < from + length)
        return std::nullopt;
    const QStringView part = QStringView(line).mid(from, length);
    for (QChar c : part)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    return part.toInt();
}

} // namespace

QString timeLine(const QTime &t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

QString dateLine(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

bool adjust(QString &timeText, QString &dateText, Field field, int step)
{
    const Place p = placeOf(field);
    QString &line = p.inDate ? dateText : timeText;
    std::optional<int> v = number(line, p.from, p.length);
    if (!v)
        return false;
    int value = *v;
    if (field == Field::Year && value < 100)
        value += 1900;
    value = std::clamp(value + step, p.lowest, p.highest);
    line.replace(p.from, p.length, QString::number(value).rightJustified(p.length, QLatin1Char('0')));
    return true;
}

std::optional<QDateTime> universalTime(const QString &timeText, const QString &dateText, const QTimeZone &zone,
                                       QString *error)
{
    auto refuse = [error](const QString &why) -> std::optional<QDateTime> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    const auto day = number(dateText, 0, 2), month = number(dateText, 3, 2), year = number(dateText, 6, 4);
    const auto hour = number(timeText, 0, 2), minute = number(timeText, 3, 2), second = number(timeText, 6, 2);
    if (!day || !month || !year || !hour || !minute || !second)
        return refuse(QStringLiteral("L'heure ou la date affichée n'est pas lisible."));
    const QDate date(*year, *month, *day);
    if (!date.isValid())
        return refuse(QStringLiteral("La date %1 n'existe pas.").arg(dateText.left(10)));
    const QTime time(*hour, *minute, *second);
    if (!time.isValid())
        return refuse(QStringLiteral("L'heure %1 n'existe pas.").arg(timeText.left(8)));
    const QDateTime local(date, time, zone);
    // A local time inside the hour skipped when clocks go forward comes back
    // moved by Qt: such a time never shows on a clock, so it is refused.
    if (!local.isValid() || local.date() != date || local.time() != time)
        return refuse(QStringLiteral("L'heure %1 n'existe pas ce jour-là (changement d'heure).").arg(timeText.left(8)));
    return local.toUTC();
}

} // namespace ClockSetting

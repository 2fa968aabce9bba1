#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

// The clock window's text: the time line "hh:mm:ss" and the date line
// "dd/mm/yyyy", adjusted field by field and turned into the universal time
// handed to the system.
namespace ClockSetting {

enum class Field
{
    Hour,
    Minute,
    Day,
    Month,
    Year
};

QString timeLine(const QTime &t);
QString dateLine(const QDate &d);

// One step up (+1) or down (-1) of a field, written back in place with its
// leading zeros. Up stops at hour 24, minute 59, day 31, month 12 and year
// 2099; down at 0 (year 1900). A two-digit year counts from 1900. False,
// and nothing changed, when the field does not hold a number.
bool adjust(QString &timeLine, QString &dateLine, Field field, int step);

// The displayed local date and time as universal time, through `zone` with
// its daylight-saving rules. An impossible date or time (31 April, hour 24,
// day 0, a local time skipped when clocks go forward) gives nothing and
// *error says why in French.
std::optional<QDateTime> universalTime(const QString &timeLine, const QString &dateLine, const QTimeZone &zone,
                                       QString *error = nullptr);

} // namespace ClockSetting

// Sets the computer's clock. The program's own is in the user interface
// library; tests use a fake, so that no test ever changes the machine's
// clock.
class SystemTimeSetter
{
public:
    virtual ~SystemTimeSetter() = default;
    // False, with a French reason in *error, when the system refused.
    virtual bool setUniversalTime(const QDateTime &utc, QString *error) = 0;
};

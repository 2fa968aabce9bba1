#pragma once

#include <QDateTime>

// Today's date and the time of day. Everything that asks "when is now" goes
// through a Clock, so tests can fix it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    QDate today() const { return now().date(); }
};

class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

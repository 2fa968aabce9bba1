#pragma once

#include "utilities/ClockSetting.h"

// Sets the computer's clock the way the desktop does: through systemd's
// timedated on the system bus (the desktop then asks for the administrator's
// password), or, where that service is absent, directly with clock_settime
// when the process has the right to.
class DesktopTimeSetter final : public SystemTimeSetter
{
public:
    bool setUniversalTime(const QDateTime &utc, QString *error) override;
};

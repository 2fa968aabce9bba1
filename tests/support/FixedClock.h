#pragma once

#include "common/Clock.h"

// A clock that stands still until told otherwise.
class FixedClock final : public Clock
{
public:
    explicit FixedClock(QDateTime at = QDateTime(QDate(2026, 1, 5), QTime(9, 0))) : m_now(std::move(at)) {}
    QDateTime now() const override { return m_now; }
    void setDate(QDate d) { m_now.setDate(d); }

private:
    QDateTime m_now;
};

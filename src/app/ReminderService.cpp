#include "app/ReminderService.h"

#include "app/DesktopNotifier.h"
#include "common/Clock.h"

namespace {

// A difference this large between the time of day and the time that passed
// is a jump of the clock, not a late timer.
constexpr qint64 kJump = 5000; // ms

} // namespace

ReminderService::ReminderService(const Clock &clock, const QString &dataDirectory, std::function<Lines()> lines,
                                 QObject *parent)
    : QObject(parent), m_clock(clock), m_dataDirectory(dataDirectory), m_lines(std::move(lines)),
      m_given(dataDirectory), m_notifier(new DesktopNotifier(this))
{
    m_timer.setInterval(CheckInterval);
    connect(&m_timer, &QTimer::timeout, this, &ReminderService::tick);
}

ReminderService::~ReminderService() = default;

void ReminderService::start()
{
    m_lastWall = m_clock.now();
    m_lastOffset = m_lastWall.offsetFromUtc();
    m_elapsed.start();
    m_timer.start();
    check();
}

void ReminderService::tick()
{
    const QDateTime wall = m_clock.now();
    // The monotonic timer stops while the computer sleeps; the wall clock
    // does not.
    const qint64 passed = m_elapsed.restart();
    const qint64 moved = m_lastWall.msecsTo(wall);
    const bool jumped = std::abs(moved - passed) > kJump || wall.offsetFromUtc() != m_lastOffset;
    m_lastWall = wall;
    m_lastOffset = wall.offsetFromUtc();
    if (jumped)
        emit clockJumped();
    check();
}

int ReminderService::check()
{
    const ReminderSettings settings = ReminderSettings::read(m_dataDirectory);
    if (!settings.enabled)
        return 0;
    const QDateTime now = m_clock.now();
    const Lines lines = m_lines();
    const QList<Reminder> given =
        m_given.claim(ReminderSchedule::due(lines.agenda, lines.birthdays, settings, now), now.date());
    for (const Reminder &r : given)
        m_notifier->notify(r.summary, r.body, r.date);
    return int(given.size());
}

#include "agenda/ReminderSchedule.h"

#include "common/DateText.h"
#include "common/TextFile.h"

#include <QDir>
#include <QHash>
#include <QLockFile>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <optional>

namespace {

// "hh:mm" or " h:mm", as the appointment dialog writes it.
std::optional<QTime> timeOf(QStringView t)
{
    if (t.size() != 5 || t[2] != u':')
        return {};
    bool okH = false, okM = false;
    const QString hour = t.left(2).trimmed().toString();
    const int h = hour.toInt(&okH), m = t.mid(3, 2).toInt(&okM);
    const QTime time(h, m);
    if (!okH || !okM || hour.isEmpty() || !t[3].isDigit() || !t[4].isDigit() || !time.isValid())
        return {};
    return time;
}

QString dayWord(QDate day, QDate today)
{
    if (day == today)
        return QStringLiteral("Aujourd'hui");
    if (day == today.addDays(1))
        return QStringLiteral("Demain");
    return QStringLiteral("Le ") + DateText::dayLabel(day);
}

} // namespace

ReminderSettings ReminderSettings::fromLines(const QStringList &lines)
{
    ReminderSettings s;
    for (const QString &line : lines) {
        const QString name = line.section(u'=', 0, 0).trimmed();
        bool ok = false;
        const int value = line.section(u'=', 1).trimmed().toInt(&ok);
        if (!ok)
            continue;
        if (name.compare(u"Actif", Qt::CaseInsensitive) == 0)
            s.enabled = value != 0;
        else if (name.compare(u"Delai", Qt::CaseInsensitive) == 0)
            s.delay = std::clamp(value, 0, MaxDelay);
    }
    return s;
}

QStringList ReminderSettings::toLines() const
{
    return {QStringLiteral("Actif=%1").arg(enabled ? 1 : 0), QStringLiteral("Delai=%1").arg(delay)};
}

ReminderSettings ReminderSettings::read(const QString &dataDirectory)
{
    return fromLines(TextFile::read(QDir(dataDirectory).filePath(fileName())).value_or(QStringList()));
}

bool ReminderSettings::write(const QString &dataDirectory, QString *error) const
{
    return TextFile::write(QDir(dataDirectory).filePath(fileName()), toLines(), error);
}

namespace ReminderSchedule {

QString birthdayText(const QString &description, QDate today)
{
    static const QRegularExpression year(QStringLiteral("(?<![0-9])\\(?([12][0-9]{3})\\)?(?![0-9])"));
    QString name = description.trimmed();
    int born = 0;
    // The last year of the description that is not in the future.
    for (auto it = year.globalMatch(name); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).toInt() <= today.year()) {
            born = m.captured(1).toInt();
            name = (name.left(m.capturedStart()) + name.mid(m.capturedEnd())).simplified();
        }
    }
    while (!name.isEmpty() && QStringLiteral(",;-").contains(name.back()))
        name = name.chopped(1).trimmed();
    QString text = QStringLiteral("anniversaire de ") + (name.isEmpty() ? description.trimmed() : name);
    if (born) {
        const int age = today.year() - born;
        text += QStringLiteral(" (%1 %2)").arg(age).arg(age > 1 ? QStringLiteral("ans") : QStringLiteral("an"));
    }
    return text;
}

QList<Reminder> due(const QStringList &agendaLines, const QStringList &birthdayLines, const ReminderSettings &settings,
                    const QDateTime &now)
{
    QList<Reminder> result;
    if (!settings.enabled || !now.isValid())
        return result;
    const QDate today = now.date();
    // A delay of up to a day reaches the day after tomorrow's first minutes.
    const QString first = DateText::key(today.addDays(-1)), last = DateText::key(today.addDays(2));
    QHash<QString, qsizetype> byId;
    for (const QString &line : agendaLines) {
        if (line.size() < 8 || QStringView(line).left(8) < first || QStringView(line).left(8) > last)
            continue;
        const std::optional<QDate> date = DateText::fromKey(QStringView(line).left(8));
        if (!date)
            continue;
        const QStringView timeField = QStringView(line).mid(8, 5);
        const std::optional<QTime> time = timeOf(timeField);
        const bool blankTime = timeField.size() == 5 && timeField.trimmed().isEmpty();
        QString message = (time || blankTime ? line.mid(14) : line.mid(8)).trimmed();
        if (message.isEmpty())
            message = QStringLiteral("Rendez-vous");
        Reminder r;
        r.date = *date;
        if (time) {
            const QDateTime start(*date, *time);
            r.due = start.addSecs(-60LL * settings.delay);
            if (r.due > now || (now >= start && now >= r.due.addSecs(60)))
                continue;
            r.id = DateText::key(*date) + time->toString(QStringLiteral("hh:mm"));
            r.body = QStringLiteral("%1 à %2").arg(dayWord(*date, today), time->toString(QStringLiteral("H:mm")));
        } else {
            r.due = QDateTime(*date, QTime(8, 0));
            if (r.due > now || *date != today)
                continue;
            r.id = DateText::key(*date) + u'*' + message;
            r.body = dayWord(*date, today);
        }
        // Two lines of one day and time are one appointment to the store:
        // one reminder holds both texts.
        if (const auto known = byId.constFind(r.id); known != byId.cend()) {
            result[*known].summary += QStringLiteral(" ; ") + message;
            continue;
        }
        r.summary = message;
        byId.insert(r.id, result.size());
        result << r;
    }
    std::stable_sort(result.begin(), result.end(), [](const Reminder &a, const Reminder &b) { return a.due < b.due; });

    // Born on 29 February: the 28th when the year has no 29th.
    QStringList days{today.toString(QStringLiteral("MMdd"))};
    if (days[0] == u"0228" && !QDate::isLeapYear(today.year()))
        days << QStringLiteral("0229");
    QStringList birthdays;
    for (const QString &line : birthdayLines)
        if (line.size() > 5 && days.contains(line.left(4)) && line.at(4) == u' ')
            birthdays << QStringLiteral("Aujourd'hui : ") + birthdayText(line.mid(5), today);
    if (!birthdays.isEmpty())
        result.prepend(Reminder{DateText::key(today) + u'#', today.startOfDay(), today, QStringLiteral("Anniversaires"),
                                birthdays.join(u'\n')});
    return result;
}

} // namespace ReminderSchedule

GivenReminders::GivenReminders(const QString &dataDirectory) : m_path(QDir(dataDirectory).filePath(fileName())) {}

QList<Reminder> GivenReminders::claim(const QList<Reminder> &due, QDate today)
{
    QList<Reminder> fresh;
    for (const Reminder &r : due)
        if (!m_given.contains(r.id))
            fresh << r;
    if (fresh.isEmpty())
        return fresh;
    QLockFile lock(m_path + QStringLiteral(".lock"));
    if (!lock.tryLock(2000))
        return {};
    const QStringList before = TextFile::read(m_path).value_or(QStringList());
    const QString oldest = DateText::key(today.addDays(-1));
    QStringList kept;
    for (const QString &id : before)
        if (QStringView(id).left(8) >= oldest)
            kept << id;
    const QSet<QString> given(kept.cbegin(), kept.cend());
    fresh.removeIf([&](const Reminder &r) {
        m_given.insert(r.id);
        return given.contains(r.id);
    });
    for (const Reminder &r : std::as_const(fresh))
        kept << r.id;
    if (!fresh.isEmpty() || kept.size() != before.size())
        TextFile::write(m_path, kept);
    return fresh;
}

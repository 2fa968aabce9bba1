#include "agenda/IcsExchange.h"

#include "common/Cp1252Fit.h"
#include "common/DateText.h"
#include "common/TextFile.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSet>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>
#include <optional>

namespace IcsExchange {

namespace {

// How many occurrences of one rule are looked at, at most: a rule without
// end started long ago is walked up to the import window, never forever.
constexpr int MaxRuleSteps = 200000;
// One event gives at most this many appointments (a rule repeating every
// minute would otherwise fill the agenda).
constexpr int MaxOccurrences = 1000;
// An all-day event over several days gives one appointment a day, for at
// most a year.
constexpr int MaxEventDays = 366;

struct Appointment
{
    QDate date;
    std::optional<QTime> time; // none: all day
    QString message;
};

// "hh:mm" or " h:mm" (the dialog's form); anything else is no time.
std::optional<QTime> parseTime(QStringView t)
{
    if (t.size() != 5 || t[2] != u':')
        return {};
    const QString hour = t.left(2).trimmed().toString();
    const QString minute = t.mid(3, 2).toString();
    bool okH = false, okM = false;
    const int h = hour.toInt(&okH), m = minute.toInt(&okM);
    if (!okH || !okM || hour.isEmpty() || minute.size() != 2)
        return {};
    const QTime time(h, m);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<Appointment> appointmentOf(const QString &line)
{
    if (line.size() < 8)
        return {};
    // The key's eight digits read in place: this runs for every line of
    // the organiser file.
    int digits[8];
    for (int i = 0; i < 8; ++i) {
        const char16_t c = line.at(i).unicode();
        if (c < u'0' || c > u'9')
            return {};
        digits[i] = c - u'0';
    }
    const QDate date(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], digits[4] * 10 + digits[5],
                     digits[6] * 10 + digits[7]);
    if (!date.isValid())
        return {};
    // The message follows the time, or the five blanks of an item without
    // one, after one blank; an item pasted without any time field has its
    // text right after the date, and all of it is the message.
    const QStringView timeField = QStringView(line).mid(8, 5);
    const std::optional<QTime> time = parseTime(timeField);
    const bool hasTimeField = time || (timeField.size() == 5 && timeField.trimmed().isEmpty());
    return Appointment{date, time, hasTimeField ? line.mid(14) : line.mid(8)};
}

QString timeText(const std::optional<QTime> &time)
{
    return time ? time->toString(QStringLiteral("hh:mm")) : QStringLiteral("     ");
}

// The line an appointment would be stored as, its time written "hh:mm", so
// that " 9:30" and "09:30" compare equal.
QString normalLine(const Appointment &a)
{
    return DateText::key(a.date) + timeText(a.time) + u' ' + a.message;
}

struct Birthday
{
    int month = 0;
    int day = 0;
    QString description;
};

std::optional<Birthday> birthdayOf(const QString &line)
{
    if (line.size() < 5)
        return {};
    bool okM = false, okD = false;
    const int month = line.left(2).toInt(&okM), day = line.mid(2, 2).toInt(&okD);
    // 2000 is a leap year: every day a birthday can have is valid in it.
    if (!okM || !okD || !QDate(2000, month, day).isValid())
        return {};
    return Birthday{month, day, line.mid(5)};
}

// Adds "-2", "-3"... to the second and later uses of a base.
QString uniqueUid(const QString &base, QHash<QString, int> &seen)
{
    const int n = ++seen[base];
    return (n == 1 ? base : base + u'-' + QString::number(n)) + QStringLiteral("@tivarel");
}

// The zone of the export, named by its plain Olson name ("Europe/Paris", which
// every calendar program knows) rather than libical's own prefixed TZID.
// Made once per name and kept until the program ends.
struct ZoneCache
{
    QHash<QByteArray, icaltimezone *> zones;
    ~ZoneCache()
    {
        for (icaltimezone *z : std::as_const(zones))
            icaltimezone_free(z, 1);
    }
};

icaltimezone *zoneFor(const QByteArray &id)
{
    static ZoneCache cache;
    QHash<QByteArray, icaltimezone *> &zones = cache.zones;
    if (id.isEmpty() || id == "UTC")
        return icaltimezone_get_utc_timezone();
    if (icaltimezone *known = zones.value(id))
        return known;
    icaltimezone *builtin = icaltimezone_get_builtin_timezone(id.constData());
    if (!builtin)
        return icaltimezone_get_utc_timezone();
    icalcomponent *vtimezone = icalcomponent_new_clone(icaltimezone_get_component(builtin));
    icalproperty *tzid = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
    icalproperty_set_tzid(tzid, id.constData());
    icaltimezone *zone = icaltimezone_new();
    icaltimezone_set_component(zone, vtimezone);
    zones.insert(id, zone);
    return zone;
}

QTimeZone qtZoneFor(const QByteArray &id)
{
    QTimeZone z(id);
    return z.isValid() ? z : QTimeZone::systemTimeZone();
}

icaltimetype dateTime(QDate d, const std::optional<QTime> &t, icaltimezone *zone)
{
    icaltimetype it = icaltime_null_time();
    it.year = d.year();
    it.month = d.month();
    it.day = d.day();
    if (!t) {
        it.is_date = 1;
        return it;
    }
    it.hour = t->hour();
    it.minute = t->minute();
    it.zone = zone;
    return it;
}

struct CalendarDeleter
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, CalendarDeleter>;

QString text(const char *s)
{
    return s ? QString::fromUtf8(s) : QString();
}

// Calls `fn` with each appointment of the lines and its UID.
template<class Fn>
void forEachAppointment(const QStringList &agendaLines, Fn fn)
{
    QHash<QString, int> seen;
    for (const QString &line : agendaLines) {
        const auto a = appointmentOf(line);
        if (!a) {
            fn(line, a, QString());
            continue;
        }
        const QString when = a->time ? QStringLiteral("%1%2")
                                           .arg(a->time->hour(), 2, 10, QLatin1Char('0'))
                                           .arg(a->time->minute(), 2, 10, QLatin1Char('0'))
                                     : QStringLiteral("jour");
        fn(line, a, uniqueUid(QStringLiteral("rdv-") + line.left(8) + u'-' + when, seen));
    }
}

QStringList birthdayUids(const QStringList &birthdayLines)
{
    QStringList uids;
    QHash<QString, int> seen;
    for (const QString &line : birthdayLines) {
        const auto b = birthdayOf(line);
        if (!b) {
            uids << QString();
            continue;
        }
        const QByteArray hash = QCryptographicHash::hash(b->description.toUtf8(), QCryptographicHash::Sha1);
        uids << uniqueUid(QStringLiteral("anniv-") + line.left(4) + u'-'
                              + QString::fromLatin1(hash.toHex().left(8)),
                          seen);
    }
    return uids;
}

} // namespace

QByteArray exportCalendar(const QStringList &agendaLines, const QStringList &birthdayLines, const QDateTime &now,
                          const QByteArray &zoneId)
{
    icaltimezone *zone = zoneFor(zoneId);
    icaltimezone *utc = icaltimezone_get_utc_timezone();
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//Tivarel//Tivarel 3.0//FR"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));
    if (zone != utc)
        icalcomponent_add_component(cal.get(), icalcomponent_new_clone(icaltimezone_get_component(zone)));
    const icaltimetype stamp = icaltime_from_timet_with_zone(time_t(now.toSecsSinceEpoch()), 0, utc);

    // Each event is written out and freed as soon as it is made: a
    // calendar of 100,000 events kept whole costs more in memory management
    // than in writing.
    char *head = icalcomponent_as_ical_string_r(cal.get());
    QByteArray out(head);
    free(head);
    const QByteArray end("END:VCALENDAR\r\n");
    if (out.endsWith(end))
        out.chop(end.size());
    out.reserve(out.size() + qsizetype(agendaLines.size()) * 200);
    auto addEvent = [&](const QString &uid, icaltimetype start, const QString &summary, bool yearly) {
        icalcomponent *ev = icalcomponent_new_vevent();
        icalcomponent_add_property(ev, icalproperty_new_uid(uid.toUtf8().constData()));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
        icalcomponent_set_dtstart(ev, start);
        icalcomponent_add_property(ev, icalproperty_new_summary(summary.toUtf8().constData()));
        if (yearly) {
            icalrecurrencetype rule;
            icalrecurrencetype_clear(&rule);
            rule.freq = ICAL_YEARLY_RECURRENCE;
            icalcomponent_add_property(ev, icalproperty_new_rrule(rule));
            icalcomponent_add_property(ev, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        }
        char *text = icalcomponent_as_ical_string_r(ev);
        out += text;
        free(text);
        icalcomponent_free(ev);
    };

    forEachAppointment(agendaLines, [&](const QString &, const std::optional<Appointment> &a, const QString &uid) {
        if (a)
            addEvent(uid, dateTime(a->date, a->time, zone), a->message, false);
    });

    const QStringList birthdayIds = birthdayUids(birthdayLines);
    for (qsizetype i = 0; i < birthdayLines.size(); ++i) {
        const auto b = birthdayOf(birthdayLines.at(i));
        if (!b)
            continue;
        // From this year on; 29 February from the next leap year.
        int year = now.date().year();
        while (!QDate(year, b->month, b->day).isValid())
            ++year;
        addEvent(birthdayIds.at(i), dateTime(QDate(year, b->month, b->day), std::nullopt, zone), b->description, true);
    }
    out += end;
    return out;
}

namespace {

struct Local
{
    QDate date;
    std::optional<QTime> time;
    bool operator==(const Local &) const = default;
};

size_t qHash(const Local &l, size_t seed = 0)
{
    return ::qHash(l.date, seed) ^ (l.time ? ::qHash(l.time->msecsSinceStartOfDay()) : 7);
}

// A time of the file as the local date and time: dates stay dates, floating
// times stay as written, the others are turned into the local zone.
Local toLocal(icaltimetype t, const QTimeZone &local)
{
    if (t.is_date)
        return {QDate(t.year, t.month, t.day), {}};
    if (!t.zone)
        return {QDate(t.year, t.month, t.day), QTime(t.hour, t.minute)};
    const QDateTime dt = QDateTime::fromSecsSinceEpoch(qint64(icaltime_as_timet_with_zone(t, t.zone)), local);
    return {dt.date(), QTime(dt.time().hour(), dt.time().minute())};
}

} // namespace

ExchangeItems importCalendar(const QByteArray &data, const QStringList &agendaLines,
                             const QStringList &birthdayLines, QDate today, const QByteArray &zoneId,
                             QString *error)
{
    ExchangeItems items;
    const QTimeZone local = qtZoneFor(zoneId);
    Component root(icalparser_parse_string(data.constData()));
    if (!root || (icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT
                  && icalcomponent_isa(root.get()) != ICAL_VEVENT_COMPONENT
                  && icalcomponent_isa(root.get()) != ICAL_XROOT_COMPONENT)) {
        if (error)
            *error = QStringLiteral("Ce fichier n'est pas un calendrier iCalendar.");
        return items;
    }

    // The events: those of the calendar(s) the file holds, or the file's own.
    QList<icalcomponent *> events;
    auto collect = [&events](icalcomponent *cal) {
        for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
            events << c;
    };
    const icalcomponent_kind kind = icalcomponent_isa(root.get());
    if (kind == ICAL_VEVENT_COMPONENT)
        events << root.get();
    else if (kind == ICAL_VCALENDAR_COMPONENT)
        collect(root.get());
    else
        for (icalcomponent *c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
             c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            collect(c);

    QSet<QString> present;
    for (const QString &line : agendaLines)
        if (const auto a = appointmentOf(line))
            present.insert(normalLine(*a));
    QHash<QString, QString> ourBirthdays; // UID -> description
    const QStringList bUids = birthdayUids(birthdayLines);
    for (qsizetype i = 0; i < bUids.size(); ++i)
        if (!bUids.at(i).isEmpty())
            ourBirthdays.insert(bUids.at(i), birthdayLines.at(i).mid(5));

    // Instances replaced by an event of their own (RECURRENCE-ID).
    QHash<QString, QSet<Local>> replaced;
    for (icalcomponent *ev : events) {
        if (icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY))
            replaced[text(icalcomponent_get_uid(ev))].insert(toLocal(icalcomponent_get_recurrenceid(ev), local));
    }

    const QDate windowEnd = today.addMonths(12);
    for (icalcomponent *ev : events) {
        if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED)
            continue;
        const QString uid = text(icalcomponent_get_uid(ev));
        // The message as written; blanks left around a refused character
        // (an emoji at the end) go with it.
        const Cp1252::Fitted fitted = Cp1252::fit(TextFile::oneLine(text(icalcomponent_get_summary(ev))));
        const QString fit = fitted.refused.isEmpty() ? fitted.text : fitted.text.trimmed();
        const QString message = fit.trimmed().isEmpty() ? QStringLiteral("Sans titre") : fit;
        if (ourBirthdays.contains(uid)) {
            items << ExchangeItem{.label = message, .place = QStringLiteral("Anniversaires"), .status = ExchangeItem::Status::Present,
                                .note = QStringLiteral("anniversaire de la liste"), .line = {}};
            continue;
        }
        const icaltimetype start = icalcomponent_get_dtstart(ev);
        if (icaltime_is_null_time(start)) {
            items << ExchangeItem{.label = message, .place = {}, .status = ExchangeItem::Status::Refused,
                                .note = QStringLiteral("événement sans date de début"), .line = {}};
            continue;
        }

        QList<Local> when;
        const bool master = !icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY);
        icalproperty *rrule = master ? icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY) : nullptr;
        icalproperty *rdate = master ? icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY) : nullptr;
        bool badRule = false;
        if (rrule || rdate) {
            QList<Local> all;
            if (rrule) {
                icalrecur_iterator *it = icalrecur_iterator_new(icalproperty_get_rrule(rrule), start);
                badRule = !it;
                for (int step = 0; it && step < MaxRuleSteps; ++step) {
                    icaltimetype occ = icalrecur_iterator_next(it);
                    if (icaltime_is_null_time(occ))
                        break;
                    occ.zone = start.zone;
                    occ.is_date = start.is_date;
                    const Local l = toLocal(occ, local);
                    if (l.date >= windowEnd)
                        break;
                    all << l;
                }
                if (it)
                    icalrecur_iterator_free(it);
                all.prepend(toLocal(start, local)); // DTSTART is always an instance
            }
            for (icalproperty *p = rdate; p; p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY)) {
                const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
                icaltimetype t = icaltime_is_null_time(r.time) ? r.period.start : r.time;
                if (!t.zone && !t.is_date)
                    t.zone = start.zone;
                all << toLocal(t, local);
            }
            QSet<Local> skip = replaced.value(uid);
            for (icalproperty *p = icalcomponent_get_first_property(ev, ICAL_EXDATE_PROPERTY); p;
                 p = icalcomponent_get_next_property(ev, ICAL_EXDATE_PROPERTY))
                skip.insert(toLocal(icalproperty_get_datetime_with_component(p, ev), local));
            QSet<Local> seen;
            for (const Local &l : all) {
                if (l.date >= today && l.date < windowEnd && !skip.contains(l) && !seen.contains(l)
                    && when.size() < MaxOccurrences) {
                    seen.insert(l);
                    when << l;
                }
            }
            std::sort(when.begin(), when.end(), [](const Local &a, const Local &b) {
                return a.date != b.date ? a.date < b.date : a.time.value_or(QTime(0, 0)) < b.time.value_or(QTime(0, 0));
            });
        } else {
            const Local first = toLocal(start, local);
            when << first;
            if (start.is_date) {
                const icaltimetype end = icalcomponent_get_dtend(ev);
                if (!icaltime_is_null_time(end) && end.is_date) {
                    const QDate last = QDate(end.year, end.month, end.day).addDays(-1);
                    for (QDate d = first.date.addDays(1); d <= last && when.size() < MaxEventDays; d = d.addDays(1))
                        when << Local{d, {}};
                }
            }
        }
        if (badRule) {
            items << ExchangeItem{.label = message, .place = {}, .status = ExchangeItem::Status::Refused,
                                .note = QStringLiteral("règle de répétition illisible"), .line = {}};
            continue;
        }
        for (const Local &l : when) {
            if (!l.date.isValid())
                continue;
            ExchangeItem item;
            const Appointment a{l.date, l.time, message};
            item.line = normalLine(a);
            item.place = DateText::text(l.date);
            item.label = item.place + u' ' + (l.time ? timeText(l.time) : QStringLiteral("journée")) + u' ' + message;
            item.note = fitted.note().remove(QStringLiteral("Saisie : "));
            if (present.contains(item.line)) {
                item.status = ExchangeItem::Status::Present;
            } else {
                present.insert(item.line);
                item.status = ExchangeItem::Status::New;
            }
            items << item;
        }
    }
    return items;
}

} // namespace IcsExchange

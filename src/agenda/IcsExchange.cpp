#include "agenda/IcsExchange.h"

#include "common/Cp1252Fit.h"
#include "common/DateText.h"
#include "common/TextFile.h"

#include <QCryptographicHash>
#include <QHash>
#include <QLoggingCategory>
#include <QSet>
#include <QTimeZone>

#include <libical/ical.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

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

} // namespace

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
        uids << uniqueUid(QStringLiteral("anniv-") + line.left(4) + u'-' + QString::fromLatin1(hash.toHex().left(8)),
                          seen);
    }
    return uids;
}

QStringList appointmentUids(const QStringList &agendaLines)
{
    QStringList uids;
    forEachAppointment(agendaLines, [&](const QString &, const auto &, const QString &uid) { uids << uid; });
    return uids;
}

namespace {

// The calendar of the lines; every event under `onlyUid` when it is given.
QByteArray exportWith(const QStringList &agendaLines, const QStringList &birthdayLines, const QDateTime &now,
                      const QByteArray &zoneId, const QString &onlyUid)
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

    forEachAppointment(agendaLines, [&](const QString &, const std::optional<Appointment> &a, const QString &id) {
        if (a)
            addEvent(onlyUid.isEmpty() ? id : onlyUid, dateTime(a->date, a->time, zone), a->message, false);
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
        addEvent(onlyUid.isEmpty() ? birthdayIds.at(i) : onlyUid,
                 dateTime(QDate(year, b->month, b->day), std::nullopt, zone), b->description, true);
    }
    out += end;
    return out;
}

} // namespace

QByteArray exportCalendar(const QStringList &agendaLines, const QStringList &birthdayLines, const QDateTime &now,
                          const QByteArray &zoneId)
{
    return exportWith(agendaLines, birthdayLines, now, zoneId, {});
}

QByteArray exportOne(const QString &line, bool birthday, const QString &uid, const QDateTime &now,
                     const QByteArray &zoneId)
{
    return birthday ? exportWith({}, {line}, now, zoneId, uid) : exportWith({line}, {}, now, zoneId, uid);
}

namespace {

Q_LOGGING_CATEGORY(lcIcal, "tivarel.ical", QtWarningMsg)

// libical writes its own warnings ("icalparser.c:786: Encountered END
// before BEGIN") to the standard error stream; while a calendar is read
// they go to the debug log ("tivarel.ical") instead.
class QuietLibical
{
public:
    QuietLibical()
    {
        icalerror_set_errors_are_fatal(0);
        m_stream = open_memstream(&m_buffer, &m_size);
        if (m_stream) {
            m_saved = stderr;
            stderr = m_stream;
        }
    }
    ~QuietLibical()
    {
        if (!m_stream)
            return;
        stderr = m_saved;
        std::fclose(m_stream);
        if (m_size > 0)
            qCDebug(lcIcal).noquote() << QString::fromLocal8Bit(m_buffer, qsizetype(m_size)).trimmed();
        std::free(m_buffer);
    }
    QuietLibical(const QuietLibical &) = delete;
    QuietLibical &operator=(const QuietLibical &) = delete;

private:
    FILE *m_saved = nullptr;
    FILE *m_stream = nullptr;
    char *m_buffer = nullptr;
    size_t m_size = 0;
};

// Blanks ending a SUMMARY stand as these characters while libical reads
// the file: it drops blanks at the end of every line.
constexpr char16_t KeptBlank = 0xE000, KeptTab = 0xE001;

// The data as libical should read it: blanks ending a SUMMARY kept, an END
// that closes no open component left out (libical would close the calendar
// with it), and a calendar cut short closed after its last complete
// component (*cut then set).
QByteArray prepared(const QByteArray &data, bool *cut)
{
    QByteArray out;
    out.reserve(data.size() + 16);
    QList<QByteArray> open; // the components begun and not ended, outermost first
    qsizetype complete = 0; // where the last complete part of a calendar ends in `out`
    bool summary = false;
    for (qsizetype pos = 0; pos < data.size();) {
        qsizetype end = data.indexOf('\n', pos);
        end = end < 0 ? data.size() : end + 1;
        QByteArray line = data.mid(pos, end - pos);
        pos = end;
        qsizetype text = line.size();
        while (text > 0 && (line.at(text - 1) == '\n' || line.at(text - 1) == '\r'))
            --text;
        const bool folded = line.startsWith(' ') || line.startsWith('\t');
        if (!folded) {
            const QByteArray head = line.left(text).toUpper();
            summary = head.startsWith("SUMMARY") && head.size() > 7 && (head.at(7) == ':' || head.at(7) == ';');
            if (head.startsWith("BEGIN:")) {
                open << head.mid(6).trimmed();
            } else if (head.startsWith("END:")) {
                const qsizetype at = open.lastIndexOf(head.mid(4).trimmed());
                if (at < 0)
                    continue;
                open.resize(at);
            }
        }
        // The blanks the last line of a summary ends with (not the blank
        // that marks a folded line).
        if (summary && (pos >= data.size() || (data.at(pos) != ' ' && data.at(pos) != '\t'))) {
            qsizetype blanks = text;
            while (blanks > (folded ? 1 : 0) && (line.at(blanks - 1) == ' ' || line.at(blanks - 1) == '\t'))
                --blanks;
            QString kept;
            for (qsizetype i = blanks; i < text; ++i)
                kept += QChar(line.at(i) == ' ' ? KeptBlank : KeptTab);
            line = line.left(blanks) + kept.toUtf8() + line.mid(text);
        }
        out += line;
        if (!folded && open.size() <= 1)
            complete = out.size();
    }
    *cut = !open.isEmpty() && open.first() == "VCALENDAR";
    if (*cut) {
        out.truncate(complete);
        if (!out.isEmpty() && !out.endsWith('\n'))
            out += "\r\n";
        out += "END:VCALENDAR\r\n";
    }
    return out;
}

struct Local
{
    QDate date;
    std::optional<QTime> time;
    bool operator==(const Local &) const = default;
    bool operator<(const Local &o) const
    {
        return date != o.date ? date < o.date : time.value_or(QTime(0, 0)) < o.time.value_or(QTime(0, 0));
    }
};

size_t qHash(const Local &l, size_t seed = 0)
{
    return ::qHash(l.date, seed) ^ (l.time ? ::qHash(l.time->msecsSinceStartOfDay()) : 7);
}

int offsetAt(icaltimezone *zone, qint64 utc)
{
    icaltimetype t = icaltime_from_timet_with_zone(time_t(utc), 0, icaltimezone_get_utc_timezone());
    return icaltimezone_get_utc_offset_of_utc_time(zone, &t, nullptr);
}

// The moment a wall time of a zone names, as RFC 5545 reads it: a time that
// occurs twice (the clocks going back) is its first occurrence; a time that
// does not occur (the clocks going forward) is read with the offset before
// the gap, so 02:30 on a day the clocks go from 02:00 to 03:00 is 03:30.
qint64 momentOf(const icaltimetype &t)
{
    const qint64 wall = (QDate(t.year, t.month, t.day).toJulianDay() - QDate(1970, 1, 1).toJulianDay()) * 86400
                        + t.hour * 3600 + t.minute * 60 + t.second;
    auto *zone = const_cast<icaltimezone *>(t.zone);
    if (zone == icaltimezone_get_utc_timezone())
        return wall;
    const int before = offsetAt(zone, wall - 86400), after = offsetAt(zone, wall + 86400);
    const bool first = offsetAt(zone, wall - before) == before;
    const bool second = offsetAt(zone, wall - after) == after;
    return first || !second ? wall - before : wall - after;
}

// A time of the file as the local date and time: dates stay dates, floating
// times stay as written, the others are turned into the local zone.
Local toLocal(icaltimetype t, const QTimeZone &local)
{
    if (t.is_date)
        return {QDate(t.year, t.month, t.day), {}};
    if (!t.zone)
        return {QDate(t.year, t.month, t.day), QTime(t.hour, t.minute)};
    const QDateTime dt = QDateTime::fromSecsSinceEpoch(momentOf(t), local);
    return {dt.date(), QTime(dt.time().hour(), dt.time().minute())};
}

// The zone a TZID names when the file does not define it: an Olson name,
// alone or at the end of a prefixed identifier
// ("/mozilla.org/20070129_1/America/New_York"), or a Windows zone name
// ("Eastern Standard Time"). None when it is known nowhere.
icaltimezone *namedZone(const QByteArray &tzid)
{
    static QHash<QByteArray, icaltimezone *> known;
    if (const auto it = known.constFind(tzid); it != known.cend())
        return *it;
    icaltimezone *zone = nullptr;
    const QList<QByteArray> parts = tzid.trimmed().split('/');
    for (qsizetype n = std::min<qsizetype>(parts.size(), 3); n >= 1 && !zone; --n)
        zone = icaltimezone_get_builtin_timezone(parts.mid(parts.size() - n).join('/').constData());
    const QByteArray iana = zone ? QByteArray() : QTimeZone::windowsIdToDefaultIanaId(tzid.trimmed());
    if (!iana.isEmpty())
        zone = icaltimezone_get_builtin_timezone(iana.constData());
    known.insert(tzid, zone);
    return zone;
}

// A time of a property with its zone: the one the file defines or libical
// knows by the TZID, else namedZone(); a TZID known nowhere goes to
// *unknown and leaves the time floating.
icaltimetype zoned(icaltimetype t, icalproperty *prop, icalcomponent *ev, QByteArray *unknown)
{
    icalparameter *param = icalproperty_get_first_parameter(prop, ICAL_TZID_PARAMETER);
    if (t.is_date || t.zone || !param || icaltime_is_null_time(t))
        return t;
    const QByteArray tzid(icalparameter_get_tzid(param));
    for (icalcomponent *c = ev; c && !t.zone; c = icalcomponent_get_parent(c))
        if (icalcomponent_isa(c) == ICAL_VCALENDAR_COMPONENT)
            t.zone = icalcomponent_get_timezone(c, tzid.constData());
    if (!t.zone)
        t.zone = namedZone(tzid);
    if (!t.zone && unknown)
        *unknown = tzid;
    return t;
}

icaltimetype zonedTime(icalcomponent *ev, icalproperty_kind kind, QByteArray *unknown)
{
    icalproperty *p = icalcomponent_get_first_property(ev, kind);
    return p ? zoned(icalproperty_get_datetime_with_component(p, ev), p, ev, unknown) : icaltime_null_time();
}

// Walks a rule from DTSTART, or from just before `from` when the rule has no
// COUNT (the occurrences before it need not be counted): a rule started
// long ago reaches the import window at once. Gives each occurrence to `fn`
// until it returns false; false when the steps ran out first, nothing when
// libical cannot walk the rule.
template<class Fn>
std::optional<bool> walkRule(icalrecurrencetype rule, icaltimetype start, QDate from, Fn fn)
{
    icalrecur_iterator *it = rule.freq == ICAL_NO_RECURRENCE ? nullptr : icalrecur_iterator_new(rule, start);
    if (!it)
        return std::nullopt;
    const QDate first(start.year, start.month, start.day);
    if (rule.count == 0 && first < from) {
        if (rule.freq == ICAL_SECONDLY_RECURRENCE || rule.freq == ICAL_MINUTELY_RECURRENCE
            || rule.freq == ICAL_HOURLY_RECURRENCE) {
            // Whole periods skipped by hand: libical's own start loses the
            // rhythm of an interval above one for these.
            const qint64 unit = rule.freq == ICAL_HOURLY_RECURRENCE     ? 3600
                                : rule.freq == ICAL_MINUTELY_RECURRENCE ? 60
                                                                        : 1;
            const qint64 period = unit * std::max<qint64>(1, rule.interval);
            const qint64 gap = (first.daysTo(from) - 1) * 86400 - start.hour * 3600 - start.minute * 60 - start.second;
            const qint64 shift = gap > 0 ? gap / period * period : 0;
            icaltimetype later = start;
            icaltime_adjust(&later, int(shift / 86400), 0, 0, int(shift % 86400));
            icalrecur_iterator_free(it);
            it = icalrecur_iterator_new(rule, later);
            if (!it)
                return std::nullopt;
        } else {
            icaltimetype at = icaltime_null_time();
            at.year = from.year();
            at.month = from.month();
            at.day = from.day();
            at.is_date = start.is_date;
            at.zone = start.zone;
            icaltime_adjust(&at, -1, 0, 0, 0);
            icalrecur_iterator_set_start(it, at);
        }
    }
    bool whole = false;
    for (int step = 0; step < MaxRuleSteps; ++step) {
        icaltimetype occ = icalrecur_iterator_next(it);
        if (icaltime_is_null_time(occ) || !fn(occ)) {
            whole = true;
            break;
        }
    }
    icalrecur_iterator_free(it);
    return whole;
}

} // namespace

ExchangeItems importCalendar(const QByteArray &data, const QStringList &agendaLines, const QStringList &birthdayLines,
                             QDate today, const QByteArray &zoneId, ExchangeNotes *report, bool unknownZoneAsLocal)
{
    ExchangeNotes ignored;
    ExchangeNotes &notes = report ? *report : ignored;
    ExchangeItems items;
    const QuietLibical quiet;
    const QTimeZone local = qtZoneFor(zoneId);
    bool cut = false;
    Component root(icalparser_parse_string(prepared(data, &cut).constData()));
    const icalcomponent_kind kind = root ? icalcomponent_isa(root.get()) : ICAL_NO_COMPONENT;
    const QList<icalcomponent_kind> others{ICAL_VTODO_COMPONENT, ICAL_VJOURNAL_COMPONENT, ICAL_VFREEBUSY_COMPONENT};
    if (kind != ICAL_VCALENDAR_COMPONENT && kind != ICAL_VEVENT_COMPONENT && kind != ICAL_XROOT_COMPONENT
        && !others.contains(kind)) {
        notes.error = QStringLiteral("Ce fichier n'est pas un calendrier iCalendar.");
        return items;
    }
    if (cut)
        notes.notes << QStringLiteral("Le fichier est coupé : seul ce qu'il a de complet est lu.");

    // The events: those of the calendar(s) the file holds, or the file's own.
    QList<icalcomponent *> events;
    int otherParts = others.contains(kind);
    auto collect = [&](icalcomponent *cal) {
        for (icalcomponent *c = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); c;
             c = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
            events << c;
        for (const icalcomponent_kind k : others)
            otherParts += icalcomponent_count_components(cal, k);
    };
    if (kind == ICAL_VEVENT_COMPONENT)
        events << root.get();
    else if (kind == ICAL_VCALENDAR_COMPONENT)
        collect(root.get());
    else
        for (icalcomponent *c = icalcomponent_get_first_component(root.get(), ICAL_VCALENDAR_COMPONENT); c;
             c = icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            collect(c);
    if (events.isEmpty() && otherParts > 0)
        notes.notes << QStringLiteral("Ce calendrier ne contient aucun rendez-vous à importer : seulement des tâches, "
                                      "des notes de journal ou des plages libre/occupé.");

    QSet<QString> present;
    for (const QString &line : agendaLines)
        if (const auto a = appointmentOf(line))
            present.insert(normalLine(*a));
    QSet<QString> ourBirthdays; // the UIDs our export gives the list's birthdays
    for (const QString &uid : birthdayUids(birthdayLines))
        if (!uid.isEmpty())
            ourBirthdays.insert(uid);

    // Instances replaced by an event of their own (RECURRENCE-ID).
    QHash<QString, QSet<Local>> replaced;
    for (icalcomponent *ev : events) {
        if (icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY))
            replaced[text(icalcomponent_get_uid(ev))].insert(
                toLocal(zonedTime(ev, ICAL_RECURRENCEID_PROPERTY, nullptr), local));
    }

    const QDate windowEnd = today.addMonths(12);
    for (icalcomponent *ev : events) {
        if (icalcomponent_get_status(ev) == ICAL_STATUS_CANCELLED)
            continue;
        const QString uid = text(icalcomponent_get_uid(ev));
        // The message as written, blanks at its ends included; a blank left
        // doubled by a refused character (an emoji) goes with it.
        QString summary = TextFile::oneLine(text(icalcomponent_get_summary(ev)));
        summary.replace(QChar(KeptBlank), u' ').replace(QChar(KeptTab), u' ');
        const Cp1252::Fitted fitted = Cp1252::fit(summary, {}, true);
        const QString message = fitted.text.trimmed().isEmpty() ? QStringLiteral("Sans titre") : fitted.text;
        QStringList eventNotes;
        if (fitted.changed())
            eventNotes << fitted.note().remove(QStringLiteral("Saisie : "));
        auto refuse = [&](const QString &why) {
            items << ExchangeItem{.label = message,
                                  .place = {},
                                  .status = ExchangeItem::Status::Refused,
                                  .note = (eventNotes << why).join(QStringLiteral(" ; ")),
                                  .line = {}};
        };
        if (ourBirthdays.contains(uid)) {
            items << ExchangeItem{.label = message,
                                  .place = QStringLiteral("Anniversaires"),
                                  .status = ExchangeItem::Status::Present,
                                  .note = QStringLiteral("anniversaire de la liste"),
                                  .line = {}};
            continue;
        }
        QByteArray unknownZone;
        icaltimetype start = zonedTime(ev, ICAL_DTSTART_PROPERTY, &unknownZone);
        if (icaltime_is_null_time(start)) {
            refuse(QStringLiteral("événement sans date de début"));
            continue;
        }
        if (!unknownZone.isEmpty()) {
            const QString zone = QString::fromUtf8(unknownZone);
            if (!notes.unknownZones.contains(zone))
                notes.unknownZones << zone;
            if (!unknownZoneAsLocal) {
                refuse(QStringLiteral("fuseau horaire inconnu : %1").arg(zone));
                continue;
            }
            eventNotes << QStringLiteral("fuseau horaire inconnu : %1, heure prise telle quelle").arg(zone);
        }

        QList<Local> when;
        const bool master = !icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY);
        icalproperty *rrule = master ? icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY) : nullptr;
        icalproperty *rdate = master ? icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY) : nullptr;
        if (rrule || rdate) {
            // DTSTART is always the first instance; the rule and the extra
            // dates add the others.
            QList<Local> all{toLocal(start, local)};
            std::optional<bool> whole = true;
            if (rrule) {
                whole = walkRule(icalproperty_get_rrule(rrule), start, today, [&](icaltimetype occ) {
                    occ.zone = start.zone;
                    occ.is_date = start.is_date;
                    const Local l = toLocal(occ, local);
                    if (l.date >= windowEnd)
                        return false;
                    if (l.date >= today)
                        all << l;
                    return true;
                });
                if (!whole) {
                    refuse(QStringLiteral("règle de répétition illisible"));
                    continue;
                }
            }
            for (icalproperty *p = rdate; p; p = icalcomponent_get_next_property(ev, ICAL_RDATE_PROPERTY)) {
                const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
                icaltimetype t = zoned(icaltime_is_null_time(r.time) ? r.period.start : r.time, p, ev, nullptr);
                if (!t.zone && !t.is_date && !icalproperty_get_first_parameter(p, ICAL_TZID_PARAMETER))
                    t.zone = start.zone;
                all << toLocal(t, local);
            }
            QSet<Local> skip = replaced.value(uid);
            for (icalproperty *p = icalcomponent_get_first_property(ev, ICAL_EXDATE_PROPERTY); p;
                 p = icalcomponent_get_next_property(ev, ICAL_EXDATE_PROPERTY))
                skip.insert(toLocal(zoned(icalproperty_get_datetime_with_component(p, ev), p, ev, nullptr), local));
            QSet<Local> seen;
            bool past = false;
            for (const Local &l : std::as_const(all)) {
                past = past || l.date < today;
                if (l.date >= today && l.date < windowEnd && !skip.contains(l) && !seen.contains(l)) {
                    seen.insert(l);
                    when << l;
                }
            }
            std::sort(when.begin(), when.end());
            if (past)
                eventNotes << QStringLiteral("occurrences d'avant le %1 non reprises").arg(DateText::text(today));
            // What a limit leaves out is told.
            const qsizetype left = std::max<qsizetype>(0, when.size() - MaxOccurrences);
            if (left > 0)
                eventNotes << QStringLiteral("%1%2 occurrence(s) des douze mois à venir non reprise(s) (%3 au plus par "
                                             "événement)")
                                  .arg(*whole ? QString() : QStringLiteral("au moins "))
                                  .arg(left)
                                  .arg(MaxOccurrences);
            else if (!*whole)
                eventNotes << QStringLiteral("répétition trop longue à parcourir : occurrences suivantes non reprises");
            when = when.mid(0, MaxOccurrences);
            if (when.isEmpty()) {
                refuse(QStringLiteral("aucune occurrence dans les douze mois à venir"));
                continue;
            }
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
        // What is said of the event goes with its first appointment.
        QString note = eventNotes.join(QStringLiteral(" ; "));
        for (const Local &l : std::as_const(when)) {
            if (!l.date.isValid())
                continue;
            ExchangeItem item;
            const Appointment a{l.date, l.time, message};
            item.line = normalLine(a);
            item.place = DateText::text(l.date);
            item.label = item.place + u' ' + (l.time ? timeText(l.time) : QStringLiteral("journée")) + u' ' + message;
            item.note = std::exchange(note, QString());
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

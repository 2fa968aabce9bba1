#include "sync/SyncConvert.h"

#include "agenda/IcsExchange.h"
#include "common/Cp1252Fit.h"
#include "common/DateText.h"
#include "common/TextFile.h"
#include "contacts/AddressBook.h"
#include "contacts/ContactForm.h"
#include "contacts/VCard.h"

#include <libical/ical.h>

#include <QTimeZone>

#include <cstdlib>
#include <memory>

namespace SyncConvert {

namespace {

struct Deleter
{
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};

bool isAppointment(const QString &line)
{
    if (line.size() < 8)
        return false;
    for (int i = 0; i < 8; ++i)
        if (!line.at(i).isDigit())
            return false;
    return QDate::fromString(line.left(8), QStringLiteral("yyyyMMdd")).isValid();
}

bool isBirthday(const QString &line)
{
    bool okM = false, okD = false;
    return line.size() >= 5 && line.at(4) == u' '
           && QDate(2000, line.left(2).toInt(&okM), line.mid(2, 2).toInt(&okD)).isValid() && okM && okD;
}

bool isContact(const QString &line)
{
    return line.size() >= 5 && line.at(0) >= u'A' && line.at(0) <= u'Z' && line.contains(u'\t');
}

// The birthday line a yearly all-day event without end stands for.
QString birthdayLine(icalcomponent *ev)
{
    const icaltimetype start = icalcomponent_get_dtstart(ev);
    icalproperty *rrule = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY);
    if (!rrule || !start.is_date || icalcomponent_get_first_property(ev, ICAL_RECURRENCEID_PROPERTY))
        return {};
    const icalrecurrencetype r = icalproperty_get_rrule(rrule);
    if (r.freq != ICAL_YEARLY_RECURRENCE || r.interval > 1 || r.count > 0 || !icaltime_is_null_time(r.until)
        || (r.by_month[0] != ICAL_RECURRENCE_ARRAY_MAX && r.by_month[0] != start.month))
        return {};
    const char *summary = icalcomponent_get_summary(ev);
    QString text = Cp1252::fit(TextFile::oneLine(summary ? QString::fromUtf8(summary) : QString()), {}, true).text;
    if (text.trimmed().isEmpty())
        text = QStringLiteral("Sans titre");
    return QStringLiteral("%1%2 ").arg(start.month, 2, 10, QLatin1Char('0')).arg(start.day, 2, 10, QLatin1Char('0'))
           + text;
}

} // namespace

Converted fromCalendar(const QByteArray &data, QDate today, const QByteArray &zoneId)
{
    Converted c;
    std::unique_ptr<icalcomponent, Deleter> root(icalparser_parse_string(data.constData()));
    icalcomponent *ev = nullptr;
    if (root && icalcomponent_isa(root.get()) == ICAL_VEVENT_COMPONENT)
        ev = root.get();
    else if (root)
        for (icalcomponent *e = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT); e && !ev;
             e = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT))
            if (!icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY))
                ev = e;
    if (!ev)
        return c;
    if (const char *uid = icalcomponent_get_uid(ev))
        c.uid = QString::fromUtf8(uid);
    if (const QString birthday = birthdayLine(ev); !birthday.isEmpty()) {
        c.kind = SyncItem::Kind::Birthday;
        c.lines << birthday;
        return c;
    }
    c.series = icalcomponent_get_first_property(ev, ICAL_RRULE_PROPERTY)
               || icalcomponent_get_first_property(ev, ICAL_RDATE_PROPERTY);
    // A zone known nowhere is taken as written: the phone's own time.
    for (const ExchangeItem &i : IcsExchange::importCalendar(data, {}, {}, today, zoneId, nullptr, true))
        if (i.status == ExchangeItem::Status::New)
            c.lines << i.line;
    return c;
}

Converted fromCard(const QByteArray &data)
{
    Converted c;
    c.kind = SyncItem::Kind::Contact;
    for (const ExchangeItem &i : VCard::importCards(data, {}, u'A'))
        if (i.status == ExchangeItem::Status::New && c.lines.isEmpty())
            c.lines << i.line;
    QByteArray unfolded = data;
    unfolded.replace("\r\n ", "").replace("\n ", "");
    for (const QByteArray &l : unfolded.split('\n')) {
        const QByteArray t = l.trimmed();
        if (t.toUpper().startsWith("UID") && t.size() > 3 && (t.at(3) == ':' || t.at(3) == ';')) {
            c.uid = QString::fromUtf8(t.mid(t.indexOf(':') + 1));
            break;
        }
    }
    return c;
}

QByteArray withExceptions(const QByteArray &data, const QStringList &deleted,
                          const QList<QPair<QString, QString>> &changed, const QDateTime &now, const QByteArray &zoneId)
{
    std::unique_ptr<icalcomponent, Deleter> root(icalparser_parse_string(data.constData()));
    icalcomponent *master = nullptr;
    if (root && icalcomponent_isa(root.get()) == ICAL_VCALENDAR_COMPONENT)
        for (icalcomponent *e = icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT); e && !master;
             e = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT))
            if (!icalcomponent_get_first_property(e, ICAL_RECURRENCEID_PROPERTY))
                master = e;
    if (!master)
        return {};
    icaltimezone *utc = icaltimezone_get_utc_timezone();
    const QTimeZone zone = QTimeZone(zoneId).isValid() ? QTimeZone(zoneId) : QTimeZone::systemTimeZone();
    // The moment of an appointment line, in UTC; its date for one of all day.
    auto when = [&](const QString &line) {
        const QDate d = QDate::fromString(line.left(8), QStringLiteral("yyyyMMdd"));
        const QTime t = QTime::fromString(line.mid(8, 5).trimmed().rightJustified(5, u'0'), QStringLiteral("hh:mm"));
        if (!t.isValid()) {
            icaltimetype day = icaltime_null_date();
            day.year = d.year();
            day.month = d.month();
            day.day = d.day();
            return day;
        }
        return icaltime_from_timet_with_zone(time_t(QDateTime(d, t, zone).toSecsSinceEpoch()), 0, utc);
    };
    for (const QString &line : deleted)
        icalcomponent_add_property(master, icalproperty_new_exdate(when(line)));
    for (const auto &[before, after] : changed) {
        icalcomponent *instance = icalcomponent_new_vevent();
        icalcomponent_add_property(instance, icalproperty_new_uid(icalcomponent_get_uid(master)));
        icalcomponent_add_property(
            instance, icalproperty_new_dtstamp(icaltime_from_timet_with_zone(time_t(now.toSecsSinceEpoch()), 0, utc)));
        icalcomponent_add_property(instance, icalproperty_new_recurrenceid(when(before)));
        icalcomponent_set_dtstart(instance, when(after));
        icalcomponent_add_property(instance, icalproperty_new_summary(after.mid(14).toUtf8().constData()));
        icalcomponent_add_component(root.get(), instance);
    }
    char *text = icalcomponent_as_ical_string_r(root.get());
    const QByteArray out(text);
    free(text);
    return out;
}

QByteArray toData(SyncItem::Kind kind, const QString &line, const QString &uid, const QDateTime &now,
                  const QByteArray &zoneId)
{
    if (kind != SyncItem::Kind::Contact)
        return IcsExchange::exportOne(line, kind == SyncItem::Kind::Birthday, uid, now, zoneId);
    QByteArray card = VCard::exportBook({line});
    const qsizetype end = card.lastIndexOf("END:VCARD");
    if (end >= 0)
        card.insert(end, VCard::fold("UID:" + uid.toUtf8()));
    return card;
}

QString label(SyncItem::Kind kind, const QString &line)
{
    switch (kind) {
    case SyncItem::Kind::Appointment:
        return DateText::keyToText(QStringView(line).left(8)) + u' ' + line.mid(8).trimmed();
    case SyncItem::Kind::Birthday:
        return QStringLiteral("Anniversaire %1/%2 %3").arg(line.mid(2, 2), line.left(2), line.mid(5));
    case SyncItem::Kind::Contact:
        return AddressBook::contactOf(line).fields.value(0).replace(ContactForm::Nbsp, u' ').simplified();
    }
    return line;
}

QString normal(SyncItem::Kind kind, const QString &line)
{
    switch (kind) {
    case SyncItem::Kind::Appointment: return isAppointment(line) ? line : QString();
    case SyncItem::Kind::Birthday: return isBirthday(line) ? line : QString();
    case SyncItem::Kind::Contact: return isContact(line) ? line.left(1) + line.mid(4) : QString();
    }
    return {};
}

QString identity(SyncItem::Kind kind, const QString &line)
{
    switch (kind) {
    case SyncItem::Kind::Appointment: return line.left(13);
    case SyncItem::Kind::Birthday: return line.left(4);
    case SyncItem::Kind::Contact: return line.left(1) + AddressBook::contactOf(line).fields.value(0);
    }
    return {};
}

} // namespace SyncConvert

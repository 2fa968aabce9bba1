#pragma once

#include "common/ExchangeItem.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The agenda and the birthday list exchanged with other calendars as
// iCalendar (RFC 5545) files, written and read with libical.
//
// Export: one VEVENT per appointment line of the organiser store, at its
// date and time in the given time zone (described by a VTIMEZONE); a line
// whose time is not "hh:mm" (or " h:mm") is an all-day event. Each birthday
// is a yearly all-day event (RRULE:FREQ=YEARLY) from its next date on.
//
// UIDs are derived from what identifies an entry in its own file, so that
// exporting again updates the other calendar instead of doubling it:
//   appointment  "rdv-yyyymmdd-hhmm@tivarel" (its date key and time; "jour"
//                for an all-day one), "-2", "-3"... added for the second and
//                later lines of the same date and time, in store order;
//   birthday     "anniv-mmdd-<8 hex digits of the description's SHA-1>@tivarel".
//
// Import: every VEVENT (not cancelled) becomes appointments: a single event
// one on its start date (one per day for an all-day event over several
// days); a recurring one (RRULE, RDATE, less EXDATE and the instances that
// a RECURRENCE-ID event replaces) one per occurrence from `today` over the
// next twelve months, at most 1000 of them. Times are turned into the
// local time zone; a floating time or an unknown zone is taken as written. The
// message is the SUMMARY on one line, made fit for Windows-1252.
namespace IcsExchange {

QByteArray exportCalendar(const QStringList &agendaLines, const QStringList &birthdayLines, const QDateTime &now,
                          const QByteArray &zoneId);

// The appointments a calendar file gives: New ones carry their store line;
// one already in `agendaLines` (same date, time and message), or a birthday
// this program exported that is still in `birthdayLines`, is Present.
// *error receives a French message when the data is no calendar at all.
ExchangeItems importCalendar(const QByteArray &data, const QStringList &agendaLines,
                             const QStringList &birthdayLines, QDate today, const QByteArray &zoneId,
                             QString *error = nullptr);

} // namespace IcsExchange

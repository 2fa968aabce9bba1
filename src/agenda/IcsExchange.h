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
// days); a recurring one (DTSTART, RRULE, RDATE, less EXDATE and the
// instances that a RECURRENCE-ID event replaces) one per occurrence from
// `today` over the next twelve months, at most 1000 of them (the note tells
// how many more there were, and that earlier ones were left). Times are
// turned into the local time zone as RFC 5545 reads them (a time that does
// not exist takes the offset before the gap, a time that occurs twice its
// first occurrence); a zone the file names without defining it is found by
// its Olson name (also at the end of a prefixed TZID) or its Windows name;
// a zone known nowhere is told, and its events are refused or, with
// `unknownZoneAsLocal`, taken as written. A floating time is taken as
// written. The message is the SUMMARY on one line, blanks included, made fit
// for Windows-1252. A calendar cut short gives what it holds complete.
// libical's own warnings go to the debug log ("tivarel.ical"), never to
// the standard error stream.
namespace IcsExchange {

QByteArray exportCalendar(const QStringList &agendaLines, const QStringList &birthdayLines, const QDateTime &now,
                          const QByteArray &zoneId);

// One appointment line, or one birthday line when `birthday`, as a calendar
// of its own whose event has the UID `uid`.
QByteArray exportOne(const QString &line, bool birthday, const QString &uid, const QDateTime &now,
                     const QByteArray &zoneId);
// The UIDs the export gives each line (empty for a line that holds no
// appointment or no birthday).
QStringList appointmentUids(const QStringList &agendaLines);
QStringList birthdayUids(const QStringList &birthdayLines);

// The appointments a calendar file gives: New ones carry their store line;
// one already in `agendaLines` (same date, time and message), or a birthday
// this program exported that is still in `birthdayLines`, is Present.
// `report` receives a French message when the data is no calendar at all,
// the notes on the whole file and the unknown zones.
ExchangeItems importCalendar(const QByteArray &data, const QStringList &agendaLines, const QStringList &birthdayLines,
                             QDate today, const QByteArray &zoneId, ExchangeNotes *report = nullptr,
                             bool unknownZoneAsLocal = false);

} // namespace IcsExchange

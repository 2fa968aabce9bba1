#pragma once

#include "sync/SyncState.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// Items of the server turned into local lines and back, with the export and
// import rules of the iCalendar and vCard exchange (IcsExchange, VCard).
//
// A calendar object whose event is a yearly all-day one without end (what
// the export makes of a birthday, and what a phone makes of one) is a
// birthday: month and day of its start, its SUMMARY. Any other event gives
// appointments as the import does: one, or one per occurrence over the
// twelve months from `today`; an object with no event in that time gives
// none and is kept on the server as it is.
namespace SyncConvert {

struct Converted
{
    SyncItem::Kind kind = SyncItem::Kind::Appointment;
    QString uid;
    QStringList lines;
    bool series = false; // a repeating event
};

Converted fromCalendar(const QByteArray &data, QDate today, const QByteArray &zoneId);
Converted fromCard(const QByteArray &data);

// The data that stands for `line` on the server under `uid`.
QByteArray toData(SyncItem::Kind kind, const QString &line, const QString &uid, const QDateTime &now,
                  const QByteArray &zoneId);

// A series (calendar object `data`) with EXDATE for the occurrences whose
// lines are `deleted`, and an instance of its own (RECURRENCE-ID) for each
// changed occurrence: its old line, its new line. Empty when `data` holds
// no series.
QByteArray withExceptions(const QByteArray &data, const QStringList &deleted,
                          const QList<QPair<QString, QString>> &changed, const QDateTime &now,
                          const QByteArray &zoneId);

// A short French label of a local line, for the messages:
// "05/01/2026 10:00 Dentiste", "Anniversaire 15/03 Paul", "Mme Dupont Jeanne".
QString label(SyncItem::Kind kind, const QString &line);

// Which line of a section a local line is, and what identifies it when it
// changes: a contact line without its key (which moves when its page is
// renumbered), and for the identity its page and name; an appointment's date
// and time; a birthday's month and day. Empty for a line that holds no item
// of its kind (the single blank of a new store, a foreign line).
QString normal(SyncItem::Kind kind, const QString &line);
QString identity(SyncItem::Kind kind, const QString &line);

} // namespace SyncConvert

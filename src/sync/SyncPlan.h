#pragma once

#include "sync/SyncConvert.h"
#include "sync/SyncState.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// The two-way synchronisation's decisions, apart from the network.
//
// An agreed item (SyncState) is the same here while every local line it
// stood for is still in its section; changed when one of its lines is gone
// and another line has taken its place (same date and time, same month and
// day, same page and name); deleted when its lines are gone. On the server
// it is the same while its href has the same ETag, changed when the ETag
// differs, deleted when the href is gone. Then:
//
//   here \ there   same           changed                  deleted
//   same           nothing        received                 deleted here
//   changed        sent           conflict: both kept      sent as new
//   deleted        deleted there  received again           forgotten
//
// A conflict keeps both versions: the server's comes here, Tivarel's goes up
// as a new item. An item new on the server is received, one new here is sent;
// an item new on both sides with the same lines is only agreed (a send whose
// answer was lost, a document and a calendar that already match). An
// occurrence of a series received from the server that is changed or deleted
// here gives an EXDATE or an instance of its own (RECURRENCE-ID) on the
// server; the series itself is never rewritten from its occurrences.
namespace SyncPlan {

struct Local
{
    QStringList agenda;    // the organiser store
    QStringList birthdays; // the birthday list
    QStringList contacts;  // the address book
    bool operator==(const Local &) const = default;
};

// What the server holds now: href -> ETag, per collection.
using Listing = QHash<QString, QString>;

struct Receive
{
    QString href;
    QString etag;
    bool contact = false; // from the address book, else from the calendar
    int agreed = -1;      // the agreed item it changes; -1: new on the server
    QStringList remove;   // the local lines it replaces
    bool conflict = false;
};

struct Plan
{
    QList<int> unchanged;   // agreed items that stay as they are
    QList<Receive> receive; // to fetch
    QList<SyncItem> send;   // agreed items with their new lines, sent with If-Match
    QList<int> deleteThere; // agreed items deleted here
    QList<int> deleteHere;  // agreed items deleted on the server
    QList<QStringList> deleteHereLines;
    QList<SyncItem> fresh; // new here: kind and one line, UID and href still to give
    // Series whose occurrences were deleted (EXDATE) or changed (an instance
    // of its own, RECURRENCE-ID) here; the series itself stays unchanged.
    struct Patch
    {
        int agreed;
        QStringList deleted;
        QList<QPair<QString, QString>> changed; // the occurrence's line, its new line
    };
    QList<Patch> patch;
};

Plan plan(const Local &local, const QList<SyncItem> &agreed, const Listing &calendar, const Listing &book);

// What a synchronisation ends with once the server's items were fetched.
struct Outcome
{
    Local local;              // the document after receiving
    QList<SyncItem> agreed;   // the state after receiving; each send or deletion done changes it
    QList<SyncItem> uploads;  // to PUT: If-Match its etag, or If-None-Match when it has none
    QList<SyncItem> removals; // to DELETE, If-Match its etag
    QStringList conflicts;    // labels of the items kept twice
    int appointmentsIn = 0, contactsIn = 0, deletedHere = 0;
};

// `fetched`: href -> data of the items received (an href missing is left for
// the next synchronisation). New items go under `calendarPath` and
// `bookPath` (the collections' paths, ending with "/").
Outcome settle(const Local &local, const QList<SyncItem> &agreed, const Plan &plan,
               const QHash<QString, QByteArray> &fetched, const QString &calendarPath, const QString &bookPath,
               QDate today, const QByteArray &zoneId);

// Once an upload or a removal is done: the state gains or loses it.
void agree(QList<SyncItem> &agreed, const SyncItem &item, bool removed = false);

// The summary the user reads: "12 rendez-vous reçus, 3 envoyés, 1 conflit".
QString summary(int appointmentsIn, int appointmentsOut, int contactsIn, int contactsOut, int deletedHere,
                int deletedThere, int conflicts);

} // namespace SyncPlan

#pragma once

#include "sync/DavClient.h"
#include "sync/SyncPlan.h"
#include "sync/SyncState.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// One synchronisation of a document's agenda, birthdays and address book
// with its account's calendar and address book.
//
// The collections are those the account names; when it names none yet, the
// ones called "Tivarel" among those the server offers, made when there are
// none. The server's items are listed (href and ETag), those changed are
// fetched in one go, the decisions taken (SyncPlan), the document's lines
// changed in memory, then the changes sent one by one; each one the server
// takes is agreed at once. So when the server fails half-way, `local` and
// `state` hold the document as it would be after what was agreed, to be
// saved as they are: the next synchronisation goes on from there.
namespace SyncRun {

enum class Status
{
    Done,
    Unreachable,    // the server does not answer or fails (5xx, timeout, certificate)
    Authentication, // the user name or password is refused
    Refused,        // the server refused a request (4xx), no calendar, no address book
};

struct Result
{
    Status status = Status::Done;
    QString error;   // in French, when not Done
    QString summary; // "12 rendez-vous reçus, 3 envoyés, 1 conflit"
    QStringList conflicts;
    bool localChanged = false; // `local` differs from what it was
};

// `progress` (may be empty) is told how many changes of how many are done.
Result run(DavClient &client, SyncAccount &account, SyncPlan::Local &local, SyncState &state, const QDateTime &now,
           const QByteArray &zoneId, const std::function<void(int, int)> &progress = {});

} // namespace SyncRun

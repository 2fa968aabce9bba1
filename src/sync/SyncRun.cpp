#include "sync/SyncRun.h"

#include "sync/SyncConvert.h"

namespace SyncRun {

namespace {

Status statusOf(const DavClient::Reply &r)
{
    switch (r.failure) {
    case DavClient::Failure::Authentication: return Status::Authentication;
    case DavClient::Failure::Refused: return Status::Refused;
    default: return Status::Unreachable;
    }
}

Result failed(const DavClient::Reply &r)
{
    return Result{.status = statusOf(r), .error = r.error, .summary = {}, .conflicts = {}, .localChanged = false};
}

// The account's collection, or the one named Tivarel, made when missing.
bool collection(DavClient &client, bool addressBook, QString *path, DavClient::Reply *failure)
{
    if (!path->isEmpty())
        return true;
    QList<DavClient::Collection> found;
    QString home;
    if (!client.discover(addressBook, &found, &home, failure))
        return false;
    for (const DavClient::Collection &c : std::as_const(found))
        if (c.name.compare(u"Tivarel", Qt::CaseInsensitive) == 0) {
            *path = c.path;
            return true;
        }
    return client.create(addressBook, home, QStringLiteral("Tivarel"), path, failure);
}

// The collection's items (href -> ETag) and its new sync token: from what
// was agreed and the changes since its token where the server offers
// sync-collection, else from the whole listing (and no token).
bool listing(DavClient &client, const QString &collection, const SyncState &state, SyncPlan::Listing *items,
             QString *token, DavClient::Reply *failure)
{
    QHash<QString, QString> changed;
    QStringList removed;
    DavClient::Reply ignored;
    const QString since = state.tokens.value(collection);
    if (!since.isEmpty() && client.changes(collection, since, &changed, &removed, token, &ignored)) {
        for (const SyncItem &i : state.items)
            if (i.href.startsWith(collection))
                items->insert(i.href, i.etag);
        for (const QString &href : std::as_const(removed))
            items->remove(href);
        items->insert(changed);
        return true;
    }
    changed.clear();
    removed.clear();
    if (client.changes(collection, QString(), &changed, &removed, token, &ignored)) {
        *items = changed;
        return true;
    }
    token->clear();
    return client.list(collection, items, failure);
}

} // namespace

Result run(DavClient &client, SyncAccount &account, SyncPlan::Local &local, SyncState &state, const QDateTime &now,
           const QByteArray &zoneId, const std::function<void(int, int)> &progress)
{
    DavClient::Reply failure;
    // What was agreed with other collections says nothing of these.
    const bool chosen = !account.calendar.isEmpty() && !account.book.isEmpty();
    if (!collection(client, false, &account.calendar, &failure) || !collection(client, true, &account.book, &failure))
        return failed(failure);
    if (!chosen) {
        state.items.clear();
        state.tokens.clear();
    }

    SyncPlan::Listing calendar, book;
    QString calendarToken, bookToken;
    if (!listing(client, account.calendar, state, &calendar, &calendarToken, &failure)
        || !listing(client, account.book, state, &book, &bookToken, &failure))
        return failed(failure);
    SyncPlan::Plan plan = SyncPlan::plan(local, state.items, calendar, book);

    QStringList wanted[2];
    for (const SyncPlan::Receive &r : std::as_const(plan.receive))
        wanted[r.contact] << r.href;
    const QList<SyncItem> before = state.items;
    for (const SyncPlan::Plan::Patch &p : std::as_const(plan.patch))
        wanted[0] << before[p.agreed].href;
    QHash<QString, QPair<QString, QByteArray>> got;
    if ((!wanted[0].isEmpty() && !client.fetch(false, account.calendar, wanted[0], &got, &failure))
        || (!wanted[1].isEmpty() && !client.fetch(true, account.book, wanted[1], &got, &failure)))
        return failed(failure);
    QHash<QString, QByteArray> fetched;
    for (SyncPlan::Receive &r : plan.receive)
        if (const auto it = got.constFind(r.href); it != got.cend()) {
            // The ETag that goes with the data fetched.
            if (!it->first.isEmpty())
                r.etag = it->first;
            fetched.insert(r.href, it->second);
        }

    const SyncPlan::Outcome o =
        SyncPlan::settle(local, state.items, plan, fetched, account.calendar, account.book, now.date(), zoneId);
    Result result;
    result.localChanged = o.local != local;
    result.conflicts = o.conflicts;
    local = o.local;
    state.items = o.agreed;

    QList<DavClient::Request> requests;
    QList<SyncItem> items;
    for (const SyncItem &u : o.uploads) {
        const bool contact = u.kind == SyncItem::Kind::Contact;
        DavClient::Request r{
            "PUT",
            u.href,
            SyncConvert::toData(u.kind, u.lines.value(0), u.uid, now, zoneId),
            {{"Content-Type", contact ? "text/vcard; charset=utf-8" : "text/calendar; charset=utf-8"}}};
        r.headers << (u.etag.isEmpty() ? qMakePair(QByteArray("If-None-Match"), QByteArray("*"))
                                       : qMakePair(QByteArray("If-Match"), u.etag.toUtf8()));
        requests << r;
        items << u;
    }
    // Occurrences of a series deleted or changed here.
    for (const SyncPlan::Plan::Patch &p : std::as_const(plan.patch)) {
        SyncItem item = before[p.agreed];
        const auto data = got.constFind(item.href);
        const QByteArray body = data == got.cend()
                                    ? QByteArray()
                                    : SyncConvert::withExceptions(data->second, p.deleted, p.changed, now, zoneId);
        if (body.isEmpty())
            continue;
        for (const QString &line : p.deleted)
            item.lines.removeOne(line);
        for (const auto &[old, changed] : p.changed)
            item.lines.replace(item.lines.indexOf(old), changed);
        requests << DavClient::Request{
            "PUT",
            item.href,
            body,
            {{"Content-Type", "text/calendar; charset=utf-8"}, {"If-Match", item.etag.toUtf8()}}};
        items << item;
    }
    for (const SyncItem &d : o.removals) {
        requests << DavClient::Request{"DELETE", d.href, {}, {{"If-Match", d.etag.toUtf8()}}};
        items << d;
    }
    int appointmentsOut = 0, contactsOut = 0, deletedThere = 0, done = 0, later = 0;
    DavClient::Reply firstFailure;
    client.sendAll(requests, [&](qsizetype i, const DavClient::Reply &r) {
        SyncItem item = items.at(i);
        const bool removal = requests.at(i).verb == "DELETE";
        if (r.ok() || (removal && r.status == 404)) {
            item.etag = QString::fromUtf8(r.etag);
            SyncPlan::agree(state.items, item, removal);
            if (removal)
                ++deletedThere;
            else
                ++(item.kind == SyncItem::Kind::Contact ? contactsOut : appointmentsOut);
        } else if (r.status == 412) {
            // Changed on the server since it was listed: the next
            // synchronisation sees it.
            ++later;
        } else if (firstFailure.ok()) {
            firstFailure = r;
        }
        if (progress)
            progress(++done, int(requests.size()));
    });
    result.summary = SyncPlan::summary(o.appointmentsIn, appointmentsOut, o.contactsIn, contactsOut, o.deletedHere,
                                       deletedThere, int(o.conflicts.size()));
    if (!firstFailure.ok()) {
        result.status = statusOf(firstFailure);
        result.error = firstFailure.error
                       + QStringLiteral(" Ce qui a été reçu et envoyé est gardé ; la prochaine synchronisation "
                                        "reprendra le reste.");
    } else {
        // Everything listed was settled: the next run starts from here.
        state.tokens.clear();
        if (!calendarToken.isEmpty())
            state.tokens.insert(account.calendar, calendarToken);
        if (!bookToken.isEmpty())
            state.tokens.insert(account.book, bookToken);
    }
    if (firstFailure.ok() && later > 0) {
        result.summary += QStringLiteral(" ; %1 élément(s) changé(s) sur le serveur pendant la synchronisation, "
                                         "repris à la prochaine")
                              .arg(later);
    }
    return result;
}

} // namespace SyncRun

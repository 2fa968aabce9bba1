#include "sync/SyncPlan.h"

#include "agenda/IcsExchange.h"
#include "contacts/AddressBook.h"

#include <QCryptographicHash>
#include <QSet>

namespace SyncPlan {

namespace {

using Kind = SyncItem::Kind;

QStringList &section(Local &l, Kind k)
{
    return k == Kind::Appointment ? l.agenda : k == Kind::Birthday ? l.birthdays : l.contacts;
}

// The lines of one section not yet claimed by an agreed item.
struct Pool
{
    Kind kind;
    QStringList lines;
    QList<bool> claimed;
    QHash<QString, QList<qsizetype>> byNormal, byIdentity;

    Pool(Kind k, const QStringList &all) : kind(k)
    {
        for (const QString &line : all) {
            const QString n = SyncConvert::normal(k, line);
            if (n.isEmpty())
                continue;
            byNormal[n] << lines.size();
            byIdentity[SyncConvert::identity(k, line)] << lines.size();
            lines << line;
            claimed << false;
        }
    }
    // The first unclaimed line of an index entry, claimed; -1 when none.
    qsizetype claim(const QList<qsizetype> &candidates)
    {
        for (const qsizetype i : candidates)
            if (!claimed[i]) {
                claimed[i] = true;
                return i;
            }
        return -1;
    }
};

enum class Here
{
    Same,
    Changed,
    Deleted
};

} // namespace

Plan plan(const Local &local, const QList<SyncItem> &agreed, const Listing &calendar, const Listing &book)
{
    Pool pools[3] = {Pool(Kind::Appointment, local.agenda), Pool(Kind::Birthday, local.birthdays),
                     Pool(Kind::Contact, local.contacts)};
    auto pool = [&pools](Kind k) -> Pool & { return pools[int(k)]; };

    // First the lines that are still there as they were, then the changed
    // ones in what is left.
    QList<QStringList> kept(agreed.size());
    for (qsizetype i = 0; i < agreed.size(); ++i) {
        Pool &p = pool(agreed[i].kind);
        for (const QString &line : agreed[i].lines) {
            const qsizetype at = p.claim(p.byNormal.value(SyncConvert::normal(p.kind, line)));
            if (at >= 0)
                kept[i] << p.lines[at];
        }
    }
    Plan out;
    QSet<QString> known;
    for (qsizetype i = 0; i < agreed.size(); ++i) {
        const SyncItem &item = agreed[i];
        Pool &p = pool(item.kind);
        known.insert(item.href);
        Here here = Here::Same;
        QString changed;
        if (kept[i].isEmpty() && !item.lines.isEmpty()) {
            here = Here::Deleted;
            if (item.lines.size() == 1 && !item.series) {
                const qsizetype at = p.claim(p.byIdentity.value(SyncConvert::identity(item.kind, item.lines.first())));
                if (at >= 0) {
                    here = Here::Changed;
                    changed = p.lines[at];
                }
            }
        }
        const Listing &there = item.kind == Kind::Contact ? book : calendar;
        const auto server = there.constFind(item.href);
        const int index = int(i);
        if (server != there.cend() && *server == item.etag) {
            // A series stays as the server has it, whatever became of its
            // occurrences here.
            if (item.series) {
                out.unchanged << index;
                if (kept[i].size() < item.lines.size()) {
                    QStringList missing = item.lines;
                    for (const QString &k : std::as_const(kept[i]))
                        missing.removeOne(k);
                    Plan::Patch patch{index, {}, {}};
                    for (const QString &line : std::as_const(missing)) {
                        const qsizetype at = p.claim(p.byIdentity.value(SyncConvert::identity(item.kind, line)));
                        if (at >= 0)
                            patch.changed << qMakePair(line, p.lines[at]);
                        else
                            patch.deleted << line;
                    }
                    out.patch << patch;
                }
            } else if (here == Here::Same) {
                out.unchanged << index;
            } else if (here == Here::Deleted) {
                out.deleteThere << index;
            } else {
                SyncItem sent = item;
                sent.lines = {changed};
                out.send << sent;
            }
        } else if (server != there.cend()) {
            out.receive << Receive{.href = item.href,
                                   .etag = *server,
                                   .contact = item.kind == Kind::Contact,
                                   .agreed = index,
                                   .remove = here == Here::Same ? kept[i] : QStringList(),
                                   .conflict = here == Here::Changed};
            if (here == Here::Changed)
                out.fresh << SyncItem{.kind = item.kind, .href = {}, .etag = {}, .uid = {}, .lines = {changed}};
        } else if (here == Here::Same) {
            out.deleteHere << index;
            out.deleteHereLines << kept[i];
        } else if (here == Here::Changed) {
            out.fresh << SyncItem{.kind = item.kind, .href = {}, .etag = {}, .uid = {}, .lines = {changed}};
        }
    }
    for (const bool contact : {false, true})
        for (auto it = (contact ? book : calendar).cbegin(); it != (contact ? book : calendar).cend(); ++it)
            if (!known.contains(it.key()))
                out.receive << Receive{.href = it.key(),
                                       .etag = it.value(),
                                       .contact = contact,
                                       .agreed = -1,
                                       .remove = {},
                                       .conflict = false};
    for (Pool &p : pools)
        for (qsizetype i = 0; i < p.lines.size(); ++i)
            if (!p.claimed[i])
                out.fresh << SyncItem{.kind = p.kind, .href = {}, .etag = {}, .uid = {}, .lines = {p.lines[i]}};
    return out;
}

Outcome settle(const Local &local, const QList<SyncItem> &agreed, const Plan &plan,
               const QHash<QString, QByteArray> &fetched, const QString &calendarPath, const QString &bookPath,
               QDate today, const QByteArray &zoneId)
{
    Outcome o;
    o.local = local;
    QSet<QChar> pages; // the address book's pages to number again
    auto remove = [&](Kind k, const QString &line) {
        QStringList &lines = section(o.local, k);
        const QString n = SyncConvert::normal(k, line);
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (SyncConvert::normal(k, lines[i]) == n) {
                if (k == Kind::Contact)
                    pages.insert(line.at(0));
                lines.removeAt(i);
                return;
            }
    };
    auto add = [&](Kind k, const QString &line) {
        section(o.local, k) << line;
        if (k == Kind::Contact)
            pages.insert(line.at(0));
    };

    for (const int i : plan.unchanged)
        o.agreed << agreed[i];
    // An item being sent or deleted there stays agreed as it was until the
    // server has taken the change.
    for (const SyncItem &s : plan.send) {
        for (const SyncItem &a : agreed)
            if (a.href == s.href) {
                o.agreed << a;
                break;
            }
        o.uploads << s;
    }
    for (const int i : plan.deleteThere) {
        o.agreed << agreed[i];
        o.removals << agreed[i];
    }
    for (qsizetype d = 0; d < plan.deleteHere.size(); ++d) {
        o.deletedHere += plan.deleteHereLines[d].isEmpty() ? 0 : 1;
        for (const QString &l : plan.deleteHereLines[d])
            remove(agreed[plan.deleteHere[d]].kind, l);
    }

    // What is new here, by kind and line, until a received item claims it.
    QList<bool> taken(plan.fresh.size(), false);
    auto adopt = [&](const SyncConvert::Converted &c) {
        QList<qsizetype> found;
        for (const QString &line : c.lines) {
            const QString n = SyncConvert::normal(c.kind, line);
            qsizetype at = -1;
            for (qsizetype f = 0; f < plan.fresh.size() && at < 0; ++f)
                if (!taken[f] && !found.contains(f) && plan.fresh[f].kind == c.kind
                    && SyncConvert::normal(c.kind, plan.fresh[f].lines.first()) == n)
                    at = f;
            if (at < 0)
                return false;
            found << at;
        }
        for (const qsizetype f : found)
            taken[f] = true;
        return !c.lines.isEmpty();
    };
    for (const Receive &r : plan.receive) {
        const auto data = fetched.constFind(r.href);
        if (data == fetched.cend()) {
            if (r.agreed >= 0)
                o.agreed << agreed[r.agreed];
            continue;
        }
        const SyncConvert::Converted c =
            r.contact ? SyncConvert::fromCard(*data) : SyncConvert::fromCalendar(*data, today, zoneId);
        if (!adopt(c)) {
            for (const QString &l : r.remove)
                remove(agreed[r.agreed].kind, l); // a phone may have made an appointment a birthday
            for (const QString &l : c.lines)
                add(c.kind, l);
            (c.kind == Kind::Contact ? o.contactsIn : o.appointmentsIn) += c.lines.isEmpty() ? 0 : 1;
            if (r.conflict && r.agreed >= 0)
                o.conflicts << SyncConvert::label(agreed[r.agreed].kind, agreed[r.agreed].lines.value(0));
        }
        o.agreed << SyncItem{
            .kind = c.kind, .href = r.href, .etag = r.etag, .uid = c.uid, .lines = c.lines, .series = c.series};
    }

    // The rest of what is new here goes up, under the export's UIDs.
    QSet<QString> used;
    for (const SyncItem &a : std::as_const(o.agreed))
        used.insert(a.uid);
    QStringList appointments, birthdays;
    for (qsizetype f = 0; f < plan.fresh.size(); ++f)
        if (!taken[f])
            (plan.fresh[f].kind == Kind::Appointment ? appointments : birthdays) << plan.fresh[f].lines.first();
    const QStringList appointmentIds = IcsExchange::appointmentUids(appointments);
    const QStringList birthdayIds = IcsExchange::birthdayUids(birthdays);
    qsizetype nextAppointment = 0, nextBirthday = 0;
    for (qsizetype f = 0; f < plan.fresh.size(); ++f) {
        if (taken[f])
            continue;
        SyncItem item = plan.fresh[f];
        const QString &line = item.lines.first();
        QString uid;
        if (item.kind == Kind::Appointment)
            uid = appointmentIds.value(nextAppointment++);
        else if (item.kind == Kind::Birthday)
            uid = birthdayIds.value(nextBirthday++);
        else
            uid = QStringLiteral("contact-%1@tivarel")
                      .arg(QString::fromLatin1(QCryptographicHash::hash(SyncConvert::normal(item.kind, line).toUtf8(),
                                                                        QCryptographicHash::Sha1)
                                                   .toHex()
                                                   .left(12)));
        const QString base = uid.chopped(uid.endsWith(u"@tivarel") ? 8 : 0);
        for (int n = 2; used.contains(uid); ++n)
            uid = base + u'-' + QString::number(n) + QStringLiteral("@tivarel");
        used.insert(uid);
        item.uid = uid;
        item.href = (item.kind == Kind::Contact ? bookPath : calendarPath) + QString(uid).replace(u'/', u'_')
                    + (item.kind == Kind::Contact ? QStringLiteral(".vcf") : QStringLiteral(".ics"));
        o.uploads << item;
    }

    // Received and deleted contacts leave their pages numbered again, as a
    // write-back of the page would.
    for (const QChar page : std::as_const(pages)) {
        int k = 0;
        for (QString &line : o.local.contacts)
            if (!SyncConvert::normal(Kind::Contact, line).isEmpty() && line.at(0) == page
                && k < AddressBook::MaxContactsPerPage)
                line = AddressBook::key(page, k++) + line.mid(4);
    }
    return o;
}

void agree(QList<SyncItem> &agreed, const SyncItem &item, bool removed)
{
    for (qsizetype i = 0; i < agreed.size(); ++i)
        if (agreed[i].href == item.href) {
            if (removed)
                agreed.removeAt(i);
            else
                agreed[i] = item;
            return;
        }
    if (!removed)
        agreed << item;
}

QString summary(int appointmentsIn, int appointmentsOut, int contactsIn, int contactsOut, int deletedHere,
                int deletedThere, int conflicts)
{
    auto s = [](int n) { return n > 1 ? QStringLiteral("s") : QString(); };
    QStringList parts;
    auto both = [&](int in, int out, const QString &what, bool plural) {
        if (in > 0)
            parts << QStringLiteral("%1 %2%3 reçu%4").arg(in).arg(what, plural ? s(in) : QString(), s(in));
        if (out > 0)
            parts << (in > 0
                          ? QStringLiteral("%1 envoyé%2").arg(out).arg(s(out))
                          : QStringLiteral("%1 %2%3 envoyé%4").arg(out).arg(what, plural ? s(out) : QString(), s(out)));
    };
    both(appointmentsIn, appointmentsOut, QStringLiteral("rendez-vous"), false);
    both(contactsIn, contactsOut, QStringLiteral("contact"), true);
    if (deletedHere > 0)
        parts << QStringLiteral("%1 supprimé%2 ici").arg(deletedHere).arg(s(deletedHere));
    if (deletedThere > 0)
        parts << QStringLiteral("%1 supprimé%2 sur le serveur").arg(deletedThere).arg(s(deletedThere));
    if (conflicts > 0)
        parts << QStringLiteral("%1 conflit%2").arg(conflicts).arg(s(conflicts));
    return parts.isEmpty() ? QStringLiteral("Rien à synchroniser : tout est à jour.")
                           : parts.join(QStringLiteral(", "));
}

} // namespace SyncPlan

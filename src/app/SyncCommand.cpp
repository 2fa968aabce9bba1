#include "app/SyncCommand.h"

#include "agenda/AgendaStore.h"
#include "app/DocumentLock.h"
#include "app/ExchangeCommand.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "sync/DavClient.h"
#include "sync/Keyring.h"
#include "sync/SyncRun.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <QTimeZone>

namespace SyncCommand {

namespace {

const QString kSync = QStringLiteral("synchroniser");

struct Failure
{
    int status;
    QString message;
};

// The three sections a synchronisation reads, as their files hold them; the
// organiser file must exist, the two others may not.
SyncPlan::Local loadSet(const QString &document)
{
    SyncPlan::Local local;
    auto read = [&](const QString &extension, QStringList *lines, bool required) {
        const QString path = BaseName::withExtension(document, extension);
        QString error;
        bool missing = false;
        if (auto got = TextFile::read(path, &error, &missing))
            *lines = *got;
        else if (!missing || required)
            throw Failure{BadInput, missing ? QStringLiteral("Fichier %1 n'existe pas").arg(path) : error};
    };
    read(QStringLiteral(".orz"), &local.agenda, true);
    read(QStringLiteral(".oan"), &local.birthdays, false);
    local.contacts = {QStringLiteral(" ")};
    read(QStringLiteral(".ocn"), &local.contacts, false);
    return local;
}

// The sections that changed, the state and the account, replaced together.
void saveSet(const QString &document, const SyncPlan::Local &before, const SyncPlan::Local &after,
             const QStringList &state, const QStringList &account)
{
    SaveBatch batch;
    if (after.agenda != before.agenda) {
        AgendaStore store;
        store.setLines(after.agenda);
        store.sort();
        batch.stage(BaseName::withExtension(document, QStringLiteral(".orz")), TextFile::joinLines(store.lines()));
    }
    if (after.birthdays != before.birthdays)
        batch.stage(BaseName::withExtension(document, QStringLiteral(".oan")), TextFile::joinLines(after.birthdays));
    if (after.contacts != before.contacts)
        batch.stage(BaseName::withExtension(document, QStringLiteral(".ocn")), TextFile::joinLines(after.contacts));
    batch.stage(SyncState::pathFor(document), TextFile::joinLines(state));
    batch.stage(SyncAccount::pathFor(document), TextFile::joinLines(account));
    if (!batch.commit())
        throw Failure{WriteFailed, batch.error()};
}

int synchronise(const QCommandLineParser &p, const Clock &clock, QTextStream &out, QTextStream &err, QTextStream &in)
{
    const QString document = QFileInfo(p.value(kSync)).absoluteFilePath();
    DocumentLock lock;
    DocumentLock::Holder holder;
    if (lock.lock(document, &holder) == DocumentLock::Result::HeldElsewhere)
        throw Failure{Locked, QStringLiteral("Le document %1 est ouvert dans Tivarel (processus %2) : synchronisez-le "
                                             "depuis sa fenêtre. Rien n'a été changé.")
                                  .arg(document)
                                  .arg(holder.pid)};
    const SyncPlan::Local before = loadSet(document);

    const SyncAccount stored =
        SyncAccount::fromLines(TextFile::read(SyncAccount::pathFor(document)).value_or(QStringList()));
    SyncAccount account = stored;
    if (p.isSet(QStringLiteral("serveur")))
        account.server = p.value(QStringLiteral("serveur"));
    if (p.isSet(QStringLiteral("utilisateur")))
        account.user = p.value(QStringLiteral("utilisateur"));
    if (account.server != stored.server || account.user != stored.user)
        account.calendar = account.book = QString();
    if (!account.isSet())
        throw Failure{BadUsage, QStringLiteral("Ce document n'a pas encore de compte : donnez --serveur URL et "
                                               "--utilisateur NOM.")};
    QString why;
    const QUrl server = QUrl::fromUserInput(account.server);
    if (!DavClient::allowed(server, &why))
        throw Failure{Unreachable, why};

    QString password;
    if (p.isSet(QStringLiteral("mot-de-passe-stdin"))) {
        password = in.readLine();
    } else if (const auto kept = Keyring::read(Keyring::keyFor(account.server, account.user), &why)) {
        password = *kept;
    } else {
        throw Failure{Unauthorised, why + QStringLiteral(" Donnez-le par --mot-de-passe-stdin.")};
    }

    SyncState state = SyncState::fromLines(TextFile::read(SyncState::pathFor(document)).value_or(QStringList()))
                          .value_or(SyncState());
    const QStringList agreed = state.toLines();
    SyncPlan::Local local = before;
    DavClient client(server, account.user, password);
    const SyncRun::Result r = SyncRun::run(client, account, local, state, clock.now(), QTimeZone::systemTimeZoneId());
    if (r.status == SyncRun::Status::Done || r.localChanged || account != stored || state.toLines() != agreed)
        saveSet(document, before, local, state.toLines(), account.toLines());
    for (const QString &c : r.conflicts)
        err << QStringLiteral("Conflit : « %1 » a changé ici et sur le serveur ; les deux versions sont gardées.")
                   .arg(c)
            << Qt::endl;
    if (!r.summary.isEmpty())
        out << r.summary << Qt::endl;
    switch (r.status) {
    case SyncRun::Status::Done: return Done;
    case SyncRun::Status::Authentication: throw Failure{Unauthorised, r.error};
    default: throw Failure{Unreachable, r.error};
    }
}

} // namespace

bool requested(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == u"--")
            break;
        if (a.startsWith(QStringLiteral("--") + kSync))
            return true;
    }
    return false;
}

int run(const QStringList &arguments, const Clock &clock, QTextStream &out, QTextStream &err, QTextStream &in)
{
    QCommandLineParser parser;
    ExchangeCommand::addAllOptions(parser);
    QString why;
    if (!ExchangeCommand::understood(arguments, &why) || !parser.parse(arguments)) {
        err << why << Qt::endl << ExchangeCommand::usage();
        err.flush();
        return BadUsage;
    }
    try {
        return synchronise(parser, clock, out, err, in);
    } catch (const Failure &f) {
        err << f.message << Qt::endl;
        return f.status;
    }
}

} // namespace SyncCommand

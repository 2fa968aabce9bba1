#include "app/SyncCommand.h"

#include "app/CommandDocument.h"
#include "app/DocumentLock.h"
#include "app/ExchangeCommand.h"
#include "common/Clock.h"
#include "common/Notices.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "model/DocumentModel.h"
#include "sync/DavClient.h"
#include "sync/Keyring.h"
#include "sync/SyncRun.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTextStream>
#include <QTimeZone>

namespace SyncCommand {

namespace {

using ExchangeCommand::ErrorStreamNotices;
using ExchangeCommand::Failure;
using ExchangeCommand::loadDocument;
using ExchangeCommand::lockDocument;
using ExchangeCommand::stageSections;

const QString kSync = QStringLiteral("synchroniser");

const SectionId Synchronised[] = {SectionId::Week, SectionId::Birthdays, SectionId::Addresses};

// The document loaded as the window loads it, and the three sections a
// synchronisation works on; the organiser file must be there and the three
// readable.
SyncPlan::Local loadSet(DocumentModel &model, const QString &document, QDate today, Notices &notices)
{
    const QString organiser = DocumentModel::fileName(document, SectionId::Week);
    if (!QFileInfo::exists(organiser))
        throw Failure{BadInput, QStringLiteral("Fichier %1 n'existe pas").arg(organiser)};
    loadDocument(model, document, today, notices, {std::begin(Synchronised), std::end(Synchronised)});
    return {model.agenda().lines(), model.birthdays().lines(), model.addresses().lines()};
}

// The sections that changed (saved as the window saves them, the day's
// backup first), the state and the account, replaced together.
void saveSet(DocumentModel &model, const QString &document, const SyncPlan::Local &before, const SyncPlan::Local &after,
             const QStringList &state, const QStringList &account, const Clock &clock, Notices &notices)
{
    model.agenda().setLines(after.agenda);
    model.birthdays().setLines(after.birthdays);
    model.addresses().setLines(after.contacts);
    model.document().setModified();
    const bool changed[] = {after.agenda != before.agenda, after.birthdays != before.birthdays,
                            after.contacts != before.contacts};
    QList<SectionId> written;
    for (int i = 0; i < 3; ++i)
        if (changed[i])
            written << Synchronised[i];
    SaveBatch batch;
    stageSections(model, document, written, batch, clock, notices);
    batch.stage(SyncState::pathFor(document), TextFile::joinLines(state));
    batch.stage(SyncAccount::pathFor(document), TextFile::joinLines(account));
    if (!batch.commit())
        throw Failure{WriteFailed, batch.error()};
}

int synchronise(const QCommandLineParser &p, const Clock &clock, QTextStream &out, QTextStream &err, QTextStream &in)
{
    const QString document = QFileInfo(p.value(kSync)).absoluteFilePath();
    DocumentLock lock;
    lockDocument(lock, document, QStringLiteral("synchronisez-le depuis sa fenêtre"));
    DocumentModel model;
    ErrorStreamNotices notices(err);
    const SyncPlan::Local before = loadSet(model, document, clock.today(), notices);

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
        saveSet(model, document, before, local, state.toLines(), account.toLines(), clock, notices);
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

#include "sync/Keyring.h"

#include <QEventLoop>

#include <qt6keychain/keychain.h>

namespace Keyring {

namespace {

const QString Service = QStringLiteral("Tivarel");

// Runs a job to its end.
bool finish(QKeychain::Job &job, QString *why)
{
    job.setAutoDelete(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    if (job.error() == QKeychain::NoError)
        return true;
    *why = job.error() == QKeychain::EntryNotFound
               ? QStringLiteral("Aucun mot de passe n'est gardé pour ce compte.")
               : QStringLiteral("Trousseau du bureau indisponible : %1").arg(job.errorString());
    return false;
}

} // namespace

QString keyFor(const QString &server, const QString &user)
{
    return user + u'@' + server;
}

std::optional<QString> read(const QString &key, QString *why)
{
    QKeychain::ReadPasswordJob job(Service);
    job.setKey(key);
    if (!finish(job, why))
        return std::nullopt;
    return job.textData();
}

bool write(const QString &key, const QString &password, QString *why)
{
    QKeychain::WritePasswordJob job(Service);
    job.setKey(key);
    job.setTextData(password);
    return finish(job, why);
}

} // namespace Keyring

#include "app/DocumentLock.h"

#include "common/BaseName.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

DocumentLock::DocumentLock() = default;
DocumentLock::~DocumentLock() = default;

QString DocumentLock::setKey(const QString &documentPath)
{
    if (documentPath.isEmpty())
        return {};
    return QDir::cleanPath(QFileInfo(BaseName::of(documentPath)).absoluteFilePath());
}

QString DocumentLock::lockFileFor(const QString &documentPath)
{
    const QString key = setKey(documentPath);
    const qsizetype slash = key.lastIndexOf(u'/');
    return key.left(slash + 1) + u'.' + key.mid(slash + 1) + QStringLiteral(".orz.lock");
}

DocumentLock::Result DocumentLock::take(QLockFile &file, Holder *holder)
{
    // By default Qt also counts a lock older than 30 seconds as stale; a
    // document stays open for hours, so only a dead holder makes it stale.
    file.setStaleLockTime(0);
    if (file.tryLock(0))
        return Result::Locked;
    if (file.error() != QLockFile::LockFailedError)
        return Result::Unavailable;
    Holder h;
    QString app;
    if (!file.getLockInfo(&h.pid, &h.hostName, &app))
        h = {};
    // Another document window of this very program (tests make several) is
    // no other program: it neither blocks nor gets the lock.
    if (h.pid == QCoreApplication::applicationPid() && h.hostName == QSysInfo::machineHostName())
        return Result::Unavailable;
    if (holder)
        *holder = h;
    return Result::HeldElsewhere;
}

DocumentLock::Result DocumentLock::lock(const QString &documentPath, Holder *holder)
{
    const QString key = setKey(documentPath);
    if (!key.isEmpty() && key == m_key)
        return Result::Locked;
    auto file = std::make_unique<QLockFile>(lockFileFor(documentPath));
    const Result result = take(*file, holder);
    if (result == Result::HeldElsewhere)
        return result;
    unlock();
    if (result == Result::Locked) {
        m_file = std::move(file);
        m_key = key;
    }
    return result;
}

void DocumentLock::unlock()
{
    m_file.reset();
    m_key.clear();
}

bool DocumentLock::holds(const QString &documentPath) const
{
    return !m_key.isEmpty() && setKey(documentPath) == m_key;
}

bool DocumentLock::heldElsewhere(const QString &documentPath, Holder *holder)
{
    QLockFile probe(lockFileFor(documentPath));
    return take(probe, holder) == Result::HeldElsewhere;
}

#include "common/BackupStore.h"

#include "common/BaseName.h"
#include "common/SaveBatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString kFolder = QStringLiteral("sauvegardes");
const QString kPart = QStringLiteral(".part");

QString namePart(const QString &base)
{
    return QFileInfo(base).fileName();
}

// "<name>-yyyy-mm-dd", with "-hhmmss" for a copy made before a restore.
QString copyName(const QString &base, QDate date, QTime time = {})
{
    QString name = namePart(base) + u'-' + date.toString(QStringLiteral("yyyy-MM-dd"));
    if (time.isValid())
        name += u'-' + time.toString(QStringLiteral("HHmmss"));
    return name;
}

// Copies a file over `to` (made when missing), writing over its bytes in
// place and cutting it to the new size; `to` takes the permissions of
// `from`, so a private file stays private in its copies.
bool copyInto(const QString &from, const QString &to, QString *error)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::ReadWrite)) {
        *error = QStringLiteral("Copie impossible de « %1 » : %2")
                     .arg(from, in.isOpen() ? out.errorString() : in.errorString());
        return false;
    }
    qint64 size = 0;
    for (QByteArray chunk; !(chunk = in.read(1 << 20)).isEmpty(); size += chunk.size()) {
        if (out.write(chunk) != chunk.size()) {
            *error = QStringLiteral("Copie impossible de « %1 » : %2").arg(from, out.errorString());
            return false;
        }
    }
    if (in.error() != QFileDevice::NoError || !out.resize(size) || !out.setPermissions(in.permissions())) {
        *error = QStringLiteral("Copie impossible de « %1 » : %2").arg(from, in.errorString() + out.errorString());
        return false;
    }
    return true;
}

// Puts the files of `folder` in place of the set, all together or none
// (see SaveBatch), then removes the set's files that `folder` lacks.
BackupStore::Result putInPlace(const QString &base, const QStringList &extensions, const QString &folder)
{
    const QString name = namePart(base);
    SaveBatch batch;
    QStringList lacking;
    for (const QString &ext : extensions) {
        const QString source = QDir(folder).filePath(name + ext);
        if (QFileInfo::exists(source)) {
            QFile in(source);
            if (!in.open(QIODevice::ReadOnly))
                return {BackupStore::Outcome::Failed,
                        QStringLiteral("Lecture impossible de « %1 » : %2").arg(source, in.errorString())};
            if (!batch.stage(base + ext, in.readAll()))
                return {BackupStore::Outcome::Failed, batch.error()};
        } else if (QFileInfo::exists(base + ext)) {
            lacking << base + ext;
        }
    }
    if (!batch.commit())
        return {BackupStore::Outcome::Failed, batch.error()};
    for (const QString &file : lacking) {
        if (!QFile::remove(file))
            return {BackupStore::Outcome::Failed, QStringLiteral("Suppression impossible de « %1 ».").arg(file)};
    }
    return {BackupStore::Outcome::Made, {}};
}

} // namespace

BackupStore::BackupStore(QStringList extensions) : m_extensions(std::move(extensions)) {}

QString BackupStore::setOf(const QString &path) const
{
    const QString base = BaseName::of(path);
    const QString ext = path.mid(base.size());
    return m_extensions.contains(ext, Qt::CaseInsensitive) && !namePart(base).isEmpty() ? base : QString();
}

QString BackupStore::folderOf(const QString &base)
{
    return QFileInfo(base).dir().filePath(kFolder);
}

QStringList BackupStore::setFiles(const QString &base) const
{
    QStringList files;
    for (const QString &ext : m_extensions) {
        if (QFileInfo(base + ext).isFile())
            files << base + ext;
    }
    return files;
}

BackupStore::Result BackupStore::copySet(const QString &base, const QString &target, const QString &recycle) const
{
    const QStringList files = setFiles(base);
    if (files.isEmpty())
        return {Outcome::NothingToCopy, {}};
    const QString part = target + kPart;
    QDir(part).removeRecursively(); // left over by a copy cut short
    // A copy about to be rotated out lends its folder: its files are written
    // over in place, so the disk reuses their blocks instead of freeing old
    // ones and taking new ones.
    if ((recycle.isEmpty() || !QDir().rename(recycle, part)) && !QDir().mkpath(part))
        return {Outcome::Failed, QStringLiteral("Impossible de créer le dossier « %1 ».").arg(part)};
    QStringList names;
    for (const QString &file : files) {
        names << QFileInfo(file).fileName();
        QString error;
        if (!copyInto(file, QDir(part).filePath(names.last()), &error)) {
            QDir(part).removeRecursively();
            return {Outcome::Failed, error};
        }
    }
    for (const QString &other : QDir(part).entryList(QDir::Files | QDir::Hidden)) {
        if (!names.contains(other))
            QFile::remove(QDir(part).filePath(other));
    }
    if (!QDir().rename(part, target)) {
        QDir(part).removeRecursively();
        return {Outcome::Failed, QStringLiteral("Impossible de créer le dossier « %1 ».").arg(target)};
    }
    return {Outcome::Made, {}};
}

BackupStore::Result BackupStore::dailyCopy(const QString &base, QDate today)
{
    const QString target = QDir(folderOf(base)).filePath(copyName(base, today));
    if (QFileInfo::exists(target))
        return {Outcome::AlreadyMade, {}};
    // With the 14 days kept already, the oldest day's copy goes.
    const QList<Backup> all = list(base);
    QList<QDate> days;
    for (const Backup &b : all) {
        if (!days.contains(b.date))
            days << b.date;
    }
    const Result r = copySet(base, target, days.size() >= KeptDays ? all.last().folder : QString());
    if (r.outcome == Outcome::Made)
        rotate(base);
    return r;
}

QList<BackupStore::Backup> BackupStore::list(const QString &base) const
{
    static const QRegularExpression stamp(
        QStringLiteral("^-(\\d{4})-(\\d{2})-(\\d{2})(?:-(\\d{2})(\\d{2})(\\d{2}))?$"));
    const QString name = namePart(base);
    QList<Backup> out;
    const QDir dir(folderOf(base));
    for (const QString &entry : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!entry.startsWith(name))
            continue;
        const auto m = stamp.match(QStringView(entry).mid(name.size()));
        if (!m.hasMatch())
            continue;
        Backup b;
        b.folder = dir.filePath(entry);
        b.date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        if (m.hasCaptured(4))
            b.time = QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        for (const QString &ext : m_extensions) {
            if (QFileInfo(QDir(b.folder).filePath(name + ext)).isFile())
                b.files << name + ext;
        }
        if (b.date.isValid() && (!m.hasCaptured(4) || b.time.isValid()) && !b.files.isEmpty())
            out << b;
    }
    // Newest first; on one day the copies made before a restore come after
    // the day's first one in time, so before it here.
    std::sort(out.begin(), out.end(), [](const Backup &a, const Backup &b) {
        if (a.date != b.date)
            return a.date > b.date;
        return a.time.isValid() && (!b.time.isValid() || a.time > b.time);
    });
    return out;
}

void BackupStore::rotate(const QString &base) const
{
    const QList<Backup> all = list(base);
    QList<QDate> days;
    for (const Backup &b : all) {
        if (!days.contains(b.date))
            days << b.date;
    }
    for (const Backup &b : all) {
        if (days.indexOf(b.date) >= KeptDays)
            QDir(b.folder).removeRecursively();
    }
    // Copies cut short on other days (a crash, a full disk).
    QDir dir(folderOf(base));
    for (const QString &entry : dir.entryList({namePart(base) + QStringLiteral("-*") + kPart}, QDir::Dirs))
        QDir(dir.filePath(entry)).removeRecursively();
}

BackupStore::Result BackupStore::restore(const QString &base, const Backup &backup, const QDateTime &now)
{
    // The current set goes aside first, under a name no other copy has.
    QDateTime stamp = now;
    QString aside;
    do {
        aside = QDir(folderOf(base)).filePath(copyName(base, stamp.date(), stamp.time()));
        stamp = stamp.addSecs(1);
    } while (QFileInfo::exists(aside));
    const Result saved = copySet(base, aside);
    if (saved.outcome == Outcome::Failed)
        return saved;
    const Result put = putInPlace(base, m_extensions, backup.folder);
    if (put.outcome == Outcome::Failed && saved.outcome == Outcome::Made)
        putInPlace(base, m_extensions, aside);
    rotate(base);
    return put;
}

#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

// Dated copies of a document set, kept in the folder "sauvegardes" beside
// the document:
//
//   sauvegardes/agenda-2026-12-06/         the set as it was before the
//                                          first save of that day
//   sauvegardes/agenda-2026-12-06-143012/  the set as it was just before a
//                                          backup was restored at 14:30:12
//
// "agenda" is the file-name part of the document's base name. A copy holds
// the files of the set that existed, under their own names, byte for byte.
// It is made in a folder ending in ".part" and renamed once complete, so a
// copy cut short (full disk, crash) never passes for a whole one. The copies
// of the 14 most recent days that have any are kept; older ones are removed
// whenever a new copy is made, so a long absence never empties the folder.
class BackupStore
{
public:
    static constexpr int KeptDays = 14;

    // `extensions`: the extensions of the files of a set (".orz", ...).
    explicit BackupStore(QStringList extensions);

    struct Backup
    {
        QString folder; // full path
        QDate date;
        QTime time;        // set for a copy made before a restore
        QStringList files; // file names, in set order
    };

    enum class Outcome
    {
        Made,
        AlreadyMade,
        NothingToCopy,
        Failed
    };
    struct Result
    {
        Outcome outcome = Outcome::NothingToCopy;
        QString error; // in French, when Failed
    };

    // The base name of the set whose file `path` is; empty when it is no
    // file of a set.
    QString setOf(const QString &path) const;
    static QString folderOf(const QString &base); // ".../sauvegardes"

    // The day's copy of the set, unless it exists already; then the
    // rotation.
    Result dailyCopy(const QString &base, QDate today);
    // The copies of the set, newest first.
    QList<Backup> list(const QString &base) const;
    // Puts the copy's files in place of the set (files it lacks are removed,
    // so the set is again exactly as it was), after copying the current set
    // aside (stamped `now`). Nothing is changed when that copy fails; the
    // copy's files replace the set's all together or not at all, and should
    // removing a file then fail, the set is put back from the aside copy.
    Result restore(const QString &base, const Backup &backup, const QDateTime &now);

private:
    QStringList setFiles(const QString &base) const;
    Result copySet(const QString &base, const QString &target, const QString &recycle = {}) const;
    void rotate(const QString &base) const;

    QStringList m_extensions;
};

#pragma once

#include <QString>

#include <memory>

class QLockFile;

// Tells the running Tivarel programs which document set each of them has
// open, so that two windows never save over each other's work.
//
// The lock is a QLockFile beside the organiser file, hidden and named after
// it: "/docs/.agenda.orz.lock" for the set of "/docs/agenda.orz" (whatever
// extension the path carries, as every file of the set shares its base
// name). It holds the holder's process id, program name and machine. A lock
// left by a program that is no longer running on this machine is stale and
// taken over; a lock never goes stale by age alone, however long a document
// stays open.
class DocumentLock
{
public:
    enum class Result
    {
        Locked,        // this program holds the lock now
        HeldElsewhere, // another running program holds it
        Unavailable,   // no lock can be had: a read-only or missing folder, or
                       // another document window of this same program has it
    };

    // Who holds a lock another program has.
    struct Holder
    {
        qint64 pid = 0;
        QString hostName;
    };

    DocumentLock();
    ~DocumentLock(); // gives the lock up
    DocumentLock(const DocumentLock &) = delete;
    DocumentLock &operator=(const DocumentLock &) = delete;

    // The lock file of the set a document path names.
    static QString lockFileFor(const QString &documentPath);
    // The set a path names, as an absolute base name: two paths of one set
    // give the same key.
    static QString setKey(const QString &documentPath);

    // Takes the lock of the set `documentPath` names. The lock held before
    // is given up when the new one is taken and when none can be made; it
    // is kept when another program holds the new one (*holder then says
    // which, when given).
    Result lock(const QString &documentPath, Holder *holder = nullptr);
    void unlock();
    // Whether this program holds the lock of the set `documentPath` names.
    bool holds(const QString &documentPath) const;
    // Whether another running program holds the lock of that set now
    // (*holder then says which, when given). Leaves no lock file behind.
    static bool heldElsewhere(const QString &documentPath, Holder *holder = nullptr);

    // The same rules on any lock file: tries `file` at once, after making its
    // staleness depend on the holder's process alone.
    static Result take(QLockFile &file, Holder *holder = nullptr);

private:
    std::unique_ptr<QLockFile> m_file;
    QString m_key;
};

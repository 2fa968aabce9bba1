#pragma once

#include "common/BackupStore.h"

#include <QSet>
#include <QString>

class Clock;
class Notices;

// The backups of the document set as the program takes them: before a save
// replaces a file of a set, the day's copy of that set is made (see
// BackupStore), once a day. A copy that cannot be made never stops the
// save: the user is told once, and that day's copy is not tried again.
class DocumentBackups
{
public:
    explicit DocumentBackups(const Clock &clock);

    // Called before the file `path` is replaced; a copy that failed is told
    // through `notices`.
    void beforeReplace(const QString &path, Notices &notices);

    BackupStore &store() { return m_store; }

private:
    const Clock &m_clock;
    BackupStore m_store;
    QSet<QString> m_settled; // "<base>|<day>" whose copy was made, found or given up
};

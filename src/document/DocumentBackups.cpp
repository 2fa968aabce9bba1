#include "document/DocumentBackups.h"

#include "common/Clock.h"
#include "common/Notices.h"
#include "document/Document.h"

DocumentBackups::DocumentBackups(const Clock &clock) : m_clock(clock), m_store(Document::extensions()) {}

void DocumentBackups::beforeReplace(const QString &path, Notices &notices)
{
    const QString base = m_store.setOf(path);
    if (base.isEmpty())
        return;
    const QDate today = m_clock.today();
    const QString key = base + u'|' + today.toString(Qt::ISODate);
    if (m_settled.contains(key))
        return;
    m_settled.insert(key);
    const BackupStore::Result r = m_store.dailyCopy(base, today);
    if (r.outcome == BackupStore::Outcome::Failed)
        notices.tell(QStringLiteral("La copie de sauvegarde du jour n'a pas pu être faite :\n%1\n"
                                    "L'enregistrement se fait quand même.")
                         .arg(r.error),
                     Notices::Kind::Warning);
}

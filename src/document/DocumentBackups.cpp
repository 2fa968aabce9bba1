#include "document/DocumentBackups.h"

#include "common/Clock.h"
#include "common/UiServices.h"
#include "document/Document.h"
#include "document/DocumentContext.h"

DocumentBackups::DocumentBackups(DocumentContext &context) : m_context(context), m_store(Document::extensions()) {}

void DocumentBackups::beforeReplace(const QString &path)
{
    const QString base = m_store.setOf(path);
    if (base.isEmpty())
        return;
    const QDate today = m_context.clock().today();
    const QString key = base + u'|' + today.toString(Qt::ISODate);
    if (m_settled.contains(key))
        return;
    m_settled.insert(key);
    const BackupStore::Result r = m_store.dailyCopy(base, today);
    if (r.outcome == BackupStore::Outcome::Failed)
        m_context.ui().message(m_context.dialogParent(),
                               QStringLiteral("La copie de sauvegarde du jour n'a pas pu être faite :\n%1\n"
                                              "L'enregistrement se fait quand même.")
                                   .arg(r.error),
                               UiServices::Icon::Warning, QMessageBox::Ok);
}

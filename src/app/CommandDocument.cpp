#include "app/CommandDocument.h"

#include "app/DocumentLock.h"
#include "app/ExchangeCommand.h"
#include "common/SaveBatch.h"
#include "document/DocumentBackups.h"
#include "model/DocumentModel.h"

#include <QTextStream>

namespace ExchangeCommand {

void ErrorStreamNotices::tell(const QString &text, Kind)
{
    m_err << text << Qt::endl;
}

bool ErrorStreamNotices::ask(const QString &text)
{
    m_err << text << QStringLiteral(" Non.") << Qt::endl;
    return false;
}

void loadDocument(DocumentModel &model, const QString &document, QDate today, Notices &notices,
                  const QList<SectionId> &read)
{
    model.reset(today);
    model.load(document, today, notices);
    for (SectionId section : read) {
        if (model.unreadable(document, section))
            throw Failure{BadInput, QStringLiteral("Le fichier %1 ne peut pas être lu : rien n'a été fait.")
                                        .arg(DocumentModel::fileName(document, section))};
    }
}

void lockDocument(DocumentLock &lock, const QString &document, const QString &advice)
{
    DocumentLock::Holder holder;
    if (lock.lock(document, &holder) == DocumentLock::Result::HeldElsewhere)
        throw Failure{Locked, QStringLiteral("Le document %1 est ouvert dans Tivarel (processus %2) : %3. "
                                             "Rien n'a été changé.")
                                  .arg(document)
                                  .arg(holder.pid)
                                  .arg(advice)};
}

void stageSections(DocumentModel &model, const QString &document, const QList<SectionId> &sections, SaveBatch &batch,
                   const Clock &clock, Notices &notices)
{
    DocumentBackups backups(clock);
    DocumentModel::SaveHooks hooks;
    hooks.beforeReplace = [&](const QString &path) { backups.beforeReplace(path, notices); };
    for (SectionId section : sections) {
        if (!model.saveSection(document, section, batch, notices, hooks))
            throw Failure{WriteFailed,
                          batch.error().isEmpty() ? QStringLiteral("Rien n'a été enregistré.") : batch.error()};
    }
}

} // namespace ExchangeCommand

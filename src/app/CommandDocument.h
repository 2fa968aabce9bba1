#pragma once

#include "common/Notices.h"
#include "document/Document.h"

#include <QDate>
#include <QList>
#include <QString>

class Clock;
class DocumentLock;
class DocumentModel;
class QTextStream;
class SaveBatch;

// What the command-line modes (exchange, bank statements, synchronisation)
// share to work on a document set without a window: the same load, lock
// and save as the window's, and their failures.
namespace ExchangeCommand {

// A command that cannot go on: its exit status and what it tells.
struct Failure
{
    int status;
    QString message;
};

// What loading and saving the document tells, on standard error. A question
// (a damaged block file to repair) is answered No: a command writes only the
// sections it changes.
class ErrorStreamNotices final : public Notices
{
public:
    explicit ErrorStreamNotices(QTextStream &err) : m_err(err) {}
    void tell(const QString &text, Kind kind) override;
    bool ask(const QString &text) override;

private:
    QTextStream &m_err;
};

// The set loaded into `model` as the window loads it; the sections in
// `read` must have been readable (BadInput otherwise).
void loadDocument(DocumentModel &model, const QString &document, QDate today, Notices &notices,
                  const QList<SectionId> &read);
// The set's lock taken; Locked, naming the program that holds it, followed
// by `advice` ("fermez-le avant d'importer"), when another has it.
void lockDocument(DocumentLock &lock, const QString &document, const QString &advice);
// The sections staged in `batch` as the window saves them, the day's backup
// first; WriteFailed when one could not be.
void stageSections(DocumentModel &model, const QString &document, const QList<SectionId> &sections, SaveBatch &batch,
                   const Clock &clock, Notices &notices);

} // namespace ExchangeCommand

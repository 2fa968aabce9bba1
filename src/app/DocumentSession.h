#pragma once

#include "app/DocumentLock.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QStringList>

#include <memory>

class QWidget;
class ReadOnlyPages;
class RecoveryCopy;
class TChild;

// What the document window's document is to the other running Tivarel
// programs and to the next start of this one.
//
// Two windows on one document: the set's lock (DocumentLock) is taken when
// a document is opened and given up when another is opened, when a new one
// is made and at the end. When another running program holds it, the user
// chooses between opening the document read-only (no command, page edit or
// save can change its files; "Enregistrer sous" another name takes that
// name's lock and makes the document writable again) and not opening it.
//
// Recovery: while the document has unsaved changes, a recovery copy of its
// stores is written every few minutes and when the program is asked to end
// (SIGTERM, SIGHUP, SIGINT); a save, a new or opened document and a normal
// end remove it. At the next start, the copies of programs that ended
// abnormally are offered: restore (the set opens under its own name, modified,
// and its next save writes every file), look at it read-only, or discard it.
class DocumentSession : public QObject
{
    Q_OBJECT

public:
    // How long unsaved changes wait before their recovery copy is written.
    static constexpr int kRecoveryIntervalMs = 3 * 60 * 1000;

    // `pages`: the widget that holds the section pages; `recoveryRoot`: the
    // folder of the recovery copies.
    DocumentSession(TChild &child, QWidget *pages, const QString &recoveryRoot);
    ~DocumentSession() override; // a normal end: the recovery copy goes

    bool isReadOnly() const { return !m_readOnlyKey.isEmpty(); }

    // Before the set `documentPath` names is loaded: takes its lock, or asks
    // about opening it read-only when another program holds it. False, when
    // the user declines, changing nothing of the open document (a name it
    // only remembered, the automatic opening's, is dropped).
    bool aboutToOpen(const QString &documentPath);
    // After the set was loaded, and after a new document was made.
    void opened();
    void closed();
    // Before the set is saved under `documentPath`: false, after telling the
    // user, when another program holds that set or it was opened read-only
    // and the user does not confirm. The lock of a new name is taken once
    // the save is over and the document bears that name (a failed save
    // leaves the document its name and its lock).
    bool aboutToSave(const QString &documentPath);
    // Whether a file of a document set may be written now.
    bool mayWrite(const QString &path) const;

    // At start: offers the recovery copies left by programs that ended
    // abnormally. True when one was opened.
    bool offerRecovery();
    // Writes the recovery copy now when the document has unsaved changes.
    void writeRecovery();
    // The copy's folder (empty when there is none): for the tests.
    QString recoveryFolder() const;

signals:
    void readOnlyChanged(bool readOnly);
    // The document's name changed without a load or a save under it: a
    // declined open, a restored or viewed recovery copy.
    void nameChanged(const QString &documentName);

private:
    // The set of `key` is now this window's, read-only or writable.
    void enterSet(const QString &key, bool readOnly);
    void tick();
    void settleSave();
    void terminate();
    void showAccess();
    void dropOwnCopy();
    void restore(std::unique_ptr<RecoveryCopy> copy);
    void view(std::unique_ptr<RecoveryCopy> copy);

    TChild &m_child;
    QString m_root;
    ReadOnlyPages *m_pages;
    DocumentLock m_lock;
    QString m_openKey;     // the set the document was opened from (DocumentLock::setKey)
    QString m_readOnlyKey; // the set open read-only; empty: writable
    QString m_savingKey;   // a set being saved under a new name, not locked yet
    bool m_shownReadOnly = false;
    bool m_rewriteAll = false; // the stores came from a recovery copy
    bool m_terminated = false;
    std::unique_ptr<RecoveryCopy> m_own;    // this program's copy
    std::unique_ptr<RecoveryCopy> m_viewed; // another's, shown read-only
    QList<QStringList> m_lastCopy;
    QElapsedTimer m_dirty; // since the changes not yet in a copy were seen
};

#include "app/DocumentSession.h"

#include "app/ReadOnlyPages.h"
#include "app/RecoveryCopy.h"
#include "app/TChild.h"
#include "common/BaseName.h"
#include "common/UiServices.h"
#include "document/SectionPage.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QSysInfo>
#include <QTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

// The end signals reach the event loop through a socket pair: the handler
// only writes one byte (nothing else is safe inside a signal handler) and a
// socket notifier reads it on the GUI thread.
int g_signalPipe[2] = {-1, -1};

extern "C" void onEndSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[0], &byte, 1);
    errno = saved;
}

QSocketNotifier *endSignals()
{
    static QSocketNotifier *notifier = []() -> QSocketNotifier * {
        if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
            return nullptr;
        ::fcntl(g_signalPipe[0], F_SETFL, O_NONBLOCK);
        auto *n = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, qApp);
        QObject::connect(n, &QSocketNotifier::activated, n, [] {
            char byte;
            [[maybe_unused]] const auto r = ::read(g_signalPipe[1], &byte, 1);
        });
        struct sigaction action = {};
        action.sa_handler = onEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int s : {SIGTERM, SIGHUP, SIGINT})
            ::sigaction(s, &action, nullptr);
        return n;
    }();
    return notifier;
}

QString shownName(const QString &documentPath)
{
    return documentPath.isEmpty()
               ? QStringLiteral("sans nom")
               : BaseName::fileNamePart(BaseName::withExtension(documentPath, QStringLiteral(".orz")));
}

QString holderText(const DocumentLock::Holder &h)
{
    QString text = QStringLiteral("processus %1").arg(h.pid);
    if (!h.hostName.isEmpty() && h.hostName != QSysInfo::machineHostName())
        text += QStringLiteral(" sur l'ordinateur « %1 »").arg(h.hostName);
    return text;
}

} // namespace

DocumentSession::DocumentSession(TChild &child, QWidget *pages, const QString &recoveryRoot)
    : QObject(&child), m_child(child), m_root(recoveryRoot), m_pages(new ReadOnlyPages(pages, this)),
      m_own(std::make_unique<RecoveryCopy>(recoveryRoot))
{
    auto *timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &DocumentSession::tick);
    timer->start();
    if (QSocketNotifier *n = endSignals())
        connect(n, &QSocketNotifier::activated, this, &DocumentSession::terminate);
}

DocumentSession::~DocumentSession()
{
    if (!m_terminated)
        m_own->remove();
}

// ---------------------------------------------------------------------------
// Opening and saving

bool DocumentSession::aboutToOpen(const QString &documentPath)
{
    const QString key = DocumentLock::setKey(documentPath);
    DocumentLock::Holder holder;
    const bool heldElsewhere = m_lock.lock(documentPath, &holder) == DocumentLock::Result::HeldElsewhere;
    if (heldElsewhere) {
        const QString text = QStringLiteral("Le document « %1 » est déjà ouvert dans un autre Tivarel (%2).\n"
                                            "L'ouvrir en lecture seule ? Vous pourrez le consulter et "
                                            "l'enregistrer sous un autre nom.")
                                 .arg(shownName(documentPath), holderText(holder));
        if (m_child.context().ui().message(&m_child, text, UiServices::Icon::Question,
                                           QMessageBox::Yes | QMessageBox::Cancel, QMessageBox::Yes)
            != QMessageBox::Yes) {
            // A name the window only remembered (the automatic opening's)
            // names no open document: a save must not go there.
            Document &doc = m_child.document();
            if (DocumentLock::setKey(doc.name) != m_openKey)
                doc.name.clear();
            emit nameChanged(doc.name);
            return false;
        }
    }
    enterSet(key, heldElsewhere);
    m_rewriteAll = false;
    return true;
}

void DocumentSession::enterSet(const QString &key, bool readOnly)
{
    // Read-only: the lock is another program's, this window holds none.
    if (readOnly)
        m_lock.unlock();
    m_readOnlyKey = readOnly ? key : QString();
    m_openKey = key;
    m_viewed.reset();
}

void DocumentSession::opened()
{
    dropOwnCopy(); // the changes of the document before were given up
    showAccess();
}

void DocumentSession::closed()
{
    m_lock.unlock();
    m_openKey.clear();
    m_readOnlyKey.clear();
    m_viewed.reset();
    m_rewriteAll = false;
    opened();
}

bool DocumentSession::aboutToSave(const QString &documentPath)
{
    settleSave(); // the save before this one
    UiServices &ui = m_child.context().ui();
    const QString name = shownName(documentPath);
    if (!m_lock.holds(documentPath)) {
        const QString key = DocumentLock::setKey(documentPath);
        const bool readOnlyHere = key == m_readOnlyKey;
        if (readOnlyHere) {
            if (DocumentLock::heldElsewhere(documentPath)) {
                ui.message(&m_child,
                           QStringLiteral("Le document « %1 » est ouvert en lecture seule : un autre Tivarel "
                                          "l'a ouvert. Il n'est pas enregistré ; enregistrez-le sous un autre nom.")
                               .arg(name),
                           UiServices::Icon::Warning, QMessageBox::Ok);
                return false;
            }
            if (!ui.askYesNo(&m_child,
                             QStringLiteral("Le document « %1 » a été ouvert en lecture seule : l'autre Tivarel "
                                            "a pu l'enregistrer depuis.\nLe remplacer quand même ?")
                                 .arg(name),
                             UiServices::Icon::Warning))
                return false;
        }
        DocumentLock::Holder holder;
        const bool held = readOnlyHere ? m_lock.lock(documentPath, &holder) == DocumentLock::Result::HeldElsewhere
                                       : DocumentLock::heldElsewhere(documentPath, &holder);
        if (held) {
            ui.message(&m_child,
                       QStringLiteral("Le document « %1 » est ouvert dans un autre Tivarel (%2) : "
                                      "il n'est pas enregistré.")
                           .arg(name, holderText(holder)),
                       UiServices::Icon::Warning, QMessageBox::Ok);
            return false;
        }
        if (readOnlyHere) {
            // Confirmed: the set is this program's from now on.
            m_openKey = key;
            m_readOnlyKey.clear();
            m_viewed.reset();
            showAccess();
        } else {
            // Under a new name the lock follows once the save is done: a
            // save that fails leaves the document its name and its lock.
            m_savingKey = key;
            QTimer::singleShot(0, this, &DocumentSession::settleSave);
        }
    }
    // A set restored from a recovery copy is saved as under a new name:
    // every file is written, whatever the sections' own flags say.
    if (m_rewriteAll)
        m_child.document().name.clear();
    return true;
}

bool DocumentSession::mayWrite(const QString &path) const
{
    if (m_lock.holds(path))
        return true;
    return DocumentLock::setKey(path) != m_readOnlyKey && !DocumentLock::heldElsewhere(path);
}

void DocumentSession::showAccess()
{
    const bool readOnly = isReadOnly();
    m_pages->setActive(readOnly);
    if (readOnly)
        m_child.setWindowTitle(m_child.document().caption + QStringLiteral(" (lecture seule)"));
    if (readOnly != m_shownReadOnly) {
        m_shownReadOnly = readOnly;
        emit readOnlyChanged(readOnly);
    }
}

// ---------------------------------------------------------------------------
// Recovery

QString DocumentSession::recoveryFolder() const
{
    return m_own->exists() ? m_own->folder() : QString();
}

void DocumentSession::dropOwnCopy()
{
    m_dirty.invalidate();
    if (m_own->exists())
        m_own->remove();
    m_lastCopy.clear();
}

void DocumentSession::settleSave()
{
    // Inside a question the save shows, the save is not over yet.
    if (m_savingKey.isEmpty() || QApplication::activeModalWidget())
        return;
    const QString key = std::exchange(m_savingKey, QString());
    const QString name = m_child.document().name;
    if (DocumentLock::setKey(name) != key)
        return;
    // Another program that opened the set in between keeps it: this
    // window then shows it read-only.
    enterSet(key, m_lock.lock(name) == DocumentLock::Result::HeldElsewhere);
    showAccess();
}

void DocumentSession::tick()
{
    settleSave();
    if (!m_child.document().modified || isReadOnly()) {
        // Saved, or given up: the copy is no longer needed.
        dropOwnCopy();
        m_rewriteAll = m_rewriteAll && m_child.document().modified;
        return;
    }
    if (!m_dirty.isValid())
        m_dirty.start();
    else if (m_dirty.hasExpired(kRecoveryIntervalMs) && !QApplication::activeModalWidget())
        writeRecovery();
}

void DocumentSession::writeRecovery()
{
    // The edits still on screen belong to the changes; while a dialog is
    // up, a section may be in the middle of one of its commands.
    if (!QApplication::activeModalWidget())
        m_child.writeBackAll();
    const Document &doc = m_child.document();
    if (!doc.modified || isReadOnly())
        return;
    m_dirty.start();
    QList<QStringList> sections;
    for (int n = 1; n <= Document::SectionCount; ++n)
        sections << m_child.model().sectionLines(SectionId(n));
    if (m_own->exists() && m_own->document() == doc.name && sections == m_lastCopy)
        return;
    if (m_own->write(doc.name, sections))
        m_lastCopy = sections;
}

void DocumentSession::terminate()
{
    writeRecovery();
    // The copy stays: the next start offers it.
    m_terminated = true;
    QCoreApplication::exit(128 + SIGTERM);
}

bool DocumentSession::offerRecovery()
{
    for (auto &copy : RecoveryCopy::orphans(m_root)) {
        const QString text = QStringLiteral("Tivarel s'est arrêté sans enregistrer les changements du document « %1 » "
                                            "(copie de secours du %2).\n\n"
                                            "Oui : les restaurer ; le document s'ouvre modifié, à enregistrer.\n"
                                            "Ouvrir : consulter la copie en lecture seule.\n"
                                            "Abandonner : supprimer la copie.\n"
                                            "Annuler : décider au prochain démarrage.")
                                 .arg(shownName(copy->document()),
                                      copy->written().toLocalTime().toString(QStringLiteral("dd/MM/yyyy à HH:mm")));
        switch (m_child.context().ui().message(
            &m_child, text, UiServices::Icon::Question,
            QMessageBox::Yes | QMessageBox::Open | QMessageBox::Abort | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes: restore(std::move(copy)); return true;
        case QMessageBox::Open: view(std::move(copy)); return true;
        case QMessageBox::Abort: copy->remove(); break;
        default: break; // kept; its lock goes with it
        }
    }
    return false;
}

void DocumentSession::restore(std::unique_ptr<RecoveryCopy> copy)
{
    const QString original = copy->document();
    DocumentLock::Holder holder;
    if (original.isEmpty()) {
        m_lock.unlock();
    } else if (m_lock.lock(original, &holder) == DocumentLock::Result::HeldElsewhere) {
        m_child.context().ui().message(&m_child,
                                       QStringLiteral("Le document « %1 » est ouvert dans un autre Tivarel (%2) : "
                                                      "la copie de secours s'ouvre en lecture seule.")
                                           .arg(shownName(original), holderText(holder)),
                                       UiServices::Icon::Warning, QMessageBox::Ok);
        view(std::move(copy));
        return;
    }
    m_child.loadSet(copy->setPath());
    Document &doc = m_child.document();
    doc.name = original.isEmpty() ? QString() : BaseName::withExtension(original, QStringLiteral(".orz"));
    doc.caption = BaseName::fileNamePart(doc.name);
    doc.modified = true;
    m_child.setWindowTitle(doc.caption);
    m_openKey = DocumentLock::setKey(doc.name);
    m_readOnlyKey.clear();
    m_rewriteAll = true;
    // Later copies of these changes go to the same folder, under this
    // program's lock.
    m_own->remove();
    m_own = std::move(copy);
    m_lastCopy.clear();
    showAccess();
    emit nameChanged(doc.name);
}

void DocumentSession::view(std::unique_ptr<RecoveryCopy> copy)
{
    m_lock.unlock();
    m_child.loadSet(copy->setPath());
    Document &doc = m_child.document();
    // The copy is no document of the user's: unnamed, so that only "Enregistrer
    // sous" saves it, and never remembered for the next start.
    doc.name.clear();
    doc.caption = shownName(copy->document()) + QStringLiteral(" (copie de secours)");
    m_openKey.clear();
    m_readOnlyKey = DocumentLock::setKey(copy->setPath());
    m_rewriteAll = false;
    m_viewed = std::move(copy); // kept, and offered again at the next start
    dropOwnCopy();
    showAccess();
    emit nameChanged(doc.name);
}

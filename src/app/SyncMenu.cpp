#include "app/SyncMenu.h"

#include "app/TChild.h"
#include "app/TMainForm.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/SectionPage.h"
#include "model/DocumentModel.h"
#include "sync/DavClient.h"
#include "sync/Keyring.h"
#include "sync/SyncRun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTimeZone>

namespace SyncMenu {

namespace {

// The account of the document: server, user, password, and the calendar and
// address book chosen among those the server offers ("Rechercher").
class AccountDialog : public QDialog
{
public:
    AccountDialog(const SyncAccount &account, QWidget *parent) : QDialog(parent)
    {
        setWindowTitle(QStringLiteral("Synchronisation"));
        auto *form = new QFormLayout(this);
        m_server = field(QStringLiteral("ServerEdit"), account.server);
        m_server->setPlaceholderText(QStringLiteral("https://cloud.exemple.fr/remote.php/dav"));
        m_user = field(QStringLiteral("UserEdit"), account.user);
        m_password = field(QStringLiteral("PasswordEdit"), {});
        m_password->setEchoMode(QLineEdit::Password);
        for (QComboBox **box : {&m_calendar, &m_book}) {
            *box = new QComboBox(this);
            (*box)->addItem(QStringLiteral("Tivarel (créé s'il n'existe pas)"), QString());
        }
        m_calendar->setObjectName(QStringLiteral("CalendarBox"));
        m_book->setObjectName(QStringLiteral("BookBox"));
        keep(m_calendar, account.calendar);
        keep(m_book, account.book);
        auto *search = new QPushButton(QStringLiteral("&Rechercher"), this);
        search->setObjectName(QStringLiteral("SearchButton"));
        m_automatic = new QCheckBox(QStringLiteral("Synchroniser à l'&ouverture et après chaque enregistrement"), this);
        m_automatic->setObjectName(QStringLiteral("AutomaticBox"));
        m_automatic->setChecked(account.automatic);
        m_status = new QLabel(this);
        m_status->setWordWrap(true);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
        form->addRow(QStringLiteral("&Serveur"), m_server);
        form->addRow(QStringLiteral("&Utilisateur"), m_user);
        form->addRow(QStringLiteral("&Mot de passe"), m_password);
        form->addRow(QString(), search);
        form->addRow(QStringLiteral("&Calendrier"), m_calendar);
        form->addRow(QStringLiteral("&Carnet d'adresses"), m_book);
        form->addRow(m_automatic);
        form->addRow(m_status);
        form->addRow(buttons);
        connect(search, &QPushButton::clicked, this, [this] { discover(); });
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }

    SyncAccount account() const
    {
        return {m_server->text().trimmed(), m_user->text().trimmed(), m_calendar->currentData().toString(),
                m_book->currentData().toString(), m_automatic->isChecked()};
    }
    QString password() const { return m_password->text(); }

private:
    QLineEdit *field(const QString &name, const QString &text)
    {
        auto *e = new QLineEdit(text, this);
        e->setObjectName(name);
        return e;
    }
    static void keep(QComboBox *box, const QString &path)
    {
        if (path.isEmpty())
            return;
        if (box->findData(path) < 0)
            box->addItem(path, path);
        box->setCurrentIndex(box->findData(path));
    }
    // A word under the fields; the dialog grows to show it whole.
    void tell(const QString &text)
    {
        m_status->setText(text);
        adjustSize();
    }
    void discover()
    {
        QString why;
        const QUrl server = QUrl::fromUserInput(m_server->text().trimmed());
        if (!DavClient::allowed(server, &why)) {
            tell(why);
            return;
        }
        DavClient client(server, m_user->text().trimmed(), m_password->text());
        for (QComboBox *box : {m_calendar, m_book}) {
            QList<DavClient::Collection> found;
            QString home;
            DavClient::Reply failure;
            if (!client.discover(box == m_book, &found, &home, &failure)) {
                tell(failure.error);
                return;
            }
            for (const DavClient::Collection &c : std::as_const(found))
                if (box->findData(c.path) < 0)
                    box->addItem(c.name.isEmpty() ? c.path : c.name, c.path);
        }
        tell(QStringLiteral("Choisissez le calendrier et le carnet d'adresses."));
    }

    QLineEdit *m_server, *m_user, *m_password;
    QComboBox *m_calendar, *m_book;
    QCheckBox *m_automatic;
    QLabel *m_status;
};

QString documentOf(TMainForm &m)
{
    const QString doc = m.child()->document().name;
    if (doc.isEmpty())
        m.ui().showError(&m, QStringLiteral("Enregistrez d'abord le document : son compte et ce qui a été "
                                            "synchronisé sont gardés à côté de lui."));
    return doc;
}

// Passwords given in this session where no keyring keeps them: asked once,
// never written anywhere.
QHash<QString, QString> &sessionPasswords()
{
    static QHash<QString, QString> passwords;
    return passwords;
}

SyncAccount accountOf(const QString &doc)
{
    return SyncAccount::fromLines(TextFile::read(SyncAccount::pathFor(doc)).value_or(QStringList()));
}

// Asks for the account; the password given is kept in the keyring when
// there is one. False when cancelled.
bool askAccount(TMainForm &m, const QString &doc, SyncAccount *account, QString *password)
{
    AccountDialog dialog(*account, &m);
    if (m.ui().exec(&dialog) != QDialog::Accepted)
        return false;
    const SyncAccount chosen = dialog.account();
    // What was agreed with other collections says nothing of the new ones.
    if (chosen.server != account->server || chosen.user != account->user || chosen.calendar != account->calendar
        || chosen.book != account->book)
        QFile::remove(SyncState::pathFor(doc));
    *account = chosen;
    *password = dialog.password();
    QString why;
    if (!password->isEmpty()) {
        sessionPasswords().insert(Keyring::keyFor(account->server, account->user), *password);
        Keyring::write(Keyring::keyFor(account->server, account->user), *password, &why);
    }
    if (!TextFile::write(SyncAccount::pathFor(doc), account->toLines(), &why)) {
        m.ui().showError(&m, why);
        return false;
    }
    return account->isSet();
}

} // namespace

void account(TMainForm &m)
{
    const QString doc = documentOf(m);
    SyncAccount a = accountOf(doc);
    QString password;
    if (!doc.isEmpty())
        askAccount(m, doc, &a, &password);
}

namespace {

// The synchronisation of the document shown. An automatic one (at opening,
// after a save) runs only when the document's account asks for it and the
// document holds no unsaved change, asks nothing when a password is known,
// and tells in the status bar, not in a box, unless there was a conflict.
void run(TMainForm &m, bool automatic)
{
    static bool running = false;
    if (running)
        return; // the save that ends a synchronisation does not start another
    const QScopedValueRollback guard(running, true);
    TChild &child = *m.child();
    child.writeBackAll();
    const QString doc = automatic ? child.document().name : documentOf(m);
    if (doc.isEmpty())
        return;
    SyncAccount account = accountOf(doc);
    if (automatic && (child.TestModif() || child.isReadOnly() || !account.automatic))
        return;
    if (child.TestModif()) {
        if (!m.ui().askYesNo(&m,
                             QStringLiteral("Enregistrer changements dans ") + BaseName::fileNamePart(doc)
                                 + QStringLiteral(" ?\nLa synchronisation part du document enregistré."),
                             UiServices::Icon::Warning)
            || !m.FileSave())
            return;
    }
    QString password, why;
    if (account.isSet()) {
        const QString key = Keyring::keyFor(account.server, account.user);
        password = sessionPasswords().value(key);
        if (password.isEmpty())
            password = Keyring::read(key, &why).value_or(QString());
    }
    if ((!account.isSet() || password.isEmpty()) && !askAccount(m, doc, &account, &password))
        return;
    const SyncAccount before = account;
    DocumentModel &model = child.model();
    SyncPlan::Local local{model.agenda().lines(), model.birthdays().lines(), model.addresses().lines()};
    SyncState state =
        SyncState::fromLines(TextFile::read(SyncState::pathFor(doc)).value_or(QStringList())).value_or(SyncState());
    if (!DavClient::allowed(QUrl::fromUserInput(account.server), &why)) {
        m.ui().showError(&m, why);
        return;
    }

    QProgressDialog progress(QStringLiteral("Synchronisation avec %1...").arg(account.server), QString(), 0, 0, &m);
    progress.setObjectName(QStringLiteral("SyncProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    DavClient client(QUrl::fromUserInput(account.server), account.user, password);
    m.hintPanel()->setText(QStringLiteral("Synchronisation..."));
    const SyncRun::Result r = SyncRun::run(client, account, local, state, child.context().clock().now(),
                                           QTimeZone::systemTimeZoneId(), [&progress](int done, int total) {
                                               progress.setMaximum(total);
                                               progress.setValue(done);
                                           });
    progress.reset();
    if (r.localChanged) {
        model.agenda().setLines(local.agenda);
        model.birthdays().setLines(local.birthdays);
        model.addresses().setLines(local.contacts);
        for (const SectionId s : {SectionId::Week, SectionId::Addresses, SectionId::Birthdays})
            if (SectionPage *page = child.page(s))
                page->display();
        child.document().setModified();
        // What was agreed is kept only with the document that holds it:
        // when the save fails, the next synchronisation receives it again.
        if (!m.FileSave())
            return;
    }
    SaveBatch batch;
    batch.stage(SyncState::pathFor(doc), TextFile::joinLines(state.toLines()));
    if (account != before)
        batch.stage(SyncAccount::pathFor(doc), TextFile::joinLines(account.toLines()));
    if (!batch.commit())
        m.ui().showError(&m, batch.error());
    QString text = r.summary;
    for (const QString &c : r.conflicts)
        text += QStringLiteral("\nConflit : « %1 » a changé ici et sur le serveur ; les deux versions sont gardées.")
                    .arg(c);
    m.hintPanel()->setText(r.summary);
    if (automatic && r.status != SyncRun::Status::Done)
        m.hintPanel()->setText(QStringLiteral("Synchronisation automatique : ") + r.error);
    else if (r.status != SyncRun::Status::Done)
        m.ui().showError(&m, r.error + (text.isEmpty() ? QString() : u'\n' + text));
    else if (!automatic || !r.conflicts.isEmpty())
        m.ui().showMessage(&m, text);
}

} // namespace

void synchronise(TMainForm &m)
{
    run(m, false);
}

void automatic(TMainForm &m)
{
    run(m, true);
}

} // namespace SyncMenu

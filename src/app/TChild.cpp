#include "app/TChild.h"

#include "agenda/WeekPage.h"
#include "app/DocumentSession.h"
#include "budget/BudgetPage.h"
#include "collections/AlbumPage.h"
#include "collections/BookPage.h"
#include "collections/ReimbursementPage.h"
#include "collections/ShoppingPage.h"
#include "collections/VideoPage.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "contacts/AddressPage.h"
#include "contacts/BirthdayPage.h"
#include "contacts/TodoPage.h"
#include "document/SectionPage.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QPrinter>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString kIniFile = QStringLiteral("Tivarel.ini");
const QString kCbxFile = QStringLiteral("Tivarel.cbx");

} // namespace

TChild::TChild(UiServices &ui, const Clock &clock, const QString &startDirectory, QWidget *parent,
               PageCreation creation)
    : QWidget(parent), m_context(ui, clock, m_model.document(), m_model.extraLists())
{
    m_context.startDirectory = startDirectory;
    setObjectName(QStringLiteral("Child"));
    m_context.setDialogParent(this);
    m_model.reset(clock.today());

    // The drop-down boxes of the named lists belong to the document window;
    // the pages that show them take them into their own layouts.
    for (int n = 1; n <= 10; ++n) {
        auto *box = new QComboBox(this);
        box->setObjectName(QStringLiteral("ComboBox%1").arg(n));
        box->setModel(&m_model.namedList(n));
        box->hide();
        m_context.setComboBox(n, box);
    }

    m_context.birthdaysOn = [this](QDate day) { return m_model.birthdays().on(day); };
    // A list or grid with the focus shows it, even when it holds nothing.
    setStyleSheet(QStringLiteral("QAbstractItemView:focus { border: 2px solid palette(highlight); }"));

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("PageControl1"));
    // Only the page shown sets the least size of the window, and a page
    // larger than the window (a record's form with a large font) scrolls:
    // the window never has to be larger than the screen.
    connect(m_stack, &QStackedWidget::currentChanged, this, [this](int shown) {
        for (int i = 0; i < m_stack->count(); ++i) {
            const auto policy = i == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored;
            m_stack->widget(i)->setSizePolicy(policy, policy);
        }
    });
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("PageScroll"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(m_stack);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    createPages(creation == PageCreation::AllNow ? Document::SectionCount : 1);
    m_stack->setCurrentIndex(0);

    m_session = new DocumentSession(*this, m_stack, QDir(startDirectory).filePath(QStringLiteral("recuperation")));
    m_context.mayWrite = [this](const QString &path) { return m_session->mayWrite(path); };

    qApp->installEventFilter(this);
}

TChild::~TChild()
{
    qApp->removeEventFilter(this);
}

void TChild::createPages(int upTo)
{
    DocumentContext &c = m_context;
    for (int n = m_created + 1; n <= upTo; ++n) {
        SectionPage *page = nullptr;
        switch (SectionId(n)) {
        case SectionId::Week: page = new WeekPage(c, m_model.agenda()); break;
        case SectionId::Addresses: page = new AddressPage(c, m_model.addresses()); break;
        case SectionId::Birthdays: page = new BirthdayPage(c, m_model.birthdays()); break;
        case SectionId::Todo: page = new TodoPage(c, m_model.todo()); break;
        case SectionId::Budget: page = new BudgetPage(c, m_model.budget()); break;
        case SectionId::Album: page = new AlbumPage(c, m_model.blocks(SectionId::Album)); break;
        case SectionId::Videos: page = new VideoPage(c, m_model.blocks(SectionId::Videos)); break;
        case SectionId::Shopping: page = new ShoppingPage(c, m_model.blocks(SectionId::Shopping)); break;
        case SectionId::Books: page = new BookPage(c, m_model.blocks(SectionId::Books)); break;
        case SectionId::Reimbursements:
            page = new ReimbursementPage(c, m_model.blocks(SectionId::Reimbursements));
            break;
        }
        m_pages[n - 1] = page;
        m_stack->addWidget(page);
        if (m_stack->indexOf(page) != m_stack->currentIndex())
            page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        page->layoutFor(width(), height());
        m_created = n;
        // The address book shows its page from the start, like the week.
        if (SectionId(n) == SectionId::Addresses && m_activated)
            page->display();
    }
}

void TChild::ensurePages()
{
    if (m_created < Document::SectionCount)
        createPages(Document::SectionCount);
}

// ---------------------------------------------------------------------------
// Document set

bool TChild::Charge(const QString &documentPath)
{
    // A document opened before the remembered one came up (the command
    // line's) replaces it.
    m_openPending = false;
    if (!m_session->aboutToOpen(documentPath))
        return false;
    loadSet(documentPath);
    m_session->opened();
    return true;
}

bool TChild::isReadOnly() const
{
    return m_session->isReadOnly();
}

void TChild::loadSet(const QString &documentPath)
{
    DialogNotices notices(m_context.ui(), this);
    m_model.load(documentPath, m_context.clock().today(), notices);
    for (int n = 1; n <= m_created; ++n)
        m_pages[n - 1]->loaded();
    setWindowTitle(m_context.document().caption);
}

bool TChild::Sauve(const QString &documentPath)
{
    if (documentPath.size() < 5)
        return true;
    if (!m_session->aboutToSave(documentPath))
        return false;
    Document &doc = m_context.document();
    const QString oldName = doc.name;
    const QString oldCaption = doc.caption;
    // Saving under another name writes every file, so the set there is
    // complete.
    const bool newName = doc.name.isEmpty() || BaseName::of(doc.name) != BaseName::of(documentPath);

    // The set is saved whole or not at all: every section stages its file,
    // and only when all of them are written are they put in place.
    SaveBatch batch;
    DialogNotices notices(m_context.ui(), this);
    DocumentModel::SaveHooks hooks;
    hooks.writeBack = [this](SectionId section) {
        if (SectionPage *p = made(section))
            p->prepareSave();
    };
    hooks.mayWrite = [this](const QString &path) { return m_session->mayWrite(path); };
    hooks.beforeReplace = [this, &notices](const QString &path) { m_context.backups().beforeReplace(path, notices); };
    doc.name = documentPath;
    const bool ok = m_model.save(documentPath, newName, batch, notices, hooks);

    if (!batch.commit()) {
        // Still modified, under the name it had: a later save (or one under
        // the new name) writes the whole set again.
        doc.name = oldName;
        doc.caption = oldCaption;
        const QString outcome =
            batch.replaced() == 0
                ? QStringLiteral("Le document n'est pas enregistré : aucun de ses fichiers n'a été modifié.")
                : QStringLiteral("Le document n'est enregistré qu'en partie : certains de ses fichiers sont déjà "
                                 "remplacés.");
        m_context.ui().message(this, batch.error() + u'\n' + outcome, UiServices::Icon::Critical, QMessageBox::Ok);
        return false;
    }
    if (ok)
        doc.modified = false;
    // The caption is the organiser file's name as a load shows it, whether
    // or not that file was written this time (the path given may carry the
    // main window's ".Orz").
    doc.name = BaseName::withExtension(documentPath, QStringLiteral(".orz"));
    doc.caption = BaseName::fileNamePart(doc.name);
    setWindowTitle(doc.caption);
    return ok;
}

void TChild::Nouveau()
{
    m_model.reset(m_context.clock().today());
    for (int n = 1; n <= m_created; ++n)
        m_pages[n - 1]->reset();
    setWindowTitle(QString());
    m_session->closed();
    current()->display();
}

// ---------------------------------------------------------------------------
// Sections and routing

void TChild::Section(int n)
{
    if (n < 1 || n > Document::SectionCount)
        return;
    ensurePages();
    writeBackAll();
    m_stack->setCurrentIndex(n - 1);
    m_pages[n - 1]->display();
}

void TChild::writeBackAll()
{
    // Every section that keeps edits on screen, in page order; the to-do
    // and shopping pages keep none and do nothing here. A page not made yet
    // shows nothing.
    for (int n = 1; n <= m_created; ++n)
        m_pages[n - 1]->writeBack();
}

void TChild::writeBack(SectionId section)
{
    if (SectionPage *p = made(section))
        p->writeBack();
}

void TChild::redisplay(SectionId section)
{
    if (SectionPage *p = made(section))
        p->display();
}

int TChild::activePage() const
{
    return m_stack->currentIndex() + 1;
}

SectionPage *TChild::current()
{
    ensurePages();
    return m_pages[m_stack->currentIndex()];
}

SectionPage *TChild::made(SectionId section) const
{
    return m_pages[pageNumber(section) - 1];
}

SectionPage *TChild::page(SectionId section)
{
    ensurePages();
    return m_pages[pageNumber(section) - 1];
}

void TChild::Premier()
{
    current()->premier();
}
void TChild::Precedent()
{
    current()->precedent();
}
void TChild::Suivant()
{
    current()->suivant();
}
void TChild::Dernier()
{
    current()->dernier();
}
void TChild::Ajout()
{
    current()->ajout();
}
void TChild::Supprime()
{
    current()->supprime();
}
void TChild::Chercher()
{
    SectionPage *p = current();
    if (!p->searchLines())
        return;
    p->writeBack();
    const auto answer =
        m_context.ui().inputBox(this, QStringLiteral("chercher"), QStringLiteral("Chaîne cherchée"), QString());
    if (m_search.start(answer.value_or(QString())))
        FindNext();
}

void TChild::FindNext()
{
    SectionPage *p = current();
    if (!p->searchLines())
        return;
    p->writeBack();
    // Taken after the write-back, which may rewrite the store.
    m_search.next(*p->searchLines(), [p](qsizetype line) { return p->showFound(line); });
}
void TChild::Couper()
{
    current()->couper();
}
void TChild::Copier()
{
    current()->copier();
}
void TChild::Coller()
{
    current()->coller();
}

// ---------------------------------------------------------------------------
// Settings

QString TChild::startFile(const QString &name) const
{
    return QDir(m_context.startDirectory).filePath(name);
}

std::optional<QStringList> TChild::readStartFile(const QString &name, bool *unreadable)
{
    // A file that is there but cannot be read is told, and never written
    // over at exit: it may hold settings or lists the program does not.
    QString error;
    bool missing = false;
    auto lines = TextFile::read(startFile(name), &error, &missing);
    *unreadable = !lines && !missing;
    if (*unreadable)
        m_context.ui().message(this, error, UiServices::Icon::Warning, QMessageBox::Ok);
    return lines;
}

void TChild::ChargeIni()
{
    if (const auto lines = readStartFile(kIniFile, &m_iniUnreadable)) {
        // A settings file that is not four readable lines leaves the defaults.
        if (const auto s = Settings::fromLines(*lines))
            m_settings = *s;
    } else if (!m_iniUnreadable) {
        m_settings = Settings::firstStart();
    }
    m_iniDocument = m_settings.rememberedDocument;
    if (!m_settings.autoOpenOn())
        m_settings.rememberedDocument.clear();
    m_context.document().name = m_settings.rememberedDocument;
    // The lists are read even without a settings file: they would otherwise
    // be written back empty at exit.
    ChargeCombos();
}

void TChild::ChargeCombos()
{
    const auto lines = readStartFile(kCbxFile, &m_cbxUnreadable);
    if (!lines)
        return;
    m_model.readNamedLists(*lines);
}

void TChild::SauveIni()
{
    m_settings.rememberedDocument =
        Settings::documentOnExit(m_iniDocument, m_context.document().name, m_session->isReadOnly());
    QString error;
    if (!m_iniUnreadable && !TextFile::write(startFile(kIniFile), m_settings.toLines(), &error))
        m_context.ui().message(this, error, UiServices::Icon::Critical, QMessageBox::Ok);
    SAuveCombos();
}

void TChild::SAuveCombos()
{
    if (m_cbxUnreadable)
        return;
    QString error;
    if (!TextFile::write(startFile(kCbxFile), m_model.namedListLines(), &error))
        m_context.ui().message(this, error, UiServices::Icon::Critical, QMessageBox::Ok);
}

TChild::IniValues TChild::GetIni() const
{
    return {m_settings.autoOpenOn(), m_context.document().name, m_settings.reservedInteger};
}

void TChild::SetIni(bool autoOpen)
{
    m_settings.autoOpen = autoOpen ? 1 : 0;
}

// ---------------------------------------------------------------------------
// Window events

void TChild::activate(bool openAfterFirstPaint)
{
    if (m_activated)
        return;
    m_activated = true;
    ChargeIni();
    m_stack->setCurrentIndex(0);
    const bool remembered = m_settings.autoOpenOn() && !m_settings.rememberedDocument.isEmpty();
    if (openAfterFirstPaint) {
        // The recovery question waits for the window too, so it shows over it.
        m_recoveryPending = true;
        if (remembered) {
            m_openPending = true;
            update();
            return;
        }
        update();
    } else {
        offerRecoveryOrOpen(remembered);
    }
    made(SectionId::Week)->display();
    if (SectionPage *addresses = made(SectionId::Addresses))
        addresses->display();
}

bool TChild::offerRecoveryOrOpen(bool openRemembered)
{
    // Changes a program that ended abnormally did not save come first.
    if (m_session->offerRecovery())
        return true;
    if (openRemembered)
        Charge(m_settings.rememberedDocument);
    return openRemembered;
}

void TChild::openAtStart(bool openRemembered)
{
    ensurePages();
    if (!offerRecoveryOrOpen(openRemembered))
        return;
    made(SectionId::Week)->display();
    made(SectionId::Addresses)->display();
}

void TChild::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    activate(true);
}

void TChild::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    painted();
}

void TChild::painted()
{
    if (m_created < Document::SectionCount)
        QTimer::singleShot(0, this, &TChild::ensurePages);
    if (m_openPending || m_recoveryPending) {
        const bool open = std::exchange(m_openPending, false);
        m_recoveryPending = false;
        QTimer::singleShot(0, this, [this, open] { openAtStart(open); });
    }
}

void TChild::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

QString TChild::budgetAccount() const
{
    const BudgetMonth &b = m_model.budget();
    if (!b.shownAccount().isEmpty())
        return b.shownAccount();
    const QString boxed = comboBox(2) ? comboBox(2)->currentText() : QString();
    return boxed.isEmpty() ? QStringLiteral("Caisse") : boxed;
}

void TChild::FormResize()
{
    for (int n = 1; n <= m_created; ++n)
        m_pages[n - 1]->layoutFor(width(), height());
}

bool TChild::eventFilter(QObject *watched, QEvent *event)
{
    // The pages cover the document window: theirs is its first paint.
    if (event->type() == QEvent::Paint && watched == m_stack)
        painted();
    // Delete in a list or grid of a page is the page's own key (it deletes
    // the item there), not the "Effacer" menu item's.
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QAbstractItemView *>(watched)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Delete && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
            && isAncestorOf(static_cast<QWidget *>(watched))) {
            event->accept();
            return true;
        }
    }
    // Page Up and Page Down anywhere in the document window step the section
    // that shows; the key goes no further.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto *key = static_cast<QKeyEvent *>(event);
        auto *w = static_cast<QWidget *>(watched);
        if ((key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier && (w == this || isAncestorOf(w))) {
            if (key->key() == Qt::Key_PageUp)
                Precedent();
            else
                Suivant();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

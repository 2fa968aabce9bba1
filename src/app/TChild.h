#pragma once

#include "app/Settings.h"
#include "common/SearchState.h"
#include "document/DocumentContext.h"
#include "model/DocumentModel.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class DocumentSession;
class MmCanvas;
class QComboBox;
class QPrinter;
class QStackedWidget;
class SectionPage;

// The document window: the one window that holds the open document set, its
// ten section pages (no visible tabs), the drop-down boxes of the named lists
// and the settings. It routes the generic commands to the page that shows.
class TChild : public QWidget
{
    Q_OBJECT

public:
    // The main window has the pages that do not show at start made just
    // after its first paint, so the window appears sooner; everything that
    // needs a page makes them first.
    enum class PageCreation
    {
        AllNow,
        AfterFirstPaint
    };

    // `startDirectory` is the folder the program was started from: the
    // settings and remembered lists live there, and the utilities keep their
    // files there.
    TChild(UiServices &ui, const Clock &clock, const QString &startDirectory, QWidget *parent = nullptr,
           PageCreation creation = PageCreation::AllNow);
    ~TChild() override;

    DocumentContext &context() { return m_context; }
    // The section stores the pages show.
    DocumentModel &model() { return m_model; }
    const QString &startDirectory() const { return m_context.startDirectory; }
    Document &document() { return m_context.document(); }

    // Document set.
    // Loads the set unless another running Tivarel has it open and the user
    // declines to open it read-only (false then, nothing changed).
    bool Charge(const QString &documentPath);
    // The set loaded into the model, without the lock and its question; the
    // pages made show it.
    void loadSet(const QString &documentPath);
    // The document's lock, read-only state and recovery copy.
    DocumentSession &session() const { return *m_session; }
    bool isReadOnly() const;
    // Saves every section; false when a file could not be written (the user
    // was told, and the document stays modified).
    bool Sauve(const QString &documentPath);
    bool TestModif() const { return m_context.document().modified; }
    // Writes the edits every page still shows back into its store, so that
    // the modified flag also covers them (the close query asks after it).
    void writeBackAll();
    // The same for one section; nothing when its page is not made.
    void writeBack(SectionId section);
    // The page of a section, if made, shows its store again (after the store
    // changed under it: an import).
    void redisplay(SectionId section);
    // A new, empty, unnamed document.
    void Nouveau();

    // Sections.
    void Section(int page);
    int activePage() const; // 1..10
    // The page of a section, made first when it is not yet.
    SectionPage *page(SectionId section);
    // Makes the pages not made yet.
    void ensurePages();
    QComboBox *comboBox(int n) const { return m_context.comboBox(n); }
    // The budget account an import or export works on: the one the budget
    // shows, else the one chosen in its account box, else "Caisse".
    QString budgetAccount() const;

    // Generic commands, routed to the page that shows.
    void Premier();
    void Precedent();
    void Suivant();
    void Dernier();
    void Ajout();
    void Supprime();
    // "Rechercher..." and "Continuer" on the pages that offer a search; the
    // search text and position are the window's, shared by those pages.
    void Chercher();
    void FindNext();
    const SearchState &search() const { return m_search; }
    void Couper();
    void Copier();
    void Coller();

    // Printing ("&Imprimer"): each command prints only while its page shows
    // and after the print dialog is confirmed. ImpPhoto and ImpVideo print
    // the album page and the video record shown.
    void ImpSemaine() { Imprime(SectionId::Week); }
    void ImpNoms() { Imprime(SectionId::Addresses); }
    void ImpAnniv() { Imprime(SectionId::Birthdays); }
    void ImpFaire() { Imprime(SectionId::Todo); }
    void ImpBudget() { Imprime(SectionId::Budget); }
    void ImpPhoto() { Imprime(SectionId::Album); }
    void ImpVideo() { Imprime(SectionId::Videos); }
    void ImpCourses() { Imprime(SectionId::Shopping); }
    // Ctrl+P: the print command of the page that shows.
    void ImpPage() { Imprime(SectionId(activePage())); }
    // "Ap&erçu avant impression...": what the active page's print command
    // would print, in the print preview (from which the user prints).
    void Apercu();
    // Draws what the print command of a section prints; false when it
    // prints nothing.
    bool drawPage(SectionId section, MmCanvas &canvas);
    // The printer the print commands and the printer set-up share.
    QPrinter &printer();

    // Settings and remembered lists, in the start directory.
    void ChargeIni();
    void SauveIni();
    void ChargeCombos();
    void SAuveCombos();
    struct IniValues
    {
        bool autoOpen;
        QString rememberedDocument;
        int reservedInteger;
    };
    IniValues GetIni() const;
    void SetIni(bool autoOpen);

    // First activation: settings, automatic opening, week and address pages.
    // Runs once. When the window shows, the remembered document is opened
    // just after the window's first paint, so a large document never holds
    // up the start; called directly (tests), it opens at once.
    void activate(bool openAfterFirstPaint = false);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void painted();
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPages(int upTo);
    QString startFile(const QString &name) const;
    std::optional<QStringList> readStartFile(const QString &name, bool *unreadable);
    // At start: the recovery question, then the remembered document; true
    // when a document was opened.
    bool offerRecoveryOrOpen(bool openRemembered);
    void openAtStart(bool openRemembered);
    void FormResize();
    void Imprime(SectionId section);
    SectionPage *current();
    // The page of a section if it is made yet, null otherwise.
    SectionPage *made(SectionId section) const;

    DocumentModel m_model;
    DocumentContext m_context;
    Settings m_settings;
    QString m_iniDocument; // line 2 of "Tivarel.ini" as read
    SearchState m_search;
    QStackedWidget *m_stack = nullptr;
    std::array<SectionPage *, Document::SectionCount> m_pages{};
    int m_created = 0; // pages 1..m_created exist
    bool m_activated = false;
    bool m_openPending = false;
    bool m_recoveryPending = false;
    bool m_iniUnreadable = false;
    bool m_cbxUnreadable = false;
    std::unique_ptr<QPrinter> m_printer;
    DocumentSession *m_session = nullptr;
};

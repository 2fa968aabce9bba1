#include "app/TMainForm.h"

#include "app/AppIcons.h"
#include "app/DesktopNotifier.h"
#include "app/DocumentSession.h"
#include "app/ExchangeMenu.h"
#include "app/HelpLauncher.h"
#include "app/ReminderCommand.h"
#include "app/ReminderDialog.h"
#include "app/ReminderService.h"
#include "app/StatementMenu.h"
#include "app/SyncMenu.h"
#include "app/TAboutBox.h"
#include "app/TChild.h"
#include "app/TSauvegardes.h"
#include "app/TextGuard.h"
#include "budget/BilanWindow.h"
#include "budget/OptionsCommands.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/TextFile.h"
#include "common/UiServices.h"
#include "document/Document.h"
#include "reversi/TOthello.h"
#include "utilities/UtilityWindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// The long time format of the application's locale, without the time zone
// that some locales append.
QString longTimeFormat()
{
    QString f = DateText::appLocale().timeFormat(QLocale::LongFormat);
    f.remove(QLatin1Char('t'));
    return f.trimmed();
}

} // namespace

TMainForm::TMainForm(UiServices &ui, const Clock &clock, const QString &startDirectory, QWidget *parent)
    : QMainWindow(parent), m_ui(ui), m_clock(clock), m_startDirectory(startDirectory)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tivarel"));
    setWindowIcon(AppIcons::program());

    // Before any field exists: every text field of the program is guarded
    // against characters the files cannot hold.
    auto *guard = new TextGuard(this);

    m_child = new TChild(ui, clock, startDirectory, this, TChild::PageCreation::AfterFirstPaint);
    setCentralWidget(m_child);
    connect(m_child, &QWidget::windowTitleChanged, this, [this](const QString &caption) {
        setWindowTitle(caption.isEmpty() ? QStringLiteral("Tivarel") : QStringLiteral("Tivarel - ") + caption);
    });

    // Status bar: the hint panel and the clock panel.
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    statusBar()->setSizeGripEnabled(true);
    m_hintPanel = new QLabel(this);
    m_hintPanel->setObjectName(QStringLiteral("StatusPanel0"));
    m_clockPanel = new QLabel(this);
    m_clockPanel->setObjectName(QStringLiteral("StatusPanel1"));
    m_clockPanel->setAlignment(Qt::AlignCenter);
    statusBar()->addWidget(m_hintPanel, 1);
    statusBar()->addPermanentWidget(m_clockPanel);
    m_clockPanel->setMinimumWidth(
        std::max(90, m_clockPanel->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00")) + 16));
    connect(guard, &TextGuard::noted, m_hintPanel, &QLabel::setText);

    // A declined open or a recovery copy may change the document's name; a
    // document open read-only offers no command that would change it.
    connect(&m_child->session(), &DocumentSession::nameChanged, this,
            [this](const QString &name) { m_fileName = name.isEmpty() ? QString() : documentNameFor(name); });
    connect(&m_child->session(), &DocumentSession::readOnlyChanged, this, &TMainForm::enableChanges);

    m_help = new HelpLauncher(
        m_ui, [this] { return m_child->activePage(); }, this);
    m_utilities = std::make_unique<UtilityWindows>(m_ui, m_clock, this, m_startDirectory);
    createCommands();
    AppIcons::applyTheme(*this);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &TMainForm::refreshClock);
    m_clockTimer->start();
    refreshClock();
}

TMainForm::~TMainForm() = default;

// ---------------------------------------------------------------------------
// The command table

namespace {

// The picture of a tool bar button: a standard icon of the style, or a badge
// (a short text on a coloured square) when `badge` is set.
struct ButtonIcon
{
    QStyle::StandardPixmap standard = QStyle::SP_CustomBase;
    const char16_t *badge = nullptr;
    QRgb colour = 0;
};

constexpr ButtonIcon standardIcon(QStyle::StandardPixmap p)
{
    return {p, nullptr, 0};
}
constexpr ButtonIcon badgeIcon(const char16_t *text, QRgb colour)
{
    return {QStyle::SP_CustomBase, text, colour};
}

// The menus, in menu bar order; a sub-menu names its parent and is placed in
// it before the first command that goes into it.
struct MenuRow
{
    const char *name;
    const char16_t *title;
    const char *parent;
    int helpContext; // 0: none
};

const MenuRow kMenus[] = {
    {"Fichier1", u"&Fichier", nullptr, 3},
    {"Exporter1", u"E&xporter", "Fichier1", 0},
    {"Importer1", u"I&mporter", "Fichier1", 0},
    {"Imprimer1", u"&Imprimer", "Fichier1", 0},
    {"Recents1", u"Documents &récents", "Fichier1", 0},
    {"Edition1", u"&Ediiton", nullptr, 4},
    {"Fiche1", u"Fi&che", nullptr, 0},
    {"Sections1", u"&Sections", nullptr, 5},
    {"Options1", u"&Options", nullptr, 6},
    {"Utilitaires1", u"&Utilitaires", nullptr, 7},
    {"Aide1", u"&Aide", nullptr, 0},
};

// One command: a menu item, a tool bar button, or both, and what it does.
// Rows go in menu order; a row without a name is a separator of its menu.
// The tool bar place orders the buttons: the tens are groups, and a
// separator stands between two groups.
struct CommandRow
{
    const char *menu = nullptr;        // object name of its menu; null: tool bar only
    const char *name = nullptr;        // object name of the menu item
    const char16_t *caption = nullptr; // with its "&" accelerator mark
    const char16_t *hint = nullptr;    // shown in status panel 0
    int shortcut = 0;                  // a Qt key combination, 0: none
    const char *button = nullptr;      // object name of the tool bar button; null: none
    const char16_t *buttonHint = nullptr;
    int place = 0; // tool bar place
    ButtonIcon icon = {};
    void (*handler)(TMainForm &) = nullptr; // null: the command does nothing
    bool changesDocument = false;           // disabled while the document is open read-only
};

template<SectionId Shown>
void showSection(TMainForm &m)
{
    m.child()->Section(pageNumber(Shown));
}

template<void (TChild::*Routine)()>
void childCommand(TMainForm &m)
{
    (m.child()->*Routine)();
}

template<void (TChild::*Routine)()>
void printCommand(TMainForm &m)
{
    m.runPrint([&m] { (m.child()->*Routine)(); });
}

template<void (UtilityWindows::*Open)()>
void utility(TMainForm &m)
{
    (m.utilities().*Open)();
}

template<void (*Editor)(DocumentContext &)>
void optionEditor(TMainForm &m)
{
    Editor(m.child()->context());
}

template<class Window>
void modalWindow(TMainForm &m)
{
    Window w(m.ui(), &m);
    m.ui().exec(&w);
}

void aboutBox(TMainForm &m)
{
    TAboutBox box(&m);
    m.ui().exec(&box);
}

constexpr QRgb rgb(int r, int g, int b)
{
    return qRgb(r, g, b);
}

using M = TMainForm;

const CommandRow kCommands[] = {
    // "&Fichier"
    {.menu = "Fichier1",
     .name = "FileNewItem",
     .caption = u"&Nouveau",
     .hint = u"Nouveau fichier",
     .button = "FileNew1Btn",
     .buttonHint = u"Nouveau",
     .place = 10,
     .icon = standardIcon(QStyle::SP_FileIcon),
     .handler = [](M &m) { m.FileNew(); }},
    {.menu = "Fichier1",
     .name = "FileOpenItem",
     .caption = u"&Ouvrir...",
     .hint = u"Ouvrir un fichier",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_O).toCombined(),
     .button = "OpenBtn",
     .buttonHint = u"Ouvrir",
     .place = 11,
     .icon = standardIcon(QStyle::SP_DialogOpenButton),
     .handler = [](M &m) { m.FileOpen(); }},
    {.menu = "Fichier1",
     .name = "FileSaveItem",
     .caption = u"&Enregistrer",
     .hint = u"Enregistrer le fichier en cours",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_S).toCombined(),
     .button = "SaveBtn",
     .buttonHint = u"Enregistrer",
     .place = 12,
     .icon = standardIcon(QStyle::SP_DialogSaveButton),
     .handler = [](M &m) { m.FileSave(); },
     .changesDocument = true},
    {.menu = "Fichier1",
     .name = "FileSaveAsItem",
     .caption = u"Enregistrer &sous...",
     .hint = u"Enregistrer sous un autre nom",
     .handler = [](M &m) { m.FileSaveAs(); }},
    // The household's phones: the calendar and address book server.
    {.menu = "Fichier1",
     .name = "SyncItem",
     .caption = u"S&ynchroniser",
     .hint = u"Synchroniser l'agenda et les adresses avec le serveur",
     .shortcut = Qt::Key_F5,
     .button = "SyncBtn",
     .buttonHint = u"Synchroniser",
     .place = 13,
     .icon = standardIcon(QStyle::SP_BrowserReload),
     .handler = SyncMenu::synchronise,
     .changesDocument = true},
    // Backups of the document set (see DocumentBackups).
    {.menu = "Fichier1",
     .name = "RestoreBackupItem",
     .caption = u"Restaurer une sa&uvegarde...",
     .hint = u"Revenir à une copie datée du document",
     .handler = [](M &m) { TSauvegardes::Restaurer(*m.child(), m.fileName()); }},
    // "E&xporter" and "I&mporter": exchange with other programs.
    {.menu = "Exporter1",
     .name = "ExportIcsItem",
     .caption = u"&Agenda et anniversaires (iCalendar)...",
     .hint = u"Exporter l'agenda vers un calendrier",
     .handler = ExchangeMenu::exportCalendar},
    {.menu = "Exporter1",
     .name = "ExportVcfItem",
     .caption = u"A&dresses (vCard)...",
     .hint = u"Exporter le carnet d'adresses",
     .handler = ExchangeMenu::exportContacts},
    {.menu = "Exporter1",
     .name = "ExportBudgetMonthItem",
     .caption = u"&Budget du mois (CSV)...",
     .hint = u"Exporter le mois affiché vers un tableur",
     .handler = ExchangeMenu::exportBudgetMonth},
    {.menu = "Exporter1",
     .name = "ExportBudgetYearItem",
     .caption = u"Budget de l'a&nnée (CSV)...",
     .hint = u"Exporter l'année du compte vers un tableur",
     .handler = ExchangeMenu::exportBudgetYear},
    {.menu = "Exporter1",
     .name = "ExportFilmsItem",
     .caption = u"&Films (CSV)...",
     .hint = u"Exporter la vidéothèque vers un tableur",
     .handler = ExchangeMenu::exportFilms},
    {.menu = "Exporter1",
     .name = "ExportBooksItem",
     .caption = u"&Livres (CSV)...",
     .hint = u"Exporter la bibliothèque vers un tableur",
     .handler = ExchangeMenu::exportBooks},
    {.menu = "Importer1",
     .name = "ImportIcsItem",
     .caption = u"&Rendez-vous (iCalendar)...",
     .hint = u"Ajouter à l'agenda les rendez-vous d'un calendrier",
     .handler = ExchangeMenu::importCalendar,
     .changesDocument = true},
    {.menu = "Importer1",
     .name = "ImportVcfItem",
     .caption = u"A&dresses (vCard)...",
     .hint = u"Ajouter au carnet les cartes de visite d'un fichier",
     .handler = ExchangeMenu::importContacts,
     .changesDocument = true},
    {.menu = "Importer1",
     .name = "ImportStatementItem",
     .caption = u"Relevé &bancaire...",
     .hint = u"Ajouter au budget les opérations d'un relevé OFX, QIF ou CSV",
     .handler = StatementMenu::importStatement,
     .changesDocument = true},
    // "&Imprimer"
    {.menu = "Imprimer1",
     .name = "PrintWeekItem",
     .caption = u"&Semaine",
     .hint = u"Rendez vous de la semaine",
     .handler = printCommand<&TChild::ImpSemaine>},
    {.menu = "Imprimer1",
     .name = "PrintNamesItem",
     .caption = u"&Noms",
     .hint = u"Imprime noms commencant pat la lettre",
     .handler = printCommand<&TChild::ImpNoms>},
    {.menu = "Imprimer1",
     .name = "PrintBirthdaysItem",
     .caption = u"&Anniversaires",
     .hint = u"Imprime anniversaires",
     .handler = printCommand<&TChild::ImpAnniv>},
    {.menu = "Imprimer1",
     .name = "PrintTodoItem",
     .caption = u"&Choses à faire",
     .hint = u"Liste des choses à faire",
     .handler = printCommand<&TChild::ImpFaire>},
    {.menu = "Imprimer1",
     .name = "PrintBudgetItem",
     .caption = u"&Budget",
     .hint = u"Imprimer mois en cours",
     .handler = printCommand<&TChild::ImpBudget>},
    {.menu = "Imprimer1",
     .name = "PrintPhotoItem",
     .caption = u"&Photo",
     .hint = u"Imprimer page de l'album",
     .handler = printCommand<&TChild::ImpPhoto>},
    {.menu = "Imprimer1",
     .name = "PrintVideoItem",
     .caption = u"&Vidéo",
     .hint = u"Imprimer fiche vidéo",
     .handler = printCommand<&TChild::ImpVideo>},
    {.menu = "Imprimer1",
     .name = "PrintShoppingItem",
     .caption = u"&Liste des achats",
     .hint = u"Imprimer la liste des achats",
     .handler = printCommand<&TChild::ImpCourses>},
    {.menu = "Imprimer1",
     .name = "PrintShownItem",
     .caption = u"Pa&ge affichée",
     .hint = u"Imprimer la page affichée",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_P).toCombined(),
     .handler = printCommand<&TChild::ImpPage>},
    {.menu = "Imprimer1",
     .name = "PrintPreviewItem",
     .caption = u"Ap&erçu avant impression...",
     .hint = u"Aperçu de ce que la page imprime",
     .handler = childCommand<&TChild::Apercu>},
    {.menu = "Fichier1",
     .name = "PrinterSetupItem",
     .caption = u"&Configuration imprimante...",
     .hint = u"Configuration imprimante",
     .handler = [](M &m) { m.FilePrinterSetup(); }},
    {.menu = "Fichier1"},
    {.menu = "Fichier1",
     .name = "FileExitItem",
     .caption = u"&Quitter",
     .hint = u"Quitter l'application",
     .shortcut = (Qt::ALT | Qt::Key_X).toCombined(),
     .handler = [](M &m) { m.close(); }},

    // "&Ediiton"
    {.menu = "Edition1",
     .name = "CutItem",
     .caption = u"Co&uper",
     .hint = u"Couper",
     .handler = childCommand<&TChild::Couper>,
     .changesDocument = true},
    {.menu = "Edition1",
     .name = "CopyItem",
     .caption = u"C&opier",
     .hint = u"Copier",
     .button = "CopyBtn",
     .buttonHint = u"Copier",
     .place = 20,
     .icon = badgeIcon(u"Cp", rgb(0x80, 0x80, 0x80)),
     .handler = childCommand<&TChild::Copier>},
    {.menu = "Edition1",
     .name = "PasteItem",
     .caption = u"Co&ller",
     .hint = u"Coller",
     .button = "PasteBtn",
     .buttonHint = u"Coller",
     .place = 21,
     .icon = badgeIcon(u"Co", rgb(0x80, 0x80, 0x80)),
     .handler = childCommand<&TChild::Coller>,
     .changesDocument = true},
    {.menu = "Edition1",
     .name = "FindItem",
     .caption = u"Rechercher...",
     .hint = u"Rechercher rendez vous",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_F).toCombined(),
     .button = "SpeedButton5",
     .buttonHint = u"Chercher",
     .place = 41,
     .icon = badgeIcon(u"?", rgb(0x46, 0x82, 0xb4)),
     .handler = childCommand<&TChild::Chercher>},
    {.menu = "Edition1",
     .name = "FindNextItem",
     .caption = u"Continuer",
     .hint = u"",
     .shortcut = Qt::Key_F3,
     .handler = childCommand<&TChild::FindNext>},

    // "&Sections"
    {.menu = "Sections1",
     .name = "Section1Item",
     .caption = u"&Semaine",
     .hint = u"Rdv de la semaine",
     .button = "SpeedButton11",
     .buttonHint = u"Agenda",
     .place = 50,
     .icon = badgeIcon(u"Ag", rgb(0x1f, 0x6f, 0xb5)),
     .handler = showSection<SectionId::Week>},
    {.menu = "Sections1",
     .name = "Section2Item",
     .caption = u"&Adresses",
     .hint = u"Carnet d'adresses",
     .button = "SpeedButton8",
     .buttonHint = u"Adresses",
     .place = 51,
     .icon = badgeIcon(u"@", rgb(0x6a, 0x5a, 0xcd)),
     .handler = showSection<SectionId::Addresses>},
    {.menu = "Sections1",
     .name = "Section3Item",
     .caption = u"A&nniversaires",
     .hint = u"Anniversaires",
     .button = "SpeedButton9",
     .buttonHint = u"Anniversaire",
     .place = 52,
     .icon = badgeIcon(u"An", rgb(0xd2, 0x69, 0x1e)),
     .handler = showSection<SectionId::Birthdays>},
    {.menu = "Sections1",
     .name = "Section4Item",
     .caption = u"&Choses à faire",
     .hint = u"Liste des choses à faire",
     .button = "SpeedButton12",
     .buttonHint = u"Choses à faire",
     .place = 53,
     .icon = badgeIcon(u"✓", rgb(0x2e, 0x8b, 0x57)),
     .handler = showSection<SectionId::Todo>},
    {.menu = "Sections1",
     .name = "Section5Item",
     .caption = u"&Budget mensuel",
     .hint = u"Budget mensuel",
     .button = "SpeedButton10",
     .buttonHint = u"Budget mensuel",
     .place = 54,
     .icon = badgeIcon(u"€", rgb(0xb8, 0x86, 0x0b)),
     .handler = showSection<SectionId::Budget>},
    {.menu = "Sections1",
     .name = "Section6Item",
     .caption = u"Album &photos",
     .hint = u"Album photos",
     .button = "SpeedButton13",
     .buttonHint = u"Album photos",
     .place = 55,
     .icon = badgeIcon(u"Ph", rgb(0x8b, 0x45, 0x13)),
     .handler = showSection<SectionId::Album>},
    {.menu = "Sections1",
     .name = "Section7Item",
     .caption = u"&Vidéothèque",
     .hint = u"",
     .button = "SpeedButton14",
     .buttonHint = u"Vidéothèque",
     .place = 56,
     .icon = badgeIcon(u"Vi", rgb(0x80, 0x00, 0x80)),
     .handler = showSection<SectionId::Videos>},
    {.menu = "Sections1",
     .name = "Section9Item",
     .caption = u"B&ibliothèque",
     .hint = u"Gestion de bibliothèque",
     .button = "SpeedButton16",
     .buttonHint = u"Bibliothèque",
     .place = 57,
     .icon = badgeIcon(u"Li", rgb(0x55, 0x6b, 0x2f)),
     .handler = showSection<SectionId::Books>},
    {.menu = "Sections1",
     .name = "Section8Item",
     .caption = u"&Liste des achats",
     .hint = u"Liste des achats en magasin",
     .button = "SpeedButton15",
     .buttonHint = u"Liste des achats",
     .place = 58,
     .icon = badgeIcon(u"Ac", rgb(0x00, 0x80, 0x80)),
     .handler = showSection<SectionId::Shopping>},
    {.menu = "Sections1",
     .name = "Section10Item",
     .caption = u"S&uivi sécu",
     .hint = u"Suivi des remboursements",
     .button = "SpeedButton17",
     .buttonHint = u"Suivi Sécu",
     .place = 59,
     .icon = badgeIcon(u"Sé", rgb(0xc7, 0x15, 0x85)),
     .handler = showSection<SectionId::Reimbursements>},

    // "&Options"
    {.menu = "Options1",
     .name = "ComptesItem",
     .caption = u"&Comptes",
     .hint = u"Comptes de budget",
     .handler = optionEditor<&OptionsCommands::BudgetComptes>,
     .changesDocument = true},
    {.menu = "Options1",
     .name = "PostesItem",
     .caption = u"&Postes",
     .hint = u"Postres de budget",
     .handler = optionEditor<&OptionsCommands::BudgetPostes>},
    {.menu = "Options1",
     .name = "CategorieItem",
     .caption = u"Vi&déothèque catégorie",
     .hint = u"Cathégorie de film",
     .handler = optionEditor<&OptionsCommands::Categorie>},
    {.menu = "Options1",
     .name = "FormatvItem",
     .caption = u"Formats &vidéo",
     .hint = u"format vidéo",
     .handler = optionEditor<&OptionsCommands::Formatv>},
    {.menu = "Options1",
     .name = "FormataItem",
     .caption = u"Formats &audio",
     .hint = u"Formats audio",
     .handler = optionEditor<&OptionsCommands::Formata>},
    {.menu = "Options1",
     .name = "Categorie2Item",
     .caption = u"B&ibliothèque catégories",
     .hint = u"Les catégories de livres",
     .handler = optionEditor<&OptionsCommands::Categorie2>},
    {.menu = "Options1",
     .name = "MagasinsItem",
     .caption = u"&Magasins",
     .hint = u"Liste des magasins",
     .handler = optionEditor<&OptionsCommands::Magasins>},
    {.menu = "Options1",
     .name = "PraticiensItem",
     .caption = u"P&raticiens",
     .hint = u"Liste des praticiens",
     .handler = optionEditor<&OptionsCommands::Praticiens>},
    {.menu = "Options1",
     .name = "PharmaciesItem",
     .caption = u"P&harmacies",
     .hint = u"Liste des pharmacies",
     .handler = optionEditor<&OptionsCommands::Pharmacies>},
    {.menu = "Options1",
     .name = "AutoOpenItem",
     .caption = u"&Ouvrir automatiquement",
     .hint = u"Ouvrir le dernier fichier utilisé",
     .handler = [](M &m) { m.ToggleAutoOpen(); }},
    {.menu = "Options1",
     .name = "SyncAccountItem",
     .caption = u"S&ynchronisation...",
     .hint = u"Serveur, utilisateur, calendrier et carnet d'adresses à synchroniser",
     .handler = SyncMenu::account},
    {.menu = "Options1",
     .name = "RappelsItem",
     .caption = u"Rapp&els...",
     .hint = u"Rappels des rendez-vous et des anniversaires",
     .handler =
         [](M &m) {
             ReminderDialog dialog(m.ui(), m.startDirectory(), &m);
             m.ui().exec(&dialog);
         }},
    // Charts of the budget.
    {.menu = "Options1",
     .name = "Bilan1",
     .caption = u"&Bilan",
     .hint = u"Graphiques des dépenses et recettes du budget",
     .handler =
         [](M &m) {
             m.child()->writeBack(SectionId::Budget);
             BilanWindow::Bilan(m.child()->context(), m.child()->model().budget(), m.child()->printer());
         }},

    // "&Utilitaires"
    {.menu = "Utilitaires1",
     .name = "HorlogeItem",
     .caption = u"&Horloge",
     .hint = u"Horloge",
     .handler = utility<&UtilityWindows::horloge>},
    {.menu = "Utilitaires1",
     .name = "CalendrierItem",
     .caption = u"&Calendrier",
     .hint = u"Calendrier",
     .handler = utility<&UtilityWindows::calendrier>},
    {.menu = "Utilitaires1",
     .name = "CalculatriceItem",
     .caption = u"C&alculatrice",
     .hint = u"Calculatrice",
     .handler = utility<&UtilityWindows::calculatrice>},
    {.menu = "Utilitaires1",
     .name = "EuroItem",
     .caption = u"&Euro conversion",
     .hint = u"Convertisseur euro",
     .handler = utility<&UtilityWindows::euro>},
    {.menu = "Utilitaires1",
     .name = "BlocNotesItem",
     .caption = u"Bloc-notes",
     .hint = u"Bloc notes",
     .handler = utility<&UtilityWindows::blocNotes>},
    {.menu = "Utilitaires1",
     .name = "PrenomsItem",
     .caption = u"&Prénoms",
     .hint = u"Les prénoms",
     .handler = utility<&UtilityWindows::prenoms>},
    {.menu = "Utilitaires1",
     .name = "PeseLettresItem",
     .caption = u"Pèse &lettres",
     .hint = u"Pèse-lettres",
     .handler = utility<&UtilityWindows::peseLettres>},
    {.menu = "Utilitaires1",
     .name = "ReversiItem",
     .caption = u"&Reversi",
     .hint = u"Jeu Reversi",
     .handler = modalWindow<TOthello>},

    // "&Aide"
    {.menu = "Aide1",
     .name = "HelpContentsItem",
     .caption = u"&Index",
     .hint = u"Sommaire de l'aide",
     .handler = [](M &m) { m.help()->showContents(); }},
    {.menu = "Aide1",
     .name = "HelpSearchItem",
     .caption = u"&Rechercher...",
     .hint = u"Recherche dans l'aide",
     .handler = [](M &m) { m.help()->showIndex(); }},
    {.menu = "Aide1",
     .name = "HelpHowToItem",
     .caption = u"&Utiliser l'aide",
     .hint = u"Comment utiliser l'aide",
     .handler = [](M &m) { m.help()->showHowTo(); }},
    {.menu = "Aide1",
     .name = "HelpAboutItem",
     .caption = u"&A propos",
     .hint = u"Informations sur le logiciel, la version",
     .handler = aboutBox},

    // "Fi&che": the record commands of the page that shows, with their keys.
    {.menu = "Fiche1",
     .name = "AjoutItem",
     .caption = u"&Ajouter",
     .hint = u"Ajouter une fiche",
     .shortcut = Qt::Key_Insert,
     .button = "SpeedButton7",
     .buttonHint = u"Ajouter",
     .place = 40,
     .icon = badgeIcon(u"+", rgb(0x2e, 0x8b, 0x57)),
     .handler = childCommand<&TChild::Ajout>,
     .changesDocument = true},
    {.menu = "Fiche1",
     .name = "SupprimeItem",
     .caption = u"&Effacer",
     .hint = u"Effacer la fiche ou la ligne choisie",
     .shortcut = Qt::Key_Delete,
     .button = "SpeedButton6",
     .buttonHint = u"Effacer",
     .place = 42,
     .icon = badgeIcon(u"−", rgb(0xb2, 0x22, 0x22)),
     .handler = childCommand<&TChild::Supprime>,
     .changesDocument = true},
    {.menu = "Fiche1"},
    {.menu = "Fiche1",
     .name = "PremierItem",
     .caption = u"&Premier",
     .hint = u"Aller au début",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_Home).toCombined(),
     .button = "SpeedButton3",
     .buttonHint = u"Premier",
     .place = 30,
     .icon = standardIcon(QStyle::SP_MediaSkipBackward),
     .handler = childCommand<&TChild::Premier>},
    {.menu = "Fiche1",
     .name = "PrecedentItem",
     .caption = u"P&récédent",
     .hint = u"Semaine, lettre, mois ou fiche précédente",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_PageUp).toCombined(),
     .button = "SpeedButton2",
     .buttonHint = u"Précédent",
     .place = 31,
     .icon = standardIcon(QStyle::SP_MediaSeekBackward),
     .handler = childCommand<&TChild::Precedent>},
    {.menu = "Fiche1",
     .name = "SuivantItem",
     .caption = u"&Suivant",
     .hint = u"Semaine, lettre, mois ou fiche suivante",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_PageDown).toCombined(),
     .button = "SpeedButton1",
     .buttonHint = u"Suivant",
     .place = 32,
     .icon = standardIcon(QStyle::SP_MediaSeekForward),
     .handler = childCommand<&TChild::Suivant>},
    {.menu = "Fiche1",
     .name = "DernierItem",
     .caption = u"&Dernier",
     .hint = u"Aller à la fin",
     .shortcut = QKeyCombination(Qt::CTRL | Qt::Key_End).toCombined(),
     .button = "SpeedButton4",
     .buttonHint = u"Dernier",
     .place = 33,
     .icon = standardIcon(QStyle::SP_MediaSkipForward),
     .handler = childCommand<&TChild::Dernier>},
};

} // namespace

void TMainForm::createCommands()
{
    QToolBar *bar = addToolBar(QStringLiteral("Outils"));
    m_toolBar = bar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    QHash<QByteArray, QMenu *> menus;
    for (const MenuRow &r : kMenus) {
        auto *menu = new QMenu(QString::fromUtf16(r.title), this);
        menu->setObjectName(QString::fromLatin1(r.name));
        if (r.helpContext)
            menu->menuAction()->setProperty("helpContext", r.helpContext);
        if (!r.parent)
            menuBar()->addMenu(menu);
        menus.insert(r.name, menu);
    }
    QSet<QMenu *> placed;
    QMap<int, QToolButton *> buttons;
    for (const CommandRow &row : kCommands) {
        const QString key = QString::fromLatin1(row.name ? row.name : row.button);
        if (row.menu) {
            QMenu *menu = menus.value(row.menu);
            for (const MenuRow &r : kMenus) {
                if (r.parent && menus.value(r.name) == menu && !placed.contains(menu)) {
                    menus.value(r.parent)->addMenu(menu);
                    placed.insert(menu);
                }
            }
            if (!row.name) {
                menu->addSeparator();
                continue;
            }
            auto *a = new QAction(QString::fromUtf16(row.caption), this);
            a->setObjectName(key);
            a->setStatusTip(QString::fromUtf16(row.hint));
            if (row.shortcut)
                a->setShortcut(QKeySequence(QKeyCombination::fromCombined(row.shortcut)));
            menu->addAction(a);
            connect(a, &QAction::triggered, this, [this, key] { run(key); });
        }
        if (row.button) {
            auto *b = new QToolButton(bar);
            b->setObjectName(QString::fromLatin1(row.button));
            b->setToolTip(QString::fromUtf16(row.buttonHint));
            b->setStatusTip(b->toolTip());
            b->setIcon(row.icon.badge ? AppIcons::badge(QString::fromUtf16(row.icon.badge), QColor(row.icon.colour))
                                      : style()->standardIcon(row.icon.standard));
            b->setAutoRaise(true);
            connect(b, &QToolButton::clicked, this, [this, key] { run(key); });
            buttons.insert(row.place, b);
            m_commandOfButton.insert(b->objectName(), key);
        }
        if (row.handler)
            m_commands[key] = [this, h = row.handler] { h(*this); };
        else
            m_commands[key] = nullptr;
    }
    int group = -1;
    for (auto it = buttons.cbegin(); it != buttons.cend(); ++it) {
        if (group >= 0 && it.key() / 10 != group)
            bar->addSeparator();
        group = it.key() / 10;
        bar->addWidget(it.value());
    }
    // "Documents &récents", filled each time it opens, goes after "Enregistrer &sous...".
    QMenu *recent = menus.value("Recents1");
    const QList<QAction *> fileItems = menus.value("Fichier1")->actions();
    menus.value("Fichier1")
        ->insertMenu(fileItems.value(fileItems.indexOf(action(QStringLiteral("FileSaveAsItem"))) + 1), recent);
    connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecent(recent); });
    m_autoOpen = action(QStringLiteral("AutoOpenItem"));
    m_autoOpen->setCheckable(true);
}

void TMainForm::run(const QString &command)
{
    if (const auto handler = m_commands.value(command))
        handler();
}

bool TMainForm::setHandler(const QString &objectName, std::function<void()> handler)
{
    const QString key = m_commandOfButton.value(objectName, objectName);
    const auto it = m_commands.find(key);
    if (it == m_commands.end())
        return false;
    *it = std::move(handler);
    return true;
}

void TMainForm::enableChanges(bool readOnly)
{
    // The commands that change the document, by menu item (the tool bar only
    // ones by button); their buttons follow.
    QSet<QString> changing;
    for (const CommandRow &row : kCommands) {
        if (row.changesDocument)
            changing.insert(QString::fromLatin1(row.name ? row.name : row.button));
    }
    for (const QString &name : changing) {
        if (QAction *a = action(name))
            a->setEnabled(!readOnly);
    }
    for (auto it = m_commandOfButton.cbegin(); it != m_commandOfButton.cend(); ++it) {
        if (changing.contains(it.value()))
            toolButton(it.key())->setEnabled(!readOnly);
    }
}

QAction *TMainForm::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

QToolButton *TMainForm::toolButton(const QString &objectName) const
{
    // Looked up in the tool bar only: pages reuse some of its names (the
    // to-do page's arrows are SpeedButton1 and SpeedButton2 too).
    return m_toolBar->findChild<QToolButton *>(objectName);
}

// ---------------------------------------------------------------------------
// Status bar

bool TMainForm::event(QEvent *e)
{
    if (e->type() == QEvent::StatusTip) {
        m_hintPanel->setText(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

void TMainForm::refreshClock()
{
    m_clockPanel->setText(DateText::appLocale().toString(m_clock.now().time(), longTimeFormat()));
}

void TMainForm::resizeEvent(QResizeEvent *e)
{
    QMainWindow::resizeEvent(e);
    // The hint takes what the clock leaves, never more than the window has.
    m_hintPanel->setFixedWidth(qMax(0, width() - std::max(100, m_clockPanel->minimumWidth() + 20)));
}

void TMainForm::runPrint(const std::function<void()> &print)
{
    m_hintPanel->setText(QStringLiteral("Imprime..."));
    print();
    m_hintPanel->clear();
}

// ---------------------------------------------------------------------------
// Start and close

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    const QScreen *screen = this->screen();
    const int screenWidth = screen ? screen->geometry().width() : 1024;
    if (startsMaximised(screenWidth))
        setWindowState(windowState() | Qt::WindowMaximized);
    else
        resize(800, 600);
    m_hintPanel->setFixedWidth(qMax(0, width() - std::max(100, m_clockPanel->minimumWidth() + 20)));
    m_child->activate();
    const TChild::IniValues ini = m_child->GetIni();
    m_autoOpen->setChecked(ini.autoOpen);
    m_fileName = ini.rememberedDocument;
    if (!m_child->document().name.isEmpty())
        synchroniseLater();
}

void TMainForm::synchroniseLater()
{
    // Once the window is up: a slow server does not hold back its showing.
    QTimer::singleShot(0, this, [this] { SyncMenu::automatic(*this); });
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    if (!CloseQuery()) {
        e->ignore();
        return;
    }
    m_child->SauveIni();
    e->accept();
}

bool TMainForm::saveChangesFirst()
{
    // Edits still on screen (an appointment deleted with the Delete key, a
    // field being typed) count as changes too.
    m_child->writeBackAll();
    if (!m_child->TestModif())
        return true;
    const auto answer = m_ui.message(
        this,
        QStringLiteral("Enregistrer changements dans ") + BaseName::fileNamePart(m_fileName) + QStringLiteral(" ?"),
        UiServices::Icon::Warning, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return FileSave(); // a save that did not happen keeps the document open
    return answer == QMessageBox::No;
}

bool TMainForm::CloseQuery()
{
    return saveChangesFirst();
}

// ---------------------------------------------------------------------------
// File commands

QString TMainForm::documentNameFor(const QString &chosenPath)
{
    return BaseName::of(chosenPath) + QStringLiteral(".Orz");
}

void TMainForm::FileNew()
{
    if (!saveChangesFirst())
        return;
    m_fileName.clear();
    m_child->Nouveau();
}

void TMainForm::openDocument(const QString &path)
{
    m_fileName = documentNameFor(path);
    if (m_child->Charge(m_fileName)) {
        rememberRecent();
        synchroniseLater();
    }
}

namespace {

const QString kDocumentFilter = QStringLiteral("Documents Tivarel (*.orz *.Orz *.ORZ);;Tous les fichiers (*)");

} // namespace

QString TMainForm::dialogFolder() const
{
    // The folder of the document, else the user's documents: never the
    // data folder, where the program's own files would be offered.
    const QFileInfo doc(m_child->document().name);
    if (!m_child->document().name.isEmpty() && doc.absoluteDir().exists())
        return doc.absolutePath();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

QString TMainForm::recentFile() const
{
    return QDir(m_startDirectory).filePath(QString::fromLatin1(RecentDocuments::kFileName));
}

QStringList TMainForm::recentDocuments() const
{
    return TextFile::read(recentFile()).value_or(QStringList());
}

void TMainForm::rememberRecent()
{
    const QString name = m_child->document().name;
    if (!name.isEmpty())
        TextFile::write(recentFile(), RecentDocuments::add(recentDocuments(), QFileInfo(name).absoluteFilePath()));
}

void TMainForm::fillRecent(QMenu *menu)
{
    menu->clear();
    const QStringList recent = recentDocuments();
    for (int i = 0; i < recent.size(); ++i) {
        const QString path = recent[i];
        QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(BaseName::fileNamePart(path)));
        a->setObjectName(QStringLiteral("Recent%1").arg(i + 1));
        a->setStatusTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            if (saveChangesFirst())
                openDocument(path);
        });
    }
    if (recent.isEmpty())
        menu->addAction(QStringLiteral("(aucun)"))->setEnabled(false);
}

void TMainForm::FileOpen()
{
    if (!saveChangesFirst())
        return;
    const QString chosen =
        m_ui.openFileName(this, QStringLiteral("Ouvrir"), dialogFolder(), QString(), kDocumentFilter);
    if (chosen.isEmpty())
        return;
    openDocument(chosen);
}

bool TMainForm::FileSave()
{
    // A document open read-only is only saved under another name.
    if (m_fileName.size() < 5 || m_child->isReadOnly())
        return FileSaveAs();
    const bool saved = m_child->Sauve(m_fileName);
    if (saved)
        documentSaved();
    return saved;
}

void TMainForm::documentSaved()
{
    rememberRecent();
    StatementMenu::documentSaved(*this);
    SyncMenu::automatic(*this);
}

bool TMainForm::anyFileOfSetExists(const QString &documentPath) const
{
    for (int s = 1; s <= Document::SectionCount; ++s) {
        if (QFileInfo::exists(BaseName::withExtension(documentPath, QString::fromLatin1(Document::extension(s)))))
            return true;
    }
    return false;
}

bool TMainForm::FileSaveAs()
{
    // A save that fails under the new name leaves the document under its
    // old one, so that the next Save does not write a partial set there.
    const QString previous = m_fileName;
    m_fileName.clear();
    const QString chosen = m_ui.saveFileName(this, QStringLiteral("Enregistrer sous"), dialogFolder(),
                                             BaseName::fileNamePart(m_child->document().name), kDocumentFilter);
    if (chosen.isEmpty())
        return false;
    m_fileName = documentNameFor(chosen);
    if (anyFileOfSetExists(m_fileName)) {
        const auto answer = m_ui.message(this, QStringLiteral("Ce fichier existe déjà"), UiServices::Icon::Warning,
                                         QMessageBox::Ok | QMessageBox::Cancel);
        if (answer != QMessageBox::Ok) {
            m_fileName.clear();
            return false;
        }
    }
    if (m_child->Sauve(m_fileName)) {
        documentSaved();
        return true;
    }
    m_fileName = previous;
    return false;
}

void TMainForm::FilePrinterSetup()
{
    // The same printer as the print commands, so the choices made here hold.
    m_ui.printerSetup(this, &m_child->printer());
}

void TMainForm::startReminders()
{
    if (m_reminders)
        return;
    DocumentModel &model = m_child->model();
    m_reminders = new ReminderService(
        m_clock, m_startDirectory,
        [&model] {
            return ReminderService::Lines{model.agenda().lines(), model.birthdays().lines()};
        },
        this);
    connect(&m_reminders->notifier(), &DesktopNotifier::activated, this, &TMainForm::showWeek);
    // An opened document is looked at as soon as it is loaded.
    connect(&m_child->session(), &DocumentSession::nameChanged, m_reminders,
            [this] { QTimer::singleShot(0, m_reminders, &ReminderService::check); });
    ReminderCommand::serveWindow(this, [this](QDate day) { showWeek(day); });
    m_reminders->start();
}

void TMainForm::showWeek(QDate day)
{
    if (!day.isValid())
        return;
    m_child->writeBackAll();
    m_child->document().referenceDate = day;
    m_child->Section(pageNumber(SectionId::Week));
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void TMainForm::ToggleAutoOpen()
{
    m_fileName = m_child->GetIni().rememberedDocument;
    // The check mark always shows the stored state; the menu may already
    // have flipped it by the time the command runs.
    const bool on = !m_child->GetIni().autoOpen;
    m_autoOpen->setChecked(on);
    m_child->SetIni(on);
}

#include "app/TMainForm.h"

#include "app/AppIcons.h"
#include "document/Document.h"
#include "app/DocumentSession.h"
#include "app/ExchangeMenu.h"
#include "app/HelpLauncher.h"
#include "app/TAboutBox.h"
#include "app/TChild.h"
#include "app/TSauvegardes.h"
#include "app/TextGuard.h"
#include "budget/BilanWindow.h"
#include "budget/OptionsCommands.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/UiServices.h"
#include "reversi/TOthello.h"
#include "utilities/UtilityWindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHash>
#include <QMap>
#include <QMenu>
#include <QSet>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
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
        setWindowTitle(caption.isEmpty() ? QStringLiteral("Tivarel")
                                         : QStringLiteral("Tivarel - ") + caption);
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
    m_clockPanel->setMinimumWidth(90);
    connect(guard, &TextGuard::noted, m_hintPanel, &QLabel::setText);

    // A declined open or a recovery copy may change the document's name; a
    // document open read-only offers no command that would change it.
    connect(&m_child->session(), &DocumentSession::nameChanged, this, [this](const QString &name) {
        m_fileName = name.isEmpty() ? QString() : documentNameFor(name);
    });
    connect(&m_child->session(), &DocumentSession::readOnlyChanged, this, &TMainForm::enableChanges);

    m_help = new HelpLauncher(m_ui, [this] { return m_child->activePage(); }, this);
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

constexpr ButtonIcon standardIcon(QStyle::StandardPixmap p) { return {p, nullptr, 0}; }
constexpr ButtonIcon badgeIcon(const char16_t *text, QRgb colour) { return {QStyle::SP_CustomBase, text, colour}; }

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
    {"Edition1", u"&Ediiton", nullptr, 4},
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
    const char *menu;         // object name of its menu; null: tool bar only
    const char *name;         // object name of the menu item
    const char16_t *caption;  // with its "&" accelerator mark
    const char16_t *hint;     // shown in status panel 0
    int shortcut;             // a Qt key combination, 0: none
    const char *button;       // object name of the tool bar button; null: none
    const char16_t *buttonHint;
    int place;                // tool bar place
    ButtonIcon icon;
    void (*handler)(TMainForm &); // null: the command does nothing
};

void section(TMainForm &m, int page) { m.child()->Section(page); }
template<int Page>
void showSection(TMainForm &m) { section(m, Page); }

template<void (TChild::*Routine)()>
void childCommand(TMainForm &m) { (m.child()->*Routine)(); }

template<void (TChild::*Routine)()>
void printCommand(TMainForm &m)
{
    m.runPrint([&m] { (m.child()->*Routine)(); });
}

template<void (UtilityWindows::*Open)()>
void utility(TMainForm &m) { (m.utilities().*Open)(); }

template<void (*Editor)(DocumentContext &)>
void optionEditor(TMainForm &m)
{
    m.child()->ensurePages();
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

constexpr QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

using M = TMainForm;

const CommandRow kCommands[] = {
    // "&Fichier"
    {"Fichier1", "FileNewItem", u"&Nouveau", u"Nouveau fichier", 0, "FileNew1Btn", u"Nouveau", 10,
     standardIcon(QStyle::SP_FileIcon), [](M &m) { m.FileNew(); }},
    {"Fichier1", "FileOpenItem", u"&Ouvrir...", u"Ouvrir un fichier", 0, "OpenBtn", u"Ouvrir", 11,
     standardIcon(QStyle::SP_DialogOpenButton), [](M &m) { m.FileOpen(); }},
    {"Fichier1", "FileSaveItem", u"&Enregistrer", u"Enregistrer le fichier en cours", 0, "SaveBtn",
     u"Enregistrer", 12, standardIcon(QStyle::SP_DialogSaveButton), [](M &m) { m.FileSave(); }},
    {"Fichier1", "FileSaveAsItem", u"Enregistrer &sous...", u"Enregistrer sous un autre nom", 0, nullptr,
     nullptr, 0, {}, [](M &m) { m.FileSaveAs(); }},
    // Backups of the document set (see DocumentBackups).
    {"Fichier1", "RestoreBackupItem", u"&Restaurer une sauvegarde...", u"Revenir à une copie datée du document", 0,
     nullptr, nullptr, 0, {}, [](M &m) { TSauvegardes::Restaurer(*m.child(), m.fileName()); }},
    // "E&xporter" and "I&mporter": exchange with other programs.
    {"Exporter1", "ExportIcsItem", u"&Agenda et anniversaires (iCalendar)...", u"Exporter l'agenda vers un calendrier",
     0, nullptr, nullptr, 0, {}, ExchangeMenu::exportCalendar},
    {"Exporter1", "ExportVcfItem", u"A&dresses (vCard)...", u"Exporter le carnet d'adresses", 0, nullptr, nullptr, 0,
     {}, ExchangeMenu::exportContacts},
    {"Exporter1", "ExportBudgetMonthItem", u"&Budget du mois (CSV)...", u"Exporter le mois affiché vers un tableur",
     0, nullptr, nullptr, 0, {}, ExchangeMenu::exportBudgetMonth},
    {"Exporter1", "ExportBudgetYearItem", u"Budget de l'a&nnée (CSV)...", u"Exporter l'année du compte vers un tableur",
     0, nullptr, nullptr, 0, {}, ExchangeMenu::exportBudgetYear},
    {"Exporter1", "ExportFilmsItem", u"&Films (CSV)...", u"Exporter la vidéothèque vers un tableur", 0, nullptr,
     nullptr, 0, {}, ExchangeMenu::exportFilms},
    {"Exporter1", "ExportBooksItem", u"&Livres (CSV)...", u"Exporter la bibliothèque vers un tableur", 0, nullptr,
     nullptr, 0, {}, ExchangeMenu::exportBooks},
    {"Importer1", "ImportIcsItem", u"&Rendez-vous (iCalendar)...", u"Ajouter à l'agenda les rendez-vous d'un calendrier",
     0, nullptr, nullptr, 0, {}, ExchangeMenu::importCalendar},
    {"Importer1", "ImportVcfItem", u"A&dresses (vCard)...", u"Ajouter au carnet les cartes de visite d'un fichier", 0,
     nullptr, nullptr, 0, {}, ExchangeMenu::importContacts},
    // "&Imprimer"
    {"Imprimer1", "PrintWeekItem", u"&Semaine", u"Rendez vous de la semaine", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpSemaine>},
    {"Imprimer1", "PrintNamesItem", u"&Noms", u"Imprime noms commencant pat la lettre", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpNoms>},
    {"Imprimer1", "PrintBirthdaysItem", u"&Anniversaires", u"Imprime anniversaires", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpAnniv>},
    {"Imprimer1", "PrintTodoItem", u"&Choses à faire", u"Liste des choses à faire", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpFaire>},
    {"Imprimer1", "PrintBudgetItem", u"&Budget", u"Imprimer mois en cours", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpBudget>},
    {"Imprimer1", "PrintPhotoItem", u"&Photo", u"Imprimer page de l'album", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpPhoto>},
    {"Imprimer1", "PrintVideoItem", u"&Vidéo", u"Imprimer fiche vidéo", 0, nullptr, nullptr, 0, {},
     printCommand<&TChild::ImpVideo>},
    {"Imprimer1", "PrintShoppingItem", u"&Liste des achats", u"Imprimer la liste des achats", 0, nullptr, nullptr, 0,
     {}, printCommand<&TChild::ImpCourses>},
    {"Imprimer1", "PrintPreviewItem", u"Ap&erçu avant impression...", u"Aperçu de ce que la page imprime", 0, nullptr,
     nullptr, 0, {}, childCommand<&TChild::Apercu>},
    {"Fichier1", "PrinterSetupItem", u"&Configuration imprimante...", u"Configuration imprimante", 0, nullptr,
     nullptr, 0, {}, [](M &m) { m.FilePrinterSetup(); }},
    {"Fichier1", nullptr, nullptr, nullptr, 0, nullptr, nullptr, 0, {}, nullptr},
    {"Fichier1", "FileExitItem", u"&Quitter", u"Quitter l'application", (Qt::ALT | Qt::Key_X).toCombined(),
     nullptr, nullptr, 0, {}, [](M &m) { m.close(); }},

    // "&Ediiton"
    {"Edition1", "CutItem", u"Co&uper", u"Couper", 0, nullptr, nullptr, 0, {}, childCommand<&TChild::Couper>},
    {"Edition1", "CopyItem", u"C&opier", u"Copier", 0, "CopyBtn", u"Copier", 20,
     badgeIcon(u"Cp", rgb(0x80, 0x80, 0x80)), childCommand<&TChild::Copier>},
    {"Edition1", "PasteItem", u"Co&ller", u"Coller", 0, "PasteBtn", u"Coller", 21,
     badgeIcon(u"Co", rgb(0x80, 0x80, 0x80)), childCommand<&TChild::Coller>},
    {"Edition1", "FindItem", u"Rechercher...", u"Rechercher rendez vous", 0, "SpeedButton5", u"Chercher", 41,
     badgeIcon(u"?", rgb(0x46, 0x82, 0xb4)), childCommand<&TChild::Chercher>},
    {"Edition1", "FindNextItem", u"Continuer", u"", Qt::Key_F3, nullptr, nullptr, 0, {},
     childCommand<&TChild::FindNext>},

    // "&Sections"
    {"Sections1", "Section1Item", u"&Semaine", u"Rdv de la semaine", 0, "SpeedButton11", u"Agenda", 50,
     badgeIcon(u"Ag", rgb(0x1f, 0x6f, 0xb5)), showSection<1>},
    {"Sections1", "Section2Item", u"&Adresses", u"Carnet d'adresses", 0, "SpeedButton8", u"Adresses", 51,
     badgeIcon(u"@", rgb(0x6a, 0x5a, 0xcd)), showSection<2>},
    {"Sections1", "Section3Item", u"A&nniversaires", u"Anniversaires", 0, "SpeedButton9", u"Anniversaire", 52,
     badgeIcon(u"An", rgb(0xd2, 0x69, 0x1e)), showSection<3>},
    {"Sections1", "Section4Item", u"&Choses à faire", u"Liste des choses à faire", 0, "SpeedButton12",
     u"Choses à faire", 53, badgeIcon(u"✓", rgb(0x2e, 0x8b, 0x57)), showSection<4>},
    {"Sections1", "Section5Item", u"&Budget mensuel", u"Budget mensuel", 0, "SpeedButton10", u"Budget mensuel",
     54, badgeIcon(u"€", rgb(0xb8, 0x86, 0x0b)), showSection<5>},
    {"Sections1", "Section6Item", u"Album &photos", u"Album photos", 0, "SpeedButton13", u"Album photos", 55,
     badgeIcon(u"Ph", rgb(0x8b, 0x45, 0x13)), showSection<6>},
    {"Sections1", "Section7Item", u"&Vidéothèque", u"", 0, "SpeedButton14", u"Vidéothèque", 56,
     badgeIcon(u"Vi", rgb(0x80, 0x00, 0x80)), showSection<7>},
    {"Sections1", "Section9Item", u"B&ibliothèque", u"Gestion de bibliothèque", 0, "SpeedButton16",
     u"Bibliothèque", 57, badgeIcon(u"Li", rgb(0x55, 0x6b, 0x2f)), showSection<9>},
    {"Sections1", "Section8Item", u"&Liste des achats", u"Liste des achats en magasin", 0, "SpeedButton15",
     u"Liste des achats", 58, badgeIcon(u"Ac", rgb(0x00, 0x80, 0x80)), showSection<8>},
    {"Sections1", "Section10Item", u"S&uivi sécu", u"Suivi des remboursements", 0, "SpeedButton17",
     u"Suivi Sécu", 59, badgeIcon(u"Sé", rgb(0xc7, 0x15, 0x85)), showSection<10>},

    // "&Options"
    {"Options1", "ComptesItem", u"&Comptes", u"Comptes de budget", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::BudgetComptes>},
    {"Options1", "PostesItem", u"&Postes", u"Postres de budget", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::BudgetPostes>},
    {"Options1", "CategorieItem", u"Vi&déothèque catégorie", u"Cathégorie de film", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Categorie>},
    {"Options1", "FormatvItem", u"Formats &vidéo", u"format vidéo", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Formatv>},
    {"Options1", "FormataItem", u"Formats &audio", u"Formats audio", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Formata>},
    {"Options1", "Categorie2Item", u"B&ibliothèque catégories", u"Les catégories de livres", 0, nullptr,
     nullptr, 0, {}, optionEditor<&OptionsCommands::Categorie2>},
    {"Options1", "MagasinsItem", u"&Magasins", u"Liste des magasins", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Magasins>},
    {"Options1", "PraticiensItem", u"P&raticiens", u"Liste des praticiens", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Praticiens>},
    {"Options1", "PharmaciesItem", u"P&harmacies", u"Liste des pharmacies", 0, nullptr, nullptr, 0, {},
     optionEditor<&OptionsCommands::Pharmacies>},
    {"Options1", "AutoOpenItem", u"&Ouvrir automatiquement", u"Ouvrir le dernier fichier utilisé", 0, nullptr,
     nullptr, 0, {}, [](M &m) { m.ToggleAutoOpen(); }},
    // Charts of the budget.
    {"Options1", "Bilan1", u"&Bilan", u"Graphiques des dépenses et recettes du budget", 0, nullptr, nullptr, 0, {},
     [](M &m) {
         m.child()->ensurePages();
         BilanWindow::Bilan(m.child()->context(), m.child()->printer());
     }},

    // "&Utilitaires"
    {"Utilitaires1", "HorlogeItem", u"&Horloge", u"Horloge", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::horloge>},
    {"Utilitaires1", "CalendrierItem", u"&Calendrier", u"Calendrier", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::calendrier>},
    {"Utilitaires1", "CalculatriceItem", u"C&alculatrice", u"Calculatrice", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::calculatrice>},
    {"Utilitaires1", "EuroItem", u"&Euro conversion", u"Convertisseur euro", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::euro>},
    {"Utilitaires1", "BlocNotesItem", u"Bloc-notes", u"Bloc notes", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::blocNotes>},
    {"Utilitaires1", "PrenomsItem", u"&Prénoms", u"Les prénoms", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::prenoms>},
    {"Utilitaires1", "PeseLettresItem", u"Pèse &lettres", u"Pèse-lettres", 0, nullptr, nullptr, 0, {},
     utility<&UtilityWindows::peseLettres>},
    {"Utilitaires1", "ReversiItem", u"&Reversi", u"Jeu Reversi", 0, nullptr, nullptr, 0, {},
     modalWindow<TOthello>},

    // "&Aide"
    {"Aide1", "HelpContentsItem", u"&Index", u"Sommaire de l'aide", 0, nullptr, nullptr, 0, {},
     [](M &m) { m.help()->showContents(); }},
    {"Aide1", "HelpSearchItem", u"&Rechercher...", u"Recherche dans l'aide", 0, nullptr, nullptr, 0, {},
     [](M &m) { m.help()->showIndex(); }},
    {"Aide1", "HelpHowToItem", u"&Utiliser l'aide", u"Comment utiliser l'aide", 0, nullptr, nullptr, 0, {},
     [](M &m) { m.help()->showHowTo(); }},
    {"Aide1", "HelpAboutItem", u"&A propos", u"Informations sur le logiciel, la version", 0, nullptr, nullptr, 0,
     {}, aboutBox},

    // Tool bar only.
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton3", u"Premier", 30,
     standardIcon(QStyle::SP_MediaSkipBackward), childCommand<&TChild::Premier>},
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton2", u"Précédent", 31,
     standardIcon(QStyle::SP_MediaSeekBackward), childCommand<&TChild::Precedent>},
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton1", u"Suivant", 32,
     standardIcon(QStyle::SP_MediaSeekForward), childCommand<&TChild::Suivant>},
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton4", u"Dernier", 33,
     standardIcon(QStyle::SP_MediaSkipForward), childCommand<&TChild::Dernier>},
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton7", u"Ajouter", 40,
     badgeIcon(u"+", rgb(0x2e, 0x8b, 0x57)), childCommand<&TChild::Ajout>},
    {nullptr, nullptr, nullptr, nullptr, 0, "SpeedButton6", u"Effacer", 42,
     badgeIcon(u"−", rgb(0xb2, 0x22, 0x22)), childCommand<&TChild::Supprime>},
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
    static const QStringList changing = {QStringLiteral("FileSaveItem"), QStringLiteral("CutItem"),
                                         QStringLiteral("PasteItem"),    QStringLiteral("ComptesItem"),
                                         QStringLiteral("SpeedButton7"), QStringLiteral("SpeedButton6"),
                                         QStringLiteral("ImportIcsItem"), QStringLiteral("ImportVcfItem")};
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
    m_hintPanel->setFixedWidth(qMax(0, width() - 100));
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
    m_hintPanel->setFixedWidth(qMax(0, width() - 100));
    m_child->activate();
    const TChild::IniValues ini = m_child->GetIni();
    m_autoOpen->setChecked(ini.autoOpen);
    m_fileName = ini.rememberedDocument;
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
    const auto answer = m_ui.message(this,
                                     QStringLiteral("Enregistrer changements dans ")
                                         + BaseName::fileNamePart(m_fileName) + QStringLiteral(" ?"),
                                     UiServices::Icon::Warning,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
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
    m_child->Charge(m_fileName);
}

void TMainForm::FileOpen()
{
    if (!saveChangesFirst())
        return;
    const QString chosen = m_ui.openFileName(this, QStringLiteral("Ouvrir"), m_startDirectory,
                                             QStringLiteral("*.orz"),
                                             QStringLiteral("Tous les fichiers (*.*)"));
    if (chosen.isEmpty())
        return;
    m_fileName = documentNameFor(chosen);
    m_child->Charge(m_fileName);
}

bool TMainForm::FileSave()
{
    // A document open read-only is only saved under another name.
    if (m_fileName.size() < 5 || m_child->isReadOnly())
        return FileSaveAs();
    return m_child->Sauve(m_fileName);
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
    const QString chosen = m_ui.saveFileName(this, QStringLiteral("Enregistrer sous"), m_startDirectory,
                                             QStringLiteral("*.orz"),
                                             QStringLiteral("Tous les fichiers (*.*)"));
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
    if (m_child->Sauve(m_fileName))
        return true;
    m_fileName = previous;
    return false;
}

void TMainForm::FilePrinterSetup()
{
    // The same printer as the print commands, so the choices made here hold.
    m_ui.printerSetup(this, &m_child->printer());
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

#include "app/TMainForm.h"

#include "app/AppIcons.h"
#include "app/Document.h"
#include "app/HelpLauncher.h"
#include "app/TAboutBox.h"
#include "app/TChild.h"
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

// Commands whose target is a routine of the document window.
using ChildCommand = void (TChild::*)();

// The long time format of the application's locale, without the time zone
// that some locales append.
QString longTimeFormat()
{
    QString f = DateText::appLocale().timeFormat(QLocale::LongFormat);
    f.remove(QLatin1Char('t'));
    return f.trimmed();
}

} // namespace

TMainForm::TMainForm(UiServices &ui, const Clock &clock, QWidget *parent)
    : QMainWindow(parent), m_ui(ui), m_clock(clock)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tivarel"));
    setWindowIcon(AppIcons::program());

    m_child = new TChild(ui, clock, this, TChild::PageCreation::AfterFirstPaint);
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

    m_help = new HelpLauncher([this] { return m_child->activePage(); }, this);
    m_utilities = std::make_unique<UtilityWindows>(m_ui, m_clock, this, [this] { return m_startDirectory; });
    createCommands();
    AppIcons::applyTheme(*this);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setInterval(1000);
    connect(m_clockTimer, &QTimer::timeout, this, &TMainForm::refreshClock);
    m_clockTimer->start();
    refreshClock();
}

TMainForm::~TMainForm() = default;

void TMainForm::createCommands()
{
    QToolBar *bar = addToolBar(QStringLiteral("Outils"));
    m_toolBar = bar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    bar->setMovable(false);
    bar->setIconSize(QSize(24, 24));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);

    QStyle *st = style();
    auto makeAction = [this](QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                             auto slot) {
        auto *a = new QAction(caption, this);
        a->setObjectName(name);
        a->setStatusTip(hint);
        if (menu)
            menu->addAction(a);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    auto button = [this, bar](const QString &name, const QString &hint, const QIcon &icon, auto slot) {
        auto *b = new QToolButton(bar);
        b->setObjectName(name);
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setIcon(icon);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        bar->addWidget(b);
        return b;
    };
    auto childCmd = [this](ChildCommand cmd) { return [this, cmd] { (m_child->*cmd)(); }; };
    auto section = [this](int n) { return [this, n] { m_child->Section(n); }; };
    auto print = [this]() { return [this] { runPrint([] {}); }; };
    auto nothing = [] {};

    // "&Fichier"
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    file->setObjectName(QStringLiteral("Fichier1"));
    file->menuAction()->setProperty("helpContext", 3);
    makeAction(file, QStringLiteral("FileNewItem"), QStringLiteral("&Nouveau"), QStringLiteral("Nouveau fichier"),
               [this] { FileNew(); });
    makeAction(file, QStringLiteral("FileOpenItem"), QStringLiteral("&Ouvrir..."),
               QStringLiteral("Ouvrir un fichier"), [this] { FileOpen(); });
    makeAction(file, QStringLiteral("FileSaveItem"), QStringLiteral("&Enregistrer"),
               QStringLiteral("Enregistrer le fichier en cours"), [this] { FileSave(); });
    makeAction(file, QStringLiteral("FileSaveAsItem"), QStringLiteral("Enregistrer &sous..."),
               QStringLiteral("Enregistrer sous un autre nom"), [this] { FileSaveAs(); });
    QMenu *printMenu = file->addMenu(QStringLiteral("&Imprimer"));
    printMenu->setObjectName(QStringLiteral("Imprimer1"));
    makeAction(printMenu, QStringLiteral("PrintWeekItem"), QStringLiteral("&Semaine"),
               QStringLiteral("Rendez vous de la semaine"), print());
    makeAction(printMenu, QStringLiteral("PrintNamesItem"), QStringLiteral("&Noms"),
               QStringLiteral("Imprime noms commencant pat la lettre"), print());
    makeAction(printMenu, QStringLiteral("PrintBirthdaysItem"), QStringLiteral("&Anniversaires"),
               QStringLiteral("Imprime anniversaires"), print());
    makeAction(printMenu, QStringLiteral("PrintTodoItem"), QStringLiteral("&Choses à faire"),
               QStringLiteral("Liste des choses à faire"), print());
    makeAction(printMenu, QStringLiteral("PrintBudgetItem"), QStringLiteral("&Budget"),
               QStringLiteral("Imprimer mois en cours"), print());
    makeAction(printMenu, QStringLiteral("PrintPhotoItem"), QStringLiteral("&Photo"),
               QStringLiteral("Imprimer page de l'album"), nothing);
    makeAction(printMenu, QStringLiteral("PrintVideoItem"), QStringLiteral("&Vidéo"),
               QStringLiteral("Imprimer fiche vidéo"), nothing);
    makeAction(printMenu, QStringLiteral("PrintShoppingItem"), QStringLiteral("&Liste des achats"),
               QStringLiteral("Imprimer la liste des achats"), print());
    makeAction(file, QStringLiteral("PrinterSetupItem"), QStringLiteral("&Configuration imprimante..."),
               QStringLiteral("Configuration imprimante"), [this] { FilePrinterSetup(); });
    file->addSeparator();
    QAction *quit = makeAction(file, QStringLiteral("FileExitItem"), QStringLiteral("&Quitter"),
                               QStringLiteral("Quitter l'application"), [this] { close(); });
    quit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));

    // "&Ediiton"
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Ediiton"));
    edit->setObjectName(QStringLiteral("Edition1"));
    edit->menuAction()->setProperty("helpContext", 4);
    makeAction(edit, QStringLiteral("CutItem"), QStringLiteral("Co&uper"), QStringLiteral("Couper"),
               childCmd(&TChild::Couper));
    makeAction(edit, QStringLiteral("CopyItem"), QStringLiteral("C&opier"), QStringLiteral("Copier"),
               childCmd(&TChild::Copier));
    makeAction(edit, QStringLiteral("PasteItem"), QStringLiteral("Co&ller"), QStringLiteral("Coller"),
               childCmd(&TChild::Coller));
    makeAction(edit, QStringLiteral("FindItem"), QStringLiteral("Rechercher..."),
               QStringLiteral("Rechercher rendez vous"), childCmd(&TChild::Chercher));
    QAction *findNext = makeAction(edit, QStringLiteral("FindNextItem"), QStringLiteral("Continuer"), QString(),
                                   childCmd(&TChild::FindNext));
    findNext->setShortcut(QKeySequence(Qt::Key_F3));

    // "&Sections"
    QMenu *sections = menuBar()->addMenu(QStringLiteral("&Sections"));
    sections->setObjectName(QStringLiteral("Sections1"));
    sections->menuAction()->setProperty("helpContext", 5);
    struct SectionItem
    {
        const char16_t *caption;
        const char16_t *hint;
        int page;
    };
    const SectionItem sectionItems[] = {
        {u"&Semaine", u"Rdv de la semaine", 1},
        {u"&Adresses", u"Carnet d'adresses", 2},
        {u"A&nniversaires", u"Anniversaires", 3},
        {u"&Choses à faire", u"Liste des choses à faire", 4},
        {u"&Budget mensuel", u"Budget mensuel", 5},
        {u"Album &photos", u"Album photos", 6},
        {u"&Vidéothèque", u"", 7},
        {u"B&ibliothèque", u"Gestion de bibliothèque", 9},
        {u"&Liste des achats", u"Liste des achats en magasin", 8},
        {u"S&uivi sécu", u"Suivi des remboursements", 10},
    };
    for (const SectionItem &s : sectionItems)
        makeAction(sections, QStringLiteral("Section%1Item").arg(s.page), QString::fromUtf16(s.caption),
                   QString::fromUtf16(s.hint), section(s.page));

    // "&Options"
    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    options->menuAction()->setProperty("helpContext", 6);
    struct OptionItem
    {
        const char *name;
        const char16_t *caption;
        const char16_t *hint;
        void (*command)(DocumentContext &);
    };
    const OptionItem optionItems[] = {
        {"ComptesItem", u"&Comptes", u"Comptes de budget", &OptionsCommands::BudgetComptes},
        {"PostesItem", u"&Postes", u"Postres de budget", &OptionsCommands::BudgetPostes},
        {"CategorieItem", u"Vi&déothèque catégorie", u"Cathégorie de film", &OptionsCommands::Categorie},
        {"FormatvItem", u"Formats &vidéo", u"format vidéo", &OptionsCommands::Formatv},
        {"FormataItem", u"Formats &audio", u"Formats audio", &OptionsCommands::Formata},
        {"Categorie2Item", u"B&ibliothèque catégories", u"Les catégories de livres", &OptionsCommands::Categorie2},
        {"MagasinsItem", u"&Magasins", u"Liste des magasins", &OptionsCommands::Magasins},
        {"PraticiensItem", u"P&raticiens", u"Liste des praticiens", &OptionsCommands::Praticiens},
        {"PharmaciesItem", u"P&harmacies", u"Liste des pharmacies", &OptionsCommands::Pharmacies},
    };
    for (const OptionItem &o : optionItems) {
        makeAction(options, QString::fromLatin1(o.name), QString::fromUtf16(o.caption), QString::fromUtf16(o.hint),
                   [this, command = o.command] {
                       m_child->ensurePages();
                       command(m_child->context());
                   });
    }
    m_autoOpen = makeAction(options, QStringLiteral("AutoOpenItem"), QStringLiteral("&Ouvrir automatiquement"),
                            QStringLiteral("Ouvrir le dernier fichier utilisé"), [this] {
                                // The menu has already flipped the check mark; the command
                                // flips it itself.
                                m_autoOpen->setChecked(!m_autoOpen->isChecked());
                                ToggleAutoOpen();
                            });
    m_autoOpen->setCheckable(true);

    // "&Utilitaires"
    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Utilitaires"));
    tools->setObjectName(QStringLiteral("Utilitaires1"));
    tools->menuAction()->setProperty("helpContext", 7);
    struct ToolItem
    {
        const char *name;
        const char16_t *caption;
        const char16_t *hint;
        void (UtilityWindows::*open)();
    };
    const ToolItem toolItems[] = {
        {"HorlogeItem", u"&Horloge", u"Horloge", &UtilityWindows::horloge},
        {"CalendrierItem", u"&Calendrier", u"Calendrier", &UtilityWindows::calendrier},
        {"CalculatriceItem", u"C&alculatrice", u"Calculatrice", &UtilityWindows::calculatrice},
        {"EuroItem", u"&Euro conversion", u"Convertisseur euro", &UtilityWindows::euro},
        {"BlocNotesItem", u"Bloc-notes", u"Bloc notes", &UtilityWindows::blocNotes},
        {"PrenomsItem", u"&Prénoms", u"Les prénoms", &UtilityWindows::prenoms},
        {"PeseLettresItem", u"Pèse &lettres", u"Pèse-lettres", &UtilityWindows::peseLettres},
    };
    for (const ToolItem &o : toolItems)
        makeAction(tools, QString::fromLatin1(o.name), QString::fromUtf16(o.caption), QString::fromUtf16(o.hint),
                   [this, open = o.open] { (m_utilities.get()->*open)(); });
    makeAction(tools, QStringLiteral("ReversiItem"), QStringLiteral("&Reversi"), QStringLiteral("Jeu Reversi"),
               [this] {
                   TOthello game(m_ui, this);
                   m_ui.exec(&game);
               });

    // "&Aide"
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Aide"));
    help->setObjectName(QStringLiteral("Aide1"));
    makeAction(help, QStringLiteral("HelpContentsItem"), QStringLiteral("&Index"),
               QStringLiteral("Sommaire de l'aide"), [this] { m_help->showContents(); });
    makeAction(help, QStringLiteral("HelpSearchItem"), QStringLiteral("&Rechercher..."),
               QStringLiteral("Recherche dans l'aide"), [this] { m_help->showIndex(); });
    makeAction(help, QStringLiteral("HelpHowToItem"), QStringLiteral("&Utiliser l'aide"),
               QStringLiteral("Comment utiliser l'aide"), [this] { m_help->showHowTo(); });
    makeAction(help, QStringLiteral("HelpAboutItem"), QStringLiteral("&A propos"),
               QStringLiteral("Informations sur le logiciel, la version"), [this] {
                   TAboutBox box(this);
                   m_ui.exec(&box);
               });

    // Tool bar, left to right.
    button(QStringLiteral("FileNew1Btn"), QStringLiteral("Nouveau"), st->standardIcon(QStyle::SP_FileIcon),
           [this] { FileNew(); });
    button(QStringLiteral("OpenBtn"), QStringLiteral("Ouvrir"), st->standardIcon(QStyle::SP_DialogOpenButton),
           [this] { FileOpen(); });
    button(QStringLiteral("SaveBtn"), QStringLiteral("Enregistrer"),
           st->standardIcon(QStyle::SP_DialogSaveButton), [this] { FileSave(); });
    bar->addSeparator();
    button(QStringLiteral("CopyBtn"), QStringLiteral("Copier"), AppIcons::badge(QStringLiteral("Cp"), Qt::darkGray),
           childCmd(&TChild::Copier));
    button(QStringLiteral("PasteBtn"), QStringLiteral("Coller"), AppIcons::badge(QStringLiteral("Co"), Qt::darkGray),
           childCmd(&TChild::Coller));
    bar->addSeparator();
    button(QStringLiteral("SpeedButton3"), QStringLiteral("Premier"), st->standardIcon(QStyle::SP_MediaSkipBackward),
           childCmd(&TChild::Premier));
    button(QStringLiteral("SpeedButton2"), QStringLiteral("Précédent"),
           st->standardIcon(QStyle::SP_MediaSeekBackward), childCmd(&TChild::Precedent));
    button(QStringLiteral("SpeedButton1"), QStringLiteral("Suivant"), st->standardIcon(QStyle::SP_MediaSeekForward),
           childCmd(&TChild::Suivant));
    button(QStringLiteral("SpeedButton4"), QStringLiteral("Dernier"), st->standardIcon(QStyle::SP_MediaSkipForward),
           childCmd(&TChild::Dernier));
    bar->addSeparator();
    button(QStringLiteral("SpeedButton7"), QStringLiteral("Ajouter"), AppIcons::badge(QStringLiteral("+"), QColor(0x2e, 0x8b, 0x57)),
           childCmd(&TChild::Ajout));
    button(QStringLiteral("SpeedButton5"), QStringLiteral("Chercher"), AppIcons::badge(QStringLiteral("?"), QColor(0x46, 0x82, 0xb4)),
           childCmd(&TChild::Chercher));
    button(QStringLiteral("SpeedButton6"), QStringLiteral("Effacer"), AppIcons::badge(QStringLiteral("−"), QColor(0xb2, 0x22, 0x22)),
           childCmd(&TChild::Supprime));
    bar->addSeparator();
    struct SectionButton
    {
        const char *name;
        const char16_t *hint;
        const char16_t *badge;
        QColor colour;
        int page;
    };
    const SectionButton sectionButtons[] = {
        {"SpeedButton11", u"Agenda", u"Ag", QColor(0x1f, 0x6f, 0xb5), 1},
        {"SpeedButton8", u"Adresses", u"@", QColor(0x6a, 0x5a, 0xcd), 2},
        {"SpeedButton9", u"Anniversaire", u"An", QColor(0xd2, 0x69, 0x1e), 3},
        {"SpeedButton12", u"Choses à faire", u"✓", QColor(0x2e, 0x8b, 0x57), 4},
        {"SpeedButton10", u"Budget mensuel", u"€", QColor(0xb8, 0x86, 0x0b), 5},
        {"SpeedButton13", u"Album photos", u"Ph", QColor(0x8b, 0x45, 0x13), 6},
        {"SpeedButton14", u"Vidéothèque", u"Vi", QColor(0x80, 0x00, 0x80), 7},
        {"SpeedButton16", u"Bibliothèque", u"Li", QColor(0x55, 0x6b, 0x2f), 9},
        {"SpeedButton15", u"Liste des achats", u"Ac", QColor(0x00, 0x80, 0x80), 8},
        {"SpeedButton17", u"Suivi Sécu", u"Sé", QColor(0xc7, 0x15, 0x85), 10},
    };
    for (const SectionButton &s : sectionButtons)
        button(QString::fromLatin1(s.name), QString::fromUtf16(s.hint),
               AppIcons::badge(QString::fromUtf16(s.badge), s.colour), section(s.page));
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
    m_startDirectory = QDir::currentPath();
    m_child->context().startDirectory = m_startDirectory;
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
    if (!m_startDirectory.isEmpty())
        QDir::setCurrent(m_startDirectory);
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
    if (m_fileName.size() < 5)
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
    return m_child->Sauve(m_fileName);
}

void TMainForm::FilePrinterSetup()
{
    QPrinter printer;
    m_ui.printerSetup(this, &printer);
}

void TMainForm::ToggleAutoOpen()
{
    m_fileName = m_child->GetIni().rememberedDocument;
    m_autoOpen->setChecked(!m_autoOpen->isChecked());
    m_child->SetIni(m_autoOpen->isChecked());
}

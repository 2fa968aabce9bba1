#include "app/HelpWindow.h"

#include "app/HelpTopics.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QLatin1String kCollection("tivarel.qhc");
const QLatin1String kDocumentation("tivarel.qch");

// The first candidate that exists.
QString installedCollection(const QStringList &candidates)
{
    for (const QString &c : candidates) {
        if (QFileInfo::exists(c))
            return QFileInfo(c).canonicalFilePath();
    }
    return {};
}

// Copies a file unless the copy is already the same size and no older.
bool refresh(const QString &from, const QString &to)
{
    const QFileInfo src(from);
    const QFileInfo dst(to);
    if (dst.exists() && dst.size() == src.size() && dst.lastModified() >= src.lastModified())
        return true;
    QFile::remove(to);
    return QFile::copy(from, to);
}

} // namespace

HelpBrowser::HelpBrowser(QHelpEngine *engine, QWidget *parent) : QTextBrowser(parent), m_engine(engine)
{
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl &name)
{
    if (name.scheme() == QLatin1String("qthelp"))
        return m_engine->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

QStringList HelpWindow::collectionCandidates()
{
    // Installed beside the program (bin/../share/tivarel/help), then the
    // build tree's help folder.
    const QString appDir = QCoreApplication::applicationDirPath();
    return {
        QDir::cleanPath(appDir + QStringLiteral("/../share/tivarel/help/") + kCollection),
        QDir::cleanPath(appDir + QStringLiteral("/../help/") + kCollection),
        QStringLiteral(TIVAREL_BUILD_HELP_DIR "/") + kCollection,
    };
}

QString HelpWindow::prepareCollection(const QStringList &candidates, QString *error)
{
    const QString source = installedCollection(candidates);
    if (source.isEmpty()) {
        QStringList folders;
        for (const QString &c : candidates)
            folders << QDir::toNativeSeparators(QFileInfo(c).path());
        *error = QStringLiteral("L'aide n'est pas installée : le fichier %1 n'est dans aucun de ces dossiers :\n%2")
                     .arg(kCollection, folders.join(QLatin1Char('\n')));
        return {};
    }
    // The engine writes beside its collection (settings, the search index):
    // an installed collection is read-only, so the window works on a copy.
    // The collection names its documentation file relative to itself, so
    // both go into the same folder.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + QStringLiteral("/aide");
    const QString sourceDir = QFileInfo(source).absolutePath();
    if (!QDir().mkpath(cache)
        || !refresh(sourceDir + QLatin1Char('/') + kDocumentation, cache + QLatin1Char('/') + kDocumentation)
        || !refresh(source, cache + QLatin1Char('/') + kCollection)) {
        *error = QStringLiteral("L'aide de %1 ne peut pas être ouverte : sa copie dans %2 n'a pas pu être faite.")
                     .arg(QDir::toNativeSeparators(sourceDir), QDir::toNativeSeparators(cache));
        return {};
    }
    return cache + QLatin1Char('/') + kCollection;
}

HelpWindow::HelpWindow(const QString &collectionFile, QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Aide de Tivarel"));
    resize(900, 640);

    m_engine = new QHelpEngine(collectionFile, this);
    if (m_engine->setupData())
        m_namespace = m_engine->registeredDocumentations().value(0);

    // Left: contents, index, search.
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("HelpTabs"));
    QHelpContentWidget *contents = m_engine->contentWidget();
    contents->setObjectName(QStringLiteral("HelpContents"));
    m_tabs->addTab(contents, QStringLiteral("Sommaire"));

    auto *indexPage = new QWidget(m_tabs);
    auto *indexLayout = new QVBoxLayout(indexPage);
    m_indexFilter = new QLineEdit(indexPage);
    m_indexFilter->setObjectName(QStringLiteral("HelpIndexFilter"));
    m_indexFilter->setPlaceholderText(QStringLiteral("Mot à rechercher"));
    m_indexFilter->setClearButtonEnabled(true);
    QHelpIndexWidget *index = m_engine->indexWidget();
    index->setObjectName(QStringLiteral("HelpIndex"));
    indexLayout->addWidget(m_indexFilter);
    indexLayout->addWidget(index);
    m_tabs->addTab(indexPage, QStringLiteral("Index"));

    auto *searchPage = new QWidget(m_tabs);
    auto *searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchEngine *search = m_engine->searchEngine();
    QHelpSearchQueryWidget *query = search->queryWidget();
    query->setObjectName(QStringLiteral("HelpSearchQuery"));
    QHelpSearchResultWidget *results = search->resultWidget();
    results->setObjectName(QStringLiteral("HelpSearchResults"));
    searchLayout->addWidget(query);
    searchLayout->addWidget(results, 1);
    m_tabs->addTab(searchPage, QStringLiteral("Recherche"));

    // Right: back, forward and the page.
    auto *pagePane = new QWidget(this);
    auto *pageLayout = new QVBoxLayout(pagePane);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    auto *buttons = new QHBoxLayout;
    m_browser = new HelpBrowser(m_engine, pagePane);
    m_browser->setObjectName(QStringLiteral("HelpBrowser"));
    auto navButton = [pagePane, buttons](const char *name, const QString &text, const char *icon) {
        auto *b = new QToolButton(pagePane);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        b->setToolTip(text);
        b->setIcon(QIcon::fromTheme(QLatin1String(icon)));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setEnabled(false);
        buttons->addWidget(b);
        return b;
    };
    QToolButton *back = navButton("HelpBack", QStringLiteral("Précédent"), "go-previous");
    QToolButton *forward = navButton("HelpForward", QStringLiteral("Suivant"), "go-next");
    buttons->addStretch(1);
    pageLayout->addLayout(buttons);
    pageLayout->addWidget(m_browser, 1);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(m_tabs);
    splitter->addWidget(pagePane);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter);

    connect(back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    auto *escape = new QAction(this);
    escape->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(escape, &QAction::triggered, this, &QWidget::close);
    addAction(escape);

    // The tree is small: shown whole, with the page on display marked once
    // the tree is read (it is read in the background).
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this, [this, contents] {
        contents->expandAll();
        const QModelIndex item = contents->indexOf(m_browser->source());
        if (item.isValid())
            contents->setCurrentIndex(item);
    });
    connect(contents, &QHelpContentWidget::linkActivated, this, &HelpWindow::showUrl);
    connect(contents, &QHelpContentWidget::clicked, this, [this](const QModelIndex &i) {
        if (const QHelpContentItem *item = m_engine->contentModel()->contentItemAt(i))
            showUrl(item->url());
    });
    connect(m_indexFilter, &QLineEdit::textChanged, index,
            [index](const QString &text) { index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, index, &QHelpIndexWidget::activateCurrentItem);
    connect(index, &QHelpIndexWidget::documentActivated, this, [this](const QHelpLink &link) { showUrl(link.url); });
    // A keyword with several pages: the first one, the others stay a click
    // away in the contents.
    connect(index, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink> &links) {
        if (!links.isEmpty())
            showUrl(links.first().url);
    });
    connect(query, &QHelpSearchQueryWidget::search, search, [search, query] { search->search(query->searchInput()); });
    connect(results, &QHelpSearchResultWidget::requestShowLink, this, &HelpWindow::showUrl);
    // The search index is made in the background the first time and then
    // only when the collection changed.
    search->scheduleIndexDocumentation();
}

QUrl HelpWindow::pageUrl(const QString &page) const
{
    return QUrl(QStringLiteral("qthelp://%1/aide/%2").arg(m_namespace, page));
}

bool HelpWindow::hasPage(const QString &page) const
{
    return !m_namespace.isEmpty() && !m_engine->fileData(pageUrl(page)).isEmpty();
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().fileName();
}

HelpWindow::Tab HelpWindow::currentTab() const
{
    return Tab(m_tabs->currentIndex());
}

void HelpWindow::showUrl(const QUrl &url)
{
    if (m_browser->source() != url)
        m_browser->setSource(url);
    QHelpContentWidget *contents = m_engine->contentWidget();
    const QModelIndex item = contents->indexOf(url);
    if (item.isValid())
        contents->setCurrentIndex(item);
}

void HelpWindow::raiseWindow()
{
    show();
    raise();
    activateWindow();
}

void HelpWindow::showContents()
{
    m_tabs->setCurrentIndex(ContentsTab);
    showUrl(pageUrl(HelpTopics::contents()));
    raiseWindow();
}

void HelpWindow::showIndex(const QString &key)
{
    m_tabs->setCurrentIndex(IndexTab);
    m_indexFilter->setText(key);
    m_engine->indexWidget()->filterIndices(key);
    if (m_browser->source().isEmpty())
        showUrl(pageUrl(HelpTopics::contents()));
    raiseWindow();
    m_indexFilter->setFocus();
}

void HelpWindow::showPage(const QString &page)
{
    m_tabs->setCurrentIndex(ContentsTab);
    showUrl(pageUrl(page));
    raiseWindow();
}

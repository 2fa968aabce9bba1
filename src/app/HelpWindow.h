#pragma once

#include <QTextBrowser>
#include <QWidget>

class QHelpEngine;
class QLineEdit;
class QTabWidget;
class QToolButton;

// A text browser that reads the pages and pictures of the help collection.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QHelpEngine *engine, QWidget *parent = nullptr);
    QVariant loadResource(int type, const QUrl &name) override;

private:
    QHelpEngine *m_engine;
};

// The help window: the contents tree, the keyword index with its filter and
// the full-text search on the left, the page on the right with back and
// forward. It reads a Qt help collection built from help/pages.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    enum Tab
    {
        ContentsTab,
        IndexTab,
        SearchTab
    };

    // collectionFile: a writable copy of the collection (the search index is
    // kept beside it); see prepareCollection().
    explicit HelpWindow(const QString &collectionFile, QWidget *parent = nullptr);

    // Where the collection is looked for, first match wins.
    static QStringList collectionCandidates();
    // The first of the candidates that exists, copied into the user's cache
    // folder when the copy is missing or older; empty (and *error in French,
    // naming where it was looked for) when none exists or it cannot be
    // copied.
    static QString prepareCollection(const QStringList &candidates, QString *error);

    // False when the collection could not be read.
    bool isOpen() const { return !m_namespace.isEmpty(); }

    void showContents();
    // Opens the index with key in its filter (empty: the whole index).
    void showIndex(const QString &key);
    // Opens a page by its file name (HelpTopics), with the contents tab.
    void showPage(const QString &page);

    QUrl pageUrl(const QString &page) const;
    // True when the collection holds that page.
    bool hasPage(const QString &page) const;
    QString currentPage() const;
    Tab currentTab() const;
    QHelpEngine *engine() const { return m_engine; }

private:
    void raiseWindow();
    void showUrl(const QUrl &url);

    QHelpEngine *m_engine = nullptr;
    QTabWidget *m_tabs = nullptr;
    QLineEdit *m_indexFilter = nullptr;
    HelpBrowser *m_browser = nullptr;
    QString m_namespace;
};

#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class HelpWindow;
class QMenu;
class UiServices;

// Opens the help window from the "&Aide" menu and answers F1 anywhere in the
// program with the page of what the user is looking at: the open menu, the
// dialog or utility window, or else the section that shows.
class HelpLauncher : public QObject
{
    Q_OBJECT

public:
    // activeSection gives the page number (1..10) of the section that shows.
    HelpLauncher(UiServices &ui, std::function<int()> activeSection, QObject *parent = nullptr);
    ~HelpLauncher() override;

    void showContents();
    void showIndex();
    void showHowTo();
    // The page F1 leads to when pressed in that widget (a menu, a dialog,
    // the main window or anything inside them).
    QString pageFor(QWidget *focus) const;
    // The window, made on first use; null, after telling the user why and
    // where the help was looked for, when it is not installed or cannot be
    // opened. Every request looks again until it is found.
    HelpWindow *window();
    // Where the help collection is looked for (HelpWindow's places unless
    // set).
    void setCollectionCandidates(const QStringList &candidates) { m_candidates = candidates; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage(const QString &page);
    static int menuContext(const QMenu *menu);

    UiServices &m_ui;
    std::function<int()> m_activeSection;
    QStringList m_candidates;
    QPointer<HelpWindow> m_window;
};

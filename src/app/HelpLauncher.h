#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class HelpWindow;
class QMenu;

// Opens the help window from the "&Aide" menu and answers F1 anywhere in the
// program with the page of what the user is looking at: the open menu, the
// dialog or utility window, or else the section that shows.
class HelpLauncher : public QObject
{
    Q_OBJECT

public:
    // activeSection gives the page number (1..10) of the section that shows.
    explicit HelpLauncher(std::function<int()> activeSection, QObject *parent = nullptr);
    ~HelpLauncher() override;

    void showContents();
    void showIndex();
    void showHowTo();
    // The page F1 leads to when pressed in that widget (a menu, a dialog,
    // the main window or anything inside them).
    QString pageFor(QWidget *focus) const;
    // The window, made on first use; null when no help is installed.
    HelpWindow *window();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showPage(const QString &page);
    static int menuContext(const QMenu *menu);

    std::function<int()> m_activeSection;
    QPointer<HelpWindow> m_window;
    bool m_tried = false;
};

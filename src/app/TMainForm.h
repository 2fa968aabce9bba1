#pragma once

#include <QDate>
#include <QHash>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>

class Clock;
class HelpLauncher;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;
class ReminderService;
class TChild;
class UiServices;
class UtilityWindows;

// The frame of the program: menu bar, tool bar, status bar with hints and a
// clock, and the one document window. Every command is a thin forwarder to
// the document window or to a utility window, set up from one table.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    // `startDirectory`: the folder the program was started from, where its
    // own small files live (settings, remembered lists, notepad, help).
    TMainForm(UiServices &ui, const Clock &clock, const QString &startDirectory, QWidget *parent = nullptr);
    ~TMainForm() override;

    TChild *child() const { return m_child; }
    HelpLauncher *help() const { return m_help; }
    const QString &fileName() const { return m_fileName; }
    const QString &startDirectory() const { return m_startDirectory; }

    // File commands.
    void FileNew();
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    void FilePrinterSetup();
    // The close query: true when the window may close.
    bool CloseQuery();
    void ToggleAutoOpen();
    // The reminders of the open document while the window runs (the
    // program does it at start; tests do not).
    void startReminders();
    // Shows the week of `day` and brings the window to the front.
    void showWeek(QDate day);

    // Runs a print routine between "Imprime..." and a cleared status panel.
    void runPrint(const std::function<void()> &print);

    // Binds `handler` to the command named `objectName` (its menu item, or
    // its tool bar button) in place of what it did; the menu item and the
    // button run it alike. False when there is no such command.
    bool setHandler(const QString &objectName, std::function<void()> handler);
    UiServices &ui() const { return m_ui; }
    UtilityWindows &utilities() const { return *m_utilities; }

    QAction *action(const QString &objectName) const;
    QToolButton *toolButton(const QString &objectName) const;
    QLabel *hintPanel() const { return m_hintPanel; }
    QLabel *clockPanel() const { return m_clockPanel; }

    // The size a window of this width starts with: maximised on a screen at
    // most 800 pixels wide, 800 x 600 otherwise.
    static bool startsMaximised(int screenWidth) { return screenWidth <= 800; }

    // The document file name for a path chosen in the open or save dialog:
    // its file-name part cut at the first "." and ".Orz" appended.
    static QString documentNameFor(const QString &chosenPath);
    // Opens the document set a path names, as Open does with the path the
    // user chose (the command line's document).
    void openDocument(const QString &path);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    void createCommands();
    void enableChanges(bool readOnly);
    void run(const QString &command);
    void FormShow();
    void refreshClock();
    // The automatic synchronisation of a document just opened.
    void synchroniseLater();
    // What follows every save: the recent list, the remembered statement
    // imports, the automatic synchronisation.
    void documentSaved();
    // Asks about unsaved changes; false when the user cancels (or the save
    // that was asked for did not happen).
    bool saveChangesFirst();
    bool anyFileOfSetExists(const QString &documentPath) const;
    // Where the open and save dialogs start.
    QString dialogFolder() const;
    // "Documents &récents", kept in a file of the start directory.
    QString recentFile() const;
    QStringList recentDocuments() const;
    void rememberRecent();
    void fillRecent(QMenu *menu);

    UiServices &m_ui;
    const Clock &m_clock;
    TChild *m_child = nullptr;
    class QToolBar *m_toolBar = nullptr;
    QString m_fileName;
    QString m_startDirectory;
    QLabel *m_hintPanel = nullptr;
    QLabel *m_clockPanel = nullptr;
    QTimer *m_clockTimer = nullptr;
    QAction *m_autoOpen = nullptr;
    HelpLauncher *m_help = nullptr;
    ReminderService *m_reminders = nullptr;
    bool m_shown = false;
    std::unique_ptr<UtilityWindows> m_utilities;

    // What each command runs, by the object name of its menu item (of its
    // button for the tool bar only ones).
    QHash<QString, std::function<void()>> m_commands;
    QHash<QString, QString> m_commandOfButton;
};

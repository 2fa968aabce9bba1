#pragma once

#include "common/Notices.h"

#include <QMessageBox>
#include <QString>

#include <optional>

class QDialog;
class QPrinter;
class QWidget;

// Every modal question, message, input box, file dialog, print dialog and
// modal window of the program goes through this interface, so that tests can
// script the answers (tests/support/ScriptedUiServices) and the program's
// logic never blocks in a dialog of its own.
class UiServices
{
public:
    enum class Icon
    {
        None,
        Information,
        Warning,
        Question,
        Critical
    };

    virtual ~UiServices() = default;

    // A message box with the given buttons; returns the button chosen (the
    // escape button when the box is closed).
    virtual QMessageBox::StandardButton message(QWidget *parent, const QString &text, Icon icon,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                                const QString &title = QString()) = 0;

    // A one-line input box with caption, prompt and default text; nothing
    // when the user cancels.
    virtual std::optional<QString> inputBox(QWidget *parent, const QString &caption, const QString &prompt,
                                            const QString &defaultText) = 0;

    // File dialogs; an empty string when the user cancels. `pattern` is the
    // proposed file name ("*.orz"), `filter` the Qt filter text.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &pattern, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &directory,
                                 const QString &pattern, const QString &filter) = 0;

    // The print dialog and the printer set-up dialog; true when confirmed.
    virtual bool printDialog(QWidget *parent, QPrinter *printer) = 0;
    virtual bool printerSetup(QWidget *parent, QPrinter *printer) = 0;

    // Runs a modal window or dialog and returns its result code
    // (QDialog::Accepted or QDialog::Rejected).
    virtual int exec(QDialog *dialog) = 0;

    // Shorthands for the message forms the program uses.
    void showMessage(QWidget *parent, const QString &text) { message(parent, text, Icon::None, QMessageBox::Ok); }
    void showError(QWidget *parent, const QString &text) { message(parent, text, Icon::Critical, QMessageBox::Ok); }
    bool askYesNo(QWidget *parent, const QString &text, Icon icon = Icon::Question)
    {
        return message(parent, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
};

// Notices shown in message boxes over `parent`.
class DialogNotices final : public Notices
{
public:
    DialogNotices(UiServices &ui, QWidget *parent) : m_ui(ui), m_parent(parent) {}
    void tell(const QString &text, Kind kind) override;
    bool ask(const QString &text) override;

private:
    UiServices &m_ui;
    QWidget *m_parent;
};

// The real dialogs.
class WidgetUiServices final : public UiServices
{
public:
    QMessageBox::StandardButton message(QWidget *parent, const QString &text, Icon icon,
                                        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                                        const QString &title) override;
    std::optional<QString> inputBox(QWidget *parent, const QString &caption, const QString &prompt,
                                    const QString &defaultText) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &pattern,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &directory, const QString &pattern,
                         const QString &filter) override;
    bool printDialog(QWidget *parent, QPrinter *printer) override;
    bool printerSetup(QWidget *parent, QPrinter *printer) override;
    int exec(QDialog *dialog) override;
};

#pragma once

#include "common/UiServices.h"

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>

// UiServices for tests: answers come from queues the test fills beforehand,
// and everything shown is recorded.
//
// With nothing queued: a message box answers Ok when it has an Ok button,
// else the escape answer (Cancel, No); an input box and a file dialog are
// cancelled; a print dialog is cancelled; a modal dialog is rejected.
class ScriptedUiServices final : public UiServices
{
public:
    struct Shown
    {
        QString kind{}; // "message", "input", "open", "save", "print", "setup", "dialog"
        QString text{}; // message text, input prompt, dialog object name
        Icon icon = Icon::None;
        QMessageBox::StandardButtons buttons{};
        QString title{};
        QString proposed{}; // the text an input box offered; a file dialog's folder "|" filter
    };

    // A dialog script receives the dialog (shown or not, as the test likes),
    // fills its fields and returns the result code.
    using DialogScript = std::function<int(QDialog *)>;

    // A test that queued an answer the code never asked for fails: the path
    // it meant to script was not taken.
    ~ScriptedUiServices() override;

    void answer(QMessageBox::StandardButton b) { m_answers.push_back(b); }
    // Queued as a null string: cancel (an answer, even empty, is never null).
    void input(std::optional<QString> text)
    {
        m_inputs.push_back(!text ? QString() : text->isNull() ? QStringLiteral("") : *text);
    }
    void fileName(const QString &path) { m_files.push_back(path); }
    void print(bool confirm) { m_prints.push_back(confirm); }
    void dialog(DialogScript script) { m_dialogs.push_back(std::move(script)); }

    const QList<Shown> &shown() const { return m_shown; }
    QStringList messages() const; // texts of the message boxes, in order
    QString lastMessage() const;
    void clear();
    bool allAnswersUsed() const;

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

private:
    QList<Shown> m_shown;
    std::deque<QMessageBox::StandardButton> m_answers;
    std::deque<QString> m_inputs;
    std::deque<QString> m_files;
    std::deque<bool> m_prints;
    std::deque<DialogScript> m_dialogs;
};

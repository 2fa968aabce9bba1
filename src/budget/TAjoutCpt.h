#pragma once

#include <QDialog>
#include <QString>

#include <utility>

class QLineEdit;
class QPushButton;
class UiServices;

// Adds or changes one account: its name ("Intitulé") and initial balance
// ("Solde initial"). The caller sets the caption.
//
// Given a name, the dialog is in change mode: the name cannot be edited and
// the balance box has the focus. The balance box takes only the digits and
// one comma (no sign, no Backspace); Enter acts as OK.
class TAjoutCpt : public QDialog
{
    Q_OBJECT

public:
    explicit TAjoutCpt(UiServices &ui, QWidget *parent = nullptr);

    void Init(const QString &name, const QString &balance);
    // Name as typed and balance completed ("1500" -> "1500,00",
    // "12,5" -> "12,50"); both empty unless the dialog was closed with OK.
    std::pair<QString, QString> Result() const;

    // OK: refuses a name too long for a 3-digit account code, with a message,
    // and keeps the dialog open.
    void accept() override;

    // The message shown for such a name.
    static QString tooLongMessage(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    UiServices &m_ui;
    QLineEdit *m_name = nullptr;    // Edit1
    QLineEdit *m_balance = nullptr; // Edit2
    bool m_changeMode = false;
};

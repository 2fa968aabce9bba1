#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QListWidget;
class UiServices;

// "Gestion des comptes": the accounts with their initial balances (see
// AccountLine for the line layout) and the total of the balances.
class TComptes : public QDialog
{
    Q_OBJECT

public:
    explicit TComptes(UiServices &ui, QWidget *parent = nullptr);

    // The account lines to show (name, no-break spaces, balance).
    void Init(const QStringList &lines);
    QStringList Result() const;
    // Empties the account box and adds the name of every account, in order.
    void LitComptes(QComboBox *box) const;

    void SoldeTot();
    void Button1Click(); // Ajouter
    void Button2Click(); // Modifier
    void Button3Click(); // Supprimer

    static QString usedMessage();                        // "Ce compte est déjà utilisé"
    static QString confirmDeletion(const QString &line); // "Supprimer le compte ... ?"
    static QString duplicateMessage(const QString &name);
    static QString sameCodeMessage(const QString &name, const QString &other);

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool hasAccount(const QString &name, int except) const;
    QString accountWithCode(const QString &code) const;

    UiServices &m_ui;
    QListWidget *m_list = nullptr; // ListBox1
    QLineEdit *m_total = nullptr;  // Edit1
};

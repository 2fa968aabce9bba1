#pragma once

#include "contacts/ContactForm.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

// The contact dialog "Saisie de l'adresse": thirteen entries Edit1 .. Edit13
// that make the seven fields of a contact (ContactForm). Enter in Edit8 to
// Edit13 acts as OK; in the first seven entries it moves to the next one.
class TCsaisie : public QDialog
{
    Q_OBJECT

public:
    explicit TCsaisie(QWidget *parent = nullptr);

    // Fills the entries from the seven fields of a contact.
    void Init(const QStringList &fields);
    // The seven fields rebuilt from the entries; all empty unless OK closed
    // the dialog.
    QStringList Result() const;

    QLineEdit *edit(int n) const { return m_edits.at(n - 1); } // 1..13

private:
    // OK stays disabled, with the reason shown, while the entries make a
    // line longer than a contact's line can hold.
    void checkLength();

    std::array<QLineEdit *, ContactForm::EntryCount> m_edits{};
    QLabel *m_tooLong = nullptr;
    QPushButton *m_ok = nullptr;
};

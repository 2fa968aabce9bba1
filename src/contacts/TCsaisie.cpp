#include "contacts/TCsaisie.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

TCsaisie::TCsaisie(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Csaisie"));
    setWindowTitle(QStringLiteral("Saisie de l'adresse"));

    auto *form = new QFormLayout;
    for (int i = 0; i < ContactForm::EntryCount; ++i) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        // Each entry takes what the contact's line can hold, checked as a
        // whole; the old limits stay as the entries' widths.
        e->setMaxLength(int(ContactForm::MaxLineText));
        e->setMinimumWidth(e->fontMetrics().averageCharWidth() * std::min(ContactForm::limit(i), 30) + 12);
        auto *label = new QLabel(ContactForm::label(i), this);
        label->setBuddy(e);
        form->addRow(label, e);
        m_edits[i] = e;
    }

    m_tooLong = new QLabel(this);
    m_tooLong->setObjectName(QStringLiteral("TooLongLabel"));
    m_tooLong->setWordWrap(true);
    m_tooLong->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_tooLong->hide();

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    auto *cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    // Enter must not close the dialog from the first seven entries, so no
    // button takes Enter on its own; Escape still cancels.
    m_ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (int i = 0; i < ContactForm::EntryCount; ++i) {
        connect(m_edits[i], &QLineEdit::textChanged, this, &TCsaisie::checkLength);
        if (i >= ContactForm::Ville)
            connect(m_edits[i], &QLineEdit::returnPressed, m_ok, &QPushButton::click);
        else
            connect(m_edits[i], &QLineEdit::returnPressed, m_edits[i + 1],
                    [this, i] { m_edits[i + 1]->setFocus(Qt::TabFocusReason); });
    }

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_tooLong);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize); // fixed dialog border

    m_edits[0]->setFocus();
}

void TCsaisie::Init(const QStringList &fields)
{
    const ContactForm f = ContactForm::fromFields(fields);
    for (int i = 0; i < ContactForm::EntryCount; ++i) {
        const QString &text = f.entries[i];
        // A line from elsewhere (an import) may hold a longer part than the
        // dialog lets one type; the entry takes it whole rather than cutting
        // it, and is made wide enough to show it whole (within reason).
        m_edits[i]->setMaxLength(std::max<int>(int(ContactForm::MaxLineText), text.size()));
        m_edits[i]->setText(text);
        const int wide = m_edits[i]->fontMetrics().horizontalAdvance(text) + 24;
        m_edits[i]->setMinimumWidth(std::clamp(wide, m_edits[i]->minimumWidth(), 1000));
    }
    m_edits[0]->setFocus();
}

void TCsaisie::checkLength()
{
    ContactForm f;
    for (int i = 0; i < ContactForm::EntryCount; ++i)
        f.entries[i] = m_edits[i]->text();
    const QString reason = f.tooLong();
    m_tooLong->setText(reason);
    m_tooLong->setVisible(!reason.isEmpty());
    m_ok->setEnabled(reason.isEmpty());
}

QStringList TCsaisie::Result() const
{
    if (result() != QDialog::Accepted)
        return QStringList(ContactForm::FieldCount, QString());
    ContactForm f;
    for (int i = 0; i < ContactForm::EntryCount; ++i)
        f.entries[i] = m_edits[i]->text();
    return f.toFields();
}

#include "contacts/TNoteAnniv.h"

#include "common/DateText.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TNoteAnniv::TNoteAnniv(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("NoteAnniv"));
    setWindowTitle(QStringLiteral("NoteAnniv"));

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("DateTimePicker1"));
    m_date->setCalendarPopup(true);
    const QLocale locale = DateText::appLocale();
    m_date->setLocale(locale);
    m_date->setDisplayFormat(locale.dateFormat(QLocale::ShortFormat));

    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("Edit1"));
    m_description->setMinimumWidth(m_description->fontMetrics().averageCharWidth() * 40);

    auto *form = new QFormLayout;
    auto *dateLabel = new QLabel(QStringLiteral("Date"), this);
    dateLabel->setBuddy(m_date);
    auto *descriptionLabel = new QLabel(QStringLiteral("Description"), this);
    descriptionLabel->setBuddy(m_description);
    form->addRow(dateLabel, m_date);
    form->addRow(descriptionLabel, m_description);

    auto *cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    cancel->setAutoDefault(false);
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_description, &QLineEdit::returnPressed, ok, &QPushButton::click);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_description->setFocus();
}

void TNoteAnniv::Init(const QString &description, QDate date)
{
    m_description->setText(description);
    if (date.isValid())
        m_date->setDate(date);
    m_description->setFocus();
}

TNoteAnniv::Answer TNoteAnniv::Result() const
{
    if (result() != QDialog::Accepted)
        return {m_date->date(), QString()};
    return {m_date->date(), m_description->text()};
}

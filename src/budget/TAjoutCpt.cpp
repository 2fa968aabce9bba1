#include "budget/TAjoutCpt.h"

#include "budget/AccountLine.h"
#include "budget/BudgetFormat.h"
#include "common/UiServices.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

TAjoutCpt::TAjoutCpt(UiServices &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("TAjoutCpt"));

    auto *nameLabel = new QLabel(QStringLiteral("Intitulé"), this);
    nameLabel->setObjectName(QStringLiteral("Label1"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("Edit1"));
    m_name->setMaxLength(40);
    nameLabel->setBuddy(m_name);

    auto *balanceLabel = new QLabel(QStringLiteral("Solde initial"), this);
    balanceLabel->setObjectName(QStringLiteral("Label2"));
    m_balance = new QLineEdit(this);
    m_balance->setObjectName(QStringLiteral("Edit2"));
    m_balance->setAlignment(Qt::AlignRight);
    m_balance->setMaxLength(15);
    m_balance->installEventFilter(this);
    // A paste goes round the key filter: it is held to the same characters.
    m_balance->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*,?[0-9]*")), m_balance));
    balanceLabel->setBuddy(m_balance);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("Button2"));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TAjoutCpt::accept);
    connect(cancel, &QPushButton::clicked, this, &TAjoutCpt::reject);

    auto *grid = new QGridLayout;
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(balanceLabel, 1, 0);
    grid->addWidget(m_balance, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    setMinimumWidth(300);
}

void TAjoutCpt::Init(const QString &name, const QString &balance)
{
    m_name->setText(name);
    m_balance->setText(balance);
    m_changeMode = !name.isEmpty();
    m_name->setReadOnly(m_changeMode);
    m_name->setFocusPolicy(m_changeMode ? Qt::NoFocus : Qt::StrongFocus);
    (m_changeMode ? m_balance : m_name)->setFocus(Qt::OtherFocusReason);
}

void TAjoutCpt::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    (m_changeMode ? m_balance : m_name)->setFocus(Qt::OtherFocusReason);
}

std::pair<QString, QString> TAjoutCpt::Result() const
{
    if (result() != QDialog::Accepted)
        return {};
    return {m_name->text(), AccountLine::completeBalance(m_balance->text())};
}

QString TAjoutCpt::tooLongMessage(const QString &name)
{
    return QStringLiteral("Le nom de compte « %1 » est trop long : choisissez un nom plus court.").arg(name);
}

void TAjoutCpt::accept()
{
    const QString name = AccountLine::cleanName(m_name->text());
    if (!BudgetFormat::accountCodeFits(name)) {
        m_ui.showError(this, tooLongMessage(name));
        m_name->setFocus(Qt::OtherFocusReason);
        return;
    }
    QDialog::accept();
}

bool TAjoutCpt::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_balance && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false; // OK
        const QString t = key->text();
        if (t.isEmpty())
            return false; // arrows, Delete, Home, End
        const QChar c = t[0];
        if (c >= u'0' && c <= u'9')
            return false;
        // One comma at most: a second would make the balance unreadable.
        if (c == u',' && (!m_balance->text().contains(u',') || m_balance->selectedText().contains(u',')))
            return false;
        return true; // everything else, Backspace and "-" included
    }
    return QDialog::eventFilter(watched, event);
}

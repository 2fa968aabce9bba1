#include "budget/TComptes.h"

#include "budget/AccountLine.h"
#include "budget/BudgetFormat.h"
#include "budget/TAjoutCpt.h"
#include "common/UiServices.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QVBoxLayout>

TComptes::TComptes(UiServices &ui, QWidget *parent) : QDialog(parent), m_ui(ui)
{
    setObjectName(QStringLiteral("TComptes"));
    setWindowTitle(QStringLiteral("Gestion des comptes"));

    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto *headerModel = new QStandardItemModel(0, 2, this);
    headerModel->setHorizontalHeaderLabels({QStringLiteral("Libellé"), QStringLiteral("    Solde")});
    auto *header = new QHeaderView(Qt::Horizontal, this);
    header->setObjectName(QStringLiteral("Header1"));
    header->setModel(headerModel);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->resizeSection(0, 165);
    header->resizeSection(1, 69);
    header->setFixedHeight(header->sizeHint().height());

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setFont(fixed);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { Button2Click(); });

    auto *totalLabel = new QLabel(QStringLiteral("Solde total"), this);
    totalLabel->setObjectName(QStringLiteral("Label1"));
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("Edit1"));
    m_total->setReadOnly(true);
    m_total->setFont(fixed);
    m_total->setFocusPolicy(Qt::NoFocus);
    totalLabel->setBuddy(m_total);

    auto *add = new QPushButton(QStringLiteral("Ajouter"), this);
    add->setObjectName(QStringLiteral("Button1"));
    auto *change = new QPushButton(QStringLiteral("Modifier"), this);
    change->setObjectName(QStringLiteral("Button2"));
    auto *remove = new QPushButton(QStringLiteral("Supprimer"), this);
    remove->setObjectName(QStringLiteral("Button3"));
    auto *ok = new QPushButton(QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("Button4"));
    for (QPushButton *b : {add, change, remove})
        b->setAutoDefault(false);
    ok->setDefault(true);
    connect(add, &QPushButton::clicked, this, &TComptes::Button1Click);
    connect(change, &QPushButton::clicked, this, &TComptes::Button2Click);
    connect(remove, &QPushButton::clicked, this, &TComptes::Button3Click);
    connect(ok, &QPushButton::clicked, this, &TComptes::accept);

    auto *left = new QVBoxLayout;
    left->setSpacing(0);
    left->addWidget(header);
    left->addWidget(m_list);
    auto *totalLine = new QHBoxLayout;
    totalLine->addWidget(totalLabel);
    totalLine->addWidget(m_total);
    left->addSpacing(6);
    left->addLayout(totalLine);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(change);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(420, 300);
}

void TComptes::Init(const QStringList &lines)
{
    m_list->clear();
    m_list->addItems(lines);
    SoldeTot();
}

QStringList TComptes::Result() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->text();
    return out;
}

void TComptes::LitComptes(QComboBox *box) const
{
    box->clear();
    for (const QString &line : Result())
        box->addItem(AccountLine::name(line));
}

void TComptes::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    SoldeTot();
}

void TComptes::SoldeTot()
{
    m_total->setText(AccountLine::balanceTotal(Result()));
}

bool TComptes::hasAccount(const QString &name, int except) const
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (i != except && AccountLine::name(m_list->item(i)->text()).trimmed() == name)
            return true;
    }
    return false;
}

QString TComptes::accountWithCode(const QString &code) const
{
    for (int i = 0; i < m_list->count(); ++i) {
        const QString other = AccountLine::name(m_list->item(i)->text()).trimmed();
        if (BudgetFormat::accountCode(other) == code)
            return other;
    }
    return QString();
}

QString TComptes::sameCodeMessage(const QString &name, const QString &other)
{
    return QStringLiteral("Le compte « %1 » serait confondu avec le compte « %2 » (même code) : "
                          "choisissez un autre nom.")
        .arg(name, other);
}

QString TComptes::usedMessage()
{
    return QStringLiteral("Ce compte est déjà utilisé");
}

QString TComptes::confirmDeletion(const QString &line)
{
    return QStringLiteral("Supprimer le compte ") + line + QStringLiteral(" ?");
}

QString TComptes::duplicateMessage(const QString &name)
{
    return QStringLiteral("Le compte « %1 » existe déjà.").arg(name);
}

void TComptes::Button1Click()
{
    TAjoutCpt dialog(m_ui, this);
    dialog.setWindowTitle(QStringLiteral("Ajouter compte"));
    dialog.Init(QString(), QString());
    m_ui.exec(&dialog);
    const auto [typed, balance] = dialog.Result();
    const QString name = AccountLine::cleanName(typed);
    if (name.isEmpty())
        return;
    if (!BudgetFormat::accountCodeFits(name)) {
        m_ui.showError(this, TAjoutCpt::tooLongMessage(name));
        return;
    }
    if (hasAccount(name, -1)) {
        m_ui.showError(this, duplicateMessage(name));
        return;
    }
    // Months are filed under the account code, the sum of the name's
    // characters: a name with the same sum as another account ("Compte 12"
    // and "Compte 21") would share that account's months.
    const QString twin = accountWithCode(BudgetFormat::accountCode(name));
    if (!twin.isEmpty()) {
        m_ui.showError(this, sameCodeMessage(name, twin));
        return;
    }
    m_list->addItem(AccountLine::make(name, balance));
    m_list->setCurrentRow(-1);
    SoldeTot();
}

void TComptes::Button2Click()
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected())
        return;
    const QString line = m_list->item(row)->text();
    TAjoutCpt dialog(m_ui, this);
    dialog.setWindowTitle(QStringLiteral("Modifier compte"));
    dialog.Init(AccountLine::name(line).trimmed(), AccountLine::balance(line));
    m_ui.exec(&dialog);
    const auto [typed, balance] = dialog.Result();
    const QString name = AccountLine::cleanName(typed);
    if (name.isEmpty())
        return;
    m_list->item(row)->setText(AccountLine::make(name, balance));
    SoldeTot();
}

void TComptes::Button3Click()
{
    const int row = m_list->currentRow();
    if (row < 0 || !m_list->item(row)->isSelected())
        return;
    const QString line = m_list->item(row)->text();
    if (AccountLine::isUsed(line)) {
        m_ui.showMessage(this, usedMessage());
        return;
    }
    if (m_ui.message(this, confirmDeletion(line), UiServices::Icon::Question, QMessageBox::Ok | QMessageBox::Cancel,
                     QMessageBox::Cancel)
        == QMessageBox::Ok)
        delete m_list->takeItem(row);
    SoldeTot();
}

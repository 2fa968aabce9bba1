#include "budget/NamedListEditor.h"

#include "common/UiServices.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

NamedListEditor::NamedListEditor(const NamedListKind &kind, UiServices &ui, QWidget *parent)
    : QDialog(parent), m_kind(kind), m_ui(ui)
{
    setObjectName(kind.className);
    setWindowTitle(kind.caption);

    m_listBox = new QListWidget(this);
    m_listBox->setObjectName(QStringLiteral("ListBox1"));
    m_listBox->setSelectionMode(QAbstractItemView::SingleSelection);

    auto *label = new QLabel(kind.label, this);
    label->setObjectName(QStringLiteral("Label1"));
    m_entry = new QLineEdit(this);
    m_entry->setObjectName(QStringLiteral("Edit1"));
    label->setBuddy(m_entry);
    // Enter adds the entry; it does not close the editor.
    connect(m_entry, &QLineEdit::returnPressed, this, &NamedListEditor::Button4Click);

    auto button = [this](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    QPushButton *add = button("Button4", QStringLiteral("Ajouter"));
    QPushButton *send = button("Button5", QStringLiteral("Envoi"));
    QPushButton *change = button("Button2", QStringLiteral("Modifier"));
    QPushButton *remove = button("Button3", QStringLiteral("Supprimer"));
    QPushButton *ok = button("Button1", QStringLiteral("OK"));
    connect(add, &QPushButton::clicked, this, &NamedListEditor::Button4Click);
    connect(send, &QPushButton::clicked, this, &NamedListEditor::Button4Click);
    connect(change, &QPushButton::clicked, this, &NamedListEditor::Button2Click);
    connect(remove, &QPushButton::clicked, this, &NamedListEditor::Button3Click);
    connect(ok, &QPushButton::clicked, this, &NamedListEditor::accept);
    connect(m_listBox, &QListWidget::itemDoubleClicked, this, &NamedListEditor::Button2Click);

    auto *entryLine = new QHBoxLayout;
    entryLine->addWidget(m_entry, 1);
    entryLine->addWidget(send);
    auto *left = new QVBoxLayout;
    left->addWidget(m_listBox, 1);
    left->addWidget(label);
    left->addLayout(entryLine);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(change);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    resize(360, 320);
}

void NamedListEditor::Init(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    m_list = NamedList(items);
    showList(-1);
    m_entry->clear();
}

void NamedListEditor::Result(QComboBox *box) const
{
    box->clear();
    box->addItems(m_list.entries());
}

void NamedListEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_listBox->setCurrentRow(-1);
    m_listBox->clearSelection();
    m_entry->setFocus(Qt::OtherFocusReason);
}

void NamedListEditor::showList(int select)
{
    m_listBox->clear();
    m_listBox->addItems(m_list.entries());
    m_listBox->setCurrentRow(-1);
    m_listBox->clearSelection();
    if (select >= 0)
        m_listBox->scrollToItem(m_listBox->item(select));
}

int NamedListEditor::selectedRow() const
{
    const int row = m_listBox->currentRow();
    if (row < 0 || !m_listBox->item(row)->isSelected())
        return -1;
    return row;
}

void NamedListEditor::Button4Click()
{
    const QString text = m_entry->text().trimmed();
    if (text.isEmpty())
        return;
    const int selected = selectedRow();
    const int at = selected >= 0 ? m_list.replace(selected, text) : m_list.add(text, m_kind.smallFirst);
    showList(at);
    m_entry->clear();
    m_entry->setFocus(Qt::OtherFocusReason);
}

void NamedListEditor::Button2Click()
{
    const int row = selectedRow();
    if (row < 0 || row >= m_list.size())
        return;
    m_entry->setText(m_list.entries().at(row));
    m_entry->setFocus(Qt::OtherFocusReason);
}

void NamedListEditor::Button3Click()
{
    const int row = selectedRow();
    const QString entry = m_list.entries().value(row);
    switch (m_list.deletion(row)) {
    case NamedList::Deletion::NoSuchEntry: return;
    case NamedList::Deletion::Protected: m_ui.showMessage(this, NamedList::protectedMessage()); return;
    case NamedList::Deletion::Used: m_ui.showMessage(this, NamedList::usedMessage()); return;
    case NamedList::Deletion::Allowed: break;
    }
    if (m_ui.message(this, NamedList::confirmDeletion(entry), UiServices::Icon::Question,
                     QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
        == QMessageBox::Ok)
        m_list.remove(row);
    showList(-1);
    m_entry->clear();
}

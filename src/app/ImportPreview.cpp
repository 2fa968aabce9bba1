#include "app/ImportPreview.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ImportPreview::ImportPreview(const QString &title, const ExchangeItems &items, const QStringList &fileNotes,
                             QWidget *parent)
    : QDialog(parent), m_items(items)
{
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(title);
    resize(720, 420);

    using S = ExchangeItem::Status;
    QString counts = QStringLiteral("%1 à ajouter, %2 déjà présent(s), %3 refusé(s).")
                         .arg(countOf(items, S::New))
                         .arg(countOf(items, S::Present))
                         .arg(countOf(items, S::Refused));
    for (const QString &note : fileNotes)
        counts += u'\n' + note;
    auto *summary = new QLabel(counts, this);
    summary->setObjectName(QStringLiteral("SummaryLabel"));

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ItemList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("Entrée"), QStringLiteral("Destination"), QStringLiteral("État"), QStringLiteral("Remarque")});
    for (const ExchangeItem &item : items) {
        auto *row =
            new QTreeWidgetItem(m_list, {item.label, item.place, ExchangeItem::statusText(item.status), item.note});
        row->setToolTip(3, item.note); // a long reason shows whole on hovering
        if (item.status == S::New) {
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(0, Qt::Checked);
        } else {
            row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
        }
    }
    for (int c = 0; c < 3; ++c)
        m_list->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);

    layOut(*this, summary, m_list, countOf(items, S::New) > 0);
}

void ImportPreview::layOut(QDialog &dialog, QWidget *summary, QWidget *list, bool importable)
{
    auto *buttons = new QDialogButtonBox(&dialog);
    QPushButton *ok = buttons->addButton(QStringLiteral("Importer"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ImportButton"));
    ok->setEnabled(importable);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(summary);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
}

QStringList ImportPreview::chosenLines() const
{
    QStringList lines;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (m_items.at(i).status == ExchangeItem::Status::New && m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            lines << m_items.at(i).line;
    }
    return lines;
}

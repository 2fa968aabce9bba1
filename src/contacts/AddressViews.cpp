#include "contacts/AddressViews.h"

#include "contacts/ContactForm.h"

#include <QSize>

void AddressSummaryModel::refresh()
{
    beginResetModel();
    endResetModel();
}

int AddressSummaryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_book.page().size());
}

int AddressSummaryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QVariant AddressSummaryModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const QStringList &fields = m_book.page().at(index.row()).fields;
    return index.column() == 0 ? fields.value(0) : ContactForm::telephoneColumn(fields.value(4));
}

QVariant AddressSummaryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? QStringLiteral("Nom") : QStringLiteral("Téléphone");
}

void AddressBlockModel::refresh()
{
    beginResetModel();
    endResetModel();
}

void AddressBlockModel::setSeparator(const QString &separator)
{
    if (separator == m_separator)
        return;
    m_separator = separator;
    if (const int rows = rowCount(); rows > 0)
        emit dataChanged(index(0), index(rows - 1), {Qt::DisplayRole});
}

int AddressBlockModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_book.page().size()) * LinesPerContact;
}

QVariant AddressBlockModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::SizeHintRole)
        return QSize(0, 20);
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int line = index.row() % LinesPerContact;
    if (line == LinesPerContact - 1)
        return m_separator;
    return m_book.page().at(index.row() / LinesPerContact).fields.value(line);
}

#include "budget/BudgetGridModel.h"

#include "budget/BudgetGrid.h"

BudgetGridModel::BudgetGridModel(const BudgetGrid &grid, QObject *parent) : QAbstractTableModel(parent), m_grid(grid) {}

int BudgetGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : BudgetGrid::Rows;
}

int BudgetGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : BudgetGrid::Columns;
}

QVariant BudgetGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const bool amount = index.column() == BudgetGrid::Expense || index.column() == BudgetGrid::Income;
    switch (role) {
    case Qt::DisplayRole:
        return amount ? m_grid.cell(index.row(), index.column()).trimmed() : m_grid.cell(index.row(), index.column());
    case Qt::EditRole: return m_grid.cell(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return amount ? int(Qt::AlignRight | Qt::AlignVCenter) : int(Qt::AlignLeft | Qt::AlignVCenter);
    default: return {};
    }
}

void BudgetGridModel::refresh()
{
    emit dataChanged(index(0, 0), index(BudgetGrid::Rows - 1, BudgetGrid::Columns - 1));
}

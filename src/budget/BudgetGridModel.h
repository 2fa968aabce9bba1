#pragma once

#include <QAbstractTableModel>

class BudgetGrid;

// Shows the budget grid (6 columns x 128 rows of text) in the journal view.
// The cells are the stored texts; the amount columns are drawn right-aligned
// whatever their padding.
class BudgetGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit BudgetGridModel(const BudgetGrid &grid, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The grid changed: every cell is shown again (the current row stays).
    void refresh();

private:
    const BudgetGrid &m_grid;
};

#pragma once

#include <QListWidget>

// A list whose selection the page makes itself: clicks and arrow keys only
// move the current line, and the page selects the whole block of lines that
// line belongs to (ListBox8 of the address book selects one contact's seven
// lines at a time). Without this the view would replace the page's
// selection with the clicked line right after the page made it.
class BlockListWidget : public QListWidget
{
public:
    using QListWidget::QListWidget;

    // Select-all (Ctrl+A) would leave no single contact selected.
    void selectAll() override {}

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override
    {
        Q_UNUSED(index);
        Q_UNUSED(event);
        return QItemSelectionModel::NoUpdate;
    }
};

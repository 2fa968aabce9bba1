#pragma once

#include "contacts/AddressBook.h"

#include <QAbstractListModel>
#include <QAbstractTableModel>
#include <QListView>

// The address page's two views read the page of the book in place: a page
// of tens of thousands of contacts (a file from elsewhere) shows at once,
// where items built one by one took seconds.

// ListView1: one row per contact, the name line and the telephone column.
class AddressSummaryModel : public QAbstractTableModel
{
public:
    explicit AddressSummaryModel(const AddressBook &book, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_book(book)
    {
    }

    // The book's page changed: the views read it again.
    void refresh();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const AddressBook &m_book;
};

// ListBox8: the seven lines of each contact, then a line of dashes.
class AddressBlockModel : public QAbstractListModel
{
public:
    static constexpr int LinesPerContact = 8;

    explicit AddressBlockModel(const AddressBook &book, QObject *parent = nullptr)
        : QAbstractListModel(parent), m_book(book)
    {
    }

    void refresh();
    // The line of dashes, as wide as the view.
    void setSeparator(const QString &separator);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    const AddressBook &m_book;
    QString m_separator = QStringLiteral("-");
};

// A list whose selection the page makes itself: clicks and arrow keys only
// move the current line, and the page selects the whole block of lines that
// line belongs to (one contact's seven lines at a time). Without this the
// view would replace the page's selection with the clicked line right after
// the page made it.
class BlockListView : public QListView
{
public:
    using QListView::QListView;

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

#include "agenda/DayList.h"

#include "agenda/AgendaOrder.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>

DayList::DayList(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A message too long for the column goes on over several lines: nothing
    // typed is cut, whatever the font's size.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWordWrap(true);
    setTextElideMode(Qt::ElideNone);
    setResizeMode(QListView::Adjust);
}

QListWidgetItem *DayList::makeItem(const QString &text) const
{
    auto *item = new QListWidgetItem(text);
    item->setToolTip(text);
    return item;
}

QStringList DayList::items() const
{
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out.append(item(i)->text());
    return out;
}

void DayList::setItems(QStringList texts)
{
    std::stable_sort(texts.begin(), texts.end(), AgendaOrder::itemLess);
    clear();
    for (const QString &t : std::as_const(texts))
        addItem(makeItem(t));
}

int DayList::insertSorted(const QString &text)
{
    // After the items that sort before it or with it, like a sorted list box.
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (AgendaOrder::itemLess(text, item(mid)->text()))
            hi = mid;
        else
            lo = mid + 1;
    }
    insertItem(lo, makeItem(text));
    return lo;
}

bool DayList::hasSelection() const
{
    return !selectedItems().isEmpty();
}

QString DayList::selectedText() const
{
    const auto selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

bool DayList::removeSelected()
{
    const auto selected = selectedItems();
    if (selected.isEmpty())
        return false;
    delete takeItem(row(selected.constFirst()));
    // The list keeps no selection after a removal: the next Delete must not
    // remove a neighbour the user did not choose.
    clearSelection();
    return true;
}

void DayList::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (event->key() == Qt::Key_Delete) {
            if (removeSelected())
                emit itemRemoved();
            event->accept();
            return;
        }
        if (event->key() == Qt::Key_F2) {
            emit changeRequested();
            event->accept();
            return;
        }
    }
    QListWidget::keyPressEvent(event);
}

void DayList::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        // The item under the pointer is the one to change (the first click
        // has normally selected it already); below the last item the
        // selection stays as it was.
        if (QListWidgetItem *hit = itemAt(event->position().toPoint()))
            setCurrentItem(hit);
        emit changeRequested();
        event->accept();
        return;
    }
    QListWidget::mouseDoubleClickEvent(event);
}

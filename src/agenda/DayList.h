#pragma once

#include <QListWidget>
#include <QStringList>

// One day list of the week page (ListBox1 .. ListBox7): the appointments of
// one day as items "hh:mm message", kept in order (AgendaOrder), with at
// most one selected item. Several day lists may each have a selected item.
//
// Double click and F2 ask for the selected appointment to be changed; the
// Delete key removes the selected item and reports the edit.
class DayList : public QListWidget
{
    Q_OBJECT

public:
    explicit DayList(QWidget *parent = nullptr);

    QStringList items() const;
    // Replaces the items, putting them in order.
    void setItems(QStringList items);
    // Adds one item at its place in the order and returns its row.
    int insertSorted(const QString &text);

    bool hasSelection() const;
    QString selectedText() const;
    // Removes the selected item; false when none is selected.
    bool removeSelected();

signals:
    // Double click or F2: change the selected appointment.
    void changeRequested();
    // The Delete key removed an item.
    void itemRemoved();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    QListWidgetItem *makeItem(const QString &text) const;
};

#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// Keeps the section pages of a document open read-only from changing it,
// while the user can still look at every section and move through it.
//
// Text fields, date and number fields become read-only; the drop-down boxes
// that are record fields and the buttons that change a record are disabled.
// Inside the pages, keys other than moving, selecting and copying,
// double-clicks (they open the edit dialogs), drops, context menus and the
// middle-button paste never arrive.
class ReadOnlyPages : public QObject
{
    Q_OBJECT

public:
    // `pages`: the widget that holds the section pages.
    explicit ReadOnlyPages(QWidget *pages, QObject *parent = nullptr);

    void setActive(bool active);
    bool isActive() const { return m_active; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_pages;
    bool m_active = false;
    QList<QPointer<QWidget>> m_madeReadOnly; // to give back when the guard ends
    QList<QPointer<QWidget>> m_disabled;
};

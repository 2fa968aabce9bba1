#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTest>

class QAbstractItemView;
class QComboBox;
class QWidget;

// Driving widgets the way a user does, and reading back what they show.
namespace TestUi {

// The child of `root` named `name`, or null (with a warning naming it).
QObject *findNamed(const QObject *root, const QString &name, const QMetaObject &type);
template<class T>
T *find(const QObject *root, const QString &name)
{
    return static_cast<T *>(findNamed(root, name, T::staticMetaObject));
}

// Types a text key by key, accented letters included (QTest::keyClicks only
// knows ASCII).
void typeText(QWidget *w, const QString &text);
// Double-clicks the cell at row/column of a list, table or tree view.
void doubleClick(QAbstractItemView *view, int row, int column = 0);

// What a view shows, one string per row (top level only); the cells of a
// row with several columns are joined with " | ".
QStringList texts(const QAbstractItemView *view);
QStringList texts(const QComboBox *box);

} // namespace TestUi

// Declares `var` as the child of type T named `name` under `root`, and fails
// the test function when there is none.
#define FIND_CHILD(var, T, root, name)                                                                                 \
    T *var = TestUi::find<T>((root), (name));                                                                          \
    QVERIFY2(var, qPrintable(QStringLiteral("no " #T " named ") + QString(name)))

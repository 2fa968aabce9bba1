#include "Widgets.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QWidget>

namespace TestUi {

QObject *findNamed(const QObject *root, const QString &name, const QMetaObject &type)
{
    for (QObject *o : root ? root->findChildren<QObject *>(name) : QList<QObject *>()) {
        if (type.cast(o))
            return o;
    }
    qWarning("no %s named %s", type.className(), qPrintable(name));
    return nullptr;
}

void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128 && c.unicode() >= 32)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void doubleClick(QAbstractItemView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->scrollTo(index);
    const QPoint at = view->visualRect(index).center();
    // A double click is a press and release followed by a second press that
    // the view reads as the double click.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}

QStringList texts(const QAbstractItemView *view)
{
    QStringList out;
    const QAbstractItemModel *m = view->model();
    for (int r = 0; m && r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        out << cells.join(QStringLiteral(" | "));
    }
    return out;
}

QStringList texts(const QComboBox *box)
{
    return texts(box->view());
}

} // namespace TestUi

#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// "Tivarel.cbx": one list item per line, a 6-character tag naming the list
// followed directly by the item's text. Lines with an unknown tag and lines
// shorter than 6 characters are skipped.
namespace RememberedLists {

// The nine remembered lists and the drop-down box of each, in file order
// ("Combo8" is deliberately absent: the book condition box is fixed).
struct ListTag
{
    const char *tag;
    int comboBox; // 1..10
};
const QList<ListTag> &tags();

// Tags of lists that go with the nine but that older readers skip, written
// after them.
//  "Solde2": the balance of each account of ComboBox2, in the same order.
const QStringList &extraTags();

int comboForTag(const QString &tag); // 0 when not one of the nine

// Items per tag (of the nine and of the extra tags), in file order; items
// are kept whole.
QMap<QString, QStringList> parse(const QStringList &lines);
QStringList write(const QMap<QString, QStringList> &lists);

} // namespace RememberedLists

#include "model/RememberedLists.h"

namespace RememberedLists {

const QList<ListTag> &tags()
{
    static const QList<ListTag> all = {{"Combo1", 1}, {"Combo2", 2}, {"Combo3", 3}, {"Combo4", 4}, {"Combo5", 5},
                                       {"Combo6", 6}, {"Combo7", 7}, {"Combo9", 9}, {"ComboA", 10}};
    return all;
}

const QStringList &extraTags()
{
    static const QStringList extra = {QStringLiteral("Solde2")};
    return extra;
}

int comboForTag(const QString &tag)
{
    for (const ListTag &t : tags()) {
        if (tag == QLatin1String(t.tag))
            return t.comboBox;
    }
    return 0;
}

QMap<QString, QStringList> parse(const QStringList &lines)
{
    QMap<QString, QStringList> out;
    for (const QString &line : lines) {
        if (line.size() < 6)
            continue;
        const QString tag = line.left(6);
        if (comboForTag(tag) == 0 && !extraTags().contains(tag))
            continue;
        out[tag].append(line.mid(6));
    }
    return out;
}

QStringList write(const QMap<QString, QStringList> &lists)
{
    QStringList out;
    auto put = [&](const QString &tag) {
        for (const QString &item : lists.value(tag))
            out.append(tag + item);
    };
    for (const ListTag &t : tags())
        put(QLatin1String(t.tag));
    for (const QString &tag : extraTags())
        put(tag);
    return out;
}

} // namespace RememberedLists

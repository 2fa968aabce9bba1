// The organiser file (".orz"): the appointment store's readers, and its load
// and save with every day of the file written back.

#include "FuzzSection.h"

#include "agenda/AgendaStore.h"
#include "common/DateText.h"

#include <QSet>

namespace {

// Days named by the first lines of the file, at most a few dozen: enough to
// reach every path of the store without making one input slow.
QList<QDate> daysOf(const AgendaStore &store)
{
    QList<QDate> days;
    QSet<QString> seen;
    for (const QString &line : store.lines()) {
        if (days.size() >= 32)
            break;
        const QString key = line.left(AgendaStore::KeyLength);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        if (const auto d = DateText::fromKey(key))
            days.append(*d);
    }
    return days;
}

void readAll(const QStringList &lines)
{
    AgendaStore store;
    store.setLines(lines);
    store.dropShortTopLines();
    for (const QString &line : lines.mid(0, 32)) {
        (void)store.dayItems(QStringView(line).left(AgendaStore::KeyLength));
        store.removeFirstWithId(QStringView(line).left(AgendaStore::IdLength));
    }
    const QList<QDate> days = daysOf(store);
    for (const QDate day : days) {
        const QStringList items = store.dayItems(day);
        if (!items.isEmpty())
            store.changeAppointment(day, items.first(), DateText::key(day), QStringLiteral("11:00"), items.last());
        store.addAppointment(DateText::key(day), QStringLiteral("10:00"), QStringLiteral("Réunion"));
    }
    store.sort();
    if (!store.isSorted())
        std::abort();
}

QStringList loadAndSave(const QStringList &lines)
{
    AgendaStore store;
    store.setLines(lines);
    store.dropShortTopLines();
    for (const QDate day : daysOf(store))
        store.setDayItems(day, store.dayItems(day));
    store.sort();
    // Blank lines sort to the top, where the next load drops them (the
    // single blank of a new store goes that way): they carry nothing, so
    // the saves are compared without them.
    store.dropShortTopLines();
    return store.lines();
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)

// The shopping lists (".oco"): every list read and computed, and the file
// loaded and saved with every list that has an item written back.

#include "FuzzBlocks.h"
#include "FuzzSection.h"

#include "collections/ShoppingList.h"
#include "common/DateText.h"

namespace {

int width(const QString &text)
{
    return int(text.size()) * 7;
}

// The list as the shopping page shows it (date, shop, computed rows), and
// the body the page writes for it; nothing when it has no designation.
// `keepsName`: whether a row written keeps a designation.
std::optional<QStringList> visitList(const BlockFile &file, int number, bool *keepsName = nullptr)
{
    const QStringList body = file.readRecord(number).value_or(QStringList());
    QDate date(2024, 1, 15);
    if (!body.isEmpty())
        date = DateText::fromText(body[0]).value_or(date);
    const QString shop = body.value(1);
    QList<Shopping::Row> rows = Shopping::listItems(file, number);
    Shopping::calculate(rows, width);
    if (!Shopping::hasDesignation(rows))
        return std::nullopt;
    QStringList out{DateText::text(date), shop};
    for (const Shopping::Row &row : rows) {
        if (row.isBlank())
            continue;
        out << Shopping::itemLine(row);
        if (keepsName && !row.designation.isEmpty())
            *keepsName = true;
    }
    return out;
}

void readAll(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::load(8, lines);
    for (int n = 0; n < FuzzBlocks::visited(file); ++n)
        (void)visitList(file, n);
    FuzzBlocks::edit(file);
}

QStringList loadAndSave(const QStringList &lines)
{
    BlockFile file = FuzzBlocks::loadWellFormed(8, lines);
    // A designation of blanks names a list, yet a row of blanks is not
    // written: a list named only so is written without its name, and the
    // next load leaves it where it is instead of moving it to the end. Only
    // the order of the blocks would differ between the two saves, so such a
    // list is left as it stands.
    for (int n = 0; n < FuzzBlocks::visited(file); ++n) {
        bool keepsName = false;
        if (const auto body = visitList(file, n, &keepsName); body && keepsName)
            file.writeRecord(n, *body);
    }
    return FuzzBlocks::save(file);
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)

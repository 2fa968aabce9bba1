// The birthday list (".oan"): both half-years read, and the list loaded and
// saved with every entry changed to itself through the birthday dialog.

#include "FuzzSection.h"

#include "contacts/BirthdayBook.h"

namespace {

void readAll(const QStringList &lines)
{
    BirthdayBook book;
    book.setLines(lines);
    for (int half = 0; half < 2; ++half) {
        book.setHalf(half);
        for (int k = 0; k < BirthdayBook::ListCount; ++k)
            for (int i = 0; i < book.list(k).size(); ++i)
                (void)BirthdayBook::description(book.list(k).at(i)), (void)book.dateOf(k, i, 2024);
    }
    book.add(QDate(2024, 2, 29), QStringLiteral("Élise"));
    if (!book.list(0).isEmpty())
        book.remove(0, 0);
    book.writeLists();
}

QStringList loadAndSave(const QStringList &lines)
{
    BirthdayBook book;
    book.setLines(lines);
    for (int half = 0; half < 2; ++half) {
        book.setHalf(half);
        for (int k = 0; k < BirthdayBook::ListCount; ++k) {
            const QStringList entries = book.list(k);
            for (int i = 0; i < entries.size(); ++i)
                book.change(k, int(book.list(k).indexOf(entries[i])), book.dateOf(k, i, 2024),
                            BirthdayBook::description(entries[i]));
        }
        book.writeLists();
    }
    return book.lines();
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)

// The address book (".ocn"): every letter page read, and the book loaded
// and saved with every contact written back as the contact dialog does.

#include "FuzzSection.h"

#include "contacts/AddressBook.h"

namespace {

void readAll(const QStringList &lines)
{
    AddressBook book;
    book.setLines(lines);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        book.setLetter(QChar(letter));
        for (const AddressBook::Contact &c : book.page())
            if (AddressBook::contactOf(AddressBook::lineOf(QChar(letter), 0, c)) != c)
                std::abort();
    }
    book.setLetter(u'B');
    if (!book.page().isEmpty())
        book.remove(0);
    book.add({QStringLiteral("Dupont"), QStringLiteral("Paul")});
    book.setLetter(u'A');
}

QStringList loadAndSave(const QStringList &lines)
{
    AddressBook book;
    book.setLines(lines);
    for (char16_t letter = u'A'; letter <= u'Z'; ++letter) {
        book.setLetter(QChar(letter));
        for (int i = 0; i < book.page().size(); ++i)
            book.change(i, book.page().at(i).fields);
    }
    book.setLetter(u'A');
    return book.lines();
}

} // namespace

TIVAREL_FUZZ_SECTION(readAll, loadAndSave)

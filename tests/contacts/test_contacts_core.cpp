// Stores and file formats of the address book, the birthdays and the to-do
// list, without widgets.

#include "common/TextFile.h"
#include "contacts/AddressBook.h"
#include "contacts/BirthdayBook.h"
#include "contacts/ContactForm.h"
#include "contacts/TodoList.h"

#include <QtTest>

#include <tuple>

namespace {

// The seven fields of a contact named `name` with nothing else filled in.
QStringList named(const QString &name)
{
    ContactForm f;
    f[ContactForm::Nom] = name;
    return f.toFields();
}

// Each store line as its key and name ("A108 Deux"); other lines as they are.
QStringList keysAndNames(const QStringList &lines)
{
    QStringList out;
    for (const QString &l : lines) {
        const QStringList f = AddressBook::contactOf(l).fields;
        out << (l.size() > 4 && l.at(4) == ContactForm::Nbsp
                    ? l.left(4) + u' ' + f.first().section(ContactForm::Nbsp, 1, 1)
                    : l);
    }
    return out;
}

QString contactLine(const QString &key, const QString &name)
{
    return AddressBook::lineOf(key.at(0), (key.mid(1).toInt() - 100) / 8, {named(name), {}});
}

} // namespace

class TestContactsCore : public QObject
{
    Q_OBJECT

private slots:
    void contactBytes_data()
    {
        // The thirteen dialog entries, the contact's position on page B, the
        // bytes of its line, and the entries read back from those bytes.
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("back");

        const QStringList one{"M.", "Dupont", "Jean", "", "", "", "", "Paris", "0102030405", "", "", "", ""};
        QTest::newRow("one telephone ends with the no-break space")
            << one << 1
            << QByteArray("B108M.\xA0"
                          "Dupont\xA0"
                          "Jean\t\xA0\t\t\xA0"
                          "Paris\tT\xE9l: 0102030405\xA0\tFax: \xA0\tE.mail \t\r\n")
            << one;
        const QStringList all{"Mme",   "Lefèvre", "Hélène", "Gérante", "Café",   "3 rue Neuve", "75001",
                              "Paris", "01",      "02",     "03",      "France", "h@cafe.fr"};
        QTest::newRow("every entry, two telephones, Windows-1252")
            << all << 2
            << QByteArray("B116Mme\xA0Lef\xE8vre\xA0H\xE9l\xE8ne\tG\xE9rante\xA0"
                          "Caf\xE9\t3 rue Neuve\t75001\xA0Paris\t"
                          "T\xE9l: 01\xA0T\xE9l: 02\tFax: 03\xA0"
                          "France\tE.mail h@cafe.fr\t\r\n")
            << all;
        // TAB, NBSP and line breaks would split the line, its fields or their parts.
        QStringList typed(13), kept(13);
        typed[1] = "Le\tGrand\u00A0Duc\r\nX";
        kept[1] = "Le Grand Duc X";
        QTest::newRow("typed separators become blanks")
            << typed << 0
            << QByteArray("B100\xA0Le Grand Duc X\xA0\t\xA0\t\t\xA0\tT\xE9l: \xA0\tFax: \xA0\tE.mail \t\r\n") << kept;
    }

    void contactBytes()
    {
        QFETCH(QStringList, entries);
        QFETCH(int, position);
        QFETCH(QByteArray, bytes);
        ContactForm f;
        std::copy(entries.begin(), entries.end(), f.entries.begin());
        QCOMPARE(TextFile::joinLines({AddressBook::lineOf(u'B', position, {f.toFields(), {}})}), bytes);
        const ContactForm read =
            ContactForm::fromFields(AddressBook::contactOf(TextFile::splitLines(bytes).value(0)).fields);
        QTEST(QStringList(read.entries.begin(), read.entries.end()), "back");
    }

    void contactLineLimit() // the entries together fill the 255 characters after the key
    {
        ContactForm f;
        f[ContactForm::Email] = QString(225, u'x');
        QVERIFY(f.lineLength() == 255 && f.tooLong().isEmpty());
        f[ContactForm::Ville] = QStringLiteral("Saint-Germain-en-Laye");
        QVERIFY(f.tooLong().startsWith(QStringLiteral("L'adresse dépasse de 21 caractères les 255")));
        BirthdayBook book; // and the birthdays of a day, for the week's headings
        book.setLines({"0301 Zoé", "0310 Alice", "0301 Paul", "1001 Autre"});
        QCOMPARE(book.on(QDate(2031, 3, 1)), (QStringList{"Paul", "Zoé"}));
    }

    void contactReading_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("read"); // the seven fields, the tail, the summary's telephone column

        const QStringList abc{"a", "b", "c", "d", "Tél: 01\u00A0Tél: 02", "f", "g", "", " 01"};
        QTest::newRow("seven fields each ended by TAB") << "A100a\tb\tc\td\tTél: 01\u00A0Tél: 02\tf\tg\t" << abc;
        QTest::newRow("last TAB missing, key not a number") << "Axyza\tb\tc\td\tTél: 01\u00A0Tél: 02\tf\tg" << abc;
        QTest::newRow("fewer fields: the rest empty")
            << "A100a\tb" << QStringList{"a", "b", "", "", "", "", "", "", ""};
        QTest::newRow("letter alone") << "A" << QStringList(9);
        QTest::newRow("text after the seventh TAB is kept")
            << "A100a\tb\tc\td\tTél: 0123456789012345678901\tf\tg\tmore\tstuff"
            << QStringList{
                   "a", "b", "c", "d", "Tél: 0123456789012345678901", "f", "g", "more\tstuff", " 0123456789012345678"};
        QTest::newRow("a long field is not cut")
            << "A100" + QString(300, u'x') + "\t\t\t\t\t\t\t" << (QStringList{QString(300, u'x')} + QStringList(8));
    }

    void contactReading()
    {
        QFETCH(QString, line);
        const AddressBook::Contact c = AddressBook::contactOf(line);
        QTEST((c.fields + QStringList{c.tail, ContactForm::telephoneColumn(c.fields.at(4))}), "read");
        // Rewritten at its own key, a line of seven TAB-ended fields comes back whole.
        if (line.endsWith(u'\t') || !c.tail.isEmpty())
            QCOMPARE(AddressBook::lineOf(u'A', 0, c).mid(4), line.mid(4));
    }

    void addressBookEdits_data()
    {
        // Operations: "add NAME" (times N with "add NAME *N"), "letter L",
        // "change I NAME", "remove I", "import KEY NAME" (a contact from a
        // vCard), "write"; each returns true or false.
        QTest::addColumn<QStringList>("store");
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QString>("results");
        QTest::addColumn<QStringList>("after"); // keys and names

        const QStringList abc{contactLine("A100", "Un"), contactLine("A108", "Deux"), contactLine("A116", "Trois")};
        QTest::newRow("added contacts reach the store at the letter change, renumbered")
            << QStringList{" ", contactLine("A100", "Ancien"), contactLine("B100", "Bernard")}
            << QStringList{"add Premier", "add Second", "letter B", "letter A", "add Tiers", "write"} << "111011"
            << QStringList{" ", "B100 Bernard", "A100 Ancien", "A108 Premier", "A116 Second", "A124 Tiers"};
        QTest::newRow("imported contacts go after those of their page")
            << QStringList{" ", contactLine("A100", "Ancien"), contactLine("B100", "Bernard")}
            << QStringList{"import A100 Arnaud", "import C100 Claude"} << "11"
            << QStringList{" ", "A100 Ancien", "B100 Bernard", "A108 Arnaud", "C100 Claude"};
        QTest::newRow("delete keeps the other keys until the next write-back")
            << abc << QStringList{"remove 1"} << "1" << QStringList{"A100 Un", "A116 Trois"};
        QTest::newRow("the next write-back renumbers") << abc << QStringList{"remove 1", "add Quatre", "write"} << "111"
                                                       << QStringList{"A100 Un", "A108 Trois", "A116 Quatre"};
        QTest::newRow("delete goes by position, not by key")
            << QStringList{contactLine("A100", "Un"), contactLine("A100", "Deux"), contactLine("A108", "Trois")}
            << QStringList{"remove 1"} << "1" << QStringList{"A100 Un", "A108 Trois"};
        QTest::newRow("change writes back at once; no such contact")
            << abc << QStringList{"change 2 Trois bis", "change 3 x", "remove 3", "remove -1"} << "1000"
            << QStringList{"A100 Un", "A108 Deux", "A116 Trois bis"};
        QTest::newRow("foreign, blank and lower-case lines survive")
            << QStringList{" ", "", "a100 minuscule", "#commentaire", contactLine("A100", "Un")}
            << QStringList{"add Deux", "write", "letter ?"} << "110"
            << QStringList{" ", "", "a100 minuscule", "#commentaire", "A100 Un", "A108 Deux"};
        QStringList full{" "};
        for (int i = 0; i < AddressBook::MaxContactsPerPage; ++i)
            full << QStringLiteral("A%1 x").arg(100 + 8 * i);
        QTest::newRow("a full page refuses the 114th contact; keys end at 996")
            << QStringList{" "} << QStringList{"add x *113", "add de trop", "write"} << "101" << full;
        // A file from elsewhere with more contacts on a page than keys can number:
        // never renumbered, so never changed, but a deletion works on it as it is.
        const QStringList oversized(120, contactLine("A100", "n"));
        QTest::newRow("an oversized page is never renumbered")
            << oversized << QStringList{"change 0 y", "add z", "remove 119"} << "001" << QStringList(119, "A100 n");
    }

    void addressBookEdits()
    {
        QFETCH(QStringList, store);
        QFETCH(QStringList, ops);
        AddressBook book;
        book.setLines(store);
        QString got;
        for (const QString &op : ops) {
            const QString verb = op.section(u' ', 0, 0), arg = op.section(u' ', 1);
            bool ok = true;
            if (verb == "add")
                for (int i = 0; i < qMax(1, arg.section(" *", 1).toInt()); ++i)
                    ok = book.add(named(arg.section(" *", 0, 0))) && ok;
            else if (verb == "letter")
                ok = book.setLetter(arg.at(0));
            else if (verb == "import")
                book.appendContacts({contactLine(arg.section(u' ', 0, 0), arg.section(u' ', 1))});
            else if (verb == "change")
                ok = book.change(arg.section(u' ', 0, 0).toInt(), named(arg.section(u' ', 1)));
            else
                ok = verb == "remove" ? book.remove(arg.toInt()) : book.writePage();
            got += ok ? u'1' : u'0';
        }
        QTEST(got, "results");
        QTEST(keysAndNames(book.lines()), "after");
    }

    void birthdayEdits_data()
    {
        // Operations: "half H", "add MMDD TEXT", "change K I MMDD TEXT",
        // "remove K I", "write"; each returns true or false.
        QTest::addColumn<QStringList>("store");
        QTest::addColumn<QStringList>("ops");
        QTest::addColumn<QString>("results");
        QTest::addColumn<QStringList>("march"); // list 2 of the first half-year
        QTest::addColumn<QStringList>("after");

        QTest::newRow("sorted by day, then by text without case or accents")
            << QStringList{"0320 Claire", "0310 bernard", "0301 Fabien", "0310 Alice", "0301 Élise", "0301 Emma"}
            << QStringList{} << ""
            << QStringList{"01 Élise", "01 Emma", "01 Fabien", "10 Alice", "10 bernard", "20 Claire"}
            << QStringList{"0320 Claire", "0310 bernard", "0301 Fabien", "0310 Alice", "0301 Élise", "0301 Emma"};
        QTest::newRow("other months and foreign lines left alone by a write-back")
            << QStringList{"0712 Juillet", "0101 Nouvel an", "13xx", "0302 Mars"} << QStringList{"remove 0 0", "write"}
            << "11" << QStringList{"02 Mars"} << QStringList{"0712 Juillet", "13xx", "0302 Mars"};
        QTest::newRow("nothing changed: no write-back")
            << QStringList{"0302 Mars", "0301 Avant"} << QStringList{"write"} << "0"
            << QStringList{"01 Avant", "02 Mars"} << QStringList{"0302 Mars", "0301 Avant"};
        QTest::newRow("added from the second half-year")
            << QStringList{} << QStringList{"half 1", "add 0315 Paul", "half 0"} << "1" << QStringList{"15 Paul"}
            << QStringList{"0315 Paul"};
        QTest::newRow("a change keeps the month, takes the day")
            << QStringList{"0310 Alice", "0320 Bruno"} << QStringList{"change 2 1 0705 Bruno D.", "write"} << "11"
            << QStringList{"05 Bruno D.", "10 Alice"} << QStringList{"0305 Bruno D.", "0310 Alice"};
        QTest::newRow("an add keeps the pending change")
            << QStringList{"0301 Alice"} << QStringList{"change 2 0 0302 Alice B.", "add 0303 Carl"} << "11"
            << QStringList{"02 Alice B.", "03 Carl"} << QStringList{"0302 Alice B.", "0303 Carl"};
        QTest::newRow("pasted line breaks stay on one line")
            << QStringList{} << QStringList{"add 0315 Anne\r\n0401 Zoé", "change 2 0 0316 Anne\n<x>", "write"} << "111"
            << QStringList{"16 Anne <x>"} << QStringList{"0316 Anne <x>"};
        QTest::newRow("refused: empty text, no such entry or list")
            << QStringList{"0301 A"} << QStringList{"add 0302 ",         "change 2 0 0302 ", "change 2 1 0302 x",
                                                    "change 6 0 0302 x", "remove 2 1",       "remove -1 0"}
            << "000000" << QStringList{"01 A"} << QStringList{"0301 A"};
    }

    void birthdayEdits()
    {
        QFETCH(QStringList, store);
        QFETCH(QStringList, ops);
        BirthdayBook book;
        book.setLines(store);
        auto date = [](const QString &mmdd) { return QDate(2026, mmdd.left(2).toInt(), mmdd.mid(2).toInt()); };
        QString got;
        for (const QString &op : ops) {
            const QStringList w = op.split(u' ');
            if (w[0] == "half")
                book.setHalf(w[1].toInt());
            else if (w[0] == "add")
                got += book.add(date(w[1]), op.section(u' ', 2)) ? u'1' : u'0';
            else if (w[0] == "change")
                got += book.change(w[1].toInt(), w[2].toInt(), date(w[3]), op.section(u' ', 4)) ? u'1' : u'0';
            else
                got += (w[0] == "remove" ? book.remove(w[1].toInt(), w[2].toInt()) : book.writeLists()) ? u'1' : u'0';
        }
        QTEST(got, "results");
        QTEST(book.list(2), "march");
        QTEST(book.lines(), "after");
        QVERIFY(book.list(6).isEmpty() && book.list(-1).isEmpty());
    }

    void birthdayDialogDate_data()
    {
        QTest::addColumn<QString>("entry"); // list, half-year, entry text
        QTest::addColumn<QDate>("date");
        QTest::newRow("day of the entry, month of the list") << "2 0 15 Paul" << QDate(2026, 3, 15);
        QTest::newRow("second half-year list") << "2 1 01 Rentrée" << QDate(2026, 9, 1);
        QTest::newRow("29 February moves to a leap year") << "1 0 29 Léa" << QDate(2028, 2, 29);
        QTest::newRow("31 in a 30-day month is brought back") << "3 0 31 x" << QDate(2026, 4, 30);
        QTest::newRow("no day at all gives the 1st") << "0 0 ab" << QDate(2026, 1, 1);
        QTest::newRow("day 00 gives the 1st") << "0 0 00 x" << QDate(2026, 1, 1);
    }

    void birthdayDialogDate()
    {
        QFETCH(QString, entry);
        BirthdayBook book;
        const int k = entry.section(u' ', 0, 0).toInt();
        book.setHalf(entry.section(u' ', 1, 1).toInt());
        book.setLines({BirthdayBook::monthKey(book.monthOf(k)) + entry.section(u' ', 2)});
        QTEST(book.dateOf(k, 0, 2026), "date");
    }

    void todoReading_data()
    {
        // A file read over an earlier list, and the bytes it is written back as.
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        const QByteArray asWritten("<FAIRE>\r\nR\xE9parer\r\n<FAIT>\r\nPayer\r\n");
        QTest::newRow("as written") << asWritten << asWritten;
        QTest::newRow("markers in the other order, LF ends")
            << QByteArray("<FAIT>\nPayer\n<FAIRE>\nA\n") << QByteArray("<FAIRE>\r\nA\r\n<FAIT>\r\nPayer\r\n");
        QTest::newRow("before the first marker dropped, <FAI lines are no entries")
            << QByteArray("Perdu\r\n\r\n<FAIRE>\r\n<FAIRE la vaisselle>\r\n<FAI\r\nA\r\n<FAIT> \r\n<faire>\r\n")
            << QByteArray("<FAIRE>\r\nA\r\n<faire>\r\n<FAIT>\r\n");
        QTest::newRow("marker repeated: entries gather") << QByteArray("<FAIRE>\r\na\r\n<FAIT>\r\nb\r\n<FAIRE>\r\nc")
                                                         << QByteArray("<FAIRE>\r\na\r\nc\r\n<FAIT>\r\nb\r\n");
        QTest::newRow("empty or unmarked file") << QByteArray("a\r\nb\r\n") << QByteArray("<FAIRE>\r\n<FAIT>\r\n");
    }

    void todoReading()
    {
        QFETCH(QByteArray, file);
        TodoList list;
        list.append(TodoList::Todo, "ancien");
        list.read(TextFile::splitLines(file));
        QTEST(TextFile::joinLines(list.toLines()), "written");
    }

    void todoMarkerLikeEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("done marker") << "<FAIT>";
        QTest::newRow("to-do marker with text") << "<FAIRE> la vaisselle";
        QTest::newRow("blanks then <FAI") << "  <FAI";
    }

    void todoMarkerLikeEntry()
    {
        // Typed as an entry, it comes back as typed, in its list, and the
        // entries after it stay in theirs.
        QFETCH(QString, entry);
        TodoList list;
        list.append(TodoList::Todo, entry);
        list.append(TodoList::Todo, "b");
        TodoList again;
        again.read(TextFile::splitLines(TextFile::joinLines(list.toLines())));
        QCOMPARE(again.todo(), QStringList({entry, "b"}));
        QCOMPARE(again.done(), QStringList());
    }

    void todoEdits_data()
    {
        // One operation (list 0: to do, 1: done; index) on {a b c} / {x}; its
        // result, then both lists.
        QTest::addColumn<QString>("op");
        QTest::addColumn<QString>("after");
        const std::tuple<const char *, const char *, const char *> rows[] = {
            {"move the first", "move 0 0", "1 b c / x a"},
            {"move the last", "move 0 2", "1 a b / x c"},
            {"move back the only done", "move 1 0", "1 a b c x / "},
            {"move past the end", "move 0 3", "0 a b c / x"},
            {"move past the end of done", "move 1 1", "0 a b c / x"},
            {"move before the start", "move 0 -1", "0 a b c / x"},
            {"remove the last", "remove 0 2", "1 a b / x"},
            {"remove past the end", "remove 1 1", "0 a b c / x"},
            {"replace the last, line break pasted", "replace 1 0", "1 a b c / y <FAIT>"},
            {"replace past the end", "replace 0 3", "0 a b c / x"},
        };
        for (const auto &[row, op, after] : rows)
            QTest::newRow(row) << QString(op) << QString(after);
    }

    void todoEdits()
    {
        QFETCH(QString, op);
        TodoList list;
        list.read({"<FAIRE>", "a", "b", "c", "<FAIT>", "x"});
        const QStringList w = op.split(u' ');
        const auto which = TodoList::Which(w[1].toInt());
        const int index = w[2].toInt();
        const bool ok = w[0] == "move"     ? list.move(which, index)
                        : w[0] == "remove" ? list.remove(which, index)
                                           : list.replace(which, index, "y\n<FAIT>");
        QTEST(QString::number(ok) + u' ' + list.todo().join(u' ') + " / " + list.done().join(u' '), "after");
    }
};

QTEST_GUILESS_MAIN(TestContactsCore)
#include "test_contacts_core.moc"

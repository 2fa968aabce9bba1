// Stores and file formats of the address book, the birthdays and the to-do
// list, without widgets.

#include "common/TextFile.h"
#include "contacts/AddressBook.h"
#include "contacts/BirthdayBook.h"
#include "contacts/ContactForm.h"
#include "contacts/TodoList.h"

#include <QtTest>

namespace {

const QChar N = ContactForm::Nbsp;

ContactForm form(std::initializer_list<std::pair<ContactForm::Entry, QString>> values)
{
    ContactForm f;
    for (const auto &[e, v] : values)
        f[e] = v;
    return f;
}

// The seven fields of a contact named `name` with nothing else filled in.
QStringList named(const QString &name)
{
    return form({{ContactForm::Nom, name}}).toFields();
}

QString lineFor(const QString &keyed, const QString &name)
{
    return AddressBook::lineOf(keyed.at(0), (keyed.mid(1).toInt() - 100) / 8, AddressBook::contactOf(QStringLiteral("x000") + named(name).join(u'\t') + u'\t'));
}

QStringList keysOf(const QStringList &lines)
{
    QStringList keys;
    for (const QString &l : lines)
        keys << l.left(4);
    return keys;
}

} // namespace

class TestContactsCore : public QObject
{
    Q_OBJECT

private slots:
    // Contact fields
    void contactLineBytes_data();
    void contactLineBytes();
    void dialogEntriesSurviveFields_data();
    void dialogEntriesSurviveFields();
    void telephoneColumn_data();
    void telephoneColumn();
    void typedSeparatorsBecomeBlanks_data();
    void typedSeparatorsBecomeBlanks();

    // Contact store
    void contactReading_data();
    void contactReading();
    void addAndLetterChangeRenumbers();
    void deleteKeepsKeysUntilNextWriteBack();
    void deleteGoesByPositionNotKey();
    void foreignAndBlankLinesSurvive();
    void fullPageRefusesAdd();
    void oversizedPageIsNeverRenumbered();

    // Birthdays
    void monthListsSortedByDay_data();
    void monthListsSortedByDay();
    void addFromEitherHalfYear_data();
    void addFromEitherHalfYear();
    void changeKeepsMonth();
    void writeBackOnlyWhenChanged();
    void addKeepsPendingChanges();
    void changeDialogDate_data();
    void changeDialogDate();

    // To-do
    void todoReading_data();
    void todoReading();
    void todoFileBytes();
    void pastedLineBreaksStayOnOneLine_data();
    void pastedLineBreaksStayOnOneLine();
};

// ---------------------------------------------------------------------------
// Contact fields

void TestContactsCore::contactLineBytes_data()
{
    QTest::addColumn<ContactForm>("entries");
    QTest::addColumn<int>("position");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("name, town and one telephone, second of page B")
        << form({{ContactForm::Titre, "M."}, {ContactForm::Nom, "Dupont"}, {ContactForm::Prenom, "Jean"},
                 {ContactForm::Ville, "Paris"}, {ContactForm::Telephone1, "0102030405"}})
        << 1
        << QByteArray("B108M.\xA0" "Dupont\xA0" "Jean\t\xA0\t\t\xA0" "Paris\tT\xE9l: 0102030405\xA0\tFax: \xA0\tE.mail \t\r\n");
    QTest::newRow("empty second telephone ends with the no-break space")
        << form({{ContactForm::Telephone1, "01"}}) << 0
        << QByteArray("B100\xA0\xA0\t\xA0\t\t\xA0\tT\xE9l: 01\xA0\tFax: \xA0\tE.mail \t\r\n");
    QTest::newRow("both telephones repeat the prefix")
        << form({{ContactForm::Telephone1, "01"}, {ContactForm::Telephone2, "06 12"}}) << 0
        << QByteArray("B100\xA0\xA0\t\xA0\t\t\xA0\tT\xE9l: 01\xA0T\xE9l: 06 12\tFax: \xA0\tE.mail \t\r\n");
    QTest::newRow("every entry filled, accents in Windows-1252")
        << form({{ContactForm::Titre, "Mme"}, {ContactForm::Nom, "Lefèvre"}, {ContactForm::Prenom, "Hélène"},
                 {ContactForm::Fonction, "Gérante"}, {ContactForm::Societe, "Café"}, {ContactForm::Adresse, "3 rue Neuve"},
                 {ContactForm::CodePostal, "75001"}, {ContactForm::Ville, "Paris"}, {ContactForm::Telephone1, "01"},
                 {ContactForm::Telephone2, "02"}, {ContactForm::Fax, "03"}, {ContactForm::Pays, "France"},
                 {ContactForm::Email, "h@cafe.fr"}})
        << 2
        << QByteArray("B116Mme\xA0Lef\xE8vre\xA0H\xE9l\xE8ne\tG\xE9rante\xA0" "Caf\xE9\t3 rue Neuve\t75001\xA0Paris\t"
                      "T\xE9l: 01\xA0T\xE9l: 02\tFax: 03\xA0" "France\tE.mail h@cafe.fr\t\r\n");
}

void TestContactsCore::contactLineBytes()
{
    QFETCH(ContactForm, entries);
    QFETCH(int, position);
    QFETCH(QByteArray, bytes);

    const AddressBook::Contact c{entries.toFields(), {}};
    const QString line = AddressBook::lineOf(u'B', position, c);
    QCOMPARE(TextFile::joinLines({line}), bytes);

    // Read back from the bytes: the same seven fields and the same entries.
    const QStringList back = TextFile::splitLines(bytes);
    QCOMPARE(back.size(), 1);
    QCOMPARE(AddressBook::contactOf(back.first()).fields, c.fields);
    QCOMPARE(ContactForm::fromFields(AddressBook::contactOf(back.first()).fields).entries, entries.entries);
}

void TestContactsCore::dialogEntriesSurviveFields_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("all empty contact") << form({}).toFields() << QStringList(13, QString());
    QTest::newRow("second number after the no-break space and the prefix")
        << QStringList{"M.\u00A0Martin\u00A0Paul", "\u00A0", "", "\u00A0", "Tél: 01 02\u00A0Tél: 06 07", "Fax: \u00A0", "E.mail "}
        << QStringList{"M.", "Martin", "Paul", "", "", "", "", "", "01 02", "06 07", "", "", ""};
    QTest::newRow("field without no-break space goes to its first part")
        << QStringList{"Martin", "Directeur", "rue", "Lyon", "Tél: 04", "Fax: 05", "E.mail a@b"}
        << QStringList{"Martin", "", "", "Directeur", "", "rue", "Lyon", "", "04", "", "05", "", "a@b"};
    QTest::newRow("missing fields count as empty")
        << QStringList{"\u00A0Durand\u00A0"}
        << QStringList{"", "Durand", "", "", "", "", "", "", "", "", "", "", ""};
    QTest::newRow("prenom keeps further no-break spaces")
        << QStringList{"\u00A0De\u00A0Jean\u00A0Marie"}
        << QStringList{"", "De", "Jean\u00A0Marie", "", "", "", "", "", "", "", "", "", ""};
}

void TestContactsCore::dialogEntriesSurviveFields()
{
    QFETCH(QStringList, fields);
    QFETCH(QStringList, entries);
    const ContactForm f = ContactForm::fromFields(fields);
    QCOMPARE(QStringList(f.entries.begin(), f.entries.end()), entries);
}

void TestContactsCore::telephoneColumn_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("column");

    QTest::newRow("one number: leading blank, no NBSP") << QStringLiteral("Tél: 0102030405\u00A0") << " 0102030405";
    QTest::newRow("two numbers: the first one only") << QStringLiteral("Tél: 01\u00A0Tél: 02") << " 01";
    QTest::newRow("sixteen characters fit") << QStringLiteral("Tél: 0123456789012345\u00A0") << " 0123456789012345";
    QTest::newRow("no number") << QStringLiteral("Tél: \u00A0") << " ";
    QTest::newRow("empty field") << QString() << QString();
    QTest::newRow("shorter than the prefix") << QString("Tél") << QString();
    QTest::newRow("cut after twenty characters") << QStringLiteral("Tél: 0123456789012345678901") << " 0123456789012345678";
}

void TestContactsCore::telephoneColumn()
{
    QFETCH(QString, field);
    QFETCH(QString, column);
    QCOMPARE(ContactForm::telephoneColumn(field), column);
}

void TestContactsCore::typedSeparatorsBecomeBlanks_data()
{
    // A TAB would split the line's fields, an NBSP the field's parts, and a
    // line break (pasted into an entry) the store's line itself.
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("TAB and NBSP") << QStringLiteral("Le\tGrand\u00A0Duc") << "Le Grand Duc";
    QTest::newRow("CR LF") << QStringLiteral("Le\r\nGrand") << "Le  Grand";
    QTest::newRow("LF") << QStringLiteral("Le\nGrand") << "Le Grand";
    QTest::newRow("CR") << QStringLiteral("Le\rGrand") << "Le Grand";
}

void TestContactsCore::typedSeparatorsBecomeBlanks()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    const QStringList fields = form({{ContactForm::Nom, typed}, {ContactForm::Email, typed}}).toFields();
    QCOMPARE(fields.first(), N + kept + N);
    QCOMPARE(ContactForm::fromFields(fields)[ContactForm::Nom], kept);
    // The contact stays one line of the file.
    const QString line = AddressBook::lineOf(u'A', 0, {fields, {}});
    QCOMPARE(TextFile::splitLines(TextFile::joinLines({line})), QStringList{line});
}

// ---------------------------------------------------------------------------
// Contact store

void TestContactsCore::contactReading_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("tail");

    QTest::newRow("seven fields each ended by TAB")
        << "A100a\tb\tc\td\te\tf\tg\t" << QStringList{"a", "b", "c", "d", "e", "f", "g"} << QString();
    QTest::newRow("last field without its TAB")
        << "A100a\tb\tc\td\te\tf\tg" << QStringList{"a", "b", "c", "d", "e", "f", "g"} << QString();
    QTest::newRow("fewer fields: the rest empty")
        << "A100a\tb" << QStringList{"a", "b", "", "", "", "", ""} << QString();
    QTest::newRow("letter alone") << "A" << QStringList(7, QString()) << QString();
    QTest::newRow("text after the seventh TAB is kept")
        << "A100a\tb\tc\td\te\tf\tg\tmore\tstuff" << QStringList{"a", "b", "c", "d", "e", "f", "g"} << "more\tstuff";
    QTest::newRow("key that is not a number")
        << "Axyza\tb\tc\td\te\tf\tg\t" << QStringList{"a", "b", "c", "d", "e", "f", "g"} << QString();
    QTest::newRow("field of 300 characters is not cut")
        << "A100" + QString(300, u'x') + "\t\t\t\t\t\t\t" << (QStringList{QString(300, u'x')} + QStringList(6, QString()))
        << QString();
}

void TestContactsCore::contactReading()
{
    QFETCH(QString, line);
    QFETCH(QStringList, fields);
    QFETCH(QString, tail);
    const AddressBook::Contact c = AddressBook::contactOf(line);
    QCOMPARE(c.fields, fields);
    QCOMPARE(c.tail, tail);
}

void TestContactsCore::addAndLetterChangeRenumbers()
{
    AddressBook book;
    book.setLines({" ", lineFor("A100", "Ancien"), lineFor("B100", "Bernard")});
    QVERIFY(book.AjoutNom(named("Premier")));
    QVERIFY(book.AjoutNom(named("Second")));
    // Nothing reaches the store before the page is written back.
    QCOMPARE(book.lines().size(), 3);

    QVERIFY(book.setLetter(u'B'));
    QVERIFY(!book.setLetter(u'A')); // page B was not edited
    QCOMPARE(keysOf(book.lines()), (QStringList{" ", "B100", "A100", "A108", "A116"}));
    QCOMPARE(book.lines().at(3), lineFor("A108", "Premier"));
    QCOMPARE(book.lines().at(4), lineFor("A116", "Second"));
    QCOMPARE(book.page().size(), 3);
}

void TestContactsCore::deleteKeepsKeysUntilNextWriteBack()
{
    AddressBook book;
    book.setLines({lineFor("A100", "Un"), lineFor("A108", "Deux"), lineFor("A116", "Trois")});
    QVERIFY(book.SupNom(1));
    QCOMPARE(keysOf(book.lines()), (QStringList{"A100", "A116"}));
    QCOMPARE(book.page().size(), 2);
    QVERIFY(!book.pageChanged());

    book.AjoutNom(named("Quatre"));
    book.EcritNoms();
    QCOMPARE(keysOf(book.lines()), (QStringList{"A100", "A108", "A116"}));
    QCOMPARE(book.lines().at(1), lineFor("A108", "Trois"));
}

void TestContactsCore::deleteGoesByPositionNotKey()
{
    // Keys from another program that do not follow the page.
    AddressBook book;
    book.setLines({lineFor("A100", "Un"), lineFor("A100", "Deux"), lineFor("A108", "Trois")});
    QVERIFY(book.SupNom(1));
    QCOMPARE(book.lines(), (QStringList{lineFor("A100", "Un"), lineFor("A108", "Trois")}));
}

void TestContactsCore::foreignAndBlankLinesSurvive()
{
    const QStringList foreign{" ", "", "a100 minuscule", "#commentaire", "Zorro sans tabulation", "-----"};
    AddressBook book;
    book.setLines(foreign + QStringList{lineFor("A100", "Un")});
    book.AjoutNom(named("Deux"));
    book.EcritNoms();
    QCOMPARE(book.lines().mid(0, foreign.size()), foreign);
    QCOMPARE(keysOf(book.lines().mid(foreign.size())), (QStringList{"A100", "A108"}));
    book.setLetter(u'Z');
    QCOMPARE(book.page().size(), 1); // "Zorro ..." shows on page Z as it is
    QCOMPARE(book.page().first().fields.first(), QString("o sans tabulation"));
}

void TestContactsCore::fullPageRefusesAdd()
{
    AddressBook book;
    for (int i = 0; i < AddressBook::MaxContactsPerPage; ++i)
        QVERIFY(book.AjoutNom(named(QString::number(i))));
    QVERIFY(book.isPageFull());
    QVERIFY(!book.AjoutNom(named("de trop")));
    QVERIFY(book.EcritNoms());
    QCOMPARE(book.lines().size(), 1 + AddressBook::MaxContactsPerPage);
    QCOMPARE(book.lines().last().left(5), QString("A996\u00A0"));
}

void TestContactsCore::oversizedPageIsNeverRenumbered()
{
    QStringList lines;
    for (int i = 0; i < 120; ++i)
        lines << lineFor("A100", QString::number(i));
    AddressBook book;
    book.setLines(lines);
    QCOMPARE(book.page().size(), 120);
    QVERIFY(!book.MajNoms(0, named("changé")));
    QCOMPARE(book.lines(), lines);
    // Deleting works on the store as it is.
    QVERIFY(book.SupNom(119));
    QCOMPARE(book.lines(), lines.mid(0, 119));
}

// ---------------------------------------------------------------------------
// Birthdays

void TestContactsCore::monthListsSortedByDay_data()
{
    QTest::addColumn<QStringList>("store");
    QTest::addColumn<QStringList>("march");

    QTest::newRow("days in any order")
        << QStringList{"0320 Claire", "0305 Anne", "0315 Bruno"} << QStringList{"05 Anne", "15 Bruno", "20 Claire"};
    QTest::newRow("same day by description, case ignored")
        << QStringList{"0310 bernard", "0310 Alice", "0310 Charles"}
        << QStringList{"10 Alice", "10 bernard", "10 Charles"};
    QTest::newRow("accented description among others")
        << QStringList{"0301 Fabien", "0301 Élise", "0301 Emma"} << QStringList{"01 Élise", "01 Emma", "01 Fabien"};
    QTest::newRow("other months and foreign lines left out")
        << QStringList{"0201 Février", "13xx", "", "0401 Avril", "0302 Mars"} << QStringList{"02 Mars"};
    QTest::newRow("a month line with nothing after it") << QStringList{"03"} << QStringList{""};
}

void TestContactsCore::monthListsSortedByDay()
{
    QFETCH(QStringList, store);
    QFETCH(QStringList, march);
    BirthdayBook book;
    book.setLines(store);
    QCOMPARE(book.GetMois(3), march);
    QCOMPARE(book.list(2), march);
}

void TestContactsCore::addFromEitherHalfYear_data()
{
    QTest::addColumn<int>("half");
    QTest::newRow("first half shown") << 0;
    QTest::newRow("second half shown") << 1;
}

void TestContactsCore::addFromEitherHalfYear()
{
    QFETCH(int, half);
    BirthdayBook book;
    book.setHalf(half);
    QVERIFY(book.AjoutAnniv(QDate(2026, 3, 15), "Paul"));
    QCOMPARE(book.lines(), QStringList{"0315 Paul"});
    QVERIFY(book.changed());
    book.setHalf(0);
    QCOMPARE(book.list(2), QStringList{"15 Paul"});
}

void TestContactsCore::changeKeepsMonth()
{
    BirthdayBook book;
    book.setLines({"0310 Alice", "0320 Bruno"});
    // Bruno picked on 5 July: stays in March, on the 5th, now first.
    QVERIFY(book.MajAnniv(2, 1, QDate(2026, 7, 5), "Bruno D."));
    QCOMPARE(book.list(2), (QStringList{"05 Bruno D.", "10 Alice"}));
    QVERIFY(book.EcritAnniv());
    QCOMPARE(book.lines(), (QStringList{"0305 Bruno D.", "0310 Alice"}));
    QVERIFY(!book.MajAnniv(2, 0, QDate(2026, 7, 5), QString())); // empty description
    QVERIFY(!book.MajAnniv(2, 5, QDate(2026, 7, 5), "x"));       // no such entry
}

void TestContactsCore::writeBackOnlyWhenChanged()
{
    BirthdayBook book;
    const QStringList store{"0712 Juillet", "0101 Nouvel an", "xx foreign", "1225 Noël"};
    book.setLines(store);
    QVERIFY(!book.EcritAnniv());
    QCOMPARE(book.lines(), store);

    book.remove(0, 0); // January
    QVERIFY(book.EcritAnniv());
    // Each month of the half-year goes to the end, in list order; the
    // other half and foreign lines stay where they were.
    QCOMPARE(book.lines(), (QStringList{"0712 Juillet", "xx foreign", "1225 Noël"}));
}

void TestContactsCore::addKeepsPendingChanges()
{
    BirthdayBook book;
    book.setLines({"0101 Alice"});
    book.MajAnniv(0, 0, QDate(2026, 1, 2), "Alice B.");
    book.AjoutAnniv(QDate(2026, 1, 3), "Carl");
    QCOMPARE(book.list(0), (QStringList{"02 Alice B.", "03 Carl"}));
}

void TestContactsCore::changeDialogDate_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("half");
    QTest::addColumn<QDate>("date");

    QTest::newRow("day of the entry, month of the list, planner's year")
        << "15 Paul" << 2 << 0 << QDate(2026, 3, 15);
    QTest::newRow("second half-year list") << "01 Rentrée" << 2 << 1 << QDate(2026, 9, 1);
    QTest::newRow("29 February moves to a leap year") << "29 Léa" << 1 << 0 << QDate(2028, 2, 29);
    QTest::newRow("31 in a 30-day month is brought back") << "31 x" << 3 << 0 << QDate(2026, 4, 30);
    QTest::newRow("no day at all gives the 1st") << "ab" << 0 << 0 << QDate(2026, 1, 1);
}

void TestContactsCore::changeDialogDate()
{
    QFETCH(QString, entry);
    QFETCH(int, k);
    QFETCH(int, half);
    QFETCH(QDate, date);
    BirthdayBook book;
    book.setHalf(half);
    book.setLines({BirthdayBook::monthKey(book.monthOf(k)) + entry});
    QCOMPARE(book.dateOf(k, 0, 2026), date);
}

// ---------------------------------------------------------------------------
// To-do

void TestContactsCore::todoReading_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("todo");
    QTest::addColumn<QStringList>("done");

    QTest::newRow("as written") << QStringList{"<FAIRE>", "Appeler", "Ranger", "<FAIT>", "Payer"}
                                << QStringList{"Appeler", "Ranger"} << QStringList{"Payer"};
    QTest::newRow("markers in the other order") << QStringList{"<FAIT>", "Payer", "<FAIRE>", "Appeler"}
                                                << QStringList{"Appeler"} << QStringList{"Payer"};
    QTest::newRow("lines before the first marker dropped")
        << QStringList{"Perdu", "", "<FAIRE>", "Appeler"} << QStringList{"Appeler"} << QStringList{};
    QTest::newRow("entries beginning with <FAI are no entries")
        << QStringList{"<FAIRE>", "<FAIRE la vaisselle>", "<FAI", "Appeler", "<FAIT> ", "Ranger"}
        << QStringList{"Appeler", "Ranger"} << QStringList{};
    QTest::newRow("marker repeated: entries gather in one list")
        << QStringList{"<FAIRE>", "a", "<FAIT>", "b", "<FAIRE>", "c"} << QStringList{"a", "c"} << QStringList{"b"};
    QTest::newRow("no marker at all") << QStringList{"a", "b"} << QStringList{} << QStringList{};
    QTest::newRow("empty file") << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("markers differing in case are entries")
        << QStringList{"<FAIRE>", "<faire>"} << QStringList{"<faire>"} << QStringList{};
}

void TestContactsCore::todoReading()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, todo);
    QFETCH(QStringList, done);
    TodoList list;
    list.append(TodoList::Todo, "ancien");
    list.read(lines);
    QCOMPARE(list.todo(), todo);
    QCOMPARE(list.done(), done);
}

void TestContactsCore::todoFileBytes()
{
    TodoList list;
    list.append(TodoList::Todo, "Réparer");
    list.append(TodoList::Done, "Payer");
    QCOMPARE(TextFile::joinLines(list.toLines()), QByteArray("<FAIRE>\r\nR\xE9parer\r\n<FAIT>\r\nPayer\r\n"));
    TodoList empty;
    QCOMPARE(TextFile::joinLines(empty.toLines()), QByteArray("<FAIRE>\r\n<FAIT>\r\n"));
}

void TestContactsCore::pastedLineBreaksStayOnOneLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("CR LF") << "Anne\r\n0401 Zoé" << "Anne  0401 Zoé";
    QTest::newRow("LF") << "Anne\n<FAIT>" << "Anne <FAIT>";
}

void TestContactsCore::pastedLineBreaksStayOnOneLine()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    BirthdayBook birthdays;
    QVERIFY(birthdays.AjoutAnniv(QDate(2026, 3, 15), typed));
    QCOMPARE(birthdays.lines(), QStringList{"0315 " + kept});
    QVERIFY(birthdays.MajAnniv(2, 0, QDate(2026, 3, 16), typed));
    QVERIFY(birthdays.EcritAnniv());
    QCOMPARE(birthdays.lines(), QStringList{"0316 " + kept});

    TodoList todo;
    todo.append(TodoList::Todo, typed);
    todo.append(TodoList::Done, "x");
    todo.replace(TodoList::Done, 0, typed);
    TodoList back;
    back.read(TextFile::splitLines(TextFile::joinLines(todo.toLines())));
    QCOMPARE(back.todo(), QStringList{kept});
    QCOMPARE(back.done(), QStringList{kept});
}

QTEST_GUILESS_MAIN(TestContactsCore)
#include "test_contacts_core.moc"

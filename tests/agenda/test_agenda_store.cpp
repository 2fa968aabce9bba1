#include "agenda/AgendaOrder.h"
#include "agenda/AgendaStore.h"
#include "common/DateText.h"
#include "common/TextFile.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

// The appointment store: day reading (LitRdv), day and week write-back
// (MetRdv, EcritSemaine), adding and changing (AjoutJour, MajJour), and the
// order it is sorted and saved in.
class TestAgendaStore : public QObject
{
    Q_OBJECT

private slots:
    void dayItems_data();
    void dayItems();
    void dropShortTopLines_data();
    void dropShortTopLines();
    void setDayItems_data();
    void setDayItems();
    void weekWriteBackLeavesOtherWeeks();
    void weekWriteBackSortsSingleBlankFirst();
    void sortOrder_data();
    void sortOrder();
    void addAppointment_data();
    void addAppointment();
    void addedLineStaysAtTheEndUntilSorted();
    void changeAppointment_data();
    void changeAppointment();
    void lineEndsInMessageBecomeBlanks();
    void longMessageKeptWhole();
    void randomEditsAgreeWithPlainScan_data();
    void randomEditsAgreeWithPlainScan();
};

namespace {

const QDate kMonday(2006, 1, 9);

// The items of one key by a plain scan of every line, as the store defines
// them.
QStringList scanItems(const QStringList &lines, const QString &key)
{
    QStringList out;
    for (const QString &l : lines) {
        if (l.size() >= 8 && l.left(8) == key)
            out << l.mid(8);
    }
    return out;
}

AgendaStore storeOf(const QStringList &lines)
{
    AgendaStore s;
    s.setLines(lines);
    return s;
}

} // namespace

void TestAgendaStore::dayItems_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("leading-blank hour and two-digit hour")
        << QStringList{"20060109 9:30 Dentiste", "2006010910:00 Réunion"} << kMonday
        << QStringList{" 9:30 Dentiste", "10:00 Réunion"};
    QTest::newRow("only the lines of that date")
        << QStringList{"2006010808:00 Dimanche", "2006010909:00 Lundi", "2006011009:00 Mardi"} << kMonday
        << QStringList{"09:00 Lundi"};
    QTest::newRow("single blank line and short lines carry nothing")
        << QStringList{" ", "2006010", "20060109", "2006010912:00 Midi"} << kMonday
        << QStringList{"", "12:00 Midi"};
    QTest::newRow("line appended after the sorted run")
        << QStringList{"2006010909:00 A", "2006011009:00 B", "2006010908:00 C"} << kMonday
        << QStringList{"09:00 A", "08:00 C"};
    QTest::newRow("malformed key before and after")
        << QStringList{"2006:109 x", "2006010909:00 A", "abcdefgh", "2006010911:00 B"} << kMonday
        << QStringList{"09:00 A", "11:00 B"};
    QTest::newRow("unsorted file in store order")
        << QStringList{"2006011009:00 B", "2006010918:00 Z", "2006010807:00 Y", "2006010907:00 A"} << kMonday
        << QStringList{"18:00 Z", "07:00 A"};
    QTest::newRow("empty store") << QStringList{} << kMonday << QStringList{};
    QTest::newRow("29 february")
        << QStringList{"2024022908:00 Bissextile", "2024030108:00 Mars"} << QDate(2024, 2, 29)
        << QStringList{"08:00 Bissextile"};
}

void TestAgendaStore::dayItems()
{
    QFETCH(QStringList, lines);
    QFETCH(QDate, day);
    QFETCH(QStringList, items);

    const AgendaStore s = storeOf(lines);
    QCOMPARE(s.dayItems(day), items);
    QCOMPARE(s.lines(), lines); // reading changes nothing
}

void TestAgendaStore::dropShortTopLines_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("kept");

    QTest::newRow("single blank") << QStringList{" ", "2006010909:00 A"} << QStringList{"2006010909:00 A"};
    QTest::newRow("several short lines") << QStringList{"", " ", "1234567", "2006010909:00 A"}
                                         << QStringList{"1234567", "2006010909:00 A"};
    QTest::newRow("short lines below a long one stay")
        << QStringList{" ", "2006010909:00 A", " ", "x"} << QStringList{"2006010909:00 A", " ", "x"};
    QTest::newRow("8 characters stop the removal") << QStringList{"20060109", " "} << QStringList{"20060109", " "};
    QTest::newRow("only short lines") << QStringList{" ", ""} << QStringList{};
    AgendaStore saved = storeOf(TextFile::read(QFINDTESTDATA("data/short_line.orz")).value_or(QStringList()));
    saved.sort(); // the user's short line sorts first
    QTest::newRow("user's short line") << saved.lines() << QStringList{"2006", "20060109 9:30 Dentiste"};
}

void TestAgendaStore::dropShortTopLines()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, kept);

    AgendaStore s = storeOf(lines);
    s.dropShortTopLines();
    QCOMPARE(s.lines(), kept);
}

void TestAgendaStore::setDayItems_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("day replaced, items appended")
        << QStringList{"2006010807:00 Y", "2006010909:00 A", "2006010910:00 B", "2006011009:00 C"}
        << QStringList{"11:00 N"}
        << QStringList{"2006010807:00 Y", "2006011009:00 C", "2006010911:00 N"};
    QTest::newRow("day emptied") << QStringList{"2006010909:00 A", "2006011009:00 C"} << QStringList{}
                                 << QStringList{"2006011009:00 C"};
    QTest::newRow("empty store stays empty") << QStringList{} << QStringList{} << QStringList{};
    QTest::newRow("single blank kept") << QStringList{" "} << QStringList{" 9:30 Dentiste"}
                                       << QStringList{" ", "20060109 9:30 Dentiste"};
    QTest::newRow("lines of the day in the unsorted tail go too")
        << QStringList{"2006010909:00 A", "2006011009:00 C", "2006010908:00 T"} << QStringList{"12:00 M"}
        << QStringList{"2006011009:00 C", "2006010912:00 M"};
    QTest::newRow("pasted item without time kept as it is")
        << QStringList{"2006010909:00 A"} << QStringList{"09:00 A", "texte collé"}
        << QStringList{"2006010909:00 A", "20060109texte collé"};
}

void TestAgendaStore::setDayItems()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, items);
    QFETCH(QStringList, after);

    AgendaStore s = storeOf(lines);
    s.setDayItems(kMonday, items);
    QCOMPARE(s.lines(), after);
    QCOMPARE(s.dayItems(kMonday), items);
}

void TestAgendaStore::weekWriteBackLeavesOtherWeeks()
{
    const QStringList lines{"2005123112:00 Réveillon", "2006010808:00 Dimanche avant",
                            "2006010909:00 Lundi",     "2006011209:00 Jeudi",
                            "2006011509:00 Dimanche",  "2006011609:00 Lundi suivant",
                            "2007010109:00 An"};
    AgendaStore s = storeOf(lines);
    std::array<QStringList, 7> week;
    week[0] = {"09:00 Lundi", " 8:15 Tôt"};
    week[3] = {};
    week[6] = {"09:00 Dimanche", "20:00 Film"};
    s.setWeekItems(kMonday, week);

    QCOMPARE(s.lines(), (QStringList{"2005123112:00 Réveillon", "2006010808:00 Dimanche avant",
                                     "20060109 8:15 Tôt", "2006010909:00 Lundi", "2006011509:00 Dimanche",
                                     "2006011520:00 Film", "2006011609:00 Lundi suivant", "2007010109:00 An"}));
    QVERIFY(s.isSorted());
}

void TestAgendaStore::weekWriteBackSortsSingleBlankFirst()
{
    AgendaStore s; // a new document: one blank line
    std::array<QStringList, 7> week;
    week[2] = {"10:00 B", "09:00 A"};
    s.setWeekItems(kMonday, week);
    QCOMPARE(s.lines(), (QStringList{" ", "2006011109:00 A", "2006011110:00 B"}));
}

void TestAgendaStore::sortOrder_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("sorted");

    QTest::newRow("date then time")
        << QStringList{"2006011009:00 B", "2006010910:00 A", "2005123123:00 Z"}
        << QStringList{"2005123123:00 Z", "2006010910:00 A", "2006011009:00 B"};
    QTest::newRow("leading-blank hour before ten")
        << QStringList{"2006010910:00 B", "20060109 9:30 A", "2006010909:45 C"}
        << QStringList{"20060109 9:30 A", "2006010909:45 C", "2006010910:00 B"};
    QTest::newRow("case ignored in messages")
        << QStringList{"2006010910:00 banque", "2006010910:00 Avocat", "2006010910:00 coiffeur"}
        << QStringList{"2006010910:00 Avocat", "2006010910:00 banque", "2006010910:00 coiffeur"};
    QTest::newRow("accented letters beside their base letter")
        << QStringList{"2006010910:00 Fête", "2006010910:00 Zoo", "2006010910:00 École", "2006010910:00 Eau"}
        << QStringList{"2006010910:00 Eau", "2006010910:00 École", "2006010910:00 Fête", "2006010910:00 Zoo"};
    QTest::newRow("lines equal but for case keep their order")
        << QStringList{"2006010910:00 RDV", "2006010910:00 rdv", "2006010909:00 x", "2006010910:00 Rdv"}
        << QStringList{"2006010909:00 x", "2006010910:00 RDV", "2006010910:00 rdv", "2006010910:00 Rdv"};
    QTest::newRow("single blank first, empty line before it")
        << QStringList{"2006010910:00 A", " ", ""} << QStringList{"", " ", "2006010910:00 A"};
    QTest::newRow("short line before longer lines of the same start")
        << QStringList{"2006010910:00 A", "20060109"} << QStringList{"20060109", "2006010910:00 A"};
    QTest::newRow("letters after digits whatever their case")
        << QStringList{"note", "2006010910:00 A", "Agenda"}
        << QStringList{"2006010910:00 A", "Agenda", "note"};
}

void TestAgendaStore::sortOrder()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, sorted);

    AgendaStore s = storeOf(lines);
    s.sort();
    QCOMPARE(s.lines(), sorted);
    QVERIFY(s.isSorted());
    // The same order appended one line at a time to a sorted store.
    AgendaStore grown = storeOf({});
    for (const QString &l : lines) {
        grown.append(l);
        grown.sort();
    }
    QCOMPARE(grown.lines(), sorted);
}

void TestAgendaStore::addAppointment_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("after");

    const QStringList monday{"2006010910:00 Réunion", "2006010911:00 Café"};
    QTest::newRow("same date and time replaced")
        << monday << "10:00" << "Dentiste" << QStringList{"2006010911:00 Café", "2006010910:00 Dentiste"};
    QTest::newRow("other time kept") << monday << "10:30" << "Dentiste"
                                     << QStringList{"2006010910:00 Réunion", "2006010911:00 Café",
                                                    "2006010910:30 Dentiste"};
    QTest::newRow("only the first of two same times replaced")
        << QStringList{"2006010910:00 A", "2006010910:00 B"} << "10:00" << "C"
        << QStringList{"2006010910:00 B", "2006010910:00 C"};
    QTest::newRow("leading blank differs from zero")
        << QStringList{"2006010909:30 Zéro"} << " 9:30" << "Blanc"
        << QStringList{"2006010909:30 Zéro", "20060109 9:30 Blanc"};
    QTest::newRow("added to a new document")
        << QStringList{" "} << "10:00" << "Premier" << QStringList{" ", "2006010910:00 Premier"};
}

void TestAgendaStore::addAppointment()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, time);
    QFETCH(QString, message);
    QFETCH(QStringList, after);

    AgendaStore s = storeOf(lines);
    s.addAppointment(DateText::key(kMonday), time, message);
    QCOMPARE(s.lines(), after);
}

void TestAgendaStore::addedLineStaysAtTheEndUntilSorted()
{
    AgendaStore s = storeOf({"2006010910:00 A", "2006011210:00 B"});
    s.addAppointment(QStringLiteral("20060101"), QStringLiteral("08:00"), QStringLiteral("Tôt"));
    QCOMPARE(s.lines().constLast(), QStringLiteral("2006010108:00 Tôt"));
    QVERIFY(!s.isSorted());
    QCOMPARE(s.dayItems(QDate(2006, 1, 1)), QStringList{"08:00 Tôt"});
    s.sort();
    QCOMPARE(s.lines().constFirst(), QStringLiteral("2006010108:00 Tôt"));
}

void TestAgendaStore::changeAppointment_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("oldItem");
    QTest::addColumn<QDate>("newDate");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("time changed")
        << QStringList{"2006010910:00 Réunion", "2006011009:00 X"} << "10:00 Réunion" << kMonday << "11:00"
        << "Réunion" << QStringList{"2006011009:00 X", "2006010911:00 Réunion"};
    QTest::newRow("moved to another week")
        << QStringList{"2006010910:00 Réunion"} << "10:00 Réunion" << QDate(2006, 2, 1) << "10:00" << "Réunion"
        << QStringList{"2006020110:00 Réunion"};
    QTest::newRow("whole item chosen among same times")
        << QStringList{"2006010910:00 A", "2006010910:00 B"} << "10:00 B" << kMonday << "10:00" << "B2"
        << QStringList{"2006010910:00 A", "2006010910:00 B2"};
    QTest::newRow("first of the same time when the item is not stored")
        << QStringList{"2006010910:00 A", "2006010910:00 B"} << "10:00 collé" << kMonday << "12:00" << "C"
        << QStringList{"2006010910:00 B", "2006010912:00 C"};
    QTest::newRow("nothing stored: only appended")
        << QStringList{"2006010909:00 A"} << "14:00 collé" << kMonday << "14:00" << "collé"
        << QStringList{"2006010909:00 A", "2006010914:00 collé"};
    QTest::newRow("leading-blank hour item")
        << QStringList{"20060109 9:30 Dentiste"} << " 9:30 Dentiste" << kMonday << " 8:00" << "Dentiste"
        << QStringList{"20060109 8:00 Dentiste"};
}

void TestAgendaStore::changeAppointment()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, oldItem);
    QFETCH(QDate, newDate);
    QFETCH(QString, time);
    QFETCH(QString, message);
    QFETCH(QStringList, after);

    AgendaStore s = storeOf(lines);
    s.changeAppointment(kMonday, oldItem, DateText::key(newDate), time, message);
    QCOMPARE(s.lines(), after);
}

void TestAgendaStore::lineEndsInMessageBecomeBlanks()
{
    AgendaStore s = storeOf({});
    s.addAppointment(QStringLiteral("20060109"), QStringLiteral("10:00"), QStringLiteral("a\r\nb\nc"));
    QCOMPARE(s.lines(), QStringList{"2006010910:00 a b c"});
}

void TestAgendaStore::longMessageKeptWhole()
{
    const QString message(300, u'x');
    AgendaStore s = storeOf({});
    s.addAppointment(QStringLiteral("20060109"), QStringLiteral("10:00"), message);
    const QStringList items = s.dayItems(kMonday);
    QCOMPARE(items, QStringList{"10:00 " + message});
    // Written back as read: nothing is cut.
    std::array<QStringList, 7> week;
    week[0] = items;
    s.setWeekItems(kMonday, week);
    QCOMPARE(s.lines(), QStringList{"2006010910:00 " + message});
}

void TestAgendaStore::randomEditsAgreeWithPlainScan_data()
{
    QTest::addColumn<bool>("sortedFile");
    QTest::addColumn<int>("lineCount");
    QTest::newRow("sorted file, short tail") << true << 400;
    QTest::newRow("unsorted file, long tail") << false << 400;
}

// Random stores and random edits: the day lookups agree with a plain scan
// of the lines, and every sort gives what a full stable sort gives.
void TestAgendaStore::randomEditsAgreeWithPlainScan()
{
    QFETCH(bool, sortedFile);
    QFETCH(int, lineCount);

    QRandomGenerator rng(20260107);
    const QDate first(2006, 1, 2);
    const auto randomDay = [&] { return first.addDays(rng.bounded(60)); };
    const auto randomItem = [&] {
        static const QStringList words{"Dentiste", "dentiste", "Réunion", "école", "Banque", "zoo"};
        return QStringLiteral("%1:%2 %3")
            .arg(rng.bounded(24), 2, 10, QLatin1Char(rng.bounded(3) == 0 ? ' ' : '0'))
            .arg(rng.bounded(4) * 15, 2, 10, QLatin1Char('0'))
            .arg(words[rng.bounded(words.size())]);
    };

    QStringList lines{" "};
    for (int i = 0; i < lineCount; ++i)
        lines << DateText::key(randomDay()) + randomItem();
    if (sortedFile)
        std::stable_sort(lines.begin(), lines.end(), AgendaOrder::lineLess);
    AgendaStore s = storeOf(lines);

    for (int step = 0; step < 300; ++step) {
        const QDate d = randomDay();
        const QString key = DateText::key(d);
        switch (rng.bounded(5)) {
        case 0:
            s.addAppointment(key, randomItem().left(5), QStringLiteral("ajout"));
            break;
        case 1: {
            const QStringList items = s.dayItems(d);
            if (!items.isEmpty())
                s.changeAppointment(d, items[rng.bounded(items.size())], DateText::key(randomDay()),
                                    QStringLiteral("12:00"), QStringLiteral("changé"));
            break;
        }
        case 2: {
            QStringList items = s.dayItems(d);
            if (!items.isEmpty())
                items.removeAt(rng.bounded(items.size()));
            items << randomItem();
            s.setDayItems(d, items);
            break;
        }
        case 3: {
            QStringList expected = s.lines();
            std::stable_sort(expected.begin(), expected.end(), AgendaOrder::lineLess);
            s.sort();
            QCOMPARE(s.lines(), expected);
            break;
        }
        default:
            break;
        }
        for (int k = 0; k < 5; ++k) {
            const QString probe = DateText::key(randomDay());
            QCOMPARE(s.dayItems(probe), scanItems(s.lines(), probe));
        }
    }
}

QTEST_GUILESS_MAIN(TestAgendaStore)
#include "test_agenda_store.moc"

#include "agenda/AgendaOrder.h"
#include "agenda/AgendaStore.h"
#include "common/DateText.h"
#include "common/TextFile.h"

#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {
const QDate kMonday(2006, 1, 9);

AgendaStore storeOf(const QStringList &lines)
{
    AgendaStore s;
    s.setLines(lines);
    return s;
}

} // namespace

// The appointment store: day reading, day and week write-back, adding and
// changing, and the order it is sorted and saved in.
class TestAgendaStore : public QObject
{
    Q_OBJECT

private slots:
    // One store operation on the lines of a store ('|' separates lines and arguments; days of Monday 9 January
    // 2006 unless a key is given): day: the items of a key; setday: the day's items replaced; week: day N of the
    // week replaced, Sunday set to "20:00 Film" and the rest emptied; add/change: an appointment added or changed.
    void operations_data()
    {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("arg");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &lines, const QString &arg, const QString &expected) {
            QTest::newRow(name) << lines << arg << expected;
        };
        const QString x300(300, u'x');
        row("day: leading-blank and two-digit hour", "20060109 9:30 Dentiste|2006010910:00 Réunion", "",
            " 9:30 Dentiste|10:00 Réunion");
        row("day: only that date", "2006010808:00 Dimanche|2006010909:00 Lundi|2006011009:00 Mardi", "", "09:00 Lundi");
        row("day: single blank and short lines carry nothing", " |2006010|20060109|2006010912:00 Midi", "",
            "|12:00 Midi");
        row("day: line appended after the sorted run", "2006010909:00 A|2006011009:00 B|2006010908:00 C", "20060109",
            "09:00 A|08:00 C");
        row("day: malformed key before and after", "2006:109 x|2006010909:00 A|abcdefgh|2006010911:00 B", "20060109",
            "09:00 A|11:00 B");
        row("day: unsorted file in store order", "2006011009:00 B|2006010918:00 Z|2006010807:00 Y|2006010907:00 A",
            "20060109", "18:00 Z|07:00 A");
        row("day: empty store", "", "", "");
        row("day: 29 february", "2024022908:00 Bissextile|2024030108:00 Mars", "20240229", "08:00 Bissextile");
        row("day: long message whole", "2006010910:00 " + x300, "", "10:00 " + x300);
        row("drop: single blank", " |2006010909:00 A", "", "2006010909:00 A");
        row("drop: several short lines", "| |1234567|2006010909:00 A", "", "1234567|2006010909:00 A");
        row("drop: short lines below a long one stay", " |2006010909:00 A| |x", "", "2006010909:00 A| |x");
        row("drop: 8 characters stop the removal", "20060109| ", "", "20060109| ");
        row("drop: only short lines", " |", "", "");
        AgendaStore saved = storeOf(TextFile::read(QFINDTESTDATA("data/short_line.orz")).value_or(QStringList()));
        saved.sort(); // the user's short line sorts first
        row("drop: user's short line", saved.lines().join(u'|'), "", "2006|20060109 9:30 Dentiste");
        row("setday: day replaced, items appended", "2006010807:00 Y|2006010909:00 A|2006010910:00 B|2006011009:00 C",
            "11:00 N", "2006010807:00 Y|2006011009:00 C|2006010911:00 N");
        row("setday: day emptied", "2006010909:00 A|2006011009:00 C", "", "2006011009:00 C");
        row("setday: empty store stays empty", "", "", "");
        row("setday: single blank kept", " ", " 9:30 Dentiste", " |20060109 9:30 Dentiste");
        row("setday: the day's lines in the unsorted tail go too", "2006010909:00 A|2006011009:00 C|2006010908:00 T",
            "12:00 M", "2006011009:00 C|2006010912:00 M");
        row("setday: pasted item without time kept", "2006010909:00 A", "09:00 A|texte collé",
            "2006010909:00 A|20060109texte collé");
        row("week: other weeks left, week sorted in",
            "2005123112:00 Réveillon|2006010808:00 Dimanche avant|2006010909:00 Lundi|2006011209:00 Jeudi|"
            "2006011509:00 Dimanche|2006011609:00 Lundi suivant|2007010109:00 An",
            "0|09:00 Lundi| 8:15 Tôt",
            "2005123112:00 Réveillon|2006010808:00 Dimanche avant|20060109 8:15 Tôt|2006010909:00 Lundi|"
            "2006011520:00 Film|2006011609:00 Lundi suivant|2007010109:00 An");
        row("week: single blank first", " ", "2|10:00 B|09:00 A",
            " |2006011109:00 A|2006011110:00 B|2006011520:00 Film");
        row("week: tab of an item read from the file kept", "2006010910:00 a\tb", "0|10:00 a\tb",
            "2006010910:00 a\tb|2006011520:00 Film");
        row("week: long message not cut", "2006010910:00 " + x300, "0|10:00 " + x300,
            "2006010910:00 " + x300 + "|2006011520:00 Film");
        row("sort: date then time", "2006011009:00 B|2006010910:00 A|2005123123:00 Z", "",
            "2005123123:00 Z|2006010910:00 A|2006011009:00 B");
        row("sort: leading-blank hour before ten", "2006010910:00 B|20060109 9:30 A|2006010909:45 C", "",
            "20060109 9:30 A|2006010909:45 C|2006010910:00 B");
        row("sort: case ignored in messages", "2006010910:00 banque|2006010910:00 Avocat|2006010910:00 coiffeur", "",
            "2006010910:00 Avocat|2006010910:00 banque|2006010910:00 coiffeur");
        row("sort: accented letters beside their base letter",
            "2006010910:00 Fête|2006010910:00 Zoo|2006010910:00 École|2006010910:00 Eau", "",
            "2006010910:00 Eau|2006010910:00 École|2006010910:00 Fête|2006010910:00 Zoo");
        row("sort: lines equal but for case keep their order",
            "2006010910:00 RDV|2006010910:00 rdv|2006010909:00 x|2006010910:00 Rdv", "",
            "2006010909:00 x|2006010910:00 RDV|2006010910:00 rdv|2006010910:00 Rdv");
        row("sort: numbers in messages compare as text", "2006010910:00 Salle 9|2006010910:00 Salle 10", "",
            "2006010910:00 Salle 10|2006010910:00 Salle 9");
        row("sort: single blank first, empty line before it", "2006010910:00 A| |", "", "| |2006010910:00 A");
        row("sort: short line before longer ones of the same start", "2006010910:00 A|20060109", "",
            "20060109|2006010910:00 A");
        row("sort: letters after digits whatever their case", "note|2006010910:00 A|Agenda", "",
            "2006010910:00 A|Agenda|note");
        const QString monday = "2006010910:00 Réunion|2006010911:00 Café";
        row("add: same date and time replaced", monday, "20060109|10:00|Dentiste",
            "2006010911:00 Café|2006010910:00 Dentiste");
        row("add: other time kept", monday, "20060109|10:30|Dentiste", monday + "|2006010910:30 Dentiste");
        row("add: only the first of two same times replaced", "2006010910:00 A|2006010910:00 B", "20060109|10:00|C",
            "2006010910:00 B|2006010910:00 C");
        row("add: leading blank differs from zero", "2006010909:30 Zéro", "20060109| 9:30|Blanc",
            "2006010909:30 Zéro|20060109 9:30 Blanc");
        row("add: to a new document", " ", "20060109|10:00|Premier", " |2006010910:00 Premier");
        row("add: line ends in the message become blanks", "", "20060109|10:00|a\r\nb\nc", "2006010910:00 a b c");
        row("add: stays at the end until sorted", "2006010910:00 A|2006011210:00 B", "20060101|08:00|Tôt",
            "2006010910:00 A|2006011210:00 B|2006010108:00 Tôt");
        row("change: time", "2006010910:00 Réunion|2006011009:00 X", "10:00 Réunion|20060109|11:00|Réunion",
            "2006011009:00 X|2006010911:00 Réunion");
        row("change: moved to another week", "2006010910:00 Réunion", "10:00 Réunion|20060201|10:00|Réunion",
            "2006020110:00 Réunion");
        row("change: whole item chosen among same times", "2006010910:00 A|2006010910:00 B",
            "10:00 B|20060109|10:00|B2", "2006010910:00 A|2006010910:00 B2");
        row("change: first of the same time when the item is not stored", "2006010910:00 A|2006010910:00 B",
            "10:00 collé|20060109|12:00|C", "2006010910:00 B|2006010912:00 C");
        row("change: nothing stored, only appended", "2006010909:00 A", "14:00 collé|20060109|14:00|collé",
            "2006010909:00 A|2006010914:00 collé");
        row("change: leading-blank hour item", "20060109 9:30 Dentiste", " 9:30 Dentiste|20060109| 8:00|Dentiste",
            "20060109 8:00 Dentiste");
    }
    void operations()
    {
        const QString op = QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0);
        QFETCH(QString, lines);
        QFETCH(QString, arg);
        QFETCH(QString, expected);
        const auto split = [](const QString &s) { return s.isEmpty() ? QStringList() : s.split(u'|'); };
        AgendaStore s = storeOf(split(lines));
        QStringList a = split(arg);
        if (op == "day") {
            QCOMPARE(s.dayItems(arg.isEmpty() ? DateText::key(kMonday) : arg).join(u'|'), expected);
            QCOMPARE(s.lines(), split(lines)); // reading changes nothing
            return;
        }
        if (op == "drop")
            s.dropShortTopLines();
        if (op == "setday") {
            s.setDayItems(kMonday, a);
            QCOMPARE(s.dayItems(kMonday), a);
        }
        if (op == "week") {
            std::array<QStringList, 7> week;
            week[a.takeFirst().toInt()] = a;
            week[6] = {"20:00 Film"};
            s.setWeekItems(kMonday, week);
        }
        if (op == "sort")
            s.sort();
        if (op == "sort" || op == "week")
            QVERIFY(s.isSorted());
        if (op == "add")
            s.addAppointment(a[0], a[1], a[2]);
        if (op == "change")
            s.changeAppointment(kMonday, a[0], a[1], a[2], a[3]);
        QCOMPARE(s.lines().join(u'|'), expected);
    }

    // Random stores and random edits: the day lookups agree with a plain scan
    // of the lines, and every sort gives what a full stable sort gives; from a sorted file (short unsorted
    // tail) and from an unsorted one.
    void randomEditsAgreeWithPlainScan()
    {
        QRandomGenerator rng(20260107);
        const auto randomDay = [&] { return QDate(2006, 1, 2).addDays(rng.bounded(60)); };
        const auto randomItem = [&] {
            static const QStringList words{"Dentiste", "dentiste", "Réunion", "école", "Banque", "zoo"};
            return QStringLiteral("%1:%2 %3")
                .arg(rng.bounded(24), 2, 10, QLatin1Char(rng.bounded(3) == 0 ? ' ' : '0'))
                .arg(rng.bounded(4) * 15, 2, 10, QLatin1Char('0'))
                .arg(words[rng.bounded(words.size())]);
        };
        const auto scanItems = [](const QStringList &lines, const QString &key) { // a plain scan of every line
            QStringList out;
            for (const QString &l : lines)
                if (l.size() >= 8 && l.left(8) == key)
                    out << l.mid(8);
            return out;
        };
        for (bool sortedFile : {true, false}) {
            QStringList lines{" "};
            for (int i = 0; i < 400; ++i)
                lines << DateText::key(randomDay()) + randomItem();
            if (sortedFile)
                std::stable_sort(lines.begin(), lines.end(), AgendaOrder::lineLess);
            AgendaStore s = storeOf(lines);
            for (int step = 0; step < 300; ++step) {
                const QDate d = randomDay();
                QStringList items = s.dayItems(d);
                const int op = rng.bounded(5);
                if (op == 0)
                    s.addAppointment(DateText::key(d), randomItem().left(5), QStringLiteral("ajout"));
                if (op == 1 && !items.isEmpty())
                    s.changeAppointment(d, items[rng.bounded(items.size())], DateText::key(randomDay()),
                                        QStringLiteral("12:00"), QStringLiteral("changé"));
                if (op == 2 && !items.isEmpty())
                    items.removeAt(rng.bounded(items.size()));
                if (op == 2)
                    s.setDayItems(d, items << randomItem());
                if (op == 3) {
                    QStringList expected = s.lines();
                    std::stable_sort(expected.begin(), expected.end(), AgendaOrder::lineLess);
                    s.sort();
                    QCOMPARE(s.lines(), expected);
                }
                for (int k = 0; k < 5; ++k) {
                    const QString probe = DateText::key(randomDay());
                    QCOMPARE(s.dayItems(probe), scanItems(s.lines(), probe));
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestAgendaStore)
#include "test_agenda_store.moc"

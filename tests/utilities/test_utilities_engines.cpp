#include "utilities/CalendarRules.h"
#include "utilities/ClockSetting.h"
#include "utilities/EuroConverter.h"
#include "utilities/FirstNames.h"
#include "utilities/LetterScale.h"
#include "utilities/PocketCalculator.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <tuple>

using Counts = QList<QPair<int, int>>; // (SpinEdit number, count)
Q_DECLARE_METATYPE(LetterScale::Tariff)

class TestUtilitiesEngines : public QObject
{
    Q_OBJECT

private slots:
    void letterScale_data()
    {
        using T = LetterScale::Tariff;
        QTest::addColumn<Counts>("counts");
        QTest::addColumn<T>("tariff");
        QTest::addColumn<QStringList>("shown");
        // name | SpinEdit number x count ("each": one of every item) | tariff | weight;francs;euros
        const QString rows = QStringLiteral(R"(
empty letter | - | R | 0 g;3,00 F;0,46 E
A4 in 110x220, 9.5 g | 9x1 2x1 | R | 10 g;3,00 F;0,46 E
five photos and 2 g: 20 g | 18x5 20x2 | R | 20 g;3,00 F;0,46 E
eight A4 to the EU: 40 g | 9x8 | U | 40 g;6,00 F;0,91 E
EU 80 g | 20x80 | U | 80 g;8,00 F;1,22 E
EU 200 g | 20x200 | U | 200 g;28,00 F;4,27 E
EU 300 g | 20x200 10x10 | U | 300 g;28,00 F;4,27 E
EU 400 g | 20x200 10x20 | U | 400 g;35,00 F;5,34 E
EU 1001 g | 20x1 10x100 | U | 1001 g;0,00 F;0,00 E
extra 200 g | 20x200 | R | 200 g;11,50 F;1,75 E
Ecopli 250 g | 17x2 20x78 | E | 250 g;8,00 F;1,22 E
Ecopli 251 g | 17x2 20x79 | E | 251 g;0,00 F;0,00 E
rapide 500 g | 10x50 | R | 500 g;16,00 F;2,44 E
rapide 501 g | 10x50 20x1 | R | 501 g;21,00 F;3,20 E
EU 501 g | 10x50 20x1 | U | 501 g;47,00 F;7,17 E
rapide 3000 g | 10x200 9x200 | R | 3000 g;33,00 F;5,03 E
rapide 2000.4 g | 20x1999 12x1 | R | 2000 g;33,00 F;5,03 E
Ecopli 50 g | 20x50 | E | 50 g;3,50 F;0,53 E
rapide 1001 g | 10x100 20x1 | R | 1001 g;28,00 F;4,27 E
one of each, 421.7 g | each | R | 422 g;16,00 F;2,44 E
padded 280x370 counts | 21x1 | R | 38 g;4,50 F;0,69 E
)");
        for (const QString &row : rows.trimmed().split(u'\n')) {
            const QStringList f = row.split(QStringLiteral(" | "));
            Counts counts;
            for (int n = 1; f[1] == u"each" && n <= LetterScale::ItemCount; ++n)
                counts.append({n, 1});
            for (const QString &c : f[1].split(u' ').filter(QStringLiteral("x")))
                counts.append({c.section(u'x', 0, 0).toInt(), c.section(u'x', 1).toInt()});
            const T tariff = f[2] == u"R" ? T::FranceRapide : f[2] == u"U" ? T::UnionEuropeenne : T::FranceEcopli;
            QTest::newRow(qPrintable(f[0])) << counts << tariff << f[3].split(u';');
        }
    }
    void letterScale()
    {
        QFETCH(Counts, counts);
        QFETCH(LetterScale::Tariff, tariff);
        std::array<int, LetterScale::ItemCount> c{};
        for (auto [n, v] : counts)
            c[n - 1] = v;
        const LetterScale::Result r = LetterScale::compute(c, tariff);
        QTEST((QStringList{r.weight, r.francs, r.euros}), "shown");
    }

    // Keys: digits, "," "." typed; "=" converts; "v" "^" nudge the rate.
    void euroConverter_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("toFrancs");
        QTest::addColumn<QStringList>("shown"); // input, result, rate
        QTest::newRow("1.5 francs") << "1.5=" << false << QStringList{"1,5", "0,23", "6,55957"};
        QTest::newRow("10 francs") << "10=" << false << QStringList{"10", "1,52", "6,55957"};
        QTest::newRow("100 francs") << "100=" << false << QStringList{"100", "15,24", "6,55957"};
        QTest::newRow("exact euros") << "655,957=" << false << QStringList{"655,957", "100", "6,55957"};
        QTest::newRow("1 euro") << "1=" << true << QStringList{"1", "6,6", "6,55957"};
        QTest::newRow("10 euros") << "10=" << true << QStringList{"10", "65,6", "6,55957"};
        QTest::newRow("= twice") << "10==" << false << QStringList{"10", "1,52", "6,55957"};
        QTest::newRow("typing after a result") << "10=7" << false << QStringList{"7", "", "6,55957"};
        QTest::newRow("empty input") << "=" << false << QStringList{"", "", "6,55957"};
        QTest::newRow("not a number") << "10=1,2,3=" << false << QStringList{"1,2,3", "", "6,55957"};
        QTest::newRow("rate down") << "v100000=" << true << QStringList{"100000", "655956", "6,55956"};
        QTest::newRow("rate up") << "^^" << false << QStringList{"", "", "6,55959"};
        QTest::newRow("Shift alone after a result")
            << "10=" + QString(QChar()) << false << QStringList{"10", "1,52", "6,55957"};
    }
    void euroConverter()
    {
        QFETCH(QString, keys);
        QFETCH(bool, toFrancs);
        EuroConverter e;
        e.direction = toFrancs ? EuroConverter::Direction::EurosToFrancs : EuroConverter::Direction::FrancsToEuros;
        for (QChar k : keys) {
            if (k == QLatin1Char('='))
                e.convert();
            else if (k == QLatin1Char('v'))
                e.rateDown();
            else if (k == QLatin1Char('^'))
                e.rateUp();
            else
                e.typeKey(k);
        }
        QTEST((QStringList{e.input(), e.result(), e.rateText()}), "shown");
    }

    void calculator_data()
    {
        using E = PocketCalculator::Error;
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<PocketCalculator::Error>("error");
        struct Row
        {
            const char *name, *keys, *display;
            E error = E::None;
        };
        for (const Row &r : std::initializer_list<Row>{
                 {"7+8=", "7+8=", "15"},
                 {"repeated =", "7+8==", "30"},
                 {"operator after a result", "2+3=*4=", "40"},
                 {"C keeps the new-number flag", "2+3=c,5", "5"},
                 {"1/x", "4x", "0,25"},
                 {"sqr is the root", "9s", "3"},
                 {"root of zero", "0s", "0"},
                 {"1,05 is not cut", "1,05+0=", "1,05"},
                 {"binary noise", "0,1+0,2=", "0,3"},
                 {"a third, 12 digits", "1/3=", "0,333333333333"},
                 {"no exponent for 1/x", "100000x", "0,00001"},
                 {"no exponent for a product", "123456789*987654321=", "121932631113000000"},
                 {"the minus sign counts", "0-12345678901234567000=", "-1,23456789012e+19"},
                 {"exponent past 20 characters", "123456789*987654321*1000=", "1,21932631113e+20"},
                 {"comma after a result", "2+3=,", "5,"},
                 {"empty display on first =", "=", ""},
                 {"division by zero", "1/0=", "0", E::DivisionByZero},
                 {"root of a negative", "2-5=s", "-3", E::NegativeRoot},
                 {"1/x of zero", "0x", "0", E::DivisionByZero},
                 {"display not a number", "2+3,,4=", "3,,4", E::NotANumber},
                 {"1/x of not a number", "3,,4x", "3,,4", E::NotANumber},
                 {"root of not a number", "3,,4s", "3,,4", E::NotANumber},
             })
            QTest::newRow(r.name) << QString(r.keys) << QString(r.display) << r.error;
        QTest::newRow("past the largest number")
            << "9999999999*9999999999" + QString(31, u'=') << "9,999999984e+159" << E::Overflow;
        // a - (a - 1),x for a = 1..100 and x = 1..9, 10 - 9,9 among them.
        for (int a = 1; a <= 100; ++a) {
            for (int x = 1; x <= 9; ++x)
                QTest::addRow("%d-%d,%d", a, a - 1, x)
                    << QString("%1-%2,%3=").arg(a).arg(a - 1).arg(x) << QString("0,%1").arg(10 - x) << E::None;
        }
    }
    void calculator()
    {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        PocketCalculator c;
        PocketCalculator::Error last = PocketCalculator::Error::None;
        for (QChar k : keys) {
            PocketCalculator::Error e = PocketCalculator::Error::None;
            QVERIFY(c.key(k, &e));
            if (e != PocketCalculator::Error::None)
                last = e;
        }
        QCOMPARE(c.display(), display);
        QTEST(last, "error");
    }

    void clockAdjust_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::newRow("hour 23 up") << 0 << 1 << "23:10:00 15/03/2001" << QString("24:10:00 15/03/2001");
        QTest::newRow("hour 24 up") << 0 << 1 << "24:10:00 15/03/2001" << QString("24:10:00 15/03/2001");
        QTest::newRow("hour 00 down") << 0 << -1 << "00:10:00 15/03/2001" << QString("00:10:00 15/03/2001");
        QTest::newRow("minute 01 down") << 1 << -1 << "10:01:00 15/03/2001" << QString("10:00:00 15/03/2001");
        QTest::newRow("minute 59 up") << 1 << 1 << "10:59:00 15/03/2001" << QString("10:59:00 15/03/2001");
        QTest::newRow("day 31 up") << 2 << 1 << "10:00:00 31/03/2001" << QString("10:00:00 31/03/2001");
        QTest::newRow("day 01 down") << 2 << -1 << "10:00:00 01/03/2001" << QString("10:00:00 00/03/2001");
        QTest::newRow("month 12 up") << 3 << 1 << "10:00:00 01/12/2001" << QString("10:00:00 01/12/2001");
        QTest::newRow("month 01 down") << 3 << -1 << "10:00:00 01/01/2001" << QString("10:00:00 01/00/2001");
        QTest::newRow("year 2099 up") << 4 << 1 << "10:00:00 01/12/2099" << QString("10:00:00 01/12/2099");
        QTest::newRow("year 1900 down") << 4 << -1 << "10:00:00 01/12/1900" << QString("10:00:00 01/12/1900");
        QTest::newRow("two-digit year") << 4 << 1 << "10:00:00 01/12/0099" << QString("10:00:00 01/12/2000");
        QTest::newRow("year 0100 is no two-digit year")
            << 4 << 1 << "10:00:00 01/12/0100" << QString("10:00:00 01/12/1900");
    }
    void clockAdjust()
    {
        QFETCH(int, field);
        QFETCH(int, step);
        QFETCH(QString, start);
        QString time = start.left(8), date = start.mid(9);
        QVERIFY(ClockSetting::adjust(time, date, ClockSetting::Field(field), step));
        QTEST(time + QLatin1Char(' ') + date, "end");
    }

    void universalTime_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QDateTime>("utc"); // invalid: refused
        auto utc = [](int y, int mo, int d, int h, int mi) {
            return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC);
        };
        QTest::newRow("winter") << "10:30:00 15/03/2001" << utc(2001, 3, 15, 9, 30);
        QTest::newRow("summer") << "10:30:00 15/07/2001" << utc(2001, 7, 15, 8, 30);
        QTest::newRow("just after spring change") << "03:30:00 25/03/2001" << utc(2001, 3, 25, 1, 30);
        QTest::newRow("just before spring change") << "01:30:00 25/03/2001" << utc(2001, 3, 25, 0, 30);
        QTest::newRow("after autumn change") << "12:00:00 28/10/2001" << utc(2001, 10, 28, 11, 0);
        QTest::newRow("before autumn change") << "01:00:00 28/10/2001" << utc(2001, 10, 27, 23, 0);
        QTest::newRow("midnight goes to the day before") << "00:30:00 01/01/2001" << utc(2000, 12, 31, 23, 30);
        QTest::newRow("skipped hour") << "02:30:00 25/03/2001" << QDateTime();
        QTest::newRow("31 April") << "10:00:00 31/04/2001" << QDateTime();
        QTest::newRow("day 0") << "10:00:00 00/04/2001" << QDateTime();
        QTest::newRow("month 13") << "10:00:00 01/13/2001" << QDateTime();
        QTest::newRow("hour 24") << "24:00:00 01/04/2001" << QDateTime();
        QTest::newRow("not a time") << "ab:00:00 01/04/2001" << QDateTime();
        QTest::newRow("seconds not a number") << "10:30:5x 01/04/2001" << QDateTime();
    }
    void universalTime()
    {
        QFETCH(QString, shown);
        QFETCH(QDateTime, utc);
        QString error;
        const auto got = ClockSetting::universalTime(shown.left(8), shown.mid(9), QTimeZone("Europe/Paris"), &error);
        QCOMPARE(got.value_or(QDateTime()), utc);
        QCOMPARE(error.isEmpty(), utc.isValid());
    }

    void calendarMonths_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("heading");
        QTest::newRow("31 Jan + 1") << QDate(2001, 1, 31) << 1 << "février  2001";
        QTest::newRow("31 Jan 2004 + 1") << QDate(2004, 1, 31) << 1 << "février  2004";
        QTest::newRow("15 Jan - 1") << QDate(2001, 1, 15) << -1 << "décembre  2000";
        QTest::newRow("31 Mar - 1") << QDate(2001, 3, 31) << -1 << "février  2001";
        QTest::newRow("31 Dec + 1") << QDate(2001, 12, 31) << 1 << "janvier  2002";
    }
    void calendarMonths()
    {
        QFETCH(QDate, from);
        QFETCH(int, months);
        QFETCH(QString, heading);
        const QDate to = CalendarRules::moveMonth(from, months);
        QCOMPARE(CalendarRules::heading(to), heading);
        QCOMPARE(to.day(), std::min(from.day(), to.daysInMonth()));
    }

    // Moves: n next, p previous, a capital letter jumps to its tab.
    void firstNames_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tab");
        const std::tuple<const char *, const char *, const char *, int> rows[] = {
            {"opening", "", "Agathe", 0},
            {"previous on the first", "p", "Agathe", 0},
            {"next skips stray lines", "n", "Élodie", 4},
            {"accented initial", "E", "Élodie", 4},
            {"no name under B", "nB", "Élodie", 4},
            {"back and forth", "nnnp", "Émile", 4},
            {"back to the file's first line", "np", "Agathe", 0},
            {"next on the last", "Znn", "Zoé", 25},
            {"back to the first letter", "ZA", "Agathe", 0},
            {"head without tab", "H", "Hugo sans tabulation", 7},
        };
        for (const auto &[row, moves, name, tab] : rows)
            QTest::newRow(row) << QString(moves) << QString(name) << tab;
    }
    void firstNames()
    {
        QFETCH(QString, moves);
        QFETCH(int, tab);
        FirstNamesBook book = FirstNamesFile::load(QStringLiteral(SAMPLE_NAMES));
        for (QChar m : moves) {
            if (m == QLatin1Char('n'))
                book.next();
            else if (m == QLatin1Char('p'))
                book.previous();
            else
                book.jumpToLetter(m.unicode() - u'A');
        }
        QTEST(book.text().section(QStringLiteral("\r\n"), 0, 0), "name");
        QCOMPARE(book.tab(), tab);
    }

    void firstNameRecordText()
    {
        FirstNamesBook book = FirstNamesFile::load(QStringLiteral(SAMPLE_NAMES));
        QCOMPARE(book.text(), QStringLiteral("Agathe\r\nFête : 5 février. Origine grecque.\r\n"
                                             " Du grec agathos, « bon ». Sainte Agathe de Catane."));
        book.jumpToLetter(7);
        QCOMPARE(book.text(), QStringLiteral("Hugo sans tabulation\r\n Texte."));
        book.jumpToLetter(25); // the last record has no closing line
        QCOMPARE(book.text(), QStringLiteral("Zoé\r\nOrigine grecque.\r\n Du grec zôê, « vie »."));
        QCOMPARE(FirstNamesFile::load(QStringLiteral("/nonexistent/Tivarel.pre")).text(), QString());
    }

    void firstNamesFileLookup()
    {
        QTemporaryDir dir;
        const QString own = QDir(dir.path()).filePath(QStringLiteral("Tivarel.pre"));
        const QString shipped = FirstNamesFile::locate(dir.path());
        QVERIFY2(shipped != own && QFile::exists(shipped), qPrintable(shipped));
        QVERIFY(QFile::copy(QStringLiteral(SAMPLE_NAMES), own));
        QCOMPARE(FirstNamesFile::locate(dir.path()), own);
    }
};

QTEST_GUILESS_MAIN(TestUtilitiesEngines)
#include "test_utilities_engines.moc"

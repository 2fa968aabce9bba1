#include "app/Settings.h"
#include "common/Amount.h"
#include "common/BaseName.h"
#include "common/Cp1252Fit.h"
#include "common/DateText.h"

#include <QTest>

#include <tuple>

class TestCommonValues : public QObject
{
    Q_OBJECT

private slots:
    void dateKeyAndText_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("15 March 2002") << QDate(2002, 3, 15) << QString("20020315") << QString("15/03/2002");
        QTest::newRow("29 February 2024") << QDate(2024, 2, 29) << QString("20240229") << QString("29/02/2024");
        QTest::newRow("new year's eve") << QDate(2026, 12, 31) << QString("20261231") << QString("31/12/2026");
    }
    void dateKeyAndText()
    {
        QFETCH(QDate, date);
        QFETCH(QString, key);
        QFETCH(QString, text);
        QCOMPARE(DateText::key(date), key);
        QCOMPARE(DateText::text(date), text);
        QCOMPARE(DateText::keyToText(key), text);
        QCOMPARE(DateText::fromKey(key + QStringLiteral("0930 rdv")), std::optional<QDate>(date));
        QCOMPARE(DateText::fromText(text), std::optional<QDate>(date));
    }

    void badAndTypedDates()
    {
        for (const char *text : {"30/02/2024", "aa/bb/cccc", "12/2024", "", "01/01/202", "+5/01/2026", "05/ 1/2026"})
            QVERIFY2(!DateText::fromText(QString::fromUtf8(text)).has_value(), text);
        QVERIFY(!DateText::fromKey(QStringLiteral("2024023")).has_value());
        QVERIFY(!DateText::fromKey(QStringLiteral("2024a301")).has_value());
        QVERIFY(!DateText::fromKey(QStringLiteral("2024+301")).has_value());
        QCOMPARE(DateText::fromText(QStringLiteral("5/1/26")), std::optional<QDate>(QDate(2026, 1, 5)));
        QCOMPARE(DateText::fromText(QStringLiteral(" 05/01/1999 ")), std::optional<QDate>(QDate(1999, 1, 5)));
        QVERIFY(DateText::fromText(u"1/1/50") == QDate(1950, 1, 1)
                && DateText::fromText(u"1/1/49") == QDate(2049, 1, 1));
    }

    void frenchMonths() // 0, 13 and -1 have no name
    {
        QStringList names;
        for (int m = -1; m <= 13; ++m)
            names << DateText::frenchMonth(m);
        QCOMPARE(names.join(u','), QStringLiteral(",,Janvier,Février,Mars,Avril,Mai,Juin,Juillet,Août,Septembre,"
                                                  "Octobre,Novembre,Décembre,"));
    }

    void frenchTexts()
    {
        QCOMPARE(DateText::dayLabel(QDate(2026, 1, 5)), QStringLiteral("5 janvier 2026"));
        QCOMPARE(DateText::appLocale().language(), QLocale::French);
    }

    void amounts() // "-": refused
    {
        QStringList shown;
        for (const char *typed : {"12.5", "12,5", "   7", "-3,456", "0,125", "0", "", "douze", "1,2,3", "1-2", ",",
                                  "1 250,5", "-1\u00a0234\u202f567", "12 50", "1 2500", "1  250", "-0,001"}) {
            const auto v = Amount::parse(QString::fromUtf8(typed));
            shown << (v ? Amount::format(*v) : QStringLiteral("-"));
        }
        QCOMPARE(shown.join(u'|'),
                 QStringLiteral("12,50|12,50|7,00|-3,46|0,13|0,00|-|-|-|-|-|1250,50|-1234567,00|-|-|-|0,00"));
    }

    void amountHelpers()
    {
        QCOMPARE(Amount::normaliseTyped(QStringLiteral(".5.2")), QStringLiteral(",5.2"));
        QCOMPARE(Amount::rightAligned(QStringLiteral("12,50"), 8), QStringLiteral("   12,50"));
        QCOMPARE(Amount::rightAligned(QStringLiteral("123456,00"), 4), QStringLiteral("123456,00"));
    }

    void baseNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("base");
        const std::tuple<const char *, const char *, const char *> rows[] = {
            {"txt replaced", "/home/anne/Docs/agenda.txt", "/home/anne/Docs/agenda"},
            {"orz", "/home/anne/agenda.orz", "/home/anne/agenda"},
            {"first dot of the name", "/h/a.b.c", "/h/a"},
            {"dot inside a folder", "/home/anne/my.docs/agenda", "/home/anne/my.docs/agenda"},
            {"no dot at all", "/home/anne/agenda", "/home/anne/agenda"},
            {"relative", "agenda.Orz", "agenda"},
        };
        for (const auto &[row, path, base] : rows)
            QTest::newRow(row) << QString(path) << QString(base);
    }
    void baseNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, base);
        QCOMPARE(BaseName::of(path), base);
        QCOMPARE(BaseName::withExtension(path, QStringLiteral(".ocn")), base + QStringLiteral(".ocn"));
    }

    void settingsRealIsTwentyThreeCharacters_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0 << " 0.00000000000000E+0000";
        QTest::newRow("one and a half") << 1.5 << " 1.50000000000000E+0000";
        QTest::newRow("negative small") << -0.00125 << "-1.25000000000000E-0003";
        QTest::newRow("large") << 123456789.0 << " 1.23456789000000E+0008";
    }
    void settingsRealIsTwentyThreeCharacters()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(Settings::formatReal(value), text);
        QCOMPARE(text.size(), 23);
        QCOMPARE(text.trimmed().toDouble(), value);
    }

    void settingsLines()
    {
        Settings s;
        s.rememberedDocument = QStringLiteral("/home/anne/agenda.orz");
        s.autoOpen = 1;
        const QStringList lines = s.toLines();
        QCOMPARE(lines, (QStringList{" 0.00000000000000E+0000", "/home/anne/agenda.orz", "1", "0"}));
        const auto back = Settings::fromLines(lines);
        QVERIFY(back.has_value());
        QCOMPARE(back->rememberedDocument, s.rememberedDocument);
        QVERIFY(back->autoOpenOn());
        // A first start opens automatically; at exit line 2 keeps what was
        // read when the window holds no document or one held elsewhere.
        QVERIFY(Settings::firstStart().autoOpenOn());
        QCOMPARE(Settings::documentOnExit("a", "b", false) + Settings::documentOnExit("a", "", false)
                     + Settings::documentOnExit("a", "b", true),
                 QStringLiteral("baa"));
        const QStringList recent{"1", "2", "3", "4", "5", "6", "7", "8"};
        QCOMPARE(RecentDocuments::add(recent, "3") + RecentDocuments::add(recent, "9"),
                 QString("3124567891234567").split("", Qt::SkipEmptyParts));
    }

    void damagedSettingsAreRefused_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << QStringList();
        QTest::newRow("three lines") << QStringList{"0", "x", "1"};
        QTest::newRow("real not a number") << QStringList{"abc", "x", "1", "0"};
        QTest::newRow("flag not a number") << QStringList{"0", "x", "oui", "0"};
        QTest::newRow("reserved not a number") << QStringList{"0", "x", "1", ""};
    }
    void damagedSettingsAreRefused()
    {
        QFETCH(QStringList, lines);
        QVERIFY(!Settings::fromLines(lines).has_value());
    }

    // Text made fit for the files: turned where the form is obvious, refused
    // otherwise (with a blank it leaves doubled).
    void fitForFiles_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("told"); // what the note to the user says, if anything
        QTest::newRow("held by the set") << "Noël, œuvre, 12 €" << QString("Noël, œuvre, 12 €") << QString("");
        QTest::newRow("turned") << "Łukasz ﬁlm Ŵ → \U0001D400" << QString("Lukasz film W -> A")
                                << QString("caractères remplacés : Ł");
        QTest::newRow("arrows") << "← ↔" << QString("<- <->") << QString("caractères remplacés : ←");
        QTest::newRow("emoji refused") << "Fête 🎉!" << QString("Fête !")
                                       << QString("caractères refusés (impossibles à enregistrer) : 🎉");
        QTest::newRow("a blank beside a refused character goes")
            << "Fête 🎉ŵ ! 🎉" << QString("Fête w !") << QString("caractères refusés");
    }
    void fitForFiles()
    {
        QFETCH(QString, typed);
        const auto fit = Cp1252::fit(typed, {}, true);
        QTEST(fit.text, "kept");
        QCOMPARE(fit.refused, QString("🎉").repeated(typed.count("🎉")));
        QFETCH(QString, told);
        QVERIFY2(told.isEmpty() ? fit.note().isEmpty() : fit.note().contains(told), qPrintable(fit.note()));
    }
};

QTEST_GUILESS_MAIN(TestCommonValues)
#include "test_common_values.moc"

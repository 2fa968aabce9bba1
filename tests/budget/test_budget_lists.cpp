// Account lines of the accounts dialog and the named-list rules.
#include "budget/AccountLine.h"
#include "budget/NamedList.h"

#include <QTest>

namespace {
const QChar nbsp(0xA0);
}

class TestBudgetLists : public QObject
{
    Q_OBJECT

private slots:
    void accountLine_layout_data();
    void accountLine_layout();
    void accountLine_cleanName_data();
    void accountLine_cleanName();
    void accountLine_readsBack_data();
    void accountLine_readsBack();
    void completeBalance_data();
    void completeBalance();
    void total_data();
    void total();
    void accountLine_usedAccounts_data();
    void accountLine_usedAccounts();

    void add_firstLetter_data();
    void add_firstLetter();
    void add_refusesOnlyEmptyText();
    void deletion_data();
    void deletion();
    void replace_makesUsedEntryDeletable();
    void sortedWithoutRegardToCaseOrAccents();
    void kinds_table_data();
    void kinds_table();
    void messages();
};

void TestBudgetLists::accountLine_layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<int>("spaces");
    QTest::newRow("six-letter name and 1500,00") << "Caisse" << "1500,00" << 14;
    QTest::newRow("short name") << "CCP" << "0,00" << 20;
    QTest::newRow("exactly 26 characters") << QString(20, u'x') << "100,00" << 1;
    QTest::newRow("longer than 26 keeps one space") << QString(30, u'x') << "100,00" << 1;
}

void TestBudgetLists::accountLine_layout()
{
    QFETCH(QString, name);
    QFETCH(QString, balance);
    QFETCH(int, spaces);
    const QString line = AccountLine::make(name, balance);
    QCOMPARE(line, name + QString(spaces, nbsp) + balance);
    if (name.size() + balance.size() <= 26)
        QCOMPARE(line.size(), 27);
}

void TestBudgetLists::accountLine_cleanName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("name");
    QTest::newRow("blanks around") << "  Banque " << "Banque";
    QTest::newRow("no-break space") << QStringLiteral("Livret") + QChar(0xA0) + QStringLiteral("A") << "Livret A";
    QTest::newRow("pasted line breaks") << "Compte\r\njoint\n" << "Compte joint";
}

void TestBudgetLists::accountLine_cleanName()
{
    QFETCH(QString, typed);
    QFETCH(QString, name);
    const QString clean = AccountLine::cleanName(typed);
    QCOMPARE(clean, name);
    QCOMPARE(AccountLine::name(AccountLine::make(clean, "1,00")), name);
}

void TestBudgetLists::accountLine_readsBack_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("balance");
    QTest::newRow("made line") << AccountLine::make("Caisse", "1500,00") << "Caisse" << "1500,00";
    QTest::newRow("name with a blank") << AccountLine::make("Livret A", "12,50") << "Livret A" << "12,50";
    QTest::newRow("long pair") << AccountLine::make(QString(30, u'y'), "1,00") << QString(30, u'y') << "1,00";
    QTest::newRow("no separator at all") << "Caisse" << "Caisse" << "";
}

void TestBudgetLists::accountLine_readsBack()
{
    QFETCH(QString, line);
    QFETCH(QString, name);
    QFETCH(QString, balance);
    QCOMPARE(AccountLine::name(line), name);
    QCOMPARE(AccountLine::balance(line), balance);
}

void TestBudgetLists::completeBalance_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("balance");
    QTest::newRow("no comma gets ,00") << "1500" << "1500,00";
    QTest::newRow("one decimal gets 0") << "12,5" << "12,50";
    QTest::newRow("two decimals unchanged") << "12,34" << "12,34";
    QTest::newRow("trailing comma") << "12," << "12,00";
    QTest::newRow("leading comma") << ",5" << "0,50";
    QTest::newRow("empty is zero") << "" << "0,00";
    QTest::newRow("lone comma is zero") << "," << "0,00";
    QTest::newRow("not a number is zero") << "12a" << "0,00";
}

void TestBudgetLists::completeBalance()
{
    QFETCH(QString, typed);
    QFETCH(QString, balance);
    QCOMPARE(AccountLine::completeBalance(typed), balance);
}

void TestBudgetLists::total_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("total");
    QTest::newRow("one account") << QStringList{AccountLine::make("Caisse", "1500,00")} << "        1500,00";
    QTest::newRow("no account") << QStringList{} << "           0,00";
    QTest::newRow("two accounts") << QStringList{AccountLine::make("Caisse", "12,50"), AccountLine::make("CCP", "0,55")}
                                  << "          13,05";
    QTest::newRow("unreadable balance counts zero")
        << QStringList{AccountLine::make("a", "x"), AccountLine::make("b", "2,00")} << "           2,00";
}

void TestBudgetLists::total()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, total);
    QCOMPARE(AccountLine::total(lines), total);
    QCOMPARE(total.size(), 15);
}

void TestBudgetLists::accountLine_usedAccounts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("used");
    QTest::newRow("capital") << "Caisse" << true;
    QTest::newRow("small") << "caisse" << false;
    QTest::newRow("accented capital is not A-Z") << QString::fromUtf8("Épargne") << false;
    QTest::newRow("digit") << "1er compte" << false;
}

void TestBudgetLists::accountLine_usedAccounts()
{
    QFETCH(QString, name);
    QFETCH(bool, used);
    QCOMPARE(AccountLine::isUsed(AccountLine::make(name, "1,00")), used);
}

void TestBudgetLists::add_firstLetter_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("added");
    QTest::newRow("posts make it small") << int(NamedListKinds::Postes) << "Alimentation" << "alimentation";
    QTest::newRow("film categories make it small") << int(NamedListKinds::Categ) << "  Western " << "western";
    QTest::newRow("video formats make it small") << int(NamedListKinds::Fmtv) << "VHS" << "vHS";
    QTest::newRow("audio formats make it small") << int(NamedListKinds::FmtA) << "Dolby" << "dolby";
    QTest::newRow("shops make it small") << int(NamedListKinds::FmtM) << "Leclerc" << "leclerc";
    QTest::newRow("only A-Z change") << int(NamedListKinds::Postes) << QString::fromUtf8("Épicerie")
                                     << QString::fromUtf8("Épicerie");
    QTest::newRow("book categories as typed") << int(NamedListKinds::Categ2) << "Roman" << "Roman";
    QTest::newRow("doctors as typed") << int(NamedListKinds::Medecins) << "Dr Martin" << "Dr Martin";
    QTest::newRow("pharmacies as typed") << int(NamedListKinds::Officines) << "Centrale" << "Centrale";
    // A pasted line break would give the entry a line of its own in
    // "Tivarel.cbx".
    QTest::newRow("pasted line breaks become blanks") << int(NamedListKinds::Medecins) << "Dr\r\nMartin\nfils\r"
                                                      << "Dr Martin fils";
}

void TestBudgetLists::add_firstLetter()
{
    QFETCH(int, kind);
    QFETCH(QString, typed);
    QFETCH(QString, added);
    NamedList list({"zoo"});
    const int at = list.add(typed, NamedListKinds::get(NamedListKinds::Kind(kind)).smallFirst);
    QCOMPARE(at, 0);
    QCOMPARE(list.entries(), QStringList({added, "zoo"}));
}

void TestBudgetLists::add_refusesOnlyEmptyText()
{
    NamedList list({"Loyer"});
    QCOMPARE(list.add("   ", true), -1);
    QCOMPARE(list.entries(), QStringList({"Loyer"}));
    // A name already in the list is added again: the editors refuse nothing
    // but an empty text.
    QVERIFY(list.add("Loyer", true) >= 0);
    QVERIFY(list.add("Loyer", false) >= 0);
    QCOMPARE(list.size(), 3);
    QCOMPARE(list.entries().count("loyer"), 1);
    QCOMPARE(list.entries().count("Loyer"), 2);
    // Modifier then Ajouter may give an entry the name of another.
    const int at = list.replace(list.entries().indexOf("loyer"), "Loyer");
    QVERIFY(at >= 0);
    QCOMPARE(list.entries(), QStringList({"Loyer", "Loyer", "Loyer"}));
}

void TestBudgetLists::deletion_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<NamedList::Deletion>("deletion");
    QTest::newRow("small first letter") << "loisirs" << NamedList::Deletion::Allowed;
    QTest::newRow("capital first letter is used") << "Loisirs" << NamedList::Deletion::Used;
    QTest::newRow("Débit différé is protected") << QString::fromUtf8("Débit différé") << NamedList::Deletion::Protected;
    QTest::newRow("débit différé in small is an ordinary entry") << QString::fromUtf8("débit différé")
                                                                  << NamedList::Deletion::Allowed;
    QTest::newRow("accented capital is not used") << QString::fromUtf8("Électricité") << NamedList::Deletion::Allowed;
}

void TestBudgetLists::deletion()
{
    QFETCH(QString, entry);
    QFETCH(NamedList::Deletion, deletion);
    NamedList list({entry});
    QCOMPARE(list.deletion(0), deletion);
}

void TestBudgetLists::replace_makesUsedEntryDeletable()
{
    NamedList list({"Alimentation", "voiture"});
    QCOMPARE(list.deletion(0), NamedList::Deletion::Used);
    const int at = list.replace(0, "alimentation");
    QCOMPARE(at, 0);
    QCOMPARE(list.deletion(0), NamedList::Deletion::Allowed);
    // A change takes the text as typed, capital included, and re-sorts.
    QCOMPARE(list.replace(0, "Zinc"), 1);
    QCOMPARE(list.entries(), QStringList({"voiture", "Zinc"}));
    QCOMPARE(list.replace(0, "  "), -1);
    QCOMPARE(list.entries(), QStringList({"voiture", "Zinc"}));
}

void TestBudgetLists::sortedWithoutRegardToCaseOrAccents()
{
    const NamedList list({"voiture", "Alimentation", QString::fromUtf8("Électricité"), "banque", "eau",
                          QString::fromUtf8("Débit différé")});
    QCOMPARE(list.entries(), QStringList({"Alimentation", "banque", QString::fromUtf8("Débit différé"), "eau",
                                          QString::fromUtf8("Électricité"), "voiture"}));
}

void TestBudgetLists::kinds_table_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("tag");
    QTest::newRow("TPostes") << 0 << "TPostes" << "Postes de budget" << "Nouveau poste" << 1 << "Combo1";
    QTest::newRow("TCateg") << 1 << "TCateg" << QString::fromUtf8("Catégories de film")
                            << QString::fromUtf8("Nouvelle catégorie") << 3 << "Combo3";
    QTest::newRow("TFmtv") << 2 << "TFmtv" << QString::fromUtf8("Format vidéo")
                           << QString::fromUtf8("Nouveau format vidéo") << 4 << "Combo4";
    QTest::newRow("TFmtA") << 3 << "TFmtA" << "Format audio" << "Nouveau format audio" << 5 << "Combo5";
    QTest::newRow("TFmtM") << 4 << "TFmtM" << "Magasins" << "Nouveau magasin" << 6 << "Combo6";
    QTest::newRow("TCateg2") << 5 << "TCateg2" << QString::fromUtf8("Catégories de livre")
                             << QString::fromUtf8("Nouvelle catégorie") << 7 << "Combo7";
    QTest::newRow("TMedecins") << 6 << "TMedecins" << QString::fromUtf8("Liste des médecins")
                               << QString::fromUtf8("Nouveau médecin") << 9 << "Combo9";
    QTest::newRow("TOfficines") << 7 << "TOfficines" << "Liste des pharmacies" << "Nouvelle pharmacie" << 10
                                << "ComboA";
}

void TestBudgetLists::kinds_table()
{
    QFETCH(int, kind);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QFETCH(int, box);
    QFETCH(QString, tag);
    const NamedListKind &k = NamedListKinds::get(NamedListKinds::Kind(kind));
    QCOMPARE(k.className, className);
    QCOMPARE(k.caption, caption);
    QCOMPARE(k.label, label);
    QCOMPARE(k.comboBox, box);
    QCOMPARE(k.tag, tag);
    QCOMPARE(k.smallFirst, kind < 5);
}

void TestBudgetLists::messages()
{
    QCOMPARE(NamedList::protectedMessage(), QString::fromUtf8("Ce poste ne peut pas être suprimé"));
    QCOMPARE(NamedList::usedMessage(), QString::fromUtf8("Ce poste est déjà utilisé"));
    QCOMPARE(NamedList::confirmDeletion("loisirs"), QStringLiteral("Supprimer le poste loisirs ?"));
}

QTEST_GUILESS_MAIN(TestBudgetLists)
#include "test_budget_lists.moc"

// The budget without widgets: the ".obg" cell lines, the store, the month
// and its entry rules, the account lines and the named lists.

#include "budget/AccountLine.h"
#include "budget/BankStatement.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetMonth.h"
#include "budget/BudgetSummary.h"
#include "budget/NamedList.h"
#include "budget/StatementImport.h"
#include "common/Money.h"
#include "common/TextFile.h"

#include <QtTest>

#include <numeric>

namespace {

const QChar nbsp(0xA0);

// The month key of "Caisse" (code 258) in January 2026.
const QString kKey = QStringLiteral("258202601");

QStringList row(int r, const QStringList &texts, const QString &key = kKey)
{
    QStringList out;
    for (int c = 0; c < texts.size(); ++c)
        out << BudgetFormat::cellLine(key, r, c, texts[c]);
    return out;
}

// The counted rows of the grid, cells joined by "|", amounts trimmed.
QStringList rows(const BudgetGrid &g)
{
    QStringList out;
    for (int r = 0; r < g.lineCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < BudgetGrid::Mark; ++c)
            cells << g.cell(r, c).trimmed();
        out << cells.join(u'|');
    }
    return out;
}

BudgetMonth januaryOf(const QStringList &lines)
{
    BudgetMonth m;
    m.reset(QDate(2026, 1, 7));
    m.loadLines(lines);
    m.openMonth("Caisse");
    return m;
}

} // namespace

class TestBudgetCore : public QObject
{
    Q_OBJECT

private slots:
    // Bank statements into "Caisse": the lines each file gives (posts
    // proposed from the latest line of the same description), the refusals,
    // and a second import, remembered or not, that adds nothing.
    void statementImport_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("filled"); // rows already in March 2026
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("refused");
        const QString bread = QStringLiteral("Boulangerie Frédéric");
        QTest::newRow("ofx 1.02 iso-8859-1, a line without a date")
            << "releve_102.ofx" << 0
            << QStringList{"02/03/2026|Pain|" + bread + "|12,50|", "05/03/2026||VIR SALAIRE MARS||1500,00",
                           "31/03/2026||Loyer|1234,56|"}
            << 1;
        QTest::newRow("ofx 2.11 xml, fitid twice")
            << "releve_211.ofx" << 0
            << QStringList{"03/03/2026||Pharmacie Étoile|45,10|", "20/03/2026||Remboursement||20,00"} << 0;
        QTest::newRow("qif both date forms")
            << "releve.qif" << 0
            << QStringList{"03/02/2026|Pain|" + bread + "|8,00|", "13/02/2026||Marché Saint-Jean|23,40|",
                           "14/02/2026||Virement reçu||1234,56", "25/02/2026||Kiosque|5,00|", "26/02/2026||Tabac|7,00|"}
            << 0;
        QTest::newRow("csv debit credit cp1252")
            << "releve_debit_credit.csv" << 0
            << QStringList{"01/03/2026||Café de l'Église; terrasse|3,20|", "04/03/2026||VIR M. DUPONT||250,00",
                           "07/03/2026|Pain|" + bread + "|1012,30|"}
            << 3;
        QTest::newRow("csv signed utf-8 bom")
            << "releve_montant.csv" << 0
            << QStringList{"08/03/2026||Librairie \"Le Livre\", papeterie|15,90|",
                           "09/03/2026||Remboursement mutuelle||42,00", "10/03/2026||Marché couvert|12,30|",
                           "11/03/2026||Garage|45,00|"}
            << 0;
        QTest::newRow("csv of an online bank: operation dates, labels")
            << "releve_boursorama.csv" << 0
            << QStringList{"02/03/2026||CB PHARMACIE ETOILE 01/03|45,10|", "05/03/2026||VIR SALAIRE MARS||1500,00"}
            << 0;
        QTest::newRow("month at its row limit")
            << "releve_102.ofx" << 127 << QStringList{"31/03/2026||Loyer|1234,56|"} << 3;
    }
    void statementImport()
    {
        QFETCH(QString, file);
        QFETCH(int, filled);
        QFETCH(QStringList, lines);
        const QString path = QFINDTESTDATA("data/" + file);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray data = f.readAll();
        const auto statement = file.endsWith(".ofx") ? BankStatement::readOfx(path)
                               : file.endsWith(".qif")
                                   ? BankStatement::readQif(data)
                                   : BankStatement::readCsv(data, BankStatement::guessMapping(data));
        QVERIFY2(statement.error.isEmpty(), qPrintable(statement.error));
        // Earlier lines: the latest post of the baker's is "Pain".
        QStringList earlier =
            row(0, {"10/01/2026", "Pain", "Boulangerie Frédéric", "1,00", "", ""}, "258202601")
            + row(0, {"05/12/2025", "Divers", "boulangerie  frédéric", "1,00", "", ""}, "258202512")
            + row(0, {"03/03/2026", "Santé", "Pharmacie Étoile", "45,10", "", ""}, // another account's post
                  BudgetFormat::monthKeyFor("Livret", 2026, 3));
        for (int r = 0; r < filled; ++r)
            earlier += row(r, {"01/03/2026", "", "x", "1,00", "", ""}, "258202603");
        BudgetStore store;
        store.setLines(earlier);
        ImportMemory memory;
        const auto plan = StatementImport::plan(store, "Caisse", true, statement.transactions, memory);
        QTEST(plan.count(ExchangeItem::Status::Refused), "refused");
        QCOMPARE(StatementImport::apply(store, plan, &memory), lines.size());
        QStringList got;
        for (const QString key : {"258202602", "258202603"}) {
            BudgetGrid g;
            BudgetMonth::readMonth(store, key, 2026, key.right(2).toInt(), g);
            got += rows(g).filter(QRegularExpression("^(?!01/03/2026\\|\\|x\\|)"));
        }
        QCOMPARE(got, lines);
        QCOMPARE(StatementImport::plan(store, QString(40, u'z'), true, statement.transactions, memory)
                     .count(ExchangeItem::Status::Refused),
                 statement.transactions.size()); // an account name too long for the budget's keys
        // Again: nothing new, whether remembered or found typed in its month.
        for (const ImportMemory &m : {memory, ImportMemory()})
            QCOMPARE(StatementImport::plan(store, "Caisse", true, statement.transactions, m)
                         .count(ExchangeItem::Status::New),
                     0);
    }

    // A statement's amounts ("a:") and day-first dates ("d:") as banks write
    // them: thousands or decimals, signs before, after or around, a currency;
    // a time after a date. "-" where the field cannot be read. QIF files
    // ("q:"), and the CSV columns guessed from a header row wherever it
    // stands ("h:"; dates of value are not the operation's).
    void statementFields_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("read"); // cents, an ISO date, a QIF's count and dates, or the columns
        const QList<QPair<const char *, const char *>> rows{
            {"a:12,50", "12,50"},
            {"a:1.234", "1234,00"},
            {"a:0.125", "0,13"},
            {"a:0,125", "0,13"},
            {"a:12,345,678", "12345678,00"},
            {"a:1 234,56", "1234,56"},
            {"a:1.234,56", "1234,56"},
            {"a:1,234.56", "1234,56"},
            {"a:1'234.50", "1234,50"},
            {"a:(45.00)", "-45,00"},
            {"a:(45.00", "-"},
            {"a:12.30-", "-12,30"},
            {"a:-3,20", "-3,20"},
            {"a:+42.00", "42,00"},
            {"a:45,10 EUR", "45,10"},
            {"a:\u20ac 5", "5,00"},
            {"a:.50", "0,50"},
            {"a:,50", "0,50"},
            {"a:,5.00", "5,00"},
            {"a:1,2,3.4", "123,40"},
            {"a:1.5.0,2,3", "-"},
            {"a:abc", "-"},
            {"a:", "-"},
            {"a:-", "-"},
            {"d:03/11/2026", "2026-11-03"},
            {"d:3.11.26", "2026-11-03"},
            {"d:3-11-99", "1999-11-03"},
            {"d:1.1.50", "1950-01-01"},
            {"d:1.1.49", "2049-01-01"},
            {"d:2026-11-03", "2026-11-03"},
            {"d:20261103", "2026-11-03"},
            {"d:03/11/2026 10:42", "2026-11-03"},
            {"d:31/02/2026", "-"},
            {"d:03/11/026", "-"},
            {"d:31/12/0999", "-"},
            {"d:01/01/1000", "1000-01-01"},
            {"d:1/2/3/4", "-"},
            {"d:abc", "-"},
            {"d:", "-"},
            {"q:!Type:Bank", "0"},
            {"q:!Account\nNCaisse\n!Type:Bank\nD1/2/26\nT5\n^", "1 2026-02-01"},
            {"q:!Type:Invst\nD1/2/26\nT5\n^\n!Type:Cash\nT1\n^", "1 -"},
            {"q:D2026-02-03\n^\nD2/13/26\n^", "2 2026-02-03 2026-02-13"},
            {"q:", "-"},
            {"h:Compte\nDate de valeur;Date opé;Libellé;Détail;Débit;Crédit\n1;2;3;4;5;6",
             "sep=;|first=2|date=1|desc=2|memo=3|amount=-1|debit=4|credit=5"},
            {"h:Date\tTiers\tMémo\tDépense\tRecette",
             "sep=tab|first=1|date=0|desc=1|memo=2|amount=-1|debit=3|credit=4"},
            {"h:date,Bénéficiaire,Note,Montant", "sep=,|first=1|date=0|desc=1|memo=2|amount=3|debit=-1|credit=-1"},
            {"h:Date;Label;Commentaire;Amount;Description",
             "sep=;|first=1|date=0|desc=1|memo=2|amount=3|debit=-1|credit=-1"},
            {"h:Date;Libellé", "sep=;|first=1|date=-1|desc=-1|memo=-1|amount=-1|debit=-1|credit=-1"}};
        for (const auto &[text, read] : rows)
            QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(read);
    }
    void statementFields()
    {
        QFETCH(QString, text);
        const QString field = text.mid(2);
        if (text.startsWith(u'q')) {
            const auto s = BankStatement::readQif(field.toUtf8());
            QStringList read{s.error.isEmpty() ? QString::number(s.transactions.size()) : QStringLiteral("-")};
            for (const auto &t : s.transactions)
                read << (t.date.isValid() ? t.date.toString(Qt::ISODate) : QStringLiteral("-"));
            QTEST(read.join(u' '), "read");
        } else if (text.startsWith(u'h')) {
            QTEST(BankStatement::guessMapping(field.toUtf8()).toText(), "read");
        } else if (text.startsWith(u'a')) {
            const auto cents = BankStatement::parseAmount(field);
            QTEST(cents ? Money::formatCents(*cents) : QStringLiteral("-"), "read");
        } else {
            const auto d = BankStatement::parseDayFirst(field);
            QTEST(d ? d->toString(Qt::ISODate) : QStringLiteral("-"), "read");
        }
    }

    // The memory beside a document: what was imported, each account's CSV
    // columns. A memory that cannot be read is not taken for an empty one.
    void importMemory()
    {
        QTemporaryDir dir;
        ImportMemory m;
        QVERIFY(m.load(dir.filePath("absent.oim")) && !m.load(dir.path()));
        m.setCsvMapping("Caisse", "sep=;");
        m.add("Caisse", "k1");
        m.add("Caisse", "k1");
        QVERIFY(m.save(dir.filePath("m.oim")));
        QVERIFY(m.load(dir.filePath("m.oim")));
        QVERIFY(m.contains("Caisse", "k1") && !m.contains("Livret", "k1"));
        QCOMPARE(m.csvMapping("Caisse") + m.csvMapping("Livret"), QString("sep=;"));
        QCOMPARE(TextFile::read(dir.filePath("m.oim"))->size(), 2);
    }

    // The columns chosen for a bank's CSV are remembered whole.
    void csvMappingKept()
    {
        BankStatement::CsvMapping m;
        m.separator = u'\t';
        m.firstRow = 2;
        m.date = 0;
        m.description = 3;
        m.memo = 4;
        m.debit = 5;
        m.credit = 6;
        QVERIFY(BankStatement::CsvMapping::fromText(m.toText()) == m);
        m.separator = u',';
        m.debit = m.credit = -1;
        m.amount = 1;
        QVERIFY(BankStatement::CsvMapping::fromText(m.toText()) == m);
        QVERIFY(!BankStatement::CsvMapping::fromText("sep=;|first=x|date=0|amount=1"));
    }

    void accountCode_data()
    {
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("fits");
        QTest::newRow("Caisse sums to 600") << QString("Caisse") << QString("258") << true;
        QTest::newRow("accents count by their Windows-1252 code") << QString("Épargne") << QString("346") << true;
        QTest::newRow("a character outside Windows-1252 counts as ?") << QString("a\u4E00") << QString("0A0") << true;
        QTest::newRow("empty name") << QString("") << QString("000") << true;
        QTest::newRow("a long name needs four digits") << QString(40, u'z') << "1310" << false;
    }

    void accountCode()
    {
        QFETCH(QString, account);
        QFETCH(QString, code);
        QCOMPARE(BudgetFormat::accountCode(account), code);
        QTEST(BudgetFormat::accountCodeFits(account), "fits");
        QCOMPARE(BudgetFormat::monthKeyFor(account, 2026, 3), code + "202603");
    }

    void monthReading_data()
    {
        // The store's lines, the January rows of "Caisse" once opened, how many
        // lines were damaged and how many deferred entries found no room.
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("damaged");
        QTest::addColumn<int>("dropped");

        const QStringList a = row(0, {"05/01/2026", "loyer", "janvier", "      500.00", "", ""});
        QTest::newRow("one row") << a << QStringList{"05/01/2026|loyer|janvier|500.00|"} << 0 << 0;
        QTest::newRow("other months, accounts and short lines left out")
            << (QStringList{"258202601", "x"} + row(0, {"01/02/2026", "", "", "1", "", ""}, "258202602") + a)
            << QStringList{"05/01/2026|loyer|janvier|500.00|"} << 0 << 0;
        QTest::newRow("row or column not a number is damage, below 0 or beyond 127 ignored")
            << (a
                + QStringList{kKey + "0a01x", kKey + " 0100x", kKey + "000Zx", kKey + "12800x", kKey + "0009x",
                              kKey + "-0100x", kKey + "+014note"})
            << QStringList{"05/01/2026|loyer|janvier|500.00|"} << 3 << 0;
        QTest::newRow("a long cell is read whole")
            << row(0, {"05/01/2026", "", QString(300, u'd'), "1", "", ""})
            << QStringList{"05/01/2026||" + QString(300, u'd') + "|1|"} << 0 << 0;
        QTest::newRow("deferred entries after the rows, amounts padded, text kept")
            << (row(999, {"10/01/2026", "Débit différé", "carte", "12,5", ""}) + a + row(999, {"", "", "x", "abc", ""}))
            << QStringList{"05/01/2026|loyer|janvier|500.00|", "10/01/2026|Débit différé|carte|12,50|",
                           "01/01/2026||x|abc|"}
            << 1 << 0;
        QTest::newRow("a deferred entry without its last column still shows")
            << (a + QStringList{kKey + "9992note"})
            << QStringList{"05/01/2026|loyer|janvier|500.00|", "01/01/2026||note||"} << 0 << 0;
        QTest::newRow("a deferred entry without a date gets the month's first day")
            << QStringList{kKey + "9991Loyer", kKey + "9993400.5", kKey + "99945"}
            << QStringList{"01/01/2026|Loyer||400,50|5,00"} << 0 << 0;
        QTest::newRow("a lost date line closes up: no later row is lost")
            << (row(0, {"05/01/2026", "a", "", "1", "", ""}) + row(1, {"", "b", "", "2", "", ""}).mid(1)
                + row(2, {"07/01/2026", "c", "", "3", "", ""}))
            << QStringList{"05/01/2026|a||1|", "07/01/2026|c||3|"} << 0 << 0;
        QStringList full;
        for (int r = 0; r < BudgetGrid::Rows; ++r)
            full += row(r, {"01/01/2026", "", "", "1", "", ""});
        QTest::newRow("a full month drops the deferred entries")
            << (full + row(999, {"10/01/2026", "", "", "1", ""})) << QStringList(BudgetGrid::Rows, "01/01/2026|||1|")
            << 0 << 1;
    }

    void monthReading()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, shown);
        QFETCH(int, damaged);
        QFETCH(int, dropped);
        BudgetMonth m;
        m.reset(QDate(2026, 1, 7));
        m.loadLines(lines);
        const auto result = m.openMonth("Caisse");
        QCOMPARE(QList<int>({result.damagedLines, result.droppedDeferred}), QList<int>({damaged, dropped}));
        QCOMPARE(rows(m.grid()), shown);
        // Nothing changed: the store is written back as it was read.
        QVERIFY(!m.storeMonth());
        QStringList kept = lines;
        kept.removeIf([](const QString &l) { return l.size() < BudgetFormat::MinimumLineLength; });
        QCOMPARE(m.fileLines(), kept);
        // Written back twice (a change elsewhere) and read again: no row is lost.
        m.setChanged(true);
        for (int pass = 0; pass < 2; ++pass) {
            QVERIFY(m.storeMonth());
            m.openMonth("Caisse");
        }
        QCOMPARE(rows(m.grid()), shown);
    }

    void storeRewrites()
    {
        // A month written back leaves its old lines and goes to the end, in file
        // order; the other months stay where they were, long codes included.
        const QString other = BudgetFormat::monthKey("1310", 2026, 1); // a 4-digit code
        QStringList lines = row(0, {"a"}, "258202602") + row(0, {"b"}) + row(0, {"c"}, other) + row(1, {"d"});
        BudgetStore store;
        QCOMPARE(store.setLines(lines + QStringList{"short"}), 1);
        // A long session: the retired lines are dropped on the way (after
        // a thousand), and the months written after that are found again.
        for (int i = 0; i < 1100; ++i) {
            const QStringList month = row(0, {QString::number(i)});
            store.replaceMonth(kKey, month);
            QCOMPARE(store.monthLines(kKey), month);
            if (i == 1050)
                store.replaceMonth("258202602", row(0, {"a2"}, "258202602"));
        }
        QCOMPARE(store.lines(), row(0, {"c"}, other) + row(0, {"a2"}, "258202602") + row(0, {"1099"}));
        store.replaceMonth(kKey, {});
        QCOMPARE(store.lines(), row(0, {"c"}, other) + row(0, {"a2"}, "258202602"));
        QCOMPARE(store.monthLines(other), row(0, {"c"}, other));
        QCOMPARE(store.size(), 2);
        // Another document read after a long session starts afresh.
        BudgetStore reused;
        for (int i = 0; i < 1000; ++i)
            reused.replaceMonth(kKey, row(0, {"x"}));
        reused.setLines(lines);
        for (int i = 0; i < 30; ++i)
            reused.replaceMonth(kKey, row(0, {"y"}));
        QCOMPARE(reused.lines(), row(0, {"a"}, "258202602") + row(0, {"c"}, other) + row(0, {"y"}));
    }

    void commit_data()
    {
        // The entry line (date, post, description, expense, income) committed
        // into a month holding `counted` rows of the 5th.
        QTest::addColumn<int>("counted");
        QTest::addColumn<QStringList>("entry");
        QTest::addColumn<BudgetMonth::CommitResult>("result");
        QTest::addColumn<QString>("last"); // the row of the 20th after the commit

        using R = BudgetMonth::CommitResult;
        QTest::newRow("expense only, comma")
            << 1 << QStringList{"20/01/2026", "loyer", "x", "12,5", ""} << R::Committed << "20/01/2026|loyer|x|12,50|";
        QTest::newRow("income only") << 1 << QStringList{"20/01/2026", "", "", "", "1500"} << R::Committed
                                     << "20/01/2026||||1500,00";
        QTest::newRow("both") << 0 << QStringList{"20/01/2026", "", "", " 1.5 ", "2"} << R::Committed
                              << "20/01/2026|||1,50|2,00";
        QTest::newRow("neither") << 1 << QStringList{"20/01/2026", "", "", " ", ""} << R::NoAmount << "";
        QTest::newRow("expense not a number")
            << 1 << QStringList{"20/01/2026", "", "", "12a", "1"} << R::BadExpense << "";
        QTest::newRow("income not a number")
            << 1 << QStringList{"20/01/2026", "", "", "1", "1,2,3"} << R::BadIncome << "";
        QTest::newRow("pasted line breaks become blanks")
            << 1 << QStringList{"20/01/2026", "", "a\r\nb\nc", "1", ""} << R::Committed << "20/01/2026||a b c|1,00|";
        QTest::newRow("the 128th row is usable")
            << 127 << QStringList{"20/01/2026", "", "", "1", ""} << R::Committed << "20/01/2026|||1,00|";
        QTest::newRow("beyond 128 rows refused") << 128 << QStringList{"20/01/2026", "", "", "1", ""} << R::Full << "";
    }

    void commit()
    {
        QFETCH(int, counted);
        QFETCH(QStringList, entry);
        QFETCH(BudgetMonth::CommitResult, result);
        QFETCH(QString, last);
        QStringList lines;
        for (int r = 0; r < counted; ++r)
            lines += row(r, {"05/01/2026", "", "", "1", "", ""});
        BudgetMonth m = januaryOf(lines);
        QCOMPARE(m.commit({entry[0], entry[1], entry[2], entry[3], entry[4]}), result);
        const bool done = result == BudgetMonth::CommitResult::Committed;
        QCOMPARE(QList<int>({m.changed(), m.grid().lineCount(), m.storeMonth()}),
                 QList<int>({done, counted + done, done}));
        if (!done)
            return;
        // Sorted by day: the new row of the 20th comes last, and the month reads
        // back from the file bytes as it was written.
        QCOMPARE(rows(m.grid()).last(), last);
        QCOMPARE(m.grid().cell(counted, BudgetGrid::Expense).size() % BudgetFormat::AmountWidth, 0);
        const BudgetMonth back = januaryOf(TextFile::splitLines(TextFile::joinLines(m.fileLines())));
        QCOMPARE(rows(back.grid()), rows(m.grid()));
        QCOMPARE(m.fileLines().size(), (counted + 1) * BudgetGrid::Columns);
    }

    void takeRow()
    {
        BudgetMonth m = januaryOf(row(0, {"05/01/2026", "loyer", "janvier", "   500.00", "", "m"})
                                  + row(1, {"09/01/2026", "eau", "", "", "   20.00", ""}));
        // A counted row is taken for change, amounts trimmed; the commit replaces
        // it and sorts again, the mark column unchanged.
        const BudgetMonth::Entry e = m.takeRow(0);
        QCOMPARE(e.expense, QString("500.00"));
        QVERIFY(m.editing());
        QCOMPARE(m.commit({"12/01/2026", e.post, e.description, "501", ""}), BudgetMonth::CommitResult::Committed);
        QCOMPARE(rows(m.grid()), (QStringList{"09/01/2026|eau|||20.00", "12/01/2026|loyer|janvier|501,00|"}));
        QCOMPARE(m.grid().cell(1, BudgetGrid::Mark), QString("m"));
        // A row below the counted lines is not: the next commit adds a line.
        m.takeRow(40);
        QVERIFY(!m.editing());
        QCOMPARE(m.commit({"01/01/2026", "", "", "1", ""}), BudgetMonth::CommitResult::Committed);
        QCOMPARE(m.grid().lineCount(), 3);
        m.takeRow(-1);
        QCOMPARE(m.commit({"02/01/2026", "", "", "2", ""}), BudgetMonth::CommitResult::Committed);
        m.takeRow(BudgetGrid::Rows);
        QVERIFY(!m.editing());
        QCOMPARE(m.grid().lineCount(), 4);
        // The totals add every row of the grid, counted or not, and skip text.
        m.grid().setCell(100, BudgetGrid::Income, "  1.50");
        m.grid().setCell(101, BudgetGrid::Income, "abc");
        m.grid().setCell(BudgetGrid::Rows, BudgetGrid::Income, "99"); // outside: taken by nothing
        const BudgetGrid::Totals t = m.grid().totals();
        QVERIFY(t.expense == 504.0 && t.income == 21.5 && t.unreadable == 1);
        // A row whose date line was lost stays below the counted rows, in the totals.
        const BudgetMonth lost = januaryOf(row(0, {"05/01/2026", "a", "", "1"}) + row(1, {"", "b", "", "2"}).mid(1));
        QCOMPARE(lost.grid().totals().expense, 3.0);
        // Showing a month ends a change in progress: the next commit adds a line.
        m.takeRow(0);
        m.openMonth("Caisse");
        QVERIFY(!m.editing());
        // Deleting a line: the rows under it move up and the month is stored
        // again at once; an empty row is no line.
        BudgetMonth d = januaryOf(row(0, {"05/01/2026", "loyer", "", "500.00", "", ""})
                                  + row(1, {"09/01/2026", "eau", "", "", "20.00", ""}));
        d.takeRow(1); // the water bill, being changed, moves up with the others
        QVERIFY(d.removeRow(0) && !d.removeRow(1) && d.changed() && d.editing());
        QCOMPARE(rows(d.grid()) + d.store().lines(),
                 QStringList{"09/01/2026|eau|||20.00"} + BudgetFormat::writeMonth(kKey, d.grid()));
        QCOMPARE(d.commit({"10/01/2026", "eau", "", "", "21"}), BudgetMonth::CommitResult::Committed);
        QCOMPARE(rows(d.grid()), QStringList{"10/01/2026|eau|||21,00"});
        d.takeRow(0); // deleted while being changed: the next commit adds a line
        QVERIFY(d.removeRow(0) && !d.editing());
        // In a full month too: the last row is emptied, not shown twice.
        QStringList full;
        for (int r = 0; r < BudgetGrid::Rows; ++r)
            full += row(r, {"01/01/2026", "", "", QString::number(r + 1), "", ""});
        BudgetMonth f = januaryOf(full);
        QVERIFY(f.removeRow(0));
        QCOMPARE(rows(f.grid()).size(), BudgetGrid::Rows - 1);
        QCOMPARE(rows(f.grid()).last(), "01/01/2026|||" + QString::number(BudgetGrid::Rows) + "|");
    }

    void monthSteps()
    {
        BudgetMonth m;
        m.reset(QDate(2026, 1, 7));
        m.previousMonth();
        QCOMPARE(m.caption(), QString("Budget - Décembre 2025"));
        m.nextMonth();
        m.setMonth(13);
        QCOMPARE(m.caption(), QString("Budget - Janvier 2026"));
        m.setMonth(12);
        m.nextMonth();
        QCOMPARE(m.caption(), QString("Budget - Janvier 2027"));
        // A month is written back under the account it was opened for.
        m.loadLines({});
        m.openMonth("Caisse");
        m.commit({"02/01/2027", "", "", "1", ""});
        QVERIFY(m.storeMonth());
        QVERIFY(m.fileLines().first().startsWith("258202701000"));
    }

    void accountLines_data()
    {
        QTest::addColumn<QStringList>("typed"); // name, balance
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("readBack"); // name|balance|used
        const QString x30(30, u'x');
        QTest::newRow("six letters and 1500,00")
            << QStringList{"Caisse", "1500,00"} << "Caisse" + QString(14, nbsp) + "1500,00"
            << "Caisse|1500,00|used";
        QTest::newRow("blanks around, small letter")
            << QStringList{"  ccp ", "0,00"} << "ccp" + QString(20, nbsp) + "0,00"
            << "ccp|0,00|";
        QTest::newRow("a long pair keeps one space")
            << QStringList{x30, "1,00"} << x30 + nbsp + "1,00" << x30 + "|1,00|";
        QTest::newRow("no-break space and line breaks made blanks")
            << QStringList{"Avoirs\u00A0A\r\nbis", "2,00"} << "Avoirs A bis" + QString(11, nbsp) + "2,00"
            << "Avoirs A bis|2,00|used";
        QTest::newRow("empty name") << QStringList{"", "1,00"} << QString(23, nbsp) + "1,00"
                                    << "|1,00|";
        QTest::newRow("accented capital is not in use")
            << QStringList{"Épargne", "1,00"} << "Épargne" + QString(16, nbsp) + "1,00"
            << "Épargne|1,00|";
    }

    void accountLines()
    {
        QFETCH(QStringList, typed);
        const QString made = AccountLine::make(AccountLine::cleanName(typed[0]), typed[1]);
        QTEST(made, "line");
        QTEST(
            QStringList({AccountLine::name(made), AccountLine::balance(made), AccountLine::isUsed(made) ? "used" : ""})
                .join(u'|'),
            "readBack");
    }

    void balances_data()
    {
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("completed");
        QTest::addColumn<QString>("total");
        QTest::newRow("completed as the dialog does")
            << QStringList{"1500", "12,5", "12,", ",5", "12,34"}
            << QStringList{"1500,00", "12,50", "12,00", "0,50", "12,34"} << "        1537,34";
        QTest::newRow("nothing or no number is zero")
            << QStringList{"", ",", "12a"} << QStringList{"0,00", "0,00", "0,00"} << "           0,00";
        QTest::newRow("no account") << QStringList{} << QStringList{} << "           0,00";
    }

    void balances()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, total);
        QStringList lines, got;
        for (const QString &b : typed) {
            got << AccountLine::completeBalance(b);
            lines << AccountLine::make("a", got.last());
        }
        QTEST(got, "completed");
        QCOMPARE(AccountLine::balanceTotal(lines), total);
        QCOMPARE(AccountLine::balanceTotal(lines + QStringList{AccountLine::make("b", "x")}), total);
    }

    void namedLists()
    {
        using D = NamedList::Deletion;
        NamedList list({"voiture", "Alimentation", "Électricité", "banque", "eau", "Débit différé"});
        QCOMPARE(list.entries(),
                 (QStringList{"Alimentation", "banque", "Débit différé", "eau", "Électricité", "voiture"}));
        // Added with a small first letter (posts) or as typed, at its sorted place;
        // a name already there is added again; only an empty text is refused.
        QCOMPARE(list.add("  Loyer ", true), 5);
        QCOMPARE(list.entries().at(list.add("loyer", false)), QString("loyer"));
        QCOMPARE(list.add("Dr\r\nX", false), 3);
        QCOMPARE(list.add("   ", true), -1);
        QCOMPARE(list.entries(), (QStringList{"Alimentation", "banque", "Débit différé", "Dr X", "eau", "Électricité",
                                              "loyer", "loyer", "voiture"}));
        // "É" is no capital A to Z.
        QCOMPARE(QList<D>({list.deletion(0), list.deletion(2), list.deletion(5), list.deletion(9), list.deletion(-1)}),
                 QList<D>({D::Used, D::Protected, D::Allowed, D::NoSuchEntry, D::NoSuchEntry}));
        // Modifier then Ajouter: the text as typed, sorted again; a used entry
        // changed to a small letter becomes deletable.
        QCOMPARE(list.replace(0, "alimentation"), 0);
        QCOMPARE(list.deletion(0), D::Allowed);
        QCOMPARE(QList<int>({list.replace(0, "Zinc"), list.replace(0, " "), list.replace(9, "x")}),
                 QList<int>({8, -1, -1}));
        list.remove(9);
        list.remove(0);
        QCOMPARE(list.entries(),
                 (QStringList{"Débit différé", "Dr X", "eau", "Électricité", "loyer", "loyer", "voiture", "Zinc"}));
        // Same letters: the accents decide before the case.
        QCOMPARE(NamedList({"Aá", "aà"}).entries(), (QStringList{"aà", "Aá"}));
        QCOMPARE(NamedList::withSmallFirst("Épicerie"), QString("Épicerie"));
        QCOMPARE(NamedList::withCapitalFirst("loyer"), QString("Loyer"));
    }

    void summary_data()
    {
        // Lines of "Caisse" (rows: date, post, description, expense, income)
        // in January and March 2026; the January expenses by post, then the
        // year month by month "month:expense/income" (cents), the unreadable
        // amounts of the year last.
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        const QString mar = QStringLiteral("258202603");
        QTest::newRow("posts summed, a small first letter is the same post")
            << (row(0, {"02/01/2026", "Loyer", "", "  650,00"})
                + row(1, {"03/01/2026", "alimentation", "", "10.5", "2000"})
                + row(2, {"04/01/2026", "Alimentation", "", "  2,25"}) + row(3, {"05/01/2026", "Timbre", "", "0,01"})
                + row(0, {"05/03/2026", "Loyer", "", "650"}, mar))
            << "Loyer=65000 Alimentation=1275 Timbre=1 | 1:66276/200000 3:65000/0 | 0";
        QTest::newRow("deferred entries count with their month, an empty post has a name")
            << (row(0, {"02/01/2026", "", "", "5"})
                + row(999, {"", QString::fromUtf8("Débit différé"), "", "30,10", ""}))
            << QString::fromUtf8("Débit différé=3010 Sans poste=500 | 1:3510/0 | 0");
        QTest::newRow("unreadable amounts left out; refunds cancel a post out")
            << (row(0, {"02/01/2026", "Loisirs", "", "20"}) + row(1, {"03/01/2026", "loisirs", "", "-20", "abc"})
                + row(2, {"04/01/2026", "Loyer", "", "1 0000"}))
            << " | 1:0/0 | 2";
        QTest::newRow("an amount the sum cannot take is left out, never wrapped")
            << (row(0, {"02/01/2026", "Loyer", "", "92233720368547758"})
                + row(1, {"03/01/2026", "Loyer", "", "92233720368547758"}))
            << "Loyer=9223372036854775800 | 1:9223372036854775800/0 | 1";
        QTest::newRow("rows after the count and other accounts are not counted")
            << (row(0, {"02/01/2026", "Loyer", "", "1"}) + row(2, {"", "Loyer", "", "7"})
                + row(0, {"02/01/2026", "Loyer", "", "9"}, "259202601"))
            << "Loyer=100 | 1:100/0 | 0";
    }

    void summary()
    {
        QFETCH(QStringList, lines);
        BudgetStore store;
        store.setLines(lines);
        const auto month = BudgetSummary::month(store, "Caisse", 2026, 1);
        const auto year = BudgetSummary::year(store, "Caisse", 2026);
        QStringList posts, months;
        for (const auto &p : month.byPost)
            posts << p.post + u'=' + QString::number(p.cents);
        for (int m = 0; m < 12; ++m) {
            if (year.months[m].expense || year.months[m].income || m == 0)
                months << QStringLiteral("%1:%2/%3").arg(m + 1).arg(year.months[m].expense).arg(year.months[m].income);
        }
        QTEST(posts.join(u' ') + " | " + months.join(u' ') + " | " + QString::number(year.unreadable), "expected");
        QVERIFY(month.totals.expense == year.months[0].expense && month.totals.income == year.months[0].income);
        QCOMPARE(year.totals.expense, std::accumulate(year.months.begin(), year.months.end(), qint64(0),
                                                      [](qint64 s, const auto &t) { return s + t.expense; }));
    }
};

QTEST_GUILESS_MAIN(TestBudgetCore)
#include "test_budget_core.moc"

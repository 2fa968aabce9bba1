// The journal rules: day order, commit, totals, month stepping, display and
// write-back of a month through the store.
#include "budget/BudgetModel.h"
#include "common/TextFile.h"

#include <QTest>

namespace {

BudgetModel::Entry entry(const QString &date, const QString &expense, const QString &income,
                         const QString &description = QString())
{
    return {date, QStringLiteral("Divers"), description, expense, income};
}

QStringList column(const BudgetGrid &g, int c)
{
    QStringList out;
    for (int r = 0; r < g.lineCount(); ++r)
        out << g.cell(r, c);
    return out;
}

} // namespace

class TestBudgetModel : public QObject
{
    Q_OBJECT

private slots:
    void sortByDay_data();
    void sortByDay();
    void sortByDay_movesWholeRows();
    void packDatedRows_closesGapsKeepingOrder();

    void commit_amounts_data();
    void commit_amounts();
    void commit_needsAnAmount();
    void commit_lineBreaksBecomeBlanks();
    void commit_longDescriptionSurvivesAReload();
    void commit_refusesAmountThatIsNotANumber_data();
    void commit_refusesAmountThatIsNotANumber();
    void commit_refusedWhenAll128RowsCounted();
    void commit_editedRowIsReplacedAndResorted();

    void takeRow_belowCountedLinesStartsNewLine();
    void takeRow_trimsAmounts();

    void totals_countEveryRowOfTheGrid();
    void totals_skipUnreadableCells();

    void stepMonth_data();
    void stepMonth();
    void caption();

    void display_showsDeferredEntriesAfterOrdinaryRows();
    void deferredEntryWithoutDateSurvivesWriteBacks();
    void writeBack_onlyWhenChanged();
    void writeBack_keysByTheAccountTheMonthWasShownFor();
    void enteredMonthReadsBackIdentically();
    void reset_startsOnTodaysMonth();
};

void TestBudgetModel::sortByDay_data()
{
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("already in order") << QStringList{"01/01", "02/01", "03/01"} << QStringList{"01/01", "02/01", "03/01"};
    QTest::newRow("15th then 3rd") << QStringList{"15/01", "03/01"} << QStringList{"03/01", "15/01"};
    QTest::newRow("reverse order") << QStringList{"30/01", "20/01", "10/01", "01/01"}
                                   << QStringList{"01/01", "10/01", "20/01", "30/01"};
    // Equal days keep no guaranteed order between them: rows are swapped
    // only with rows of a smaller day, which can carry an equal-day row past
    // another one.
    QTest::newRow("equal days in a row stay put") << QStringList{"05/a", "05/b", "05/c"}
                                                  << QStringList{"05/a", "05/b", "05/c"};
    QTest::newRow("equal days separated by an earlier day")
        << QStringList{"09/a", "09/b", "01/c"} << QStringList{"01/c", "09/b", "09/a"};
    QTest::newRow("equal days around a later day")
        << QStringList{"07/a", "20/b", "07/c"} << QStringList{"07/a", "07/c", "20/b"};
    // The day is compared as text: a date typed in part sorts by its text.
    QTest::newRow("blank day sorts first") << QStringList{"12/01", "  /01"} << QStringList{"  /01", "12/01"};
}

void TestBudgetModel::sortByDay()
{
    QFETCH(QStringList, dates);
    QFETCH(QStringList, sorted);
    BudgetGrid g;
    for (int r = 0; r < dates.size(); ++r)
        g.setCell(r, 0, dates[r]);
    g.countLines();
    g.sortByDay();
    QCOMPARE(column(g, 0), sorted);
}

void TestBudgetModel::sortByDay_movesWholeRows()
{
    BudgetGrid g;
    for (int c = 0; c < 6; ++c) {
        g.setCell(0, c, QStringLiteral("28/01/2026|%1").arg(c));
        g.setCell(1, c, QStringLiteral("03/01/2026|%1").arg(c));
    }
    // A row below the counted lines takes no part.
    g.setCell(3, 0, QStringLiteral("01/01/2026"));
    g.countLines();
    g.sortByDay();
    for (int c = 0; c < 6; ++c) {
        QCOMPARE(g.cell(0, c), QStringLiteral("03/01/2026|%1").arg(c));
        QCOMPARE(g.cell(1, c), QStringLiteral("28/01/2026|%1").arg(c));
    }
    QCOMPARE(g.cell(3, 0), QStringLiteral("01/01/2026"));
}

void TestBudgetModel::packDatedRows_closesGapsKeepingOrder()
{
    BudgetGrid g;
    g.setCell(0, 0, "01/01");
    g.setCell(0, 2, "a");
    g.setCell(1, 2, "no date"); // its date line was lost
    g.setCell(1, 3, "  9,00");
    g.setCell(3, 0, "02/01");
    g.setCell(3, 2, "b");
    g.setCell(3, 5, "*");
    g.setCell(127, 0, "03/01");
    g.setCell(127, 2, "c");
    g.packDatedRows();
    QCOMPARE(g.countLines(), 3);
    QCOMPARE(column(g, 2), QStringList({"a", "b", "c"}));
    QCOMPARE(g.cell(1, 5), QStringLiteral("*"));
    QCOMPARE(g.cell(3, 0), QString());
    QCOMPARE(g.cell(3, 2), QStringLiteral("no date"));
    QCOMPARE(g.cell(3, 3), QStringLiteral("  9,00"));
    QCOMPARE(g.cell(127, 2), QString());
    QCOMPARE(g.totals().expense, 9.0);
}

void TestBudgetModel::commit_amounts_data()
{
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expenseCell");
    QTest::addColumn<QString>("incomeCell");
    QTest::newRow("12.5 with a point") << "12.5" << "" << "           12,50" << "";
    QTest::newRow("12,5 with a comma") << "12,5" << "" << "           12,50" << "";
    QTest::newRow("income only") << "" << "1500" << "" << "         1500,00";
    QTest::newRow("both amounts") << "3" << "4,456" << "            3,00" << "            4,46";
    QTest::newRow("blanks around") << "  7.1 " << "" << "            7,10" << "";
    QTest::newRow("negative expense") << "-2.5" << "" << "           -2,50" << "";
}

void TestBudgetModel::commit_amounts()
{
    QFETCH(QString, expense);
    QFETCH(QString, income);
    QFETCH(QString, expenseCell);
    QFETCH(QString, incomeCell);
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    QCOMPARE(m.commit(entry("07/01/2026", expense, income, "Pain")), BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().lineCount(), 1);
    QCOMPARE(m.grid().cell(0, BudgetGrid::Date), QStringLiteral("07/01/2026"));
    QCOMPARE(m.grid().cell(0, BudgetGrid::Post), QStringLiteral("Divers"));
    QCOMPARE(m.grid().cell(0, BudgetGrid::Description), QStringLiteral("Pain"));
    QCOMPARE(m.grid().cell(0, BudgetGrid::Expense), expenseCell);
    QCOMPARE(m.grid().cell(0, BudgetGrid::Income), incomeCell);
    QVERIFY(m.changed());
    QVERIFY(!m.editing());
}

void TestBudgetModel::commit_lineBreaksBecomeBlanks()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    QCOMPARE(m.commit({"07/01/2026", "Divers", "Courses\r\ndu\nlundi\r", "3", ""}),
             BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().cell(0, BudgetGrid::Description), QStringLiteral("Courses du lundi "));
    QVERIFY(m.writeBack());
    const QStringList lines = m.fileLines();
    QCOMPARE(lines.size(), 6);
    for (const QString &line : lines) {
        QVERIFY(!line.contains(u'\r'));
        QVERIFY(!line.contains(u'\n'));
    }
}

void TestBudgetModel::commit_longDescriptionSurvivesAReload()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    const QString longText = QString(240, u'a') + QString(60, u'b');
    QCOMPARE(m.commit({"07/01/2026", "Divers", longText, "3", ""}), BudgetModel::CommitResult::Committed);
    const QString shown = m.grid().cell(0, BudgetGrid::Description);
    QCOMPARE(shown, longText);
    QVERIFY(m.writeBack());
    BudgetModel r;
    r.reset(QDate(2026, 1, 7));
    r.loadLines(m.fileLines());
    r.display(QStringLiteral("Caisse"));
    QCOMPARE(r.grid().cell(0, BudgetGrid::Description), shown);
}

void TestBudgetModel::commit_needsAnAmount()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    QCOMPARE(m.commit(entry("07/01/2026", "  ", "")), BudgetModel::CommitResult::NoAmount);
    QCOMPARE(m.grid().lineCount(), 0);
    QVERIFY(!m.changed());
}

void TestBudgetModel::commit_refusesAmountThatIsNotANumber_data()
{
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("income");
    QTest::addColumn<BudgetModel::CommitResult>("result");
    QTest::newRow("letters") << "douze" << "" << BudgetModel::CommitResult::BadExpense;
    QTest::newRow("two separators") << "1.2.3" << "" << BudgetModel::CommitResult::BadExpense;
    QTest::newRow("lone comma") << "," << "" << BudgetModel::CommitResult::BadExpense;
    QTest::newRow("bad income with good expense") << "3" << "12a" << BudgetModel::CommitResult::BadIncome;
}

void TestBudgetModel::commit_refusesAmountThatIsNotANumber()
{
    QFETCH(QString, expense);
    QFETCH(QString, income);
    QFETCH(BudgetModel::CommitResult, result);
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    QCOMPARE(m.commit(entry("07/01/2026", expense, income)), result);
    QCOMPARE(m.grid().lineCount(), 0);
    QVERIFY(m.grid().cell(0, 0).isEmpty());
    QVERIFY(!m.changed());
}

void TestBudgetModel::commit_refusedWhenAll128RowsCounted()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    for (int i = 0; i < 128; ++i)
        QCOMPARE(m.commit(entry("07/01/2026", "1", "")), BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().lineCount(), 128);
    QCOMPARE(m.commit(entry("08/01/2026", "1", "")), BudgetModel::CommitResult::Full);
    QCOMPARE(m.grid().lineCount(), 128);
    // A counted row can still be changed.
    m.takeRow(5);
    QCOMPARE(m.commit(entry("09/01/2026", "2", "")), BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().cell(127, 0), QStringLiteral("09/01/2026"));
}

void TestBudgetModel::commit_editedRowIsReplacedAndResorted()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    m.commit(entry("15/01/2026", "1", "", "quinze"));
    m.commit(entry("03/01/2026", "2", "", "trois"));
    m.commit(entry("20/01/2026", "3", "", "vingt"));
    QCOMPARE(column(m.grid(), 2), QStringList({"trois", "quinze", "vingt"}));
    m.grid().setCell(0, BudgetGrid::Mark, QStringLiteral("*"));
    const auto e = m.takeRow(0);
    QVERIFY(m.editing());
    QCOMPARE(e.description, QStringLiteral("trois"));
    QCOMPARE(m.commit(entry("28/01/2026", "2", "", "trois")), BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().lineCount(), 3);
    QCOMPARE(column(m.grid(), 2), QStringList({"quinze", "vingt", "trois"}));
    // The mark column goes with its row and is left as it was.
    QCOMPARE(m.grid().cell(2, BudgetGrid::Mark), QStringLiteral("*"));
    QVERIFY(!m.editing());
}

void TestBudgetModel::takeRow_belowCountedLinesStartsNewLine()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    m.commit(entry("05/01/2026", "1", ""));
    const auto e = m.takeRow(40);
    QVERIFY(!m.editing());
    QVERIFY(e.date.isEmpty());
    QCOMPARE(m.commit(entry("06/01/2026", "2", "")), BudgetModel::CommitResult::Committed);
    QCOMPARE(m.grid().lineCount(), 2);
    QCOMPARE(m.grid().cell(1, 0), QStringLiteral("06/01/2026"));
    QVERIFY(m.grid().cell(40, 0).isEmpty());
}

void TestBudgetModel::takeRow_trimsAmounts()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    m.commit(entry("05/01/2026", "12.5", "3"));
    const auto e = m.takeRow(0);
    QCOMPARE(e.expense, QStringLiteral("12,50"));
    QCOMPARE(e.income, QStringLiteral("3,00"));
    QCOMPARE(e.post, QStringLiteral("Divers"));
}

void TestBudgetModel::totals_countEveryRowOfTheGrid()
{
    BudgetGrid g;
    g.setCell(0, 0, QStringLiteral("01/01/2026"));
    g.setCell(0, 3, QStringLiteral("           12,50"));
    g.setCell(1, 0, QStringLiteral("02/01/2026"));
    g.setCell(1, 4, QStringLiteral("          100,00"));
    // Row 2 has no date, so rows 2 and below are not counted, but the
    // on-screen totals still add them.
    g.setCell(50, 3, QStringLiteral("7,50"));
    g.setCell(127, 4, QStringLiteral(" 0.5"));
    g.countLines();
    QCOMPARE(g.lineCount(), 2);
    const auto t = g.totals();
    QCOMPARE(t.expense, 20.0);
    QCOMPARE(t.income, 100.5);
    QCOMPARE(t.unreadable, 0);
}

void TestBudgetModel::totals_skipUnreadableCells()
{
    BudgetGrid g;
    g.setCell(0, 3, QStringLiteral("  abc"));
    g.setCell(1, 3, QStringLiteral("  2,00"));
    const auto t = g.totals();
    QCOMPARE(t.expense, 2.0);
    QCOMPARE(t.unreadable, 1);
}

void TestBudgetModel::stepMonth_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("steps"); // negative: previous
    QTest::addColumn<QDate>("to");
    QTest::newRow("previous from January 2001") << QDate(2001, 1, 1) << -1 << QDate(2000, 12, 1);
    QTest::newRow("next from December 2000") << QDate(2000, 12, 1) << 1 << QDate(2001, 1, 1);
    QTest::newRow("next within a year") << QDate(2026, 5, 1) << 1 << QDate(2026, 6, 1);
    QTest::newRow("thirteen back") << QDate(2026, 1, 1) << -13 << QDate(2024, 12, 1);
    QTest::newRow("twenty-five on") << QDate(2026, 12, 1) << 25 << QDate(2029, 1, 1);
}

void TestBudgetModel::stepMonth()
{
    QFETCH(QDate, from);
    QFETCH(int, steps);
    QFETCH(QDate, to);
    BudgetModel m;
    m.reset(from);
    for (int i = 0; i < qAbs(steps); ++i)
        steps < 0 ? m.previousMonth() : m.nextMonth();
    QCOMPARE(m.month(), to.month());
    QCOMPARE(m.year(), to.year());
}

void TestBudgetModel::caption()
{
    BudgetModel m;
    m.reset(QDate(2001, 1, 20));
    QCOMPARE(m.caption(), QStringLiteral("Budget - Janvier 2001"));
    m.setMonth(8);
    QCOMPARE(m.caption(), QString::fromUtf8("Budget - Août 2001"));
    m.setMonth(13); // not a month: nothing changes
    QCOMPARE(m.month(), 8);
}

void TestBudgetModel::display_showsDeferredEntriesAfterOrdinaryRows()
{
    BudgetModel m;
    m.reset(QDate(2001, 1, 1));
    m.loadLines({"258200101999028/01/2001", "2582001019991Carte", "2582001019992Courses", "2582001019993 7.5",
                 "25820010199942", "258200101000003/01/2001", "2582001010001Loyer", "2582001010002",
                 "2582001010003450", "2582001010004", "2582001010005"});
    const auto r = m.display(QStringLiteral("Caisse"));
    QCOMPARE(r.damagedLines, 0);
    QCOMPARE(m.grid().lineCount(), 2);
    QCOMPARE(m.grid().cell(0, 1), QStringLiteral("Loyer"));
    QCOMPARE(m.grid().cell(1, 0), QStringLiteral("28/01/2001"));
    QCOMPARE(m.grid().cell(1, 3), QStringLiteral("            7,50"));
    QCOMPARE(m.grid().cell(1, 4), QStringLiteral("            2,00"));
    QCOMPARE(m.shownKey(), QStringLiteral("258200101"));
}

void TestBudgetModel::writeBack_onlyWhenChanged()
{
    BudgetModel m;
    m.reset(QDate(2001, 1, 1));
    m.loadLines({"2582001010000a"});
    QVERIFY(!m.writeBack()); // no month shown yet
    m.display(QStringLiteral("Caisse"));
    QVERIFY(!m.writeBack()); // nothing changed
    QCOMPARE(m.fileLines(), QStringList({"2582001010000a"}));
    // The deferred lines stay until their month is written.
    m.commit(entry("02/01/2001", "1", ""));
    QVERIFY(m.writeBack());
    QCOMPARE(m.fileLines().size(), 12);
    // The flag stays set until the file is saved, so every later write-back
    // of a shown month rewrites it.
    m.nextMonth();
    m.display(QStringLiteral("Caisse"));
    QVERIFY(m.writeBack());
    m.markSaved();
    QVERIFY(!m.writeBack());
}

void TestBudgetModel::writeBack_keysByTheAccountTheMonthWasShownFor()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.display(QStringLiteral("Caisse"));
    m.commit(entry("07/01/2026", "5", "", "caisse line"));
    // The account box now names another account: the grid still belongs to
    // Caisse and goes back under its key.
    QVERIFY(m.writeBack());
    m.display(QStringLiteral("Banque"));
    QCOMPARE(m.grid().lineCount(), 0);
    m.commit(entry("08/01/2026", "6", "", "banque line"));
    m.writeBack();
    m.display(QStringLiteral("Caisse"));
    QCOMPARE(column(m.grid(), 2), QStringList({"caisse line"}));
    m.display(QStringLiteral("Banque"));
    QCOMPARE(column(m.grid(), 2), QStringList({"banque line"}));
}

void TestBudgetModel::enteredMonthReadsBackIdentically()
{
    BudgetModel m;
    m.reset(QDate(2026, 3, 1));
    m.display(QStringLiteral("Caisse"));
    m.commit(entry("15/03/2026", "12.5", "", QString::fromUtf8("Épicerie")));
    m.commit(entry("03/03/2026", "", "1500", "Salaire"));
    m.writeBack();
    const QStringList saved = m.fileLines();
    BudgetModel again;
    again.reset(QDate(2026, 3, 1));
    again.loadLines(saved);
    again.display(QStringLiteral("Caisse"));
    for (int r = 0; r < BudgetGrid::Rows; ++r)
        for (int c = 0; c < BudgetGrid::Columns; ++c)
            QCOMPARE(again.grid().cell(r, c), m.grid().cell(r, c));
    again.setChanged(true);
    again.writeBack();
    QCOMPARE(again.fileLines(), saved);
}

void TestBudgetModel::reset_startsOnTodaysMonth()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 7));
    m.loadLines({"2582026010000a"});
    m.display(QStringLiteral("Caisse"));
    m.reset(QDate(2027, 2, 28));
    QCOMPARE(m.month(), 2);
    QCOMPARE(m.year(), 2027);
    QVERIFY(m.fileLines().isEmpty());
    QVERIFY(!m.hasShownMonth());
    QVERIFY(!m.changed());
}

void TestBudgetModel::deferredEntryWithoutDateSurvivesWriteBacks()
{
    BudgetModel m;
    m.reset(QDate(2026, 1, 15));
    m.loadLines(TextFile::read(QFINDTESTDATA("data/deferred_without_date.obg")).value_or(QStringList()));
    m.setChanged(true); // every write-back rewrites the month
    for (int pass = 0; pass < 3; ++pass) {
        m.display(QStringLiteral("Caisse"));
        QCOMPARE(m.grid().cell(0, BudgetGrid::Date), QStringLiteral("01/01/2026"));
        QCOMPARE(m.grid().cell(0, BudgetGrid::Expense).trimmed(), QStringLiteral("400,50"));
        m.writeBack();
    }
}

QTEST_GUILESS_MAIN(TestBudgetModel)
#include "test_budget_model.moc"

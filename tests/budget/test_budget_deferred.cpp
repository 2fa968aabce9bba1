// Deferred entries ("999" rows) become ordinary rows of their month when it is
// written back; none may be lost on the way, whatever the file left out.

#include "budget/BudgetGrid.h"
#include "budget/BudgetModel.h"
#include "common/TextFile.h"

#include <QTest>

class TestBudgetDeferred : public QObject
{
    Q_OBJECT

private slots:
    void survivesWriteBacks_data();
    void survivesWriteBacks();
};

void TestBudgetDeferred::survivesWriteBacks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("post");

    QTest::newRow("entry without a date") << "deferred_without_date.obg" << "01/01/2026" << "Loyer";
}

void TestBudgetDeferred::survivesWriteBacks()
{
    QFETCH(QString, file);
    QFETCH(QString, date);
    QFETCH(QString, post);
    const auto lines = TextFile::read(QFINDTESTDATA(QStringLiteral("data/") + file));
    QVERIFY(lines);
    BudgetModel model;
    model.reset(QDate(2026, 1, 15));
    model.loadLines(*lines);
    model.setChanged(true); // a change elsewhere: every write-back rewrites its month
    for (int pass = 0; pass < 3; ++pass) {
        model.display(QStringLiteral("Caisse"));
        const BudgetGrid &grid = model.grid();
        QCOMPARE(grid.lineCount(), 1);
        QCOMPARE(grid.cell(0, BudgetGrid::Date), date);
        QCOMPARE(grid.cell(0, BudgetGrid::Post), post);
        QCOMPARE(grid.cell(0, BudgetGrid::Expense).trimmed(), QStringLiteral("400,50"));
        model.writeBack();
    }
}

QTEST_GUILESS_MAIN(TestBudgetDeferred)
#include "test_budget_deferred.moc"

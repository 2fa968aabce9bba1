// The ".obg" cell lines, account codes, month keys and the month store.
#include "budget/BudgetFormat.h"
#include "budget/BudgetGrid.h"
#include "budget/BudgetStore.h"

#include <QTest>

class TestBudgetFormat : public QObject
{
    Q_OBJECT

private slots:
    void accountCode_data();
    void accountCode();
    void monthKey_data();
    void monthKey();
    void cellLine_data();
    void cellLine();

    void readMonth_fillsCellsByRowAndColumn();
    void readMonth_ignoresOtherNumbersAndCountsDamage_data();
    void readMonth_ignoresOtherNumbersAndCountsDamage();
    void readMonth_keepsLongCellTextWhole();
    void readMonth_deferredEntriesAfterOrdinaryRows();
    void readMonth_deferredEntriesHaveNoLimit();
    void readMonth_deferredEntriesDroppedWhenMonthFull();

    void writeMonth_sixLinesPerCountedRow();

    void store_dropsShortLines();
    void store_replaceMonthPutsLinesAtTheEnd();
    void store_replaceMonthRemovesScatteredLines();
    void store_replaceMonthWithNoRowsRemovesMonth();
    void store_longAccountCodeKeepsItsOwnLines();
    void store_manyRewritesKeepOrder();
};

void TestBudgetFormat::accountCode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("fits");
    QTest::newRow("Caisse sums to 600") << "Caisse" << "258" << true;
    QTest::newRow("empty name") << "" << "000" << true;
    QTest::newRow("single letter padded to 3 digits") << "A" << "041" << true;
    QTest::newRow("accented letter counts its cp1252 byte") << QString::fromUtf8("é") << "0E9" << true;
    QTest::newRow("euro sign is byte 0x80") << QString::fromUtf8("€") << "080" << true;
    QTest::newRow("anagram shares the code") << "essiaC" << "258" << true;
    QTest::newRow("largest 3-digit sum") << QString(16, QChar(0xFF)) + QString(QChar(0x0F)) << "FFF" << true;
    QTest::newRow("sum over FFF needs 4 digits") << QString(41, u'd') << "1004" << false;
}

void TestBudgetFormat::accountCode()
{
    QFETCH(QString, name);
    QFETCH(QString, code);
    QFETCH(bool, fits);
    QCOMPARE(BudgetFormat::accountCode(name), code);
    QCOMPARE(BudgetFormat::accountCodeFits(name), fits);
}

void TestBudgetFormat::monthKey_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("key");
    QTest::newRow("Caisse January 2001") << "Caisse" << 2001 << 1 << "258200101";
    QTest::newRow("December has two digits") << "Caisse" << 1999 << 12 << "258199912";
    QTest::newRow("empty account") << "" << 2026 << 7 << "000202607";
}

void TestBudgetFormat::monthKey()
{
    QFETCH(QString, account);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QString, key);
    QCOMPARE(BudgetFormat::monthKeyFor(account, year, month), key);
    QCOMPARE(key.size(), 9);
}

void TestBudgetFormat::cellLine_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("line");
    QTest::newRow("first cell") << 0 << 0 << "03/01/2001" << "258200101000003/01/2001";
    QTest::newRow("empty mark cell") << 0 << 5 << "" << "2582001010005";
    QTest::newRow("last row") << 127 << 4 << "  12,50" << "2582001011274  12,50";
    QTest::newRow("row 12 in three digits") << 12 << 2 << "Pain" << "2582001010122Pain";
}

void TestBudgetFormat::cellLine()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(QString, line);
    QCOMPARE(BudgetFormat::cellLine(QStringLiteral("258200101"), row, column, text), line);
}

void TestBudgetFormat::readMonth_fillsCellsByRowAndColumn()
{
    BudgetGrid grid;
    const QStringList lines = {"258200101000015/01/2001", "2582001010001alimentation", "2582001010020ignored?",
                               "2582001010024        3,00", "2582001020000other month"};
    // Only lines that start with the key are read; the caller passes them.
    QStringList mine;
    for (const QString &l : lines)
        if (l.startsWith(QLatin1String("258200101")))
            mine << l;
    const auto content = BudgetFormat::readMonth(mine, QStringLiteral("258200101"), grid);
    QCOMPARE(content.damagedLines, 0);
    QCOMPARE(grid.cell(0, 0), QStringLiteral("15/01/2001"));
    QCOMPARE(grid.cell(0, 1), QStringLiteral("alimentation"));
    QCOMPARE(grid.cell(2, 0), QStringLiteral("ignored?"));
    QCOMPARE(grid.cell(2, 4), QStringLiteral("        3,00"));
    QCOMPARE(grid.countLines(), 1); // row 1 has no date: counting stops there
}

void TestBudgetFormat::readMonth_ignoresOtherNumbersAndCountsDamage_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("damaged");
    QTest::newRow("row 128 is ignored") << "2582001011280x" << 0;
    QTest::newRow("column 6 is ignored") << "2582001010006x" << 0;
    QTest::newRow("deferred column 5 is ignored") << "2582001019995x" << 0;
    QTest::newRow("letter in row is damage") << "25820010100a0x" << 1;
    QTest::newRow("blank in row is damage") << "258200101 010x" << 1;
    QTest::newRow("letter as column is damage") << "258200101000Zx" << 1;
    QTest::newRow("line ends before column") << "258200101000" << 1;
    QTest::newRow("line ends inside row") << "2582001010" << 1;
}

void TestBudgetFormat::readMonth_ignoresOtherNumbersAndCountsDamage()
{
    QFETCH(QString, line);
    QFETCH(int, damaged);
    BudgetGrid grid;
    const QStringList lines = {"258200101000001/01/2001", line, "258200101001002/01/2001"};
    const auto content = BudgetFormat::readMonth(lines, QStringLiteral("258200101"), grid);
    QCOMPARE(content.damagedLines, damaged);
    QVERIFY(content.deferred.empty());
    // The other lines of the month are all there.
    QCOMPARE(grid.cell(0, 0), QStringLiteral("01/01/2001"));
    QCOMPARE(grid.cell(1, 0), QStringLiteral("02/01/2001"));
    for (int r = 2; r < BudgetGrid::Rows; ++r)
        for (int c = 0; c < BudgetGrid::Columns; ++c)
            QVERIFY(grid.cell(r, c).isEmpty());
}

void TestBudgetFormat::readMonth_keepsLongCellTextWhole()
{
    BudgetGrid grid;
    const QString text(300, u'x');
    BudgetFormat::readMonth({QStringLiteral("2582001010002") + text}, QStringLiteral("258200101"), grid);
    QCOMPARE(grid.cell(0, 2), text);
}

void TestBudgetFormat::readMonth_deferredEntriesAfterOrdinaryRows()
{
    BudgetGrid grid;
    const QStringList lines = {
        "258200101000003/01/2001", "2582001010001Loyer", "2582001010002", "2582001010003 450,00",
        "2582001010004", "2582001010005",
        "258200101999028/01/2001", "2582001019991Carte", "2582001019992Courses", "258200101999312.5",
        "2582001019994",
    };
    const auto content = BudgetFormat::readMonth(lines, QStringLiteral("258200101"), grid);
    QCOMPARE(int(content.deferred.size()), 1);
    QCOMPARE(grid.countLines(), 1);
    int damaged = 0;
    QCOMPARE(BudgetFormat::appendDeferred(content.deferred, grid, &damaged), 0);
    QCOMPARE(damaged, 0);
    QCOMPARE(grid.lineCount(), 2);
    QCOMPARE(grid.cell(1, 0), QStringLiteral("28/01/2001"));
    QCOMPARE(grid.cell(1, 1), QStringLiteral("Carte"));
    QCOMPARE(grid.cell(1, 2), QStringLiteral("Courses"));
    // Amounts become "0.00" right-aligned in 16 characters; an empty one
    // stays empty.
    QCOMPARE(grid.cell(1, 3), QStringLiteral("           12,50"));
    QCOMPARE(grid.cell(1, 3).size(), 16);
    QCOMPARE(grid.cell(1, 4), QString());
}

void TestBudgetFormat::readMonth_deferredEntriesHaveNoLimit()
{
    BudgetGrid grid;
    QStringList lines;
    for (int i = 0; i < 15; ++i) {
        lines << QStringLiteral("2582001019990%1/01/2001").arg(i + 1, 2, 10, QLatin1Char('0'))
              << QStringLiteral("2582001019991Carte") << QStringLiteral("2582001019992n%1").arg(i)
              << QStringLiteral("25820010199931") << QStringLiteral("2582001019994");
    }
    const auto content = BudgetFormat::readMonth(lines, QStringLiteral("258200101"), grid);
    QCOMPARE(int(content.deferred.size()), 15);
    grid.countLines();
    BudgetFormat::appendDeferred(content.deferred, grid);
    QCOMPARE(grid.lineCount(), 15);
    QCOMPARE(grid.cell(14, 2), QStringLiteral("n14"));
}

void TestBudgetFormat::readMonth_deferredEntriesDroppedWhenMonthFull()
{
    BudgetGrid grid;
    for (int r = 0; r < 127; ++r)
        grid.setCell(r, 0, QStringLiteral("01/01/2001"));
    grid.countLines();
    std::vector<BudgetFormat::DeferredEntry> entries(3, {"02/01/2001", "p", "d", "1", "abc"});
    int damaged = 0;
    QCOMPARE(BudgetFormat::appendDeferred(entries, grid, &damaged), 2);
    QCOMPARE(grid.lineCount(), 128);
    // An amount that is not a number is kept as text and counted.
    QCOMPARE(damaged, 1);
    QCOMPARE(grid.cell(127, 4).trimmed(), QStringLiteral("abc"));
}

void TestBudgetFormat::writeMonth_sixLinesPerCountedRow()
{
    BudgetGrid grid;
    grid.setCell(0, 0, QStringLiteral("03/01/2001"));
    grid.setCell(0, 3, QStringLiteral("           12,50"));
    grid.setCell(1, 0, QStringLiteral("15/01/2001"));
    grid.setCell(1, 4, QStringLiteral("          100,00"));
    grid.setCell(2, 0, QStringLiteral("20/01/2001"));
    grid.setCell(2, 5, QStringLiteral("*"));
    grid.setCell(4, 0, QStringLiteral("not counted"));
    grid.countLines();
    const QStringList lines = BudgetFormat::writeMonth(QStringLiteral("258200101"), grid);
    QCOMPARE(lines.size(), 18);
    QCOMPARE(lines.at(0), QStringLiteral("258200101000003/01/2001"));
    QCOMPARE(lines.at(1), QStringLiteral("2582001010001"));
    QCOMPARE(lines.at(3), QStringLiteral("2582001010003           12,50"));
    QCOMPARE(lines.at(5), QStringLiteral("2582001010005"));
    QCOMPARE(lines.at(10), QStringLiteral("2582001010014          100,00"));
    QCOMPARE(lines.at(17), QStringLiteral("2582001010025*"));
}

void TestBudgetFormat::store_dropsShortLines()
{
    BudgetStore store;
    QCOMPARE(store.setLines({"2582001010000a", "short", "", "123456789", "1234567890"}), 3);
    QCOMPARE(store.lines(), QStringList({"2582001010000a", "1234567890"}));
}

void TestBudgetFormat::store_replaceMonthPutsLinesAtTheEnd()
{
    BudgetStore store;
    store.setLines({"2582001010000a", "2582001010001b", "2582001020000c", "1A2200101000x"});
    store.replaceMonth(QStringLiteral("258200101"), {"2582001010000A", "2582001010001B", "2582001010010C"});
    QCOMPARE(store.lines(), QStringList({"2582001020000c", "1A2200101000x", "2582001010000A", "2582001010001B",
                                         "2582001010010C"}));
    QCOMPARE(store.monthLines(QStringLiteral("258200101")),
             QStringList({"2582001010000A", "2582001010001B", "2582001010010C"}));
    QCOMPARE(store.size(), 5);
}

void TestBudgetFormat::store_replaceMonthRemovesScatteredLines()
{
    BudgetStore store;
    store.setLines({"2582001010000a", "2582001020000c", "2582001010001b", "2582001020001d", "2582001010010e"});
    QCOMPARE(store.monthLines(QStringLiteral("258200101")),
             QStringList({"2582001010000a", "2582001010001b", "2582001010010e"}));
    store.replaceMonth(QStringLiteral("258200101"), {"2582001010000z"});
    QCOMPARE(store.lines(), QStringList({"2582001020000c", "2582001020001d", "2582001010000z"}));
}

void TestBudgetFormat::store_replaceMonthWithNoRowsRemovesMonth()
{
    BudgetStore store;
    store.setLines({"2582001010000a", "2582001020000c"});
    store.replaceMonth(QStringLiteral("258200101"), {});
    QCOMPARE(store.lines(), QStringList({"2582001020000c"}));
    QVERIFY(store.monthLines(QStringLiteral("258200101")).isEmpty());
}

void TestBudgetFormat::store_longAccountCodeKeepsItsOwnLines()
{
    // A 4-digit code (kept from an older list) makes a 10-character key
    // whose first 9 characters may be those of another key; each key keeps
    // its own lines.
    BudgetStore store;
    const QString longKey = QStringLiteral("1004200101");
    store.setLines({longKey + "0000a", "1004200100" + QStringLiteral("0000b")});
    QCOMPARE(store.monthLines(longKey), QStringList({longKey + "0000a"}));
    store.replaceMonth(longKey, {longKey + "0000c"});
    QCOMPARE(store.lines(), QStringList({"10042001000000b", longKey + "0000c"}));
}

void TestBudgetFormat::store_manyRewritesKeepOrder()
{
    BudgetStore store;
    store.setLines({"1112001010000a", "2222001010000b"});
    for (int i = 0; i < 3000; ++i)
        store.replaceMonth(QStringLiteral("111200101"), {QStringLiteral("1112001010000v%1").arg(i)});
    QCOMPARE(store.lines(), QStringList({"2222001010000b", "1112001010000v2999"}));
    QCOMPARE(store.monthLines(QStringLiteral("111200101")), QStringList({"1112001010000v2999"}));
}

QTEST_GUILESS_MAIN(TestBudgetFormat)
#include "test_budget_format.moc"

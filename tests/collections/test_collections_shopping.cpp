// Shopping lists: the computation and key rules, item lines, and a list
// typed, changed, left, saved and reloaded through the document window.
#include "Fixtures.h"
#include "collections/ShoppingPage.h"

#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>

#include <tuple>

using namespace Shopping;
using namespace Money;

namespace {

// Five pixels a character: padding is then a matter of counting, and the
// alignment edges (70 and 80 px) fall on a character's edge.
const auto fivePx = [](const QString &s) { return int(s.size()) * 5; };

using TestFiles::block;

} // namespace

class TestCollectionsShopping : public QObject
{
    Q_OBJECT

private slots:
    void calculate_data()
    {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QStringList>("cells"); // quantity, price, amount, trimmed
        const std::tuple<const char *, const char *, const char *, const char *> rows[] = {
            {"2 x 1,5", "2", "1,5", "2|1,50|3,00"},
            {"exact cents", "0,5", "2,01", "0,5|2,01|1,01"},
            {"half away from zero", "-0,5", "2,01", "-0,5|2,01|-1,01"},
            {"0,244 rounded down", "0,2", "1,22", "0,2|1,22|0,24"},
            {"price rounded first", "3", "1,005", "3|1,01|3,03"},
            {"no quantity", "", "4", "|4|old"},
            {"no price", "3", "", "3|0,00|0,00"},
            {"not a number", "deux", "1,5", "deux|1,5|0,00"},
            {"big", "1000000", "99999,99", "1000000|99999,99|99999990000,00"},
            {"2^63-1 cents: the total cannot take it", "1530920,23", "60247241209", "1530920,23|60247241209|0,00"},
            {"too many digits", "1234567890123456789", "1", "1234567890123456789|1|0,00"},
        };
        for (const auto &[row, quantity, price, cells] : rows)
            QTest::newRow(row) << QString(quantity) << QString(price) << QString(cells).split(u'|');
    }

    void calculate()
    {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QStringList, cells);
        // The row under test between two rows of 0,1 x 0,1 (0,01 each): totals
        // add the rounded amounts shown, never drifting.
        QList<Row> rows{{"a", "0,1", "0,1", ""}, {"b", quantity, price, "old"}, {"c", "0,1", "0,1", ""}};
        const qint64 sum = Shopping::calculate(rows, fivePx);
        QCOMPARE(formatCents(sum - 2), cells[2] == "old" ? "0,00" : cells[2]);
        const Row &r = rows[1];
        QCOMPARE((QStringList{r.quantity.trimmed(), r.price.trimmed(), r.amount.trimmed()}), cells);
        // Computed cells are right-aligned with the fewest blanks that make them
        // wider than the alignment width less 10 pixels; others stay as typed.
        const QString texts[] = {r.quantity, r.price, r.amount}, typed[] = {quantity, price, "old"};
        for (int i = 0, align = QuantityAlign; i < 3; ++i, align = PriceAlign)
            QVERIFY(texts[i] == typed[i]
                    || (fivePx(texts[i]) > align - 10
                        && (!texts[i].startsWith(u' ') || fivePx(texts[i].mid(1)) <= align - 10)));
        // A font without width for blanks stops at 200 of them.
        QCOMPARE(Shopping::padded("1", 100, [](const QString &) { return 0; }), QString(200, u' ') + "1");
    }

    void enterKey_data()
    {
        QTest::addColumn<QList<int>>("at");       // row, column, row count
        QTest::addColumn<QList<int>>("expected"); // acts, new row, new row count
        QTest::newRow("designation") << QList<int>{3, 0, 6} << QList<int>{0, 3, 6};
        QTest::newRow("price, inside the count") << QList<int>{3, 2, 6} << QList<int>{1, 4, 6};
        QTest::newRow("price raises the count") << QList<int>{9, 2, 6} << QList<int>{1, 10, 9};
        QTest::newRow("count 19 still moves") << QList<int>{19, 2, 5} << QList<int>{1, 20, 19};
        QTest::newRow("from count 20 it stays") << QList<int>{20, 3, 5} << QList<int>{1, 20, 20};
        QTest::newRow("last row stays") << QList<int>{63, 2, 5} << QList<int>{1, 63, 63};
    }

    void enterKey()
    {
        QFETCH(QList<int>, at);
        const int column = at[1];
        const EnterResult r = enter(at[0], column, at[2], 63);
        QTEST((QList<int>{r.acts, r.row, r.rowCount}), "expected");
        QCOMPARE(r.column, r.acts ? 0 : column);
        // A typed "." is the decimal comma in the number columns only.
        QCOMPARE(typed(u'.', column), column == 0 ? QChar(u'.') : QChar(u','));
        // A pasted tab would shift the item line's fields.
        QCOMPARE(typed(u'\t', column), QChar(u' '));
    }

    void emptyListTakesNothingFromTheNext()
    {
        ChildFixture f(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        f.child.activate();
        TestFiles::writeBytes(f.path("maison.oco"),
                              TestFiles::crlf(block(0, {}) + block(1, {"02/03/2026", "Épicerie", "CMDEThé\t1\t4\t4"})));
        f.child.Charge(f.path("maison.orz"));
        f.child.Section(8);
        QCOMPARE(f.child.page(SectionId::Shopping)->findChild<QLabel *>("Label50")->text(), QStringLiteral("0,00"));
    }

    void listTypedLeftSavedAndReloaded()
    {
        ChildFixture f(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        TChild &child = f.child;
        child.activate();
        const QString oco = f.path("maison.oco");
        // Padding of another font: kept byte for byte while the list is not edited.
        const QStringList market = block(0, {"01/03/2026", "Marché", "CMDEPommes\t 2\t 1,50\t 3,00"});
        // A third list: unreadable date, 120 rows, a 300-character designation,
        // a designation alone.
        QStringList big{"31/02/2026", "Grande surface", "CMDE" + QString(300, u'x') + "\t1\t0,01", "CMDESel"};
        for (int i = 3; i <= 120; ++i)
            big << QStringLiteral("CMDEArticle %1\t1\t0,01\t0,01").arg(i);
        TestFiles::writeBytes(
            oco, TestFiles::crlf(market + block(1, {"02/03/2026", "Épicerie", "CMDEThé\t1\t4\t4"}) + block(2, big)));
        child.Charge(f.path("maison.orz"));
        child.Section(8);
        auto *page = static_cast<ShoppingPage *>(child.page(SectionId::Shopping));
        auto *grid = page->findChild<QTableWidget *>("StringGrid5");
        auto *total = page->findChild<QLabel *>("Label50");
        child.Suivant();
        // Typed in, never confirmed by Enter: the list is written when left for
        // another section, computed as Enter would.
        auto type = [grid](int row, const QStringList &cells) {
            for (int c = 0; c < cells.size(); ++c)
                grid->setItem(row, c, new QTableWidgetItem(cells[c]));
        };
        type(1, {"Café", "0.5", "2.01"});
        QCOMPARE(total->text(), QStringLiteral("5,01")); // at once, whatever key committed the price
        QVERIFY(child.TestModif());
        child.Section(1);
        child.Section(8);
        QCOMPARE(grid->item(1, 3)->text().trimmed() + u' ' + total->text(), QStringLiteral("1,01 5,01"));
        // Enter in the price column of the next row computes and moves down.
        type(2, {"Sucre", "2", "1,2"});
        grid->setCurrentCell(2, 2);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(QStringLiteral("%1 %2 %3").arg(total->text()).arg(grid->currentRow()).arg(page->rowCount()),
                 QStringLiteral("7,41 3 3")); // total, current row, row count
        QVERIFY(child.Sauve(f.path("maison.orz")));
        const QStringList lines = page->lines();
        QCOMPARE(lines.mid(0, 5), market);
        QCOMPARE(lines.mid(lines.indexOf("Épicerie") + 1, 3).join(u'|').remove(u' '),
                 QStringLiteral("CMDEThé\t1\t4,00\t4,00|CMDECafé\t0,5\t2,01\t1,01|CMDESucre\t2\t1,20\t2,40"));
        QCOMPARE(TestFiles::readBytes(oco), TestFiles::crlf(lines));
        // Reloaded, the saved list reads back and saves again byte for byte.
        child.Charge(f.path("maison.orz"));
        child.Section(8); // the list shown before, still current
        QCOMPARE(total->text(), QStringLiteral("7,41"));
        const QByteArray saved = TestFiles::readBytes(oco);
        QVERIFY(child.Sauve(f.path("maison.orz")));
        QCOMPARE(TestFiles::readBytes(oco), saved);
        // The list is named; the rest of it shows, every row, every character,
        // and is written back whole after an edit.
        child.Dernier();
        QVERIFY2(f.ui.lastMessage().contains("n° 3"), qPrintable(f.ui.lastMessage()));
        QCOMPARE(grid->rowCount(), 120);
        QCOMPARE(grid->item(0, 0)->text().size(), 300);
        QCOMPARE(grid->item(1, 0)->text() + grid->item(1, 1)->text(), QStringLiteral("Sel"));
        QCOMPARE(total->text(), QStringLiteral("1,19"));
        grid->item(119, 0)->setText("Dernier");
        child.Premier();
        QCOMPARE(page->lines().size(), 12 + 124);
        QCOMPARE(page->lines().value(134).left(11), QStringLiteral("CMDEDernier"));
        // Shown from the last list, a document of one list shows that list.
        child.Dernier();
        TestFiles::writeBytes(f.path("autre.orz"), TestFiles::crlf({}));
        TestFiles::writeBytes(f.path("autre.oco"),
                              TestFiles::crlf(block(0, {"05/03/2026", "Boucherie", "CMDEBœuf\t1\t12\t12"})));
        child.Charge(f.path("autre.orz"));
        QCOMPARE(grid->item(0, 0)->text() + u' ' + total->text(), QStringLiteral("Bœuf 12,00"));
    }
};

QTEST_MAIN(TestCollectionsShopping)
#include "test_collections_shopping.moc"

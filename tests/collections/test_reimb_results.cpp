// The results of the reimbursement page and the key filter of its amounts.
#include "collections/ReimbursementRecord.h"

#include <QtTest>

class TestReimbResults : public QObject
{
    Q_OBJECT

private slots:
    void rembours_data();
    void rembours();
    void amountKeyFilter_data();
    void amountKeyFilter();
};

void TestReimbResults::rembours_data()
{
    QTest::addColumn<QString>("fees");
    QTest::addColumn<QString>("pharmacy");
    QTest::addColumn<QString>("national");
    QTest::addColumn<QString>("complementary");
    QTest::addColumn<QString>("total"); // "-" when left as it was
    QTest::addColumn<QString>("share");
    QTest::addColumn<int>("errors");

    QTest::newRow("fees only, fully refunded") << "25" << "" << "17,5" << "7,5" << "25,00" << "100,00 %" << 0;
    QTest::newRow("no cost gives 0 %") << "" << "" << "10" << "5" << "15,00" << "0,00 %" << 0;
    QTest::newRow("fees 40, refunds 10 and 20") << "40" << "" << "10" << "20" << "30,00" << "75,00 %" << 0;
    QTest::newRow("nothing typed") << "" << "" << "" << "" << "0,00" << "0,00 %" << 0;
    QTest::newRow("fees and pharmacy") << "23" << "12,35" << "16,10" << "" << "16,10" << "45,54 %" << 0;
    QTest::newRow("blanks around amounts") << " 50 " << "" << " 35" << "" << "35,00" << "70,00 %" << 0;
    QTest::newRow("share over 100") << "10" << "" << "15" << "" << "15,00" << "150,00 %" << 0;
    QTest::newRow("two commas in the fees") << "1,2,3" << "" << "10" << "" << "10,00" << "-" << 1;
    QTest::newRow("two commas in a refund") << "40" << "" << "1,0,0" << "20" << "-" << "-" << 1;
    QTest::newRow("letters everywhere") << "a" << "b" << "c" << "d" << "-" << "-" << 4;
}

void TestReimbResults::rembours()
{
    QFETCH(QString, fees);
    QFETCH(QString, pharmacy);
    QFETCH(QString, national);
    QFETCH(QString, complementary);
    QFETCH(QString, total);
    QFETCH(QString, share);
    QFETCH(int, errors);
    const auto r = ReimbursementRecord::Rembours(fees, pharmacy, national, complementary);
    QCOMPARE(r.total.value_or(QStringLiteral("-")), total);
    QCOMPARE(r.share.value_or(QStringLiteral("-")), share);
    QCOMPARE(r.errors.size(), errors);
    for (const QString &e : r.errors)
        QVERIFY2(e.contains(QStringLiteral("n'est pas un nombre")), qPrintable(e));
}

void TestReimbResults::amountKeyFilter_data()
{
    QTest::addColumn<QChar>("typed");
    QTest::addColumn<QString>("result"); // empty when dropped
    QTest::newRow("digit") << QChar(u'7') << "7";
    QTest::newRow("comma") << QChar(u',') << ",";
    QTest::newRow("dot becomes comma") << QChar(u'.') << ",";
    QTest::newRow("letter dropped") << QChar(u'a') << "";
    QTest::newRow("minus dropped") << QChar(u'-') << "";
    QTest::newRow("blank dropped") << QChar(u' ') << "";
    QTest::newRow("euro sign dropped") << QChar(0x20AC) << "";
    QTest::newRow("backspace passes") << QChar(u'\b') << "\b";
}

void TestReimbResults::amountKeyFilter()
{
    QFETCH(QChar, typed);
    QFETCH(QString, result);
    const auto r = ReimbursementRecord::filterAmountKey(typed);
    QCOMPARE(r ? QString(*r) : QString(), result);
}

QTEST_GUILESS_MAIN(TestReimbResults)
#include "test_reimb_results.moc"

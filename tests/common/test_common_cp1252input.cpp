// Typed text made fit for Windows-1252 files: what is turned, what is refused.

#include "common/Cp1252Fit.h"

#include <QTest>

class TestCommonCp1252input : public QObject
{
    Q_OBJECT

private slots:
    void fit_data();
    void fit();
};

void TestCommonCp1252input::fit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QString>("refused");

    QTest::newRow("held by the set") << "Noël, œuvre, 12 €, « oui »" << "Noël, œuvre, 12 €, « oui »" << "";
    QTest::newRow("Polish L") << "Łukasz Błaszczyk" << "Lukasz Blaszczyk" << "";
    QTest::newRow("ligature") << "ﬁlm" << "film" << "";
    QTest::newRow("mark the set lacks") << "Ŵales ŝ" << "Wales s" << "";
    QTest::newRow("recomposed where the set has it") << "ǅ" << "Dž" << "";
    QTest::newRow("arrow") << "Paris → Lyon" << "Paris -> Lyon" << "";
    QTest::newRow("narrow no-break space") << "Oui\u202F!" << "Oui\u00A0!" << "";
    QTest::newRow("mathematical letter, outside the BMP") << "\U0001D400B" << "AB" << "";
    QTest::newRow("emoji refused") << "Fête 🎉 !" << "Fête  !" << "🎉";
    QTest::newRow("Chinese refused") << "Tao 道" << "Tao " << "道";
}

void TestCommonCp1252input::fit()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QString, refused);
    const Cp1252::Fitted f = Cp1252::fit(typed);
    QCOMPARE(f.text, kept);
    QCOMPARE(f.refused, refused);
    QVERIFY(Cp1252::holds(f.text));
    QCOMPARE(f.changed(), typed != kept);
    QCOMPARE(f.note().isEmpty(), typed == kept);
}

QTEST_GUILESS_MAIN(TestCommonCp1252input)
#include "test_common_cp1252input.moc"

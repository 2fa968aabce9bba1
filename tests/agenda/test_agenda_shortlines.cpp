// Lines shorter than a date key: the save's sort puts them at the top, the
// next load must give them back.

#include "agenda/AgendaStore.h"
#include "common/TextFile.h"

#include <QTest>

class TestAgendaShortlines : public QObject
{
    Q_OBJECT

private slots:
    void survivesSaveAndLoad_data();
    void survivesSaveAndLoad();
};

void TestAgendaShortlines::survivesSaveAndLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("saved");

    QTest::newRow("user's short line")
        << "short_line.orz" << QStringList{"2006", "20060109 9:30 Dentiste"};
}

void TestAgendaShortlines::survivesSaveAndLoad()
{
    QFETCH(QString, file);
    QFETCH(QStringList, saved);
    const auto read = TextFile::read(QFINDTESTDATA(QStringLiteral("data/") + file));
    QVERIFY(read);
    QStringList lines = *read;
    for (int round = 0; round < 2; ++round) {
        AgendaStore store;
        store.setLines(lines);
        store.dropShortTopLines(); // the load
        store.sort();              // the save
        lines = store.lines();
        QCOMPARE(lines, saved);
    }
}

QTEST_GUILESS_MAIN(TestAgendaShortlines)
#include "test_agenda_shortlines.moc"

// The week page at its limits: lines shorter than a date key (the save's sort
// puts them at the top, the next load must give them back) and windows so
// tall that the resizing rules would put a day list past its column.

#include "TestFiles.h"
#include "agenda/AgendaStore.h"
#include "agenda/WeekPage.h"
#include "common/TextFile.h"

#include <QListWidget>
#include <QTest>

class TestAgendaLimits : public QObject
{
    Q_OBJECT

private slots:
    void survivesSaveAndLoad_data();
    void survivesSaveAndLoad();
    void dayListsStayInTheirColumn_data();
    void dayListsStayInTheirColumn();
};

void TestAgendaLimits::survivesSaveAndLoad_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("saved");

    QTest::newRow("user's short line")
        << "short_line.orz" << QStringList{"2006", "20060109 9:30 Dentiste"};
}

void TestAgendaLimits::survivesSaveAndLoad()
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

void TestAgendaLimits::dayListsStayInTheirColumn_data()
{
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("sundayTop"); // the rule H - 120 where it fits
    QTest::newRow("640, the rules fit") << 640 << 520;
    QTest::newRow("810, the last height that fits") << 810 << 690;
    QTest::newRow("1000") << 1000 << -1;
    QTest::newRow("2000") << 2000 << -1;
}

void TestAgendaLimits::dayListsStayInTheirColumn()
{
    QFETCH(int, height);
    QFETCH(int, sundayTop);
    TestContext t;
    auto *page = new WeekPage(t.context, t.window.get());
    page->setGeometry(0, 0, 1000, height);
    page->layoutFor(1000, height);
    int previousBottom = 0;
    for (int i = 1; i <= 7; ++i) {
        const auto *list = page->findChild<QListWidget *>(QStringLiteral("ListBox%1").arg(i));
        QVERIFY(list);
        const QRect g = list->geometry();
        QVERIFY2(g.bottom() < list->parentWidget()->height(), qPrintable(list->objectName()));
        QVERIFY(g.height() > 0);
        if (i == 4)
            previousBottom = 0;
        QVERIFY(g.top() > previousBottom); // no list over the one above it
        previousBottom = g.bottom();
    }
    if (sundayTop >= 0)
        QCOMPARE(page->findChild<QListWidget *>(QStringLiteral("ListBox7"))->y(), sundayTop);
}

QTEST_MAIN(TestAgendaLimits)
#include "test_agenda_limits.moc"

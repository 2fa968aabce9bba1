// Damaged block files and record texts that look like markers: a repair
// settles in one pass and keeps every record; no typed text can break a block.

#include "collections/BlockFile.h"
#include "common/TextFile.h"

#include <QTest>

namespace {

QStringList block(int n, const QStringList &body = {})
{
    return QStringList{BlockFile::startMarker(n)} + body + QStringList{BlockFile::endMarker(n)};
}

QStringList sample(const QString &name)
{
    return TextFile::read(QFINDTESTDATA(QStringLiteral("data/") + name)).value_or(QStringList{QStringLiteral("?")});
}

// What a load does to the lines: count, check (answered Yes), duplicates.
BlockFile loaded(int section, const QStringList &lines)
{
    BlockFile f(BlockFile::config(section));
    f.setLines(lines);
    f.setRecordCount(f.countStartMarkers());
    f.check([](const QString &, bool) { return true; });
    if (f.settings().removeDuplicates)
        f.removeDuplicates();
    return f;
}

} // namespace

class TestCollectionsRepair : public QObject
{
    Q_OBJECT

private slots:
    void repairSettles_data();
    void repairSettles();
    void markerLikeTexts_data();
    void markerLikeTexts();
};

void TestCollectionsRepair::repairSettles_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("repaired");

    QTest::newRow("shopping, first two blocks open")
        << 8 << sample(QStringLiteral("unclosed_first_blocks.oco"))
        << block(0, {"05/01/2026", "Marche", "CMDE1 pain"});
    QTest::newRow("videos, first block open")
        << 7 << sample(QStringLiteral("unclosed_first_block.ovd")) << block(0);
    QStringList open, closed;
    for (int n = 0; n < 3000; ++n) {
        open << BlockFile::startMarker(n) << QStringLiteral("film %1").arg(n);
        closed += block(n, {QStringLiteral("film %1").arg(n)});
    }
    QTest::newRow("books, 3000 open blocks") << 9 << open << closed;
}

void TestCollectionsRepair::repairSettles()
{
    QFETCH(int, section);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, repaired);
    BlockFile first = loaded(section, lines);
    QCOMPARE(first.lines(), repaired);
    QCOMPARE(first.recordCount(), first.countStartMarkers());
    // Saved and loaded again: nothing left to repair, nothing grows.
    BlockFile second = loaded(section, first.lines());
    QCOMPARE(second.lines(), repaired);
}

void TestCollectionsRepair::markerLikeTexts_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("text");

    QTest::newRow("film title") << 7 << QStringLiteral("<BLOC party>");
    QTest::newRow("book end marker") << 9 << QStringLiteral("</BLOC0000>");
    QTest::newRow("reimbursement, blank first") << 10 << QStringLiteral(" <BLOC0001>");
    QTest::newRow("album comment, two blanks") << 6 << QStringLiteral("  </BLOC");
    QTest::newRow("shopping shop") << 8 << QStringLiteral("<BLOC");
}

void TestCollectionsRepair::markerLikeTexts()
{
    QFETCH(int, section);
    QFETCH(QString, text);
    BlockFile f(BlockFile::config(section));
    const QStringList body{QStringLiteral("01/02/2026"), text, QStringLiteral(" "), text};
    f.writeRecord(0, body);
    f.writeRecord(1, {text});
    f.writeRecord(0, body); // rewriting leaves no old line behind
    QCOMPARE(f.balance(), 0);
    QCOMPARE(f.lines().size(), 2 + body.size() + 3);
    QCOMPARE(f.readRecord(0).value_or(QStringList()), body);
    QCOMPARE(f.readRecord(1).value_or(QStringList()), QStringList{text});
}

QTEST_GUILESS_MAIN(TestCollectionsRepair)
#include "test_collections_repair.moc"

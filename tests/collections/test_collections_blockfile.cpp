// The block-file engine: markers, writing and reading records, delete and
// renumber, the check and repair at load, duplicate removal, squeeze.

#include "collections/BlockFile.h"
#include "collections/BlockRoutines.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// A block of record n with the given body lines.
QStringList block(int n, const QStringList &body = {})
{
    QStringList l{BlockFile::startMarker(n)};
    l += body;
    l << BlockFile::endMarker(n);
    return l;
}

// The numbers of the exact start markers, in file order.
QList<int> order(const BlockFile &f)
{
    QList<int> out;
    for (const QString &l : f.lines())
        if (BlockFile::isStartMarker(l))
            out << BlockFile::markerNumber(l).value_or(-1);
    return out;
}

BlockFile fileOf(int section, const QStringList &lines)
{
    BlockFile f(BlockFile::config(section));
    f.setLines(lines);
    f.setRecordCount(f.countStartMarkers());
    return f;
}

struct Told
{
    QStringList texts;
    QList<bool> questions;
    bool answer = true;
    BlockFile::Teller teller()
    {
        return [this](const QString &t, bool q) {
            texts << t;
            questions << q;
            return answer;
        };
    }
};

} // namespace

class TestBlockFile : public QObject
{
    Q_OBJECT

private slots:
    void markers_data();
    void markers();
    void markerNumber_data();
    void markerNumber();

    void rewriteMovesBlockToTheEnd();
    void rewriteOnlyBlockReplacesItWhole();
    void readRecord_data();
    void readRecord();
    void removeRecordWithoutEndMarkerTakesTheRest();

    void deleteAndRenumber();
    void renumberKeepsCountOfOnlyRecord();
    void renumberReportsUnreadableMarker();

    void checkTexts_data();
    void checkTexts();
    void repair_data();
    void repair();
    void answerNoKeepsTheLines();
    void shoppingDuplicates();
    void duplicatesWithUnreadableMarker();

    void squeeze_data();
    void squeeze();
    void squeezeOnlyWhereConfigured();

    void indexFollowsEdits();
};

void TestBlockFile::markers_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::newRow("0") << 0 << "<BLOC0000>" << "</BLOC0000>";
    QTest::newRow("7") << 7 << "<BLOC0007>" << "</BLOC0007>";
    QTest::newRow("123") << 123 << "<BLOC0123>" << "</BLOC0123>";
    QTest::newRow("9999") << 9999 << "<BLOC9999>" << "</BLOC9999>";
    QTest::newRow("10000 wraps to 0000") << 10000 << "<BLOC0000>" << "</BLOC0000>";
    QTest::newRow("10005 same as 5") << 10005 << "<BLOC0005>" << "</BLOC0005>";
}

void TestBlockFile::markers()
{
    QFETCH(int, number);
    QFETCH(QString, start);
    QFETCH(QString, end);
    QCOMPARE(BlockFile::startMarker(number), start);
    QCOMPARE(BlockFile::endMarker(number), end);
}

void TestBlockFile::markerNumber_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("number"); // -1: unreadable
    QTest::newRow("start") << "<BLOC0042>" << 42;
    QTest::newRow("end") << "</BLOC0042>" << 42;
    QTest::newRow("start with trailing text") << "<BLOC0003>xyz" << 3;
    QTest::newRow("letters in number") << "<BLOC00a1>" << -1;
    QTest::newRow("end with blank in number") << "</BLOC 001>" << -1;
    QTest::newRow("too short") << "<BLOC12>" << -1;
    QTest::newRow("bare prefix") << "<BLOC" << -1;
    QTest::newRow("not a marker") << "TITLE <BLOC0001>" << -1;
}

void TestBlockFile::markerNumber()
{
    QFETCH(QString, line);
    QFETCH(int, number);
    QCOMPARE(BlockFile::markerNumber(line).value_or(-1), number);
}

void TestBlockFile::rewriteMovesBlockToTheEnd()
{
    BlockFile f = fileOf(7, block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"}));
    f.writeRecord(0, {"A"});
    QCOMPARE(f.lines(), block(1, {"b"}) + block(2, {"c"}) + block(0, {"A"}));
    QCOMPARE(order(f), (QList<int>{1, 2, 0}));
}

void TestBlockFile::rewriteOnlyBlockReplacesItWhole()
{
    BlockFile f = fileOf(7, block(0, {"one", "two", "three"}));
    f.writeRecord(0, {"new"});
    QCOMPARE(f.lines(), block(0, {"new"}));
}

void TestBlockFile::readRecord_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("number");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QStringList>("body");

    QTest::newRow("absent record") << 7 << block(0, {"a"}) << 1 << false << QStringList();
    QTest::newRow("stops at end marker") << 7 << block(0, {"a", "b"}) + block(1, {"c"}) << 0 << true
                                         << QStringList{"a", "b"};
    QTest::newRow("stray lines outside blocks ignored")
        << 7 << QStringList{" ", "junk"} + block(1, {"c"}) + QStringList{"tail"} << 1 << true << QStringList{"c"};
    QTest::newRow("first exact marker wins")
        << 7 << QStringList{"<BLOC0001> ", "x"} + block(1, {"first"}) + block(1, {"second"}) << 1 << true
        << QStringList{"first"};
    QStringList many;
    for (int i = 0; i < 12; ++i)
        many << QStringLiteral("l%1").arg(i);
    QTest::newRow("reimbursements read 11 lines") << 10 << block(0, many) << 0 << true << many.mid(0, 11);
    QStringList comments;
    for (int i = 0; i < 30; ++i)
        comments << QStringLiteral("c%1").arg(i);
    QTest::newRow("album reads every comment line")
        << 6 << block(0, QStringList{"TITLE t", "PICTURE p"} + comments) << 0 << true
        << QStringList{"TITLE t", "PICTURE p"} + comments;
    QTest::newRow("cut block: fixed line from last line kept")
        << 6 << QStringList{"<BLOC0000>", "TITLE t", "PICTURE p"} << 0 << true
        << QStringList{"TITLE t", "PICTURE p"};
    QTest::newRow("cut block: last line never a tagged line")
        << 6 << QStringList{"<BLOC0000>", "TITLE t", "PICTURE p", "c1", "c2"} << 0 << true
        << QStringList{"TITLE t", "PICTURE p", "c1"};
}

void TestBlockFile::readRecord()
{
    QFETCH(int, section);
    QFETCH(QStringList, lines);
    QFETCH(int, number);
    QFETCH(bool, found);
    QFETCH(QStringList, body);
    const BlockFile f = fileOf(section, lines);
    const auto r = f.readRecord(number);
    QCOMPARE(r.has_value(), found);
    if (found)
        QCOMPARE(*r, body);
}

void TestBlockFile::removeRecordWithoutEndMarkerTakesTheRest()
{
    BlockFile f = fileOf(7, block(0, {"a"}) + QStringList{"<BLOC0001>", "b", "c"});
    QVERIFY(f.removeRecord(1));
    QCOMPARE(f.lines(), block(0, {"a"}));
    QVERIFY(!f.removeRecord(5));
    QCOMPARE(f.lines(), block(0, {"a"}));
}

void TestBlockFile::deleteAndRenumber()
{
    BlockFile f = fileOf(9, block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"}));
    QCOMPARE(f.recordCount(), 3);
    f.removeRecord(1);
    BlockRoutines::Renum9(f, 1);
    QCOMPARE(f.lines(), block(0, {"a"}) + block(1, {"c"}));
    QCOMPARE(f.recordCount(), 2);
    QCOMPARE(f.readRecord(1).value(), QStringList{"c"});
}

void TestBlockFile::renumberKeepsCountOfOnlyRecord()
{
    BlockFile f = fileOf(6, block(0, {"a"}));
    f.removeRecord(0);
    BlockRoutines::Renum6(f, 0);
    QCOMPARE(f.recordCount(), 1);
    QVERIFY(f.lines().isEmpty());
}

void TestBlockFile::renumberReportsUnreadableMarker()
{
    BlockFile f = fileOf(7, block(0) + QStringList{"<BLOCzzzz>", "</BLOCzzzz>"} + block(2));
    QString damaged;
    BlockRoutines::Renum7(f, 1, &damaged);
    QCOMPARE(damaged, QStringLiteral("<BLOCzzzz>"));
    const QStringList expected = block(0) + QStringList{"<BLOCzzzz>", "</BLOCzzzz>"} + block(1);
    QCOMPARE(f.lines(), expected);
}

void TestBlockFile::checkTexts_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("question");
    const QString ask = QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données ?");
    QTest::newRow("album") << 6 << QStringLiteral("Le fichier a été altéré. Restaurer ?") << true;
    QTest::newRow("videos") << 7 << ask << true;
    QTest::newRow("shopping") << 8 << QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données")
                              << false;
    QTest::newRow("books") << 9 << ask << true;
    QTest::newRow("reimbursements") << 10 << ask << true;
}

void TestBlockFile::checkTexts()
{
    QFETCH(int, section);
    QFETCH(QString, text);
    QFETCH(bool, question);
    BlockFile f = fileOf(section, block(0) + QStringList{"<BLOC0001>"});
    Told told;
    told.answer = false; // a "No": only the sections that ask keep the file
    using Verif = BlockFile::CheckResult (*)(BlockFile &, const BlockFile::Teller &);
    const Verif verifs[] = {BlockRoutines::Verif6, BlockRoutines::Verif7, BlockRoutines::Verif8,
                            BlockRoutines::Verif9, BlockRoutines::Verif10};
    const auto result = verifs[section - 6](f, told.teller());
    QCOMPARE(told.texts, QStringList{text});
    QCOMPARE(told.questions, QList<bool>{question});
    QCOMPARE(result, question ? BlockFile::CheckResult::Kept : BlockFile::CheckResult::Repaired);
}

void TestBlockFile::repair_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("result"); // CheckResult
    QTest::addColumn<QStringList>("repaired");
    QTest::addColumn<int>("count");

    QTest::newRow("blocks 0 1 3 and a stray end marker: 3 closes the gap")
        << block(0, {"a"}) + QStringList{" "} + block(1, {"b"}) + block(3, {"d"}) + QStringList{"</BLOC0004>"}
        << int(BlockFile::CheckResult::Repaired) << block(0, {"a"}) + block(1, {"b"}) + block(2, {"d"}) << 3;
    QTest::newRow("stray start marker is closed before the next block")
        << block(0, {"a"}) + QStringList{"<BLOC0001>", "x"} + block(2, {"c"})
        << int(BlockFile::CheckResult::Repaired) << block(0, {"a"}) + block(1, {"x"}) + block(2, {"c"}) << 3;
    QTest::newRow("blocks 0 and 2 balanced pass")
        << block(0, {"a"}) + block(2, {"c"}) << int(BlockFile::CheckResult::Sound)
        << block(0, {"a"}) + block(2, {"c"}) << 2;
    QTest::newRow("out of order but balanced pass")
        << QStringList{"</BLOC0000>", "<BLOC0000>"} << int(BlockFile::CheckResult::Sound)
        << QStringList{"</BLOC0000>", "<BLOC0000>"} << 1;
    QTest::newRow("second copy of a number kept as a record of its own")
        << block(0, {"a"}) + block(0, {"again"}) + QStringList{"<BLOC0001>"} + block(1, {"b"})
        << int(BlockFile::CheckResult::Repaired) << block(0, {"a"}) + block(1, {"again"}) + block(2, {"b"})
        << 3;
    QTest::newRow("nothing but an end marker")
        << QStringList{"</BLOC0000>"} << int(BlockFile::CheckResult::Repaired) << QStringList() << 0;
}

void TestBlockFile::repair()
{
    QFETCH(QStringList, lines);
    QFETCH(int, result);
    QFETCH(QStringList, repaired);
    QFETCH(int, count);
    BlockFile f = fileOf(7, lines);
    Told told;
    QCOMPARE(int(f.check(told.teller())), result);
    QCOMPARE(f.lines(), repaired);
    QCOMPARE(f.recordCount(), count);
    QCOMPARE(told.texts.size(), result == int(BlockFile::CheckResult::Sound) ? 0 : 1);
}

void TestBlockFile::answerNoKeepsTheLines()
{
    const QStringList lines = block(0) + block(1) + QStringList{"</BLOC0002>"};
    BlockFile f = fileOf(6, lines);
    Told told;
    told.answer = false;
    QCOMPARE(BlockRoutines::Verif6(f, told.teller()), BlockFile::CheckResult::Kept);
    QCOMPARE(f.lines(), lines);
    QCOMPARE(f.recordCount(), 2);
}

void TestBlockFile::shoppingDuplicates()
{
    BlockFile f = fileOf(8, block(0, {"first"}) + block(1, {"b"}) + block(0, {"second"}));
    Told told;
    QCOMPARE(BlockRoutines::Verif8(f, told.teller()), BlockFile::CheckResult::Sound);
    QCOMPARE(f.recordCount(), 3);
    BlockRoutines::Doublons8(f);
    QCOMPARE(f.lines(), block(1, {"b"}) + block(0, {"second"}));
    QCOMPARE(f.recordCount(), 3);
    QVERIFY(!f.readRecord(2));
    BlockRoutines::SupBloc8(f, 0);
    QCOMPARE(f.lines(), block(1, {"b"}));
}

void TestBlockFile::duplicatesWithUnreadableMarker()
{
    BlockFile f = fileOf(8, block(0) + QStringList{"<BLOC#>", "</BLOC#>"});
    QString damaged;
    BlockRoutines::Doublons8(f, &damaged);
    QCOMPARE(damaged, QStringLiteral("<BLOC#>"));
    QCOMPARE(f.lines().size(), 4);
}

void TestBlockFile::squeeze_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("squeezed");
    QTest::newRow("empty list left alone") << QStringList() << QStringList();
    QTest::newRow("blank lines at the top go")
        << QStringList{"", " ", "\t "} + block(0) << block(0);
    QTest::newRow("blank lines between blocks stay")
        << block(0) + QStringList{" "} + block(1) << block(0) + QStringList{" "} + block(1);
    QTest::newRow("stops below three lines") << QStringList{" ", " ", " "} << QStringList{" ", " "};
    QTest::newRow("single blank line") << QStringList{" "} << QStringList();
    QTest::newRow("first line not blank") << QStringList{"x", " "} << QStringList{"x", " "};
}

void TestBlockFile::squeeze()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, squeezed);
    BlockFile f = fileOf(6, lines);
    BlockRoutines::Squize6(f);
    QCOMPARE(f.lines(), squeezed);
}

void TestBlockFile::squeezeOnlyWhereConfigured()
{
    BlockFile f = fileOf(8, QStringList{" "} + block(0));
    BlockRoutines::Squize(f);
    QCOMPARE(f.lines().size(), 3);
    BlockFile g = fileOf(10, QStringList{" "} + block(0));
    BlockRoutines::Squize10(g);
    QCOMPARE(g.lines(), block(0));
}

void TestBlockFile::indexFollowsEdits()
{
    // Random writes, deletes and stray lines; the index must always agree
    // with a plain search of the list.
    BlockFile f(BlockFile::config(7));
    auto *rng = QRandomGenerator::global();
    f.setRecordCount(1);
    for (int step = 0; step < 400; ++step) {
        const int n = int(rng->bounded(20));
        switch (rng->bounded(4)) {
        case 0:
        case 1:
            f.writeRecord(n, {QStringLiteral("v%1").arg(step)});
            break;
        case 2:
            f.removeRecord(n);
            break;
        default:
            f.appendLine(rng->bounded(2) ? QStringLiteral(" ") : BlockFile::startMarker(n));
            break;
        }
        for (int k = 0; k < 20; ++k) {
            const qsizetype expected = f.lines().indexOf(BlockFile::startMarker(k));
            QCOMPARE(f.findStart(k), expected);
        }
    }
}

QTEST_GUILESS_MAIN(TestBlockFile)
#include "test_collections_blockfile.moc"

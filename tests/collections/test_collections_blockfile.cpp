// The block-file engine: markers, writing and reading records, delete and
// renumber, the check and repair at load, duplicate removal, squeeze.

#include "collections/BlockFile.h"
#include "collections/BlockRoutines.h"
#include "common/TextFile.h"

#include <QRandomGenerator>
#include <QTest>

namespace {

// A block of record n with the given body lines.
QStringList block(int n, const QStringList &body = {})
{
    return QStringList{BlockFile::startMarker(n)} + body + QStringList{BlockFile::endMarker(n)};
}

BlockFile fileOf(int section, const QStringList &lines)
{
    BlockFile f(BlockFile::config(SectionId(section)));
    f.setLines(lines);
    f.setRecordCount(f.countStartMarkers());
    return f;
}

// Keeps what the check tells, "? " before a question, and answers `answer`.
BlockFile::Teller teller(QStringList &told, bool answer = true)
{
    return [&told, answer](const QString &t, bool q) {
        told << (q ? "? " + t : t);
        return answer;
    };
}

} // namespace

class TestCollectionsBlockfile : public QObject
{
    Q_OBJECT

private slots:
    void markers_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("number"); // -1: unreadable
        QTest::addColumn<int>("made");   // a number whose markers are this line and its end, or -1
        QTest::newRow("0") << "<BLOC0000>" << 0 << 0;
        QTest::newRow("9999") << "<BLOC9999>" << 9999 << 9999;
        QTest::newRow("10005 wraps to 5") << "<BLOC0005>" << 5 << 10005;
        QTest::newRow("end marker") << "</BLOC0042>" << 42 << -1;
        QTest::newRow("start with trailing text") << "<BLOC0003>xyz" << 3 << -1;
        QTest::newRow("letters in number") << "<BLOC00a1>" << -1 << -1;
        QTest::newRow("too short") << "<BLOC12>" << -1 << -1;
        QTest::newRow("not a marker") << "TITLE <BLOC0001>" << -1 << -1;
    }

    void markers()
    {
        QFETCH(QString, line);
        QFETCH(int, made);
        QTEST(BlockFile::markerNumber(line).value_or(-1), "number");
        if (made >= 0) {
            QCOMPARE(BlockFile::startMarker(made), line);
            QCOMPARE(BlockFile::endMarker(made), "</" + line.mid(1));
        }
    }

    void readRecord_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("number");
        QTest::addColumn<QStringList>("body");

        QTest::newRow("absent record") << 7 << block(0, {"a"}) << 1 << QStringList{"<absent>"};
        QTest::newRow("stops at end marker")
            << 7 << block(0, {"a", "b"}) + block(1, {"c"}) << 0 << QStringList{"a", "b"};
        QTest::newRow("stray lines outside blocks ignored")
            << 7 << QStringList{" ", "junk"} + block(1, {"c"}) + QStringList{"tail"} << 1 << QStringList{"c"};
        QTest::newRow("first exact marker wins")
            << 7 << QStringList{"<BLOC0001> ", "x"} + block(1, {"first"}) + block(1, {"second"}) << 1
            << QStringList{"first"};
        QTest::newRow("texts like markers read back as typed") << 9 << block(0, {" <BLOC party>", "  </BLOC0000>", "x"})
                                                               << 0 << QStringList{"<BLOC party>", " </BLOC0000>", "x"};
        QStringList comments;
        for (int i = 0; i < 30; ++i)
            comments << QStringLiteral("c%1").arg(i);
        QTest::newRow("reimbursements read 11 lines") << 10 << block(0, comments) << 0 << comments.mid(0, 11);
        QTest::newRow("album reads every comment line") << 6 << block(0, QStringList{"TITLE t", "PICTURE p"} + comments)
                                                        << 0 << QStringList{"TITLE t", "PICTURE p"} + comments;
        QTest::newRow("cut block: fixed line from last line kept")
            << 6 << QStringList{"<BLOC0000>", "TITLE t", "PICTURE p"} << 0 << QStringList{"TITLE t", "PICTURE p"};
        QTest::newRow("cut block: last line never a tagged line")
            << 6 << QStringList{"<BLOC0000>", "TITLE t", "PICTURE p", "c1"} << 0 << QStringList{"TITLE t", "PICTURE p"};
        QTest::newRow("cut book block: its last fixed line kept")
            << 9 << QStringList{"<BLOC0000>"} + comments.mid(0, 10) << 0 << comments.mid(0, 10);
        QTest::newRow("cut film block: its last fixed line kept")
            << 7 << QStringList{"<BLOC0000>"} + comments.mid(0, 15) << 0 << comments.mid(0, 15);
        QTest::newRow("cut block: stops before the next block")
            << 6 << QStringList{"<BLOC0000>", "TITLE t", "c1"} + block(1, {"TITLE u"}) << 0
            << QStringList{"TITLE t", "c1"};
        QTest::newRow("cut block: stops at a stray end marker")
            << 8 << QStringList{"<BLOC0000>", "d", "</BLOC0003>", "CMDEx", "x"} << 0 << QStringList{"d"};
    }

    void readRecord()
    {
        QFETCH(int, section);
        QFETCH(QStringList, lines);
        QFETCH(int, number);
        QTEST(fileOf(section, lines).readRecord(number).value_or(QStringList{"<absent>"}), "body");
    }

    void edits_data()
    {
        // Steps: "w<n>:<line>" writes record n with one line, "r<n>" removes
        // record n, "n<n>" renumbers after record n was deleted.
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("damaged"); // unreadable marker met by the renumbering
        const QStringList abc = block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"});
        QTest::newRow("rewrite moves the block to the end")
            << abc << QStringList{"w0:A"} << block(1, {"b"}) + block(2, {"c"}) + block(0, {"A"}) << 3 << "";
        QTest::newRow("texts like markers stored behind a blank")
            << block(0, {"a"}) << QStringList{"w0:<BLOC party>", "w1: </BLOC0000>", "w0:<BLOC party>"}
            << block(1, {"  </BLOC0000>"}) + block(0, {" <BLOC party>"}) << 1 << "";
        QTest::newRow("rewrite replaces the whole block")
            << block(0, {"one", "two"}) << QStringList{"w0:new"} << block(0, {"new"}) << 1 << "";
        QTest::newRow("remove without end marker takes the rest, absent is no-op")
            << block(0, {"a"}) + QStringList{"<BLOC0001>", "b"} << QStringList{"r1", "r5"} << block(0, {"a"}) << 2
            << "-";
        QTest::newRow("delete and renumber")
            << abc << QStringList{"r1", "n1"} << block(0, {"a"}) + block(1, {"c"}) << 2 << "";
        QTest::newRow("delete the first of two")
            << block(0, {"a"}) + block(1, {"b"}) << QStringList{"r0", "n0"} << block(0, {"b"}) << 1 << "";
        QTest::newRow("renumber keeps a count of one")
            << block(0, {"a"}) << QStringList{"r0", "n0"} << QStringList() << 1 << "";
        QTest::newRow("renumber reports an unreadable marker, mends one without its \">\"")
            << block(0, {}) + QStringList{"<BLOCzzzz>", "<BLOC0002", "</BLOC0002>"} << QStringList{"n1"}
            << block(0, {}) + QStringList{"<BLOCzzzz>"} + block(1, {}) << 2 << "<BLOCzzzz>";
    }

    void edits()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, steps);
        BlockFile f = fileOf(7, lines);
        QString seen;
        for (const QString &step : steps) {
            const int n = step.mid(1).section(u':', 0, 0).toInt();
            if (step.startsWith(u'w'))
                f.writeRecord(n, {step.section(u':', 1)});
            else if (step.startsWith(u'r'))
                seen += f.removeRecord(n) ? "" : "-"; // "-": no such record
            else
                BlockRoutines::Renum7(f, n, &seen);
        }
        QTEST(f.lines(), "after");
        QTEST(f.recordCount(), "count");
        QTEST(seen, "damaged");
    }

    void checkTexts()
    {
        // Answered "No": the sections that ask ("? ") keep their lines as they were.
        const QString ask = QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données");
        const QStringList texts{"? Le fichier a été altéré. Restaurer ?", "? " + ask + " ?", ask, "? " + ask + " ?",
                                "? " + ask + " ?"}; // album, videos, shopping, books, reimbursements
        using Verif = BlockFile::CheckResult (*)(BlockFile &, const BlockFile::Teller &);
        const Verif verifs[] = {BlockRoutines::Verif6, BlockRoutines::Verif7, BlockRoutines::Verif8,
                                BlockRoutines::Verif9, BlockRoutines::Verif10};
        const QStringList lines = block(0) + block(0, {"copie"}) + QStringList{"<BLOC0001>"};
        for (int i = 0; i < 5; ++i) {
            BlockFile f = fileOf(6 + i, lines);
            QStringList told;
            const bool question = texts[i].startsWith(u'?');
            QCOMPARE(verifs[i](f, teller(told, false)),
                     question ? BlockFile::CheckResult::Kept : BlockFile::CheckResult::Repaired);
            QCOMPARE(told, QStringList{texts[i]});
            QVERIFY(!question || f.lines() == lines);
            QCOMPARE(f.recordOfLine(3), question ? -1 : 1); // a kept second copy is no record to show
        }
        QCOMPARE(fileOf(9, block(0, {"a"}) + QStringList{"a"}).recordOfLine(3), -1); // nor a line past its block
    }

    void shoppingDuplicates()
    {
        // The later copy of a number wins; an unreadable marker is reported.
        const QStringList stray{"<BLOC#>", "</BLOC#>"};
        BlockFile f = fileOf(8, block(0, {"first"}) + block(1, {"b"}) + block(0, {"second"}) + stray);
        QString damaged;
        BlockRoutines::Doublons8(f, &damaged);
        QCOMPARE(f.lines(), block(1, {"b"}) + block(0, {"second"}) + stray);
        QCOMPARE(damaged, QStringLiteral("<BLOC#>"));
        BlockRoutines::SupBloc8(f, 0);
        QCOMPARE(f.lines(), block(1, {"b"}) + stray);
    }

    void loadSequence()
    {
        // Count, check, then the shopping lists' duplicate removal, whose unreadable marker is told.
        const QStringList stray{"<BLOC#>", "</BLOC#>"};
        BlockFile shop(BlockFile::config(SectionId::Shopping));
        QStringList told;
        QCOMPARE(shop.load(block(0, {"a"}) + block(0, {"b"}) + stray, teller(told)), BlockFile::CheckResult::Sound);
        QCOMPARE(shop.lines(), block(0, {"b"}) + stray);
        QCOMPARE(shop.recordCount(), 3);
        QCOMPARE(told, QStringList{BlockFile::damagedMarkerText("<BLOC#>")});
        // A missing file keeps the lines there are, counted again; the first record becomes current.
        BlockFile video(BlockFile::config(SectionId::Videos));
        video.setLines(block(0) + block(1));
        video.setCurrent(1);
        QCOMPARE(video.load(std::nullopt, teller(told)), BlockFile::CheckResult::Sound);
        QCOMPARE(video.recordCount(), 2);
        QCOMPARE(video.current(), 0);
    }

    void squeeze_data()
    {
        QTest::addColumn<int>("section");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("squeezed");
        QTest::newRow("empty list left alone") << 6 << QStringList() << QStringList();
        QTest::newRow("blank lines at the top go")
            << 6 << QStringList{"", " ", "\t "} + block(0, {"F", "Titre"}) << block(0, {"F", "Titre"});
        QTest::newRow("blank lines between blocks stay")
            << 7 << block(0) + QStringList{" "} + block(1) << block(0) + QStringList{" "} + block(1);
        QTest::newRow("stops below three lines") << 9 << QStringList{" ", " ", " "} << QStringList{" ", " "};
        QTest::newRow("single blank line") << 10 << QStringList{" "} << QStringList();
        QTest::newRow("shopping lists are not squeezed")
            << 8 << QStringList{" "} + block(0) << QStringList{" "} + block(0);
    }

    void squeeze()
    {
        QFETCH(int, section);
        QFETCH(QStringList, lines);
        BlockFile f = fileOf(section, lines);
        const auto shown = f.readRecord(0);
        BlockRoutines::Squize(f);
        QTEST(f.lines(), "squeezed");
        // The record shown is found where the squeeze left it.
        QVERIFY(f.readRecord(0) == shown);
    }

    void repair_data()
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
            << int(BlockFile::CheckResult::Repaired) << block(0, {"a"}) + block(1, {"again"}) + block(2, {"b"}) << 3;
        QTest::newRow("shopping file, first two blocks open")
            << *TextFile::read(QFINDTESTDATA("data/unclosed_first_blocks.oco")) << int(BlockFile::CheckResult::Repaired)
            << block(0, {"05/01/2026", "Marche", "CMDE1 pain"}) << 1;
        QTest::newRow("first block open") << *TextFile::read(QFINDTESTDATA("data/unclosed_first_block.ovd"))
                                          << int(BlockFile::CheckResult::Repaired) << block(0) << 1;
        QTest::newRow("unreadable number: the block keeps its empty line and what follows")
            << block(0, {"A"}) + QStringList{"<BLOCxx>", "B", "", "c"} << int(BlockFile::CheckResult::Repaired)
            << block(0, {"A"}) + block(1, {"B", "", "c"}) << 2;
        QTest::newRow("nothing but an end marker")
            << QStringList{"</BLOC0000>"} << int(BlockFile::CheckResult::Repaired) << QStringList() << 0;
    }

    void repair()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, result);
        QFETCH(QStringList, repaired);
        BlockFile f = fileOf(7, lines);
        QStringList told;
        QCOMPARE(int(f.check(teller(told))), result);
        QCOMPARE(f.lines(), repaired);
        QTEST(f.recordCount(), "count");
        QCOMPARE(told.size(), result == int(BlockFile::CheckResult::Sound) ? 0 : 1);
        BlockFile again = fileOf(7, repaired); // saved and loaded again: settled
        QCOMPARE(again.check(teller(told)), BlockFile::CheckResult::Sound);
    }

    void indexFollowsEdits()
    {
        // Random writes, deletes and stray lines; the index must always agree
        // with a plain search of the list.
        BlockFile f(BlockFile::config(SectionId::Videos));
        const quint32 seed = 20261207;
        qInfo("seed %u", seed);
        QRandomGenerator generator(seed);
        auto *rng = &generator;
        f.setRecordCount(1);
        for (int step = 0; step < 400; ++step) {
            const int n = int(rng->bounded(20));
            switch (rng->bounded(4)) {
            case 0:
            case 1: f.writeRecord(n, {QStringLiteral("v%1").arg(step)}); break;
            case 2: f.removeRecord(n); break;
            default: f.appendLine(rng->bounded(2) ? QStringLiteral(" ") : BlockFile::startMarker(n)); break;
            }
            for (int k = 0; k < 20; ++k) {
                const qsizetype expected = f.lines().indexOf(BlockFile::startMarker(k));
                QCOMPARE(f.findStart(k), expected);
            }
        }
    }

    void findText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("found");
        QTest::newRow("a-z folded") << "chalet" << 0 << 1;
        QTest::newRow("from the line after a match") << "chalet" << 2 << 4;
        QTest::newRow("accents not folded") << "réunion" << 0 << -1;
        QTest::newRow("markers are lines like any other") << "bloc0001" << 0 << 3;
        QTest::newRow("nothing to look for") << "" << 0 << -1;
        QTest::newRow("past the end") << "chalet" << 5 << -1;
    }

    void findText()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        const BlockFile f =
            fileOf(6, {"<BLOC0000>", "au Chalet", "</BLOC0000>", "<BLOC0001>", "RÉUNION au CHALET", "</BLOC0001>"});
        QTEST(int(f.findText(text, from)), "found");
    }
};

QTEST_GUILESS_MAIN(TestCollectionsBlockfile)
#include "test_collections_blockfile.moc"

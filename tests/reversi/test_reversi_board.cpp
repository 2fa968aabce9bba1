#include "BoardText.h"
#include "reversi/ReversiBoard.h"

#include <QtTest>

// Rules and evaluation of one board layer, on positions made by hand.
class TestReversiBoard : public QObject
{
    Q_OBJECT
private slots:
    void legalSquares_data();
    void legalSquares();
    void playTurnsEveryFlankedRun();
    void evaluation_data();
    void evaluation();
};

namespace {
constexpr quint8 H = ReversiBoard::HumanDisc, C = ReversiBoard::ComputerDisc;

// "C21 H44": a disc of the computer on (2,1), one of the human on (4,4).
ReversiBoard discs(const QString &spec)
{
    ReversiBoard b;
    for (const QString &d : spec.split(u' ', Qt::SkipEmptyParts))
        b.set(d.at(1).digitValue(), d.at(2).digitValue(), d.at(0) == u'H' ? H : C);
    return b;
}
} // namespace

void TestReversiBoard::legalSquares_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("mover");
    QTest::addColumn<QString>("expected"); // column by column
    const QStringList start = {"........", "........", "........", "...HC...", "...CH..."};
    QTest::newRow("opening, human") << start << int(H) << "35 46 53 64";
    QTest::newRow("opening, computer") << start << int(C) << "34 43 56 65";
    QTest::newRow("run ending on the border") << QStringList{"CCH....."} << int(H) << "";
    QTest::newRow("run ending on an empty square") << QStringList{".CCH...."} << int(H) << "11";
    QTest::newRow("occupied square is never legal") << QStringList{"HCH....."} << int(C) << "41";
    QTest::newRow("no opponent disc") << QStringList{"HHH....."} << int(H) << "";
}

void TestReversiBoard::legalSquares()
{
    QFETCH(QStringList, rows);
    QFETCH(int, mover);
    QFETCH(QString, expected);
    const ReversiBoard b = BoardText::parse(rows);
    const quint8 m = quint8(mover), o = m == H ? C : H;
    QStringList legal;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (b.isLegal(ReversiBoard::index(c, r), m, o))
                legal << QStringLiteral("%1%2").arg(c).arg(r);
    QCOMPARE(legal.join(u' '), expected);
    QCOMPARE(b.hasMove(m, o), !expected.isEmpty());
}

void TestReversiBoard::playTurnsEveryFlankedRun()
{
    // The human plays (4,4): the runs to the left, up and up-right are closed;
    // the run to the right is open and stays.
    ReversiBoard b = BoardText::parse({"...H..H.", "...C.C..", "...CC...", "HCC.CC.."});
    b.play(ReversiBoard::index(4, 4), H, C);
    QCOMPARE(BoardText::format(b), BoardText::format(BoardText::parse({"...H..H.", "...H.H..", "...HH...", "HHHHCC.."})));
}

void TestReversiBoard::evaluation_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("mover");
    QTest::addColumn<int>("expected");
    // Opening weights while the corners are empty; the human's (4,4) weighs 0.
    const QList<std::tuple<const char *, const char *, int>> opening = {
        {"X square (2,1)", "C21", -8}, {"D square (7,7)", "C77", -24}, {"(6,3)", "C63", 7}, {"(3,1)", "C31", 8},
        {"(5,1)", "C51", 6},           {"(7,4)", "C74", -3},           {"(2,6)", "C26", -4}};
    for (const auto &[name, d, w] : opening)
        QTest::newRow(qPrintable(QStringLiteral("opening, ") + name)) << QStringLiteral("%1 H44").arg(d) << int(C) << w;
    QTest::newRow("opening, from the other side") << "C63 H44" << int(H) << -7;
    // The computer on corner (1,1): the corner table, whose inner squares
    // weigh 1, so the human's (4,4) costs the computer 1.
    const QList<std::tuple<const char *, const char *, int>> corner = {
        {"X of the taken corner (2,1)", "C21", 12}, {"X of the taken corner (1,2)", "C12", 12},
        {"D of the taken corner (2,2)", "C22", 8},  {"X of an empty corner (8,2)", "C82", -8},
        {"X of an empty corner (2,8)", "C28", -8},  {"D of an empty corner (7,7)", "C77", -24},
        {"inner square (5,5)", "C55", 1},           {"(2,4) weighs 1 instead of -3", "C24", 1},
        {"(3,2) weighs 0 instead of -4", "C32", 0}, {"the odd square (7,6)", "C76", 1},
        {"its mirror (2,6)", "C26", 0},             {"its mirror (6,7)", "C67", 0},
        {"its mirror (7,3)", "C73", 0}};
    for (const auto &[name, d, w] : corner)
        QTest::newRow(qPrintable(QStringLiteral("corner, ") + name)) << QStringLiteral("C11 %1 H44").arg(d) << int(C) << 99 + w - 1;
    // A corner held by either side switches the table: the human on (8,8).
    QTest::newRow("corner taken by the other side") << "H88 H44 C22 C77" << int(C) << (-24 + 8) - (99 + 1);
    QTest::newRow("corner taken, seen by its owner") << "H88 H44 C22 C77" << int(H) << (99 + 1) - (-24 + 8);
    // Two corners: each X and D square follows its own corner.
    QTest::newRow("two corners") << "C11 H81 C21 C71 C27 H44" << int(C) << (99 + 12 + 12 - 24) - (99 + 1);
    // No disc of the opponent: 32000, whatever the weights.
    QTest::newRow("32000, only bad squares") << "C22 C77" << int(C) << 32000;
    QTest::newRow("32000, empty board") << "" << int(H) << 32000;
    QTest::newRow("32000, corner table") << "H11 H22" << int(H) << 32000;
    QTest::newRow("no disc of the mover is no special case") << "C22 C77" << int(H) << 48;
    QTest::newRow("opening, start") << "H44 C54 C45 H55" << int(C) << 0;
}

void TestReversiBoard::evaluation()
{
    QFETCH(QString, board);
    QFETCH(int, mover);
    QFETCH(int, expected);
    QCOMPARE(discs(board).evaluate(quint8(mover), mover == H ? C : H), expected);
}

QTEST_GUILESS_MAIN(TestReversiBoard)
#include "test_reversi_board.moc"

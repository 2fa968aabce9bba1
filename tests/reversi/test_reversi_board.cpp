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

constexpr quint8 H = ReversiBoard::HumanDisc;
constexpr quint8 C = ReversiBoard::ComputerDisc;

QList<QPoint> legalList(const ReversiBoard &b, quint8 mover, quint8 opponent)
{
    QList<QPoint> out;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (b.isLegal(ReversiBoard::index(c, r), mover, opponent))
                out << QPoint(c, r);
    return out;
}

// One disc of the side to score on `square`, plus whatever else the row adds.
ReversiBoard withDiscs(std::initializer_list<std::tuple<int, int, quint8>> discs)
{
    ReversiBoard b;
    for (const auto &[c, r, code] : discs)
        b.set(c, r, code);
    return b;
}

} // namespace

void TestReversiBoard::legalSquares_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("mover");
    QTest::addColumn<QList<QPoint>>("expected"); // column by column

    const QStringList start = {"........", "........", "........", "...HC...",
                               "...CH...", "........", "........", "........"};
    QTest::newRow("opening, human") << start << int(H)
                                    << QList<QPoint>{{3, 5}, {4, 6}, {5, 3}, {6, 4}};
    QTest::newRow("opening, computer") << start << int(C)
                                       << QList<QPoint>{{3, 4}, {4, 3}, {5, 6}, {6, 5}};
    // A run that reaches the border or an empty square turns nothing.
    QTest::newRow("run ending on the border") << QStringList{"CCH.....", "........", "........", "........",
                                                             "........", "........", "........", "........"}
                                              << int(H) << QList<QPoint>{};
    QTest::newRow("run ending on an empty square") << QStringList{".CCH....", "........", "........", "........",
                                                                  "........", "........", "........", "........"}
                                                   << int(H) << QList<QPoint>{{1, 1}};
    QTest::newRow("occupied square is never legal") << QStringList{"HCH.....", "........", "........", "........",
                                                                   "........", "........", "........", "........"}
                                                    << int(C) << QList<QPoint>{{4, 1}};
    QTest::newRow("no opponent disc") << QStringList{"HHH.....", "........", "........", "........",
                                                     "........", "........", "........", "........"}
                                      << int(H) << QList<QPoint>{};
}

void TestReversiBoard::legalSquares()
{
    QFETCH(QStringList, rows);
    QFETCH(int, mover);
    QFETCH(QList<QPoint>, expected);
    const ReversiBoard b = BoardText::parse(rows);
    const quint8 m = quint8(mover), o = m == H ? C : H;
    QCOMPARE(legalList(b, m, o), expected);
    QCOMPARE(b.hasMove(m, o), !expected.isEmpty());
}

void TestReversiBoard::playTurnsEveryFlankedRun()
{
    // The human plays (4,4): the runs to the left, up and up-right are closed;
    // the run to the right is open and stays.
    ReversiBoard b = BoardText::parse({"...H..H.", "...C.C..", "...CC...", "HCC.CC..",
                                      "........", "........", "........", "........"});
    b.play(ReversiBoard::index(4, 4), H, C);
    QCOMPARE(BoardText::format(b), QStringLiteral("...H..H.\n...H.H..\n...HH...\nHHHHCC..\n"
                                                  "........\n........\n........\n........\n"));
}

void TestReversiBoard::evaluation_data()
{
    QTest::addColumn<ReversiBoard>("board");
    QTest::addColumn<int>("mover");
    QTest::addColumn<int>("expected");

    // Opening weights while the corners are empty. The human's disc on (4,4)
    // weighs 0 there.
    const auto opening = [](int c, int r) { return withDiscs({{c, r, C}, {4, 4, H}}); };
    QTest::newRow("opening, start") << ReversiBoard::starting() << int(C) << 0;
    QTest::newRow("opening, X square (2,1)") << opening(2, 1) << int(C) << -8;
    QTest::newRow("opening, D square (7,7)") << opening(7, 7) << int(C) << -24;
    QTest::newRow("opening, (6,3)") << opening(6, 3) << int(C) << 7;
    QTest::newRow("opening, (3,1)") << opening(3, 1) << int(C) << 8;
    QTest::newRow("opening, (5,1)") << opening(5, 1) << int(C) << 6;
    QTest::newRow("opening, (7,4)") << opening(7, 4) << int(C) << -3;
    QTest::newRow("opening, (2,6)") << opening(2, 6) << int(C) << -4;
    QTest::newRow("opening, from the other side") << opening(6, 3) << int(H) << -7;

    // With the computer on corner (1,1): the corner table, whose inner
    // squares weigh 1, so the human's (4,4) now costs the computer 1.
    const auto corner = [](int c, int r) { return withDiscs({{1, 1, C}, {c, r, C}, {4, 4, H}}); };
    QTest::newRow("corner, X of the taken corner (2,1)") << corner(2, 1) << int(C) << 99 + 12 - 1;
    QTest::newRow("corner, X of the taken corner (1,2)") << corner(1, 2) << int(C) << 99 + 12 - 1;
    QTest::newRow("corner, D of the taken corner (2,2)") << corner(2, 2) << int(C) << 99 + 8 - 1;
    QTest::newRow("corner, X of an empty corner (8,2)") << corner(8, 2) << int(C) << 99 - 8 - 1;
    QTest::newRow("corner, X of an empty corner (2,8)") << corner(2, 8) << int(C) << 99 - 8 - 1;
    QTest::newRow("corner, D of an empty corner (7,7)") << corner(7, 7) << int(C) << 99 - 24 - 1;
    QTest::newRow("corner, inner square (5,5)") << corner(5, 5) << int(C) << 99 + 1 - 1;
    QTest::newRow("corner, (2,4) weighs 1 instead of -3") << corner(2, 4) << int(C) << 99 + 1 - 1;
    QTest::newRow("corner, (3,2) weighs 0 instead of -4") << corner(3, 2) << int(C) << 99 + 0 - 1;
    QTest::newRow("corner, the odd square (7,6)") << corner(7, 6) << int(C) << 99 + 1 - 1;
    QTest::newRow("corner, its mirror (2,6)") << corner(2, 6) << int(C) << 99 + 0 - 1;
    QTest::newRow("corner, its mirror (6,7)") << corner(6, 7) << int(C) << 99 + 0 - 1;
    QTest::newRow("corner, its mirror (7,3)") << corner(7, 3) << int(C) << 99 + 0 - 1;

    // A corner held by either side switches the table: the human on (8,8).
    const ReversiBoard humanCorner = withDiscs({{8, 8, H}, {4, 4, H}, {2, 2, C}, {7, 7, C}});
    QTest::newRow("corner taken by the other side") << humanCorner << int(C) << (-24 + 8) - (99 + 1);
    QTest::newRow("corner taken, seen by its owner") << humanCorner << int(H) << (99 + 1) - (-24 + 8);
    // Two corners: each X and D square follows its own corner.
    QTest::newRow("two corners")
        << withDiscs({{1, 1, C}, {8, 1, H}, {2, 1, C}, {7, 1, C}, {2, 7, C}, {4, 4, H}}) << int(C)
        << (99 + 12 + 12 - 24) - (99 + 1);

    // No disc of the opponent: 32000, whatever the weights.
    QTest::newRow("32000, only bad squares") << withDiscs({{2, 2, C}, {7, 7, C}}) << int(C) << 32000;
    QTest::newRow("32000, empty board") << ReversiBoard() << int(H) << 32000;
    QTest::newRow("32000, corner table") << withDiscs({{1, 1, H}, {2, 2, H}}) << int(H) << 32000;
    QTest::newRow("no disc of the mover is no special case") << withDiscs({{2, 2, C}, {7, 7, C}}) << int(H)
                                                             << 48;
}

void TestReversiBoard::evaluation()
{
    QFETCH(ReversiBoard, board);
    QFETCH(int, mover);
    QFETCH(int, expected);
    const quint8 m = quint8(mover), o = m == H ? C : H;
    QCOMPARE(board.evaluate(m, o), expected);
}

QTEST_GUILESS_MAIN(TestReversiBoard)
#include "test_reversi_board.moc"

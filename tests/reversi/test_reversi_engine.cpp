#include "BoardText.h"
#include "reversi/ReversiEngine.h"

#include <QtTest>

#include <random>

// The rules and evaluation of one board, on positions made by hand; the game
// as the host sees it: turns, the computer's replies, passes, the end of the
// game and its score. And the step-wise search against a plain recursive
// alpha-beta search written here from the game's rules, on its own 8 x 8
// board: both must pick the same square on every position and at every
// depth, ties included, and the step-wise search must take one ThinkStep per
// step of the search.
class TestReversiEngine : public QObject
{
    Q_OBJECT
private slots:
    void legalSquares_data();
    void legalSquares();
    void evaluation_data();
    void evaluation();
    void openingReplyAndPass_data();
    void openingReplyAndPass();
    void wholeGame_data() { openingReplyAndPass_data(); }
    void wholeGame();
    void gameEnd_data();
    void gameEnd();
    void newGameDuringSearchAndTimeSlices();
    void sameMoveAsRecursiveSearch_data() { openingReplyAndPass_data(); }
    void sameMoveAsRecursiveSearch();
};

namespace {
constexpr quint8 H = ReversiBoard::HumanDisc, C = ReversiBoard::ComputerDisc;

// "C21 H44": a disc of the computer on (2,1), one of the human on (4,4).
ReversiBoard discs(const QString &layout)
{
    ReversiBoard b;
    for (const QString &d : layout.split(u' ', Qt::SkipEmptyParts))
        b.set(d.at(1).digitValue(), d.at(2).digitValue(), d.at(0) == u'H' ? H : C);
    return b;
}

// The engine's events as letters (T think, P play, W win, L lost, U unable to
// move), then the squares set on the displayed position as "cr".
struct Recorder
{
    QString log;
    explicit Recorder(ReversiEngine &e)
    {
        for (const auto &[event, letter] : {std::pair(&ReversiEngine::OnThink, u'T'),
                                            {&ReversiEngine::OnPlay, u'P'},
                                            {&ReversiEngine::OnWin, u'W'},
                                            {&ReversiEngine::OnLost, u'L'},
                                            {&ReversiEngine::OnUnableToMove, u'U'}})
            e.*event = [this, l = letter] { log += l; };
        e.OnSquarePlaced = [this](int c, int r) { log += QStringLiteral(" %1%2").arg(c).arg(r); };
    }
    QString take() { return std::exchange(log, {}); }
};

// Runs the search in progress to its end.
bool runSearch(ReversiEngine &e)
{
    for (int steps = 0; e.ThinkStep() && steps < 10'000'000; ++steps) {
    }
    return !e.Thinking();
}

// The legal squares, column by column, as "cr".
QString legal(const std::function<bool(int, int)> &isLegal, int from = 1, int to = 8)
{
    QStringList out;
    for (int c = from; c <= to; ++c)
        for (int r = from; r <= to; ++r)
            if (isLegal(c, r))
                out << QStringLiteral("%1%2").arg(c).arg(r);
    return out.join(u' ');
}
// ---- The reference: an independent board, 0-based [column][row] ----
struct Ref
{
    int cell[8][8] = {};
};

// (column, row), 1-based, in the order every scan tries them.
constexpr int Order[60][2] = {
    {1, 1}, {1, 8}, {8, 1}, {8, 8}, {1, 3}, {3, 1}, {1, 6}, {6, 1}, {3, 8}, {8, 3}, {6, 8}, {8, 6},
    {1, 4}, {4, 1}, {1, 5}, {5, 1}, {4, 8}, {8, 4}, {5, 8}, {8, 5}, {3, 3}, {3, 6}, {6, 3}, {6, 6},
    {3, 4}, {3, 5}, {4, 3}, {4, 6}, {5, 3}, {5, 6}, {6, 4}, {6, 5}, {2, 4}, {2, 5}, {4, 2}, {4, 7},
    {5, 2}, {5, 7}, {7, 4}, {7, 5}, {2, 3}, {2, 6}, {3, 2}, {3, 7}, {6, 2}, {6, 7}, {7, 3}, {7, 6},
    {1, 2}, {1, 7}, {2, 1}, {2, 8}, {7, 1}, {7, 8}, {8, 2}, {8, 7}, {2, 2}, {2, 7}, {7, 2}, {7, 7},
};
// [column - 1][row - 1]; X and D are filled in from their corner's occupancy.
constexpr int X = 1000, D = 2000;
constexpr int Opening[8][8] = {{99, -8, 8, 6, 6, 8, -8, 99},       {-8, -24, -4, -3, -3, -4, -24, -8},
                               {8, -4, 7, 4, 4, 7, -4, 8},         {6, -3, 4, 0, 0, 4, -3, 6},
                               {6, -3, 4, 0, 0, 4, -3, 6},         {8, -4, 7, 4, 4, 7, -4, 8},
                               {-8, -24, -4, -3, -3, -4, -24, -8}, {99, -8, 8, 6, 6, 8, -8, 99}};
constexpr int Corner[8][8] = {{99, X, 8, 6, 6, 8, X, 99}, {X, D, 0, 1, 1, 0, D, X},  {8, 0, 7, 4, 4, 7, 0, 8},
                              {6, 1, 4, 1, 1, 4, 1, 6},   {6, 1, 4, 1, 1, 4, 1, 6},  {8, 0, 7, 4, 4, 7, 0, 8},
                              {X, D, 0, 1, 1, 1, D, X},   {99, X, 8, 6, 6, 8, X, 99}};

bool inside(int c, int r)
{
    return c >= 0 && c < 8 && r >= 0 && r < 8;
}

int refFlips(const Ref &b, int c, int r, int dc, int dr, int me, int opp)
{
    int n = 1;
    while (inside(c + n * dc, r + n * dr) && b.cell[c + n * dc][r + n * dr] == opp)
        ++n;
    return inside(c + n * dc, r + n * dr) && b.cell[c + n * dc][r + n * dr] == me ? n - 1 : 0;
}

// Plays (c, r) for `me` into `out`; false when the square is not legal.
bool refPlay(const Ref &b, int c, int r, int me, int opp, Ref *out = nullptr)
{
    if (b.cell[c][r] != 0)
        return false;
    Ref a = b;
    bool any = false;
    for (int d = 0; d < 9; ++d)
        for (int k = 1, n = refFlips(b, c, r, d / 3 - 1, d % 3 - 1, me, opp); k <= n; ++k, any = true)
            a.cell[c + k * (d / 3 - 1)][r + k * (d % 3 - 1)] = me;
    a.cell[c][r] = me;
    if (out)
        *out = a;
    return any;
}

bool refHasMove(const Ref &b, int me, int opp)
{
    for (int i = 0; i < 64; ++i)
        if (refPlay(b, i / 8, i % 8, me, opp))
            return true;
    return false;
}

int refEvaluate(const Ref &b, int me, int opp)
{
    const bool open = !b.cell[0][0] && !b.cell[7][0] && !b.cell[0][7] && !b.cell[7][7];
    int sum = 0;
    bool oppSeen = false;
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 8; ++r) {
            int w = open ? Opening[c][r] : Corner[c][r];
            const bool taken = b.cell[c < 4 ? 0 : 7][r < 4 ? 0 : 7] != 0;
            w = w == X ? (taken ? 12 : -8) : w == D ? (taken ? 8 : -24) : w;
            sum += b.cell[c][r] == me ? w : b.cell[c][r] == opp ? -w : 0;
            oppSeen |= b.cell[c][r] == opp;
        }
    return oppSeen ? sum : 32000;
}

// The finished game for `a`: empty squares go to `a`.
int refFinal(const Ref &b, int a)
{
    int n = 0;
    for (int i = 0; i < 64; ++i)
        n += (b.cell[i / 8][i % 8] == 0 || b.cell[i / 8][i % 8] == a) ? 1 : -1;
    return n > 0 ? n + 32000 : n < 0 ? n - 32000 : 0;
}

// The position itself, for the side that moved into it.
int refStatic(const Ref &b, int q, int p)
{
    return refHasMove(b, q, p) ? refEvaluate(b, q, p) : refFinal(b, q);
}

// Value handed up from `level` to its parent; the computer (2) moves at even
// levels. A level whose move reaches beta hands up that value negated, else
// its own static score. At level 0 `best` receives the index in Order.
// `steps`: one per move tried below the depth limit, one per position at the
// limit, one per level that runs out of moves.
int refSearch(const Ref &b, int level, int alpha, int beta, int depth, int *best, int *steps)
{
    const int p = level % 2 == 0 ? 2 : 1, q = 3 - p;
    if (level >= depth)
        return ++*steps, refHasMove(b, p, q) ? refEvaluate(b, q, p) : refStatic(b, q, p);
    Ref next;
    for (int i = 0; i < 60; ++i) {
        if (!refPlay(b, Order[i][0] - 1, Order[i][1] - 1, p, q, &next))
            continue;
        ++*steps;
        const int v = refSearch(next, level + 1, -beta, -alpha, depth, nullptr, steps);
        if (v > alpha && best)
            *best = i;
        if ((alpha = std::max(alpha, v)) >= beta)
            return -v;
    }
    return ++*steps, refStatic(b, q, p);
}

Ref toRef(const ReversiBoard &b)
{
    Ref r;
    for (int i = 0; i < 64; ++i)
        r.cell[i / 8][i % 8] = b.at(i / 8 + 1, i % 8 + 1);
    return r;
}

// After `plies` random legal moves from the start, passing when one must;
// nothing when the game ends first.
std::optional<ReversiBoard> randomPosition(std::mt19937 &rng, int plies)
{
    ReversiBoard b = ReversiBoard::starting();
    quint8 side = rng() % 2 ? H : C;
    for (int i = 0; i < plies; ++i) {
        quint8 other = side == H ? C : H;
        if (!b.hasMove(side, other) && !b.hasMove(other, side))
            return std::nullopt;
        if (!b.hasMove(side, other))
            std::swap(side, other);
        int sq = 0;
        while (!b.isLegal(sq = ReversiBoard::index(int(rng() % 8) + 1, int(rng() % 8) + 1), side, other)) {
        }
        b.play(sq, side, other);
        side = other;
    }
    return b;
}

} // namespace

void TestReversiEngine::legalSquares_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<int>("mover");
    QTest::addColumn<QString>("expected");
    const QStringList start = {"........", "........", "........", "...HC...", "...CH..."};
    QTest::newRow("opening, human") << start << int(H) << "35 46 53 64";
    QTest::newRow("opening, computer") << start << int(C) << "34 43 56 65";
    QTest::newRow("run ending on the border") << QStringList{"CCH....."} << int(H) << "";
    QTest::newRow("run ending on an empty square") << QStringList{".CCH...."} << int(H) << "11";
    QTest::newRow("occupied square is never legal") << QStringList{"HCH....."} << int(C) << "41";
    QTest::newRow("no opponent disc") << QStringList{"HHH....."} << int(H) << "";
    // The human plays (4,4): the runs to the left, up and up-right are
    // closed; the run to the right is open and stays.
    QTest::newRow("play turns every flanked run")
        << QStringList{"...H..H.", "...C.C..", "...CC...", "HCC.CC.."} << 0 << "...H..H. ...H.H.. ...HH... HHHHCC..";
}

void TestReversiEngine::legalSquares()
{
    QFETCH(QStringList, rows);
    QFETCH(int, mover);
    QFETCH(QString, expected);
    ReversiBoard b = BoardText::parse(rows);
    if (mover == 0) {
        b.play(ReversiBoard::index(4, 4), H, C);
        QCOMPARE(b, BoardText::parse(expected.split(u' ')));
        return;
    }
    const quint8 m = quint8(mover), o = m == H ? C : H;
    QCOMPARE(legal([&](int c, int r) { return b.isLegal(ReversiBoard::index(c, r), m, o); }), expected);
    QCOMPARE(b.hasMove(m, o), !expected.isEmpty());
}

void TestReversiEngine::evaluation_data()
{
    QTest::addColumn<QString>("board");
    QTest::addColumn<int>("mover");
    QTest::addColumn<int>("expected");
    using Rows = QList<std::tuple<const char *, const char *, int>>;
    // Opening weights while the corners are empty; the human's (4,4) weighs 0.
    for (const auto &[name, d, w] : Rows{{"X square (2,1)", "C21", -8},
                                         {"D square (7,7)", "C77", -24},
                                         {"(6,3)", "C63", 7},
                                         {"(3,1)", "C31", 8},
                                         {"(5,1)", "C51", 6},
                                         {"(7,4)", "C74", -3},
                                         {"(2,6)", "C26", -4}})
        QTest::newRow(qPrintable(QStringLiteral("opening, ") + name)) << QStringLiteral("%1 H44").arg(d) << int(C) << w;
    QTest::newRow("opening, from the other side") << "C63 H44" << int(H) << -7;
    QTest::newRow("opening, start") << "H44 C54 C45 H55" << int(C) << 0;
    // The computer on corner (1,1): the corner table, whose inner squares
    // weigh 1, so the human's (4,4) costs the computer 1.
    for (const auto &[name, d, w] : Rows{{"X of the taken corner (2,1)", "C21", 12},
                                         {"X of the taken corner (1,2)", "C12", 12},
                                         {"D of the taken corner (2,2)", "C22", 8},
                                         {"X of an empty corner (8,2)", "C82", -8},
                                         {"X of an empty corner (2,8)", "C28", -8},
                                         {"D of an empty corner (7,7)", "C77", -24},
                                         {"inner square (5,5)", "C55", 1},
                                         {"(2,4) weighs 1 instead of -3", "C24", 1},
                                         {"(3,2) weighs 0 instead of -4", "C32", 0},
                                         {"the odd square (7,6)", "C76", 1},
                                         {"its mirror (2,6)", "C26", 0},
                                         {"its mirror (6,7)", "C67", 0},
                                         {"its mirror (7,3)", "C73", 0}})
        QTest::newRow(qPrintable(QStringLiteral("corner, ") + name))
            << QStringLiteral("C11 %1 H44").arg(d) << int(C) << 98 + w;
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
}

void TestReversiEngine::evaluation()
{
    QFETCH(QString, board);
    QFETCH(int, mover);
    QTEST(discs(board).evaluate(quint8(mover), mover == H ? C : H), "expected");
}

void TestReversiEngine::openingReplyAndPass_data()
{
    QTest::addColumn<int>("skill");
    for (const auto &[name, skill] :
         {std::pair("skBeginner", skBeginner), {"skNovice", skNovice}, {"skExpert", skExpert}, {"skMaster", skMaster}})
        QTest::newRow(name) << int(skill);
}

void TestReversiEngine::openingReplyAndPass()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    QCOMPARE(legal([&](int c, int r) { return e.isHumanMove(c, r); }, -1, 10), QStringLiteral("35 46 53 64"));
    // Illegal: empty square turning nothing, occupied, next to the discs, border, outside.
    for (const QPoint p : {QPoint(1, 1), QPoint(4, 4), QPoint(3, 3), QPoint(0, 4), QPoint(12, -3)})
        QVERIFY(!e.humanMove(p.x(), p.y()));
    QCOMPARE(e.board(), ReversiBoard::starting());
    QVERIFY(rec.log.isEmpty() && !e.Thinking());

    QVERIFY(e.humanMove(6, 4) && e.Thinking());
    QCOMPARE(rec.log, QStringLiteral(" 64 54T"));
    runSearch(e);
    QCOMPARE(rec.take(), QStringLiteral(" 64 54T 63 54P")); // (6,3) turns (5,4) back
    QCOMPARE(e.board(), BoardText::parse({"", "", ".....C..", "...HCH..", "...CH..."}));
    QVERIFY(e.Placements() > 0);
    e.NewGame(); // reports nothing, keeps the strength
    QVERIFY(!e.Thinking() && rec.log.isEmpty());
    QCOMPARE(QStringLiteral("%1 %2 %3 %4").arg(e.Placements()).arg(e.Score()).arg(e.Skill()).arg(e.Depth()),
             QStringLiteral("0 0 %1 %2").arg(skill).arg(ReversiEngine::depthOf(TSkill(skill))));
    QCOMPARE(e.board(), ReversiBoard::starting());

    // The computer starts; the search counts no placement until it plays.
    e.ComputerPlay();
    QCOMPARE(e.Placements(), 0);
    runSearch(e);
    QCOMPARE(rec.take() + QString::number(e.Placements()), QStringLiteral("T 34 44P2"));

    // After the human's (4,1) the computer's only move is (3,1), after which
    // the human has discs but no legal square: the computer searches again
    // at once, without OnPlay in between, and plays a second disc.
    e.setBoard(BoardText::parse({"CH......", "...C....", "...H...."}));
    QVERIFY(e.humanMove(4, 1));
    while (e.ThinkStep() && rec.log.count(u'T') < 2) {
    }
    QCOMPARE(rec.take(), QStringLiteral(" 41 42T 31 21T"));
    QVERIFY(e.Thinking() && !e.board().hasMove(H, C) && e.board().count(H) > 0);
    const int computerDiscs = e.board().count(C);
    runSearch(e);
    QVERIFY(e.board().count(C) > computerDiscs);
}

// A scripted human plays its first legal square column by column until
// neither side can move.
void TestReversiEngine::wholeGame()
{
    QFETCH(int, skill);
    ReversiEngine e;
    e.setSkill(TSkill(skill));
    Recorder rec(e);
    for (int turns = 0; !rec.log.contains(u'W') && !rec.log.contains(u'L'); ++turns) {
        QVERIFY2(turns <= 200, "the game does not end");
        const QString moves = e.Thinking() ? QString() : legal([&](int c, int r) { return e.isHumanMove(c, r); });
        QVERIFY2(e.Thinking() || !moves.isEmpty(), "the human has no move and the game is not over");
        QVERIFY(e.Thinking() ? runSearch(e) : e.humanMove(moves[0].digitValue(), moves[1].digitValue()));
    }
    const ReversiBoard &b = e.board();
    QVERIFY(!e.Thinking() && b.count(ReversiBoard::Empty) == 0 && !b.hasMove(H, C) && !b.hasMove(C, H));
    const int margin = b.count(H) - b.count(C);
    QCOMPARE(e.Score(), margin);
    const QString events = rec.log.remove(QRegularExpression("[ 0-9]"));
    QCOMPARE(events.count(u'W') + events.count(u'L'), 1);
    QCOMPARE(events.back(), margin >= 0 ? QChar(u'W') : QChar(u'L'));
    QVERIFY(!events.contains(u'U'));
    QVERIFY(events.count(u'T') >= events.count(u'P')); // every OnPlay closes a search
}

void TestReversiEngine::gameEnd_data()
{
    QTest::addColumn<ReversiBoard>("board");
    QTest::addColumn<QPoint>("move");
    QTest::addColumn<int>("score");
    QTest::addColumn<QString>("events");
    // The 61 empty squares go to the human, who wins by all 64.
    QTest::newRow("human takes the last computer disc") << BoardText::parse({"HC......"}) << QPoint(3, 1) << 64 << "W";
    // The computer's only move (1,1) takes the human's last discs, yet the 59
    // empty squares go to the human, who wins by 59 - 5.
    QTest::newRow("computer takes the last human discs")
        << BoardText::parse({".HC.C..."}) << QPoint(4, 1) << 54 << "TW";
    for (const auto &[name, humans, score, ev] :
         QList<std::tuple<const char *, int, int, const char *>>{{"drawn game counts as not lost", 30, 0, "W"},
                                                                 {"won by 10", 35, 10, "W"},
                                                                 {"lost by 10", 25, -10, "L"},
                                                                 {"won by 2", 31, 2, "W"},
                                                                 {"lost by 2", 29, -2, "L"}})
        QTest::newRow(name) << BoardText::lastMoveBoard(humans) << QPoint(1, 1) << score << QString::fromLatin1(ev);
}

void TestReversiEngine::gameEnd()
{
    QFETCH(ReversiBoard, board);
    QFETCH(QPoint, move);
    QFETCH(int, score);
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    e.setBoard(board);
    QVERIFY(e.humanMove(move.x(), move.y()));
    runSearch(e);
    QTEST(rec.log.remove(QRegularExpression("[ 0-9]")), "events");
    QCOMPARE(QStringLiteral("%1 %2 %3")
                 .arg(e.Score())
                 .arg(e.board().count(H) - e.board().count(C))
                 .arg(e.board().count(ReversiBoard::Empty)),
             QStringLiteral("%1 %1 0").arg(score));
}

void TestReversiEngine::newGameDuringSearchAndTimeSlices()
{
    ReversiEngine e;
    e.setSkill(skMaster);
    Recorder rec(e);
    QVERIFY(e.humanMove(6, 4));
    for (int i = 0; i < 500; ++i) // several levels down
        QVERIFY(e.ThinkStep());
    e.NewGame();
    QVERIFY(!e.Thinking() && !e.ThinkStep() && e.Placements() == 0);
    QCOMPARE(e.board(), ReversiBoard::starting());
    // The next search starts from the position on screen, not from where the
    // stopped one had got to; thinkFor runs it to its end in slices.
    QVERIFY(e.humanMove(6, 4));
    for (int slices = 0; e.thinkFor(std::chrono::milliseconds(1));)
        QVERIFY(++slices < 100'000);
    QCOMPARE(rec.log.remove(QRegularExpression("[ 0-9]")), QStringLiteral("TTP"));
    QCOMPARE(e.board().at(6, 3), C);
    QVERIFY(!e.thinkFor(std::chrono::milliseconds(1)));
}

void TestReversiEngine::sameMoveAsRecursiveSearch()
{
    QFETCH(int, skill);
    // A fixed seed: openings, middle games and end games where the search
    // meets finished games.
    std::mt19937 rng(20260412);
    for (int i = 0; i < 500;) {
        const int plies = int(rng() % 59);
        const std::optional<ReversiBoard> b = randomPosition(rng, plies);
        if (!b || !b->hasMove(C, H))
            continue;
        const Ref ref = toRef(*b);
        // The evaluation, from both sides, on every position.
        QCOMPARE(b->evaluate(C, H), refEvaluate(ref, C, H));
        QCOMPARE(b->evaluate(H, C), refEvaluate(ref, H, C));
        int best = 60, steps = 0, calls = 0, played = -1;
        refSearch(ref, 0, -32767, 32767, ReversiEngine::depthOf(TSkill(skill)), &best, &steps);
        QVERIFY(best < 60);
        ReversiEngine e;
        e.setSkill(TSkill(skill));
        e.setBoard(*b);
        e.OnSquarePlaced = [&played](int c, int r) { played = played < 0 ? ReversiBoard::index(c, r) : played; };
        e.ComputerPlay();
        // Stop at the first move: when the human must pass, a second search follows.
        for (bool more = true; played < 0 && more; ++calls)
            more = e.ThinkStep();
        const QString where = QStringLiteral("position %1 (%2 plies): ").arg(i++).arg(plies);
        QCOMPARE(
            where
                + QStringLiteral("(%1,%2), %3 ThinkStep calls")
                      .arg(ReversiBoard::columnOf(played))
                      .arg(ReversiBoard::rowOf(played))
                      .arg(calls),
            where + QStringLiteral("(%1,%2), %3 ThinkStep calls").arg(Order[best][0]).arg(Order[best][1]).arg(steps));
    }
}

QTEST_GUILESS_MAIN(TestReversiEngine)
#include "test_reversi_engine.moc"

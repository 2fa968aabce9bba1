#include "reversi/ReversiEngine.h"

#include <QtTest>

#include <random>

// The step-wise search against a plain recursive alpha-beta search written
// here from the game's rules, on its own 8 x 8 board: both must pick the same
// square on every position and at every depth, ties included, and the
// step-wise search must take one ThinkStep per step of the search.
class TestReversiSearch : public QObject
{
    Q_OBJECT
private slots:
    void sameMoveAsRecursiveSearch_data();
    void sameMoveAsRecursiveSearch();
};

namespace {

// ---- The reference: an independent board, 0-based [column][row] ----
struct Ref { int cell[8][8] = {}; };

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
constexpr int Opening[8][8] = {
    {99, -8, 8, 6, 6, 8, -8, 99},     {-8, -24, -4, -3, -3, -4, -24, -8}, {8, -4, 7, 4, 4, 7, -4, 8},
    {6, -3, 4, 0, 0, 4, -3, 6},       {6, -3, 4, 0, 0, 4, -3, 6},         {8, -4, 7, 4, 4, 7, -4, 8},
    {-8, -24, -4, -3, -3, -4, -24, -8}, {99, -8, 8, 6, 6, 8, -8, 99}};
constexpr int Corner[8][8] = {
    {99, X, 8, 6, 6, 8, X, 99}, {X, D, 0, 1, 1, 0, D, X}, {8, 0, 7, 4, 4, 7, 0, 8}, {6, 1, 4, 1, 1, 4, 1, 6},
    {6, 1, 4, 1, 1, 4, 1, 6},   {8, 0, 7, 4, 4, 7, 0, 8}, {X, D, 0, 1, 1, 1, D, X}, {99, X, 8, 6, 6, 8, X, 99}};

bool inside(int c, int r) { return c >= 0 && c < 8 && r >= 0 && r < 8; }

int refFlips(const Ref &b, int c, int r, int dc, int dr, int me, int opp)
{
    int n = 1;
    while (inside(c + n * dc, r + n * dr) && b.cell[c + n * dc][r + n * dr] == opp) ++n;
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
    if (out) *out = a;
    return any;
}

bool refHasMove(const Ref &b, int me, int opp)
{
    for (int i = 0; i < 64; ++i)
        if (refPlay(b, i / 8, i % 8, me, opp)) return true;
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
int refStatic(const Ref &b, int q, int p) { return refHasMove(b, q, p) ? refEvaluate(b, q, p) : refFinal(b, q); }

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
        if (!refPlay(b, Order[i][0] - 1, Order[i][1] - 1, p, q, &next)) continue;
        ++*steps;
        const int v = refSearch(next, level + 1, -beta, -alpha, depth, nullptr, steps);
        if (v > alpha && best) *best = i;
        if ((alpha = std::max(alpha, v)) >= beta) return -v;
    }
    return ++*steps, refStatic(b, q, p);
}

constexpr quint8 Hu = ReversiBoard::HumanDisc, Co = ReversiBoard::ComputerDisc;

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
    quint8 side = rng() % 2 ? Hu : Co;
    for (int i = 0; i < plies; ++i) {
        quint8 other = side == Hu ? Co : Hu;
        if (!b.hasMove(side, other) && !b.hasMove(other, side)) return std::nullopt;
        if (!b.hasMove(side, other)) std::swap(side, other);
        int sq = 0;
        while (!b.isLegal(sq = ReversiBoard::index(int(rng() % 8) + 1, int(rng() % 8) + 1), side, other)) {
        }
        b.play(sq, side, other);
        side = other;
    }
    return b;
}

} // namespace

void TestReversiSearch::sameMoveAsRecursiveSearch_data()
{
    QTest::addColumn<int>("skill");
    QTest::newRow("skBeginner, depth 1") << int(skBeginner);
    QTest::newRow("skNovice, depth 2") << int(skNovice);
    QTest::newRow("skExpert, depth 4") << int(skExpert);
    QTest::newRow("skMaster, depth 6") << int(skMaster);
}

void TestReversiSearch::sameMoveAsRecursiveSearch()
{
    QFETCH(int, skill);
    // A fixed seed: openings, middle games and end games where the search
    // meets finished games.
    std::mt19937 rng(20260412);
    for (int i = 0; i < 500;) {
        const int plies = int(rng() % 59);
        const std::optional<ReversiBoard> b = randomPosition(rng, plies);
        if (!b || !b->hasMove(Co, Hu)) continue;
        const Ref ref = toRef(*b);
        // The evaluation, from both sides, on every position.
        QCOMPARE(b->evaluate(Co, Hu), refEvaluate(ref, Co, Hu));
        QCOMPARE(b->evaluate(Hu, Co), refEvaluate(ref, Hu, Co));
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
        QCOMPARE(where + QStringLiteral("(%1,%2), %3 ThinkStep calls")
                             .arg(ReversiBoard::columnOf(played)).arg(ReversiBoard::rowOf(played)).arg(calls),
                 where + QStringLiteral("(%1,%2), %3 ThinkStep calls").arg(Order[best][0]).arg(Order[best][1]).arg(steps));
    }
}

QTEST_GUILESS_MAIN(TestReversiSearch)
#include "test_reversi_search.moc"

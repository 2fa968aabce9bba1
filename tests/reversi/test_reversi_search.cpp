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
    void initTestCase();
    void sameMoveAsRecursiveSearch_data();
    void sameMoveAsRecursiveSearch();
    void sameEvaluationAsReference();

private:
    struct Sample
    {
        ReversiBoard board;
        int plies = 0;
    };
    QList<Sample> m_positions;
};

namespace {

// ---- The reference: an independent board with 0-based [column][row] ----

struct Ref
{
    int cell[8][8] = {};
};

constexpr int Dir[8][2] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {0, 1}, {1, 1}};

// (column, row), 1-based, in the order every scan tries them.
constexpr int Order[60][2] = {
    {1, 1}, {1, 8}, {8, 1}, {8, 8}, {1, 3}, {3, 1}, {1, 6}, {6, 1}, {3, 8}, {8, 3}, {6, 8}, {8, 6},
    {1, 4}, {4, 1}, {1, 5}, {5, 1}, {4, 8}, {8, 4}, {5, 8}, {8, 5}, {3, 3}, {3, 6}, {6, 3}, {6, 6},
    {3, 4}, {3, 5}, {4, 3}, {4, 6}, {5, 3}, {5, 6}, {6, 4}, {6, 5}, {2, 4}, {2, 5}, {4, 2}, {4, 7},
    {5, 2}, {5, 7}, {7, 4}, {7, 5}, {2, 3}, {2, 6}, {3, 2}, {3, 7}, {6, 2}, {6, 7}, {7, 3}, {7, 6},
    {1, 2}, {1, 7}, {2, 1}, {2, 8}, {7, 1}, {7, 8}, {8, 2}, {8, 7}, {2, 2}, {2, 7}, {7, 2}, {7, 7},
};

// [column - 1][row - 1]
constexpr int Opening[8][8] = {
    {99, -8, 8, 6, 6, 8, -8, 99},     {-8, -24, -4, -3, -3, -4, -24, -8}, {8, -4, 7, 4, 4, 7, -4, 8},
    {6, -3, 4, 0, 0, 4, -3, 6},       {6, -3, 4, 0, 0, 4, -3, 6},         {8, -4, 7, 4, 4, 7, -4, 8},
    {-8, -24, -4, -3, -3, -4, -24, -8}, {99, -8, 8, 6, 6, 8, -8, 99},
};
constexpr int X = 1000, D = 2000; // filled in from the corner's occupancy
constexpr int Corner[8][8] = {
    {99, X, 8, 6, 6, 8, X, 99}, {X, D, 0, 1, 1, 0, D, X}, {8, 0, 7, 4, 4, 7, 0, 8}, {6, 1, 4, 1, 1, 4, 1, 6},
    {6, 1, 4, 1, 1, 4, 1, 6},   {8, 0, 7, 4, 4, 7, 0, 8}, {X, D, 0, 1, 1, 1, D, X}, {99, X, 8, 6, 6, 8, X, 99},
};

bool inside(int c, int r)
{
    return c >= 0 && c < 8 && r >= 0 && r < 8;
}

int refFlips(const Ref &b, int c, int r, int dc, int dr, int me, int opp)
{
    int n = 0;
    c += dc;
    r += dr;
    while (inside(c, r) && b.cell[c][r] == opp) {
        ++n;
        c += dc;
        r += dr;
    }
    return inside(c, r) && b.cell[c][r] == me ? n : 0;
}

bool refLegal(const Ref &b, int c, int r, int me, int opp)
{
    if (b.cell[c][r] != 0)
        return false;
    for (const auto &d : Dir)
        if (refFlips(b, c, r, d[0], d[1], me, opp) > 0)
            return true;
    return false;
}

bool refHasMove(const Ref &b, int me, int opp)
{
    for (int c = 0; c < 8; ++c)
        for (int r = 0; r < 8; ++r)
            if (refLegal(b, c, r, me, opp))
                return true;
    return false;
}

Ref refPlay(Ref b, int c, int r, int me, int opp)
{
    const Ref before = b;
    b.cell[c][r] = me;
    for (const auto &d : Dir) {
        const int n = refFlips(before, c, r, d[0], d[1], me, opp);
        for (int k = 1; k <= n; ++k)
            b.cell[c + k * d[0]][r + k * d[1]] = me;
    }
    return b;
}

int refEvaluate(const Ref &b, int me, int opp)
{
    const bool cornersEmpty = b.cell[0][0] == 0 && b.cell[7][0] == 0 && b.cell[0][7] == 0 && b.cell[7][7] == 0;
    int mine = 0, theirs = 0;
    bool oppSeen = false;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            int w = cornersEmpty ? Opening[c][r] : Corner[c][r];
            if (w == X || w == D) {
                const int cc = c < 4 ? 0 : 7, cr = r < 4 ? 0 : 7;
                const bool taken = b.cell[cc][cr] != 0;
                w = w == X ? (taken ? 12 : -8) : (taken ? 8 : -24);
            }
            if (b.cell[c][r] == me)
                mine += w;
            else if (b.cell[c][r] == opp) {
                theirs += w;
                oppSeen = true;
            }
        }
    }
    return oppSeen ? mine - theirs : 32000;
}

int refFinal(Ref b, int a, int other)
{
    int na = 0, nb = 0;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 8; ++r) {
            if (b.cell[c][r] == 0)
                b.cell[c][r] = a;
            na += b.cell[c][r] == a;
            nb += b.cell[c][r] == other;
        }
    }
    const int n = na - nb;
    return n > 0 ? n + 32000 : n < 0 ? n - 32000 : 0;
}

// The score a level hands up when it is done with: the position itself, for
// the side that moved into it.
int refStatic(const Ref &b, int q, int p)
{
    return refHasMove(b, q, p) ? refEvaluate(b, q, p) : refFinal(b, q, p);
}

// Value handed up from level `level` to its parent. The computer (2) moves
// at even levels. A level whose move reaches its beta hands up that move's
// value, negated; otherwise it hands up its own static score. At level 0,
// `best` receives the index in Order of the move chosen (60 for none).
//
// `steps` counts the search's steps: one per move tried below the depth
// limit, one per position at the depth limit, and one per level that runs
// out of moves; a cut-off, however far it reaches, belongs to the step that
// produced the value.
int refSearch(const Ref &b, int level, int alpha, int beta, int depth, int *best, int *steps)
{
    const int p = level % 2 == 0 ? 2 : 1, q = 3 - p;
    if (level >= depth) {
        ++*steps;
        if (refHasMove(b, p, q))
            return refEvaluate(b, q, p);
        return refStatic(b, q, p);
    }
    for (int i = 0; i < 60; ++i) {
        const int c = Order[i][0] - 1, r = Order[i][1] - 1;
        if (!refLegal(b, c, r, p, q))
            continue;
        ++*steps;
        const int v = refSearch(refPlay(b, c, r, p, q), level + 1, -beta, -alpha, depth, nullptr, steps);
        if (v > alpha) {
            alpha = v;
            if (best)
                *best = i;
            if (v >= beta)
                return -v;
        }
    }
    ++*steps;
    return refStatic(b, q, p);
}

Ref toRef(const ReversiBoard &b)
{
    Ref r;
    for (int c = 1; c <= 8; ++c)
        for (int row = 1; row <= 8; ++row)
            r.cell[c - 1][row - 1] = b.at(c, row);
    return r;
}

// ---- Positions ----

constexpr quint8 Hu = ReversiBoard::HumanDisc;
constexpr quint8 Co = ReversiBoard::ComputerDisc;

// The position after `plies` random legal moves from the start, sides taking
// turns and passing when they must; nothing when the game ends first.
std::optional<ReversiBoard> randomPosition(std::mt19937 &rng, int plies)
{
    ReversiBoard b = ReversiBoard::starting();
    quint8 side = rng() % 2 ? Hu : Co;
    for (int i = 0; i < plies; ++i) {
        quint8 other = side == Hu ? Co : Hu;
        if (!b.hasMove(side, other)) {
            std::swap(side, other);
            if (!b.hasMove(side, other))
                return std::nullopt;
        }
        QList<int> legal;
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r)
                if (b.isLegal(ReversiBoard::index(c, r), side, other))
                    legal << ReversiBoard::index(c, r);
        b.play(legal.at(int(rng() % legal.size())), side, other);
        side = other;
    }
    return b;
}

// The square the engine plays from `board` at `skill`, by the step-wise
// search; -1 when it plays none. `calls` receives the number of ThinkStep
// calls up to and including the one that played.
int engineMove(const ReversiBoard &board, TSkill skill, int *calls)
{
    ReversiEngine e;
    e.setSkill(skill);
    e.setBoard(board);
    int first = -1;
    e.OnSquarePlaced = [&first](int c, int r) {
        if (first < 0)
            first = ReversiBoard::index(c, r);
    };
    e.ComputerPlay();
    // Stop at the first move: when the human must pass, a second search
    // follows at once.
    *calls = 0;
    bool more = true;
    while (first < 0 && more) {
        ++*calls;
        more = e.ThinkStep();
    }
    return first;
}

} // namespace

void TestReversiSearch::initTestCase()
{
    // A fixed seed: the same positions on every run. Openings, middle games
    // and end games where the search meets finished games.
    std::mt19937 rng(20260412);
    const int wanted = 500;
    while (m_positions.size() < wanted) {
        const int plies = int(rng() % 59);
        const std::optional<ReversiBoard> b = randomPosition(rng, plies);
        if (b && b->hasMove(Co, Hu))
            m_positions.append({*b, plies});
    }
}

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
    const int depth = ReversiEngine::depthOf(TSkill(skill));
    for (qsizetype i = 0; i < m_positions.size(); ++i) {
        const Sample &s = m_positions.at(i);
        int best = 60, steps = 0, calls = 0;
        refSearch(toRef(s.board), 0, -32767, 32767, depth, &best, &steps);
        QVERIFY(best < 60);
        const int expected = ReversiBoard::index(Order[best][0], Order[best][1]);
        const int played = engineMove(s.board, TSkill(skill), &calls);
        if (played != expected) {
            QFAIL(qPrintable(QStringLiteral("position %1 (%2 plies): played (%3,%4), expected (%5,%6)")
                                 .arg(i)
                                 .arg(s.plies)
                                 .arg(ReversiBoard::columnOf(played))
                                 .arg(ReversiBoard::rowOf(played))
                                 .arg(Order[best][0])
                                 .arg(Order[best][1])));
        }
        // One step of the search per ThinkStep, no more and no fewer.
        if (calls != steps) {
            QFAIL(qPrintable(QStringLiteral("position %1 (%2 plies): %3 calls of ThinkStep, %4 search steps")
                                 .arg(i)
                                 .arg(s.plies)
                                 .arg(calls)
                                 .arg(steps)));
        }
    }
}

void TestReversiSearch::sameEvaluationAsReference()
{
    for (const Sample &s : std::as_const(m_positions)) {
        const Ref r = toRef(s.board);
        QCOMPARE(s.board.evaluate(Co, Hu), refEvaluate(r, Co, Hu));
        QCOMPARE(s.board.evaluate(Hu, Co), refEvaluate(r, Hu, Co));
    }
}

QTEST_GUILESS_MAIN(TestReversiSearch)
#include "test_reversi_search.moc"

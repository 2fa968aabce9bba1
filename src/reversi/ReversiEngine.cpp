#include "reversi/ReversiEngine.h"

namespace {

constexpr quint8 Human = ReversiBoard::HumanDisc;
constexpr quint8 Computer = ReversiBoard::ComputerDisc;

// The window at the root is wider than any value the search can produce
// (evaluations stay within a few hundred, finished games within 32064), so
// the first move tried at level 0 always becomes the best so far and the
// root is never cut off.
constexpr int RootAlpha = -32767;
constexpr int RootBeta = 32767;

} // namespace

ReversiEngine::ReversiEngine()
{
    setSkill(skBeginner);
    NewGame();
}

void ReversiEngine::setSkill(TSkill skill)
{
    m_skill = skill;
    m_depth = depthOf(skill);
}

void ReversiEngine::NewGame()
{
    m_score = 0;
    m_thinking = false;
    // A search stopped half-way leaves its level behind; the next turn must
    // start from the position on screen.
    m_level = 0;
    m_layers[0] = ReversiBoard::starting();
    m_placements = 0;
}

void ReversiEngine::setBoard(const ReversiBoard &board)
{
    m_thinking = false;
    m_level = 0;
    m_layers[0] = board;
}

void ReversiEngine::fire(const std::function<void()> &event)
{
    if (event)
        event();
}

void ReversiEngine::place(int level, int square, quint8 mover)
{
    ++m_placements;
    m_layers[level].set(square, mover);
    if (level == 0 && OnSquarePlaced)
        OnSquarePlaced(ReversiBoard::columnOf(square), ReversiBoard::rowOf(square));
}

void ReversiEngine::playOnScreen(int square, quint8 mover, quint8 opponent)
{
    ReversiBoard &b = m_layers[0];
    place(0, square, mover);
    for (int d : otello::Directions) {
        const int n = b.flips(square, d, mover, opponent);
        for (int k = 1; k <= n; ++k)
            place(0, square + k * d, mover);
    }
}

// Score of a finished game on one layer for side a against side b. The empty
// squares go to a, column by column, through the place routine (so they are
// counted in Placements and repainted when the layer is the one on screen,
// even when the count is made inside the search).
int ReversiEngine::finalCount(int level, quint8 a, quint8 b)
{
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r) {
            const int sq = ReversiBoard::index(c, r);
            if (m_layers[level].at(sq) == ReversiBoard::Empty)
                place(level, sq, a);
        }
    }
    const int n = m_layers[level].count(a) - m_layers[level].count(b);
    if (n > 0)
        return n + otello::WinBase;
    if (n < 0)
        return n - otello::WinBase;
    return 0;
}

void ReversiEngine::ComputerPlay()
{
    m_level = 0;
    if (m_layers[0].hasMove(Computer, Human)) {
        m_best[0] = NoMove;
        m_cursor = 0;
        m_alpha[0] = RootAlpha;
        m_beta[0] = RootBeta;
        m_thinking = true;
        fire(OnThink);
    } else if (!m_layers[0].hasMove(Human, Computer)) {
        endGame();
    }
}

bool ReversiEngine::ThinkStep()
{
    if (!m_thinking)
        return false;
    ++m_steps;

    const int level = m_level;
    const quint8 mover = sideToMove(level);
    const quint8 opponent = mover == Computer ? Human : Computer;
    const ReversiBoard &layer = m_layers[level];

    int square = -1;
    while (m_cursor < ReversiBoard::Squares) {
        const int sq = otello::SquareOrder[m_cursor++];
        if (layer.isLegal(sq, mover, opponent)) {
            square = sq;
            break;
        }
    }

    if (square >= 0) {
        if (level >= m_depth) {
            // A leaf: the position is scored for the side that moved into
            // it, as soon as the side to move is seen to have a move.
            backUp(layer.evaluate(opponent, mover));
        } else {
            descend(square, mover, opponent);
        }
    } else if (level == 0) {
        finish();
    } else {
        // The level is exhausted. What goes up is the score of this position
        // itself for the side that moved into it; the values of its moves
        // only served to cut it off early. When neither side can move the
        // game is over there and the final count scores it.
        const quint8 q = opponent, p = mover;
        const int value = layer.hasMove(q, p) ? layer.evaluate(q, p) : finalCount(level, q, p);
        backUp(value);
    }
    return m_thinking;
}

void ReversiEngine::descend(int square, quint8 mover, quint8 opponent)
{
    const int level = m_level;
    m_saved[level] = m_cursor;
    m_cursor = 0;
    m_layers[level + 1] = m_layers[level];
    m_alpha[level + 1] = -m_beta[level];
    m_beta[level + 1] = -m_alpha[level];
    m_level = level + 1;
    // The move itself, on the new layer; the search counts no placement and
    // repaints nothing.
    m_layers[m_level].play(square, mover, opponent);
}

void ReversiEngine::backUp(int value)
{
    for (;;) {
        const int level = --m_level;
        m_cursor = m_saved[level];
        if (value <= m_alpha[level])
            return; // the level goes on with its next square
        m_alpha[level] = value;
        m_best[level] = m_cursor - 1; // the move just explored
        if (value < m_beta[level])
            return;
        // Cut off: the level's remaining moves cannot matter; its parent
        // receives the value seen from its own side, and may be cut off in
        // turn.
        if (level == 0) {
            finish();
            return;
        }
        value = -value;
    }
}

void ReversiEngine::finish()
{
    m_thinking = false;
    if (m_best[0] == NoMove) {
        fire(OnUnableToMove);
        return;
    }
    playOnScreen(otello::SquareOrder[m_best[0]], Computer, Human);
    if (m_layers[0].hasMove(Human, Computer))
        fire(OnPlay);
    else
        ComputerPlay(); // the human must pass: the computer moves again or the game ends
}

void ReversiEngine::endGame()
{
    // Empty squares left on the board go to the human and count for the
    // human; a drawn game counts as not lost.
    const int s = finalCount(0, Human, Computer);
    if (s < 0) {
        m_score = s + otello::WinBase;
        fire(OnLost);
    } else {
        m_score = s > 0 ? s - otello::WinBase : 0;
        fire(OnWin);
    }
}

bool ReversiEngine::thinkFor(std::chrono::nanoseconds budget)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + budget;
    for (;;) {
        // Reading the clock costs about as much as a step; look every few.
        for (int i = 0; i < 8; ++i) {
            if (!ThinkStep())
                return false;
        }
        if (Clock::now() >= deadline)
            return true;
    }
}

bool ReversiEngine::isHumanMove(int column, int row) const
{
    return ReversiBoard::isPlaySquare(column, row)
           && m_layers[0].isLegal(ReversiBoard::index(column, row), Human, Computer);
}

bool ReversiEngine::humanMove(int column, int row)
{
    if (m_thinking || !isHumanMove(column, row))
        return false;
    m_level = 0;
    playOnScreen(ReversiBoard::index(column, row), Human, Computer);
    ComputerPlay();
    return true;
}

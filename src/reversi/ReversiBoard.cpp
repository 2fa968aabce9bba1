#include "reversi/ReversiBoard.h"

namespace {

// The weight tables spread over the 100 cells, so that evaluation indexes
// them by square like the board itself; the ring weighs 0.
struct WeightGrid
{
    std::array<int, ReversiBoard::Cells> w{};
};

constexpr WeightGrid spread(const int (&table)[8][8])
{
    WeightGrid g;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            g.w[ReversiBoard::index(c, r)] = table[c - 1][r - 1];
    return g;
}

constexpr WeightGrid Opening = spread(otello::OpeningWeights);
constexpr WeightGrid Corner = spread(otello::CornerWeights);

} // namespace

ReversiBoard ReversiBoard::starting()
{
    ReversiBoard b;
    b.set(4, 4, HumanDisc);
    b.set(5, 5, HumanDisc);
    b.set(4, 5, ComputerDisc);
    b.set(5, 4, ComputerDisc);
    return b;
}

bool ReversiBoard::isLegal(int square, quint8 mover, quint8 opponent) const
{
    if (m_cells[square] != Empty)
        return false;
    for (int d : otello::Directions) {
        if (flips(square, d, mover, opponent) > 0)
            return true;
    }
    return false;
}

int ReversiBoard::firstLegal(quint8 mover, quint8 opponent) const
{
    for (int i = 0; i < Squares; ++i) {
        if (isLegal(otello::SquareOrder[i], mover, opponent))
            return i;
    }
    return -1;
}

void ReversiBoard::play(int square, quint8 mover, quint8 opponent)
{
    m_cells[square] = mover;
    for (int d : otello::Directions) {
        const int n = flips(square, d, mover, opponent);
        for (int k = 1; k <= n; ++k)
            m_cells[square + k * d] = mover;
    }
}

int ReversiBoard::evaluate(quint8 mover, quint8 opponent) const
{
    bool cornerTaken = false;
    for (const auto &c : otello::Corners)
        cornerTaken = cornerTaken || m_cells[c.corner] != Empty;

    const WeightGrid &grid = cornerTaken ? Corner : Opening;
    int sum = 0;
    bool opponentSeen = false;
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r) {
            const int sq = index(c, r);
            if (m_cells[sq] == mover) {
                sum += grid.w[sq];
            } else if (m_cells[sq] == opponent) {
                sum -= grid.w[sq];
                opponentSeen = true;
            }
        }
    }
    if (!opponentSeen)
        return otello::WinBase;

    if (cornerTaken) {
        // The X and D squares weigh 0 in the grid; add what their corner says.
        auto add = [&](int sq, int weight) {
            if (m_cells[sq] == mover)
                sum += weight;
            else if (m_cells[sq] == opponent)
                sum -= weight;
        };
        for (const auto &c : otello::Corners) {
            const bool taken = m_cells[c.corner] != Empty;
            const int x = taken ? otello::XTaken : otello::XFree;
            add(c.x1, x);
            add(c.x2, x);
            add(c.d, taken ? otello::DTaken : otello::DFree);
        }
    }
    return sum;
}

int ReversiBoard::count(quint8 code) const
{
    int n = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            n += m_cells[index(c, r)] == code ? 1 : 0;
    return n;
}

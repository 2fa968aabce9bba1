#pragma once

#include <QtGlobal>

#include <array>

// One board layer of the Reversi game: a 10 x 10 grid of one-byte cells
// indexed by column and row, 0 to 9. The play squares are columns 1-8 (left
// to right on screen) and rows 1-8 (top to bottom). No disc is ever put on
// the outer ring: it stays empty, so every scan along a direction stops there
// without a bound check.
//
// A square is addressed by its index column * 10 + row; a direction is the
// index offset column step * 10 + row step.
class ReversiBoard
{
public:
    enum Code : quint8
    {
        Empty = 0,
        HumanDisc = 1,    // the human always plays code 1
        ComputerDisc = 2, // and the computer code 2
    };

    static constexpr int Cells = 100;
    static constexpr int Squares = 60; // length of the square order list

    // All squares empty.
    ReversiBoard() { m_cells.fill(Empty); }

    // The starting position: the human's discs on (4,4) and (5,5), the
    // computer's on (5,4) and (4,5).
    static ReversiBoard starting();

    static constexpr int index(int column, int row) { return column * 10 + row; }
    static constexpr int columnOf(int square) { return square / 10; }
    static constexpr int rowOf(int square) { return square % 10; }
    static constexpr bool isPlaySquare(int column, int row)
    {
        return column >= 1 && column <= 8 && row >= 1 && row <= 8;
    }

    quint8 at(int column, int row) const { return m_cells[index(column, row)]; }
    quint8 at(int square) const { return m_cells[square]; }
    void set(int column, int row, quint8 code) { m_cells[index(column, row)] = code; }
    void set(int square, quint8 code) { m_cells[square] = code; }

    // Number of the opponent's discs that a disc of `mover` on `square` would
    // turn along one direction: the run of opponent discs next to the square
    // counts only when a disc of the mover closes it.
    int flips(int square, int direction, quint8 mover, quint8 opponent) const
    {
        int p = square + direction;
        if (m_cells[p] != opponent)
            return 0;
        int n = 0;
        do {
            ++n;
            p += direction;
        } while (m_cells[p] == opponent);
        return m_cells[p] == mover ? n : 0;
    }

    // An empty square on which at least one direction turns a disc.
    bool isLegal(int square, quint8 mover, quint8 opponent) const;

    // Index in the square order list of the first legal square for `mover`,
    // or -1 when the mover has none.
    int firstLegal(quint8 mover, quint8 opponent) const;
    bool hasMove(quint8 mover, quint8 opponent) const { return firstLegal(mover, opponent) >= 0; }

    // Puts a disc of `mover` on `square` and turns every flanked run, in the
    // direction table's order. Counts nothing; the game's own play routine
    // does its bookkeeping itself.
    void play(int square, quint8 mover, quint8 opponent);

    // The position's value for `mover`: the weights of the squares holding
    // its discs minus those holding the opponent's, from the opening table
    // while all four corners are empty and from the corner table afterwards.
    // A position in which the opponent has no disc left is worth 32000,
    // whatever the weights say.
    int evaluate(quint8 mover, quint8 opponent) const;

    int count(quint8 code) const;

    bool operator==(const ReversiBoard &other) const = default;

private:
    std::array<quint8, Cells> m_cells;
};

namespace otello {

// The eight directions, in the order every scan tries them:
// (-1,-1) (0,-1) (+1,-1) (-1,0) (+1,0) (-1,+1) (0,+1) (+1,+1) as
// (column step, row step).
inline constexpr std::array<int, 8> Directions = {-11, -1, 9, -10, 10, -9, 1, 11};

// The 60 squares other than the centre four, in the order in which every
// search for a legal move tries them: corners first, then edges away from the
// corners, the inner ring, and last the squares next to the corners. The order
// decides which of two equally valued moves the computer plays.
inline constexpr std::array<quint8, ReversiBoard::Squares> SquareOrder = {
    11, 18, 81, 88, 13, 31, 16, 61, 38, 83, 68, 86, //
    14, 41, 15, 51, 48, 84, 58, 85, 33, 36, 63, 66, //
    34, 35, 43, 46, 53, 56, 64, 65, 24, 25, 42, 47, //
    52, 57, 74, 75, 23, 26, 32, 37, 62, 67, 73, 76, //
    12, 17, 21, 28, 71, 78, 82, 87, 22, 27, 72, 77,
};

// Opening weights, used while the four corners are empty; one line per
// column 1-8, rows 1-8 within the line.
inline constexpr int OpeningWeights[8][8] = {
    {99, -8, 8, 6, 6, 8, -8, 99},       {-8, -24, -4, -3, -3, -4, -24, -8}, {8, -4, 7, 4, 4, 7, -4, 8},
    {6, -3, 4, 0, 0, 4, -3, 6},         {6, -3, 4, 0, 0, 4, -3, 6},         {8, -4, 7, 4, 4, 7, -4, 8},
    {-8, -24, -4, -3, -3, -4, -24, -8}, {99, -8, 8, 6, 6, 8, -8, 99},
};

// Corner weights, used once a corner holds a disc. The squares next to a
// corner along an edge (X) and diagonally (D) are 0 here: their weight
// follows their own corner, +12 and +8 once it is taken, -8 and -24 while it
// is empty. Column 7, row 6 weighs 1 where its three mirror squares weigh 0;
// the computer has always played with that table, so it stays.
inline constexpr int CornerWeights[8][8] = {
    {99, 0, 8, 6, 6, 8, 0, 99}, {0, 0, 0, 1, 1, 0, 0, 0}, {8, 0, 7, 4, 4, 7, 0, 8}, {6, 1, 4, 1, 1, 4, 1, 6},
    {6, 1, 4, 1, 1, 4, 1, 6},   {8, 0, 7, 4, 4, 7, 0, 8}, {0, 0, 0, 1, 1, 1, 0, 0}, {99, 0, 8, 6, 6, 8, 0, 99},
};

inline constexpr int XTaken = 12, DTaken = 8, XFree = -8, DFree = -24;

// Each corner with its two edge neighbours (X) and its diagonal neighbour (D).
struct CornerSquares
{
    int corner, x1, x2, d;
};
inline constexpr std::array<CornerSquares, 4> Corners = {{
    {11, 21, 12, 22},
    {81, 71, 82, 72},
    {18, 28, 17, 27},
    {88, 78, 87, 77},
}};

// The value of a finished game is the disc margin pushed beyond any
// evaluation: margin + 32000 when positive, margin - 32000 when negative.
inline constexpr int WinBase = 32000;

} // namespace otello

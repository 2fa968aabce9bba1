#pragma once

#include "reversi/ReversiBoard.h"

#include <QString>
#include <QStringList>

// Positions written as lines of eight characters, row 1 first, column 1 at
// the left: '.' empty, 'H' the human's disc, 'C' the computer's. Rows left
// out, and squares past the end of a short row, are empty.
namespace BoardText {

inline ReversiBoard parse(const QStringList &rows)
{
    ReversiBoard b;
    for (int r = 1; r <= rows.size(); ++r)
        for (int c = 1; c <= 8; ++c) {
            const QString &row = rows.at(r - 1);
            const QChar ch = c <= row.size() ? row.at(c - 1) : QChar(u'.');
            b.set(c, r,
                  ch == u'H'   ? ReversiBoard::HumanDisc
                  : ch == u'C' ? ReversiBoard::ComputerDisc
                               : ReversiBoard::Empty);
        }
    return b;
}

// A full board but for (1,1), where the human's move turns exactly the
// computer's disc on (2,1) and ends the game. Before the move the human has
// `humanDiscs` discs (at least 3); after it the margin is 2 * humanDiscs - 60.
inline ReversiBoard lastMoveBoard(int humanDiscs)
{
    ReversiBoard b = parse({".CH.....", "HH......"});
    int humans = 3;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (b.at(c, r) == ReversiBoard::Empty && (c > 1 || r > 1))
                b.set(c, r, humans < humanDiscs && ++humans ? ReversiBoard::HumanDisc : ReversiBoard::ComputerDisc);
    return b;
}

} // namespace BoardText

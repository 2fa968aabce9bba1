#pragma once

#include "reversi/ReversiBoard.h"

#include <QString>
#include <QStringList>

// Positions written as eight lines of eight characters, row 1 first, column 1
// at the left of each line: '.' empty, 'H' the human's disc, 'C' the
// computer's.
namespace BoardText {

inline ReversiBoard parse(const QStringList &rows)
{
    ReversiBoard b;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const QChar ch = rows.at(r - 1).at(c - 1);
            b.set(c, r, ch == u'H' ? ReversiBoard::HumanDisc : ch == u'C' ? ReversiBoard::ComputerDisc : ReversiBoard::Empty);
        }
    }
    return b;
}

inline QString format(const ReversiBoard &b)
{
    QString s;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const quint8 code = b.at(c, r);
            s += code == ReversiBoard::HumanDisc ? u'H' : code == ReversiBoard::ComputerDisc ? u'C' : u'.';
        }
        s += u'\n';
    }
    return s;
}

// A full board but for (1,1), where the human's move turns exactly the
// computer's disc on (2,1) and ends the game. Before the move the human has
// `humanDiscs` discs (at least 3), the computer the other 63 - humanDiscs;
// after it the margin is 2 * humanDiscs - 60.
inline ReversiBoard lastMoveBoard(int humanDiscs)
{
    constexpr quint8 H = ReversiBoard::HumanDisc, C = ReversiBoard::ComputerDisc;
    ReversiBoard b;
    b.set(2, 1, C);
    b.set(3, 1, H);
    b.set(1, 2, H);
    b.set(2, 2, H);
    int humans = 3;
    for (int c = 1; c <= 8; ++c) {
        for (int r = 1; r <= 8; ++r) {
            if (b.at(c, r) != ReversiBoard::Empty || (c == 1 && r == 1))
                continue;
            const bool human = humans < humanDiscs;
            b.set(c, r, human ? H : C);
            humans += human ? 1 : 0;
        }
    }
    return b;
}

} // namespace BoardText

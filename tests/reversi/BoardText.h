#pragma once

#include "reversi/OtelloBoard.h"

#include <QString>
#include <QStringList>

// Positions written as eight lines of eight characters, row 1 first, column 1
// at the left of each line: '.' empty, 'H' the human's disc, 'C' the
// computer's.
namespace BoardText {

inline OtelloBoard parse(const QStringList &rows)
{
    OtelloBoard b;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const QChar ch = rows.at(r - 1).at(c - 1);
            b.set(c, r, ch == u'H' ? OtelloBoard::HumanDisc : ch == u'C' ? OtelloBoard::ComputerDisc : OtelloBoard::Empty);
        }
    }
    return b;
}

inline QString format(const OtelloBoard &b)
{
    QString s;
    for (int r = 1; r <= 8; ++r) {
        for (int c = 1; c <= 8; ++c) {
            const quint8 code = b.at(c, r);
            s += code == OtelloBoard::HumanDisc ? u'H' : code == OtelloBoard::ComputerDisc ? u'C' : u'.';
        }
        s += u'\n';
    }
    return s;
}

} // namespace BoardText

#pragma once

#include "collections/RecordSchema.h"

#include <QStringList>

// The book record of the book library (".olv"): 10 fixed lines, then the
// description and comments memos tagged "Memo5" and "Memo6".
//
//   1 code   2 date   3 mark   4 title   5 author   6 publisher   7 country
//   8 category   9 year   10 condition
//
// The two spin fields (mark, year) are not reset when a book is read, and an
// empty year line keeps the year shown before.
namespace BookRecord {

const RecordSchema &schema();

// The fixed items of the condition box; any other typed text is stored as
// typed.
QStringList conditions();

} // namespace BookRecord

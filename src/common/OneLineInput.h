#pragma once

#include <functional>

class QLineEdit;
class QPlainTextEdit;

// What the user types or pastes into a text kept on one line of a file (a
// record field, a memo line, an appointment's message): tabs and line breaks
// become blanks as they come in, so that they can neither cut the line nor
// shift a field. Text the program puts there itself (read from the file) is
// left as it is, tabs included: only the part an edit inserts is looked at.
namespace OneLineInput {

// A one-line field.
void keep(QLineEdit *edit);
// A memo, one stored line per line of text: a line break starts a new line as
// usual, a tab becomes a blank. `byUser` tells the user's changes from the
// program's (a record being shown).
void keep(QPlainTextEdit *memo, std::function<bool()> byUser);

} // namespace OneLineInput

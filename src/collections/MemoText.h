#pragma once

#include <QStringList>

class QPlainTextEdit;

// The lines of a memo box, as stored in a record: one line per line of the
// text, none for an empty memo. The text is read from the document's blocks
// rather than through toPlainText(), which turns no-break spaces into
// blanks; a line break typed with Shift+Enter also starts a new line.
//
// A memo the user left as it was shown gives back the lines it was shown
// with, so a record rewritten after an edit elsewhere keeps its memo byte for
// byte (an empty last line, a memo of one empty line).
namespace MemoText {

void show(QPlainTextEdit *edit, const QStringList &lines);
QStringList lines(const QPlainTextEdit *edit);

} // namespace MemoText

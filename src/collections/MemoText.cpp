#include "collections/MemoText.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {
const char *const kShownLines = "memoShownLines";
}

namespace MemoText {

void show(QPlainTextEdit *edit, const QStringList &lines)
{
    edit->setProperty(kShownLines, lines);
    edit->setPlainText(lines.join(u'\n'));
}

QStringList lines(const QPlainTextEdit *edit)
{
    QStringList out;
    for (QTextBlock b = edit->document()->begin(); b.isValid(); b = b.next())
        out += b.text().split(QChar::LineSeparator);
    if (out.size() == 1 && out.first().isEmpty())
        out.clear();
    const QStringList shown = edit->property(kShownLines).toStringList();
    if (shown.join(u'\n') == out.join(u'\n'))
        return shown;
    return out;
}

} // namespace MemoText

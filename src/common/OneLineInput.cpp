#include "common/OneLineInput.h"

#include "common/TextFile.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

namespace OneLineInput {

void keep(QLineEdit *edit)
{
    // The text an edit starts from: textEdited comes before textChanged, so
    // it still holds the text shown before the user's edit.
    auto before = std::make_shared<QString>(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, before] { *before = edit->text(); });
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, before](const QString &after) {
        qsizetype end = 0;
        const QString fixed = TextFile::oneLineEdit(*before, after, &end);
        if (fixed == after)
            return;
        edit->setText(fixed);
        edit->setCursorPosition(int(end));
    });
}

void keep(QPlainTextEdit *memo, std::function<bool()> byUser)
{
    QTextDocument *document = memo->document();
    QObject::connect(document, &QTextDocument::contentsChange, memo,
                     [document, byUser = std::move(byUser)](int position, int, int added) {
                         if (added <= 0 || !byUser())
                             return;
                         const int last = std::min(position + added, document->characterCount() - 1);
                         for (int at = position; at < last; ++at) {
                             if (document->characterAt(at) != u'\t')
                                 continue;
                             QTextCursor cursor(document);
                             cursor.setPosition(at);
                             cursor.setPosition(at + 1, QTextCursor::KeepAnchor);
                             cursor.insertText(QStringLiteral(" "));
                         }
                     });
}

} // namespace OneLineInput

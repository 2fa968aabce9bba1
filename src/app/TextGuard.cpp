#include "app/TextGuard.h"

#include "common/Cp1252Fit.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {

const char kAttached[] = "tivarelTextGuard";

} // namespace

TextGuard::TextGuard(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

TextGuard::~TextGuard()
{
    qApp->removeEventFilter(this);
}

bool TextGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish && watched->isWidgetType())
        attach(static_cast<QWidget *>(watched));
    return QObject::eventFilter(watched, event);
}

void TextGuard::attach(QWidget *field)
{
    if (field->property(kAttached).toBool() || qobject_cast<QFileDialog *>(field->window()))
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        connect(edit, &QLineEdit::textEdited, this, [this, edit] { lineEdited(edit); });
    } else {
        QTextDocument *document = nullptr;
        if (auto *plain = qobject_cast<QPlainTextEdit *>(field))
            document = plain->document();
        else if (auto *rich = qobject_cast<QTextEdit *>(field))
            document = rich->document();
        if (!document)
            return;
        // Only what the user can type is guarded: a read-only view shows the
        // program's own text as it is.
        connect(document, &QTextDocument::contentsChange, this, [this, document, field](int position, int, int added) {
            if (!field->property("readOnly").toBool())
                documentChanged(document, position, added);
        });
    }
    field->setProperty(kAttached, true);
}

void TextGuard::lineEdited(QLineEdit *edit)
{
    const QString text = edit->text();
    const Cp1252::Fitted fitted = Cp1252::fit(text);
    if (!fitted.changed())
        return;
    // The cursor stays after the same typed text, however long its
    // replacement.
    const int cursor = int(Cp1252::fit(QStringView(text).left(edit->cursorPosition())).text.size());
    edit->setText(fitted.text);
    edit->setCursorPosition(cursor);
    emit noted(fitted.note());
}

void TextGuard::documentChanged(QTextDocument *document, int position, int added)
{
    if (m_fixing || added <= 0)
        return;
    QTextCursor cursor(document);
    cursor.setPosition(position);
    cursor.setPosition(std::min(position + added, document->characterCount() - 1), QTextCursor::KeepAnchor);
    // Line breaks show as paragraph separators in the selection; they stay.
    const QString inserted = cursor.selectedText();
    const Cp1252::Fitted fitted = Cp1252::fit(inserted, u"\u2029\u2028");
    if (!fitted.changed())
        return;
    m_fixing = true;
    cursor.insertText(fitted.text);
    m_fixing = false;
    emit noted(fitted.note());
}

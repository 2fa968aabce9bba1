#include "agenda/WeekClipboard.h"

#include "agenda/DayList.h"
#include "common/TextFile.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

namespace WeekClipboard {

int take(const DayLists &days, QLineEdit *buffer, bool remove)
{
    buffer->clear();
    int removed = 0;
    for (DayList *day : days) {
        if (!day->hasSelection())
            continue;
        buffer->setText(day->selectedText());
        if (remove && day->removeSelected())
            ++removed;
    }
    if (!buffer->text().isEmpty())
        QGuiApplication::clipboard()->setText(buffer->text());
    return removed;
}

int paste(const DayLists &days, QLineEdit *buffer)
{
    const QString text = QGuiApplication::clipboard()->text();
    if (!text.isEmpty())
        buffer->setText(TextFile::oneLine(firstLine(text)));
    // An empty item would be stored as a line holding only a date key.
    if (buffer->text().isEmpty())
        return 0;
    int added = 0;
    for (DayList *day : days) {
        if (day->hasSelection()) {
            day->insertSorted(buffer->text());
            ++added;
        }
    }
    return added;
}

QString firstLine(const QString &text)
{
    qsizetype end = 0;
    while (end < text.size() && text.at(end) != u'\r' && text.at(end) != u'\n')
        ++end;
    return text.left(end);
}

} // namespace WeekClipboard

#pragma once

#include <QString>
#include <QStringList>

#include <array>

class MmCanvas;
class WeekPage;

// Printing of the week shown (ImpSemaine): one portrait page with a framed
// box per day, each headed by the day's name and date, and the first items
// of each day list (seven on weekdays, three on Saturday and Sunday).
namespace WeekPrint {

// What the week page shows, Monday to Sunday.
struct Sheet
{
    std::array<QString, 7> names;
    std::array<QString, 7> dates;
    std::array<QStringList, 7> items;
};

// The day names, date labels and day lists of the page, on-screen edits
// included.
Sheet sheetOf(const WeekPage &page);
void ImpSemaine(MmCanvas &canvas, const Sheet &sheet);

} // namespace WeekPrint

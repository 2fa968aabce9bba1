#include "agenda/WeekPrint.h"

#include "agenda/DayList.h"
#include "agenda/WeekPage.h"
#include "common/MmCanvas.h"

#include <QLabel>

namespace WeekPrint {

namespace {

// One day on the page, in millimetres: the name and the date on the line
// above the box, the box, and where its items start.
struct DayBox
{
    int day;    // 0 = Monday
    int x, y;   // top-left corner of the box
    int bottom; // bottom of the box
    int labelY; // line of the name and date
    int itemsY; // first item line
    int maxItems;
};

// In the order the page is printed: the left column Monday to Wednesday
// beside the right column Thursday to Saturday, Sunday under Saturday. The
// two short boxes of the week-end hold three lines each, so that no item
// runs into the Sunday name or over the Sunday box.
constexpr DayBox kBoxes[] = {
    {0, 10, 10, 50, 5, 15, 7},       {3, 110, 10, 50, 5, 15, 7},     {1, 10, 60, 100, 55, 65, 7},
    {4, 110, 60, 100, 55, 65, 7},    {2, 10, 110, 150, 105, 115, 7}, {5, 110, 110, 125, 105, 115, 3},
    {6, 110, 135, 150, 130, 140, 3},
};
constexpr int kBoxWidth = 90;
constexpr int kNameWidth = 40;

} // namespace

Sheet sheetOf(const WeekPage &page)
{
    Sheet s;
    for (int i = 0; i < 7; ++i) {
        const QString dateName = i < 6 ? QStringLiteral("Label%1").arg(10 + i) : QStringLiteral("Label1");
        if (const auto *name = page.findChild<QLabel *>(QStringLiteral("Label%1").arg(3 + i)))
            s.names[i] = name->text();
        if (const auto *date = page.findChild<QLabel *>(dateName))
            s.dates[i] = date->text();
        s.items[i] = page.dayList(i + 1)->items();
    }
    return s;
}

void ImpSemaine(MmCanvas &canvas, const Sheet &sheet)
{
    canvas.setFont(QStringLiteral("Arial"), 10);
    for (const DayBox &b : kBoxes) {
        canvas.textIn(b.x, b.labelY, kNameWidth, sheet.names[b.day]);
        canvas.textIn(b.x + kNameWidth, b.labelY, kBoxWidth - kNameWidth, sheet.dates[b.day]);
    }
    for (const DayBox &b : kBoxes)
        canvas.rectangle(b.x, b.y, b.x + kBoxWidth, b.bottom);
    // Items in day order.
    for (int day = 0; day < 7; ++day) {
        const DayBox &b =
            *std::find_if(std::begin(kBoxes), std::end(kBoxes), [day](const DayBox &d) { return d.day == day; });
        const QStringList &items = sheet.items[day];
        for (int i = 0; i < std::min<int>(b.maxItems, int(items.size())); ++i)
            canvas.textIn(b.x + 2, b.itemsY + 5 * i, kBoxWidth - 3, items[i]);
    }
}

} // namespace WeekPrint

#include "contacts/ContactsPrint.h"

#include "common/MmCanvas.h"
#include "contacts/AddressPage.h"
#include "contacts/AddressViews.h"
#include "contacts/BirthdayPage.h"
#include "contacts/TodoPage.h"

#include <algorithm>

namespace ContactsPrint {

namespace {

const QString kArial = QStringLiteral("Arial");

// A column of lines 5 mm apart from (x, y), cut to `width`, stopping at the
// page's end (a list longer than the page gets no second page).
void column(MmCanvas &canvas, int x, int y, int width, const QStringList &lines, int maxLines = -1)
{
    for (int i = 0; i < lines.size() && i != maxLines; ++i) {
        const int at = y + 5 * i;
        if (!canvas.lineFits(at))
            return;
        canvas.textIn(x, at, width, lines[i]);
    }
}

} // namespace

void ImpNoms(MmCanvas &canvas, const QList<QStringList> &summary, const QStringList &contactLines)
{
    canvas.setFont(kArial, 10);
    QStringList names;
    QStringList phones;
    for (const QStringList &row : summary) {
        names << row.value(0);
        phones << row.value(1);
    }
    column(canvas, 0, 0, 58, names);
    column(canvas, 60, 0, 38, phones);
    // Each contact's last line, the separator, is as wide as the screen's
    // list: on paper it is as many dashes as the printed column holds.
    const int width = canvas.pageWidthMm() - 105;
    const int room = canvas.Mh(width) - canvas.Mh(0);
    qsizetype dashes = room / std::max(1, canvas.textWidth(QStringLiteral("-")));
    while (dashes > 1 && canvas.textWidth(QString(dashes, u'-')) > room)
        --dashes;
    QStringList lines = contactLines;
    for (qsizetype i = AddressBlockModel::LinesPerContact - 1; i < lines.size();
         i += AddressBlockModel::LinesPerContact)
        lines[i] = QString(dashes, u'-');
    column(canvas, 100, 0, width, lines);
}

void ImpNoms(MmCanvas &canvas, const AddressPage &page)
{
    ImpNoms(canvas, page.summary(), page.blockLines());
}

HalfYear halfYearOf(const BirthdayPage &page)
{
    HalfYear h;
    for (int k = 0; k < 6; ++k) {
        h.labels[k] = page.monthLabel(k);
        h.entries[k] = page.entries(k);
    }
    return h;
}

void ImpAnniv(MmCanvas &canvas, const HalfYear &half)
{
    canvas.setFont(kArial, 10);
    // Three months on the left, three on the right, 50 mm apart.
    auto x = [](int k) { return k < 3 ? 10 : 110; };
    auto y = [](int k) { return 5 + 50 * (k % 3); };
    for (int k = 0; k < 6; ++k)
        canvas.textIn(x(k), y(k), 90, half.labels[k]);
    for (int k = 0; k < 6; ++k)
        canvas.rectangle(x(k), y(k) + 5, x(k) + 90, y(k) + 45);
    for (int k = 0; k < 6; ++k)
        column(canvas, x(k) + 2, y(k) + 10, 87, half.entries[k], 7);
}

void ImpFaire(MmCanvas &canvas, const QStringList &todo, const QStringList &done)
{
    canvas.setFont(kArial, 10);
    canvas.textIn(0, 0, 98, QStringLiteral("A faire"));
    canvas.line(0, 5, 80, 5);
    column(canvas, 0, 10, 98, todo);
    canvas.textIn(100, 0, canvas.pageWidthMm() - 105, QStringLiteral("Fait"));
    canvas.line(100, 5, 180, 5);
    column(canvas, 100, 10, canvas.pageWidthMm() - 105, done);
}

void ImpFaire(MmCanvas &canvas, const TodoPage &page)
{
    ImpFaire(canvas, page.list().todo(), page.list().done());
}

} // namespace ContactsPrint

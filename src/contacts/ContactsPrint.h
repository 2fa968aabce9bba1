#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class AddressPage;
class BirthdayPage;
class MmCanvas;
class TodoPage;

// Printing of the address book's letter page (ImpNoms), the half-year of
// birthdays (ImpAnniv) and the to-do lists (ImpFaire): one page each, what
// the page shows, nothing past the page's end.
namespace ContactsPrint {

// ImpNoms: the summary rows (name line, telephone) on the left, the
// contact lines (seven fields and a separator per contact) on the right; the
// separators are drawn as dashes across the printed column.
void ImpNoms(MmCanvas &canvas, const QList<QStringList> &summary, const QStringList &contactLines);
void ImpNoms(MmCanvas &canvas, const AddressPage &page);

// ImpAnniv: six framed months, each with its first seven entries.
struct HalfYear
{
    std::array<QString, 6> labels;
    std::array<QStringList, 6> entries;
};
HalfYear halfYearOf(const BirthdayPage &page);
void ImpAnniv(MmCanvas &canvas, const HalfYear &half);

// ImpFaire: "A faire" on the left, "Fait" on the right.
void ImpFaire(MmCanvas &canvas, const QStringList &todo, const QStringList &done);
void ImpFaire(MmCanvas &canvas, const TodoPage &page);

} // namespace ContactsPrint

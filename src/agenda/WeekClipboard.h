#pragma once

#include <QString>

#include <array>

class DayList;
class QLineEdit;

// Cut, copy and paste of appointments on the week page, through the system
// clipboard (text) and the page's hidden one-line buffer Edit1.
//
// They work on day list items ("hh:mm message"); every day list that has a
// selected item takes part, Monday to Sunday, so when several days have one,
// cut and copy leave the latest day's item in the buffer and on the
// clipboard, and paste adds the buffer to each of them. A pasted item keeps
// its text and is stored under its new day's date when the week is written
// back. The callers set the week edited flag when an item was removed or
// added.
namespace WeekClipboard {

using DayLists = std::array<DayList *, 7>;

// Couper (remove = true) and Copier: returns the number of items removed.
// The clipboard is left alone when no day list has a selected item.
int take(const DayLists &days, QLineEdit *buffer, bool remove);

// Coller: the clipboard's text up to its first line end, its tabs made
// blanks, replaces the buffer (a clipboard without text leaves the buffer as
// it was); the buffer is then
// added to every day list with a selected item. An empty buffer adds
// nothing. Returns the number of items added.
int paste(const DayLists &days, QLineEdit *buffer);

// The first line of a text: up to its first CR or LF.
QString firstLine(const QString &text);

} // namespace WeekClipboard

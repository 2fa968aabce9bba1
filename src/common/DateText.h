#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

// Date forms shared by every section.
//  - storage key "yyyymmdd": 8 digits that compare as text in date order;
//  - date text "dd/mm/yyyy": always with "/", whatever the system settings.
namespace DateText {

QString key(QDate d);
// Reads a key back (the first 8 characters of a line, say); nothing when
// they are not a valid date.
std::optional<QDate> fromKey(QStringView key);

// "yyyymmdd" -> "dd/mm/yyyy", character for character.
QString keyToText(QStringView key);

QString text(QDate d);
// Reads "dd/mm/yyyy" by day, month and year. One- or two-digit day and
// month, two- or four-digit year are accepted, as a user would type them
// (a two-digit year falls in 1950..2049).
std::optional<QDate> fromText(QStringView text);

// The French month names used by the birthday and budget pages, capitalised.
QString frenchMonth(int month); // 1..12
// The locale used for month names, time and date formats and the decimal
// separator: the system's when its language is French, French (France)
// otherwise, so the interface never mixes languages.
QLocale appLocale();

// "d mmmm yyyy" with the month in the application's language: "5 janvier 2026".
QString dayLabel(QDate d);

} // namespace DateText

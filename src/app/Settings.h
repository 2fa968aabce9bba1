#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// "Tivarel.ini": exactly four lines.
//   1. a reserved real, written 23 characters wide in scientific notation
//      (" 0.00000000000000E+0000" for zero);
//   2. the remembered document (full path, may be empty);
//   3. automatic opening, 1 = on, anything else = off;
//   4. a reserved integer.
class Settings
{
public:
    double reservedReal = 0.0;
    QString rememberedDocument;
    int autoOpen = 0;
    int reservedInteger = 0;

    bool autoOpenOn() const { return autoOpen == 1; }

    // Nothing when the lines are not four readable lines (a number, a text,
    // two integers); the caller keeps the defaults then.
    static std::optional<Settings> fromLines(const QStringList &lines);
    QStringList toLines() const;

    // The 23-character real of line 1.
    static QString formatReal(double value);

    // The user's data folder (~/.local/share/Tivarel), made when missing:
    // the program's start directory, where Tivarel.ini, Tivarel.cbx and
    // Tivarel.nte live whatever folder the program was started from. The
    // current folder when the data folder cannot be made.
    static QString dataDirectory();

    // The settings of a first start (no "Tivarel.ini" yet): automatic
    // opening on, so the first restart shows the document of the first run.
    static Settings firstStart();

    // The document line 2 gets at exit: the window's document, unless the
    // window holds none or holds one another running Tivarel has open
    // (read-only here); line 2 then stays as it was read.
    static QString documentOnExit(const QString &asRead, const QString &windowDocument, bool heldElsewhere);
};

// The recent documents of "&Fichier" / "Documents &récents": one path a
// line, most recent first, kept in a file of their own beside the settings.
namespace RecentDocuments {

constexpr int kMax = 8;
inline constexpr const char *kFileName = "Tivarel.rec";
// `path` moved or put first; empty paths and repeats dropped, eight kept.
QStringList add(const QStringList &recent, const QString &path);

} // namespace RecentDocuments

// "Tivarel.cbx": one list item per line, a 6-character tag naming the list
// followed directly by the item's text. Lines with an unknown tag and lines
// shorter than 6 characters are skipped.

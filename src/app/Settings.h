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
};

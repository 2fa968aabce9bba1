#pragma once

#include <QString>
#include <QStringList>

// The first-names file "Tivarel.pre", read only: Windows-1252 lines holding
// one record per first name:
//
//   <Name<TAB>heading            head line ("<", name, tab, heading)
//   text lines...                joined into one paragraph
//   >                            closing line (blanks around it ignored)
//
// Lines outside records are skipped, since every move looks for the next or
// previous line that begins with "<". The browser starts on line 0.
class FirstNamesBook
{
public:
    explicit FirstNamesBook(QStringList lines = {}) : m_lines(std::move(lines)) {}

    int current() const { return m_current; }
    bool isEmpty() const { return m_lines.isEmpty(); }

    // The shown form of the current record: the name, the heading and the
    // paragraph (beginning with a blank) on three lines separated by CR LF.
    // Empty when there is no line to read.
    QString text() const;
    // The letter tab (0 for "A" .. 25 for "Z") of the current record's name;
    // an accented initial counts as its base letter ("Élodie" is under E).
    // -1 when the name does not start with a letter.
    int tab() const;

    // The moves leave the current record where it is when there is no
    // record in that direction or no name under that letter.
    bool next();
    bool previous();
    bool jumpToLetter(int tab);

    // The base letter of a character: 'E' for 'É', 'e' for 'é'.
    static QChar baseLetter(QChar c);

private:
    QStringList m_lines;
    int m_current = 0;
};

namespace FirstNamesFile {

// Where "Tivarel.pre" is looked for, in order: the start directory, the
// installed data folder (beside the program's bin folder, then the one set
// at build time), and the source tree's data folder for a program run from
// its build folder. The first that exists wins; the start directory's path
// when none does.
QStringList candidates(const QString &startDirectory);
QString locate(const QString &startDirectory);

// The records of the file; empty when it is missing or unreadable.
FirstNamesBook load(const QString &path);

} // namespace FirstNamesFile

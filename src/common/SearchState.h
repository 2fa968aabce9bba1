#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

// The search of "Rechercher..." and "Continuer" (F3), shared by the pages
// that offer it. The document window holds one SearchState for all of them,
// so "Continuer" after a change of page resumes at the same line number in
// the new page's store.
//
// Matching works on the store lines, not on what a page shows: a line
// matches when it contains the search text, both folded to upper case for
// the letters a-z only (accented letters compare unchanged, so "réunion"
// does not find "RÉUNION"). An empty search text matches nothing.
class SearchState
{
public:
    const QString &text() const { return m_text; }
    qsizetype position() const { return m_position; }

    // "Rechercher...": the answer of the input box becomes the search text
    // (a cancelled box gives an empty one). Returns whether a search starts;
    // it then starts at line 0. An empty text leaves the position alone.
    bool start(const QString &answer);

    // One step of "Continuer": the lines from the position on are scanned
    // (nothing is found for an empty text) for the first match that `show`
    // accepts (it shows it and returns true, or returns false, changing
    // nothing, for a line that cannot be shown; the scan then goes on). The
    // position moves past the line shown, which is returned; -1 when no line
    // was shown, and nothing changes. A position past the end of a shorter
    // store finds nothing.
    qsizetype next(const QStringList &lines, const std::function<bool(qsizetype)> &show);

    // Upper case for a-z only.
    static QString foldAtoZ(QStringView text);
    // Whether `line`, folded, contains `folded` (already folded, not empty).
    static bool containsFolded(QStringView line, QStringView folded);
    // First line at or after `from` that contains `text` (folded here); -1
    // when none or when `text` is empty.
    static qsizetype find(const QStringList &lines, QStringView text, qsizetype from);

private:
    QString m_text;
    qsizetype m_position = 0;
};

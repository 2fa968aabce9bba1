#pragma once

#include <QString>
#include <QStringView>

// Typed or pasted text made fit for Windows-1252 files: every character the
// character set holds stays; one it does not hold becomes its closest
// Windows-1252 form when there is an obvious one (compatibility forms: "ﬁ" ->
// "fi", "𝐀" -> "A"; letters with marks the set lacks: "ŵ" -> "w"; a few
// typographic signs: "Ł" -> "L", "→" -> "->", "−" -> "-"), and is refused
// (left out) otherwise, like an emoji.
namespace Cp1252 {

struct Fitted
{
    QString text;
    QString turned;  // what was turned, e.g. "Ł → L, ﬁ → fi"
    QString refused; // the characters left out, one after another
    bool changed() const { return !turned.isEmpty() || !refused.isEmpty(); }
    // A French note for the status bar; empty when nothing changed.
    QString note() const;
};

// `alsoKeep` lists characters kept although Windows-1252 lacks them (the
// paragraph separator of a multi-line text field). With `squeeze`, a blank
// that a refused character leaves doubled, or at either end of the text,
// goes with it ("Fête 🎉 chez Zoé" -> "Fête chez Zoé").
Fitted fit(QStringView text, QStringView alsoKeep = {}, bool squeeze = false);

// Whether the whole text can be written without loss.
bool holds(QStringView text);

} // namespace Cp1252

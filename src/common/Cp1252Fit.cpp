#include "common/Cp1252Fit.h"

#include "common/Cp1252.h"

#include <QStringList>

namespace {

// Signs that neither decomposition nor the character set helps with, and
// whose everyday Windows-1252 spelling is plain.
struct Mapping
{
    char32_t from;
    const char16_t *to;
};
constexpr Mapping kMappings[] = {
    {0x0141, u"L"},      {0x0142, u"l"},                                                     // Ł ł (Polish)
    {0x0110, u"D"},      {0x0111, u"d"},                                                     // Đ đ
    {0x0126, u"H"},      {0x0127, u"h"},                                                     // Ħ ħ
    {0x0131, u"i"},                                                                          // dotless ı
    {0x2010, u"-"},      {0x2011, u"-"},  {0x2012, u"-"},   {0x2015, u"-"},  {0x2212, u"-"}, // hyphens, minus
    {0x2032, u"'"},      {0x2033, u"\""},                                                    // primes
    {0x202F, u"\u00A0"},                                    // narrow no-break space (French punctuation)
    {0x2192, u"->"},     {0x2190, u"<-"}, {0x2194, u"<->"}, // arrows
    {0x21D2, u"=>"},     {0x21D0, u"<="}, {0x21D4, u"<=>"}, {0x2264, u"<="}, {0x2265, u">="}, {0x2260, u"<>"},
};

bool allHeld(const QString &s)
{
    for (QChar c : s)
        if (Cp1252::byteOf(c) < 0)
            return false;
    return true;
}

// The closest Windows-1252 form of one character, or nothing.
QString closest(char32_t c)
{
    for (const Mapping &m : kMappings)
        if (m.from == c)
            return QString::fromUtf16(m.to);
    const QString one = QString::fromUcs4(&c, 1);
    // The compatibility form recomposed keeps the letters the set holds with
    // their marks ("ǅ" -> "Dž"); otherwise the marks go ("ŵ" -> "w").
    const QString kc = one.normalized(QString::NormalizationForm_KC);
    if (kc != one && !kc.isEmpty() && allHeld(kc))
        return kc;
    QString bare;
    for (QChar d : one.normalized(QString::NormalizationForm_KD)) {
        if (d.category() != QChar::Mark_NonSpacing && d.category() != QChar::Mark_SpacingCombining
            && d.category() != QChar::Mark_Enclosing)
            bare += d;
    }
    if (bare != one && !bare.trimmed().isEmpty() && allHeld(bare))
        return bare;
    return {};
}

} // namespace

namespace Cp1252 {

Fitted fit(QStringView text, QStringView alsoKeep, bool squeeze)
{
    Fitted out;
    out.text.reserve(text.size());
    // A blank next to a refused character, at the start of the text or
    // after another blank: the next blank goes.
    bool dropBlank = false;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype from = i;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        ++i;
        const QStringView original = text.mid(from, i - from);
        if (original.size() == 1 && (byteOf(original[0]) >= 0 || alsoKeep.contains(original[0]))) {
            if (!(dropBlank && original[0] == u' '))
                out.text += original;
            dropBlank = false;
            continue;
        }
        const QString replacement = closest(c);
        if (replacement.isEmpty()) {
            out.refused += original;
            dropBlank = squeeze && (out.text.isEmpty() || out.text.back() == u' ');
            continue;
        }
        dropBlank = false;
        out.text += replacement;
        if (!out.turned.isEmpty())
            out.turned += QStringLiteral(", ");
        out.turned += original.toString() + QStringLiteral(" → ") + replacement;
    }
    if (dropBlank && out.text.endsWith(u' '))
        out.text.chop(1);
    return out;
}

bool holds(QStringView text)
{
    for (QChar c : text)
        if (byteOf(c) < 0)
            return false;
    return true;
}

QString Fitted::note() const
{
    QStringList parts;
    if (!turned.isEmpty())
        parts << QStringLiteral("caractères remplacés : %1").arg(turned);
    if (!refused.isEmpty())
        parts << QStringLiteral("caractères refusés (impossibles à enregistrer) : %1").arg(refused);
    if (parts.isEmpty())
        return {};
    QString s = QStringLiteral("Saisie : ") + parts.join(QStringLiteral(" ; "));
    return s;
}

} // namespace Cp1252

#include "agenda/AgendaOrder.h"

#include "common/DateText.h"

#include <QCollator>

namespace {

inline char16_t folded(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80)
        return (u >= u'A' && u <= u'Z') ? char16_t(u + 32) : u;
    return QChar(u).toCaseFolded().unicode();
}

const QCollator &messageCollator()
{
    static const QCollator collator = [] {
        QCollator c(DateText::appLocale());
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        c.setIgnorePunctuation(false);
        return c;
    }();
    return collator;
}

} // namespace

namespace AgendaOrder {

int compareFolded(QStringView a, QStringView b, qsizetype length)
{
    const qsizetype la = qMin(a.size(), length);
    const qsizetype lb = qMin(b.size(), length);
    const qsizetype n = qMin(la, lb);
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t ca = folded(a[i]);
        const char16_t cb = folded(b[i]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return la == lb ? 0 : (la < lb ? -1 : 1);
}

int compare(QStringView a, QStringView b, qsizetype fixedPart)
{
    if (const int c = compareFolded(a, b, fixedPart))
        return c;
    // Equal fixed parts: same date and time. Equal fixed parts also have
    // equal lengths up to fixedPart, so the rests start at the same place.
    const QStringView ra = a.size() > fixedPart ? a.sliced(fixedPart) : QStringView();
    const QStringView rb = b.size() > fixedPart ? b.sliced(fixedPart) : QStringView();
    if (ra == rb)
        return 0;
    const int c = messageCollator().compare(ra, rb);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace AgendaOrder

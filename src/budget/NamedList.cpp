#include "budget/NamedList.h"

#include "budget/BudgetFormat.h"
#include "common/TextFile.h"

#include <algorithm>

namespace {

// Lower case without accents, for ordering: "Épicerie" sorts with "epicerie".
QString folded(const QString &s)
{
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        QChar base = c;
        if (c.decompositionTag() == QChar::Canonical) {
            const QString d = c.decomposition();
            if (!d.isEmpty())
                base = d[0];
        }
        out += base.toLower();
    }
    return out;
}

} // namespace

NamedList::NamedList(const QStringList &entries)
{
    for (const QString &e : entries)
        insertSorted(e);
}

int NamedList::insertSorted(const QString &text)
{
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), text, &NamedList::lessThan);
    const int index = int(at - m_entries.begin());
    m_entries.insert(index, text);
    return index;
}

int NamedList::add(const QString &typed, bool smallFirst)
{
    QString text = TextFile::oneLine(typed).trimmed();
    if (text.isEmpty())
        return -1;
    if (smallFirst)
        text = withSmallFirst(text);
    return insertSorted(text);
}

int NamedList::replace(int index, const QString &typed)
{
    const QString text = TextFile::oneLine(typed).trimmed();
    if (index < 0 || index >= size() || text.isEmpty())
        return -1;
    m_entries.removeAt(index);
    return insertSorted(text);
}

NamedList::Deletion NamedList::deletion(int index) const
{
    if (index < 0 || index >= size())
        return Deletion::NoSuchEntry;
    const QString &e = m_entries.at(index);
    if (e == protectedEntry())
        return Deletion::Protected;
    if (isUsed(e))
        return Deletion::Used;
    return Deletion::Allowed;
}

void NamedList::remove(int index)
{
    if (index >= 0 && index < size())
        m_entries.removeAt(index);
}

bool NamedList::isUsed(const QString &entry)
{
    return !entry.isEmpty() && entry[0] >= u'A' && entry[0] <= u'Z';
}

QString NamedList::withSmallFirst(const QString &text)
{
    QString s = text;
    if (!s.isEmpty() && s[0] >= u'A' && s[0] <= u'Z')
        s[0] = QChar(s[0].unicode() + (u'a' - u'A'));
    return s;
}

QString NamedList::withCapitalFirst(const QString &text)
{
    QString s = text;
    if (!s.isEmpty() && s[0] >= u'a' && s[0] <= u'z')
        s[0] = QChar(s[0].unicode() - (u'a' - u'A'));
    return s;
}

bool NamedList::lessThan(const QString &a, const QString &b)
{
    const int byLetters = folded(a).compare(folded(b));
    if (byLetters != 0)
        return byLetters < 0;
    const int byCase = a.compare(b, Qt::CaseInsensitive);
    if (byCase != 0)
        return byCase < 0;
    return a < b;
}

QString NamedList::protectedEntry()
{
    return QStringLiteral("Débit différé");
}

QString NamedList::protectedMessage()
{
    return QStringLiteral("Ce poste ne peut pas être suprimé");
}

QString NamedList::usedMessage()
{
    return QStringLiteral("Ce poste est déjà utilisé");
}

QString NamedList::confirmDeletion(const QString &entry)
{
    return QStringLiteral("Supprimer le poste ") + entry + QStringLiteral(" ?");
}

namespace NamedListKinds {

const QList<NamedListKind> &all()
{
    static const QList<NamedListKind> kinds = {
        {QStringLiteral("TPostes"), QStringLiteral("Postes de budget"), QStringLiteral("Nouveau poste"), 1,
         QStringLiteral("Combo1"), true},
        {QStringLiteral("TCateg"), QStringLiteral("Catégories de film"), QStringLiteral("Nouvelle catégorie"), 3,
         QStringLiteral("Combo3"), true},
        {QStringLiteral("TFmtv"), QStringLiteral("Format vidéo"), QStringLiteral("Nouveau format vidéo"), 4,
         QStringLiteral("Combo4"), true},
        {QStringLiteral("TFmtA"), QStringLiteral("Format audio"), QStringLiteral("Nouveau format audio"), 5,
         QStringLiteral("Combo5"), true},
        {QStringLiteral("TFmtM"), QStringLiteral("Magasins"), QStringLiteral("Nouveau magasin"), 6,
         QStringLiteral("Combo6"), true},
        {QStringLiteral("TCateg2"), QStringLiteral("Catégories de livre"), QStringLiteral("Nouvelle catégorie"), 7,
         QStringLiteral("Combo7"), false},
        {QStringLiteral("TMedecins"), QStringLiteral("Liste des médecins"), QStringLiteral("Nouveau médecin"), 9,
         QStringLiteral("Combo9"), false},
        {QStringLiteral("TOfficines"), QStringLiteral("Liste des pharmacies"), QStringLiteral("Nouvelle pharmacie"), 10,
         QStringLiteral("ComboA"), false},
    };
    return kinds;
}

const NamedListKind &get(Kind kind)
{
    const int i = int(kind);
    return all().at(i >= 0 && i < all().size() ? i : 0);
}

} // namespace NamedListKinds

#include "contacts/ContactForm.h"

#include "common/TextFile.h"

namespace {

const QString kTel = QStringLiteral("Tél: ");
const QString kFax = QStringLiteral("Fax: ");
const QString kMail = QStringLiteral("E.mail ");

QString clean(const QString &entry)
{
    // A tab would start a new field and a line break would cut the
    // contact's line in two; the no-break space joins the parts of a field.
    QString s = TextFile::oneLine(entry);
    s.replace(ContactForm::Nbsp, QChar(u' '));
    return s;
}

} // namespace

QString ContactForm::label(int entry)
{
    static const char *const labels[EntryCount] = {"Titre",   "Nom",         "Prénom", "Fonction",  "Société",
                                                   "Adresse", "Code postal", "Ville",  "Téléphone", "Téléphone",
                                                   "Fax",     "Pays",        "E.mail"};
    return (entry >= 0 && entry < EntryCount) ? QString::fromUtf8(labels[entry]) : QString();
}

int ContactForm::limit(int entry)
{
    static const int limits[EntryCount] = {5, 30, 20, 10, 20, 40, 6, 20, 16, 16, 16, 16, 25};
    return (entry >= 0 && entry < EntryCount) ? limits[entry] : 0;
}

std::pair<QString, QString> ContactForm::splitAtNbsp(const QString &field)
{
    const qsizetype at = field.indexOf(Nbsp);
    if (at < 0)
        return {field, QString()};
    return {field.left(at), field.mid(at + 1)};
}

ContactForm ContactForm::fromFields(const QStringList &fields)
{
    auto field = [&fields](int i) { return i < fields.size() ? fields.at(i) : QString(); };
    ContactForm f;

    const auto [titre, restName] = splitAtNbsp(field(0));
    const auto [nom, prenom] = splitAtNbsp(restName);
    f[Titre] = titre;
    f[Nom] = nom;
    f[Prenom] = prenom;

    const auto [fonction, societe] = splitAtNbsp(field(1));
    f[Fonction] = fonction;
    f[Societe] = societe;

    f[Adresse] = field(2);

    const auto [cp, ville] = splitAtNbsp(field(3));
    f[CodePostal] = cp;
    f[Ville] = ville;

    // "Tél: " first NBSP "Tél: " second: the second number starts five
    // characters after the NBSP.
    const QString tel = field(4).mid(5);
    const qsizetype at = tel.indexOf(Nbsp);
    f[Telephone1] = at < 0 ? tel : tel.left(at);
    f[Telephone2] = at < 0 ? QString() : tel.mid(at + 1 + 5);

    const auto [fax, pays] = splitAtNbsp(field(5).mid(5));
    f[Fax] = fax;
    f[Pays] = pays;

    f[Email] = field(6).mid(7);
    return f;
}

QStringList ContactForm::toFields() const
{
    auto e = [this](Entry x) { return clean(entries[x]); };
    QString tel = kTel + e(Telephone1) + Nbsp;
    if (!e(Telephone2).isEmpty())
        tel += kTel + e(Telephone2);
    return {e(Titre) + Nbsp + e(Nom) + Nbsp + e(Prenom),
            e(Fonction) + Nbsp + e(Societe),
            e(Adresse),
            e(CodePostal) + Nbsp + e(Ville),
            tel,
            kFax + e(Fax) + Nbsp + e(Pays),
            kMail + e(Email)};
}

qsizetype ContactForm::lineLength() const
{
    qsizetype n = 0;
    for (const QString &f : toFields())
        n += f.size() + 1;
    return n;
}

QString ContactForm::tooLong() const
{
    const qsizetype over = lineLength() - MaxLineText;
    if (over <= 0)
        return {};
    return QStringLiteral("L'adresse dépasse de %1 caractère%2 les %3 qu'une fiche peut contenir : raccourcissez "
                          "un des champs.")
        .arg(over)
        .arg(over > 1 ? QStringLiteral("s") : QString())
        .arg(MaxLineText);
}

QString ContactForm::telephoneColumn(const QString &telephoneLine)
{
    const QString s = telephoneLine.mid(4, 20);
    const qsizetype at = s.indexOf(Nbsp);
    return at < 0 ? s : s.left(at);
}

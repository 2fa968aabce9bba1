#include "contacts/VCard.h"

#include "common/Cp1252Fit.h"
#include "contacts/AddressBook.h"
#include "contacts/ContactForm.h"

#include <QHash>
#include <QSet>
#include <QStringDecoder>

#include <algorithm>

namespace VCard {

namespace {

constexpr qsizetype FoldAt = 75;
// The characters of a contact line read after its key.
constexpr qsizetype MaxLineText = 255;

QString escape(QString s)
{
    s.replace(u'\\', QStringLiteral("\\\\"));
    s.replace(u',', QStringLiteral("\\,"));
    s.replace(u';', QStringLiteral("\\;"));
    s.replace(u'\n', QStringLiteral("\\n"));
    return s;
}

QString structured(std::initializer_list<QString> parts)
{
    QStringList out;
    for (const QString &p : parts)
        out << escape(p);
    return out.join(u';');
}

// A value split at its unescaped ";", each part unescaped.
QStringList splitValue(const QString &value)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar n = value.at(++i);
            parts.last() += (n == u'n' || n == u'N') ? QChar(u'\n') : n;
        } else if (c == u';') {
            parts << QString();
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QByteArray quotedPrintable(const QByteArray &in)
{
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in.at(i) == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int v = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(v);
                i += 2;
                continue;
            }
        }
        out += in.at(i);
    }
    return out;
}

struct Property
{
    QByteArray name;        // upper case, group removed
    QSet<QByteArray> types; // upper case
    QString value;          // decoded, still escaped
};

Property parseLine(const QByteArray &line)
{
    Property p;
    qsizetype colon = -1;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == '"')
            quoted = !quoted;
        else if (line.at(i) == ':' && !quoted) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return p;
    const QList<QByteArray> head = line.left(colon).split(';');
    p.name = head.value(0).toUpper();
    if (const qsizetype dot = p.name.lastIndexOf('.'); dot >= 0)
        p.name = p.name.mid(dot + 1);
    QByteArray encoding, charset = "UTF-8";
    for (qsizetype i = 1; i < head.size(); ++i) {
        const QByteArray param = head.at(i).trimmed();
        const qsizetype eq = param.indexOf('=');
        const QByteArray key = eq < 0 ? QByteArray("TYPE") : param.left(eq).toUpper();
        const QByteArray val = (eq < 0 ? param : param.mid(eq + 1)).toUpper().replace('"', "");
        if (key == "TYPE") {
            for (const QByteArray &t : val.split(','))
                p.types.insert(t.trimmed());
        } else if (key == "ENCODING") {
            encoding = val;
        } else if (key == "CHARSET") {
            charset = val;
        }
    }
    QByteArray raw = line.mid(colon + 1);
    if (encoding == "QUOTED-PRINTABLE")
        raw = quotedPrintable(raw);
    else if (encoding == "B" || encoding == "BASE64")
        return {}; // pictures and other binary data are not kept
    QStringDecoder decoder(charset.constData());
    p.value = decoder.isValid() ? decoder.decode(raw) : QString::fromUtf8(raw);
    return p;
}

// The logical lines of the data: folded lines joined, vCard 2.1 soft line
// breaks of quoted-printable values joined.
QList<QByteArray> unfold(const QByteArray &data)
{
    QByteArray text = data;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    QList<QByteArray> lines;
    for (const QByteArray &l : text.split('\n')) {
        if ((l.startsWith(' ') || l.startsWith('\t')) && !lines.isEmpty()) {
            lines.last() += l.mid(1);
        } else if (!lines.isEmpty() && lines.last().endsWith('=')
                   && lines.last().toUpper().contains("QUOTED-PRINTABLE")) {
            lines.last().chop(1);
            lines.last() += l;
        } else {
            lines << l;
        }
    }
    return lines;
}

QChar letterOf(const QString &text)
{
    const QString t = text.trimmed().normalized(QString::NormalizationForm_D);
    if (t.isEmpty())
        return {};
    const QChar c = t.at(0).toUpper();
    return (c >= u'A' && c <= u'Z') ? c : QChar();
}

QString displayName(const ContactForm &f)
{
    QStringList parts;
    for (const QString &p : {f[ContactForm::Titre], f[ContactForm::Prenom], f[ContactForm::Nom]})
        if (!p.trimmed().isEmpty())
            parts << p.trimmed();
    if (!parts.isEmpty())
        return parts.join(u' ');
    if (!f[ContactForm::Societe].trimmed().isEmpty())
        return f[ContactForm::Societe].trimmed();
    return f[ContactForm::Email].trimmed();
}

// The usual French short form of a title written in full.
QString shortTitle(const QString &title)
{
    static const QHash<QString, QString> shortForms{
        {QStringLiteral("madame"), QStringLiteral("Mme")},        {QStringLiteral("monsieur"), QStringLiteral("M.")},
        {QStringLiteral("mademoiselle"), QStringLiteral("Mlle")}, {QStringLiteral("docteur"), QStringLiteral("Dr")},
        {QStringLiteral("maître"), QStringLiteral("Me")},         {QStringLiteral("professeur"), QStringLiteral("Pr")},
        {QStringLiteral("mesdames"), QStringLiteral("Mmes")},     {QStringLiteral("messieurs"), QStringLiteral("MM.")}};
    return shortForms.value(title.toLower(), title);
}

// A telephone number without its "tel:" scheme; a French number written in
// international form ("+33 6 12 34 56 78", "+33 (0)1 ...", "0033...") in its
// national form ("06 12 34 56 78").
QString nationalNumber(QString number)
{
    if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
        number.remove(0, 4);
    number = number.trimmed();
    qsizetype at = number.startsWith(QStringLiteral("+33")) ? 3 : number.startsWith(QStringLiteral("0033")) ? 4 : -1;
    if (at < 0)
        return number;
    auto skipSeparators = [&] {
        while (at < number.size() && QStringLiteral(" .-/").contains(number.at(at)))
            ++at;
    };
    skipSeparators();
    if (number.mid(at, 3) == u"(0)") {
        at += 3;
        skipSeparators();
    }
    if (at >= number.size() || number.at(at) < u'1' || number.at(at) > u'9')
        return number;
    return u'0' + number.mid(at);
}

// The text a contact line gives from its fifth character: the fields, each
// followed by a TAB.
qsizetype lineLength(const QStringList &fields)
{
    qsizetype n = 0;
    for (const QString &f : fields)
        n += f.size() + 1;
    return n;
}

} // namespace

QByteArray fold(const QByteArray &line)
{
    QByteArray out;
    qsizetype pos = 0;
    qsizetype room = FoldAt;
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        // Never inside a UTF-8 character: back off over continuation bytes.
        while (cut > pos + 1 && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        out += line.mid(pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = FoldAt - 1;
    }
    out += line.mid(pos);
    out += "\r\n";
    return out;
}

QByteArray exportBook(const QStringList &bookLines)
{
    QByteArray out;
    auto put = [&out](const QString &line) { out += fold(line.toUtf8()); };
    for (const QString &line : bookLines) {
        if (line.size() < 4 || line.at(0) < u'A' || line.at(0) > u'Z')
            continue;
        const ContactForm f = ContactForm::fromFields(AddressBook::contactOf(line).fields);
        using C = ContactForm;
        put(QStringLiteral("BEGIN:VCARD"));
        put(QStringLiteral("VERSION:3.0"));
        put(QStringLiteral("N:") + structured({f[C::Nom], f[C::Prenom], QString(), f[C::Titre], QString()}));
        put(QStringLiteral("FN:") + escape(displayName(f)));
        if (!f[C::Fonction].isEmpty())
            put(QStringLiteral("TITLE:") + escape(f[C::Fonction]));
        if (!f[C::Societe].isEmpty())
            put(QStringLiteral("ORG:") + escape(f[C::Societe]));
        if (!(f[C::Adresse] + f[C::CodePostal] + f[C::Ville] + f[C::Pays]).isEmpty())
            put(QStringLiteral("ADR:")
                + structured(
                    {QString(), QString(), f[C::Adresse], f[C::Ville], QString(), f[C::CodePostal], f[C::Pays]}));
        for (const C::Entry e : {C::Telephone1, C::Telephone2})
            if (!f[e].isEmpty())
                put(QStringLiteral("TEL;TYPE=VOICE:") + escape(f[e]));
        if (!f[C::Fax].isEmpty())
            put(QStringLiteral("TEL;TYPE=FAX:") + escape(f[C::Fax]));
        if (!f[C::Email].isEmpty())
            put(QStringLiteral("EMAIL;TYPE=INTERNET:") + escape(f[C::Email]));
        put(QStringLiteral("X-TIVAREL-PAGE:") + line.at(0));
        put(QStringLiteral("END:VCARD"));
    }
    return out;
}

ExchangeItems importCards(const QByteArray &data, const QStringList &bookLines, QChar fallback, ExchangeNotes *report)
{
    using C = ContactForm;
    ExchangeItems items;
    QSet<QStringList> present;
    QHash<QChar, int> perPage;
    for (const QString &line : bookLines) {
        if (line.size() < 4 || line.at(0) < u'A' || line.at(0) > u'Z')
            continue;
        present.insert(AddressBook::contactOf(line).fields);
        ++perPage[line.at(0)];
    }

    bool inCard = false, sawCard = false, cut = false;
    C f;
    QChar page;
    QStringList notes, skipped;
    QString formatted;
    // A card cut short at the end of the file ends there.
    const QList<QByteArray> lines = unfold(data) << QByteArray("END:VCARD");
    for (const QByteArray &raw : lines) {
        const Property p = parseLine(raw.trimmed());
        if (p.name == "BEGIN" && p.value.trimmed().compare(u"VCARD", Qt::CaseInsensitive) == 0) {
            inCard = sawCard = true;
            f = C();
            page = QChar();
            notes.clear();
            skipped.clear();
            formatted.clear();
            continue;
        }
        if (!inCard)
            continue;
        if (p.name == "END") {
            inCard = false;
            cut = &raw == &lines.last();
            // A full name that neither the name, the company nor the e-mail
            // gives ("labeled guy" of "Test Inc") is the name.
            if (f[C::Nom].isEmpty() && f[C::Prenom].isEmpty() && formatted != displayName(f))
                f[C::Nom] = formatted;
            f[C::Titre] = shortTitle(f[C::Titre].trimmed());
            ExchangeItem item;
            QStringList problems;
            for (int e = 0; e < C::EntryCount; ++e) {
                const Cp1252::Fitted fit = Cp1252::fit(f.entries[e].trimmed(), {}, true);
                if (!fit.refused.isEmpty())
                    notes << QStringLiteral("%1 : caractères impossibles à enregistrer, non repris (%2)")
                                 .arg(C::label(e), fit.refused);
                else if (!fit.turned.isEmpty())
                    notes << fit.turned;
                f.entries[e] = fit.text.trimmed();
            }
            // Each entry is kept whole while the contact's line can hold it
            // (the line is read up to 255 characters after its key); what
            // it cannot hold is left out, entry by entry.
            C kept;
            for (int e = 0; e < C::EntryCount; ++e) {
                kept.entries[e] = f.entries[e];
                if (lineLength(kept.toFields()) > MaxLineText) {
                    problems << QStringLiteral("%1 non repris : la fiche dépasserait %2 caractères")
                                    .arg(C::label(e))
                                    .arg(MaxLineText);
                    kept.entries[e].clear();
                }
            }
            f = kept;
            if (!skipped.isEmpty())
                notes << QStringLiteral("non repris : ") + skipped.join(QStringLiteral(", "));
            if (!page.isNull() && (page < u'A' || page > u'Z'))
                page = QChar();
            for (const QString &t : {f[C::Nom], f[C::Prenom], f[C::Societe], formatted})
                if (page.isNull())
                    page = letterOf(t);
            if (page.isNull())
                page = fallback;
            item.label = displayName(f);
            if (item.label.isEmpty())
                item.label = QStringLiteral("(carte sans nom)");
            item.place = QStringLiteral("page ") + page;
            const QStringList fields = f.toFields();
            if (std::all_of(f.entries.begin(), f.entries.end(), [](const QString &e) { return e.isEmpty(); })) {
                item.status = ExchangeItem::Status::Refused;
                item.note = (problems << QStringLiteral("carte vide")).join(QStringLiteral(" ; "));
            } else if (present.contains(fields)) {
                item.status = ExchangeItem::Status::Present;
            } else if (perPage.value(page) >= AddressBook::MaxContactsPerPage) {
                item.status = ExchangeItem::Status::Refused;
                item.note = QStringLiteral("la page %1 est pleine").arg(page);
            } else {
                present.insert(fields);
                item.note = (problems + notes).join(QStringLiteral(" ; "));
                item.line = AddressBook::lineOf(page, perPage.value(page), {fields, {}});
                ++perPage[page];
            }
            items << item;
            continue;
        }
        const QStringList v = splitValue(p.value);
        auto part = [&v](int i) { return v.value(i).replace(u'\n', u' ').trimmed(); };
        // Parts the contact has no entry for are named in the note.
        auto skip = [&skipped](const QString &what, const QString &value) {
            if (!value.isEmpty())
                skipped << what + QStringLiteral(" « ") + value + QStringLiteral(" »");
        };
        if (p.name == "N") {
            f[C::Nom] = part(0);
            f[C::Prenom] = part(1);
            f[C::Titre] = part(3);
            skip(QStringLiteral("autres prénoms"), part(2));
            skip(QStringLiteral("suffixe"), part(4));
        } else if (p.name == "NICKNAME") {
            skip(QStringLiteral("surnom"), part(0));
        } else if (p.name == "BDAY") {
            skip(QStringLiteral("anniversaire"), part(0));
        } else if (p.name == "NOTE") {
            skip(QStringLiteral("note"), part(0));
        } else if (p.name == "URL") {
            skip(QStringLiteral("site"), p.value.trimmed());
        } else if (p.name == "FN") {
            formatted = part(0);
        } else if (p.name == "TITLE") {
            f[C::Fonction] = part(0);
        } else if (p.name == "ORG") {
            f[C::Societe] = part(0);
        } else if (p.name == "ADR" && !(f[C::Adresse] + f[C::Ville] + f[C::CodePostal] + f[C::Pays]).isEmpty()) {
            skip(QStringLiteral("autre adresse"), QStringList(v).join(u' ').simplified());
        } else if (p.name == "ADR") {
            skip(QStringLiteral("boîte postale"), part(0));
            skip(QStringLiteral("région"), part(4));
            QStringList street;
            for (int i : {1, 2})
                if (!part(i).isEmpty())
                    street << part(i);
            f[C::Adresse] = street.join(QStringLiteral(", "));
            f[C::Ville] = part(3);
            f[C::CodePostal] = part(5);
            f[C::Pays] = part(6);
        } else if (p.name == "TEL") {
            const QString number = nationalNumber(part(0));
            C::Entry slot = p.types.contains("FAX")      ? C::Fax
                            : f[C::Telephone1].isEmpty() ? C::Telephone1
                                                         : C::Telephone2;
            if (!f[slot].isEmpty())
                notes << QStringLiteral("numéro %1 non repris").arg(number);
            else
                f[slot] = number;
        } else if (p.name == "EMAIL") {
            if (f[C::Email].isEmpty())
                f[C::Email] = part(0);
            else
                notes << QStringLiteral("adresse %1 non reprise").arg(part(0));
        } else if (p.name == "X-TIVAREL-PAGE") {
            page = part(0).isEmpty() ? QChar() : part(0).at(0).toUpper();
        }
    }
    if (report && !sawCard)
        report->error = QStringLiteral("Ce fichier ne contient aucune carte de visite (vCard).");
    else if (report && cut)
        report->notes << QStringLiteral("Le fichier est coupé : sa dernière carte est incomplète.");
    return items;
}

} // namespace VCard

#include "app/ExchangeCommand.h"

#include "agenda/AgendaStore.h"
#include "app/Document.h"
#include "agenda/IcsExchange.h"
#include "budget/BudgetCsv.h"
#include "budget/BudgetStore.h"
#include "collections/BookRecord.h"
#include "collections/RecordCsv.h"
#include "collections/VideoRecord.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "contacts/AddressBook.h"
#include "contacts/VCard.h"

#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTimeZone>

namespace ExchangeCommand {

namespace {

const QString kExport = QStringLiteral("exporter");
const QString kImport = QStringLiteral("importer");
const QString kSection = QStringLiteral("section");
const QString kAccount = QStringLiteral("compte");
const QString kPeriod = QStringLiteral("periode");

struct Failure
{
    int status;
    QString message;
};

// The lines of a section file of the document; a missing file gives
// `whenMissing` when there is one, a failure otherwise.
QStringList readSection(const QString &document, const QString &extension,
                        const std::optional<QStringList> &whenMissing = std::nullopt)
{
    const QString path = BaseName::withExtension(document, extension);
    QString error;
    bool missing = false;
    if (auto lines = TextFile::read(path, &error, &missing))
        return *lines;
    if (missing && whenMissing)
        return *whenMissing;
    throw Failure{BadInput, missing ? QStringLiteral("Fichier %1 n'existe pas").arg(path) : error};
}

void writeOutput(const QString &path, const QByteArray &bytes)
{
    QString error;
    if (!TextFile::writeBytes(path, bytes, &error))
        throw Failure{WriteFailed, error};
}

QByteArray readInput(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Failure{BadInput, f.exists() ? QStringLiteral("Impossible de lire %1").arg(path)
                                           : QStringLiteral("Fichier %1 n'existe pas").arg(path)};
    return f.readAll();
}

QByteArray budgetCsv(const QString &document, const QCommandLineParser &p, QDate today)
{
    BudgetStore store;
    store.setLines(readSection(document, QStringLiteral(".obg"), QStringList()));
    const QString account = p.isSet(kAccount) ? p.value(kAccount) : QStringLiteral("Caisse");
    const QString period = p.value(kPeriod);
    int year = today.year(), first = today.month(), last = today.month();
    if (!period.isEmpty()) {
        const QStringList parts = period.split(u'/');
        bool okY = false, okM = true;
        year = parts.last().toInt(&okY);
        if (parts.size() == 2)
            first = last = parts.first().toInt(&okM);
        else {
            first = 1;
            last = 12;
        }
        if (parts.size() > 2 || !okY || !okM || year < 1 || year > 9999 || first < 1 || first > 12)
            throw Failure{BadUsage, QStringLiteral("Période invalide : %1 (MM/AAAA ou AAAA)").arg(period)};
    }
    return BudgetCsv::journal(store, account, year, first, last);
}

void tell(QTextStream &out, QTextStream &err, const ExchangeItems &items)
{
    for (const ExchangeItem &i : items)
        if (i.status == ExchangeItem::Status::Refused)
            err << QStringLiteral("Refusé : %1 (%2)").arg(i.label, i.note) << Qt::endl;
    out << QStringLiteral("%1 ajouté(s), %2 déjà présent(s), %3 refusé(s)")
               .arg(countOf(items, ExchangeItem::Status::New))
               .arg(countOf(items, ExchangeItem::Status::Present))
               .arg(countOf(items, ExchangeItem::Status::Refused))
        << Qt::endl;
}

QStringList newLines(const ExchangeItems &items)
{
    QStringList lines;
    for (const ExchangeItem &i : items)
        if (i.status == ExchangeItem::Status::New)
            lines << i.line;
    return lines;
}

int exchange(const QCommandLineParser &p, const Clock &clock, QTextStream &out, QTextStream &err)
{
    const bool exporting = p.isSet(kExport);
    const QString format = (exporting ? p.value(kExport) : p.value(kImport)).toLower();
    const QStringList args = p.positionalArguments();
    const QStringList formats = exporting ? QStringList{"ics", "vcf", "csv"} : QStringList{"ics", "vcf"};
    if (p.isSet(kExport) == p.isSet(kImport) || !formats.contains(format))
        throw Failure{BadUsage, QStringLiteral("Format inconnu : %1 (%2)").arg(format, formats.join(u'|'))};
    if (args.size() != 2)
        throw Failure{BadUsage, QStringLiteral("Il faut le document (.orz) puis le fichier %1.")
                                    .arg(exporting ? QStringLiteral("de sortie") : QStringLiteral("à importer"))};
    const QString document = QFileInfo(args.at(0)).absoluteFilePath();
    const QString other = args.at(1);
    if (!QFileInfo::exists(BaseName::withExtension(document, QStringLiteral(".orz"))))
        throw Failure{BadInput, QStringLiteral("Fichier %1 n'existe pas")
                                    .arg(BaseName::withExtension(document, QStringLiteral(".orz")))};
    const QByteArray zone = QTimeZone::systemTimeZoneId();

    if (exporting) {
        QByteArray bytes;
        if (format == u"ics") {
            bytes = IcsExchange::exportCalendar(readSection(document, QStringLiteral(".orz")),
                                                readSection(document, QStringLiteral(".oan"), QStringList()),
                                                clock.now(), zone);
        } else if (format == u"vcf") {
            bytes = VCard::exportBook(readSection(document, QStringLiteral(".ocn"), QStringList()));
        } else {
            const QString section = p.isSet(kSection) ? p.value(kSection) : QStringLiteral("budget");
            if (section == u"budget")
                bytes = budgetCsv(document, p, clock.today());
            else if (section == u"films")
                bytes = RecordCsv::table(VideoRecord::schema(), 7,
                                         readSection(document, QStringLiteral(".ovd"), QStringList()));
            else if (section == u"livres")
                bytes = RecordCsv::table(BookRecord::schema(), 9,
                                         readSection(document, QStringLiteral(".olv"), QStringList()));
            else
                throw Failure{BadUsage, QStringLiteral("Section inconnue : %1 (budget|films|livres)").arg(section)};
        }
        if (isDocumentFile(document, other))
            throw Failure{BadUsage, QStringLiteral("%1 est un fichier du document : choisissez un autre nom.").arg(other)};
        writeOutput(other, bytes);
        out << QStringLiteral("Exporté dans %1").arg(other) << Qt::endl;
        return Done;
    }

    const QByteArray data = readInput(other);
    QString error;
    // What the import adds goes into the one section file it concerns,
    // rewritten whole and atomically.
    auto addTo = [&](const ExchangeItems &items, const QString &extension, auto &&add, auto &&lines) {
        if (!error.isEmpty())
            throw Failure{BadInput, error};
        tell(out, err, items);
        const QStringList added = newLines(items);
        if (added.isEmpty())
            return Done;
        add(added);
        if (!TextFile::write(BaseName::withExtension(document, extension), lines(), &error))
            throw Failure{WriteFailed, error};
        return Done;
    };
    if (format == u"ics") {
        AgendaStore store;
        store.setLines(readSection(document, QStringLiteral(".orz")));
        const ExchangeItems items =
            IcsExchange::importCalendar(data, store.lines(), readSection(document, QStringLiteral(".oan"), QStringList()),
                                        clock.today(), zone, &error);
        return addTo(
            items, QStringLiteral(".orz"),
            [&](const QStringList &added) {
                for (const QString &l : added)
                    store.append(l);
                store.sort();
            },
            [&] { return store.lines(); });
    }
    AddressBook book;
    book.setLines(readSection(document, QStringLiteral(".ocn"), QStringList{QStringLiteral(" ")}));
    const ExchangeItems items = VCard::importCards(data, book.lines(), u'A', &error);
    return addTo(
        items, QStringLiteral(".ocn"), [&](const QStringList &added) { book.appendContacts(added); },
        [&] { return book.lines(); });
}

} // namespace

bool isDocumentFile(const QString &document, const QString &path)
{
    if (document.isEmpty())
        return false;
    const QString target = QFileInfo(path).absoluteFilePath();
    for (int s = 1; s <= Document::SectionCount; ++s) {
        const QString file = BaseName::withExtension(document, QString::fromLatin1(Document::extension(s)));
        if (QFileInfo(file).absoluteFilePath().compare(target, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool requested(const QStringList &arguments)
{
    for (const QString &a : arguments.mid(1)) {
        if (a == u"--")
            break;
        if (a.startsWith(QStringLiteral("--") + kExport) || a.startsWith(QStringLiteral("--") + kImport))
            return true;
    }
    return false;
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption({kExport, QStringLiteral("Exporte le document vers un fichier ics, vcf ou csv."),
                      QStringLiteral("format")});
    parser.addOption({kImport, QStringLiteral("Importe un fichier ics ou vcf dans le document."),
                      QStringLiteral("format")});
    parser.addOption({kSection, QStringLiteral("Section exportée en csv : budget, films ou livres."),
                      QStringLiteral("section")});
    parser.addOption({kAccount, QStringLiteral("Compte du budget exporté (Caisse par défaut)."),
                      QStringLiteral("nom")});
    parser.addOption({kPeriod, QStringLiteral("Mois (MM/AAAA) ou année (AAAA) du budget exporté."),
                      QStringLiteral("période")});
}

int run(const QStringList &arguments, const Clock &clock, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Tivarel, organiseur familial."));
    addOptions(parser);
    parser.addHelpOption();
    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl;
        return BadUsage;
    }
    try {
        return exchange(parser, clock, out, err);
    } catch (const Failure &f) {
        err << f.message << Qt::endl;
        return f.status;
    }
}

} // namespace ExchangeCommand

#include "app/ExchangeCommand.h"

#include "agenda/IcsExchange.h"
#include "app/CommandDocument.h"
#include "app/DocumentLock.h"
#include "app/StatementCommand.h"
#include "budget/BudgetCsv.h"
#include "budget/BudgetStore.h"
#include "collections/BookRecord.h"
#include "collections/RecordCsv.h"
#include "collections/VideoRecord.h"
#include "common/BaseName.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/Notices.h"
#include "common/SaveBatch.h"
#include "common/TextFile.h"
#include "contacts/VCard.h"
#include "document/Document.h"
#include "model/DocumentModel.h"

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
const QString kSync = QStringLiteral("synchroniser");
const QStringList kSyncOptions{QStringLiteral("serveur"), QStringLiteral("utilisateur"),
                               QStringLiteral("mot-de-passe-stdin")};
const QString kReminders = QStringLiteral("rappels");
const QString kWeek = QStringLiteral("semaine");

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

QByteArray budgetCsv(const BudgetStore &store, const QCommandLineParser &p, QDate today)
{
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

// Every note the preview would show, the file's own, then the counts.
void tell(QTextStream &err, const ExchangeItems &items, const ExchangeNotes &notes)
{
    using S = ExchangeItem::Status;
    for (const QString &n : notes.notes)
        err << n << Qt::endl;
    for (const ExchangeItem &i : items) {
        if (i.status == S::Refused || !i.note.isEmpty())
            err << QStringLiteral("%1 : %2 (%3)")
                       .arg(i.status == S::New       ? QStringLiteral("Ajouté")
                            : i.status == S::Present ? QStringLiteral("Déjà présent")
                                                     : QStringLiteral("Refusé"),
                            i.label, i.note)
                << Qt::endl;
    }
    err << QStringLiteral("%1 ajouté(s), %2 déjà présent(s), %3 refusé(s)")
               .arg(countOf(items, S::New))
               .arg(countOf(items, S::Present))
               .arg(countOf(items, S::Refused))
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
    if (!exporting && StatementCommand::handles(format))
        return StatementCommand::run(p, format, clock, out, err);
    const QStringList formats =
        exporting ? QStringList{"ics", "vcf", "csv"} : QStringList{"ics", "vcf", "ofx", "qif", "csv"};
    if (p.isSet(kExport) == p.isSet(kImport) || !formats.contains(format))
        throw Failure{BadUsage, QStringLiteral("Format inconnu : %1 (%2)").arg(format, formats.join(u'|'))};
    if (args.size() != 2)
        throw Failure{BadUsage, QStringLiteral("Il faut le document (.orz) puis le fichier %1.")
                                    .arg(exporting ? QStringLiteral("de sortie") : QStringLiteral("à importer"))};
    const QString document = QFileInfo(args.at(0)).absoluteFilePath();
    const QString other = args.at(1);
    if (!QFileInfo::exists(BaseName::withExtension(document, QStringLiteral(".orz"))))
        throw Failure{
            BadInput,
            QStringLiteral("Fichier %1 n'existe pas").arg(BaseName::withExtension(document, QStringLiteral(".orz")))};
    const QByteArray zone = QTimeZone::systemTimeZoneId();
    DocumentModel model;
    ErrorStreamNotices notices(err);

    if (exporting) {
        QByteArray bytes;
        if (format == u"ics") {
            loadDocument(model, document, clock.today(), notices, {SectionId::Week, SectionId::Birthdays});
            bytes = IcsExchange::exportCalendar(model.agenda().lines(), model.birthdays().lines(), clock.now(), zone);
        } else if (format == u"vcf") {
            loadDocument(model, document, clock.today(), notices, {SectionId::Addresses});
            bytes = VCard::exportBook(model.addresses().lines());
        } else {
            const QString section = p.isSet(kSection) ? p.value(kSection) : QStringLiteral("budget");
            const SectionId read = section == u"budget"  ? SectionId::Budget
                                   : section == u"films" ? SectionId::Videos
                                                         : SectionId::Books;
            if (section != u"budget" && section != u"films" && section != u"livres")
                throw Failure{BadUsage, QStringLiteral("Section inconnue : %1 (budget|films|livres)").arg(section)};
            loadDocument(model, document, clock.today(), notices, {read});
            if (read == SectionId::Budget)
                bytes = budgetCsv(model.budget().store(), p, clock.today());
            else if (read == SectionId::Videos)
                bytes = RecordCsv::table(VideoRecord::schema(), read, model.blocks(read).lines());
            else
                bytes = RecordCsv::table(BookRecord::schema(), read, model.blocks(read).lines());
        }
        if (isDocumentFile(document, other))
            throw Failure{BadUsage,
                          QStringLiteral("%1 est un fichier du document : choisissez un autre nom.").arg(other)};
        writeOutput(other, bytes);
        out << QStringLiteral("Exporté dans %1").arg(other) << Qt::endl;
        return Done;
    }

    // A window that has the document open would save over the import.
    DocumentLock lock;
    lockDocument(lock, document, QStringLiteral("fermez-le avant d'importer"));
    const QByteArray data = readInput(other);
    const SectionId section = format == u"ics" ? SectionId::Week : SectionId::Addresses;
    loadDocument(model, document, clock.today(), notices, {section, SectionId::Birthdays});
    ExchangeNotes notes;
    // An unknown time zone gives no time to trust: its events are refused.
    const ExchangeItems items =
        section == SectionId::Week ? IcsExchange::importCalendar(data, model.agenda().lines(),
                                                                 model.birthdays().lines(), clock.today(), zone, &notes)
                                   : VCard::importCards(data, model.addresses().lines(), u'A', &notes);
    if (!notes.error.isEmpty())
        throw Failure{BadInput, notes.error};
    tell(err, items, notes);
    const QStringList added = newLines(items);
    const int status =
        !items.isEmpty() && countOf(items, ExchangeItem::Status::Refused) == items.size() ? AllRefused : Done;
    if (added.isEmpty())
        return status;
    if (section == SectionId::Week) {
        for (const QString &l : added)
            model.agenda().append(l);
    } else {
        model.addresses().appendContacts(added);
    }
    // What the import adds goes into the one section file it concerns,
    // written as the window saves it: the day's backup first, then the file
    // replaced whole and atomically.
    SaveBatch batch;
    stageSections(model, document, {section}, batch, clock, notices);
    if (!batch.commit())
        throw Failure{WriteFailed, batch.error()};
    return status;
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

void addAllOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QStringLiteral("Tivarel, organiseur familial."));
    parser.addPositionalArgument(QStringLiteral("fichier"), QStringLiteral("Document à ouvrir (fichier .orz)."),
                                 QStringLiteral("[fichier.orz]"));
    addOptions(parser);
    parser.addHelpOption();
    parser.addVersionOption();
}

QString usage()
{
    return QStringLiteral("Utilisation :\n"
                          "  tivarel [DOCUMENT.orz]                          ouvre la fenêtre (et le document)\n"
                          "  tivarel --exporter ics|vcf DOCUMENT.orz SORTIE  exporte l'agenda ou les adresses\n"
                          "  tivarel --exporter csv [--section budget|films|livres] [--compte NOM]\n"
                          "          [--periode MM/AAAA|AAAA] DOCUMENT.orz SORTIE.csv\n"
                          "  tivarel --importer ics|vcf DOCUMENT.orz ENTREE  importe un calendrier ou des adresses\n"
                          "  tivarel --synchroniser DOCUMENT.orz [--serveur URL --utilisateur NOM]\n"
                          "          [--mot-de-passe-stdin]               synchronise avec le serveur du compte\n"
                          "  tivarel --importer ofx|qif|csv --compte NOM DOCUMENT.orz RELEVE\n"
                          "          importe un relevé bancaire dans un compte du budget\n"
                          "  tivarel --rappels [DOCUMENT.orz]                rappels sans fenêtre (dernier document)\n"
                          "  tivarel --semaine AAAAMMJJ [DOCUMENT.orz]       ouvre la fenêtre sur une semaine\n"
                          "  tivarel --help | --version\n"
                          "Codes de sortie : 0 fait, 1 commande mal formée, 2 fichier absent ou illisible,\n"
                          "3 écriture impossible, 4 document ouvert dans Tivarel, 5 serveur injoignable ou\n"
                          "refusant, 6 mot de passe refusé, 7 import entièrement refusé.\n");
}

QString version()
{
    return QStringLiteral("3.0");
}

QString information(const QStringList &arguments)
{
    QCommandLineParser parser;
    addAllOptions(parser);
    if (!parser.parse(arguments))
        return {};
    if (parser.isSet(QStringLiteral("help")))
        return usage();
    if (parser.isSet(QStringLiteral("version")))
        return QStringLiteral("Tivarel %1\n").arg(version());
    return {};
}

bool understood(const QStringList &arguments, QString *why)
{
    QCommandLineParser parser;
    addAllOptions(parser);
    if (!parser.parse(arguments)) {
        QStringList unknown;
        for (const QString &name : parser.unknownOptionNames())
            unknown << (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name;
        *why = unknown.isEmpty() ? QStringLiteral("Ligne de commande incomprise : %1").arg(parser.errorText())
                                 : QStringLiteral("Option inconnue : %1").arg(unknown.join(QStringLiteral(", ")));
        return false;
    }
    if (parser.isSet(kSync)
        && (parser.isSet(kExport) || parser.isSet(kImport) || !parser.positionalArguments().isEmpty())) {
        *why = QStringLiteral("--synchroniser prend un seul document et rien d'autre.");
        return false;
    }
    if (!parser.isSet(kSync))
        for (const QString &o : kSyncOptions)
            if (parser.isSet(o)) {
                *why = QStringLiteral("--%1 ne sert qu'avec --synchroniser.").arg(o);
                return false;
            }
    if (parser.isSet(kReminders) && (parser.isSet(kExport) || parser.isSet(kImport) || parser.isSet(kWeek))) {
        *why = QStringLiteral("--rappels ne se combine ni avec --exporter, --importer ou --semaine.");
        return false;
    }
    if (parser.isSet(kWeek) && !DateText::fromKey(parser.value(kWeek))) {
        *why = QStringLiteral("Semaine invalide : %1 (AAAAMMJJ)").arg(parser.value(kWeek));
        return false;
    }
    if (parser.isSet(kExport) || parser.isSet(kImport) || parser.isSet(kSync))
        return true;
    for (const QString &o : {kSection, kAccount, kPeriod}) {
        if (parser.isSet(o)) {
            *why = QStringLiteral("--%1 ne sert qu'avec --exporter.").arg(o);
            return false;
        }
    }
    if (parser.positionalArguments().size() > 1) {
        *why = QStringLiteral("Un seul document à ouvrir : %1").arg(parser.positionalArguments().join(u' '));
        return false;
    }
    return true;
}

void addOptions(QCommandLineParser &parser)
{
    parser.addOption(
        {kExport, QStringLiteral("Exporte le document vers un fichier ics, vcf ou csv."), QStringLiteral("format")});
    parser.addOption({kImport,
                      QStringLiteral("Importe un fichier ics, vcf ou un relevé ofx, qif, csv dans le document."),
                      QStringLiteral("format")});
    parser.addOption(
        {kSection, QStringLiteral("Section exportée en csv : budget, films ou livres."), QStringLiteral("section")});
    parser.addOption({kAccount, QStringLiteral("Compte du budget exporté (Caisse par défaut) ou du relevé importé."),
                      QStringLiteral("nom")});
    parser.addOption(
        {kPeriod, QStringLiteral("Mois (MM/AAAA) ou année (AAAA) du budget exporté."), QStringLiteral("période")});
    parser.addOption({kSync, QStringLiteral("Synchronise le document avec son serveur d'agenda et d'adresses."),
                      QStringLiteral("document")});
    parser.addOption(
        {kSyncOptions[0], QStringLiteral("Adresse du serveur CalDAV/CardDAV du compte."), QStringLiteral("url")});
    parser.addOption({kSyncOptions[1], QStringLiteral("Nom d'utilisateur du compte."), QStringLiteral("nom")});
    parser.addOption({kSyncOptions[2], QStringLiteral("Lit le mot de passe sur l'entrée standard.")});
    parser.addOption({kReminders, QStringLiteral("Rappels des rendez-vous et anniversaires, sans fenêtre.")});
    parser.addOption(
        {kWeek, QStringLiteral("Ouvre la fenêtre sur la semaine d'un jour (AAAAMMJJ)."), QStringLiteral("jour")});
}

int run(const QStringList &arguments, const Clock &clock, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    addAllOptions(parser);
    QString why;
    if (!understood(arguments, &why) || !parser.parse(arguments)) {
        err << why << Qt::endl << usage();
        err.flush();
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

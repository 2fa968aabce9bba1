#pragma once

#include <QString>
#include <QStringList>

class Clock;
class QCommandLineParser;
class QTextStream;

// Exchange with other programs from the command line, for scripts; runs
// without any window and ends with an exit status:
//
//   tivarel --exporter ics|vcf|csv DOCUMENT.orz SORTIE
//   tivarel --importer ics|vcf DOCUMENT.orz ENTREE
//
// csv takes --section budget|films|livres (budget when not given); the
// budget takes --compte NOM ("Caisse") and --periode MM/AAAA or AAAA (the
// current month). An import adds to the one section file it concerns (the
// organiser ".orz" or the address book ".ocn", rewritten atomically) what
// the document does not hold yet; the other files of the set are never
// written. An import refuses a document that a running window holds (it
// would save over what was imported), and tells on the standard error
// stream every note the window's preview would show, then the counts.
namespace ExchangeCommand {

enum Status
{
    Done = 0,
    BadUsage = 1,    // unknown option, format or section, missing argument, bad period
    BadInput = 2,    // document or input file missing, unreadable or not of its format
    WriteFailed = 3, // the output or the document file could not be written
    Locked = 4,      // a running Tivarel has the document open: nothing changed
    AllRefused = 7   // an import whose every entry was refused
};

// Whether the arguments ask for an exchange rather than the window.
bool requested(const QStringList &arguments);
void addOptions(QCommandLineParser &parser);
// The options of the program's whole command line (the document to open,
// the exchange, --help and --version).
void addAllOptions(QCommandLineParser &parser);
// The French usage, for a command line the program does not understand.
QString usage();
// The program's version, as --version tells it.
QString version();
// What --help (the usage) or --version asks to print on the standard output;
// empty when the arguments ask for neither.
QString information(const QStringList &arguments);
// Whether the command line is understood; when not, *why says what is
// wrong, in French.
bool understood(const QStringList &arguments, QString *why);

// Whether `path` names one of the files of the document set of `document`,
// which an export must never write over.
bool isDocumentFile(const QString &document, const QString &path);

// Runs the exchange; messages in French go to `out` (what was done) and
// `err` (why it failed, what was refused).
int run(const QStringList &arguments, const Clock &clock, QTextStream &out, QTextStream &err);

} // namespace ExchangeCommand

#pragma once

#include <QString>

class Clock;
class QCommandLineParser;
class QTextStream;

// The import of a bank statement from the command line:
//
//   tivarel --importer ofx|qif|csv --compte NOM DOCUMENT.orz RELEVE
//
// Loads the set through the document model, adds to the account's months
// of the budget what the preview would tick (".obg" saved as the window
// saves it), remembers it beside the document (".oim"),
// tells every refusal on the standard error stream and the counts on the
// standard output. A CSV statement uses the columns last chosen for the
// account, else those its header row names. Exit statuses as
// ExchangeCommand's.
namespace StatementCommand {

// Whether `format` is a statement format (ofx, qif, csv).
bool handles(const QString &format);

int run(const QCommandLineParser &parser, const QString &format, const Clock &clock, QTextStream &out,
        QTextStream &err);

} // namespace StatementCommand

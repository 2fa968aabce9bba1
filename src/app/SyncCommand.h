#pragma once

#include <QStringList>

class Clock;
class QTextStream;

// Synchronisation of a document with its calendar and address book server
// from the command line, without any window:
//
//   tivarel --synchroniser DOCUMENT.orz [--serveur URL --utilisateur NOM]
//           [--mot-de-passe-stdin]
//
// --serveur and --utilisateur set the document's account and are
// remembered beside it (agenda.compte); the password comes from the
// desktop's keyring or, with --mot-de-passe-stdin, from the first line of
// the standard input, and is never stored. The options are read by
// ExchangeCommand with the others of the command line.
namespace SyncCommand {

enum Status
{
    Done = 0,
    BadUsage = 1,
    BadInput = 2,     // the document is missing or unreadable
    WriteFailed = 3,  // the document or the state could not be written
    Locked = 4,       // a running window has the document open: nothing done
    Unreachable = 5,  // the server does not answer, fails or refuses
    Unauthorised = 6, // the user name or password is refused, or no password
};

bool requested(const QStringList &arguments);
int run(const QStringList &arguments, const Clock &clock, QTextStream &out, QTextStream &err, QTextStream &in);

} // namespace SyncCommand

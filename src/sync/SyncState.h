#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// What the document last agreed with its calendar and address book server,
// and the account it synchronises with. Both are kept beside the document,
// in files of their own that the older program never opens:
//
//   "agenda.synchro"  the state: one "E" line per item (kind R appointment,
//                     S series, A birthday, C contact, then href, ETag and
//                     UID), then one "L" line per local line it stood for;
//                     a "T" line per collection holds its sync token;
//   "agenda.compte"   the account: "clé=valeur" lines (serveur, utilisateur,
//                     calendrier, carnet); never a password.
//
// Windows-1252 text with CR LF like the document; the server's names (href,
// ETag, UID) are written percent-encoded, so any character they hold fits.
struct SyncItem
{
    enum class Kind
    {
        Appointment, // a VEVENT of the calendar: one line of the organiser store per occurrence
        Birthday,    // a yearly all-day VEVENT: one line of the birthday list
        Contact,     // a vCard of the address book: one contact line
    };

    Kind kind = Kind::Appointment;
    QString href; // the item's path on the server
    QString etag;
    QString uid;
    QStringList lines;   // the local lines it stood for when last agreed
    bool series = false; // a repeating event: its lines are occurrences, and it is never rewritten from them
    bool operator==(const SyncItem &) const = default;
};

struct SyncState
{
    QList<SyncItem> items;
    // collection path -> the sync-collection token (RFC 6578) the server
    // gave when the items above were agreed; "T" lines in the file.
    QHash<QString, QString> tokens;

    static QString pathFor(const QString &documentPath);
    // Nothing when the lines are not a state file (a file of the older
    // program's kind, a damaged one): the caller then starts afresh.
    static std::optional<SyncState> fromLines(const QStringList &lines);
    QStringList toLines() const;
};

struct SyncAccount
{
    QString server;         // the address the user gave
    QString user;           // the user name on the server
    QString calendar;       // the calendar collection's URL, once chosen
    QString book;           // the address book collection's URL, once chosen
    bool automatic = false; // synchronised at opening and after each save

    bool operator==(const SyncAccount &) const = default;
    bool isSet() const { return !server.isEmpty() && !user.isEmpty(); }

    static QString pathFor(const QString &documentPath);
    static SyncAccount fromLines(const QStringList &lines);
    QStringList toLines() const;
};

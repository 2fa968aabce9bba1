#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

// A small WebDAV client for CalDAV (RFC 4791) and CardDAV (RFC 6352)
// collections, synchronous for its callers: each call runs an event loop
// until its answers are in or the time is out.
//
// HTTPS checks the server's certificate against the system's; a certificate
// error fails the request and is told, never ignored. Plain HTTP is refused
// but to a loopback address (a server on this machine). The user name and
// password go in an Authorization header (Basic) and nowhere else.
//
// Paths are kept decoded ("/jean/agenda/rdv-20260105-1000@tivarel.ics") and
// encoded only on the way out, whatever form the server writes its hrefs in.
class DavClient
{
public:
    enum class Failure
    {
        None,
        Unreachable,    // no answer, timeout, a refused connection, a 5xx
        Authentication, // 401: the user name or password is refused
        Certificate,    // the server's certificate is not trusted
        Refused,        // another answer that is not the one expected
    };

    struct Reply
    {
        int status = 0;
        QByteArray body;
        QByteArray etag;
        QByteArray location;
        Failure failure = Failure::None;
        QString error; // in French
        bool ok() const { return failure == Failure::None; }
    };

    struct Request
    {
        QByteArray verb;
        QString path;
        QByteArray body;
        QList<QPair<QByteArray, QByteArray>> headers;
    };

    struct Collection
    {
        QString path;
        QString name; // displayname
    };

    // `timeoutMs`: how long a request may go without a byte from the server.
    // A busy server queues writes to one collection behind each other, so a
    // request may wait well over half a minute before its answer starts.
    DavClient(const QUrl &server, const QString &user, const QString &password, int timeoutMs = 120000);

    // Whether the address may be used at all: https, or http to loopback.
    static bool allowed(const QUrl &server, QString *why);

    Reply send(const Request &request);
    // Several requests at once (at most `parallel` on the way); `done` is
    // called with each as soon as it is answered, in any order.
    void sendAll(const QList<Request> &requests, const std::function<void(qsizetype, const Reply &)> &done,
                 int parallel = 6);

    // Discovery: the calendars (or address books) of the user, from
    // /.well-known/caldav (carddav), current-user-principal and the home set.
    // *home receives the home set's path. False with `failure` set when the
    // server could not tell.
    bool discover(bool addressBooks, QList<Collection> *found, QString *home, Reply *failure);
    // Makes a collection named `name` under `home` ("tivarel-agenda/",
    // "tivarel-carnet/"); its path in *path.
    bool create(bool addressBook, const QString &home, const QString &name, QString *path, Reply *failure);

    // href -> ETag of the items of a collection.
    bool list(const QString &collection, QHash<QString, QString> *items, Reply *failure);
    // What changed in a collection since `token` (every item when it is
    // empty), by sync-collection (RFC 6578): href -> ETag of the items added
    // or changed, the hrefs of those removed, and the collection's new
    // token. False when the server does not offer it or no longer knows the
    // token.
    bool changes(const QString &collection, const QString &token, QHash<QString, QString> *changed,
                 QStringList *removed, QString *next, Reply *failure);
    // href -> (ETag, data) of the items asked for, by calendar-multiget or
    // addressbook-multiget; an href the server no longer has is left out.
    bool fetch(bool addressBook, const QString &collection, const QStringList &hrefs,
               QHash<QString, QPair<QString, QByteArray>> *items, Reply *failure);

    QUrl urlOf(const QString &path) const;

private:
    QNetworkAccessManager m_net;
    QUrl m_server;
    QByteArray m_authorization;
    int m_timeoutMs;
};

#include "sync/DavClient.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslError>
#include <QXmlStreamReader>

namespace {

const QString Dav = QStringLiteral("DAV:");
const QString CalDav = QStringLiteral("urn:ietf:params:xml:ns:caldav");
const QString CardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");
const QByteArray Namespaces = R"(xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav" )"
                              R"(xmlns:a="urn:ietf:params:xml:ns:carddav")";

// One property of a multistatus answer: its text, the hrefs it holds and
// the names of its child elements ("DAV:collection").
struct Prop
{
    QString text;
    QStringList hrefs;
    QStringList children;
};

struct Response
{
    QString href;
    QHash<QString, Prop> props; // by namespace + local name
    QString status;
};

QString nameOf(const QXmlStreamReader &x)
{
    return x.namespaceUri().toString() + x.name().toString();
}

QString pathOf(const QString &href)
{
    return QUrl(href.trimmed()).path(QUrl::FullyDecoded);
}

Prop readProp(QXmlStreamReader &x)
{
    Prop p;
    int depth = 0;
    while (!x.atEnd()) {
        const auto token = x.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (depth == 0)
                p.children << nameOf(x);
            if (nameOf(x) == Dav + QStringLiteral("href")) {
                p.hrefs << pathOf(x.readElementText(QXmlStreamReader::IncludeChildElements));
                continue;
            }
            ++depth;
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth-- == 0)
                break;
        } else if (token == QXmlStreamReader::Characters && depth == 0) {
            p.text += x.text();
        }
    }
    return p;
}

// The responses of a 207 Multi-Status body, with the properties found (200).
QList<Response> multistatus(const QByteArray &xml)
{
    QList<Response> out;
    QXmlStreamReader x(xml);
    Response current;
    QHash<QString, Prop> found;
    QString status;
    bool inPropstat = false, inProp = false;
    while (!x.atEnd()) {
        const auto token = x.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QString n = nameOf(x);
            if (inProp) {
                found.insert(n, readProp(x));
            } else if (n == Dav + QStringLiteral("response")) {
                current = {};
            } else if (n == Dav + QStringLiteral("href") && !inPropstat) {
                current.href = pathOf(x.readElementText(QXmlStreamReader::IncludeChildElements));
            } else if (n == Dav + QStringLiteral("propstat")) {
                inPropstat = true;
                found.clear();
                status.clear();
            } else if (n == Dav + QStringLiteral("prop")) {
                inProp = inPropstat;
            } else if (n == Dav + QStringLiteral("status")) {
                (inPropstat ? status : current.status) = x.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            const QString n = nameOf(x);
            if (n == Dav + QStringLiteral("prop")) {
                inProp = false;
            } else if (n == Dav + QStringLiteral("propstat")) {
                inPropstat = false;
                if (status.isEmpty() || status.contains(QStringLiteral(" 200")))
                    current.props.insert(found);
            } else if (n == Dav + QStringLiteral("response")) {
                out << current;
            }
        }
    }
    return out;
}

QString withSlash(QString path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace

DavClient::DavClient(const QUrl &server, const QString &user, const QString &password, int timeoutMs)
    : m_server(server), m_timeoutMs(timeoutMs)
{
    m_authorization = "Basic " + (user + u':' + password).toUtf8().toBase64();
    m_net.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
}

bool DavClient::allowed(const QUrl &server, QString *why)
{
    const QString scheme = server.scheme().toLower();
    if (!server.isValid() || server.host().isEmpty() || (scheme != u"https" && scheme != u"http")) {
        *why = QStringLiteral("Adresse du serveur invalide : %1 (https://...)").arg(server.toString());
        return false;
    }
    const QHostAddress address(server.host());
    if (scheme == u"http" && server.host() != u"localhost" && !address.isLoopback()) {
        *why = QStringLiteral("Le serveur %1 n'est pas en https : le mot de passe passerait en clair. Seul un "
                              "serveur de cette machine (127.0.0.1) peut être en http.")
                   .arg(server.host());
        return false;
    }
    return true;
}

QUrl DavClient::urlOf(const QString &path) const
{
    QUrl u = m_server;
    u.setPath(path, QUrl::DecodedMode);
    u.setQuery(QString());
    u.setFragment(QString());
    return u;
}

void DavClient::sendAll(const QList<Request> &requests, const std::function<void(qsizetype, const Reply &)> &done,
                        int parallel)
{
    QEventLoop loop;
    qsizetype next = 0;
    int pending = 0;
    std::function<void()> launch;
    auto start = [&](qsizetype i) {
        const Request &r = requests.at(i);
        QNetworkRequest req(urlOf(r.path));
        req.setTransferTimeout(m_timeoutMs);
        req.setRawHeader("Authorization", m_authorization);
        req.setRawHeader("User-Agent", "Tivarel/3.0");
        for (const auto &[name, value] : r.headers)
            req.setRawHeader(name, value);
        QNetworkReply *reply = m_net.sendCustomRequest(req, r.verb, r.body);
        auto sslErrors = std::make_shared<QStringList>();
        QObject::connect(reply, &QNetworkReply::sslErrors, reply, [sslErrors](const QList<QSslError> &errors) {
            for (const QSslError &e : errors)
                *sslErrors << e.errorString();
        });
        QObject::connect(reply, &QNetworkReply::finished, &loop, [&, reply, i, sslErrors] {
            Reply out;
            out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            out.body = reply->readAll();
            out.etag = reply->rawHeader("ETag");
            out.location = reply->rawHeader("Location");
            const QString where = reply->url().host();
            if (!sslErrors->isEmpty()) {
                out.failure = Failure::Certificate;
                out.error = QStringLiteral("Certificat du serveur %1 refusé : %2").arg(where, sslErrors->join(u' '));
            } else if (out.status == 0) {
                out.failure = Failure::Unreachable;
                out.error = reply->error() == QNetworkReply::OperationCanceledError
                                ? QStringLiteral("Le serveur %1 ne répond pas (délai dépassé).").arg(where)
                                : QStringLiteral("Serveur %1 injoignable : %2").arg(where, reply->errorString());
            } else if (out.status == 401) {
                out.failure = Failure::Authentication;
                out.error = QStringLiteral("Le serveur %1 refuse ce nom d'utilisateur ou ce mot de passe.").arg(where);
            } else if (out.status >= 500) {
                out.failure = Failure::Unreachable;
                out.error = QStringLiteral("Le serveur %1 est en panne (erreur %2).").arg(where).arg(out.status);
            } else if (out.status >= 400) {
                out.failure = Failure::Refused;
                out.error = QStringLiteral("Le serveur %1 a refusé %2 %3 (erreur %4).")
                                .arg(where, QString::fromLatin1(requests.at(i).verb), requests.at(i).path)
                                .arg(out.status);
            }
            reply->deleteLater();
            --pending;
            done(i, out);
            launch();
        });
    };
    launch = [&] {
        while (pending < parallel && next < requests.size()) {
            ++pending;
            start(next++);
        }
        if (pending == 0)
            loop.quit();
    };
    launch();
    if (pending > 0)
        loop.exec();
}

DavClient::Reply DavClient::send(const Request &request)
{
    Request r = request;
    Reply out;
    // Redirections are followed with the same method and body (a PROPFIND
    // on /.well-known/caldav is usually sent elsewhere).
    for (int hop = 0; hop < 5; ++hop) {
        sendAll(
            {r}, [&out](qsizetype, const Reply &reply) { out = reply; }, 1);
        if (!(out.status == 301 || out.status == 302 || out.status == 303 || out.status == 307 || out.status == 308)
            || out.location.isEmpty())
            break;
        const QUrl next = urlOf(r.path).resolved(QUrl::fromEncoded(out.location));
        if (next.host() != m_server.host() || next.port() != m_server.port() || next.scheme() != m_server.scheme())
            break;
        r.path = next.path(QUrl::FullyDecoded);
    }
    return out;
}

namespace {

DavClient::Request propfind(const QString &path, const QByteArray &depth, const QByteArray &props)
{
    return {"PROPFIND",
            path,
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:propfind " + Namespaces + "><d:prop>" + props
                + "</d:prop></d:propfind>",
            {{"Depth", depth}, {"Content-Type", "application/xml; charset=utf-8"}}};
}

bool multistatusOf(const DavClient::Reply &r, QList<Response> *out, DavClient::Reply *failure)
{
    if (!r.ok() || r.status != 207) {
        *failure = r;
        if (r.ok()) {
            failure->failure = DavClient::Failure::Refused;
            failure->error = QStringLiteral("Réponse inattendue du serveur (%1).").arg(r.status);
        }
        return false;
    }
    *out = multistatus(r.body);
    return true;
}

} // namespace

bool DavClient::discover(bool addressBooks, QList<Collection> *found, QString *home, Reply *failure)
{
    const QString given =
        m_server.path(QUrl::FullyDecoded).isEmpty() ? QStringLiteral("/") : m_server.path(QUrl::FullyDecoded);
    QString principal;
    QList<Response> rs;
    for (const QString &start :
         {given, addressBooks ? QStringLiteral("/.well-known/carddav") : QStringLiteral("/.well-known/caldav")}) {
        const Reply r = send(propfind(start, "0", "<d:current-user-principal/>"));
        if (r.failure == Failure::Authentication || r.failure == Failure::Certificate
            || r.failure == Failure::Unreachable) {
            *failure = r;
            return false;
        }
        if (r.status == 207)
            for (const Response &resp : multistatus(r.body))
                if (!resp.props.value(Dav + QStringLiteral("current-user-principal")).hrefs.isEmpty())
                    principal = resp.props.value(Dav + QStringLiteral("current-user-principal")).hrefs.first();
        if (!principal.isEmpty())
            break;
    }
    if (principal.isEmpty())
        principal = given;
    const QString homeSet =
        addressBooks ? CardDav + QStringLiteral("addressbook-home-set") : CalDav + QStringLiteral("calendar-home-set");
    if (!multistatusOf(
            send(propfind(principal, "0", addressBooks ? "<a:addressbook-home-set/>" : "<c:calendar-home-set/>")), &rs,
            failure))
        return false;
    for (const Response &resp : std::as_const(rs))
        if (!resp.props.value(homeSet).hrefs.isEmpty())
            *home = withSlash(resp.props.value(homeSet).hrefs.first());
    if (home->isEmpty()) {
        failure->failure = Failure::Refused;
        failure->error = addressBooks ? QStringLiteral("Ce serveur n'offre pas de carnet d'adresses (CardDAV).")
                                      : QStringLiteral("Ce serveur n'offre pas de calendrier (CalDAV).");
        return false;
    }
    if (!multistatusOf(send(propfind(*home, "1", "<d:resourcetype/><d:displayname/>")), &rs, failure))
        return false;
    const QString type = addressBooks ? CardDav + QStringLiteral("addressbook") : CalDav + QStringLiteral("calendar");
    for (const Response &resp : std::as_const(rs))
        if (resp.props.value(Dav + QStringLiteral("resourcetype")).children.contains(type)
            && withSlash(resp.href) != *home)
            *found << Collection{withSlash(resp.href), resp.props.value(Dav + QStringLiteral("displayname")).text};
    return true;
}

bool DavClient::create(bool addressBook, const QString &home, const QString &name, QString *path, Reply *failure)
{
    QString slug;
    for (const QChar c : name.toLower())
        slug += c.isLetterOrNumber() && c.unicode() < 128 ? c : u'-';
    const QString made = home + slug + (addressBook ? QStringLiteral("-carnet/") : QStringLiteral("-agenda/"));
    const QByteArray display = "<d:displayname>" + name.toHtmlEscaped().toUtf8() + "</d:displayname>";
    const Request r =
        addressBook ? Request{"MKCOL",
                              made,
                              "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:mkcol " + Namespaces
                                  + "><d:set><d:prop><d:resourcetype><d:collection/><a:addressbook/></d:resourcetype>"
                                  + display + "</d:prop></d:set></d:mkcol>",
                              {{"Content-Type", "application/xml; charset=utf-8"}}}
                    : Request{"MKCALENDAR",
                              made,
                              "<?xml version=\"1.0\" encoding=\"utf-8\"?><c:mkcalendar " + Namespaces
                                  + "><d:set><d:prop>" + display
                                  + "<c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
                                    "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>",
                              {{"Content-Type", "application/xml; charset=utf-8"}}};
    const Reply reply = send(r);
    if (!reply.ok()) {
        *failure = reply;
        return false;
    }
    *path = made;
    return true;
}

bool DavClient::list(const QString &collection, QHash<QString, QString> *items, Reply *failure)
{
    QList<Response> rs;
    if (!multistatusOf(send(propfind(collection, "1", "<d:getetag/><d:resourcetype/>")), &rs, failure))
        return false;
    for (const Response &resp : std::as_const(rs))
        if (!resp.props.value(Dav + QStringLiteral("resourcetype"))
                 .children.contains(Dav + QStringLiteral("collection"))
            && withSlash(resp.href) != withSlash(collection) && resp.props.contains(Dav + QStringLiteral("getetag")))
            items->insert(resp.href, resp.props.value(Dav + QStringLiteral("getetag")).text.trimmed());
    return true;
}

bool DavClient::changes(const QString &collection, const QString &token, QHash<QString, QString> *changed,
                        QStringList *removed, QString *next, Reply *failure)
{
    const Reply r = send({"REPORT",
                          collection,
                          "<?xml version=\"1.0\" encoding=\"utf-8\"?><d:sync-collection " + Namespaces
                              + "><d:sync-token>" + token.toHtmlEscaped().toUtf8()
                              + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop>"
                                "</d:sync-collection>",
                          {{"Depth", "0"}, {"Content-Type", "application/xml; charset=utf-8"}}});
    QList<Response> rs;
    if (!multistatusOf(r, &rs, failure))
        return false;
    // The new token is a child of the multistatus itself.
    QXmlStreamReader x(r.body);
    if (x.readNextStartElement()) {
        while (x.readNextStartElement()) {
            if (nameOf(x) == Dav + QStringLiteral("sync-token"))
                *next = x.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            else
                x.skipCurrentElement();
        }
    }
    for (const Response &resp : std::as_const(rs)) {
        if (withSlash(resp.href) == withSlash(collection))
            continue;
        if (resp.status.contains(QStringLiteral(" 404")))
            *removed << resp.href;
        else if (resp.props.contains(Dav + QStringLiteral("getetag")))
            changed->insert(resp.href, resp.props.value(Dav + QStringLiteral("getetag")).text.trimmed());
    }
    if (next->isEmpty()) {
        failure->failure = Failure::Refused;
        failure->error = QStringLiteral("Réponse inattendue du serveur (jeton de synchronisation absent).");
        return false;
    }
    return true;
}

bool DavClient::fetch(bool addressBook, const QString &collection, const QStringList &hrefs,
                      QHash<QString, QPair<QString, QByteArray>> *items, Reply *failure)
{
    constexpr qsizetype Batch = 250;
    for (qsizetype from = 0; from < hrefs.size(); from += Batch) {
        QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
        body += addressBook ? "<a:addressbook-multiget " : "<c:calendar-multiget ";
        body += Namespaces + "><d:prop><d:getetag/>";
        body += addressBook ? "<a:address-data/>" : "<c:calendar-data/>";
        body += "</d:prop>";
        for (const QString &h : hrefs.mid(from, Batch))
            body += "<d:href>"
                    + QString::fromLatin1(urlOf(h).toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority))
                          .toHtmlEscaped()
                          .toUtf8()
                    + "</d:href>";
        body += addressBook ? "</a:addressbook-multiget>" : "</c:calendar-multiget>";
        QList<Response> rs;
        if (!multistatusOf(
                send(
                    {"REPORT", collection, body, {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}}}),
                &rs, failure))
            return false;
        const QString data =
            addressBook ? CardDav + QStringLiteral("address-data") : CalDav + QStringLiteral("calendar-data");
        for (const Response &resp : std::as_const(rs))
            if (resp.props.contains(data))
                items->insert(resp.href, {resp.props.value(Dav + QStringLiteral("getetag")).text.trimmed(),
                                          resp.props.value(data).text.toUtf8()});
    }
    return true;
}

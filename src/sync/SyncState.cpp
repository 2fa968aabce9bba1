#include "sync/SyncState.h"

#include "common/BaseName.h"

#include <QUrl>

namespace {

const QString Header = QStringLiteral("TIVAREL-SYNCHRO 1");

QString encoded(const QString &s)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(s, "/:@+=~!$&'()*,;"));
}

QString decoded(QStringView s)
{
    return QUrl::fromPercentEncoding(s.toLatin1());
}

char kindLetter(SyncItem::Kind k, bool series)
{
    switch (k) {
    case SyncItem::Kind::Appointment: return series ? 'S' : 'R';
    case SyncItem::Kind::Birthday: return 'A';
    case SyncItem::Kind::Contact: return 'C';
    }
    return 'R';
}

} // namespace

QString SyncState::pathFor(const QString &documentPath)
{
    return BaseName::withExtension(documentPath, QStringLiteral(".synchro"));
}

std::optional<SyncState> SyncState::fromLines(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first() != Header)
        return std::nullopt;
    SyncState state;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        if (line.startsWith(u"L ") && !state.items.isEmpty()) {
            state.items.last().lines << line.mid(2);
        } else if (line.startsWith(u"E ")) {
            const QList<QStringView> f = QStringView(line).mid(2).split(u' ');
            if (f.size() != 4 || f.at(0).size() != 1 || !QStringLiteral("RSAC").contains(f.at(0).at(0)))
                return std::nullopt;
            const QChar k = f.at(0).at(0);
            state.items << SyncItem{.kind = k == u'R' || k == u'S' ? SyncItem::Kind::Appointment
                                            : k == u'A'            ? SyncItem::Kind::Birthday
                                                                   : SyncItem::Kind::Contact,
                                    .href = decoded(f.at(1)),
                                    .etag = decoded(f.at(2)),
                                    .uid = decoded(f.at(3)),
                                    .lines = {},
                                    .series = k == u'S'};
        } else if (line.startsWith(u"T ") && line.count(u' ') == 2) {
            state.tokens.insert(decoded(QStringView(line).mid(2).split(u' ').at(0)),
                                decoded(QStringView(line).mid(2).split(u' ').at(1)));
        } else if (!line.isEmpty()) {
            return std::nullopt;
        }
    }
    return state;
}

QStringList SyncState::toLines() const
{
    QStringList out{Header};
    QStringList collections = tokens.keys();
    collections.sort();
    for (const QString &c : std::as_const(collections))
        out << QStringLiteral("T %1 %2").arg(encoded(c), encoded(tokens.value(c)));
    for (const SyncItem &item : items) {
        out << QStringLiteral("E %1 %2 %3 %4")
                   .arg(QChar::fromLatin1(kindLetter(item.kind, item.series)), encoded(item.href), encoded(item.etag),
                        encoded(item.uid));
        for (const QString &l : item.lines)
            out << QStringLiteral("L ") + l;
    }
    return out;
}

QString SyncAccount::pathFor(const QString &documentPath)
{
    return BaseName::withExtension(documentPath, QStringLiteral(".compte"));
}

SyncAccount SyncAccount::fromLines(const QStringList &lines)
{
    SyncAccount a;
    for (const QString &line : lines) {
        const QString key = line.section(u'=', 0, 0).trimmed(), value = line.section(u'=', 1);
        if (key == u"serveur")
            a.server = value;
        else if (key == u"utilisateur")
            a.user = value;
        else if (key == u"calendrier")
            a.calendar = value;
        else if (key == u"carnet")
            a.book = value;
        else if (key == u"automatique")
            a.automatic = value.trimmed() == u"oui";
    }
    return a;
}

QStringList SyncAccount::toLines() const
{
    return {QStringLiteral("serveur=") + server, QStringLiteral("utilisateur=") + user,
            QStringLiteral("calendrier=") + calendar, QStringLiteral("carnet=") + book,
            QStringLiteral("automatique=") + (automatic ? QStringLiteral("oui") : QStringLiteral("non"))};
}

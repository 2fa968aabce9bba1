// The synchronisation's decisions and its state file, without a server.

#include "agenda/IcsExchange.h"
#include "common/Cp1252Fit.h"
#include "contacts/AddressBook.h"
#include "sync/SyncConvert.h"
#include "sync/SyncPlan.h"

#include <QtTest>

using Kind = SyncItem::Kind;

class TestSyncCore : public QObject
{
    Q_OBJECT
private slots:
    void decisions_data();
    void decisions();
    void sameItemNewOnBothSidesIsAgreed();
    void receivedContactTakesTheNextPlace();
    void deletedContactLeavesItsPageNumbered();
    void allDayOccurrenceByDate();
    void stateFileRoundTrip();
};

namespace {

QString contact(int index, const QString &name)
{
    return AddressBook::lineOf(u'B', index, {{name, {}, {}, {}, {}, {}, {}}, {}});
}

QString describe(const SyncPlan::Plan &p)
{
    QStringList out;
    for (int i = 0; i < int(p.unchanged.size()); ++i)
        out << QStringLiteral("=");
    for (const SyncItem &s : p.send)
        out << QStringLiteral("send ") + s.lines.first();
    for (const auto &r : p.receive)
        out << (r.agreed < 0 ? QStringLiteral("get new") : r.conflict ? QStringLiteral("get!") : QStringLiteral("get"));
    out << QStringList(p.deleteThere.size(), QStringLiteral("del there"))
        << QStringList(p.deleteHere.size(), QStringLiteral("del here"));
    for (const SyncItem &f : p.fresh)
        out << QStringLiteral("new ") + f.lines.first();
    return out.join(QStringLiteral("; "));
}

} // namespace

void TestSyncCore::decisions_data()
{
    QTest::addColumn<QString>("agreed"); // the line agreed at the last synchronisation
    QTest::addColumn<QStringList>("here");
    QTest::addColumn<int>("etag"); // 1 as agreed, 2 changed, 0 gone
    QTest::addColumn<QString>("expected");
    const QString a = QStringLiteral("2026121010:00 Dentiste"), b = QStringLiteral("2026121010:00 Dentiste Dr X");
    QTest::newRow("same both") << a << QStringList{a} << 1 << "=";
    QTest::newRow("changed here") << a << QStringList{b} << 1 << "send " + b;
    QTest::newRow("deleted here") << a << QStringList{} << 1 << "del there";
    QTest::newRow("changed there") << a << QStringList{a} << 2 << "get";
    QTest::newRow("changed both: conflict") << a << QStringList{b} << 2 << "get!; new " + b;
    QTest::newRow("deleted here, changed there") << a << QStringList{} << 2 << "get";
    QTest::newRow("deleted there") << a << QStringList{a} << 0 << "del here";
    QTest::newRow("changed here, deleted there") << a << QStringList{b} << 0 << "new " + b;
    QTest::newRow("deleted both") << a << QStringList{} << 0 << "";
    QTest::newRow("moved to 11:00") << a << QStringList{"2026121011:00 Dentiste"} << 1
                                    << "del there; new 2026121011:00 Dentiste";
    QTest::newRow("new both sides") << a << QStringList{" ", a, "2026121108:00 Yoga", "20261212      Marché"} << 1
                                    << "=; get new; new 2026121108:00 Yoga; new 20261212      Marché";
    QTest::newRow("series: occurrence deleted here") << "S" + a << QStringList{} << 1 << "=";
    QTest::newRow("contact renumbered") << contact(1, "Dupont") << QStringList{contact(0, "Dupont")} << 1 << "=";
    QTest::newRow("contact changed") << contact(1, "Dupont") << QStringList{contact(0, "Dupont") + "x"} << 1
                                     << "send " + contact(0, "Dupont") + "x";
}

void TestSyncCore::decisions()
{
    QFETCH(QString, agreed);
    QFETCH(QStringList, here);
    QFETCH(int, etag);
    const Kind kind = agreed.startsWith(u'B') ? Kind::Contact : Kind::Appointment;
    const bool series = agreed.startsWith(u'S');
    const QList<SyncItem> state{{kind, "/u/c/a", "1", "uid-a", {agreed.mid(series)}, series}};
    SyncPlan::Listing there;
    if (etag)
        there.insert("/u/c/a", QString::number(etag));
    if (QTest::currentDataTag() == QByteArray("new both sides"))
        there.insert("/u/c/b", "7");
    SyncPlan::Local local;
    (kind == Kind::Contact ? local.contacts : local.agenda) = here;
    const SyncPlan::Plan p =
        kind == Kind::Contact ? SyncPlan::plan(local, state, {}, there) : SyncPlan::plan(local, state, there, {});
    QTEST(describe(p), "expected");
    // What is sent or deleted there stays agreed as it was until the server
    // has taken the change, and what is to be received until it has come: a
    // synchronisation cut short finds it again.
    if (!p.send.isEmpty() || !p.deleteThere.isEmpty() || !p.receive.isEmpty()) {
        const SyncPlan::Outcome o =
            SyncPlan::settle(local, state, p, {}, "/u/c/", "/u/b/", QDate(2026, 12, 1), "Europe/Paris");
        QCOMPARE(o.agreed, state);
    }
    // A conflict is told when the server's version comes in.
    if (QTest::currentDataTag() == QByteArray("changed both: conflict")) {
        const QByteArray ics = SyncConvert::toData(kind, "2026121011:00 Dentiste", "uid-a", {}, "Europe/Paris");
        const SyncPlan::Outcome o =
            SyncPlan::settle(local, state, p, {{"/u/c/a", ics}}, "/u/c/", "/u/b/", QDate(2026, 12, 1), "Europe/Paris");
        QCOMPARE(o.local.agenda.join(u'|') + u'|' + o.conflicts.join(u'|'),
                 "2026121010:00 Dentiste Dr X|2026121011:00 Dentiste|10/12/2026 10:00 Dentiste");
    }
}

// A send whose answer was lost, or a document and a calendar that already
// match: the server's item is agreed as it is, nothing doubled; what is only
// here goes up under the export's UID.
void TestSyncCore::sameItemNewOnBothSidesIsAgreed()
{
    const SyncPlan::Local local{{"2026121010:00 Dentiste", "2026121108:00 Yoga"}, {"0315 Paul"}, {" "}};
    const QDateTime now(QDate(2026, 12, 1), QTime(9, 0));
    const QByteArray phone = IcsExchange::exportOne("2026121010:00 Dentiste", false, "phone-1", now, "Europe/Paris");
    const SyncPlan::Plan p = SyncPlan::plan(local, {}, {{"/u/c/x.ics", "e1"}}, {});
    const SyncPlan::Outcome o =
        SyncPlan::settle(local, {}, p, {{"/u/c/x.ics", phone}}, "/u/c/", "/u/b/", now.date(), "Europe/Paris");
    QCOMPARE(o.local, local);
    QCOMPARE(o.agreed.size(), 1);
    QCOMPARE(o.agreed.first().uid, "phone-1");
    QCOMPARE(o.uploads.size(), 2);
    QCOMPARE(o.uploads.at(0).href, "/u/c/rdv-20261211-0800@tivarel.ics");
    QCOMPARE(o.uploads.at(1).kind, Kind::Birthday);
    QVERIFY(o.uploads.at(1).uid.startsWith("anniv-0315-"));
    QCOMPARE(
        SyncPlan::summary(12, 1, 0, 2, 1, 1, 1),
        "12 rendez-vous reçus, 1 envoyé, 2 contacts envoyés, 1 supprimé ici, 1 supprimé sur le serveur, 1 conflit");
}

// A contact made on a phone goes after those of its page: no two contacts
// share a place.
void TestSyncCore::receivedContactTakesTheNextPlace()
{
    const SyncPlan::Local local{{}, {}, {" ", contact(0, "Albert")}};
    const QByteArray card = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Bernard;Paul;;;\r\nUID:phone-2\r\nEND:VCARD\r\n";
    const SyncPlan::Plan p = SyncPlan::plan(local, {}, {}, {{"/u/b/x.vcf", "e1"}});
    const SyncPlan::Outcome o =
        SyncPlan::settle(local, {}, p, {{"/u/b/x.vcf", card}}, "/u/c/", "/u/b/", QDate(2026, 12, 1), "Europe/Paris");
    QCOMPARE(o.local.contacts.size(), 3);
    QCOMPARE(o.local.contacts.at(1), contact(0, "Albert"));
    QVERIFY(o.local.contacts.at(2).startsWith("B108"));
    QVERIFY(o.local.contacts.at(2).contains("Bernard"));
    QCOMPARE(o.agreed.value(0).uid, QStringLiteral("phone-2")); // what a change here sends back keeps it
    QCOMPARE(SyncConvert::fromCard("BEGIN:VCARD\r\nUID;VALUE=text:p-3\r\nN:X;;;;\r\nEND:VCARD\r\n").uid, "p-3");
    const QByteArray ended = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nDTSTART;VALUE=DATE:19800504\r\nRRULE:FREQ=YEARLY;"
                             "UNTIL=20300504\r\nSUMMARY:Bail\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    QCOMPARE(SyncConvert::fromCalendar(ended, QDate(2026, 12, 1), "Europe/Paris").kind, Kind::Appointment); // ends
    const QByteArray orphan = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:o\r\nRECURRENCE-ID:20261210T100000\r\n"
                              "DTSTART:20261210T110000\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"; // a moved occurrence alone
    QVERIFY(SyncConvert::fromCalendar(orphan, QDate(2026, 12, 1), "Europe/Paris").lines.isEmpty());
    // Page Z is a page like the others.
    const QString zoe = AddressBook::lineOf(u'Z', 0, {{"Zoé", {}, {}, {}, {}, {}, {}}, {}});
    QCOMPARE(SyncPlan::plan({{}, {}, {" ", zoe}}, {}, {}, {}).fresh.size(), 1);
}

// A contact deleted on the server leaves its page numbered again; an event
// in a zone known nowhere comes in at the time written.
void TestSyncCore::deletedContactLeavesItsPageNumbered()
{
    const SyncPlan::Local local{{}, {}, {" ", contact(0, "Albert"), contact(1, "Bernard")}};
    const QList<SyncItem> state{{Kind::Contact, "/u/b/a.vcf", "1", "a", {contact(0, "Albert")}}};
    const SyncPlan::Plan p = SyncPlan::plan(local, state, {}, {});
    const SyncPlan::Outcome o =
        SyncPlan::settle(local, state, p, {}, "/u/c/", "/u/b/", QDate(2026, 12, 1), "Europe/Paris");
    QCOMPARE(o.local.contacts, (QStringList{" ", contact(0, "Bernard")}));
    const QByteArray event = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:z\r\nDTSTART;TZID=Nulle/Part:20261210T100000\r\n"
                             "SUMMARY:Judo\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    QCOMPARE(SyncConvert::fromCalendar(event, QDate(2026, 12, 1), "Europe/Paris").lines,
             QStringList{"2026121010:00 Judo"});
}

// An all-day occurrence deleted or changed here is named by its date.
void TestSyncCore::allDayOccurrenceByDate()
{
    const QByteArray series = "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:g\r\nDTSTART;VALUE=DATE:20261203\r\n"
                              "RRULE:FREQ=WEEKLY;COUNT=3\r\nSUMMARY:Gym\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
    const QByteArray out =
        SyncConvert::withExceptions(series, {"20261210      Gym"}, {{"20261217      Gym", "20261218      Gym bis"}},
                                    QDateTime(QDate(2026, 12, 1), QTime(9, 0)), "Europe/Paris");
    QVERIFY2(out.contains("EXDATE;VALUE=DATE:20261210") && out.contains("RECURRENCE-ID;VALUE=DATE:20261217")
                 && out.contains("DTSTART;VALUE=DATE:20261218") && out.contains("SUMMARY:Gym bis")
                 && out.contains("DTSTAMP:20261201T080000Z"),
             out.constData());
}

void TestSyncCore::stateFileRoundTrip()
{
    SyncState s;
    s.items << SyncItem{Kind::Contact, "/jean/carnet é/x y.vcf", "\"3-1\"", "a b", {contact(0, "Zoé") + "\tz"}}
            << SyncItem{Kind::Birthday, "/c/2.ics", "", "u", {"0229 Léa", "0301 x"}}
            << SyncItem{Kind::Appointment, "/c/3.ics", "", "s", {}, true};
    s.tokens.insert("/jean/carnet é/", "http://radicale.org/ns/sync/a b");
    const QStringList lines = s.toLines();
    for (const QString &l : lines)
        QVERIFY2(Cp1252::holds(l), qPrintable(l));
    QCOMPARE(SyncState::fromLines(lines)->items, s.items);
    QCOMPARE(SyncState::fromLines(lines)->tokens, s.tokens);
    QVERIFY(!SyncState::fromLines({"2026121010:00 Dentiste"}));
    QVERIFY(!SyncState::fromLines(QStringList(lines) << "2026121010:00 Dentiste")); // a line of no known kind
    QStringList unknownKind = lines; // an item of no known kind: the state is not trusted
    const qsizetype item = unknownKind.indexOf(QRegularExpression("E C .*"));
    QVERIFY(item > 0);
    unknownKind[item][2] = u'X';
    QVERIFY(!SyncState::fromLines(unknownKind));
    const SyncAccount account{"https://cloud.example/remote.php/dav", "jean", "/cal/", "/book/", true};
    QCOMPARE(SyncAccount::fromLines(account.toLines()), account);
}

QTEST_GUILESS_MAIN(TestSyncCore)
#include "test_sync_core.moc"

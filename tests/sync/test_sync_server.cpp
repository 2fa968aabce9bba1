// Synchronisation of a document through the command line with a real
// Radicale server on this machine; the phone is played by plain HTTP.

#include "Fixtures.h"
#include "RadicaleServer.h"
#include "app/TChild.h"
#include "common/TextFile.h"
#include "document/SectionPage.h"
#include "model/DocumentModel.h"
#include "sync/SyncState.h"

#include <QLabel>
#include <QLineEdit>
#include <QtNetwork>
#include <QtTest>

class TestSyncServer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void twoWay_data();
    void twoWay();
    void conflictKeepsBoth();
    void seriesKeepsItsOccurrences();
    void serverKilledMidway();
    void refusedPassword();
    void forgottenTokenListsEverything();
    void automaticInTheWindow();

private:
    // A document of its own for user `user`, with one appointment, one
    // contact and one birthday, synchronised once.
    QString document(const QString &user, int appointments = 2);
    int sync(const QString &doc, const QString &password = "secret", QString *out = nullptr);
    QByteArray phone(const QByteArray &verb, const QString &doc, const QString &item, const QByteArray &body = {});
    QString text(const QString &doc, const QString &extension);

    QTemporaryDir m_dir; // the documents
    RadicaleServer m_server;
    int m_users = 0;
};

namespace {

const QByteArray Event = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//t//t//EN\r\nBEGIN:VEVENT\r\nUID:%U\r\n"
                         "DTSTAMP:20261201T100000Z\r\n%E\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
const QByteArray Card = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:%U\r\nFN:x\r\n%E\r\nEND:VCARD\r\n";

} // namespace

void TestSyncServer::initTestCase()
{
    QVERIFY2(m_server.start(), "Radicale did not start");
}

QString TestSyncServer::document(const QString &user, int appointments)
{
    const QString doc = m_dir.filePath(user + "/agenda.orz");
    QDir().mkpath(m_dir.filePath(user));
    QStringList agenda{"2026121010:00 Dentiste", "2026121108:00 Yoga"};
    for (int i = 2; i < appointments; ++i)
        agenda << QStringLiteral("20270101%1:%2 Rdv %3")
                      .arg(8 + i / 60, 2, 10, QChar('0'))
                      .arg(i % 60, 2, 10, QChar('0'))
                      .arg(i);
    TextFile::write(doc, agenda);
    TextFile::write(m_dir.filePath(user + "/agenda.oan"), {"0315 Paul"});
    TextFile::write(m_dir.filePath(user + "/agenda.ocn"),
                    {" ", QStringLiteral("A100Mme\u00a0Dupont\u00a0Jeanne\t\u00a0\t\t\u00a0\tTél: 01 02\u00a0\tFax: "
                                         "\u00a0\tE.mail \t")});
    TextFile::write(m_dir.filePath(user + "/agenda.compte"),
                    {"serveur=" + m_server.url().toString(), "utilisateur=" + user});
    return doc;
}

int TestSyncServer::sync(const QString &doc, const QString &password, QString *out)
{
    QProcess p;
    p.start(TIVAREL_EXE, {"--synchroniser", doc, "--mot-de-passe-stdin"});
    p.write(password.toUtf8() + "\n");
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) { // a hang: say where, and go on
        qWarning("tivarel still running after 120 s:\n%s\nRadicale:\n%s", p.readAllStandardError().constData(),
                 m_server.logTail().constData());
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (out)
        *out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    return p.exitCode();
}

// What the phone does or reads: `item` "agenda/x.ics", "carnet/" (the whole
// collection), "%C" standing for the name of the contact the document sent.
QByteArray TestSyncServer::phone(const QByteArray &verb, const QString &doc, const QString &item,
                                 const QByteArray &body)
{
    const auto account = SyncAccount::fromLines(*TextFile::read(SyncAccount::pathFor(doc)));
    const auto state = SyncState::fromLines(*TextFile::read(SyncState::pathFor(doc)));
    QString contact;
    for (const SyncItem &i : state->items)
        if (i.kind == SyncItem::Kind::Contact)
            contact = i.href.section('/', -1);
    QString path = item;
    path.replace("agenda/", account.calendar).replace("carnet/", account.book).replace("%C", contact);
    QUrl url = m_server.url();
    url.setPath(path, QUrl::DecodedMode);
    QNetworkRequest r(url);
    r.setRawHeader("Authorization", "Basic " + (doc.section('/', -2, -2) + ":secret").toUtf8().toBase64());
    QNetworkAccessManager net;
    QNetworkReply *reply = net.sendCustomRequest(r, verb, QByteArray(body).replace("%C", contact.chopped(4).toUtf8()));
    QSignalSpy done(reply, &QNetworkReply::finished);
    done.wait(10000);
    return reply->readAll();
}

QString TestSyncServer::text(const QString &doc, const QString &extension)
{
    return TextFile::read(doc.chopped(4) + extension).value_or(QStringList()).join('\n') + '\n';
}

void TestSyncServer::twoWay_data()
{
    QTest::addColumn<QByteArray>("verb"); // what the phone does, if anything
    QTest::addColumn<QString>("item");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("local");    // ".orz" line replaced here: before, after ("" deletes)
    QTest::addColumn<QStringList>("expected"); // "orz:text" in the document, "agenda/:text" on the server; "!" absent
    const QByteArray dentist = "DTSTART;TZID=Europe/Paris:20261210T100000\r\nSUMMARY:Dentiste Dr Kahn";
    QTest::newRow("sent up") << QByteArray() << "" << QByteArray() << QStringList()
                             << QStringList{"agenda/:SUMMARY:Dentiste", "agenda/:RRULE:FREQ=YEARLY",
                                            "carnet/:FN:Mme Jeanne Dupont", "orz:Yoga"};
    QTest::newRow("phone adds") << QByteArray("PUT") << "agenda/p1.ics"
                                << QByteArray(Event).replace("%E", "DTSTART:20261215T080000Z\r\nSUMMARY:Piscine")
                                << QStringList() << QStringList{"orz:2026121509:00 Piscine"};
    QTest::newRow("phone changes")
        << QByteArray("PUT") << "agenda/rdv-20261210-1000@tivarel.ics"
        << QByteArray(Event).replace("%E", dentist).replace("%U", "rdv-20261210-1000@tivarel") << QStringList()
        << QStringList{"orz:2026121010:00 Dentiste Dr Kahn\n", "!orz:Dentiste\n"};
    QTest::newRow("phone deletes") << QByteArray("DELETE") << "agenda/rdv-20261211-0800@tivarel.ics" << QByteArray()
                                   << QStringList() << QStringList{"!orz:Yoga", "orz:Dentiste"};
    QTest::newRow("phone adds a birthday")
        << QByteArray("PUT") << "agenda/b.ics"
        << QByteArray(Event).replace("%E", "DTSTART;VALUE=DATE:19900704\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Mariage")
        << QStringList() << QStringList{"oan:0704 Mariage\n", "!orz:Mariage"};
    QTest::newRow("phone adds a contact")
        << QByteArray("PUT") << "carnet/c1.vcf"
        << QByteArray(Card).replace("%E", "N:Martin;Paul;;;\r\nTEL:+33 6 12 34 56 78") << QStringList()
        << QStringList{"ocn:M100\u00a0Martin\u00a0Paul\t", "ocn:06 12 34 56 78"};
    QTest::newRow("phone changes a contact")
        << QByteArray("PUT") << "carnet/%C"
        << QByteArray(Card).replace("%U", "%C").replace("%E", "N:Dupont;Jeanne;;Mme;\r\nTEL:0600") << QStringList()
        << QStringList{"ocn:Tél: 0600", "!ocn:01 02"};
    QTest::newRow("phone deletes a contact")
        << QByteArray("DELETE") << "carnet/%C" << QByteArray() << QStringList() << QStringList{"!ocn:Dupont"};
    QTest::newRow("Tivarel changes") << QByteArray() << "" << QByteArray()
                                     << QStringList{"2026121010:00 Dentiste", "2026121010:00 Dentiste annulé"}
                                     << QStringList{"agenda/:SUMMARY:Dentiste annulé", "!agenda/:SUMMARY:Dentiste\r"};
    QTest::newRow("Tivarel deletes") << QByteArray() << "" << QByteArray() << QStringList{"2026121108:00 Yoga", ""}
                                     << QStringList{"!agenda/:Yoga", "agenda/:Dentiste"};
}

void TestSyncServer::twoWay()
{
    QFETCH(QByteArray, verb);
    QFETCH(QString, item);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, local);
    QFETCH(QStringList, expected);
    const QString doc = document(QStringLiteral("u%1").arg(++m_users));
    QCOMPARE(sync(doc), 0);
    if (!verb.isEmpty())
        phone(verb, doc, item, QByteArray(body).replace("%U", "phone-" + verb));
    if (!local.isEmpty()) {
        QStringList lines = *TextFile::read(doc);
        lines.replace(lines.indexOf(local.at(0)), local.at(1));
        lines.removeAll(QString());
        TextFile::write(doc, lines);
    }
    QString out;
    QCOMPARE(sync(doc, "secret", &out), 0);
    for (QString e : expected) {
        const bool absent = e.startsWith('!');
        e.remove(0, absent);
        const QString where = e.section(':', 0, 0), what = e.section(':', 1);
        const QString got = where.endsWith('/') ? QString::fromUtf8(phone("GET", doc, where)) : text(doc, "." + where);
        QVERIFY2(got.contains(what) != absent, qPrintable(e + " in:\n" + got + out));
    }
    QCOMPARE(sync(doc, "secret", &out), 0);
    QCOMPARE(out.trimmed(), "Rien à synchroniser : tout est à jour.");
}

void TestSyncServer::conflictKeepsBoth()
{
    const QString doc = document("u21");
    QCOMPARE(sync(doc), 0);
    phone("PUT", doc, "agenda/rdv-20261210-1000@tivarel.ics",
          QByteArray(Event)
              .replace("%E", "DTSTART;TZID=Europe/Paris:20261210T100000\r\nSUMMARY:Dentiste là-bas")
              .replace("%U", "rdv-20261210-1000@tivarel"));
    TextFile::write(doc, {"2026121010:00 Dentiste ici", "2026121108:00 Yoga"});
    QString out;
    QCOMPARE(sync(doc, "secret", &out), 0);
    QVERIFY2(out.contains("Conflit : « 10/12/2026 10:00 Dentiste »") && out.contains("1 conflit"), qPrintable(out));
    QVERIFY(text(doc, ".orz").contains("Dentiste ici\n") && text(doc, ".orz").contains("Dentiste là-bas\n"));
    const QString server = QString::fromUtf8(phone("GET", doc, "agenda/"));
    QVERIFY(server.contains("SUMMARY:Dentiste ici") && server.contains("SUMMARY:Dentiste là-bas"));
    QCOMPARE(sync(doc, "secret", &out), 0);
    QCOMPARE(out.trimmed(), "Rien à synchroniser : tout est à jour.");
}

// A weekly series made on the phone: an occurrence deleted here becomes an
// EXDATE, one changed here an instance of its own; the rule stays.
void TestSyncServer::seriesKeepsItsOccurrences()
{
    const QString doc = document("u24");
    QCOMPARE(sync(doc), 0);
    auto key = [](int week) { return QDate::currentDate().addDays(1 + 7 * week).toString("yyyyMMdd"); };
    phone("PUT", doc, "agenda/judo.ics",
          QByteArray(Event)
              .replace("%U", "judo")
              .replace("%E",
                       ("DTSTART;TZID=Europe/Paris:" + key(0) + "T180000\r\nRRULE:FREQ=WEEKLY;COUNT=4\r\nSUMMARY:Judo")
                           .toUtf8()));
    QCOMPARE(sync(doc), 0);
    QStringList lines = *TextFile::read(doc);
    QVERIFY(lines.removeOne(key(1) + "18:00 Judo"));
    lines.replace(lines.indexOf(key(2) + "18:00 Judo"), key(2) + "18:00 Judo annulé");
    TextFile::write(doc, lines);
    QString out;
    QCOMPARE(sync(doc, "secret", &out), 0);
    const QString server = QString::fromUtf8(phone("GET", doc, "agenda/judo.ics"));
    auto utc = [](int week) {
        return QDateTime(QDate::currentDate().addDays(1 + 7 * week), QTime(18, 0), QTimeZone("Europe/Paris"))
            .toUTC()
            .toString("yyyyMMdd'T'hhmmss'Z'");
    };
    QVERIFY2(server.contains("RRULE:FREQ=WEEKLY;COUNT=4") && server.count("EXDATE") == 1
                 && server.contains("EXDATE:" + utc(1)) && server.contains("RECURRENCE-ID:" + utc(2))
                 && server.contains("SUMMARY:Judo annulé"),
             qPrintable(server + out));
    QCOMPARE(sync(doc, "secret", &out), 0);
    QCOMPARE(out.trimmed(), "Rien à synchroniser : tout est à jour.");
    QCOMPARE(text(doc, ".orz").count("Judo"), 3);
}

// The server goes in the middle of the first sending: nothing local is lost,
// and once it is back the next synchronisation sends the rest.
void TestSyncServer::serverKilledMidway()
{
    const QString doc = document("u22", 150);
    const QString before = text(doc, ".orz");
    QProcess p;
    p.start(TIVAREL_EXE, {"--synchroniser", doc, "--mot-de-passe-stdin"});
    p.write("secret\n");
    p.closeWriteChannel();
    QDir sent(m_server.storage() + "/collection-root/u22/tivarel-agenda");
    QTRY_VERIFY_WITH_TIMEOUT(sent.entryList(QDir::Files).size() > 10, 60000);
    m_server.stop();
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 5);
    QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("la prochaine synchronisation"));
    QCOMPARE(text(doc, ".orz"), before);
    QVERIFY(m_server.start());
    QString out;
    const int status = sync(doc, "secret", &out);
    QVERIFY2(status == 0, qPrintable(out));
    QCOMPARE(text(doc, ".orz"), before);
    QCOMPARE(phone("GET", doc, "agenda/").count("BEGIN:VEVENT"), 151);
    QCOMPARE(sync(doc, "secret", &out), 0);
    QCOMPARE(out.trimmed(), "Rien à synchroniser : tout est à jour.");
}

void TestSyncServer::refusedPassword()
{
    const QString doc = document("u23");
    QString out;
    QCOMPARE(sync(doc, "faux", &out), 6);
    QVERIFY2(out.contains("refuse ce nom d'utilisateur ou ce mot de passe"), qPrintable(out));
    QVERIFY(!QFile::exists(SyncState::pathFor(doc)));
}

// A sync token the server no longer knows: the whole collection is listed
// and nothing is missed.
void TestSyncServer::forgottenTokenListsEverything()
{
    const QString doc = document("u26");
    QCOMPARE(sync(doc), 0);
    QStringList state = *TextFile::read(SyncState::pathFor(doc));
    QCOMPARE(state.filter(QRegularExpression("^T ")).size(), 2);
    state.replaceInStrings(QRegularExpression("^(T \\S+) \\S+$"), "\\1 http://radicale.org/ns/sync/oublie");
    TextFile::write(SyncState::pathFor(doc), state);
    phone("PUT", doc, "agenda/p1.ics",
          QByteArray(Event).replace("%E", "DTSTART:20261215T080000Z\r\nSUMMARY:Piscine").replace("%U", "p1"));
    QCOMPARE(sync(doc), 0);
    QVERIFY(text(doc, ".orz").contains("2026121509:00 Piscine"));
}

// A document whose account asks for it is synchronised when the window
// opens it and after each save; where no keyring keeps the password, it is
// asked once in the session, and what went well is told in the status bar.
void TestSyncServer::automaticInTheWindow()
{
    const QString doc = document("u25");
    QStringList account = *TextFile::read(SyncAccount::pathFor(doc));
    TextFile::write(SyncAccount::pathFor(doc), account << "automatique=oui");
    MainFormFixture f;
    f.ui.dialog([](QDialog *d) {
        d->findChild<QLineEdit *>("PasswordEdit")->setText("secret");
        return int(QDialog::Accepted);
    });
    f.form.openDocument(doc);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SyncState::pathFor(doc)), 30000);
    QVERIFY(phone("GET", doc, "agenda/").contains("SUMMARY:Yoga"));
    DocumentModel &model = f.child().model();
    model.agenda().setLines(QStringList(model.agenda().lines()) << "2026121209:00 Piscine");
    f.child().page(SectionId::Week)->display();
    f.child().document().setModified();
    QVERIFY(f.form.FileSave());
    QVERIFY(phone("GET", doc, "agenda/").contains("SUMMARY:Piscine"));
    QVERIFY2(f.ui.messages().isEmpty() && f.form.hintPanel()->text().contains("1 rendez-vous envoyé"),
             qPrintable(f.ui.messages().join('\n') + f.form.hintPanel()->text()));
}

QTEST_MAIN(TestSyncServer)
#include "test_sync_server.moc"

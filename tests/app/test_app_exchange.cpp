#include "Fixtures.h"
#include "agenda/IcsExchange.h"
#include "agenda/WeekPage.h"
#include "app/DocumentLock.h"
#include "budget/BudgetCsv.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetStore.h"
#include "common/TextFile.h"
#include "contacts/AddressBook.h"
#include "contacts/ContactForm.h"
#include "contacts/VCard.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSpinBox>
#include <QStringDecoder>
#include <QTreeWidget>

#include <libical/ical.h>

// Exchange with other programs: iCalendar, vCard and CSV files, the command
// line and the File menu's export and import.
class TestAppExchange : public QObject
{
    Q_OBJECT

    const QDateTime m_now{QDate(2026, 1, 5), QTime(9, 0)};

    static QStringList newLines(const ExchangeItems &items, ExchangeItem::Status s = ExchangeItem::Status::New)
    {
        QStringList out;
        for (const auto &i : items)
            if (i.status == s)
                out << (i.line.isEmpty() ? i.note : i.line);
        return out;
    }
    // Every physical line of an export at most 75 octets and whole UTF-8.
    static void checkFolded(const QByteArray &data)
    {
        for (const QByteArray &l : data.split('\n')) {
            QVERIFY2(l.size() <= 76, l.constData());
            // Each line on its own is whole UTF-8: no letter is cut in two.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = utf8.decode(l);
            QVERIFY2(!utf8.hasError(), l.constData());
        }
    }

private slots:
    // Agenda -> ICS -> agenda keeps date, time and message; libical reads the
    // export back with as many events; a second export gives the same UIDs
    // and importing it again adds nothing.
    void icsRoundTrip_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("back");
        QTest::newRow("accents, commas, semicolons") << QStringList{"2026010510:00 Réunion, budget; bilan \\ fin"}
                                                     << QStringList{"2026010510:00 Réunion, budget; bilan \\ fin"};
        QTest::newRow("leading blank hour, all day") << QStringList{"20260105 9:30 Dentiste", "20260106      Férié"}
                                                     << QStringList{"2026010509:30 Dentiste", "20260106      Férié"};
        QTest::newRow("item pasted without a time field")
            << QStringList{"20260107texte collé"} << QStringList{"20260107      texte collé"};
        const QString longText = QString("Très long rendez-vous à l'hôpital ").repeated(6).trimmed();
        QTest::newRow("long line folds, same time twice")
            << QStringList{"2026070114:15 " + longText, "2026070114:15 Autre"}
            << QStringList{"2026070114:15 " + longText, "2026070114:15 Autre"};
        QTest::newRow("blank at the end")
            << QStringList{"2026010510:00 Fin avec blanc "} << QStringList{"2026010510:00 Fin avec blanc "};
        QTest::newRow("damaged lines left out")
            << QStringList{"2026023110:00 Faux", "x0260105 Faux", "2026010510:00 Vrai"}
            << QStringList{"2026010510:00 Vrai"};
    }
    void icsRoundTrip()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, back);
        const QStringList birthdays{"0315 Paul", "0229 Léon", "12"}; // "12" is damaged
        const QByteArray ics = IcsExchange::exportCalendar(lines, birthdays, m_now, "Europe/Paris");
        checkFolded(ics);
        QVERIFY(ics.contains("DTSTART;VALUE=DATE:20280229"));
        icalcomponent *cal = icalparser_parse_string(ics.constData());
        QVERIFY(cal);
        QCOMPARE(icalcomponent_count_components(cal, ICAL_VEVENT_COMPONENT), int(back.size()) + 2);
        // What strict readers (a phone, a web calendar) require of a calendar and its events.
        QVERIFY(icalcomponent_get_first_property(cal, ICAL_VERSION_PROPERTY));
        QVERIFY(icalcomponent_get_first_property(cal, ICAL_PRODID_PROPERTY));
        for (icalcomponent *e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
             e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT))
            QVERIFY(icalcomponent_get_first_property(e, ICAL_UID_PROPERTY)
                    && icalcomponent_get_first_property(e, ICAL_DTSTAMP_PROPERTY));
        icalcomponent_free(cal);
        QCOMPARE(IcsExchange::exportCalendar(lines, birthdays, m_now.addDays(3), "Europe/Paris")
                     .replace("20260108T08", "20260105T08"),
                 ics);
        QCOMPARE(newLines(IcsExchange::importCalendar(ics, {}, {}, m_now.date(), "Europe/Paris")).mid(0, back.size()),
                 back);
        const auto again = IcsExchange::importCalendar(ics, lines, birthdays, m_now.date(), "Europe/Paris");
        QCOMPARE(countOf(again, ExchangeItem::Status::New), 0);
        QCOMPARE(countOf(again, ExchangeItem::Status::Present), back.size() + 2);
    }

    // Recurring events give their occurrences of the next twelve months in
    // local time, less exceptions and moved instances.
    void icsRecurrence_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("weekly, exdate, moved")
            << "DTSTART;TZID=Europe/Paris:20251230T183000\nRRULE:FREQ=WEEKLY;COUNT=4\n"
               "EXDATE;TZID=Europe/Paris:20260113T183000\nSUMMARY:Piscine\nUID:p\n"
               "END:VEVENT\nBEGIN:VEVENT\nUID:p\nSUMMARY:Piscine\n"
               "RECURRENCE-ID;TZID=Europe/Paris:20260106T183000\n"
               "DTSTART;TZID=Europe/Paris:20260107T190000"
            << QStringList{"2026012018:30 Piscine", "2026010719:00 Piscine"};
        QTest::newRow("yearly all day, utc to local")
            << "DTSTART;VALUE=DATE:20200229\nRRULE:FREQ=YEARLY\nSUMMARY:Léa\n"
               "END:VEVENT\nBEGIN:VEVENT\nDTSTART:20260701T220000Z\nSUMMARY:Vol"
            << QStringList{"20260702      Vol", "2026070200:00 Vol"}.mid(1);
        QTest::newRow("several days, cancelled")
            << "DTSTART;VALUE=DATE:20260210\nDTEND;VALUE=DATE:20260212\nSUMMARY:Ski\n"
               "END:VEVENT\nBEGIN:VEVENT\nSTATUS:CANCELLED\nDTSTART:20260301T100000\n"
               "SUMMARY:Annulé"
            << QStringList{"20260210      Ski", "20260211      Ski"};
        QTest::newRow("start and extra dates, a tab ending the summary")
            << "DTSTART:20260301T100000\nRDATE:20260310T100000,20260320T100000\nSUMMARY:C\t"
            << QStringList{"2026030110:00 C ", "2026031010:00 C ", "2026032010:00 C "};
        QTest::newRow("extra dates among a rule's, in order, in its zone")
            << "DTSTART;TZID=America/New_York:20260301T100000\nRRULE:FREQ=WEEKLY;COUNT=2\nRDATE:20260303T100000\n"
               "RDATE:20260304T120000Z\nSUMMARY:C"
            << QStringList{"2026030116:00 C", "2026030316:00 C", "2026030413:00 C", "2026030815:00 C"};
        QTest::newRow("zones named, not defined")
            << "DTSTART;TZID=/mozilla.org/20070129_1/America/New_York:20260301T140000\nSUMMARY:M\nEND:VEVENT\n"
               "BEGIN:VEVENT\nDTSTART;TZID=Eastern Standard Time:20260301T100000\nSUMMARY:W"
            << QStringList{"2026030120:00 M", "2026030116:00 W"};
        QTest::newRow("zone defined by the file")
            << "DTSTART;TZID=Heure de Tokyo:20260301T180000\nRDATE;TZID=Heure de Tokyo:20260305T180000\nSUMMARY:T\n"
               "END:VEVENT\nBEGIN:VTIMEZONE\n"
               "TZID:Heure de Tokyo\nBEGIN:STANDARD\nDTSTART:19700101T000000\nTZOFFSETFROM:+0900\n"
               "TZOFFSETTO:+0900\nEND:STANDARD\nEND:VTIMEZONE\nBEGIN:VEVENT\nDTSTART:20260302T100000\nSUMMARY:U"
            << QStringList{"2026030110:00 T", "2026030510:00 T", "2026030210:00 U"};
        QTest::newRow("clocks changing")
            << "DTSTART;TZID=Europe/Paris:20270328T023000\nSUMMARY:P\nEND:VEVENT\nBEGIN:VEVENT\n"
               "DTSTART;TZID=America/New_York:20270314T023000\nSUMMARY:N\nEND:VEVENT\n"
               "BEGIN:VEVENT\nDTSTART;TZID=America/New_York:20261101T013000\nSUMMARY:D"
            << QStringList{"2027032803:30 P", "2027031408:30 N", "2026110106:30 D"};
    }
    void icsRecurrence()
    {
        QFETCH(QString, events);
        const QString ics = "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\n" + events + "\nEND:VEVENT\nEND:VCALENDAR\n";
        const ExchangeItems items = IcsExchange::importCalendar(ics.toUtf8(), {}, {}, m_now.date(), "Europe/Paris");
        QTEST(newLines(items), "lines");
        // Each walked whole: no occurrence said left out. Only the events that
        // began before today (in 2020 or 2025) say their earlier ones are not taken.
        for (const ExchangeItem &i : items)
            QVERIFY2(!i.note.contains("trop longue")
                         && (!i.note.contains("d'avant") || events.contains(":2020") || events.contains(":2025")),
                     qPrintable(i.note));
    }

    // Contacts -> vCard -> contacts keep every entry and the letter page;
    // what the book cannot hold is left out with its reason.
    void vcardRoundTrip_data()
    {
        QTest::addColumn<QStringList>("entries"); // the 13 dialog entries, "|" for none
        QTest::addColumn<QString>("note");
        QTest::newRow("full, escapes") << QString("M.|Dupont|Jean-François|Directeur|ACME, Inc; SA|12, rue de la Paix; "
                                                  "bât. A \\ B|75002|Paris|01 02 03 04 05|06 07 08 09 10|01 99|France|"
                                                  "jf@exemple.fr")
                                              .split('|')
                                       << QString();
        QTest::newRow("long folded address, a cut never inside a letter")
            << ("|Éléonore||||" + QString(68, u'a') + "é des Châtaigniers|||||||").split('|') << QString();
        QTest::newRow("longer than the dialog")
            << QString("|Unnomvraimenttroplongpourlecarnet||||||||||||").split('|') << QString();
        QTest::newRow("longer than the line") << ("|Long||||" + QString(250, u'a') + "|||||||").split('|')
                                              << "Adresse non repris : la fiche dépasserait 255 caractères";
        QTest::newRow("emoji") << QString("🦊|Zoé||||||||||||").split('|')
                               << "Titre : caractères impossibles à enregistrer, non repris (🦊)";
    }
    void vcardRoundTrip()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, note);
        ContactForm form;
        for (int e = 0; e < ContactForm::EntryCount; ++e)
            form.entries[e] = entries.at(e);
        const QString line = AddressBook::lineOf(u'K', 0, {form.toFields(), {}});
        const QByteArray vcf = VCard::exportBook({" ", "0000 damaged", line});
        checkFolded(vcf);
        QVERIFY(vcf.startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\n")); // phones want the version first
        const ExchangeItems items = VCard::importCards(vcf, {" "}, u'A');
        QCOMPARE(items.size(), 1);
        if (!note.isEmpty()) {
            QVERIFY2(items.at(0).note.contains(note), qPrintable(items.at(0).note));
            return;
        }
        QCOMPARE(items.at(0).line, line);
        QCOMPARE(VCard::importCards(vcf, {" ", line}, u'A').at(0).status, ExchangeItem::Status::Present);
        QStringList full{" "}; // page K holding all it can
        for (int i = 0; i < AddressBook::MaxContactsPerPage; ++i)
            full << AddressBook::lineOf(u'K', i, {{QString::number(i)}, {}});
        const ExchangeItem onFull = VCard::importCards(vcf, full, u'A').at(0);
        QVERIFY(onFull.status == ExchangeItem::Status::Refused && onFull.note == "la page K est pleine");
    }

    // Files from other programs, damaged or hostile ones too: what they give
    // and what is told (in an entry's line or note, or of the whole file),
    // never a crash.
    void damagedFiles_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("expected"); // new/present/refused, or "error"; then what is told
        QTest::newRow("ics: no calendar") << QByteArray("\x01\xff garbage") << "error";
        QTest::newRow("ics: no start") << QByteArray("BEGIN:VEVENT\nSUMMARY:x\nEND:VEVENT") << "0/0/1";
        QTest::newRow("ics: every minute") << QByteArray("BEGIN:VEVENT\nDTSTART:20260301T100000\nRRULE:FREQ=MINUTELY\n"
                                                         "SUMMARY:x\nEND:VEVENT")
                                           << "1000/0/0 au moins";
        QTest::newRow("ics: hourly since 2000")
            << QByteArray("BEGIN:VEVENT\nDTSTART:20000101T143000\nRRULE:FREQ=HOURLY\n"
                          "SUMMARY:x\nEND:VEVENT")
            << "1000/0/0 7760 occurrence(s)";
        QTest::newRow("ics: counted rule begun long ago")
            << QByteArray("BEGIN:VEVENT\nDTSTART:14780827T100000\nRRULE:FREQ=DAILY;COUNT=300000\n"
                          "SUMMARY:x\nEND:VEVENT")
            << "90/0/0 répétition trop longue à parcourir";
        QTest::newRow("ics: zone known nowhere") << QByteArray("BEGIN:VEVENT\nDTSTART;TZID=Nulle/Part:20260301T100000\n"
                                                               "END:VEVENT")
                                                 << "0/0/1 Nulle/Part";
        QTest::newRow("ics: emoji") << QByteArray(
            "BEGIN:VEVENT\nDTSTART:20260301T100000\nSUMMARY:F\xC3\xAAte \xF0\x9F\x8E\x89 chez "
            "Zo\xC3\xA9\nEND:VEVENT")
                                    << "1/0/0 Fête chez Zoé\n";
        QTest::newRow("ics: a ninth Monday each month")
            << QByteArray("BEGIN:VEVENT\nDTSTART:20260301T100000\nRRULE:FREQ=MONTHLY;BYDAY=+9MO\nSUMMARY:x\nEND:VEVENT")
            << "0/0/1 règle de répétition illisible";
        QTest::newRow("ics: to-dos only")
            << QByteArray("BEGIN:VTODO\nSUMMARY:x\nEND:VTODO") << "0/0/0 aucun rendez-vous";
        QTest::newRow("ics: end missing")
            << QByteArray("BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260301T100000\nEND:VEVENT") << "1/0/0 coupé";
        QTest::newRow("ics: an empty line first") << QByteArray(
            "\nBEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260301T100000\nSUMMARY:x\nEND:VEVENT\nEND:VCALENDAR")
                                                  << "1/0/0 2026030110:00 x";
        QTest::newRow("vcf: a phone's full card")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nN:Roy;Ana;;;\nBDAY:19800504\nNOTE:Voisine\nURL:https://ana.fr\n"
                          "TEL;TYPE=cell:tel:+33 6 12 34 56 78\nTEL:01 02\nTEL:01 03\nEMAIL:a@x.fr\nEMAIL:b@x.fr\n"
                          "ADR:;;1 rue A;Nice;;06000;\nADR:;;2 rue B;Lyon;;69001;\nEND:VCARD")
            << "1/0/0 E.mail a@x.fr\t\nnuméro 01 03 non repris ; adresse b@x.fr non reprise ; non repris : "
               "anniversaire "
               "« 19800504 », note « Voisine », site « https://ana.fr », autre adresse « 2 rue B Lyon 69001 »";
        QTest::newRow("vcf: international numbers")
            << QByteArray("BEGIN:VCARD\nN:Roy;;;;\nTEL:+33 (0) 1 23\nTEL:0033.1.45\nTEL;TYPE=fax:+33 0 5\n"
                          "TEL:+44 20 79\nEND:VCARD")
            << "1/0/0 Tél: 01 23\u00A0Tél: 01.45\tFax: +33 0 5\u00A0\tE.mail \t\nnuméro +44 20 79 non repris";
        QTest::newRow("vcf: cut short") << QByteArray("BEGIN:VCARD\nN;ENCODING=QUOTED-PRINTABLE:Mart=\nin") << "1/0/0";
        QTest::newRow("vcf: an old phone's 2.1 card")
            << QByteArray("BEGIN:VCARD\nVERSION:2.1\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:L=C3=A9ger;Ren=C3=\n"
                          "=A9e;;;\nTEL;CELL:0612345678\nEND:VCARD")
            << "1/0/0 L\u00e9ger\u00A0Ren\u00e9e";
        QTest::newRow("vcf: more than a contact line holds")
            << ("BEGIN:VCARD\nN:Long;Jean;;;\nADR:;;" + QByteArray(160, 'a')
                + ";Paris;;75001;\nEMAIL:" + QByteArray(120, 'b') + "@x.fr\nEND:VCARD")
            << "1/0/0 E.mail \t\n";
        QTest::newRow("vcf: three characters more than a contact line holds")
            << ("BEGIN:VCARD\nN:Roy;;;;\nEMAIL:" + QByteArray(220, 'b') + "@x.fr\nEND:VCARD")
            << "1/0/0 E.mail non repris : la fiche dépasserait 255 caractères";
        QTest::newRow("vcf: empty card") << QByteArray("BEGIN:VCARD\nTEL:\nEND:VCARD") << "0/0/1";
        QTest::newRow("vcf: a number, no name")
            << QByteArray("BEGIN:VCARD\nTEL:01 02 03 04 05\nEND:VCARD") << "1/0/0 (carte sans nom)";
        QTest::newRow("vcf: its beginning lost")
            << QByteArray("N:Faux;;;;\nEND:VCARD\nBEGIN:VCARD\nN:Roy;Ana;;;\nEND:VCARD") << "1/0/0 Roy";
        QTest::newRow("vcf: no card") << QByteArray("\xff\xfe hello") << "error";
        QTest::newRow("vcf: longer than the dialog")
            << TestFiles::readBytes(EXCHANGE_DATA "/card.vcf")
            << "1/0/0 M100Mme\u00A0Martin\u00A0Claire\t\u00A0Compagnie des Eaux du L\\\t\t"
               "\u00A0\tTél: 06 12 34 56 78\u00A0\tFax: \u00A0\t"
               "E.mail claire.martin.longue@exemple-domaine.fr\t\n";
        QTest::newRow("vcf: a name in A")
            << QByteArray("BEGIN:VCARD\nN:Arnaud;Lea;;;\nX-TIVAREL-PAGE:9\nEND:VCARD") << "1/0/0 A100";
        QTest::newRow("vcf: company and full name")
            << QByteArray("BEGIN:VCARD\nFN:labeled guy\nORG:Test Inc\nEND:VCARD")
            << "1/0/0 labeled guy\u00A0\t\u00A0Test Inc";
        QTest::newRow("vcf: parts without a field") << QByteArray("BEGIN:VCARD\nN:Roy;Ana;Lou;;\nNICKNAME:Nana\n"
                                                                  "ADR:BP 4;;;Nice;Var;;\nEND:VCARD")
                                                    << "1/0/0 autres prénoms « Lou », surnom « Nana », boîte "
                                                       "postale « BP 4 », région « Var »";
    }
    void damagedFiles()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, expected);
        const QString counts = expected.section(u' ', 0, 0), told = expected.section(u' ', 1);
        ExchangeNotes notes;
        const ExchangeItems items =
            QTest::currentDataTag()[0] == 'i'
                ? IcsExchange::importCalendar(data, {}, {}, m_now.date(), "Europe/Paris", &notes)
                : VCard::importCards(data, {" "}, u'Z', &notes);
        using S = ExchangeItem::Status;
        QCOMPARE(notes.error.isEmpty() ? QString("%1/%2/%3")
                                             .arg(countOf(items, S::New))
                                             .arg(countOf(items, S::Present))
                                             .arg(countOf(items, S::Refused))
                                       : "error",
                 counts);
        QString all = notes.notes.join(u'\n');
        for (const auto &i : items)
            all += i.label + u'\n' + i.line + u'\n' + i.note + u'\n';
        QVERIFY2(all.contains(told), qPrintable(all));
    }

    // A budget month read back with a plain split gives its amounts, with a
    // decimal comma, after the byte-order mark; texts are quoted, and one a
    // spreadsheet would take for a formula gets an apostrophe.
    void budgetCsv_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("row");
        QTest::newRow("quotes") << "Marché; \"bio\""
                                << QString("03/01/2026;\"Courses\";\"Marché; \"\"bio\"\"\";45,30;");
        QTest::newRow("formula") << "=1+1" << QString("03/01/2026;\"Courses\";\"'=1+1\";45,30;");
        QTest::newRow("number-like text") << "00123" << QString("03/01/2026;\"Courses\";\"00123\";45,30;");
    }
    void budgetCsv()
    {
        QFETCH(QString, label);
        const QString key = BudgetFormat::monthKeyFor("Caisse", 2026, 1);
        QStringList lines;
        const QStringList rows[] = {{"03/01/2026", "Courses", label, "      45,30", ""},
                                    {"15/01/2026", "Salaire", "Paye", "", "   1234,56"}};
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < 6; ++c)
                lines << BudgetFormat::cellLine(key, r, c, rows[r].value(c));
        BudgetStore store;
        store.setLines(lines);
        const QByteArray csv = BudgetCsv::journal(store, "Caisse", 2026, 1, 12);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList back = QString::fromUtf8(csv.mid(3)).split("\r\n");
        QTEST(back.value(1), "row");
        QCOMPARE(back.value(2).split(';').mid(3), QStringList({"", "1234,56"}));
    }

    // The program run from the command line: its exit status and what it
    // tells on the standard error stream; a run that fails changes nothing.
    void commandLine_data()
    {
        QTest::addColumn<QString>("args");
        QTest::addColumn<int>("status"); // 4: a window of another program has the document open
        QTest::addColumn<QString>("told");
        // name | arguments | exit status | what the standard error says
        const QString rows = QStringLiteral(R"(
export ics | --exporter ics D/agenda.orz D/out.ics | 0
export csv year | --exporter csv --periode 2026 D/agenda.orz D/out.csv | 0
import vcf | --importer vcf D/agenda.orz D/card.vcf | 0 | 1 ajouté(s)
notes told | --importer ics D/agenda.orz D/notes.ics | 0 | Ajouté : 04/04/2026 20:00 Fête chez Zoé (caractères refusés
held by a window | --importer ics D/agenda.orz D/notes.ics | 4 | ouvert dans Tivarel
all refused | --importer ics D/agenda.orz D/zone.ics | 7 | Nulle/Part
bank statement | --importer qif --compte Caisse D/agenda.orz D/releve.qif | 0
statement, held | --importer qif --compte Caisse D/agenda.orz D/releve.qif | 4 | ouvert dans Tivarel
statement, no such account | --importer qif --compte Nulle D/agenda.orz D/releve.qif | 7 | introuvable
statement, csv | --importer csv --compte Caisse D/agenda.orz D/releve.csv | 0
statement, missing input | --importer ofx --compte Caisse D/agenda.orz D/absent.ofx | 2 | absent.ofx n'existe pas
statement, no account | --importer qif D/agenda.orz D/releve.qif | 1 | --compte
statement, missing document | --importer ofx --compte Caisse D/autre.orz D/releve.qif | 2 | autre.orz
export vcf | --exporter vcf D/agenda.orz D/out.vcf | 0
export films | --exporter csv --section films D/agenda.orz D/out.csv | 0
export books | --exporter csv --section livres D/agenda.orz D/out.csv | 0
unknown section | --exporter csv --section disques D/agenda.orz D/out.csv | 1 | disques
export, no output | --exporter ics D/agenda.orz | 1 | de sortie
unknown option | --nimportequoi | 1 | Utilisation :
unknown letter | -z | 1 | inconnue : -z
help | --help | 0
version | --version | 0
sync and more | --synchroniser D/agenda.orz D/card.vcf | 1 | un seul document
sync option alone | --serveur http://x D/agenda.orz | 1 | --serveur
reminders and export | --rappels --exporter ics D/agenda.orz D/out.ics | 1 | --rappels
bad week | --semaine 20261232 D/agenda.orz | 1 | 20261232
account, no export | --compte Caisse D/agenda.orz | 1 | --compte
two documents | D/agenda.orz D/card.vcf | 1 | Un seul document
bad format | --exporter pdf D/agenda.orz D/out.pdf | 1 | pdf
bad period | --exporter csv --periode 13/2026 D/agenda.orz D/out.csv | 1 | 13
period of three parts | --exporter csv --periode 1/02/2026 D/agenda.orz D/out.csv | 1 | 1/02/2026
year 0 | --exporter csv --periode 0000 D/agenda.orz D/out.csv | 1 | 0000
over a document file | --exporter ics D/agenda.orz D/agenda.ocn | 1
missing document | --exporter vcf D/autre.orz D/out.vcf | 2 | autre.orz
missing input | --importer ics D/agenda.orz D/absent.ics | 2 | absent.ics
not a calendar | --importer ics D/agenda.orz D/card.vcf | 2
unwritable output | --exporter ics D/agenda.orz D/nul/part/out.ics | 3
)");
        for (const QString &row : rows.trimmed().split(u'\n')) {
            const QStringList f = row.split(QStringLiteral(" | "));
            QTest::newRow(qPrintable(f[0])) << f[1] << f[2].toInt() << f.value(3);
        }
    }
    void commandLine()
    {
        QFETCH(QString, args);
        QFETCH(int, status);
        const bool held = status == 4;
        QFETCH(QString, told);
        QTemporaryDir dir;
        const QByteArray orz = TestFiles::crlf({"2026010510:00 Dentiste"});
        TestFiles::writeBytes(dir.filePath("agenda.orz"), orz);
        TextFile::write(dir.filePath("agenda.ocn"),
                        {" ", QStringLiteral("A100Mme\u00a0Dupont\u00a0Jeanne\t\t\t\t\t\t")});
        TextFile::write(dir.filePath("agenda.ovd"), {"<BLOC0000>", "F", "09/03/2024", "4", "Nikita", "", "", "", "",
                                                     "2000", "60", "", "96", "", "96", "", "</BLOC0000>"});
        TextFile::write(dir.filePath("agenda.olv"), {"<BLOC0000>", "L1", "31/12/2025", "3", "Les Misérables", "", "",
                                                     "", "", "1999", "Bon", "Memo5", "</BLOC0000>"});
        QStringList budget;
        for (int c = 0; c < 6; ++c)
            budget << BudgetFormat::cellLine(BudgetFormat::monthKeyFor("Caisse", 2026, 1), 0, c,
                                             QStringList{"06/01/2026", "", "Galette", "       9,90"}.value(c));
        TextFile::write(dir.filePath("agenda.obg"), budget);
        for (const QString &name : QDir(EXCHANGE_DATA).entryList(QDir::Files))
            QFile::copy(EXCHANGE_DATA "/" + name, dir.filePath(name));
        DocumentLock lock;
        if (held)
            QCOMPARE(lock.lock(dir.filePath("agenda.orz")), DocumentLock::Result::Locked);
        const auto entries = [&dir] { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); };
        const QStringList before = entries();
        QProcess tivarel;
        tivarel.start(TIVAREL_EXE, args.replace("D/", dir.path() + "/").split(u' '));
        if (!tivarel.waitForFinished(20000))
            tivarel.kill(); // a window was opened
        const QString err = QString::fromUtf8(tivarel.readAllStandardError());
        QCOMPARE(tivarel.exitCode(), status);
        QVERIFY2(err.contains(told) && err.isEmpty() == (told.isEmpty() && status == 0), qPrintable(err));
        QVERIFY2(!err.contains("libical"), qPrintable(err)); // libical's own messages stay out
        // A command that fails writes nothing, not even a backup.
        if (status != 0)
            QVERIFY(TestFiles::readBytes(dir.filePath("agenda.orz")) == orz && entries() == before);
        // What an import says it added is in the document's file; what an
        // export wrote is in its file.
        const QHash<QByteArray, QPair<QString, QByteArray>> added{
            {"import vcf", {"agenda.ocn", "Martin"}},
            {"notes told", {"agenda.orz", "2026040420:00 F\xeate chez Zo\xe9"}},
            {"export ics", {"out.ics", "SUMMARY:Dentiste"}},
            {"bank statement", {"agenda.obg", "Boulangerie"}},
            {"statement, csv", {"agenda.obg", "Pharmacie du march\xe9"}},
            {"export vcf", {"out.vcf", "N:Dupont;Jeanne;;Mme;"}},
            {"export csv year", {"out.csv", "06/01/2026;\"\";\"Galette\";9,90"}},
            {"export films", {"out.csv", "Nikita"}},
            {"export books", {"out.csv", "Les Mis\xc3\xa9rables"}}};
        if (const auto a = added.value(QTest::currentDataTag()); !a.first.isEmpty())
            QVERIFY2(TestFiles::readBytes(dir.filePath(a.first)).contains(a.second),
                     TestFiles::readBytes(dir.filePath(a.first)).constData());
    }

    // Through the menu: the agenda exported, then a calendar imported
    // through the preview (an unknown zone taken as local time, as the user
    // answers); the document's own files stay as they were.
    void menuExportThenImport()
    {
        MainFormFixture f(m_now);
        const QByteArray orz = TestFiles::crlf({"2026010510:00 Dentiste"});
        TestFiles::writeBytes(f.path("agenda.orz"), orz);
        f.ui.fileName(f.path("agenda.orz"));
        f.form.FileOpen();
        f.ui.fileName(f.path("sortie"));
        f.form.action("ExportIcsItem")->trigger();
        QByteArray ics = TestFiles::readBytes(f.path("sortie.ics"));
        QVERIFY(ics.contains("SUMMARY:Dentiste"));
        ics.replace("END:VCALENDAR", "BEGIN:VEVENT\r\nDTSTART:20260106T140000\r\nSUMMARY:Coiffeur\r\nEND:VEVENT\r\n"
                                     "BEGIN:VEVENT\r\nDTSTART;TZID=Nulle/Part:20260107T150000\r\nSUMMARY:Ailleurs\r\n"
                                     "END:VEVENT\r\nEND:VCALENDAR");
        TestFiles::writeBytes(f.path("sortie.ics"), ics);
        f.ui.fileName(f.path("sortie.ics"));
        QString summary, note;
        f.ui.dialog([&summary, &note](QDialog *d) {
            summary = d->findChild<QLabel *>("SummaryLabel")->text();
            const auto found = d->findChild<QTreeWidget *>("ItemList")->findItems("Ailleurs", Qt::MatchContains);
            note = found.isEmpty() ? QString() : found[0]->text(3);
            return int(QDialog::Accepted);
        });
        f.ui.answer(QMessageBox::Yes);
        f.form.action("ImportIcsItem")->trigger();
        QCOMPARE(summary, "2 à ajouter, 1 déjà présent(s), 0 refusé(s).");
        QCOMPARE(note, "fuseau horaire inconnu : Nulle/Part, heure prise telle quelle");
        QVERIFY(static_cast<WeekPage *>(f.child().page(SectionId::Week))
                    ->store()
                    .lines()
                    .contains("2026010614:00 Coiffeur"));
        QVERIFY(static_cast<WeekPage *>(f.child().page(SectionId::Week))
                    ->store()
                    .lines()
                    .contains("2026010715:00 Ailleurs"));
        QVERIFY(f.child().TestModif());
        QCOMPARE(TestFiles::readBytes(f.path("agenda.orz")), orz);
    }

    // A bank statement through the menu into "Caisse", the document saved,
    // the same statement again: the second adds nothing, and the memory
    // beside the document keeps what was imported.
    void menuBankStatement()
    {
        MainFormFixture f(m_now);
        TestFiles::writeBytes(f.path("agenda.orz"), TestFiles::crlf({"2026010510:00 Dentiste"}));
        f.ui.fileName(f.path("agenda.orz"));
        f.form.FileOpen();
        QStringList summaries;
        for (int i = 0; i < 2; ++i) {
            f.ui.fileName(EXCHANGE_DATA "/releve.qif");
            f.ui.dialog([&summaries](QDialog *d) {
                summaries << d->findChild<QLabel *>("SummaryLabel")->text();
                return int(QDialog::Accepted);
            });
            f.form.action("ImportStatementItem")->trigger();
            QVERIFY(f.form.FileSave());
        }
        QCOMPARE(summaries, QStringList({"Compte Caisse : 1 à ajouter, 0 déjà présent(s), 0 refusé(s).",
                                         "Compte Caisse : 0 à ajouter, 1 déjà présent(s), 0 refusé(s)."}));
        QVERIFY(TestFiles::readBytes(f.path("agenda.obg")).contains("2582026030002Boulangerie\r\n"));
        QCOMPARE(TestFiles::readBytes(f.path("agenda.oim")), "I\tCaisse\tD20260305;-1250;boulangerie#1\r\n");
        // A CSV without a header: the columns given once are proposed again.
        TestFiles::writeBytes(f.path("releve.csv"), "06/03/2026;Kiosque;-2,00\r\n");
        QList<int> proposed;
        for (int i = 0; i < 2; ++i) {
            f.ui.fileName(f.path("releve.csv"));
            f.ui.dialog([&proposed](QDialog *d) {
                proposed << d->findChild<QComboBox *>("AmountColumn")->currentIndex();
                d->findChild<QSpinBox *>("FirstRowBox")->setValue(1);
                int column = 0;
                for (const char *box : {"DateColumn", "DescriptionColumn", "AmountColumn"})
                    d->findChild<QComboBox *>(box)->setCurrentIndex(++column);
                return int(QDialog::Accepted);
            });
            f.ui.dialog([](QDialog *) { return int(QDialog::Accepted); });
            f.form.action("ImportStatementItem")->trigger();
        }
        QCOMPARE(proposed, QList<int>({0, 3}));
    }
};

QTEST_MAIN(TestAppExchange)
#include "test_app_exchange.moc"

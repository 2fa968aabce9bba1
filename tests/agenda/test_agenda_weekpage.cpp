#include "Fixtures.h"
#include "agenda/DayList.h"
#include "agenda/TFicheRdv.h"
#include "agenda/WeekPage.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// Monday 9 January 2006 .. Sunday 15 January 2006.
const QDate kMonday(2006, 1, 9);
const QStringList kFile =
    QStringLiteral(" |2006010213:00 Semaine d'avant|20060109 9:30 Dentiste|2006010910:00 Réunion|"
                   "2006011210:00 Jeudi|2006011520:00 Dimanche soir|2006011608:00 Semaine d'après")
        .split(u'|');
DayList *dayList(QWidget *page, int i)
{
    return page->findChild<DayList *>(QStringLiteral("ListBox%1").arg(i));
}
// The seven day lists, and the week's labels, as one text.
QString shown(QWidget *page)
{
    QStringList out{page->findChild<QLabel *>("Label10")->text() + u',' + page->findChild<QLabel *>("Panel4")->text()};
    for (int i = 1; i <= 7; ++i)
        out << dayList(page, i)->items().join(u',');
    return out.join(u'|');
}
} // namespace

// The week page: loading and saving the organiser file, the generic commands,
// and one user path through the document window and the real dialog.
class TestAgendaWeekPage : public QObject
{
    Q_OBJECT
    std::unique_ptr<ChildFixture> m_f;
    WeekPage &page() { return *static_cast<WeekPage *>(m_f->child.page(SectionId::Week)); }
    QDate &reference() { return m_f->child.document().referenceDate; }
    DayList *list(int i) { return dayList(&page(), i); }
    QString path(const QString &name = QStringLiteral("agenda.orz")) { return m_f->path(name); }

private slots:
    void init() { m_f = std::make_unique<ChildFixture>(QDateTime(QDate(2006, 1, 11), QTime(9, 0))); } // a Wednesday
    void cleanup() { m_f.reset(); }

    // A damaged file is read and written back byte for byte; a missing file is told and the store kept; one
    // that is there but cannot be read (a folder) is told, and a save under its name leaves it alone.
    void damagedMissingAndUnreadableFiles()
    {
        const QByteArray binary("20060110\x81\x8D\x90\x9D \xFF\x00 binaire\r\n", 25);
        TestFiles::writeBytes(path(), "\r\n\r\n2006010910:00 ok\r\nabcdefghijk\r\n20061340 bad date\r\n200601\r\n"
                                          + binary + QByteArray(5000, 'z') + "\r\n");
        m_f->child.Charge(path());
        QCOMPARE(page().lines().size(), 6);
        QCOMPARE(list(1)->items(), QStringList{"10:00 ok"});
        QCOMPARE(list(2)->count(), 1);
        page().premier();
        page().dernier(); // "zzz..." is no date: the week stays
        QCOMPARE(reference(), kMonday);
        list(1)->setCurrentRow(0);
        page().supprime();
        page().suivant();
        page().precedent();
        QCOMPARE(list(1)->count() * 10 + list(2)->count(), 1);

        reference() = QDate(2006, 1, 20);
        const QStringList before = page().lines();
        m_f->child.loadSet(path(QStringLiteral("x.txt")));
        QCOMPARE(m_f->ui.lastMessage(), "Fichier " + path(QStringLiteral("x.orz")) + " n'existe pas");
        QCOMPARE(m_f->ui.shown().constLast().icon, UiServices::Icon::None);
        QCOMPARE(page().lines(), before);
        QCOMPARE(reference(), QDate(2006, 1, 20));
        QCOMPARE(m_f->child.document().name + u'|' + m_f->child.document().caption,
                 path(QStringLiteral("x.orz")) + "|agenda.orz");
        QVERIFY(QDir(m_f->dir.path()).mkdir(QStringLiteral("plan.orz")));
        m_f->child.loadSet(path(QStringLiteral("plan.orz")));
        QVERIFY(m_f->ui.lastMessage().startsWith(QStringLiteral("Impossible de lire")));
        QCOMPARE(m_f->ui.shown().constLast().icon, UiServices::Icon::Warning);
        QVERIFY(!saveSet(m_f->child.model(), m_f->ui, path(QStringLiteral("plan.orz")), true, {&page()}));
        QVERIFY(QFileInfo(path(QStringLiteral("plan.orz"))).isDir());
        QVERIFY(m_f->ui.lastMessage().contains(QStringLiteral("n'est pas remplacé")));
        // Every other line is written back byte for byte, sorted.
        QVERIFY(saveSet(m_f->child.model(), m_f->ui, path(QStringLiteral("copie.orz")), true, {&page()}));
        QCOMPARE(TestFiles::readBytes(path(QStringLiteral("copie.orz"))),
                 "200601\r\n" + binary + "20061340 bad date\r\nabcdefghijk\r\n" + QByteArray(5000, 'z') + "\r\n");
    }

    // The store as held in memory ('|' between lines): the reference date after Premier, then after Dernier.
    void premierDernier()
    {
        const QList<std::pair<QString, QString>> rows{
            {" ", "2006-01-11|2006-01-11"}, // new document: single blank
            {"", "2006-01-11|2006-01-11"},  // empty store
            {"2005123112:00 A|2006011009:00 B|2007070708:00 C", "2005-12-31|2007-07-07"},
            {"abcdefgh x|2006011009:00 B|20061399 mois 13", "2006-01-11|2006-01-11"}, // malformed first and last
            {"2006010120:00 Dimanche", "2006-01-01|2006-01-01"},                      // a Sunday in its own week
            // A line added and not yet sorted waits at the end: "Dernier" shows its week.
            {"2006010213:00 A|2006011608:00 B|2005061510:00 Ancien", "2006-01-02|2005-06-15"}};
        for (const auto &[lines, after] : rows) {
            const QStringList store = lines.isEmpty() ? QStringList() : lines.split(u'|');
            page().store().setLines(store);
            QStringList dates;
            for (void (WeekPage::*step)() : {&WeekPage::premier, &WeekPage::dernier}) {
                reference() = QDate(2006, 1, 11);
                page().display();
                (page().*step)();
                dates << reference().toString(Qt::ISODate);
            }
            QCOMPARE(dates.join(u'|'), after);
            QCOMPARE(page().lines(), store);
        }
    }

    // Open (LF line ends), look, step, add, change and delete through the widgets
    // and the real appointment dialog (typed into, closed by its keys and
    // buttons), save, reload.
    void userPathThroughDocumentWindow()
    {
        TChild &child = m_f->child;
        TestFiles::writeBytes(path(), TestFiles::crlf(kFile).replace("\r\n", "\n"));
        child.Charge(path());
        QCOMPARE(shown(&page()), QStringLiteral("9 janvier 2006,Semaine 2| 9:30 Dentiste,10:00 Réunion|||10:00 Jeudi|||"
                                                "20:00 Dimanche soir"));
        list(1)->setFocus();
        QTest::keyClick(list(1), Qt::Key_PageDown);
        QCOMPARE(shown(&page()), QStringLiteral("16 janvier 2006,Semaine 3|08:00 Semaine d'après||||||"));
        QTest::keyClick(list(1), Qt::Key_PageUp);
        QVERIFY(!child.TestModif());

        // The real dialog: what it shows is kept, the time retyped, text typed into the message, then closed by
        // `close` in the message, or (0) by the date moved one day on with the Up arrow and "OK".
        QString seen;
        const auto dialog = [&](const QString &keys, const QString &typed, int close) {
            m_f->ui.dialog([&, keys, typed, close](QDialog *d) {
                auto *time = d->findChild<QLineEdit *>("MaskEdit1");
                auto *date = d->findChild<QDateEdit *>("DateTimePicker1");
                auto *message = d->findChild<QLineEdit *>("Edit1");
                d->show();
                seen = date->date().toString(Qt::ISODate) + u'|' + time->displayText() + u'|' + message->text();
                time->setFocus();
                time->clear();
                QTest::keyClicks(time, keys);
                message->setFocus();
                TestUi::typeText(message, typed);
                if (!close) {
                    date->setFocus();
                    date->setCurrentSection(QDateTimeEdit::DaySection);
                    QTest::keyClick(date, Qt::Key_Up);
                }
                close ? QTest::keyClick(message, Qt::Key(close))
                      : QTest::mouseClick(d->findChild<QPushButton *>("Button2"), Qt::LeftButton);
                return d->result();
            });
        };
        // "Ajouter": opens on the reference date at 10:00; the first hour digit left out.
        dialog(QStringLiteral(" 830"), QStringLiteral("Café à l'hôtel"), Qt::Key_Return);
        child.Ajout();
        QCOMPARE(seen, QStringLiteral("2006-01-11|10:00|"));
        QCOMPARE(list(3)->items(), QStringList{" 8:30 Café à l'hôtel"});
        QVERIFY(child.TestModif());
        dialog(QStringLiteral("0900"), QStringLiteral("Oubli"), Qt::Key_Escape); // left by Escape: nothing added
        child.Ajout();
        QCOMPARE(list(3)->count(), 1);
        dialog(QStringLiteral("1115"), QString(), 0); // a double click on "10:00 Réunion": to Tuesday, 11:15
        TestUi::doubleClick(list(1), 1);
        QCOMPARE(seen, QStringLiteral("2006-01-09|10:00|Réunion"));
        // F2 on the selection, moved to Tuesday before "11:15 Réunion"; Effacer on the Sunday selection.
        list(1)->setCurrentRow(0);
        dialog(QStringLiteral("0945"), QString(), 0);
        QTest::keyClick(list(1), Qt::Key_F2);
        QCOMPARE(seen, QStringLiteral("2006-01-09|_9:30|Dentiste"));
        list(7)->setCurrentRow(0);
        child.Supprime();
        // Delete in the Thursday list, then save: written back and saved sorted.
        list(4)->setCurrentRow(0);
        QTest::keyClick(list(4), Qt::Key_Delete);
        const QString edited =
            QStringLiteral("9 janvier 2006,Semaine 2||09:45 Dentiste,11:15 Réunion| 8:30 Café à l'hôtel||||");
        QCOMPARE(shown(&page()), edited);
        QVERIFY(child.Sauve(path()));
        child.writeBackAll(); // what was saved is not asked about again when the window closes
        QVERIFY(!child.TestModif());
        const QByteArray saved("2006010213:00 Semaine d'avant\r\n2006011009:45 Dentiste\r\n2006011011:15 R\xE9union\r\n"
                               "20060111 8:30 Caf\xE9 \xE0 l'h\xF4tel\r\n2006011608:00 Semaine d'apr\xE8s\r\n");
        QCOMPARE(TestFiles::readBytes(path()), saved);
        // Reloaded as saved; a deletion not written back is lost by reloading.
        m_f->clock.setDate(QDate(2006, 1, 15));
        list(2)->setCurrentRow(0);
        QTest::keyClick(list(2), Qt::Key_Delete);
        child.Charge(path());
        QCOMPARE(shown(&page()), edited);
        QVERIFY(!child.TestModif());
        QCOMPARE(TestFiles::readBytes(path()), saved);
    }
    // On a tall window no day list runs past its column: the lists shrink together, each below the one above
    // with room for its labels; where the usual rules fit they hold.
    void tallWindowListsStayInTheirColumn()
    {
        for (int h : {2000, 1000, 810}) {
            page().layoutFor(1000, h);
            for (int i = 1; i <= 7; ++i) {
                QVERIFY(list(i)->geometry().bottom() < list(i)->parentWidget()->height());
                QVERIFY(i == 1 || i == 4 || list(i)->y() - 20 > list(i - 1)->geometry().bottom());
            }
        }
        QCOMPARE(list(7)->y(), 810 - 120);
    }
};

QTEST_MAIN(TestAgendaWeekPage)
#include "test_agenda_weekpage.moc"

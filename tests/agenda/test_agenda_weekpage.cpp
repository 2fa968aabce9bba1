#include "Fixtures.h"
#include "agenda/DayList.h"
#include "agenda/TFicheRdv.h"
#include "agenda/WeekPage.h"
#include "app/TChild.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The week page driven through its widgets: day lists, keys, double clicks,
// the generic commands, loading and saving the organiser file.
class TestAgendaWeekPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadShowsTodaysWeekInTimeOrder_data();
    void loadShowsTodaysWeekInTimeOrder();
    void loadMissingFileReportsAndKeepsStore();
    void unreadableFileIsToldAndNeverReplaced();
    void saveWritesSortedCrLfCp1252();
    void newDocumentSavedWithItsBlankLine();
    void doubleClickChangesAppointment();
    void f2ChangesSelectedAppointment();
    void deleteThenNavigationStoresDeletion();
    void effacerRemovesSelectedItems();
    void precedentSuivantKeepWeekday();
    void premierDernier_data();
    void premierDernier();
    void dernierAfterUnsortedAdd();
    void longMessageWholeThroughDisplayAndWriteBack();
    void malformedFileSurvives();
    void userPathThroughDocumentWindow();
    void dayListKeepsItemsInOrder_data();
    void dayListKeepsItemsInOrder();
    void tallWindowListsStayInTheirColumn();

private:
    WeekPage &page() { return *m_page; }
    DayList *list(int i) { return page().findChild<DayList *>(QStringLiteral("ListBox%1").arg(i)); }
    QString label(const char *name) { return page().findChild<QLabel *>(name)->text(); }
    QString path(const QString &name = QStringLiteral("agenda.orz")) { return m_dir->filePath(name); }
    void writeFile(const QStringList &lines, const QString &name = QStringLiteral("agenda.orz"))
    {
        TestFiles::writeBytes(path(name), TestFiles::crlf(lines));
    }
    void select(int day, int row) { list(day)->setCurrentRow(row); }
    void doubleClick(int day, int row)
    {
        DayList *l = list(day);
        QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(row)).center());
    }
    // Queues an answer of the appointment dialog: new date, time and message,
    // accepted; `seen` receives what the dialog showed.
    struct Seen
    {
        QDate date;
        QString time;
        QString message;
    };
    void answerDialog(QDate date, const QString &time, const QString &message, Seen *seen = nullptr,
                      int result = QDialog::Accepted)
    {
        m_t->ui.dialog([=](QDialog *d) {
            auto *dateEdit = d->findChild<QDateEdit *>("DateTimePicker1");
            auto *timeEdit = d->findChild<QLineEdit *>("MaskEdit1");
            auto *messageEdit = d->findChild<QLineEdit *>("Edit1");
            if (seen)
                *seen = {dateEdit->date(), static_cast<TFicheRdv *>(d)->timeText(), messageEdit->text()};
            if (date.isValid())
                dateEdit->setDate(date);
            if (!time.isNull())
                timeEdit->setText(QString(time).replace(u' ', u'_'));
            if (!message.isNull())
                messageEdit->setText(message);
            return result;
        });
    }
    void load(const QStringList &lines)
    {
        writeFile(lines);
        page().load(path());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestContext> m_t;
    WeekPage *m_page = nullptr;
};

namespace {

// Monday 9 January 2006 .. Sunday 15 January 2006.
const QDate kMonday(2006, 1, 9);
const QStringList kFile{" ",
                        "2006010213:00 Semaine d'avant",
                        "20060109 9:30 Dentiste",
                        "2006010910:00 Réunion",
                        "2006011210:00 Jeudi",
                        "2006011520:00 Dimanche soir",
                        "2006011608:00 Semaine d'après"};

} // namespace

void TestAgendaWeekPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_t = std::make_unique<TestContext>(QDate(2006, 1, 11)); // a Wednesday
    m_page = new WeekPage(m_t->context, m_t->window.get());
    m_t->window->resize(800, 480);
    m_page->setGeometry(0, 0, 800, 480);
    m_page->layoutFor(800, 480);
    m_t->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_t->window.get()));
}

void TestAgendaWeekPage::cleanup()
{
    m_page = nullptr;
    m_t.reset();
    m_dir.reset();
}

void TestAgendaWeekPage::loadShowsTodaysWeekInTimeOrder_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::newRow("CR LF") << QByteArray("\r\n");
    QTest::newRow("LF") << QByteArray("\n");
    QTest::newRow("CR") << QByteArray("\r");
}

void TestAgendaWeekPage::loadShowsTodaysWeekInTimeOrder()
{
    QFETCH(QByteArray, lineEnd);

    // The file lists Réunion before Dentiste; the list shows them by time.
    const QStringList lines{" ", "2006010910:00 Réunion", "20060109 9:30 Dentiste", "2006011520:00 Film",
                            "2006011608:00 Plus tard"};
    QByteArray bytes = TestFiles::crlf(lines);
    bytes.replace("\r\n", lineEnd);
    TestFiles::writeBytes(path(), bytes);
    m_t->context.document().referenceDate = QDate(2001, 5, 5);
    m_t->clock.setDate(kMonday.addDays(6)); // today: Sunday 15 January

    page().load(path());

    QCOMPARE(m_t->context.document().referenceDate, kMonday.addDays(6));
    QCOMPARE(list(1)->items(), (QStringList{" 9:30 Dentiste", "10:00 Réunion"}));
    QCOMPARE(list(7)->items(), QStringList{"20:00 Film"});
    QCOMPARE(list(2)->count(), 0);
    QCOMPARE(label("Label10"), QStringLiteral("9 janvier 2006"));
    QCOMPARE(label("Panel4"), QStringLiteral("Semaine 2"));
    QCOMPARE(page().lines(), lines.mid(1)); // the blank top line is dropped, nothing sorted
    QCOMPARE(m_t->context.document().name, path());
    QCOMPARE(m_t->context.document().caption, QStringLiteral("agenda.orz"));
    QVERIFY(m_t->ui.messages().isEmpty());
}

void TestAgendaWeekPage::loadMissingFileReportsAndKeepsStore()
{
    load(kFile);
    m_t->context.document().referenceDate = QDate(2006, 1, 20);
    m_t->context.document().caption = QStringLiteral("agenda.orz");
    const QStringList before = page().lines();

    const QString missing = path(QStringLiteral("x.txt"));
    page().load(missing);

    QCOMPARE(m_t->ui.lastMessage(), QStringLiteral("Fichier ") + path(QStringLiteral("x.orz"))
                                        + QStringLiteral(" n'existe pas"));
    QCOMPARE(m_t->ui.shown().constLast().icon, UiServices::Icon::None);
    QCOMPARE(m_t->ui.shown().constLast().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(page().lines(), before);
    QCOMPARE(m_t->context.document().referenceDate, QDate(2006, 1, 20));
    QCOMPARE(m_t->context.document().caption, QStringLiteral("agenda.orz"));
    QCOMPARE(m_t->context.document().name, path(QStringLiteral("x.orz")));
}

// A file that is there but cannot be read (here a folder of that name) is
// reported, and a save under that name leaves it alone.
void TestAgendaWeekPage::unreadableFileIsToldAndNeverReplaced()
{
    load(kFile);
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("plan.orz")));
    page().load(path(QStringLiteral("plan.orz")));
    QVERIFY(m_t->ui.lastMessage().startsWith(QStringLiteral("Impossible de lire")));
    QCOMPARE(m_t->ui.shown().constLast().icon, UiServices::Icon::Warning);
    m_t->context.document().setModified();
    QVERIFY(!page().save(path(QStringLiteral("plan.orz")), true));
    QVERIFY(QFileInfo(path(QStringLiteral("plan.orz"))).isDir());
    QVERIFY(m_t->ui.lastMessage().contains(QStringLiteral("n'est pas remplacé")));
    // Under another name the appointments are saved.
    QVERIFY(page().save(path(QStringLiteral("copie.orz")), true));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("copie.orz"))).count("\r\n"), kFile.size() - 1);
}

void TestAgendaWeekPage::saveWritesSortedCrLfCp1252()
{
    load(kFile);
    answerDialog(QDate(2006, 1, 10), QStringLiteral(" 8:00"), QStringLiteral("Café à l'hôtel"));
    page().AjoutJour();
    QVERIFY(m_t->context.document().modified);
    QVERIFY(page().save(path(QStringLiteral("agenda.Orz")), false));

    const QByteArray expected = QByteArray("2006010213:00 Semaine d'avant\r\n"
                                           "20060109 9:30 Dentiste\r\n"
                                           "2006010910:00 R\xE9union\r\n"
                                           "20060110 8:00 Caf\xE9 \xE0 l'h\xF4tel\r\n"
                                           "2006011210:00 Jeudi\r\n"
                                           "2006011520:00 Dimanche soir\r\n"
                                           "2006011608:00 Semaine d'apr\xE8s\r\n");
    QCOMPARE(TestFiles::readBytes(path()), expected);
    QCOMPARE(m_t->context.document().name, path());
}

// A new document's store is one blank line: it is saved first, before the
// appointments, and dropped again when the file is read.
void TestAgendaWeekPage::newDocumentSavedWithItsBlankLine()
{
    page().reset();
    m_t->context.document().referenceDate = QDate(2006, 1, 11);
    page().display();
    answerDialog({}, QStringLiteral("14:00"), QStringLiteral("Plombier"));
    page().ajout();
    answerDialog(QDate(2006, 1, 9), QStringLiteral(" 9:05"), QStringLiteral("Gare"));
    page().ajout();
    QCOMPARE(page().lines(), (QStringList{" ", "2006011114:00 Plombier", "20060109 9:05 Gare"}));
    QVERIFY(page().save(path(QStringLiteral("nouveau.orz")), true));
    QCOMPARE(TestFiles::readBytes(path(QStringLiteral("nouveau.orz"))),
             QByteArray(" \r\n20060109 9:05 Gare\r\n2006011114:00 Plombier\r\n"));

    page().load(path(QStringLiteral("nouveau.orz")));
    QCOMPARE(page().lines(), (QStringList{"20060109 9:05 Gare", "2006011114:00 Plombier"}));
}

void TestAgendaWeekPage::doubleClickChangesAppointment()
{
    load(kFile);
    select(4, 0); // a selection in Thursday, cleared by the double click
    Seen seen;
    answerDialog({}, QStringLiteral("11:00"), QString(), &seen);
    doubleClick(1, 1); // "10:00 Réunion"

    QCOMPARE(seen.date, kMonday);
    QCOMPARE(seen.time, QStringLiteral("10:00"));
    QCOMPARE(seen.message, QStringLiteral("Réunion"));
    QCOMPARE(list(1)->items(), (QStringList{" 9:30 Dentiste", "11:00 Réunion"}));
    QVERIFY(!page().lines().contains(QStringLiteral("2006010910:00 Réunion")));
    QCOMPARE(page().lines().constLast(), QStringLiteral("2006010911:00 Réunion"));
    QVERIFY(m_t->context.document().modified);
    QVERIFY(!list(4)->hasSelection());
}

void TestAgendaWeekPage::f2ChangesSelectedAppointment()
{
    load(kFile);
    select(1, 0);
    Seen seen;
    answerDialog({}, {}, QStringLiteral("Dentiste (contrôle)"), &seen);
    list(1)->setFocus();
    QTest::keyClick(list(1), Qt::Key_F2);

    QCOMPARE(seen.time, QStringLiteral(" 9:30"));
    QCOMPARE(seen.message, QStringLiteral("Dentiste"));
    QCOMPARE(list(1)->items(), (QStringList{" 9:30 Dentiste (contrôle)", "10:00 Réunion"}));
    QCOMPARE(page().lines().constLast(), QStringLiteral("20060109 9:30 Dentiste (contrôle)"));
}

void TestAgendaWeekPage::deleteThenNavigationStoresDeletion()
{
    load(kFile);
    select(1, 0);
    list(1)->setFocus();
    QTest::keyClick(list(1), Qt::Key_Delete);
    QCOMPARE(list(1)->items(), QStringList{"10:00 Réunion"});
    QVERIFY(page().weekEdited());
    QVERIFY(page().lines().contains(QStringLiteral("20060109 9:30 Dentiste"))); // not yet written back

    // Delete with no selection left does nothing more.
    QTest::keyClick(list(1), Qt::Key_Delete);
    QCOMPARE(list(1)->count(), 1);

    page().suivant();
    QVERIFY(!page().lines().contains(QStringLiteral("20060109 9:30 Dentiste")));
    QVERIFY(m_t->context.document().modified);
    page().precedent();
    QCOMPARE(list(1)->items(), QStringList{"10:00 Réunion"});
    // Written back sorted, the other weeks as they were.
    QCOMPARE(page().lines(), (QStringList{"2006010213:00 Semaine d'avant", "2006010910:00 Réunion",
                                          "2006011210:00 Jeudi", "2006011520:00 Dimanche soir",
                                          "2006011608:00 Semaine d'après"}));
}

void TestAgendaWeekPage::effacerRemovesSelectedItems()
{
    load(kFile);
    select(1, 0); // first item of Monday
    select(7, 0);
    page().supprime();
    QCOMPARE(list(1)->items(), QStringList{"10:00 Réunion"});
    QCOMPARE(list(7)->count(), 0);
    QCOMPARE(list(4)->count(), 1);
    QVERIFY(page().weekEdited());
    QVERIFY(m_t->context.document().modified);
    page().writeBack();
    QVERIFY(!page().lines().contains(QStringLiteral("20060109 9:30 Dentiste")));
    QVERIFY(!page().lines().contains(QStringLiteral("2006011520:00 Dimanche soir")));
}

void TestAgendaWeekPage::precedentSuivantKeepWeekday()
{
    load(kFile);
    m_t->context.document().referenceDate = QDate(2006, 1, 11);
    page().precedent();
    QCOMPARE(m_t->context.document().referenceDate, QDate(2006, 1, 4));
    QCOMPARE(list(1)->items(), QStringList{"13:00 Semaine d'avant"});
    QCOMPARE(label("Label10"), QStringLiteral("2 janvier 2006"));
    QCOMPARE(label("Panel4"), QStringLiteral("Semaine 1"));
    page().suivant();
    page().suivant();
    QCOMPARE(m_t->context.document().referenceDate, QDate(2006, 1, 18));
    QCOMPARE(list(1)->items(), QStringList{"08:00 Semaine d'après"});
    QCOMPARE(label("Panel4"), QStringLiteral("Semaine 3"));
    QVERIFY(!m_t->context.document().modified); // nothing edited, nothing written back
}

void TestAgendaWeekPage::premierDernier_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QDate>("afterPremier");
    QTest::addColumn<QDate>("afterDernier");

    const QDate unchanged(2006, 1, 11);
    QTest::newRow("new document: single blank") << QStringList{" "} << unchanged << unchanged;
    QTest::newRow("empty store") << QStringList{} << unchanged << unchanged;
    QTest::newRow("earliest and latest week")
        << QStringList{"2005123112:00 A", "2006011009:00 B", "2007070708:00 C"} << QDate(2005, 12, 31)
        << QDate(2007, 7, 7);
    QTest::newRow("malformed first and last lines")
        << QStringList{"abcdefgh x", "2006011009:00 B", "20061399 mois 13"} << unchanged << unchanged;
    QTest::newRow("sunday appointment shown in its own week")
        << QStringList{"2006010120:00 Dimanche"} << QDate(2006, 1, 1) << QDate(2006, 1, 1);
}

void TestAgendaWeekPage::premierDernier()
{
    QFETCH(QStringList, lines);
    QFETCH(QDate, afterPremier);
    QFETCH(QDate, afterDernier);

    page().store().setLines(lines); // as held in memory, top lines included
    m_t->context.document().referenceDate = QDate(2006, 1, 11);
    page().display();

    page().premier();
    QCOMPARE(m_t->context.document().referenceDate, afterPremier);
    m_t->context.document().referenceDate = QDate(2006, 1, 11);
    page().dernier();
    QCOMPARE(m_t->context.document().referenceDate, afterDernier);
    if (afterDernier == QDate(2006, 1, 1))
        QCOMPARE(list(7)->items(), QStringList{"20:00 Dimanche"});
}

void TestAgendaWeekPage::dernierAfterUnsortedAdd()
{
    load(kFile);
    // Added through the dialog, the line waits at the end of the store until
    // the next sort: "Dernier" shows its week although later ones exist.
    answerDialog(QDate(2005, 6, 15), QStringLiteral("10:00"), QStringLiteral("Ancien"));
    page().ajout();
    page().dernier();
    QCOMPARE(m_t->context.document().referenceDate, QDate(2005, 6, 15));
    QCOMPARE(list(3)->items(), QStringList{"10:00 Ancien"});
    page().premier();
    QCOMPARE(m_t->context.document().referenceDate, QDate(2006, 1, 2));
    // Once the store is sorted (here by saving), it is the latest week.
    QVERIFY(page().save(path(), false));
    page().dernier();
    QCOMPARE(m_t->context.document().referenceDate, QDate(2006, 1, 16));
}

void TestAgendaWeekPage::longMessageWholeThroughDisplayAndWriteBack()
{
    const QString message = QString(300, u'm') + QStringLiteral(" fin");
    load({"2006010910:00 " + message, "2006010911:00 Court"});
    QCOMPARE(list(1)->items().constFirst(), "10:00 " + message);
    select(1, 1);
    page().supprime();
    page().suivant();
    QCOMPARE(page().lines(), QStringList{"2006010910:00 " + message});
    // Changing it shows and keeps the whole message.
    page().precedent();
    Seen seen;
    answerDialog({}, QStringLiteral("10:30"), {}, &seen);
    doubleClick(1, 0);
    QCOMPARE(seen.message, message);
    QCOMPARE(page().lines(), QStringList{"2006010910:30 " + message});
}

void TestAgendaWeekPage::malformedFileSurvives()
{
    QByteArray bytes("\r\n\r\n2006010910:00 ok\r\nabcdefghijk\r\n20061340 bad date\r\n200601\r\n");
    bytes += QByteArray("20060110\x81\x8D\x90\x9D \xFF\x00 binaire\r\n", 25);
    bytes += QByteArray(5000, 'z') + "\r\n";
    TestFiles::writeBytes(path(), bytes);
    page().load(path());
    QCOMPARE(page().lines().size(), 6);
    QCOMPARE(list(1)->items(), QStringList{"10:00 ok"});
    QCOMPARE(list(2)->count(), 1);
    page().premier();
    page().dernier(); // "zzz..." is no date: the week stays
    QCOMPARE(m_t->context.document().referenceDate, kMonday);
    select(1, 0);
    page().supprime();
    page().suivant();
    page().precedent();
    QCOMPARE(list(1)->count(), 0);
    QCOMPARE(list(2)->count(), 1);
    QVERIFY(page().save(path(), false));
    // Every other line is written back byte for byte, sorted.
    QCOMPARE(TestFiles::readBytes(path()), QByteArray("200601\r\n")
                                               + QByteArray("20060110\x81\x8D\x90\x9D \xFF\x00 binaire\r\n", 25)
                                               + "20061340 bad date\r\nabcdefghijk\r\n"
                                               + QByteArray(5000, 'z') + "\r\n");
}

// Open, look, step, add, change and delete through the widgets and the real
// appointment dialog (typed into, closed by its keys and buttons), save,
// reload.
void TestAgendaWeekPage::userPathThroughDocumentWindow()
{
    TChild child(m_t->ui, m_t->clock, m_t->startDirectory.path());
    child.resize(1000, 640);
    writeFile(kFile);
    m_t->clock.setDate(QDate(2006, 1, 11));
    child.Charge(path());

    auto *week = static_cast<WeekPage *>(child.page(1));
    const auto day = [week](int i) { return week->findChild<DayList *>(QStringLiteral("ListBox%1").arg(i)); };
    const auto text = [week](const char *name) { return week->findChild<QLabel *>(name)->text(); };
    const auto dayItems = [&] {
        QList<QStringList> out;
        for (int i = 1; i <= 7; ++i)
            out << day(i)->items();
        return out;
    };

    // Today's week, in time order.
    QCOMPARE(text("Panel4"), QStringLiteral("Semaine 2"));
    QCOMPARE(text("Label10"), QStringLiteral("9 janvier 2006"));
    QCOMPARE(text("Label1"), QStringLiteral("15 janvier 2006"));
    QCOMPARE(dayItems(), (QList<QStringList>{{" 9:30 Dentiste", "10:00 Réunion"}, {}, {}, {"10:00 Jeudi"}, {}, {},
                                             {"20:00 Dimanche soir"}}));

    // Page Down and Page Up in a day list.
    day(1)->setFocus();
    QTest::keyClick(day(1), Qt::Key_PageDown);
    QCOMPARE(text("Panel4"), QStringLiteral("Semaine 3"));
    QCOMPARE(day(1)->items(), QStringList{"08:00 Semaine d'après"});
    QTest::keyClick(day(1), Qt::Key_PageUp);
    QCOMPARE(text("Label10"), QStringLiteral("9 janvier 2006"));
    QVERIFY(!child.TestModif());

    // "Ajouter": the dialog opens on the reference date at 10:00; the time is
    // typed with its first hour digit left out, the message ended by Enter.
    QDate shownDate;
    QString shownTime;
    QString shownMessage;
    m_t->ui.dialog([&](QDialog *d) {
        auto *date = d->findChild<QDateEdit *>("DateTimePicker1");
        auto *time = d->findChild<QLineEdit *>("MaskEdit1");
        auto *message = d->findChild<QLineEdit *>("Edit1");
        d->show();
        shownDate = date->date();
        shownTime = time->displayText();
        shownMessage = message->text();
        time->setFocus();
        time->selectAll();
        QTest::keyClick(time, Qt::Key_Delete);
        time->setCursorPosition(0);
        QTest::keyClicks(time, QStringLiteral(" 830"));
        message->setFocus();
        TestUi::typeText(message, QStringLiteral("Café à l'hôtel"));
        QTest::keyClick(message, Qt::Key_Return);
        return d->result();
    });
    child.Ajout();
    QCOMPARE(shownDate, QDate(2006, 1, 11));
    QCOMPARE(shownTime, QStringLiteral("10:00"));
    QCOMPARE(shownMessage, QString());
    QCOMPARE(day(3)->items(), QStringList{" 8:30 Café à l'hôtel"});
    QVERIFY(child.TestModif());

    // "Ajouter" left by Escape adds nothing.
    m_t->ui.dialog([&](QDialog *d) {
        d->show();
        auto *message = d->findChild<QLineEdit *>("Edit1");
        QTest::keyClicks(message, QStringLiteral("Oubli"));
        QTest::keyClick(message, Qt::Key_Escape);
        return d->result();
    });
    const QStringList beforeEscape = week->lines();
    child.Ajout();
    QCOMPARE(week->lines(), beforeEscape);

    // A double click on "10:00 Réunion": new time typed, the date moved one
    // day on with the Up arrow, "OK" clicked. It moves to Tuesday.
    m_t->ui.dialog([&](QDialog *d) {
        auto *date = d->findChild<QDateEdit *>("DateTimePicker1");
        auto *time = d->findChild<QLineEdit *>("MaskEdit1");
        d->show();
        shownDate = date->date();
        shownTime = time->displayText();
        shownMessage = d->findChild<QLineEdit *>("Edit1")->text();
        time->setFocus();
        time->selectAll();
        QTest::keyClick(time, Qt::Key_Delete);
        time->setCursorPosition(0);
        QTest::keyClicks(time, QStringLiteral("1115"));
        date->setFocus();
        date->setCurrentSection(QDateTimeEdit::DaySection);
        QTest::keyClick(date, Qt::Key_Up);
        QTest::mouseClick(d->findChild<QPushButton *>("Button2"), Qt::LeftButton);
        return d->result();
    });
    DayList *monday = day(1);
    QTest::mouseDClick(monday->viewport(), Qt::LeftButton, {}, monday->visualItemRect(monday->item(1)).center());
    QCOMPARE(shownDate, QDate(2006, 1, 9));
    QCOMPARE(shownTime, QStringLiteral("10:00"));
    QCOMPARE(shownMessage, QStringLiteral("Réunion"));
    QCOMPARE(day(1)->items(), QStringList{" 9:30 Dentiste"});
    QCOMPARE(day(2)->items(), QStringList{"11:15 Réunion"});

    // Delete in the Thursday list, then save: the deletion is written back
    // and the file is saved sorted.
    day(4)->setCurrentRow(0);
    QTest::keyClick(day(4), Qt::Key_Delete);
    QCOMPARE(day(4)->count(), 0);
    QVERIFY(child.Sauve(path()));
    QVERIFY(!child.TestModif());
    // What was saved is not asked about again when the window closes.
    child.writeBackAll();
    QVERIFY(!child.TestModif());
    const QByteArray saved("2006010213:00 Semaine d'avant\r\n"
                           "20060109 9:30 Dentiste\r\n"
                           "2006011011:15 R\xE9union\r\n"
                           "20060111 8:30 Caf\xE9 \xE0 l'h\xF4tel\r\n"
                           "2006011520:00 Dimanche soir\r\n"
                           "2006011608:00 Semaine d'apr\xE8s\r\n");
    QCOMPARE(TestFiles::readBytes(path()), saved);

    // Reloaded as saved.
    m_t->clock.setDate(QDate(2006, 1, 15));
    child.Charge(path());
    QCOMPARE(dayItems(), (QList<QStringList>{{" 9:30 Dentiste"}, {"11:15 Réunion"}, {" 8:30 Café à l'hôtel"}, {},
                                             {}, {}, {"20:00 Dimanche soir"}}));

    // A deletion not written back is lost by reloading; nothing is saved.
    day(1)->setCurrentRow(0);
    QTest::keyClick(day(1), Qt::Key_Delete);
    child.Charge(path());
    QCOMPARE(day(1)->items(), QStringList{" 9:30 Dentiste"});
    QVERIFY(!child.TestModif());
    QCOMPARE(TestFiles::readBytes(path()), saved);
}

void TestAgendaWeekPage::dayListKeepsItemsInOrder_data()
{
    QTest::addColumn<QString>("added");
    QTest::addColumn<int>("row");

    // The list holds " 9:30 Dentiste", "10:00 Banque", "10:00 réunion".
    QTest::newRow("leading-blank hour before two-digit hours") << " 8:00 Tôt" << 0;
    QTest::newRow("same time, message order without case") << "10:00 Notaire" << 2;
    QTest::newRow("accented letter beside its base letter") << "10:00 école" << 2;
    QTest::newRow("after the last") << "23:00 Nuit" << 3;
    QTest::newRow("pasted text without time") << "texte" << 3;
}

void TestAgendaWeekPage::dayListKeepsItemsInOrder()
{
    QFETCH(QString, added);
    QFETCH(int, row);

    load({"2006010910:00 réunion", "20060109 9:30 Dentiste", "2006010910:00 Banque"});
    QCOMPARE(list(1)->items(), (QStringList{" 9:30 Dentiste", "10:00 Banque", "10:00 réunion"}));
    QCOMPARE(list(1)->insertSorted(added), row);
    QCOMPARE(list(1)->item(row)->text(), added);
    QCOMPARE(list(1)->count(), 4);
}

void TestAgendaWeekPage::tallWindowListsStayInTheirColumn()
{
    for (int h : {2000, 1000, 810}) {
        page().layoutFor(1000, h);
        for (int i = 1; i <= 7; ++i) {
            QVERIFY(list(i)->geometry().bottom() < list(i)->parentWidget()->height());
            // Below the list above it, with room for its labels.
            QVERIFY(i == 1 || i == 4 || list(i)->y() - 20 > list(i - 1)->geometry().bottom());
        }
    }
    QCOMPARE(list(7)->y(), 810 - 120); // the rules where they fit
}

QTEST_MAIN(TestAgendaWeekPage)
#include "test_agenda_weekpage.moc"

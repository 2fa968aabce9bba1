// The address book, birthday and to-do pages: their wiring (selection,
// keys, flags, messages), the files they refuse to replace, and one user
// path through the document window.

#include "Fixtures.h"
#include "contacts/AddressPage.h"
#include "contacts/BirthdayPage.h"
#include "contacts/TCsaisie.h"
#include "contacts/TodoPage.h"

#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include <tuple>

namespace {

const QChar N(0x00A0);

// Fills the contact dialog's entries (Edit number -> text) and presses OK.
ScriptedUiServices::DialogScript contact(std::map<int, QString> entries)
{
    return [entries](QDialog *d) {
        for (const auto &[n, text] : entries)
            d->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n))->setText(text);
        return int(QDialog::Accepted);
    };
}

ScriptedUiServices::DialogScript birthday(QDate date, const QString &text, QDate *shown)
{
    return [=](QDialog *d) {
        auto *picker = d->findChild<QDateEdit *>("DateTimePicker1");
        *shown = picker->date();
        picker->setDate(date);
        d->findChild<QLineEdit *>("Edit1")->setText(text);
        return int(QDialog::Accepted);
    };
}

QString contactLine(const QString &key, const QString &nom, const QString &tel = {})
{
    return key + N + nom + N + "\t" + N + "\t\t" + N + "\tTél: " + tel + N + "\tFax: " + N + "\tE.mail \t";
}

void clickRow(QAbstractItemView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualRect(index).center());
}

using TestUi::texts;

template<typename Page>
auto &storeOf(DocumentModel &m)
{
    if constexpr (std::is_same_v<Page, AddressPage>)
        return m.addresses();
    else if constexpr (std::is_same_v<Page, BirthdayPage>)
        return m.birthdays();
    else
        return m.todo();
}

// A page of the given type in a shown window, its document "agenda.orz" in a
// scratch folder holding the section file `lines`.
template<typename Page>
struct Fixture
{
    Fixture(const char *ext, const QStringList &lines) : page(t.context, storeOf<Page>(t.model), t.window.get())
    {
        page.setGeometry(0, 0, 900, 640);
        t.window->resize(900, 640);
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        TestFiles::writeBytes(dir.filePath("agenda.orz"), "");
        TestFiles::writeBytes(dir.filePath(QStringLiteral("agenda") + QLatin1String(ext)), TestFiles::crlf(lines));
        t.load(dir.filePath("agenda.orz"), {&page});
    }
    template<typename W>
    W *w(const char *name)
    {
        return page.template findChild<W *>(QLatin1String(name));
    }

    TestContext t;
    Page page;
    QTemporaryDir dir;
};

} // namespace

class TestContactsPages : public QObject
{
    Q_OBJECT

private slots:
    void contactDialog_data()
    {
        // A file from elsewhere (or an import) may hold more than the dialog lets one type.
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("long name") << QStringList{"M." + QString(N) + QString(45, u'n') + N,
                                                  QString(N),
                                                  "",
                                                  QString(N),
                                                  "Tél: " + QString(N),
                                                  "Fax: " + QString(N),
                                                  "E.mail "};
        QTest::newRow("long company, telephone and e-mail")
            << QStringList{"Mme" + QString(N) + N,
                           QString(N) + "Compagnie des Eaux du L",
                           "",
                           QString(N),
                           "Tél: +33 6 12 34 56 78" + QString(N),
                           "Fax: " + QString(N),
                           "E.mail claire.martin.longue@exemple-domaine.fr"};
    }
    void contactDialog()
    {
        QFETCH(QStringList, fields);
        TCsaisie dialog;
        dialog.Init(fields);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Each entry shows its text whole; typing into another keeps it whole.
        for (int e = 1; e <= ContactForm::EntryCount; ++e)
            QVERIFY(dialog.edit(e)->fontMetrics().horizontalAdvance(dialog.edit(e)->text())
                    < dialog.edit(e)->width() - 8);
        QTest::keyClicks(dialog.edit(6), "x");
        fields[2] += "x";
        // Enter moves on through the first seven entries, and accepts from the eighth.
        QTest::keyClick(dialog.edit(7), Qt::Key_Return);
        QVERIFY(QApplication::focusWidget() == dialog.edit(8) && dialog.isVisible());
        QTest::keyClick(dialog.edit(8), Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Result(), fields);
        dialog.show();
        QTest::keyClick(dialog.edit(2), Qt::Key_Escape);
        QCOMPARE(dialog.Result(), QStringList(7));
    }

    void addressBlocks_data()
    {
        // A click on a line of ListBox8, then Delete or F2 (the dialog renames to
        // "Trois bis"); the contact selected and the names left on page A.
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("names");
        const QStringList all{"Un", "-Deux-", "Trois"};
        QTest::newRow("middle line, Delete") << 3 << int(Qt::Key_Delete) << 0 << QStringList{"-Deux-", "Trois"};
        QTest::newRow("separator belongs to the contact above")
            << 7 << int(Qt::Key_Delete) << 0 << QStringList{"-Deux-", "Trois"};
        QTest::newRow("a field beginning with a dash is no separator")
            << 10 << int(Qt::Key_Delete) << 1 << QStringList{"Un", "Trois"};
        QTest::newRow("e-mail line of the third, F2")
            << 22 << int(Qt::Key_F2) << 2 << QStringList{"Un", "-Deux-", "Trois bis"};
        QTest::newRow("final separator selects none") << 23 << int(Qt::Key_Delete) << -1 << all;
        QTest::newRow("final separator, F2 opens nothing") << 23 << int(Qt::Key_F2) << -1 << all;
    }

    void addressBlocks()
    {
        QFETCH(int, row);
        QFETCH(int, key);
        QFETCH(int, selected);
        const QStringList all{"Un", "-Deux-", "Trois"};
        Fixture<AddressPage> f(
            ".ocn", {contactLine("A100", "Un"), contactLine("A108", "-Deux-"), contactLine("A116", "Trois")});
        auto *blocks = f.w<QListView>("ListBox8");
        clickRow(blocks, row);
        QCOMPARE(f.page.selectedContact(), selected);
        QCOMPARE(blocks->selectionModel()->selectedRows().size(), selected < 0 ? 0 : 7);
        if (key == Qt::Key_F2 && selected >= 0)
            f.t.ui.dialog(contact({{2, "Trois bis"}}));
        if (key == Qt::Key_Delete && selected >= 0)
            f.t.ui.answer(QMessageBox::Yes);
        QTest::keyClick(blocks, Qt::Key(key));
        QStringList shown;
        for (const QStringList &s : f.page.summary())
            shown << s.first().section(N, 1, 1);
        QTEST(shown, "names");
        QCOMPARE(f.t.context.document().modified, selected >= 0);
        // Deleting asks first, naming the contact.
        QCOMPARE(f.t.ui.messages().join(""), key == Qt::Key_Delete && selected >= 0
                                                 ? "Supprimer la fiche « " + all.value(selected) + " » ?"
                                                 : QString());
    }

    void birthdayKeys()
    {
        Fixture<BirthdayPage> f(".oan", {"0310 Alice", "0320 Bruno", "0601 Anne"});
        f.t.context.document().referenceDate = QDate(2027, 6, 1);
        auto *march = f.w<QListWidget>("ListBox11");
        clickRow(march, 1);
        QDate shown;
        f.t.ui.dialog(birthday(QDate(2027, 7, 5), "Bruno D.", &shown));
        QTest::keyClick(march, Qt::Key_F2);
        QCOMPARE(shown, QDate(2027, 3, 20)); // the entry's day, in the planner's year
        QCOMPARE(texts(march), (QStringList{"05 Bruno D.", "10 Alice"}));
        QCOMPARE(march->currentRow(), 0); // the changed entry stays selected
        // Only the birthdays-changed flag: the document is modified at the write-back.
        QVERIFY(f.page.book().changed() && !f.t.context.document().modified);
        f.page.suivant();
        QVERIFY(f.t.context.document().modified);
        f.page.premier();
        auto *june = f.w<QListWidget>("ListBox14");
        QTest::keyClick(june, Qt::Key_Delete); // nothing selected
        clickRow(june, 0);
        f.t.ui.answer(QMessageBox::Yes);
        QTest::keyClick(june, Qt::Key_Delete);
        QVERIFY(texts(june).isEmpty());
        // A document without a birthday file keeps the lists, with the flag cleared.
        f.t.load(f.dir.filePath("absent.orz"), {&f.page});
        QCOMPARE(texts(march), (QStringList{"05 Bruno D.", "10 Alice"}));
        QVERIFY(!f.page.book().changed());
    }

    void todoCommands_data()
    {
        // Lists "Un Deux Trois" / "Fini": a click on a row of a list (none when
        // empty), a command, the answer of the input box (null: cancelled);
        // both lists after.
        QTest::addColumn<QString>("click");
        QTest::addColumn<QString>("command");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("after");
        const std::tuple<const char *, const char *, const char *, const char *, const char *> rows[] = {
            {"add, nothing selected", "", "add", "Nouveau", "Un Deux Trois Nouveau / Fini"},
            {"add, first selected, appends", "ListBox15 0", "add", "Nouveau", "Un Deux Trois Nouveau / Fini"},
            {"add, last selected, changes it", "ListBox15 2", "add", "Nouveau", "Un Deux Nouveau / Fini"},
            {"add cancelled", "", "add", nullptr, "Un Deux Trois / Fini"},
            {"add answered empty", "", "add", "", "Un Deux Trois / Fini"},
            {"F2 on a done entry", "ListBox16 0", "F2", "Nouveau", "Un Deux Trois / Nouveau"},
            {"F2 cancelled", "ListBox15 1", "F2", nullptr, "Un Deux Trois / Fini"},
            {"last entry to done", "ListBox15 2", "SpeedButton2", nullptr, "Un Deux / Fini Trois"},
            {"done entry back", "ListBox16 0", "SpeedButton1", nullptr, "Un Deux Trois Fini / "},
            {"Delete the first entry", "ListBox15 0", "Delete", nullptr, "Deux Trois / Fini"},
        };
        for (const auto &[row, click, command, answer, after] : rows)
            QTest::newRow(row) << QString(click) << QString(command)
                               << (answer ? std::optional<QString>(answer) : std::nullopt) << QString(after);
    }

    void todoCommands()
    {
        QFETCH(QString, click);
        QFETCH(QString, command);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, after);
        Fixture<TodoPage> f(".oaf", {"<FAIRE>", "Un", "Deux", "Trois", "<FAIT>", "Fini"});
        QListWidget *view = click.isEmpty() ? nullptr : f.w<QListWidget>(qPrintable(click.section(u' ', 0, 0)));
        if (view)
            clickRow(view, click.section(u' ', 1).toInt());
        const QString clicked = view ? view->currentItem()->text() : QString();
        if (command == "add" || command == "F2")
            f.t.ui.input(answer);
        if (command == "add")
            f.page.ajout();
        else if (command.startsWith("Speed"))
            QTest::mouseClick(f.w<QToolButton>(qPrintable(command)), Qt::LeftButton);
        else
            QTest::keyClick(view, command == "F2" ? Qt::Key_F2 : Qt::Key_Delete);
        QVERIFY(f.page.changed() && f.t.context.document().modified); // every command sets both flags
        if (command == "F2")                                          // a change offers the entry as it stands
            QCOMPARE(f.t.ui.shown().value(0).proposed, clicked);
        auto lists = [&f] {
            return texts(f.w<QListWidget>("ListBox15")).join(u' ') + " / "
                   + texts(f.w<QListWidget>("ListBox16")).join(u' ');
        };
        QCOMPARE(lists(), after);
        // An appended entry is not selected: the next Add appends again.
        f.t.ui.input(QString("Encore"));
        f.page.ajout();
        if (after.startsWith("Un Deux Trois Nouveau"))
            QCOMPARE(lists(), "Un Deux Trois Nouveau Encore / Fini");
    }

    void unreadableFileIsKept_data()
    {
        QTest::addColumn<int>("section");
        QTest::newRow("address book") << 2;
        QTest::newRow("birthdays") << 3;
        QTest::newRow("to-do") << 4;
    }

    void unreadableFileIsKept()
    {
        // A section file that is there but cannot be read (here a folder in its
        // place) is told on opening and never replaced by a save under the same
        // name; saving under another name writes the new file.
        QFETCH(int, section);
        TestContext t;
        DocumentModel &m = t.model;
        std::unique_ptr<SectionPage> page(
            section == 2   ? static_cast<SectionPage *>(new AddressPage(t.context, m.addresses(), t.window.get()))
            : section == 3 ? static_cast<SectionPage *>(new BirthdayPage(t.context, m.birthdays(), t.window.get()))
                           : new TodoPage(t.context, m.todo(), t.window.get()));
        QTemporaryDir dir;
        const QString doc = dir.filePath("maison.orz"), other = dir.filePath("autre.orz");
        const QString file = DocumentModel::fileName(doc, page->section());
        QVERIFY(QDir().mkpath(file));
        t.load(doc, {page.get()});
        QCOMPARE(t.ui.messages().size(), 2); // no organiser file, then this one
        t.context.document().setModified();
        page->ajout(); // nothing scripted: cancelled, but the to-do is now changed
        QVERIFY(!t.save(doc, false, {page.get()}));
        QCOMPARE(t.ui.messages().size(), 3);
        QVERIFY(t.ui.lastMessage().contains("n'a pas pu être lu") && QFileInfo(file).isDir());
        QVERIFY(t.save(other, true, {page.get()})
                && QFileInfo(DocumentModel::fileName(other, page->section())).isFile());
    }

    void whichFilesASaveWrites_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("written");
        QTest::newRow("nothing changed: birthdays only") << "" << QString(".oan");
        QTest::newRow("document modified elsewhere") << "modified" << QString(".ocn .oan");
        QTest::newRow("contact added, page not written back") << "contact" << QString(".ocn .oan");
        QTest::newRow("to-do entry added") << "todo" << QString(".ocn .oan .oaf");
        QTest::newRow("saved under a new name") << "new name" << QString(".ocn .oan .oaf");
    }

    void whichFilesASaveWrites()
    {
        QFETCH(QString, change);
        const bool force = change == "new name";
        TestContext t;
        AddressPage address(t.context, t.model.addresses(), t.window.get());
        BirthdayPage birthdays(t.context, t.model.birthdays(), t.window.get());
        TodoPage todo(t.context, t.model.todo(), t.window.get());
        QTemporaryDir dir;
        const QString doc = dir.filePath("maison.orz");
        if (change == "modified")
            t.context.document().setModified();
        if (change == "contact") {
            t.ui.dialog(contact({{2, "Nouveau"}}));
            address.ajout();
        }
        if (change == "todo") {
            t.ui.input(QString("Acheter du pain"));
            todo.ajout();
        }
        QVERIFY(t.save(doc, force, {&address, &birthdays, &todo}));
        QStringList found;
        for (const char *ext : {".ocn", ".oan", ".oaf"})
            if (QFileInfo::exists(dir.filePath(QStringLiteral("maison") + QLatin1String(ext))))
                found << QLatin1String(ext);
        QTEST(found.join(u' '), "written");
    }

    void documentWindowPath()
    {
        // A document opened, its three sections edited through the generic
        // commands and the section switches, saved byte for byte, opened again.
        ChildFixture c(QDateTime(QDate(2026, 1, 5), QTime(9, 0)));
        TChild &child = c.child;
        child.resize(900, 600);
        child.show();
        QVERIFY(QTest::qWaitForWindowExposed(&child));
        const QString doc = c.path("maison.orz");
        auto path = [&c](const char *ext) { return c.path(QStringLiteral("maison") + QLatin1String(ext)); };
        TestFiles::writeBytes(doc, QByteArray());
        TestFiles::writeBytes(path(".ocn"),
                              TestFiles::crlf({" ", contactLine("B100", "Bernard"), contactLine("A100", "Alice")}));
        TestFiles::writeBytes(path(".oan"), TestFiles::crlf({"0901 Rentrée", "0315 Paul"}));
        TestFiles::writeBytes(path(".oaf"), TestFiles::crlf({"<FAIRE>", "Appeler", "<FAIT>", "Payer"}));
        auto list = [&child](const char *name) { return texts(child.findChild<QListWidget *>(name)); };
        auto letter = [&child] { return child.findChild<QLabel *>("Panel8")->text(); };

        child.Charge(doc);
        child.document().referenceDate = QDate(2026, 12, 4); // the week planner moved on
        child.Section(2);
        auto *blocks = child.findChild<QListView *>("ListBox8");
        blocks->setFocus();
        QTest::keyClick(blocks, Qt::Key_PageDown);
        QCOMPARE(letter(), QString("<B>"));
        c.ui.dialog(contact({{2, "Bruno"}, {9, "0607"}}));
        child.Ajout();
        QCOMPARE(child.findChild<QTreeView *>("ListView1")->model()->index(1, 1).data().toString(), QString(" 0607"));

        child.Section(3);
        child.Suivant();
        QCOMPARE(list("ListBox11"), QStringList{"01 Rentrée"});
        QDate proposed;
        c.ui.dialog(birthday(QDate(2026, 12, 4), "Marie", &proposed));
        child.Ajout();
        QCOMPARE(proposed, QDate(2026, 12, 4));
        child.Supprime(); // nothing selected: nothing deleted
        child.Section(4);
        c.ui.input(QString("Ranger"));
        child.Ajout();

        QVERIFY(child.Sauve(doc) && !child.TestModif());
        QCOMPARE(TestFiles::readBytes(path(".ocn")),
                 TestFiles::crlf({" ", contactLine("A100", "Alice"), contactLine("B100", "Bernard"),
                                  contactLine("B108", "Bruno", "0607")}));
        QCOMPARE(TestFiles::readBytes(path(".oan")), TestFiles::crlf({"0315 Paul", "0901 Rentrée", "1204 Marie"}));
        QCOMPARE(TestFiles::readBytes(path(".oaf")),
                 TestFiles::crlf({"<FAIRE>", "Appeler", "Ranger", "<FAIT>", "Payer"}));

        child.Charge(doc);
        child.Section(2);
        QCOMPARE(letter(), QString("<A>"));
        child.Dernier();
        child.Precedent();
        QCOMPARE(letter(), QString("<Y>"));
        child.Section(3);
        child.Dernier();
        QCOMPARE(list("ListBox14"), QStringList{"04 Marie"});
        QVERIFY(!child.TestModif());
    }
};

QTEST_MAIN(TestContactsPages)
#include "test_contacts_pages.moc"

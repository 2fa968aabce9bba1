// The address book, birthday and to-do pages driven through their widgets,
// with scripted dialogs, and the files they write.

#include "Fixtures.h"
#include "app/TChild.h"
#include "common/TextFile.h"
#include "contacts/AddressPage.h"
#include "contacts/BirthdayPage.h"
#include "contacts/TCsaisie.h"
#include "contacts/TNoteAnniv.h"
#include "contacts/TodoPage.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <map>

namespace {

const QChar N(0x00A0);

using Entries = std::map<int, QString>; // Edit number -> text

// A dialog script that fills the contact dialog's entries and presses OK.
ScriptedUiServices::DialogScript contact(Entries entries, QStringList *seen = nullptr)
{
    return [entries, seen](QDialog *d) {
        if (seen) {
            seen->clear();
            for (int i = 1; i <= 13; ++i)
                *seen << d->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(i))->text();
        }
        for (const auto &[n, text] : entries)
            d->findChild<QLineEdit *>(QStringLiteral("Edit%1").arg(n))->setText(text);
        return int(QDialog::Accepted);
    };
}

ScriptedUiServices::DialogScript birthday(QDate date, const QString &text, QDate *shownDate = nullptr,
                                          QString *shownText = nullptr)
{
    return [=](QDialog *d) {
        auto *picker = d->findChild<QDateEdit *>(QStringLiteral("DateTimePicker1"));
        auto *edit = d->findChild<QLineEdit *>(QStringLiteral("Edit1"));
        if (shownDate)
            *shownDate = picker->date();
        if (shownText)
            *shownText = edit->text();
        picker->setDate(date);
        edit->setText(text);
        return int(QDialog::Accepted);
    };
}

QString contactLine(const QString &key, const QString &nom, const QString &adresse = QString())
{
    return key + N + nom + N + "\t" + N + "\t" + adresse + "\t" + N + "\tTél: " + N + "\tFax: " + N
           + "\tE.mail \t";
}

template<typename W> W *child(QWidget *parent, const QString &name)
{
    W *w = parent->findChild<W *>(name);
    if (!w)
        qFatal("no widget %s", qPrintable(name));
    return w;
}

void clickRow(QListWidget *list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(row)).center());
}

void doubleClickRow(QListWidget *list, int row)
{
    // A user's double click: a click, then the second press.
    clickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                       list->visualItemRect(list->item(row)).center());
}

QList<int> selectedRows(QListWidget *list)
{
    QList<int> rows;
    for (const QModelIndex &i : list->selectionModel()->selectedRows())
        rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> range(int from, int to)
{
    QList<int> r;
    for (int i = from; i <= to; ++i)
        r << i;
    return r;
}

QStringList texts(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Scripted dialogs that also keep the text each input box proposed.
class ProposingUi final : public UiServices
{
public:
    ScriptedUiServices script;
    QStringList proposed;

    QMessageBox::StandardButton message(QWidget *p, const QString &t, Icon i, QMessageBox::StandardButtons b,
                                        QMessageBox::StandardButton d, const QString &title) override
    {
        return script.message(p, t, i, b, d, title);
    }
    std::optional<QString> inputBox(QWidget *p, const QString &c, const QString &prompt, const QString &d) override
    {
        proposed << d;
        return script.inputBox(p, c, prompt, d);
    }
    QString openFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &, const QString &) override { return {}; }
    bool printDialog(QWidget *, QPrinter *) override { return false; }
    bool printerSetup(QWidget *, QPrinter *) override { return false; }
    int exec(QDialog *d) override { return script.exec(d); }
};

// A page of the given type in a shown window.
template<typename Page> struct Fixture
{
    explicit Fixture(QDate today = QDate(2026, 1, 7)) : t(today), page(t.context, t.window.get())
    {
        t.window->resize(900, 640);
        page.setGeometry(0, 0, 900, 640);
        t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(t.window.get()));
        QVERIFY(dir.isValid());
    }
    QString doc() const { return dir.filePath("agenda.orz"); }
    QString file(const char *ext) const { return dir.filePath(QStringLiteral("agenda") + QLatin1String(ext)); }
    template<typename W> W *w(const QString &name) { return child<W>(&page, name); }

    TestContext t;
    Page page;
    QTemporaryDir dir;
};

} // namespace

class TestContactsPages : public QObject
{
    Q_OBJECT

private slots:
    // Dialogs
    void contactDialogEnterKey_data();
    void contactDialogEnterKey();
    void contactDialogLimits_data();
    void contactDialogLimits();
    void contactDialogKeepsLongerStoredParts();
    void contactDialogCancelledGivesEmptyFields();
    void birthdayDialogEnterAndCancel();

    // Address book
    void addedContactShowsAndSaves();
    void newDocumentFileStartsWithBlankLine();
    void blockSelectionByClick_data();
    void blockSelectionByClick();
    void clickThenDeleteRemovesContact_data();
    void clickThenDeleteRemovesContact();
    void fieldBeginningWithDashIsNoSeparator();
    void doubleClickAndF2ChangeContact_data();
    void doubleClickAndF2ChangeContact();
    void summaryClickSelectsBlockAndArrowsFollow();
    void cancelledDialogChangesNothing();
    void letterNavigation_data();
    void letterNavigation();
    void contactFiledUnderShownLetter();
    void fullLetterRefusesNewContact();
    void loadShowsLetterAAndMissingFileKeepsBook();
    void resizingRules();
    void foundLineShowsItsLetter();
    void pageDownInDocumentWindowStepsLetters();

    // Birthdays
    void birthdayCaptionAndLabels();
    void birthdayAddedFromEitherHalf_data();
    void birthdayAddedFromEitherHalf();
    void birthdaysListedByDay();
    void birthdayChangedIntoAnotherMonth();
    void birthdayDeleteKey();
    void birthdayCancelChangesNothing();
    void birthdayLoadClearsChangedFlag();
    void emptyBirthdaysWriteEmptyFile();
    void birthdaysSurviveSectionChange();

    // To-do
    void todoAddAppendsOrChanges_data();
    void todoAddAppendsOrChanges();
    void todoInputProposesSelectedEntry();
    void todoUnchangedAnswerStillSetsFlags_data();
    void todoUnchangedAnswerStillSetsFlags();
    void todoArrowsMoveEntries();
    void todoDoubleClickAndDelete();
    void todoFileLoadedAndSaved();

    // Saving the three files
    void whichFilesASaveWrites_data();
    void whichFilesASaveWrites();

    // The three sections through the document window
    void documentWindowRoundTrip();
};

// ---------------------------------------------------------------------------
// Dialogs

void TestContactsPages::contactDialogEnterKey_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<bool>("accepts");
    for (int i = 1; i <= 13; ++i)
        QTest::addRow("Edit%d", i) << i << (i >= 8);
}

void TestContactsPages::contactDialogEnterKey()
{
    QFETCH(int, edit);
    QFETCH(bool, accepts);
    TCsaisie dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(QApplication::focusWidget(), dialog.edit(1));
    QLineEdit *e = dialog.edit(edit);
    e->setFocus();
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(dialog.result() == QDialog::Accepted, accepts);
    QCOMPARE(dialog.isVisible(), !accepts);
    if (!accepts) // Enter went on to the next entry
        QCOMPARE(QApplication::focusWidget(), dialog.edit(edit + 1));
}

void TestContactsPages::contactDialogLimits_data()
{
    QTest::addColumn<int>("edit");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("limit");
    const QList<std::tuple<QString, int>> rows{{"Titre", 5},     {"Nom", 30},         {"Prénom", 20},   {"Fonction", 10},
                                               {"Société", 20},  {"Adresse", 40},     {"Code postal", 6}, {"Ville", 20},
                                               {"Téléphone", 16}, {"Téléphone", 16},  {"Fax", 16},      {"Pays", 16},
                                               {"E.mail", 25}};
    for (int i = 0; i < rows.size(); ++i)
        QTest::addRow("Edit%d %s", i + 1, qPrintable(std::get<0>(rows[i]))) << i + 1 << std::get<0>(rows[i]) << std::get<1>(rows[i]);
}

void TestContactsPages::contactDialogLimits()
{
    QFETCH(int, edit);
    QFETCH(QString, label);
    QFETCH(int, limit);
    TCsaisie dialog;
    QLineEdit *e = dialog.edit(edit);
    QCOMPARE(e->objectName(), QStringLiteral("Edit%1").arg(edit));
    QTest::keyClicks(e, QString(limit + 5, u'9'));
    QCOMPARE(e->text().size(), limit);
    bool labelled = false;
    for (const QLabel *l : dialog.findChildren<QLabel *>())
        labelled = labelled || (l->buddy() == e && l->text() == label);
    QVERIFY(labelled);
}

void TestContactsPages::contactDialogKeepsLongerStoredParts()
{
    // A file from elsewhere may hold more than the dialog lets one type.
    const QString longName(45, u'n');
    TCsaisie dialog;
    dialog.Init({"Monsieur" + QString(N) + longName + N, QString(N), "", QString(N), "Tél: " + QString(N),
                 "Fax: " + QString(N), "E.mail "});
    QCOMPARE(dialog.edit(1)->text(), QString("Monsieur"));
    QCOMPARE(dialog.edit(2)->text(), longName);
    dialog.accept();
    QCOMPARE(dialog.Result().first(), "Monsieur" + QString(N) + longName + N);
}

void TestContactsPages::contactDialogCancelledGivesEmptyFields()
{
    TCsaisie dialog;
    dialog.edit(2)->setText("Dupont");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.edit(2), Qt::Key_Escape);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.Result(), QStringList(7, QString()));
    QCOMPARE(dialog.windowTitle(), QString("Saisie de l'adresse"));
}

void TestContactsPages::birthdayDialogEnterAndCancel()
{
    TNoteAnniv dialog;
    QCOMPARE(dialog.windowTitle(), QString("NoteAnniv"));
    dialog.Init("Paul", QDate(2026, 3, 15));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *picker = dialog.findChild<QDateEdit *>("DateTimePicker1");
    QCOMPARE(picker->date(), QDate(2026, 3, 15));
    QVERIFY(picker->calendarPopup());
    QCOMPARE(picker->text(), QString("15/03/2026"));
    QTest::keyClick(dialog.findChild<QLineEdit *>("Edit1"), Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Result().description, QString("Paul"));
    QCOMPARE(dialog.Result().date, QDate(2026, 3, 15));

    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(dialog.findChild<QLineEdit *>("Edit1"), Qt::Key_Escape);
    QCOMPARE(dialog.Result().description, QString());
}

// ---------------------------------------------------------------------------
// Address book

void TestContactsPages::addedContactShowsAndSaves()
{
    Fixture<AddressPage> f;
    f.t.ui.dialog(contact({{1, "M."}, {2, "Dupont"}, {3, "Jean"}, {8, "Paris"}, {9, "0102030405"}}));
    f.page.ajout();

    QCOMPARE(f.t.ui.shown().last().text, QString("Csaisie"));
    QCOMPARE(f.t.ui.shown().last().title, QString("Saisie de l'adresse"));
    auto *blocks = f.w<QListWidget>("ListBox8");
    QCOMPARE(blocks->count(), 8);
    QCOMPARE(texts(blocks).mid(0, 7),
             (QStringList{"M." + QString(N) + "Dupont" + N + "Jean", QString(N), "", N + QString("Paris"),
                          "Tél: 0102030405" + QString(N), "Fax: " + QString(N), "E.mail "}));
    QVERIFY(blocks->item(7)->text().startsWith("---"));
    QVERIFY(!blocks->item(7)->text().contains(QRegularExpression("[^-]")));
    auto *summary = f.w<QTreeWidget>("ListView1");
    QCOMPARE(summary->topLevelItemCount(), 1);
    QCOMPARE(summary->topLevelItem(0)->text(0), "M." + QString(N) + "Dupont" + N + "Jean");
    QCOMPARE(summary->topLevelItem(0)->text(1), QString(" 0102030405"));
    QCOMPARE(summary->headerItem()->text(0), QString("Nom"));
    QCOMPARE(summary->headerItem()->text(1), QString("Téléphone"));
    QVERIFY(f.t.context.document().modified);

    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".ocn")),
             QByteArray(" \r\nA100M.\xA0" "Dupont\xA0" "Jean\t\xA0\t\t\xA0" "Paris\tT\xE9l: 0102030405\xA0\t"
                        "Fax: \xA0\tE.mail \t\r\n"));
}

void TestContactsPages::newDocumentFileStartsWithBlankLine()
{
    Fixture<AddressPage> f;
    f.t.ui.dialog(contact({}));
    f.page.ajout();
    f.page.reset();
    f.t.context.document().modified = true;
    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".ocn")), QByteArray(" \r\n"));

    AddressPage other(f.t.context, f.t.window.get());
    other.load(f.doc());
    for (QChar l = u'A'; l <= u'Z'; l = QChar(l.unicode() + 1)) {
        other.Button2Click(l);
        QCOMPARE(child<QListWidget>(&other, "ListBox8")->count(), 0);
    }
}

void TestContactsPages::blockSelectionByClick_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QList<int>>("selected");

    QTest::newRow("first line of the first contact") << 0 << range(0, 6);
    QTest::newRow("middle line of the first contact") << 3 << range(0, 6);
    QTest::newRow("last field of the first contact") << 6 << range(0, 6);
    QTest::newRow("separator below the first contact") << 7 << range(0, 6);
    QTest::newRow("first line of the second contact") << 8 << range(8, 14);
    QTest::newRow("e-mail line of the third contact") << 22 << range(16, 22);
    QTest::newRow("final separator selects no contact") << 23 << QList<int>{};
}

void TestContactsPages::blockSelectionByClick()
{
    QFETCH(int, row);
    QFETCH(QList<int>, selected);
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({contactLine("A100", "Un"), contactLine("A108", "Deux"),
                                                            contactLine("A116", "Trois")}));
    f.page.load(f.doc());
    auto *blocks = f.w<QListWidget>("ListBox8");
    QCOMPARE(blocks->count(), 24);
    clickRow(blocks, 0 == row ? 9 : 0); // start from another contact
    clickRow(blocks, row);
    QCOMPARE(selectedRows(blocks), selected);
    if (selected.isEmpty()) {
        // Below the last contact: F2 and Delete have nothing to work on.
        QCOMPARE(f.page.selectedContact(), -1);
        QTest::keyClick(blocks, Qt::Key_F2);
        QTest::keyClick(blocks, Qt::Key_Delete);
        QVERIFY(f.t.ui.shown().isEmpty());
        QCOMPARE(f.page.book().lines().size(), 3);
        QCOMPARE(blocks->count(), 24);
        return;
    }
    QCOMPARE(f.page.selectedContact(), selected.first() / 8);
    const QStringList names{"Un", "Deux", "Trois"};
    QCOMPARE(f.w<QTreeWidget>("ListView1")->currentItem()->text(0), QString(N) + names.at(selected.first() / 8) + N);
}

void TestContactsPages::clickThenDeleteRemovesContact_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("name line") << 0;
    QTest::newRow("town line") << 3;
    QTest::newRow("separator of the contact") << 7;
}

void TestContactsPages::clickThenDeleteRemovesContact()
{
    QFETCH(int, row);
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({" ", contactLine("A100", "Un"), contactLine("A108", "Deux"),
                                                            contactLine("A116", "Trois")}));
    f.page.load(f.doc());
    auto *blocks = f.w<QListWidget>("ListBox8");
    clickRow(blocks, row);
    QTest::keyClick(blocks, Qt::Key_Delete);

    QVERIFY(f.t.ui.shown().isEmpty()); // no question asked
    QCOMPARE(f.page.book().lines(), (QStringList{" ", contactLine("A108", "Deux"), contactLine("A116", "Trois")}));
    QCOMPARE(blocks->count(), 16);
    QCOMPARE(blocks->item(0)->text(), QString(N) + "Deux" + N);
    QVERIFY(f.t.context.document().modified);
    QVERIFY(selectedRows(blocks).isEmpty());

    // Delete with nothing selected does nothing.
    QTest::keyClick(blocks, Qt::Key_Delete);
    QCOMPARE(blocks->count(), 16);

    // The next change renumbers the page.
    clickRow(blocks, 9);
    f.t.ui.dialog(contact({{2, "Trois bis"}}));
    QTest::keyClick(blocks, Qt::Key_F2);
    QCOMPARE(f.page.book().lines(), (QStringList{" ", contactLine("A100", "Deux"), contactLine("A108", "Trois bis")}));
}

void TestContactsPages::fieldBeginningWithDashIsNoSeparator()
{
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({contactLine("A100", "Un"),
                                                            contactLine("A108", "-Deux-", "- chez Paul -"),
                                                            contactLine("A116", "Trois")}));
    f.page.load(f.doc());
    auto *blocks = f.w<QListWidget>("ListBox8");
    QCOMPARE(blocks->item(10)->text(), QString("- chez Paul -"));

    clickRow(blocks, 10);
    QCOMPARE(selectedRows(blocks), range(8, 14));
    clickRow(blocks, 12);
    QCOMPARE(selectedRows(blocks), range(8, 14));

    QStringList seen;
    f.t.ui.dialog([&seen](QDialog *d) {
        seen << d->findChild<QLineEdit *>("Edit2")->text() << d->findChild<QLineEdit *>("Edit6")->text();
        return int(QDialog::Rejected);
    });
    QTest::keyClick(blocks, Qt::Key_F2);
    QCOMPARE(seen, (QStringList{"-Deux-", "- chez Paul -"}));

    QTest::keyClick(blocks, Qt::Key_Delete);
    QCOMPARE(f.page.book().lines(), (QStringList{contactLine("A100", "Un"), contactLine("A116", "Trois")}));
}

void TestContactsPages::doubleClickAndF2ChangeContact_data()
{
    QTest::addColumn<bool>("useKey");
    QTest::newRow("double click") << false;
    QTest::newRow("F2 key") << true;
}

void TestContactsPages::doubleClickAndF2ChangeContact()
{
    QFETCH(bool, useKey);
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"),
                          TestFiles::crlf({contactLine("A100", "Un"), "B100 autre page", contactLine("A108", "Deux")}));
    f.page.load(f.doc());
    auto *blocks = f.w<QListWidget>("ListBox8");
    QStringList seen;
    f.t.ui.dialog(contact({{2, "Deuxième"}, {9, "04"}, {10, "05"}}, &seen));
    if (useKey) {
        clickRow(blocks, 12);
        QTest::keyClick(blocks, Qt::Key_F2);
    } else {
        doubleClickRow(blocks, 12);
    }
    QCOMPARE(seen.size(), 13);
    QCOMPARE(seen.at(1), QString("Deux"));
    // Written back at once: the page's lines go to the end of the store.
    QCOMPARE(f.page.book().lines(),
             (QStringList{"B100 autre page", contactLine("A100", "Un"),
                          "A108" + QString(N) + "Deuxième" + N + "\t" + N + "\t\t" + N + "\tTél: 04" + N + "Tél: 05\tFax: "
                              + N + "\tE.mail \t"}));
    QCOMPARE(f.w<QTreeWidget>("ListView1")->topLevelItem(1)->text(1), QString(" 04"));
    QVERIFY(f.t.context.document().modified);
    QCOMPARE(selectedRows(blocks), range(8, 14));
}

void TestContactsPages::summaryClickSelectsBlockAndArrowsFollow()
{
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({contactLine("A100", "Un"), contactLine("A108", "Deux")}));
    f.page.load(f.doc());
    auto *summary = f.w<QTreeWidget>("ListView1");
    auto *blocks = f.w<QListWidget>("ListBox8");
    QTest::mouseClick(summary->viewport(), Qt::LeftButton, Qt::NoModifier,
                      summary->visualItemRect(summary->topLevelItem(0)).center());
    QCOMPARE(selectedRows(blocks), range(0, 6));
    // The keys move line by line; the selection follows block by block.
    blocks->setFocus();
    for (int i = 0; i < 8; ++i)
        QTest::keyClick(blocks, Qt::Key_Down);
    QCOMPARE(blocks->currentRow(), 8);
    QCOMPARE(selectedRows(blocks), range(8, 14));
    QCOMPARE(summary->currentItem(), summary->topLevelItem(1));
    QTest::keyClick(blocks, Qt::Key_A, Qt::ControlModifier); // no select-all
    QCOMPARE(selectedRows(blocks), range(8, 14));
}

void TestContactsPages::cancelledDialogChangesNothing()
{
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({contactLine("A100", "Un")}));
    f.page.load(f.doc());
    f.page.ajout(); // no script: the dialog is cancelled
    clickRow(f.w<QListWidget>("ListBox8"), 2);
    QTest::keyClick(f.w<QListWidget>("ListBox8"), Qt::Key_F2);
    QCOMPARE(f.t.ui.shown().size(), 2);
    QCOMPARE(f.page.book().lines(), QStringList{contactLine("A100", "Un")});
    QCOMPARE(f.w<QListWidget>("ListBox8")->count(), 8);
    QVERIFY(!f.t.context.document().modified);
}

void TestContactsPages::letterNavigation_data()
{
    QTest::addColumn<QString>("start"); // letter button to press first
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");

    QTest::newRow("previous on A stays on A") << "A" << "precedent" << "<A>";
    QTest::newRow("next on Z stays on Z") << "Z" << "suivant" << "<Z>";
    QTest::newRow("next from A") << "A" << "suivant" << "<B>";
    QTest::newRow("previous from M") << "M" << "precedent" << "<L>";
    QTest::newRow("first from M") << "M" << "premier" << "<A>";
    QTest::newRow("last from C") << "C" << "dernier" << "<Z>";
    QTest::newRow("button alone") << "Q" << "" << "<Q>";
}

void TestContactsPages::letterNavigation()
{
    QFETCH(QString, start);
    QFETCH(QString, command);
    QFETCH(QString, caption);
    Fixture<AddressPage> f;
    QCOMPARE(f.w<QLabel>("Panel8")->text(), QString("<A>"));
    QPushButton *button = f.w<QPushButton>(QStringLiteral("Button%1").arg(start.at(0).unicode() - 'A' + 2));
    QCOMPARE(button->text(), start);
    QTest::mouseClick(button, Qt::LeftButton);
    if (!command.isEmpty())
        QMetaObject::invokeMethod(&f.page, [&] {
            if (command == "precedent") f.page.precedent();
            if (command == "suivant") f.page.suivant();
            if (command == "premier") f.page.premier();
            if (command == "dernier") f.page.dernier();
        });
    QCOMPARE(f.w<QLabel>("Panel8")->text(), caption);
    QCOMPARE(f.page.currentLetter(), caption.at(1));
}

void TestContactsPages::contactFiledUnderShownLetter()
{
    Fixture<AddressPage> f;
    QTest::mouseClick(f.w<QPushButton>("Button4"), Qt::LeftButton); // "C"
    f.t.ui.dialog(contact({{2, "Albert"}}));
    f.page.ajout();
    f.t.ui.dialog(contact({{2, "Zoé"}}));
    f.page.ajout();
    QCOMPARE(f.page.book().lines(), QStringList{" "}); // not yet written back
    QTest::mouseClick(f.w<QPushButton>("Button5"), Qt::LeftButton); // "D"
    QCOMPARE(f.page.book().lines(), (QStringList{" ", contactLine("C100", "Albert"), contactLine("C108", "Zoé")}));
    QCOMPARE(f.w<QListWidget>("ListBox8")->count(), 0);
    f.page.precedent();
    QCOMPARE(f.w<QTreeWidget>("ListView1")->topLevelItemCount(), 2);
}

void TestContactsPages::fullLetterRefusesNewContact()
{
    Fixture<AddressPage> f;
    QStringList lines{" "};
    for (int i = 0; i < 113; ++i)
        lines << contactLine(QStringLiteral("A%1").arg(100 + 8 * i), QString::number(i));
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf(lines));
    f.page.load(f.doc());
    f.t.ui.dialog(contact({{2, "de trop"}}));
    f.page.ajout();
    QCOMPARE(f.t.ui.shown().size(), 1);
    QCOMPARE(f.t.ui.shown().first().kind, QString("message"));
    QVERIFY(f.t.ui.lastMessage().contains("113"));
    QVERIFY(!f.t.ui.allAnswersUsed()); // the dialog never opened
    QCOMPARE(f.page.book().lines(), lines);
    QCOMPARE(f.w<QListWidget>("ListBox8")->count(), 113 * 8);

    // Another letter still takes contacts.
    f.page.suivant();
    f.page.ajout();
    QVERIFY(f.t.ui.allAnswersUsed());
}

void TestContactsPages::loadShowsLetterAAndMissingFileKeepsBook()
{
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({contactLine("A100", "Un"), contactLine("K100", "Ka")}));
    QTest::mouseClick(f.w<QPushButton>("Button12"), Qt::LeftButton); // "K"
    f.page.load(f.doc());
    QCOMPARE(f.w<QLabel>("Panel8")->text(), QString("<A>"));
    QCOMPARE(f.w<QListWidget>("ListBox8")->count(), 8);

    f.page.load(f.dir.filePath("absent.orz"));
    QCOMPARE(f.page.book().lines(), (QStringList{contactLine("A100", "Un"), contactLine("K100", "Ka")}));
    QVERIFY(f.t.ui.shown().isEmpty());
}

void TestContactsPages::resizingRules()
{
    Fixture<AddressPage> f;
    f.page.layoutFor(1000, 700);
    QCOMPARE(f.w<QWidget>("Panel5")->width(), 476);
    QCOMPARE(f.w<QTreeWidget>("ListView1")->columnWidth(0), 346);
    QCOMPARE(f.w<QTreeWidget>("ListView1")->columnWidth(1), 120);
    f.page.layoutFor(801, 600);
    QCOMPARE(f.w<QWidget>("Panel5")->width(), 376);
    QCOMPARE(f.w<QTreeWidget>("ListView1")->columnWidth(0), 246);
}

void TestContactsPages::foundLineShowsItsLetter()
{
    Fixture<AddressPage> f;
    TestFiles::writeBytes(f.file(".ocn"), TestFiles::crlf({" ", contactLine("K100", "Ka"), "", "a100 minuscule"}));
    f.page.load(f.doc());
    f.page.showLetterOf(1);
    QCOMPARE(f.w<QLabel>("Panel8")->text(), QString("<K>"));
    QCOMPARE(f.w<QListWidget>("ListBox8")->count(), 8);
    for (int line : {0, 2, 3, 4, -1}) // blank, empty, lower case, beyond the store
        f.page.showLetterOf(line);
    QCOMPARE(f.page.currentLetter(), QChar(u'K'));
}

void TestContactsPages::pageDownInDocumentWindowStepsLetters()
{
    TestContext t;
    TChild child(t.ui, t.clock, t.startDirectory.path());
    child.resize(900, 600);
    child.show();
    QVERIFY(QTest::qWaitForWindowExposed(&child));
    child.Section(2);
    auto *page = qobject_cast<AddressPage *>(child.page(2));
    QVERIFY(page);
    auto *blocks = child.findChild<QListWidget *>("ListBox8");
    blocks->setFocus();
    QTest::keyClick(blocks, Qt::Key_PageDown);
    QTest::keyClick(blocks, Qt::Key_PageDown);
    QCOMPARE(page->currentLetter(), QChar(u'C'));
    QTest::keyClick(blocks, Qt::Key_PageUp);
    QCOMPARE(child.findChild<QLabel *>("Panel8")->text(), QString("<B>"));

    t.ui.dialog(contact({{2, "Bruno"}}));
    child.Ajout();
    child.Section(1); // leaving the section writes the page back
    QCOMPARE(page->book().lines().last().left(4), QString("B100"));
    child.Section(3);
    child.Supprime(); // nothing on the birthdays page
    QCOMPARE(page->book().lines().size(), 2);
}

// ---------------------------------------------------------------------------
// Birthdays

void TestContactsPages::birthdayCaptionAndLabels()
{
    Fixture<BirthdayPage> f(QDate(2002, 5, 4));
    QCOMPARE(f.w<QLabel>("Panel9")->text(), QString("Anniversaires 2002"));
    const QStringList names{"Label2", "Label16", "Label17", "Label21", "Label22", "Label23"};
    QStringList first, second;
    for (const QString &n : names)
        first << f.w<QLabel>(n)->text();
    f.page.suivant();
    for (const QString &n : names)
        second << f.w<QLabel>(n)->text();
    QCOMPARE(first, (QStringList{"Janvier", "Février", "Mars", "Avril", "Mai", "Juin"}));
    QCOMPARE(second, (QStringList{"Juillet", "Août", "Septembre", "Octobre", "Novembre", "Décembre"}));
    f.page.precedent();
    QCOMPARE(f.w<QLabel>("Label23")->text(), QString("Juin"));
    f.page.dernier();
    QCOMPARE(f.w<QLabel>("Label2")->text(), QString("Juillet"));
    f.page.premier();
    QCOMPARE(f.w<QLabel>("Label2")->text(), QString("Janvier"));
}

void TestContactsPages::birthdayAddedFromEitherHalf_data()
{
    QTest::addColumn<bool>("secondHalf");
    QTest::newRow("first half shown") << false;
    QTest::newRow("second half shown") << true;
}

void TestContactsPages::birthdayAddedFromEitherHalf()
{
    QFETCH(bool, secondHalf);
    Fixture<BirthdayPage> f(QDate(2026, 1, 7));
    f.t.context.document().referenceDate = QDate(2026, 9, 14); // the week planner's date
    if (secondHalf)
        f.page.suivant();
    QDate shown;
    f.t.ui.dialog(birthday(QDate(2026, 3, 15), "Paul", &shown));
    f.page.ajout();
    QCOMPARE(f.t.ui.shown().last().text, QString("NoteAnniv"));
    QCOMPARE(shown, QDate(2026, 9, 14));
    QCOMPARE(f.page.book().lines(), QStringList{"0315 Paul"});
    // Adding sets the birthdays-changed flag only; the document counts as
    // modified once the lists are written back.
    QVERIFY(f.page.book().changed());
    QVERIFY(!f.t.context.document().modified);
    if (secondHalf) {
        QCOMPARE(f.w<QListWidget>("ListBox11")->count(), 0); // November
        f.page.precedent();
        QVERIFY(f.t.context.document().modified);
    }
    QCOMPARE(texts(f.w<QListWidget>("ListBox11")), QStringList{"15 Paul"});
    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".oan")), QByteArray("0315 Paul\r\n"));
}

void TestContactsPages::birthdaysListedByDay()
{
    Fixture<BirthdayPage> f;
    for (const auto &[day, name] : std::initializer_list<std::pair<int, QString>>{{20, "Zoé"}, {5, "Yves"}, {15, "Xavier"}}) {
        f.t.ui.dialog(birthday(QDate(2026, 1, day), name));
        f.page.ajout();
    }
    QCOMPARE(texts(f.w<QListWidget>("ListBox9")), (QStringList{"05 Yves", "15 Xavier", "20 Zoé"}));
}

void TestContactsPages::birthdayChangedIntoAnotherMonth()
{
    Fixture<BirthdayPage> f;
    f.t.context.document().referenceDate = QDate(2027, 6, 1);
    TestFiles::writeBytes(f.file(".oan"), TestFiles::crlf({"0310 Alice", "0320 Bruno"}));
    f.page.load(f.doc());
    auto *march = f.w<QListWidget>("ListBox11");
    clickRow(march, 1);
    QDate shownDate;
    QString shownText;
    f.t.ui.dialog(birthday(QDate(2027, 7, 5), "Bruno D.", &shownDate, &shownText));
    QTest::keyClick(march, Qt::Key_F2);
    QCOMPARE(shownText, QString("Bruno"));
    QCOMPARE(shownDate, QDate(2027, 3, 20));
    QCOMPARE(texts(march), (QStringList{"05 Bruno D.", "10 Alice"}));
    QVERIFY(f.page.book().changed());
    QVERIFY(!f.t.context.document().modified); // not before the write-back
    QCOMPARE(march->currentRow(), 0);
    QCOMPARE(f.w<QListWidget>("ListBox12")->count(), 0);

    // Double click does the same.
    f.t.ui.dialog(birthday(QDate(2027, 3, 11), "Alice M."));
    doubleClickRow(march, 1);
    QCOMPARE(texts(march), (QStringList{"05 Bruno D.", "11 Alice M."}));

    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".oan")), QByteArray("0305 Bruno D.\r\n0311 Alice M.\r\n"));
}

void TestContactsPages::birthdayDeleteKey()
{
    Fixture<BirthdayPage> f;
    TestFiles::writeBytes(f.file(".oan"), TestFiles::crlf({"0601 Anne", "0602 Béa"}));
    f.page.load(f.doc());
    auto *june = f.w<QListWidget>("ListBox14");
    QTest::keyClick(june, Qt::Key_Delete); // nothing selected
    QCOMPARE(june->count(), 2);
    clickRow(june, 0);
    QTest::keyClick(june, Qt::Key_Delete);
    QCOMPARE(texts(june), QStringList{"02 Béa"});
    QVERIFY(f.t.context.document().modified);
    f.page.writeBack();
    QCOMPARE(f.page.book().lines(), QStringList{"0602 Béa"});
}

void TestContactsPages::birthdayCancelChangesNothing()
{
    Fixture<BirthdayPage> f;
    TestFiles::writeBytes(f.file(".oan"), TestFiles::crlf({"0101 Alice"}));
    f.page.load(f.doc());
    f.page.ajout(); // cancelled
    f.t.ui.dialog(birthday(QDate(2026, 2, 2), QString())); // OK with an empty description
    f.page.ajout();
    clickRow(f.w<QListWidget>("ListBox9"), 0);
    f.t.ui.dialog(birthday(QDate(2026, 1, 9), QString()));
    QTest::keyClick(f.w<QListWidget>("ListBox9"), Qt::Key_F2);
    QCOMPARE(f.t.ui.shown().size(), 3);
    QCOMPARE(texts(f.w<QListWidget>("ListBox9")), QStringList{"01 Alice"});
    QCOMPARE(f.page.book().lines(), QStringList{"0101 Alice"});
    QVERIFY(!f.t.context.document().modified);
}

void TestContactsPages::birthdayLoadClearsChangedFlag()
{
    // Opening a document clears the birthdays-changed flag whether or not
    // it has a birthday file; without one the list stays as it was stored.
    Fixture<BirthdayPage> f;
    TestFiles::writeBytes(f.file(".oan"), TestFiles::crlf({"0101 Alice"}));
    f.page.load(f.doc());
    clickRow(f.w<QListWidget>("ListBox9"), 0);
    f.t.ui.dialog(birthday(QDate(2026, 1, 2), "Alice B."));
    QTest::keyClick(f.w<QListWidget>("ListBox9"), Qt::Key_F2);
    QVERIFY(f.page.book().changed());

    f.page.load(f.dir.filePath("absent.orz"));
    QVERIFY(!f.page.book().changed());
    QCOMPARE(f.page.book().lines(), QStringList{"0101 Alice"});
    QCOMPARE(texts(f.w<QListWidget>("ListBox9")), QStringList{"01 Alice"});
    f.page.writeBack();
    QCOMPARE(f.page.book().lines(), QStringList{"0101 Alice"});
    QVERIFY(!f.t.context.document().modified);

    f.t.ui.dialog(birthday(QDate(2026, 1, 3), "Carl"));
    f.page.ajout();
    QVERIFY(f.page.book().changed());
    f.page.load(f.doc());
    QVERIFY(!f.page.book().changed());
    QCOMPARE(texts(f.w<QListWidget>("ListBox9")), QStringList{"01 Alice"});
}

void TestContactsPages::emptyBirthdaysWriteEmptyFile()
{
    Fixture<BirthdayPage> f;
    TestFiles::writeBytes(f.file(".oan"), "old");
    QVERIFY(f.page.save(f.doc(), false));
    QVERIFY(QFileInfo::exists(f.file(".oan")));
    QCOMPARE(TestFiles::readBytes(f.file(".oan")), QByteArray());
}

void TestContactsPages::birthdaysSurviveSectionChange()
{
    Fixture<BirthdayPage> f;
    f.t.ui.dialog(birthday(QDate(2026, 8, 1), "Fête"));
    f.page.ajout();
    f.page.suivant();
    clickRow(f.w<QListWidget>("ListBox10"), 0);
    f.t.ui.dialog(birthday(QDate(2026, 8, 2), "Fête bis"));
    QTest::keyClick(f.w<QListWidget>("ListBox10"), Qt::Key_F2);
    // What the document window does on a section change.
    f.page.writeBack();
    f.page.display();
    QCOMPARE(texts(f.w<QListWidget>("ListBox10")), QStringList{"02 Fête bis"});
    QCOMPARE(f.page.book().lines(), QStringList{"0802 Fête bis"});
}

// ---------------------------------------------------------------------------
// To-do

void TestContactsPages::todoAddAppendsOrChanges_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QStringList>("todo");
    QTest::addColumn<QStringList>("again"); // after a second Add, answered "Encore"

    QTest::newRow("nothing selected appends")
        << -1 << QStringList{"Un", "Deux", "Trois", "Nouveau"} << QStringList{"Un", "Deux", "Trois", "Nouveau", "Encore"};
    QTest::newRow("first entry selected appends")
        << 0 << QStringList{"Un", "Deux", "Trois", "Nouveau"} << QStringList{"Un", "Deux", "Trois", "Nouveau", "Encore"};
    QTest::newRow("second entry selected changes it")
        << 1 << QStringList{"Un", "Nouveau", "Trois"} << QStringList{"Un", "Encore", "Trois"};
    QTest::newRow("last entry selected changes it")
        << 2 << QStringList{"Un", "Deux", "Nouveau"} << QStringList{"Un", "Deux", "Encore"};
}

void TestContactsPages::todoAddAppendsOrChanges()
{
    QFETCH(int, selected);
    QFETCH(QStringList, todo);
    QFETCH(QStringList, again);
    Fixture<TodoPage> f;
    TestFiles::writeBytes(f.file(".oaf"), TestFiles::crlf({"<FAIRE>", "Un", "Deux", "Trois", "<FAIT>"}));
    f.page.load(f.doc());
    auto *list = f.w<QListWidget>("ListBox15");
    if (selected >= 0)
        clickRow(list, selected);
    f.t.ui.input(QString("Nouveau"));
    f.page.ajout();
    QCOMPARE(f.t.ui.shown().last().title, QString("Choses à faire"));
    QCOMPARE(f.t.ui.shown().last().text, QString("A faire"));
    QCOMPARE(texts(list), todo);
    QVERIFY(f.page.changed());
    QVERIFY(f.t.context.document().modified);

    // An appended entry does not become the selection: adding again
    // appends again instead of changing the entry just added.
    f.t.ui.input(QString("Encore"));
    f.page.ajout();
    QCOMPARE(texts(list), again);
}

void TestContactsPages::todoInputProposesSelectedEntry()
{
    ProposingUi ui;
    FixedClock clock;
    DocumentContext context(ui, clock);
    QWidget window;
    TodoPage page(context, &window);
    window.resize(600, 400);
    page.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTemporaryDir dir;
    TestFiles::writeBytes(dir.filePath("a.oaf"), TestFiles::crlf({"<FAIRE>", "Un", "Deux", "<FAIT>", "Fini"}));
    page.load(dir.filePath("a.orz"));

    auto *todo = child<QListWidget>(&page, "ListBox15");
    auto *done = child<QListWidget>(&page, "ListBox16");
    page.ajout();               // nothing selected
    clickRow(todo, 0);
    page.ajout();               // the first entry is not proposed
    clickRow(todo, 1);
    page.ajout();               // the second one is
    doubleClickRow(done, 0);    // a change proposes the entry
    QCOMPARE(ui.proposed, (QStringList{"", "", "Deux", "Fini"}));
    QCOMPARE(texts(todo), (QStringList{"Un", "Deux"})); // every box was cancelled
}

void TestContactsPages::todoUnchangedAnswerStillSetsFlags_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<std::optional<QString>>("answer");

    QTest::newRow("add cancelled") << "add" << std::optional<QString>();
    QTest::newRow("add answered empty") << "add" << std::optional<QString>(QString());
    QTest::newRow("change of a to-do entry cancelled") << "todo" << std::optional<QString>();
    QTest::newRow("change of a done entry cancelled") << "done" << std::optional<QString>();
    QTest::newRow("change answered empty") << "todo" << std::optional<QString>(QString());
}

void TestContactsPages::todoUnchangedAnswerStillSetsFlags()
{
    // The input box gives back its default when cancelled, and the entry
    // then replaces itself: the lists stay, both flags are set all the same.
    QFETCH(QString, action);
    QFETCH(std::optional<QString>, answer);
    Fixture<TodoPage> f;
    TestFiles::writeBytes(f.file(".oaf"), TestFiles::crlf({"<FAIRE>", "Un", "<FAIT>", "Fini"}));
    f.page.load(f.doc());
    QVERIFY(!f.page.changed());
    f.t.ui.input(answer);
    if (action == "add")
        f.page.ajout();
    else
        doubleClickRow(f.w<QListWidget>(action == "todo" ? "ListBox15" : "ListBox16"), 0);
    QCOMPARE(f.t.ui.shown().size(), 1);
    QCOMPARE(texts(f.w<QListWidget>("ListBox15")), QStringList{"Un"});
    QCOMPARE(texts(f.w<QListWidget>("ListBox16")), QStringList{"Fini"});
    QVERIFY(f.page.changed());
    QVERIFY(f.t.context.document().modified);
}

void TestContactsPages::todoArrowsMoveEntries()
{
    Fixture<TodoPage> f;
    TestFiles::writeBytes(f.file(".oaf"), TestFiles::crlf({"<FAIRE>", "Un", "Deux", "<FAIT>", "Fini"}));
    f.page.load(f.doc());
    auto *todo = f.w<QListWidget>("ListBox15");
    auto *done = f.w<QListWidget>("ListBox16");

    QTest::mouseClick(f.w<QToolButton>("SpeedButton2"), Qt::LeftButton); // nothing selected
    QVERIFY(!f.page.changed());

    clickRow(todo, 1);
    QTest::mouseClick(f.w<QToolButton>("SpeedButton2"), Qt::LeftButton);
    QCOMPARE(texts(todo), QStringList{"Un"});
    QCOMPARE(texts(done), (QStringList{"Fini", "Deux"}));
    QVERIFY(todo->selectedItems().isEmpty());
    QVERIFY(f.page.changed());

    clickRow(done, 0);
    QTest::mouseClick(f.w<QToolButton>("SpeedButton1"), Qt::LeftButton);
    QCOMPARE(texts(todo), (QStringList{"Un", "Fini"}));
    QCOMPARE(texts(done), QStringList{"Deux"});
    QVERIFY(done->selectedItems().isEmpty());
}

void TestContactsPages::todoDoubleClickAndDelete()
{
    Fixture<TodoPage> f;
    TestFiles::writeBytes(f.file(".oaf"), TestFiles::crlf({"<FAIRE>", "Un", "<FAIT>", "Fini", "Rangé"}));
    f.page.load(f.doc());
    auto *done = f.w<QListWidget>("ListBox16");
    f.t.ui.input(QString("Rangé hier"));
    doubleClickRow(done, 1);
    QCOMPARE(f.t.ui.shown().last().text, QString("Fait"));
    QCOMPARE(texts(done), (QStringList{"Fini", "Rangé hier"}));

    f.t.ui.input(std::nullopt); // cancelled
    doubleClickRow(f.w<QListWidget>("ListBox15"), 0);
    QCOMPARE(texts(f.w<QListWidget>("ListBox15")), QStringList{"Un"});
    f.t.ui.input(QString("Un bis"));
    QTest::keyClick(f.w<QListWidget>("ListBox15"), Qt::Key_F2);
    QCOMPARE(f.t.ui.shown().last().text, QString("A faire"));
    QCOMPARE(texts(f.w<QListWidget>("ListBox15")), QStringList{"Un bis"});

    clickRow(done, 0);
    QTest::keyClick(done, Qt::Key_Delete);
    QCOMPARE(texts(done), QStringList{"Rangé hier"});
    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".oaf")), QByteArray("<FAIRE>\r\nUn bis\r\n<FAIT>\r\nRang\xE9 hier\r\n"));
    QVERIFY(!f.page.changed());
}

void TestContactsPages::todoFileLoadedAndSaved()
{
    Fixture<TodoPage> f;
    TestFiles::writeBytes(f.file(".oaf"), "avant\r\n<FAIT>\r\nPayer\r\n<FAIRE>\r\nAppeler\r\n<FAIRE la vaisselle>\r\n");
    f.page.load(f.doc());
    QCOMPARE(texts(f.w<QListWidget>("ListBox15")), QStringList{"Appeler"});
    QCOMPARE(texts(f.w<QListWidget>("ListBox16")), QStringList{"Payer"});

    // A document without a to-do file has empty lists.
    f.page.load(f.dir.filePath("autre.orz"));
    QVERIFY(texts(f.w<QListWidget>("ListBox15")).isEmpty());
    QVERIFY(texts(f.w<QListWidget>("ListBox16")).isEmpty());
    f.page.load(f.doc());

    // An entry typed with "<FAI" is saved, and not read back.
    f.t.ui.input(QString("<FAIT le plein>"));
    f.page.ajout();
    QVERIFY(f.page.save(f.doc(), false));
    QCOMPARE(TestFiles::readBytes(f.file(".oaf")),
             QByteArray("<FAIRE>\r\nAppeler\r\n<FAIT le plein>\r\n<FAIT>\r\nPayer\r\n"));
    f.page.load(f.doc());
    QCOMPARE(texts(f.w<QListWidget>("ListBox15")), QStringList{"Appeler"});
    QCOMPARE(texts(f.w<QListWidget>("ListBox16")), QStringList{"Payer"});
}

// ---------------------------------------------------------------------------
// Saving

void TestContactsPages::whichFilesASaveWrites_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("force");
    QTest::addColumn<QStringList>("written");

    QTest::newRow("nothing changed: birthdays only") << "" << false << QStringList{".oan"};
    QTest::newRow("document modified elsewhere") << "modified" << false << QStringList{".ocn", ".oan"};
    QTest::newRow("contact added, page not written back") << "contact" << false << QStringList{".ocn", ".oan"};
    QTest::newRow("to-do entry added") << "todo" << false << QStringList{".ocn", ".oan", ".oaf"};
    QTest::newRow("saved under a new name") << "" << true << QStringList{".ocn", ".oan", ".oaf"};
}

void TestContactsPages::whichFilesASaveWrites()
{
    QFETCH(QString, change);
    QFETCH(bool, force);
    QFETCH(QStringList, written);

    TestContext t;
    AddressPage address(t.context, t.window.get());
    BirthdayPage birthdays(t.context, t.window.get());
    TodoPage todo(t.context, t.window.get());
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
    QVERIFY(address.save(doc, force));
    QVERIFY(birthdays.save(doc, force));
    QVERIFY(todo.save(doc, force));

    QStringList found;
    for (const char *ext : {".ocn", ".oan", ".oaf"}) {
        if (QFileInfo::exists(dir.filePath(QStringLiteral("maison") + QLatin1String(ext))))
            found << QLatin1String(ext);
    }
    QCOMPARE(found, written);
    if (change == "contact")
        QVERIFY(TestFiles::readBytes(dir.filePath("maison.ocn")).startsWith(" \r\nA100\xA0Nouveau\xA0\t"));
}

// ---------------------------------------------------------------------------
// Document window

void TestContactsPages::documentWindowRoundTrip()
{
    // A document opened, its three sections edited through the generic
    // commands and the section switches, saved, and opened again.
    TestContext t;
    TChild child(t.ui, t.clock, t.startDirectory.path());
    child.resize(900, 600);
    child.show();
    QVERIFY(QTest::qWaitForWindowExposed(&child));
    QTemporaryDir dir;
    const QString doc = dir.filePath("maison.orz");
    auto path = [&dir](const char *ext) { return dir.filePath(QStringLiteral("maison") + QLatin1String(ext)); };
    TestFiles::writeBytes(doc, QByteArray());
    TestFiles::writeBytes(path(".ocn"), TestFiles::crlf({" ", contactLine("B100", "Bernard"), contactLine("A100", "Alice")}));
    TestFiles::writeBytes(path(".oan"), TestFiles::crlf({"0901 Rentrée", "0315 Paul"}));
    TestFiles::writeBytes(path(".oaf"), TestFiles::crlf({"<FAIRE>", "Appeler", "<FAIT>", "Payer"}));

    child.Charge(doc);
    QVERIFY(!child.TestModif());
    child.document().referenceDate = QDate(2026, 12, 4); // the week planner moved on
    child.Section(2);
    QCOMPARE(child.findChild<QLabel *>("Panel8")->text(), QString("<A>"));
    auto *summary = child.findChild<QTreeWidget *>("ListView1");
    QCOMPARE(summary->topLevelItemCount(), 1);
    child.Suivant();
    QCOMPARE(child.findChild<QLabel *>("Panel8")->text(), QString("<B>"));
    t.ui.dialog(contact({{2, "Bruno"}, {9, "0607"}}));
    child.Ajout();
    QCOMPARE(summary->topLevelItemCount(), 2);
    QCOMPARE(summary->topLevelItem(1)->text(1), QString(" 0607"));
    QVERIFY(child.TestModif());

    child.Section(3);
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox11")), QStringList{"15 Paul"});
    child.Suivant();
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox11")), QStringList{"01 Rentrée"});
    QDate proposed;
    t.ui.dialog(birthday(QDate(2026, 12, 4), "Marie", &proposed));
    child.Ajout();
    QCOMPARE(proposed, QDate(2026, 12, 4));
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox14")), QStringList{"04 Marie"});

    child.Section(4);
    t.ui.input(QString("Ranger"));
    child.Ajout();
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox15")), (QStringList{"Appeler", "Ranger"}));

    QVERIFY(child.Sauve(doc));
    QVERIFY(!child.TestModif());
    const QString bruno = "B108" + QString(N) + "Bruno" + N + "	" + N + "		" + N + "	Tél: 0607" + N + "	Fax: " + N
                          + "	E.mail 	";
    QCOMPARE(TestFiles::readBytes(path(".ocn")),
             TestFiles::crlf({" ", contactLine("A100", "Alice"), contactLine("B100", "Bernard"), bruno}));
    QCOMPARE(TestFiles::readBytes(path(".oan")), TestFiles::crlf({"0315 Paul", "0901 Rentrée", "1204 Marie"}));
    QCOMPARE(TestFiles::readBytes(path(".oaf")), TestFiles::crlf({"<FAIRE>", "Appeler", "Ranger", "<FAIT>", "Payer"}));

    // Opened again: page A, the first half-year once the section shows, the
    // same to-do lists.
    child.Charge(doc);
    child.Section(2);
    QCOMPARE(child.findChild<QLabel *>("Panel8")->text(), QString("<A>"));
    child.Dernier();
    child.Precedent();
    child.Precedent();
    QCOMPARE(child.findChild<QLabel *>("Panel8")->text(), QString("<X>"));
    child.Premier();
    child.Suivant();
    QCOMPARE(summary->topLevelItemCount(), 2);
    child.Section(3);
    child.Dernier();
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox14")), QStringList{"04 Marie"});
    child.Premier();
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox11")), QStringList{"15 Paul"});
    child.Section(4);
    QCOMPARE(texts(child.findChild<QListWidget *>("ListBox16")), QStringList{"Payer"});
    QVERIFY(!child.TestModif());
}

QTEST_MAIN(TestContactsPages)
#include "test_contacts_pages.moc"

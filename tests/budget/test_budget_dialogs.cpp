// The accounts dialogs and the eight named-list editors, opened the way the
// "&Options" menu opens them.
#include "Fixtures.h"

#include "budget/AccountLine.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetPage.h"
#include "budget/NamedListEditor.h"
#include "budget/OptionsCommands.h"
#include "budget/TAjoutCpt.h"
#include "budget/TComptes.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace {

const QChar nbsp(0xA0);

template <typename W>
W *child(QWidget *parent, const char *name)
{
    auto *w = parent->findChild<W *>(QLatin1String(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

QStringList listTexts(QDialog *d)
{
    QStringList out;
    auto *list = child<QListWidget>(d, "ListBox1");
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void select(QDialog *d, const QString &text)
{
    auto *list = child<QListWidget>(d, "ListBox1");
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text || AccountLine::name(list->item(i)->text()) == text) {
            list->setCurrentRow(i);
            return;
        }
    }
    qFatal("no entry %s", qPrintable(text));
}

void click(QDialog *d, const char *button)
{
    child<QPushButton>(d, button)->click();
}

// A TAjoutCpt script: fills the boxes that are editable and presses OK.
ScriptedUiServices::DialogScript addAccount(const QString &name, const QString &balance)
{
    return [name, balance](QDialog *d) {
        auto *nameBox = child<QLineEdit>(d, "Edit1");
        if (!nameBox->isReadOnly())
            nameBox->setText(name);
        child<QLineEdit>(d, "Edit2")->setText(balance);
        return int(QDialog::Accepted);
    };
}

using Command = void (*)(DocumentContext &);

} // namespace

class TestBudgetDialogs : public QObject
{
    Q_OBJECT

private slots:
    void accounts_addShowsPaddedLineAndTotal();
    void accounts_openWithTheBudgetsAccountsAndBalances();
    void accounts_delete_data();
    void accounts_delete();
    void accounts_changeModeKeepsTheName();
    void accounts_tooLongNameIsRefused();
    void accounts_cancelledAddChangesNothing();
    void accounts_addRefusesDuplicateOrSameCode_data();
    void accounts_addRefusesDuplicateOrSameCode();
    void addAccount_balanceKeyFilter_data();
    void addAccount_balanceKeyFilter();
    void addAccount_balancePaste_data();
    void addAccount_balancePaste();
    void addAccount_okRefusesTooLongName();
    void accounts_refillWritesShownMonthBackFirst();

    void editors_enterAddsWithTheirFirstLetterRule_data();
    void editors_enterAddsWithTheirFirstLetterRule();
    void editors_deleteRules();
    void editors_modifyThenAddReplaces();
    void editors_sameNameIsAddedWithoutMessage_data();
    void editors_sameNameIsAddedWithoutMessage();
    void editors_handBackHoweverClosed();
    void postes_showFirstEntry();
    void postes_emptyListLeavesBoxEmpty();
    void otherEditors_keepTheBoxText();
};

void TestBudgetDialogs::accounts_addShowsPaddedLineAndTotal()
{
    TestContext t;
    QStringList shownLines;
    QString total;
    t.ui.dialog([&](QDialog *d) {
        click(d, "Button1");
        shownLines = listTexts(d);
        total = child<QLineEdit>(d, "Edit1")->text();
        return int(QDialog::Accepted);
    });
    t.ui.dialog(addAccount("Caisse", "1500"));
    OptionsCommands::BudgetComptes(t.context);

    QCOMPARE(shownLines, QStringList({QStringLiteral("Caisse") + QString(14, nbsp) + QStringLiteral("1500,00")}));
    QCOMPARE(shownLines.first().size(), 27);
    QCOMPARE(total, QStringLiteral("        1500,00"));
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Caisse"}));
    QCOMPARE(t.context.comboBox(2)->currentText(), QStringLiteral("Caisse"));
    QCOMPARE(t.context.extraLists.value("Solde2"), QStringList({"1500,00"}));
    // The dialogs were shown with their captions.
    QCOMPARE(t.ui.shown().at(0).text, QStringLiteral("TComptes"));
    QCOMPARE(t.ui.shown().at(0).title, QStringLiteral("Gestion des comptes"));
    QCOMPARE(t.ui.shown().at(1).text, QStringLiteral("TAjoutCpt"));
    QCOMPARE(t.ui.shown().at(1).title, QStringLiteral("Ajouter compte"));
}

void TestBudgetDialogs::accounts_openWithTheBudgetsAccountsAndBalances()
{
    TestContext t;
    t.context.comboBox(2)->addItems({"Caisse", "Banque"});
    t.context.extraLists["Solde2"] = {"12,5"};
    QStringList shownLines;
    QString total;
    t.ui.dialog([&](QDialog *d) {
        shownLines = listTexts(d);
        total = child<QLineEdit>(d, "Edit1")->text();
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(shownLines, QStringList({AccountLine::make("Caisse", "12,50"), AccountLine::make("Banque", "0,00")}));
    QCOMPARE(total, QStringLiteral("          12,50"));
    QCOMPARE(t.context.extraLists.value("Solde2"), QStringList({"12,50", "0,00"}));
}

void TestBudgetDialogs::accounts_delete_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("left");
    const QString line = AccountLine::make("livret", "10,00");
    QTest::newRow("used account cannot be deleted")
        << "Caisse" << 0 << QStringList{QString::fromUtf8("Ce compte est déjà utilisé")}
        << QStringList{"Caisse", "livret"};
    QTest::newRow("small first letter asks and deletes on OK")
        << "livret" << int(QMessageBox::Ok) << QStringList{"Supprimer le compte " + line + " ?"}
        << QStringList{"Caisse"};
    QTest::newRow("cancel keeps the account")
        << "livret" << int(QMessageBox::Cancel) << QStringList{"Supprimer le compte " + line + " ?"}
        << QStringList{"Caisse", "livret"};
}

void TestBudgetDialogs::accounts_delete()
{
    QFETCH(QString, account);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    TestContext t;
    t.context.comboBox(2)->addItems({"Caisse", "livret"});
    t.context.extraLists["Solde2"] = {"5,00", "10,00"};
    if (answer)
        t.ui.answer(QMessageBox::StandardButton(answer));
    QString total;
    t.ui.dialog([&](QDialog *d) {
        select(d, account);
        click(d, "Button3");
        total = child<QLineEdit>(d, "Edit1")->text().trimmed();
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(t.ui.messages(), messages);
    QCOMPARE(items(t.context.comboBox(2)), left);
    QCOMPARE(total, left.size() == 2 ? QStringLiteral("15,00") : QStringLiteral("5,00"));
    QCOMPARE(t.context.extraLists.value("Solde2").size(), left.size());
}

void TestBudgetDialogs::accounts_changeModeKeepsTheName()
{
    TestContext t;
    t.context.comboBox(2)->addItems({"Caisse"});
    t.context.extraLists["Solde2"] = {"5,00"};
    bool nameReadOnly = false;
    QString shownBalance;
    t.ui.dialog([&](QDialog *d) {
        select(d, "Caisse");
        click(d, "Button2");
        return int(QDialog::Accepted);
    });
    t.ui.dialog([&](QDialog *d) {
        nameReadOnly = child<QLineEdit>(d, "Edit1")->isReadOnly();
        shownBalance = child<QLineEdit>(d, "Edit2")->text();
        QTest::keyClicks(child<QLineEdit>(d, "Edit1"), "XYZ");
        child<QLineEdit>(d, "Edit2")->setText("20");
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetComptes(t.context);
    QVERIFY(nameReadOnly);
    QCOMPARE(shownBalance, QStringLiteral("5,00"));
    QCOMPARE(t.ui.shown().at(1).title, QStringLiteral("Modifier compte"));
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Caisse"}));
    QCOMPARE(t.context.extraLists.value("Solde2"), QStringList({"20,00"}));
}

void TestBudgetDialogs::accounts_tooLongNameIsRefused()
{
    TestContext t;
    t.context.comboBox(2)->addItems({"Caisse"});
    t.ui.dialog([&](QDialog *d) {
        click(d, "Button1");
        return int(QDialog::Accepted);
    });
    // 18 x "é" (233) sums to 4194, beyond FFF.
    const QString name(18, QChar(0xE9));
    t.ui.dialog(addAccount(name, "1"));
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(t.ui.messages(), QStringList({TAjoutCpt::tooLongMessage(name)}));
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Caisse"}));
}

void TestBudgetDialogs::accounts_cancelledAddChangesNothing()
{
    TestContext t;
    t.context.comboBox(2)->addItems({"Caisse"});
    t.ui.dialog([&](QDialog *d) {
        click(d, "Button1");
        click(d, "Button2"); // Modifier with nothing selected: nothing
        click(d, "Button3"); // Supprimer with nothing selected: nothing
        return int(QDialog::Accepted);
    });
    t.ui.dialog([](QDialog *d) {
        child<QLineEdit>(d, "Edit1")->setText("Banque");
        return int(QDialog::Rejected);
    });
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Caisse"}));
    QVERIFY(t.ui.messages().isEmpty());
    QVERIFY(t.ui.allAnswersUsed());
}

void TestBudgetDialogs::accounts_addRefusesDuplicateOrSameCode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("same name") << " Compte 12 " << TComptes::duplicateMessage("Compte 12");
    QTest::newRow("same character sum") << "Compte 21" << TComptes::sameCodeMessage("Compte 21", "Compte 12");
}

void TestBudgetDialogs::accounts_addRefusesDuplicateOrSameCode()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    TestContext t;
    t.context.comboBox(2)->addItems({"Compte 12"});
    t.ui.dialog([&](QDialog *d) {
        click(d, "Button1");
        return int(QDialog::Accepted);
    });
    t.ui.dialog(addAccount(name, "1"));
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(t.ui.messages(), QStringList({message}));
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Compte 12"}));
}

void TestBudgetDialogs::addAccount_balanceKeyFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("result");
    QTest::newRow("digits") << "1500" << "1500" << "1500,00";
    QTest::newRow("one decimal") << "12,5" << "12,5" << "12,50";
    QTest::newRow("no minus sign") << "-42" << "42" << "42,00";
    QTest::newRow("no letters or point") << "1a2.3" << "123" << "123,00";
    QTest::newRow("a second comma is refused") << "1,2,3" << "1,23" << "1,23";
    QTest::newRow("blank is refused") << "1 000" << "1000" << "1000,00";
}

void TestBudgetDialogs::addAccount_balanceKeyFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, result);
    ScriptedUiServices ui;
    TAjoutCpt d(ui);
    d.Init(QString(), QString());
    auto *name = child<QLineEdit>(&d, "Edit1");
    auto *balance = child<QLineEdit>(&d, "Edit2");
    QTest::keyClicks(name, "Livret");
    QTest::keyClicks(balance, typed);
    QCOMPARE(balance->text(), shown);
    // Backspace is discarded too.
    QTest::keyClick(balance, Qt::Key_Backspace);
    QCOMPARE(balance->text(), shown);
    QCOMPARE(d.Result(), std::make_pair(QString(), QString())); // not closed with OK yet
    d.show();
    QTest::keyClick(balance, Qt::Key_Return); // Enter acts as OK
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Result(), std::make_pair(QStringLiteral("Livret"), result));
}

void TestBudgetDialogs::addAccount_balancePaste_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a balance") << "12,5" << "12,5";
    QTest::newRow("negative") << "-12,5" << "";
    QTest::newRow("letters") << "douze" << "";
    QTest::newRow("decimal point") << "12.5" << "";
}

void TestBudgetDialogs::addAccount_balancePaste()
{
    QFETCH(QString, pasted);
    QFETCH(QString, shown);
    ScriptedUiServices ui;
    TAjoutCpt d(ui);
    d.Init(QString(), QString());
    auto *balance = child<QLineEdit>(&d, "Edit2");
    QGuiApplication::clipboard()->setText(pasted);
    balance->paste(); // the context menu's "Coller"
    QCOMPARE(balance->text(), shown);
}

void TestBudgetDialogs::addAccount_okRefusesTooLongName()
{
    ScriptedUiServices ui;
    TAjoutCpt d(ui);
    d.Init(QString(), QString());
    d.show();
    child<QLineEdit>(&d, "Edit1")->setText(QString(18, QChar(0xE9)));
    click(&d, "Button1");
    QCOMPARE(ui.messages().size(), 1);
    QVERIFY(d.isVisible());
    QVERIFY(d.result() != QDialog::Accepted);
    child<QLineEdit>(&d, "Edit1")->setText(QString(17, QChar(0xE9)));
    click(&d, "Button1");
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(d.Result().second, QStringLiteral("0,00"));
}

void TestBudgetDialogs::accounts_refillWritesShownMonthBackFirst()
{
    TestContext t(QDate(2026, 1, 7));
    t.context.comboBox(2)->addItems({"compte joint", "Banque"});
    auto *page = new BudgetPage(t.context, t.window.get());
    QCOMPARE(BudgetPage::of(t.context), page);
    page->display();
    QCOMPARE(page->model().shownAccount(), QStringLiteral("compte joint"));
    // One line in the shown month of "compte joint".
    page->findChild<QLineEdit *>("MaskEdit1")->setText("07/01/2026");
    page->findChild<QLineEdit *>("Edit3")->setText("9");
    QTest::keyClick(page->findChild<QLineEdit *>("Edit3"), Qt::Key_Return);
    QCOMPARE(page->model().grid().lineCount(), 1);
    // The accounts dialog deletes that account: the box now starts with
    // "Banque", whose month is shown; the line stays under its own account.
    t.ui.answer(QMessageBox::Ok);
    t.ui.dialog([](QDialog *d) {
        select(d, "compte joint");
        click(d, "Button3");
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetComptes(t.context);
    QCOMPARE(items(t.context.comboBox(2)), QStringList({"Banque"}));
    QCOMPARE(page->model().shownAccount(), QStringLiteral("Banque"));
    QCOMPARE(page->model().grid().lineCount(), 0);
    const QString key = BudgetFormat::monthKeyFor("compte joint", 2026, 1);
    QCOMPARE(page->model().store().monthLines(key).size(), 6);
    QVERIFY(page->model().store().monthLines(BudgetFormat::monthKeyFor("Banque", 2026, 1)).isEmpty());
}

void TestBudgetDialogs::editors_enterAddsWithTheirFirstLetterRule_data()
{
    QTest::addColumn<quintptr>("command");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("added");
    auto row = [](const char *name, Command c, int box, const char *cls, const QString &caption, const char *added) {
        QTest::newRow(name) << quintptr(c) << box << QString::fromLatin1(cls) << caption << QString::fromLatin1(added);
    };
    row("Postes", OptionsCommands::BudgetPostes, 1, "TPostes", "Postes de budget", "western");
    row("Categorie", OptionsCommands::Categorie, 3, "TCateg", QString::fromUtf8("Catégories de film"), "western");
    row("Formatv", OptionsCommands::Formatv, 4, "TFmtv", QString::fromUtf8("Format vidéo"), "western");
    row("Formata", OptionsCommands::Formata, 5, "TFmtA", "Format audio", "western");
    row("Magasins", OptionsCommands::Magasins, 6, "TFmtM", "Magasins", "western");
    row("Categorie2", OptionsCommands::Categorie2, 7, "TCateg2", QString::fromUtf8("Catégories de livre"), "Western");
    row("Praticiens", OptionsCommands::Praticiens, 9, "TMedecins", QString::fromUtf8("Liste des médecins"),
        "Western");
    row("Pharmacies", OptionsCommands::Pharmacies, 10, "TOfficines", "Liste des pharmacies", "Western");
}

void TestBudgetDialogs::editors_enterAddsWithTheirFirstLetterRule()
{
    QFETCH(quintptr, command);
    QFETCH(int, box);
    QFETCH(QString, className);
    QFETCH(QString, caption);
    QFETCH(QString, added);
    TestContext t;
    t.context.comboBox(box)->addItems({"zoo", "Action"});
    QStringList seen;
    QString left;
    int closed = -1;
    t.ui.dialog([&](QDialog *d) {
        auto *entry = child<QLineEdit>(d, "Edit1");
        QTest::keyClicks(entry, " Western");
        QTest::keyClick(entry, Qt::Key_Return);
        seen = listTexts(d);
        left = entry->text();
        closed = d->result(); // Enter did not close the editor
        return int(QDialog::Accepted);
    });
    reinterpret_cast<Command>(command)(t.context);
    QCOMPARE(seen, QStringList({"Action", added, "zoo"}));
    QVERIFY(left.isEmpty());
    QCOMPARE(closed, 0);
    QCOMPARE(items(t.context.comboBox(box)), QStringList({"Action", added, "zoo"}));
    QCOMPARE(t.ui.shown().at(0).text, className);
    QCOMPARE(t.ui.shown().at(0).title, caption);
}

void TestBudgetDialogs::editors_deleteRules()
{
    TestContext t;
    t.context.comboBox(1)->addItems({QString::fromUtf8("Débit différé"), "Loyer", "loisirs", "voiture"});
    // Every message box takes the next answer: the two refusals are
    // acknowledged, the first confirmation cancelled, the second accepted.
    t.ui.answer(QMessageBox::Ok);
    t.ui.answer(QMessageBox::Ok);
    t.ui.answer(QMessageBox::Cancel);
    t.ui.answer(QMessageBox::Ok);
    QStringList afterCancel;
    t.ui.dialog([&](QDialog *d) {
        select(d, QString::fromUtf8("Débit différé"));
        click(d, "Button3");
        select(d, "Loyer");
        click(d, "Button3");
        select(d, "loisirs");
        click(d, "Button3");
        afterCancel = listTexts(d);
        select(d, "loisirs");
        click(d, "Button3");
        // Nothing selected after a deletion: Supprimer does nothing.
        click(d, "Button3");
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetPostes(t.context);
    QCOMPARE(t.ui.messages(), QStringList({QString::fromUtf8("Ce poste ne peut pas être suprimé"),
                                           QString::fromUtf8("Ce poste est déjà utilisé"),
                                           "Supprimer le poste loisirs ?", "Supprimer le poste loisirs ?"}));
    QCOMPARE(afterCancel.size(), 4);
    QCOMPARE(items(t.context.comboBox(1)), QStringList({QString::fromUtf8("Débit différé"), "Loyer", "voiture"}));
}

void TestBudgetDialogs::editors_modifyThenAddReplaces()
{
    TestContext t;
    t.context.comboBox(1)->addItems({"Loyer", "voiture"});
    t.ui.answer(QMessageBox::Ok);
    QString copied;
    QStringList replaced;
    t.ui.dialog([&](QDialog *d) {
        select(d, "Loyer");
        click(d, "Button2");
        auto *entry = child<QLineEdit>(d, "Edit1");
        copied = entry->text();
        entry->setText("loyer");
        click(d, "Button5"); // Envoi acts as Ajouter: the selected entry is replaced
        replaced = listTexts(d);
        select(d, "loyer");
        click(d, "Button3"); // now it can go
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetPostes(t.context);
    QCOMPARE(copied, QStringLiteral("Loyer"));
    QCOMPARE(replaced, QStringList({"loyer", "voiture"}));
    QCOMPARE(items(t.context.comboBox(1)), QStringList({"voiture"}));
}

void TestBudgetDialogs::editors_sameNameIsAddedWithoutMessage_data()
{
    QTest::addColumn<int>("comboBox");
    QTest::addColumn<quintptr>("command");
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("posts: the used post typed again")
        << 1 << quintptr(&OptionsCommands::BudgetPostes) << "Loyer" << "Loyer" << QStringList{"Loyer", "loyer"};
    QTest::newRow("doctors: same name")
        << 9 << quintptr(&OptionsCommands::Praticiens) << "Dr Martin" << "Dr Martin"
        << QStringList{"Dr Martin", "Dr Martin"};
}

void TestBudgetDialogs::editors_sameNameIsAddedWithoutMessage()
{
    QFETCH(int, comboBox);
    QFETCH(quintptr, command);
    QFETCH(QString, present);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    TestContext t;
    t.context.comboBox(comboBox)->addItems({present});
    QString left;
    t.ui.dialog([&](QDialog *d) {
        auto *entry = child<QLineEdit>(d, "Edit1");
        entry->setText(typed);
        click(d, "Button4");
        left = entry->text();
        return int(QDialog::Accepted);
    });
    reinterpret_cast<Command>(command)(t.context);
    QVERIFY(left.isEmpty());
    QVERIFY(t.ui.messages().isEmpty());
    QCOMPARE(items(t.context.comboBox(comboBox)), after);
}

void TestBudgetDialogs::editors_handBackHoweverClosed()
{
    TestContext t;
    t.ui.dialog([&](QDialog *d) {
        child<QLineEdit>(d, "Edit1")->setText("Carrefour");
        click(d, "Button4");
        return int(QDialog::Rejected);
    });
    OptionsCommands::Magasins(t.context);
    QCOMPARE(items(t.context.comboBox(6)), QStringList({"carrefour"}));
}

void TestBudgetDialogs::postes_showFirstEntry()
{
    TestContext t;
    t.context.comboBox(1)->addItems({"voiture", "loyer"});
    t.context.comboBox(1)->setCurrentIndex(0);
    t.ui.dialog([](QDialog *d) {
        child<QLineEdit>(d, "Edit1")->setText("Alimentation");
        click(d, "Button4");
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetPostes(t.context);
    QCOMPARE(items(t.context.comboBox(1)), QStringList({"alimentation", "loyer", "voiture"}));
    QCOMPARE(t.context.comboBox(1)->currentText(), QStringLiteral("alimentation"));
}

void TestBudgetDialogs::postes_emptyListLeavesBoxEmpty()
{
    TestContext t;
    t.context.comboBox(1)->addItems({"loyer"});
    t.ui.answer(QMessageBox::Ok);
    t.ui.dialog([](QDialog *d) {
        select(d, "loyer");
        click(d, "Button3");
        return int(QDialog::Accepted);
    });
    OptionsCommands::BudgetPostes(t.context);
    QCOMPARE(t.context.comboBox(1)->count(), 0);
    QCOMPARE(t.context.comboBox(1)->currentIndex(), -1);
}

void TestBudgetDialogs::otherEditors_keepTheBoxText()
{
    TestContext t;
    t.context.comboBox(3)->addItems({"drame", "western"});
    t.context.comboBox(3)->setCurrentIndex(1);
    t.ui.dialog([](QDialog *d) {
        child<QLineEdit>(d, "Edit1")->setText("Action");
        click(d, "Button4");
        return int(QDialog::Accepted);
    });
    OptionsCommands::Categorie(t.context);
    QCOMPARE(items(t.context.comboBox(3)), QStringList({"action", "drame", "western"}));
    QCOMPARE(t.context.comboBox(3)->currentText(), QStringLiteral("western"));
}

QTEST_MAIN(TestBudgetDialogs)
#include "test_budget_dialogs.moc"

// The accounts dialogs and the named-list editors, opened the way the
// "&Options" menu opens them: a table of account edits, the balance box,
// the write-back before the account box is refilled, and one path per editor.
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

template<typename W>
W *child(QWidget *parent, const char *name)
{
    return TestUi::find<W>(parent, name);
}

using TestUi::texts;
QStringList listTexts(QDialog *d)
{
    return texts(child<QListWidget>(d, "ListBox1"));
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

using Command = void (*)(DocumentContext &);

} // namespace

class TestBudgetDialogs : public QObject
{
    Q_OBJECT

private slots:
    void accounts_data()
    {
        // The account box "Caisse", "livret" with balances "5,00", "10,00"; one
        // button of the accounts dialog, on an account or none; the add/change
        // dialog filled (name, balance) or cancelled (nothing typed); the answer
        // to a question. Then the messages, and the accounts with their balances.
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("after");
        const QString both = "Caisse 5,00 livret 10,00",
                      question = "Supprimer le compte " + AccountLine::make("livret", "10,00") + " ?";
        const QString tooLong(18, QChar(0xE9));
        QTest::newRow("add, balance completed") << "Button1" << QStringList{" Banque ", "1500"} << 0 << QStringList{}
                                                << "Caisse 5,00 livret 10,00 Banque 1500,00";
        QTest::newRow("add cancelled") << "Button1" << QStringList{} << 0 << QStringList{} << both;
        QTest::newRow("add, same name") << "Button1" << QStringList{"livret", "1"} << 0
                                        << QStringList{TComptes::duplicateMessage("livret")} << both;
        QTest::newRow("add, same character sum") << "Button1" << QStringList{"tevilr", "1"} << 0
                                                 << QStringList{TComptes::sameCodeMessage("tevilr", "livret")} << both;
        QTest::newRow("add, code beyond three digits")
            << "Button1" << QStringList{tooLong, "1"} << 0 << QStringList{TAjoutCpt::tooLongMessage(tooLong)} << both;
        QTest::newRow("change keeps the name")
            << "Button2 Caisse" << QStringList{"XYZ", "20"} << 0 << QStringList{} << "Caisse 20,00 livret 10,00";
        QTest::newRow("change, nothing selected") << "Button2" << QStringList{} << 0 << QStringList{} << both;
        QTest::newRow("delete a used account")
            << "Button3 Caisse" << QStringList{} << 0 << QStringList{"Ce compte est déjà utilisé"} << both;
        QTest::newRow("delete asks, OK") << "Button3 livret" << QStringList{} << int(QMessageBox::Ok)
                                         << QStringList{question} << "Caisse 5,00";
        QTest::newRow("delete asks, cancel")
            << "Button3 livret" << QStringList{} << int(QMessageBox::Cancel) << QStringList{question} << both;
        QTest::newRow("delete, nothing selected") << "Button3" << QStringList{} << 0 << QStringList{} << both;
    }

    void accounts()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, typed);
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        TestContext t;
        t.context.comboBox(2)->addItems({"Caisse", "livret"});
        t.context.extraLists["Solde2"] = {"5", "10,00"};
        if (answer)
            t.ui.answer(QMessageBox::StandardButton(answer));
        QStringList lines;
        QString total;
        bool nameReadOnly = false;
        t.ui.dialog([&](QDialog *d) {
            if (button.contains(u' '))
                select(d, button.section(u' ', 1));
            click(d, qPrintable(button.section(u' ', 0, 0)));
            lines = listTexts(d);
            total = child<QLineEdit>(d, "Edit1")->text();
            return int(QDialog::Accepted);
        });
        // The entry dialog opens to add, or to change the account selected.
        if (button == "Button1" || button.startsWith("Button2 "))
            t.ui.dialog([&](QDialog *d) {
                if (typed.isEmpty())
                    return int(QDialog::Rejected);
                auto *name = child<QLineEdit>(d, "Edit1");
                nameReadOnly = name->isReadOnly();
                nameReadOnly ? QTest::keyClicks(name, typed[0])
                             : name->setText(typed[0]); // typing a read-only name changes nothing
                child<QLineEdit>(d, "Edit2")->setText(typed[1]);
                click(d, "Button1");
                return d->result();
            });
        OptionsCommands::BudgetComptes(t.context);
        QCOMPARE(nameReadOnly, button.startsWith("Button2") && !typed.isEmpty());
        QCOMPARE(t.ui.messages(), messages);
        const QStringList box = texts(t.context.comboBox(2)), balances = t.context.extraLists.value("Solde2");
        QStringList shown, expected; // the dialog's lines and total followed every change
        for (int i = 0; i < box.size(); ++i) {
            shown << box[i] << balances.value(i);
            expected << AccountLine::make(box[i], balances.value(i));
        }
        QTEST(shown.join(u' '), "after");
        QCOMPARE(lines, expected);
        QCOMPARE(total, AccountLine::balanceTotal(expected));
    }

    void balanceBox_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result"); // the box's text|the balance given back
        QTest::newRow("digits") << false << QString("1500") << QString("1500|1500,00");
        QTest::newRow("no minus sign, letter, point or blank")
            << false << QString("-1a2.3 4") << QString("1234|1234,00");
        QTest::newRow("a second comma is refused") << false << QString("1,2,3") << QString("1,23|1,23");
        QTest::newRow("pasted balance") << true << QString("12,5") << QString("12,5|12,50");
        QTest::newRow("pasted negative") << true << QString("-12,5") << QString("|0,00");
        QTest::newRow("pasted decimal point") << true << QString("12.5") << QString("|0,00");
    }

    void balanceBox()
    {
        QFETCH(bool, paste);
        QFETCH(QString, typed);
        ScriptedUiServices ui;
        TAjoutCpt d(ui);
        d.Init(QString(), QString());
        d.show();
        auto *balance = child<QLineEdit>(&d, "Edit2");
        QTest::keyClicks(child<QLineEdit>(&d, "Edit1"), "Livret");
        if (paste) {
            QGuiApplication::clipboard()->setText(typed);
            balance->paste();
        } else {
            QTest::keyClicks(balance, typed);
        }
        QTest::keyClick(balance, Qt::Key_Backspace); // discarded too
        const QString shown = balance->text();
        QTest::keyClick(balance, Qt::Key_Return); // Enter acts as OK
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.Result().first, QString("Livret"));
        QTEST(shown + u'|' + d.Result().second, "result");
    }

    void accountsRefillWritesShownMonthBack()
    {
        TestContext t(QDate(2026, 1, 7));
        t.context.comboBox(2)->addItems({"compte joint", "Banque"});
        auto *page = new BudgetPage(t.context, t.model.budget(), t.window.get());
        page->display();
        page->findChild<QLineEdit *>("MaskEdit1")->setText("07/01/2026");
        page->findChild<QLineEdit *>("Edit3")->setText("9");
        QTest::keyClick(page->findChild<QLineEdit *>("Edit3"), Qt::Key_Return);
        // The accounts dialog deletes the shown account: the box now starts with
        // "Banque", whose month is shown; the line stays under its own account.
        t.ui.answer(QMessageBox::Ok);
        t.ui.dialog([](QDialog *d) {
            select(d, "compte joint");
            click(d, "Button3");
            return int(QDialog::Accepted);
        });
        OptionsCommands::BudgetComptes(t.context);
        QVERIFY(page->budget().shownAccount() == "Banque" && page->budget().grid().lineCount() == 0);
        QCOMPARE(page->budget().store().monthLines(BudgetFormat::monthKeyFor("compte joint", 2026, 1)).size(), 6);
    }

    void editorsFirstLetter_data()
    {
        QTest::addColumn<quintptr>("command");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("added");
        // The editors of boxes 7 and up keep the capital first letter.
        const std::tuple<const char *, Command, int> editors[] = {
            {"Postes", OptionsCommands::BudgetPostes, 1},   {"Categorie", OptionsCommands::Categorie, 3},
            {"Formatv", OptionsCommands::Formatv, 4},       {"Formata", OptionsCommands::Formata, 5},
            {"Magasins", OptionsCommands::Magasins, 6},     {"Categorie2", OptionsCommands::Categorie2, 7},
            {"Praticiens", OptionsCommands::Praticiens, 9}, {"Pharmacies", OptionsCommands::Pharmacies, 10}};
        for (const auto &[name, command, box] : editors)
            QTest::newRow(name) << quintptr(command) << box << QString(box < 7 ? "western" : "Western");
    }

    void editorsFirstLetter()
    {
        // Enter adds the entry at its sorted place, the editor stays open; the
        // list goes back to its own box however the editor is closed.
        QFETCH(quintptr, command);
        QFETCH(int, box);
        QFETCH(QString, added);
        TestContext t;
        t.context.comboBox(box)->addItems({"zoo", "Action"});
        t.context.comboBox(box)->setCurrentIndex(0);
        QStringList seen;
        bool clearedAndOpen = false;
        t.ui.dialog([&](QDialog *d) {
            auto *entry = child<QLineEdit>(d, "Edit1");
            QTest::keyClicks(entry, " Western");
            QTest::keyClick(entry, Qt::Key_Return);
            seen = listTexts(d);
            clearedAndOpen = entry->text().isEmpty() && d->result() == 0;
            return int(QDialog::Rejected);
        });
        reinterpret_cast<Command>(command)(t.context);
        QVERIFY(clearedAndOpen && texts(t.context.comboBox(box)) == seen);
        // The posts box shows its first entry; the others keep their text.
        QCOMPARE(seen.join(u' ') + " / " + t.context.comboBox(box)->currentText(),
                 "Action " + added + " zoo / " + (box == 1 ? "Action" : "zoo"));
    }

    void postsEditorPath()
    {
        TestContext t;
        t.context.comboBox(1)->addItems({"Débit différé", "Loyer", "loisirs", "voiture"});
        // The two refusals acknowledged, the first confirmation cancelled, the
        // others accepted.
        for (auto b : {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Ok})
            t.ui.answer(b);
        QStringList afterCancel, replaced;
        t.ui.dialog([&](QDialog *d) {
            for (const char *entry : {"Débit différé", "Loyer", "loisirs", "loisirs"}) {
                select(d, QString::fromUtf8(entry));
                click(d, "Button3");
                if (afterCancel.isEmpty() && t.ui.messages().size() == 3)
                    afterCancel = listTexts(d);
            }
            click(d, "Button3"); // nothing selected after a deletion: nothing
            // Modifier copies the entry; Envoi then replaces it, as typed.
            select(d, "Loyer");
            click(d, "Button2");
            child<QLineEdit>(d, "Edit1")->setText("loyer");
            click(d, "Button5");
            replaced = listTexts(d);
            select(d, "loyer");
            click(d, "Button3"); // now it can go
            // A name already there is added again, without a message.
            child<QLineEdit>(d, "Edit1")->setText("Voiture");
            click(d, "Button4");
            return int(QDialog::Accepted);
        });
        OptionsCommands::BudgetPostes(t.context);
        QCOMPARE(t.ui.messages(), QStringList({"Ce poste ne peut pas être suprimé", "Ce poste est déjà utilisé",
                                               "Supprimer le poste loisirs ?", "Supprimer le poste loisirs ?",
                                               "Supprimer le poste loyer ?"}));
        QCOMPARE(afterCancel.size(), 4);
        QCOMPARE(replaced, QStringList({"Débit différé", "loyer", "voiture"}));
        QCOMPARE(texts(t.context.comboBox(1)), QStringList({"Débit différé", "voiture", "voiture"}));
    }
};

QTEST_MAIN(TestBudgetDialogs)
#include "test_budget_dialogs.moc"

// The budget page as the user drives it: the entry line, the journal grid,
// the month buttons and keys, the account box, and the ".obg" file.
#include "Fixtures.h"

#include "app/TChild.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetPage.h"
#include "common/Cp1252.h"

#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray kCrLf = "\r\n";

struct Page
{
    explicit Page(QDate today = QDate(2026, 1, 7)) : t(today)
    {
        t.context.comboBox(1)->addItems({"alimentation", QString::fromUtf8("Débit différé"), "loyer"});
        page = new BudgetPage(t.context, t.window.get());
        t.window->resize(800, 600);
        page->resize(800, 600);
    }

    template <typename W>
    W *find(const char *name) const
    {
        auto *w = page->findChild<W *>(QLatin1String(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    QLineEdit *date() const { return find<QLineEdit>("MaskEdit1"); }
    QComboBox *posts() const { return find<QComboBox>("ComboBox1"); }
    QComboBox *accounts() const { return find<QComboBox>("ComboBox2"); }
    QLineEdit *description() const { return find<QLineEdit>("Edit2"); }
    QLineEdit *expense() const { return find<QLineEdit>("Edit3"); }
    QLineEdit *income() const { return find<QLineEdit>("Edit6"); }
    QTableView *grid() const { return find<QTableView>("StringGrid1"); }
    QString caption() const { return find<QLabel>("Panel16")->text(); }
    QString cell(int row, int column) const
    {
        return grid()->model()->index(row, column).data(Qt::EditRole).toString();
    }

    // Types one journal line the way the user does and presses Enter in the
    // box named by `enterIn`.
    void type(const QString &dateDigits, int post, const QString &description, const QString &expense,
              const QString &income, QLineEdit *enterIn = nullptr)
    {
        date()->setFocus();
        date()->setCursorPosition(0);
        QTest::keyClicks(date(), dateDigits);
        posts()->setCurrentIndex(post);
        page->ComboBox1Exit();
        QTest::keyClicks(this->description(), description);
        QTest::keyClicks(this->expense(), expense);
        QTest::keyClicks(this->income(), income);
        QTest::keyClick(enterIn ? enterIn : this->expense(), Qt::Key_Return);
    }

    void doubleClickRow(int row) const
    {
        const QRect r = grid()->visualRect(grid()->model()->index(row, 2));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, r.center());
    }

    TestContext t;
    BudgetPage *page = nullptr;
};

QByteArray cells(const QString &key, int row, const QStringList &texts)
{
    QByteArray out;
    for (int c = 0; c < texts.size(); ++c)
        out += Cp1252::encode(key + QStringLiteral("%1%2").arg(row, 3, 10, QLatin1Char('0')).arg(c) + texts[c])
             + kCrLf;
    return out;
}

} // namespace

class TestBudgetPage : public QObject
{
    Q_OBJECT

private slots:
    void commit_expenseOnlyAndIncomeOnly_data();
    void commit_expenseOnlyAndIncomeOnly();
    void commit_withBothAmountsEmptyOnlyMovesFocus();
    void commit_amountNotANumberIsRefused();
    void commit_fullMonthIsRefused();
    void leavingEmptyDateBoxFillsToday();
    void leavingPostBoxMarksThePostUsed();
    void leavingPostBoxEmptyComesBack();
    void postAndAccountBoxesTakeNoTyping();
    void doubleClick_takesRowForChangeAndResorts();
    void doubleClick_belowCountedLinesAddsAtFirstFreeRow();
    void totals_addEveryRowOfTheGrid();

    void save_writesCp1252WithCrLf();
    void save_newDocumentWritesNoFileUntilAnEntry();
    void load_missingFileLeavesTheBudget();
    void load_dropsShortLinesAndShowsDeferredEntries();
    void load_damagedLinesAreSkippedAndReportedOnce();
    void load_damagedDateLineLosesNoLaterRow();
    void load_monthWithAGapLosesNoRow();
    void enteredChangedSavedMonthReloadsIdentically();
    void pastedLineBreaksStayOnTheCellLine();
    void descriptionBoxTakesLongTexts();

    void monthButtons_writeBackAndShowTheMonth();
    void pageUpDown_stepMonthAcrossYears();
    void accountSwitch_keepsEachAccountsLines();
    void accountBox_emptyGetsCaisse();
    void layoutFor_followsTheWindowsRightEdge();
    void doubleClick_keepsAPostThatLeftTheList();
    void save_failureKeepsTheBudgetToSave();
    void reset_isANewDocument();
    void documentWindow_savesAndReloadsTheMonth();
};

void TestBudgetPage::commit_expenseOnlyAndIncomeOnly_data()
{
    QTest::addColumn<QString>("expense");
    QTest::addColumn<QString>("income");
    QTest::addColumn<QString>("expenseCell");
    QTest::addColumn<QString>("incomeCell");
    QTest::addColumn<QString>("expenseTotal");
    QTest::addColumn<QString>("incomeTotal");
    QTest::newRow("expense 12.5 with Enter in the expense box")
        << "12.5" << "" << "           12,50" << "" << "12,50" << "0,00";
    QTest::newRow("income only") << "" << "1500" << "" << "         1500,00" << "0,00" << "1500,00";
}

void TestBudgetPage::commit_expenseOnlyAndIncomeOnly()
{
    QFETCH(QString, expense);
    QFETCH(QString, income);
    QFETCH(QString, expenseCell);
    QFETCH(QString, incomeCell);
    QFETCH(QString, expenseTotal);
    QFETCH(QString, incomeTotal);
    Page p;
    p.page->display();
    p.type("07012026", 0, QString::fromUtf8("Épicerie"), expense, income);
    QCOMPARE(p.cell(0, 0), QStringLiteral("07/01/2026"));
    QCOMPARE(p.cell(0, 1), QStringLiteral("Alimentation")); // leaving the post box marked it
    QCOMPARE(p.cell(0, 2), QString::fromUtf8("Épicerie"));
    QCOMPARE(p.cell(0, 3), expenseCell);
    QCOMPARE(p.cell(0, 4), incomeCell);
    QCOMPARE(p.find<QLineEdit>("Edit4")->text().trimmed(), expenseTotal);
    QCOMPARE(p.find<QLineEdit>("Edit5")->text().trimmed(), incomeTotal);
    // The entry line is cleared for the next line.
    QCOMPARE(p.date()->displayText(), QStringLiteral("__/__/____"));
    QVERIFY(p.description()->text().isEmpty());
    QVERIFY(p.expense()->text().isEmpty());
    QCOMPARE(p.posts()->currentIndex(), -1);
    QVERIFY(p.t.context.document().modified);
    QVERIFY(p.page->model().changed());
}

void TestBudgetPage::commit_withBothAmountsEmptyOnlyMovesFocus()
{
    Page p;
    p.t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
    p.page->display();
    p.type("07012026", 0, "rien", "", "", p.find<QLineEdit>("Edit2"));
    QCOMPARE(p.page->model().grid().lineCount(), 0);
    QCOMPARE(p.description()->text(), QStringLiteral("rien"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(p.expense()));
    QVERIFY(!p.t.context.document().modified);
}

void TestBudgetPage::commit_amountNotANumberIsRefused()
{
    Page p;
    p.page->display();
    p.type("07012026", 0, "essai", "12,3,4", "");
    QCOMPARE(p.t.ui.messages().size(), 1);
    QVERIFY(p.t.ui.lastMessage().contains(QStringLiteral("12,3,4")));
    QCOMPARE(p.page->model().grid().lineCount(), 0);
    QVERIFY(p.cell(0, 0).isEmpty());
    // The entry line keeps everything typed.
    QCOMPARE(p.date()->text(), QStringLiteral("07/01/2026"));
    QCOMPARE(p.description()->text(), QStringLiteral("essai"));
    QCOMPARE(p.expense()->text(), QStringLiteral("12,3,4"));
    QVERIFY(!p.t.context.document().modified);
}

void TestBudgetPage::commit_fullMonthIsRefused()
{
    Page p;
    p.page->display();
    for (int i = 0; i < 128; ++i)
        p.type("07012026", 2, "ligne", "1", "");
    QCOMPARE(p.page->model().grid().lineCount(), 128);
    QVERIFY(p.t.ui.messages().isEmpty());
    p.type("08012026", 2, "de trop", "1", "");
    QCOMPARE(p.t.ui.messages().size(), 1);
    QVERIFY(p.t.ui.lastMessage().contains(QStringLiteral("128")));
    QCOMPARE(p.description()->text(), QStringLiteral("de trop"));
    QCOMPARE(p.find<QLineEdit>("Edit4")->text().trimmed(), QStringLiteral("128,00"));
}

void TestBudgetPage::leavingEmptyDateBoxFillsToday()
{
    Page p(QDate(2024, 2, 29));
    p.t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
    p.page->display();
    p.date()->setFocus();
    QTRY_VERIFY(p.date()->hasFocus());
    QTest::keyClick(p.date(), Qt::Key_Tab);
    QTRY_COMPARE(p.date()->text(), QStringLiteral("29/02/2024"));
    // A typed date is kept as typed, even outside the month.
    p.date()->setFocus();
    p.date()->setCursorPosition(0);
    QTest::keyClicks(p.date(), "31122030");
    QTest::keyClick(p.date(), Qt::Key_Tab);
    QCOMPARE(p.date()->text(), QStringLiteral("31/12/2030"));
}

void TestBudgetPage::leavingPostBoxMarksThePostUsed()
{
    Page p;
    p.page->display();
    p.posts()->setCurrentIndex(2);
    p.page->ComboBox1Exit();
    QCOMPARE(p.posts()->currentText(), QStringLiteral("Loyer"));
    QCOMPARE(p.posts()->itemText(2), QStringLiteral("Loyer"));
    QCOMPARE(p.posts()->count(), 3);
    // Only a to z become capitals.
    p.posts()->addItem(QString::fromUtf8("électricité"));
    p.posts()->setCurrentIndex(3);
    p.page->ComboBox1Exit();
    QCOMPARE(p.posts()->itemText(3), QString::fromUtf8("électricité"));
}

void TestBudgetPage::leavingPostBoxEmptyComesBack()
{
    Page p;
    p.t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
    p.page->display();
    p.posts()->setFocus();
    QTRY_VERIFY(p.posts()->hasFocus());
    QTest::keyClick(p.posts(), Qt::Key_Tab);
    QTRY_VERIFY(p.posts()->hasFocus());
    // With a post chosen the user goes on to the description.
    QTest::keyClick(p.posts(), Qt::Key_Down);
    QCOMPARE(p.posts()->currentText(), QStringLiteral("alimentation"));
    QTest::keyClick(p.posts(), Qt::Key_Tab);
    QTRY_VERIFY(p.description()->hasFocus());
    QCOMPARE(p.posts()->currentText(), QStringLiteral("Alimentation"));
}

void TestBudgetPage::postAndAccountBoxesTakeNoTyping()
{
    Page p;
    p.t.context.comboBox(2)->addItems({"Caisse", "Banque"});
    p.page->display();
    p.posts()->setCurrentIndex(-1);
    QTest::keyClicks(p.posts(), "lo");
    QCOMPARE(p.posts()->currentIndex(), -1);
    QTest::keyClicks(p.accounts(), "B");
    QCOMPARE(p.accounts()->currentText(), QStringLiteral("Caisse"));
}

void TestBudgetPage::doubleClick_takesRowForChangeAndResorts()
{
    Page p;
    p.t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
    p.page->display();
    p.type("15012026", 0, "quinze", "1", "");
    p.type("03012026", 2, "trois", "2", "");
    p.type("20012026", 0, "vingt", "3", "");
    QCOMPARE(p.cell(0, 2), QStringLiteral("trois"));

    p.doubleClickRow(0);
    QVERIFY(p.page->model().editing());
    QCOMPARE(p.date()->text(), QStringLiteral("03/01/2026"));
    QCOMPARE(p.posts()->currentText(), QStringLiteral("Loyer"));
    QCOMPARE(p.description()->text(), QStringLiteral("trois"));
    QCOMPARE(p.expense()->text(), QStringLiteral("2,00"));

    p.date()->setCursorPosition(0);
    QTest::keyClicks(p.date(), "28");
    QTest::keyClick(p.expense(), Qt::Key_Return);
    QCOMPARE(p.page->model().grid().lineCount(), 3);
    QCOMPARE(p.cell(0, 2), QStringLiteral("quinze"));
    QCOMPARE(p.cell(1, 2), QStringLiteral("vingt"));
    QCOMPARE(p.cell(2, 2), QStringLiteral("trois"));
    QCOMPARE(p.cell(2, 0), QStringLiteral("28/01/2026"));
    QVERIFY(!p.page->model().editing());
}

void TestBudgetPage::doubleClick_belowCountedLinesAddsAtFirstFreeRow()
{
    Page p;
    p.t.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
    p.page->display();
    p.type("05012026", 0, "premier", "1", "");
    p.doubleClickRow(6);
    QVERIFY(!p.page->model().editing());
    p.type("06012026", 0, "second", "2", "");
    QCOMPARE(p.page->model().grid().lineCount(), 2);
    QCOMPARE(p.cell(1, 2), QStringLiteral("second"));
    QVERIFY(p.cell(6, 2).isEmpty());
}

void TestBudgetPage::totals_addEveryRowOfTheGrid()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("compte.orz");
    const QString key = QStringLiteral("258202601");
    // Row 1 has no date: row 2 is below the counted lines but still totalled.
    TestFiles::writeBytes(dir.filePath("compte.obg"),
                          cells(key, 0, {"02/01/2026", "a", "", "       10,00", "", ""})
                              + cells(key, 2, {"", "", "", "        5,00", "        1,50", ""}));
    Page p;
    p.page->load(doc);
    p.page->display();
    QCOMPARE(p.page->model().grid().lineCount(), 1);
    QCOMPARE(p.find<QLineEdit>("Edit4")->text().trimmed(), QStringLiteral("15,00"));
    QCOMPARE(p.find<QLineEdit>("Edit5")->text().trimmed(), QStringLiteral("1,50"));
}

void TestBudgetPage::save_writesCp1252WithCrLf()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("maison.orz");
    Page p(QDate(2001, 1, 20));
    p.page->display();
    p.type("15012001", 0, QString::fromUtf8("Épicerie"), "12.5", "");
    p.type("03012001", 2, "Janvier", "", "450");
    QVERIFY(p.page->save(doc, false));
    const QByteArray expected = "258200101000003/01/2001\r\n"
                                "2582001010001Loyer\r\n"
                                "2582001010002Janvier\r\n"
                                "2582001010003\r\n"
                                "2582001010004          450,00\r\n"
                                "2582001010005\r\n"
                                "258200101001015/01/2001\r\n"
                                "2582001010011Alimentation\r\n"
                                "2582001010012\xC9picerie\r\n"
                                "2582001010013           12,50\r\n"
                                "2582001010014\r\n"
                                "2582001010015\r\n";
    QCOMPARE(TestFiles::readBytes(dir.filePath("maison.obg")), expected);
    QVERIFY(!p.page->model().changed());
}

void TestBudgetPage::save_newDocumentWritesNoFileUntilAnEntry()
{
    QTemporaryDir dir;
    Page p;
    p.page->display();
    QVERIFY(p.page->save(dir.filePath("neuf.orz"), false));
    QVERIFY(!QFile::exists(dir.filePath("neuf.obg")));
    // Saving under a new name writes the file even so.
    QVERIFY(p.page->save(dir.filePath("autre.orz"), true));
    QVERIFY(QFile::exists(dir.filePath("autre.obg")));
    QCOMPARE(TestFiles::readBytes(dir.filePath("autre.obg")), QByteArray());
}

void TestBudgetPage::load_missingFileLeavesTheBudget()
{
    QTemporaryDir dir;
    Page p;
    p.page->display();
    p.type("07012026", 0, "reste", "1", "");
    p.page->load(dir.filePath("absent.orz"));
    QCOMPARE(p.cell(0, 2), QStringLiteral("reste"));
    p.page->writeBack();
    p.page->display();
    QCOMPARE(p.cell(0, 2), QStringLiteral("reste"));
    QVERIFY(p.t.ui.messages().isEmpty());
}

void TestBudgetPage::load_dropsShortLinesAndShowsDeferredEntries()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("b.orz");
    const QString key = QStringLiteral("258200101");
    TestFiles::writeBytes(dir.filePath("b.obg"),
                          "court\r\n" + cells(key, 0, {"03/01/2001", "Loyer", "", "  450,00", "", ""})
                              + cells(key, 999, {"28/01/2001", "Carte", QString::fromUtf8("différé"), "7.5", ""}));
    Page p(QDate(2001, 1, 10));
    p.page->load(doc);
    p.page->display();
    QCOMPARE(p.caption(), QStringLiteral("Budget - Janvier 2001"));
    QCOMPARE(p.page->model().grid().lineCount(), 2);
    QCOMPARE(p.cell(1, 0), QStringLiteral("28/01/2001"));
    QCOMPARE(p.cell(1, 2), QString::fromUtf8("différé"));
    QCOMPARE(p.cell(1, 3), QStringLiteral("            7,50"));
    // The short line is gone from the store; the deferred lines stay until
    // their month is written.
    QVERIFY(p.page->save(doc, true));
    const QByteArray saved = TestFiles::readBytes(dir.filePath("b.obg"));
    QVERIFY(!saved.contains("court"));
    QVERIFY(saved.startsWith("258200101000003/01/2001\r\n"));
    QVERIFY(saved.contains("2582001019990"));
}

void TestBudgetPage::load_damagedLinesAreSkippedAndReportedOnce()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("d.orz");
    const QString key = QStringLiteral("258200101");
    TestFiles::writeBytes(dir.filePath("d.obg"),
                          cells(key, 0, {"03/01/2001", "Loyer", "", "  450,00", "", ""})
                              + "25820010100x0oops\r\n"
                              + cells(key, 1, {"04/01/2001", "Loyer", "", "  1,00", "", ""}));
    Page p(QDate(2001, 1, 10));
    p.page->load(doc);
    p.page->display();
    QCOMPARE(p.page->model().grid().lineCount(), 2);
    QCOMPARE(p.cell(1, 0), QStringLiteral("04/01/2001"));
    QCOMPARE(p.t.ui.messages().size(), 1);
    QVERIFY(p.t.ui.lastMessage().contains(QStringLiteral("1 ligne")));
    p.page->suivant();
    p.page->precedent();
    QCOMPARE(p.t.ui.messages().size(), 1);
    QCOMPARE(p.cell(0, 0), QStringLiteral("03/01/2001"));
}

void TestBudgetPage::enteredChangedSavedMonthReloadsIdentically()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("rt.orz");
    QByteArray first;
    {
        Page p(QDate(2026, 3, 2));
        p.page->display();
        p.type("15032026", 0, QString::fromUtf8("Épicerie"), "12.5", "");
        p.type("03032026", 2, "Mars", "", "450");
        p.type("20032026", 1, "Carte", "33,3", "");
        p.page->StringGrid1DblClick(1);
        p.description()->setText(QStringLiteral("Courses du 15"));
        QTest::keyClick(p.description(), Qt::Key_Return);
        QVERIFY(p.page->save(doc, false));
        first = TestFiles::readBytes(dir.filePath("rt.obg"));
    }
    Page q(QDate(2026, 3, 2));
    q.page->load(doc);
    q.page->display();
    QCOMPARE(q.page->model().grid().lineCount(), 3);
    QCOMPARE(q.cell(1, 2), QStringLiteral("Courses du 15"));
    QCOMPARE(q.cell(2, 3), QStringLiteral("           33,30"));
    QVERIFY(q.page->save(doc, true));
    QCOMPARE(TestFiles::readBytes(dir.filePath("rt.obg")), first);
}

void TestBudgetPage::pastedLineBreaksStayOnTheCellLine()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("colle.orz");
    {
        Page p(QDate(2026, 3, 2));
        p.page->display();
        p.type("02032026", 0, "avant", "1", "");
        // The description box takes a pasted text whole, line breaks included.
        QGuiApplication::clipboard()->setText(QStringLiteral("Pharmacie\r\nordonnance\nDr Martin"));
        p.date()->setText("03/03/2026");
        p.posts()->setCurrentIndex(0);
        p.description()->setFocus();
        p.description()->paste();
        p.expense()->setText("12");
        QTest::keyClick(p.expense(), Qt::Key_Return);
        p.type("04032026", 0, "apres", "2", "");
        QVERIFY(p.page->save(doc, false));
        QCOMPARE(TestFiles::readBytes(dir.filePath("colle.obg")).count("\r\n"), 18);
    }
    Page q(QDate(2026, 3, 2));
    q.page->load(doc);
    q.page->display();
    QVERIFY(q.t.ui.messages().isEmpty());
    QCOMPARE(q.page->model().grid().lineCount(), 3);
    QCOMPARE(q.cell(1, 2), QStringLiteral("Pharmacie ordonnance Dr Martin"));
    QCOMPARE(q.cell(2, 2), QStringLiteral("apres"));
}

void TestBudgetPage::descriptionBoxTakesLongTexts()
{
    Page p;
    p.description()->setFocus();
    QTest::keyClicks(p.description(), QString(260, u'x'));
    QCOMPARE(p.description()->text().size(), 260);
}

void TestBudgetPage::monthButtons_writeBackAndShowTheMonth()
{
    Page p(QDate(2026, 1, 7));
    p.page->display();
    QCOMPARE(p.caption(), QStringLiteral("Budget - Janvier 2026"));
    p.type("07012026", 0, "janvier", "1", "");
    p.find<QPushButton>("Button31")->click();
    QCOMPARE(p.find<QPushButton>("Button31")->text(), QStringLiteral("Avr"));
    QCOMPARE(p.caption(), QStringLiteral("Budget - Avril 2026"));
    QCOMPARE(p.page->model().grid().lineCount(), 0);
    p.find<QPushButton>("Button39")->click();
    QCOMPARE(p.caption(), QString::fromUtf8("Budget - Décembre 2026"));
    p.find<QPushButton>("Button28")->click();
    QCOMPARE(p.cell(0, 2), QStringLiteral("janvier"));
    QStringList texts;
    for (int b = 28; b <= 39; ++b)
        texts << p.find<QPushButton>(QStringLiteral("Button%1").arg(b).toLatin1().constData())->text();
    QCOMPARE(texts, QString::fromUtf8("Jan Fév Mar Avr Mai Jun Jul Aoû Sep Oct Nov Déc").split(u' '));
}

void TestBudgetPage::load_damagedDateLineLosesNoLaterRow()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("e.orz");
    const QString key = QStringLiteral("258200101");
    // Row 1's date line has a row number that is not a number.
    QByteArray rowWithoutDate = cells(key, 1, {"", "Loyer", "deux", "  2,00", "", ""});
    rowWithoutDate.remove(0, rowWithoutDate.indexOf(kCrLf) + 2);
    TestFiles::writeBytes(dir.filePath("e.obg"),
                          cells(key, 0, {"03/01/2001", "Loyer", "un", "  1,00", "", ""})
                              + Cp1252::encode(key + "0x1004/01/2001") + kCrLf
                              + rowWithoutDate
                              + cells(key, 2, {"05/01/2001", "Loyer", "trois", "  3,00", "", ""})
                              + cells(key, 3, {"06/01/2001", "Loyer", "quatre", "  4,00", "", ""}));
    {
        Page p(QDate(2001, 1, 10));
        p.page->load(doc);
        p.page->display();
        QCOMPARE(p.t.ui.messages().size(), 1);
        QCOMPARE(p.page->model().grid().lineCount(), 3);
        QCOMPARE(p.cell(1, 2), QStringLiteral("trois"));
        QCOMPARE(p.cell(2, 2), QStringLiteral("quatre"));
        p.type("07012001", 0, "cinq", "5", "");
        QVERIFY(p.page->save(doc, false));
    }
    Page q(QDate(2001, 1, 10));
    q.page->load(doc);
    q.page->display();
    QVERIFY(q.t.ui.messages().isEmpty());
    QCOMPARE(q.page->model().grid().lineCount(), 4);
    QStringList descriptions;
    for (int r = 0; r < 4; ++r)
        descriptions << q.cell(r, 2);
    QCOMPARE(descriptions, QStringList({"un", "trois", "quatre", "cinq"}));
}

void TestBudgetPage::load_monthWithAGapLosesNoRow()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("g.orz");
    const QString key = QStringLiteral("258200101");
    // Row 001 is missing from the file altogether.
    TestFiles::writeBytes(dir.filePath("g.obg"),
                          cells(key, 0, {"03/01/2001", "Loyer", "un", "  1,00", "", ""})
                              + cells(key, 2, {"05/01/2001", "Loyer", "trois", "  3,00", "", ""}));
    {
        Page p(QDate(2001, 1, 10));
        p.page->load(doc);
        p.page->display();
        QCOMPARE(p.page->model().grid().lineCount(), 2);
        p.type("07012001", 0, "sept", "7", "");
        QVERIFY(p.page->save(doc, false));
    }
    Page q(QDate(2001, 1, 10));
    q.page->load(doc);
    q.page->display();
    QCOMPARE(q.page->model().grid().lineCount(), 3);
    QCOMPARE(q.cell(1, 2), QStringLiteral("trois"));
    QCOMPARE(q.cell(2, 2), QStringLiteral("sept"));
}

void TestBudgetPage::pageUpDown_stepMonthAcrossYears()
{
    ScriptedUiServices ui;
    FixedClock clock(QDateTime(QDate(2001, 1, 15), QTime(9, 0)));
    QTemporaryDir start;
    TChild child(ui, clock, start.path());
    child.resize(900, 600);
    child.show();
    QVERIFY(QTest::qWaitForWindowExposed(&child));
    child.Section(5);
    auto *caption = child.findChild<QLabel *>("Panel16");
    auto *date = child.findChild<QLineEdit *>("MaskEdit1");
    QVERIFY(caption && date);
    QCOMPARE(caption->text(), QStringLiteral("Budget - Janvier 2001"));
    QTest::keyClick(date, Qt::Key_PageUp);
    QCOMPARE(caption->text(), QString::fromUtf8("Budget - Décembre 2000"));
    QTest::keyClick(date, Qt::Key_PageDown);
    QTest::keyClick(date, Qt::Key_PageDown);
    QCOMPARE(caption->text(), QString::fromUtf8("Budget - Février 2001"));
    // First and last do nothing here.
    child.Premier();
    child.Dernier();
    QCOMPARE(caption->text(), QString::fromUtf8("Budget - Février 2001"));
}

void TestBudgetPage::accountSwitch_keepsEachAccountsLines()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("c.orz");
    Page p(QDate(2026, 1, 7));
    p.t.context.comboBox(2)->addItems({"Caisse", "Banque"});
    p.page->display();
    p.type("07012026", 0, "en caisse", "5", "");
    // The user picks the other account in the box.
    QTest::keyClick(p.accounts(), Qt::Key_Down);
    QCOMPARE(p.accounts()->currentText(), QStringLiteral("Banque"));
    QCOMPARE(p.page->model().shownAccount(), QStringLiteral("Banque"));
    QCOMPARE(p.page->model().grid().lineCount(), 0);
    p.type("08012026", 0, "en banque", "6", "");
    QTest::keyClick(p.accounts(), Qt::Key_Up);
    QCOMPARE(p.cell(0, 2), QStringLiteral("en caisse"));
    QCOMPARE(p.page->model().grid().lineCount(), 1);
    QVERIFY(p.page->save(doc, false));
    const QByteArray saved = TestFiles::readBytes(dir.filePath("c.obg"));
    const QByteArray banque = BudgetFormat::monthKeyFor("Banque", 2026, 1).toLatin1();
    QVERIFY(saved.contains("2582026010002en caisse\r\n"));
    QVERIFY(saved.contains(banque + "0002en banque\r\n"));
    QCOMPARE(saved.count("en caisse"), 1);
    QCOMPARE(saved.count("en banque"), 1);
}

void TestBudgetPage::accountBox_emptyGetsCaisse()
{
    Page p;
    QCOMPARE(p.caption(), QStringLiteral("Budget"));
    p.page->display();
    QCOMPARE(p.accounts()->count(), 1);
    QCOMPARE(p.accounts()->currentText(), QStringLiteral("Caisse"));
    QCOMPARE(p.page->model().shownKey(), QStringLiteral("258202601"));
}

void TestBudgetPage::layoutFor_followsTheWindowsRightEdge()
{
    Page p;
    p.page->layoutFor(1000, 700);
    QCOMPARE(p.find<QFrame>("Panel17")->x(), 940);
    QCOMPARE(p.find<QLabel>("Label24")->x(), 770);
    QCOMPARE(p.accounts()->x(), 830);
    QCOMPARE(p.grid()->model()->rowCount(), 128);
    QCOMPARE(p.grid()->model()->columnCount(), 6);
    const QList<int> widths = {90, 160, 210, 100, 100, 10};
    for (int c = 0; c < 6; ++c)
        QCOMPARE(p.grid()->columnWidth(c), widths[c]);
    QCOMPARE(p.grid()->verticalHeader()->defaultSectionSize(), 22);
    p.page->layoutFor(640, 480);
    QCOMPARE(p.find<QFrame>("Panel17")->x(), 580);
    QCOMPARE(p.accounts()->x(), 470);
}

void TestBudgetPage::doubleClick_keepsAPostThatLeftTheList()
{
    Page p;
    p.page->display();
    p.type("05012026", 2, "bail", "700", "");
    QCOMPARE(p.cell(0, 1), QStringLiteral("Loyer"));
    // The posts editor has since renamed the post.
    p.posts()->setItemText(2, QStringLiteral("habitation"));
    p.page->StringGrid1DblClick(0);
    QCOMPARE(p.posts()->currentIndex(), -1);
    QCOMPARE(p.posts()->placeholderText(), QStringLiteral("Loyer"));
    p.description()->setText(QStringLiteral("bail de janvier"));
    QTest::keyClick(p.description(), Qt::Key_Return);
    QCOMPARE(p.cell(0, 1), QStringLiteral("Loyer"));
    QCOMPARE(p.cell(0, 2), QStringLiteral("bail de janvier"));
    QVERIFY(p.posts()->placeholderText().isEmpty());
}

void TestBudgetPage::save_failureKeepsTheBudgetToSave()
{
    QTemporaryDir dir;
    Page p;
    p.page->display();
    p.type("05012026", 0, "x", "1", "");
    QVERIFY(!p.page->save(dir.filePath("absent/folder/doc.orz"), false));
    QCOMPARE(p.t.ui.messages().size(), 1);
    QVERIFY(p.page->model().changed());
    QVERIFY(p.page->save(dir.filePath("doc.orz"), false));
    QVERIFY(!p.page->model().changed());
    QVERIFY(TestFiles::readBytes(dir.filePath("doc.obg")).startsWith("258202601000005/01/2026\r\n"));
}

void TestBudgetPage::reset_isANewDocument()
{
    Page p(QDate(2026, 1, 7));
    p.page->display();
    p.type("05012026", 0, "x", "1", "");
    p.page->precedent();
    p.t.clock.setDate(QDate(2027, 6, 30));
    p.page->reset();
    QCOMPARE(p.caption(), QStringLiteral("Budget"));
    QVERIFY(p.cell(0, 0).isEmpty());
    QVERIFY(p.page->model().store().isEmpty());
    QVERIFY(!p.page->model().changed());
    p.page->display();
    QCOMPARE(p.caption(), QStringLiteral("Budget - Juin 2027"));
    QCOMPARE(p.page->model().grid().lineCount(), 0);
}

void TestBudgetPage::documentWindow_savesAndReloadsTheMonth()
{
    QTemporaryDir dir;
    const QString doc = dir.filePath("famille.orz");
    ScriptedUiServices ui;
    FixedClock clock(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
    TChild child(ui, clock, dir.path());
    child.Section(5);
    auto *date = child.findChild<QLineEdit *>("MaskEdit1");
    auto *expense = child.findChild<QLineEdit *>("Edit3");
    date->setText("10/02/2026");
    expense->setText("42");
    QTest::keyClick(expense, Qt::Key_Return);
    QVERIFY(child.TestModif());
    child.Section(1); // leaving the page writes the month back
    QVERIFY(child.Sauve(doc));
    const QByteArray saved = TestFiles::readBytes(dir.filePath("famille.obg"));
    QCOMPARE(saved.count("\r\n"), 6);
    QVERIFY(saved.contains("2582026020003           42,00\r\n"));

    TChild other(ui, clock, dir.path());
    other.Charge(doc);
    other.Section(5);
    auto *view = other.findChild<QTableView *>("StringGrid1");
    QCOMPARE(view->model()->index(0, 0).data().toString(), QStringLiteral("10/02/2026"));
    QCOMPARE(view->model()->index(0, 3).data().toString(), QStringLiteral("42,00"));
    QVERIFY(!other.TestModif());
}

QTEST_MAIN(TestBudgetPage)
#include "test_budget_page.moc"

// The budget page: the outcomes of the entry line, the wiring of its boxes
// and messages, the files it refuses to replace, and one user path through
// the document window.
#include "Fixtures.h"
#include "PdfText.h"

#include "budget/BilanWindow.h"
#include "budget/BudgetFormat.h"
#include "budget/BudgetPage.h"
#include "common/Cp1252.h"
#include "document/PrintJob.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QPieSeries>

namespace {

struct Page
{
    explicit Page(QDate today = QDate(2026, 1, 7)) : t(today)
    {
        t.context.comboBox(1)->addItems({"alimentation", QString::fromUtf8("Débit différé"), "loyer"});
        page = new BudgetPage(t.context, t.model.budget(), t.window.get());
        t.window->resize(800, 600);
        page->resize(800, 600);
    }

    template<typename W>
    W *find(const char *name) const
    {
        return TestUi::find<W>(page, name);
    }
    QLineEdit *date() const { return find<QLineEdit>("MaskEdit1"); }
    QComboBox *posts() const { return find<QComboBox>("ComboBox1"); }
    QComboBox *accounts() const { return find<QComboBox>("ComboBox2"); }
    QLineEdit *description() const { return find<QLineEdit>("Edit2"); }
    QLineEdit *expense() const { return find<QLineEdit>("Edit3"); }
    QLineEdit *income() const { return find<QLineEdit>("Edit6"); }
    QTableView *grid() const { return find<QTableView>("StringGrid1"); }
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

    TestContext t;
    BudgetPage *page = nullptr;
};

QByteArray cells(const QString &key, int row, const QStringList &texts)
{
    QByteArray out;
    for (int c = 0; c < texts.size(); ++c)
        out +=
            Cp1252::encode(key + QStringLiteral("%1%2").arg(row, 3, 10, QLatin1Char('0')).arg(c) + texts[c]) + "\r\n";
    return out;
}

} // namespace

class TestBudgetPage : public QObject
{
    Q_OBJECT

private slots:
    void commitOutcomes_data()
    {
        // A month holding `counted` rows of the 5th with an expense of 1; a
        // double click on a row first (-1: none); a line typed (date digits,
        // expense, income) and Enter in the box named last. Then: the counted rows, the
        // messages, where the focus went, the last counted row (date|expense|income).
        QTest::addColumn<int>("counted");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("outcome");
        QTest::newRow("income only, Enter in the income box")
            << 1 << -1 << QStringList{"09012026", "", "1500", "Edit6"} << "2 0 MaskEdit1 09/01/2026||1500,00";
        QTest::newRow("both, Enter in the description")
            << 1 << -1 << QStringList{"09012026", "1", "2", "Edit2"} << "2 0 MaskEdit1 09/01/2026|1,00|2,00";
        QTest::newRow("neither: the expense box is next")
            << 1 << -1 << QStringList{"09012026", "", "", "Edit2"} << "1 0 Edit3 05/01/2026|1,00|";
        QTest::newRow("expense not a number")
            << 1 << -1 << QStringList{"09012026", "12,3,4", "", "Edit3"} << "1 1 Edit3 05/01/2026|1,00|";
        QTest::newRow("income not a number")
            << 1 << -1 << QStringList{"09012026", "", "x", "Edit3"} << "1 1 Edit6 05/01/2026|1,00|";
        QTest::newRow("no date: today's")
            << 1 << -1 << QStringList{"", "3", "", "Edit3"} << "2 0 MaskEdit1 07/01/2026|3,00|";
        QTest::newRow("the 128th row") << 127 << -1 << QStringList{"09012026", "1", "", "Edit3"}
                                       << "128 0 MaskEdit1 09/01/2026|1,00|";
        QTest::newRow("beyond 128 rows") << 128 << -1 << QStringList{"09012026", "1", "", "Edit3"}
                                         << "128 1 MaskEdit1 05/01/2026|1,00|";
        QTest::newRow("double click below the counted lines adds a line")
            << 1 << 40 << QStringList{"09012026", "1", "", "Edit3"} << "2 0 MaskEdit1 09/01/2026|1,00|";
        QTest::newRow("double click on a counted row changes it")
            << 2 << 1 << QStringList{"", "9", "", "Edit3"} << "2 0 MaskEdit1 05/01/2026|9,00|";
    }

    void commitOutcomes()
    {
        QFETCH(int, counted);
        QFETCH(int, clicked);
        QFETCH(QStringList, typed);
        QFETCH(QString, outcome);
        QTemporaryDir dir;
        QByteArray file;
        for (int r = 0; r < counted; ++r)
            file += cells("258202601", r, {"05/01/2026", "loyer", "", "1,00", "", ""});
        TestFiles::writeBytes(dir.filePath("b.obg"), file);
        TestFiles::writeBytes(dir.filePath("b.orz"), "");
        Page p;
        p.t.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(p.t.window.get()));
        p.t.load(dir.filePath("b.orz"), {p.page});
        p.page->display();
        if (clicked >= 0) {
            p.grid()->scrollTo(p.grid()->model()->index(clicked, 2));
            QTest::mouseDClick(p.grid()->viewport(), Qt::LeftButton, {},
                               p.grid()->visualRect(p.grid()->model()->index(clicked, 2)).center());
            p.expense()->clear();
        }
        p.type(typed[0], 0, "", typed[1], typed[2], p.find<QLineEdit>(qPrintable(typed[3])));
        const int n = p.page->budget().grid().lineCount();
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), outcome.section(u' ', 2, 2));
        QCOMPARE(
            QStringList(
                {QString::number(n), QString::number(p.t.ui.messages().size()),
                 QApplication::focusWidget()->objectName(),
                 QStringList({p.cell(n - 1, 0), p.cell(n - 1, 3).trimmed(), p.cell(n - 1, 4).trimmed()}).join(u'|')})
                .join(u' '),
            outcome);
        const bool committed = outcome.section(u' ', 1, 2) == "0 MaskEdit1";
        QCOMPARE(p.t.context.document().modified, committed);
        QCOMPARE(p.page->budget().changed(), committed);
        // A refused line stays on the entry line; a committed one leaves it clear.
        QCOMPARE(p.expense()->text(), committed ? QString() : typed[1]);
    }

    void entryLineBoxes()
    {
        Page p;
        p.t.context.comboBox(2)->addItems({"Caisse", "Banque"});
        p.page->display();
        // The post and account boxes take no typing.
        p.posts()->setCurrentIndex(-1);
        QTest::keyClicks(p.posts(), "lo");
        QCOMPARE(p.posts()->currentIndex(), -1);
        QTest::keyClicks(p.accounts(), "B");
        QCOMPARE(p.accounts()->currentText(), QString("Caisse"));
        // Leaving the post box marks the post used; a post that has since left the
        // list stays with its line.
        p.type("05012026", 2, "bail", "700", "");
        QCOMPARE(p.posts()->itemText(2) + u'|' + p.cell(0, 1), QString("Loyer|Loyer"));
        p.posts()->setItemText(2, "habitation");
        p.page->StringGrid1DblClick(0);
        QCOMPARE(p.posts()->placeholderText(), QString("Loyer"));
        QTest::keyClick(p.description(), Qt::Key_Return);
        QCOMPARE(p.cell(0, 1), QString("Loyer"));
        // Another account shows its own month; the first one's line is kept.
        QTest::keyClick(p.accounts(), Qt::Key_Down);
        QVERIFY(p.page->budget().shownAccount() == "Banque" && p.page->budget().grid().lineCount() == 0);
        QTest::keyClick(p.accounts(), Qt::Key_Up);
        QCOMPARE(p.cell(0, 2), QString("bail"));
    }

    void damageReportedOnce()
    {
        QTemporaryDir dir;
        TestFiles::writeBytes(dir.filePath("d.obg"),
                              cells("258200101", 0, {"03/01/2001", "Loyer", "", "  450,00", "", ""})
                                  + "25820010100x0oops\r\n"
                                  + cells("258200101", 1, {"04/01/2001", "Loyer", "", "  1,00", "", ""}));
        Page p(QDate(2001, 1, 10));
        p.t.load(dir.filePath("d.orz"), {p.page});
        p.page->display();
        QCOMPARE(p.page->budget().grid().lineCount(), 2);
        QCOMPARE(p.t.ui.messages().size(), 2); // no organiser file, then the damage
        QVERIFY(p.t.ui.lastMessage().contains("1 ligne"));
        p.page->suivant();
        p.page->precedent();
        QCOMPARE(p.t.ui.messages().size(), 2);
    }

    void gridAndSaves()
    {
        // The grid model as Qt checks it; a failing write keeps the budget to
        // save; a budget file that could not be read is never replaced under
        // its own name.
        QTemporaryDir dir;
        Page p;
        QAbstractItemModelTester tester(p.grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        p.page->display();
        p.type("07012026", 0, "x", "1", "");
        QSignalSpy told(p.grid()->model(), &QAbstractItemModel::dataChanged);
        p.type("03012026", 0, "y", "", "2"); // sorted in first: the view repaints from the first row
        QVERIFY(!told.isEmpty() && told.last().at(0).toModelIndex().row() == 0);
        QCOMPARE(p.grid()->model()->index(0, 4).data().toString(), QString("2,00"));
        QCOMPARE(p.grid()->model()->index(0, 4).data(Qt::EditRole).toString().size(), BudgetFormat::AmountWidth);
        QVERIFY(!p.t.save(dir.filePath("absent/folder/doc.orz"), false, {p.page}));
        QVERIFY(p.t.ui.messages().size() == 1 && p.page->budget().changed());
        QVERIFY(p.t.save(dir.filePath("doc.orz"), false, {p.page}) && !p.page->budget().changed());
        p.page->suivant();
        QVERIFY(p.cell(0, 0).isEmpty());

        QVERIFY(QDir().mkpath(dir.filePath("lu.obg")));
        p.t.load(dir.filePath("lu.orz"), {p.page});
        QCOMPARE(p.t.ui.messages().size(), 3); // no organiser file, then this one
        p.type("06012026", 0, "y", "2", "");
        QVERIFY(!p.t.save(dir.filePath("lu.orz"), false, {p.page}));
        QVERIFY(p.t.ui.lastMessage().contains("n'a pas pu être lu") && QFileInfo(dir.filePath("lu.obg")).isDir());
        QVERIFY(p.t.save(dir.filePath("ailleurs.orz"), true, {p.page}));
    }

    void documentWindowPath()
    {
        // Two lines typed in February, one taken back and changed, the month
        // left, saved byte for byte, and opened again in another window.
        ChildFixture c(QDateTime(QDate(2026, 2, 10), QTime(9, 0)));
        TChild &child = c.child;
        const QString doc = c.path("famille.orz");
        child.resize(900, 600);
        child.show();
        QVERIFY(QTest::qWaitForWindowExposed(&child));
        child.Section(5);
        auto *date = child.findChild<QLineEdit *>("MaskEdit1");
        auto *expense = child.findChild<QLineEdit *>("Edit3");
        auto *view = child.findChild<QTableView *>("StringGrid1");
        date->setText("15/02/2026");
        expense->setText("42");
        QTest::keyClick(expense, Qt::Key_Return);
        date->setText("03/02/2026");
        child.findChild<QLineEdit *>("Edit2")->setText("Épicerie");
        child.findChild<QLineEdit *>("Edit6")->setText("450");
        QTest::keyClick(expense, Qt::Key_Return);
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(1, 2)).center());
        expense->setText("43");
        QTest::keyClick(expense, Qt::Key_Return);
        child.Suivant(); // the next month: February is written back
        QVERIFY(child.TestModif());
        QVERIFY(child.Sauve(doc));
        const QByteArray expected = "258202602000003/02/2026\r\n2582026020001\r\n2582026020002\xC9picerie\r\n"
                                    "2582026020003\r\n2582026020004          450,00\r\n2582026020005\r\n"
                                    "258202602001015/02/2026\r\n2582026020011\r\n2582026020012\r\n"
                                    "2582026020013           43,00\r\n2582026020014\r\n2582026020015\r\n";
        QCOMPARE(TestFiles::readBytes(c.path("famille.obg")), expected);

        TChild other(c.ui, c.clock, c.dir.path());
        other.Charge(doc);
        other.Section(5);
        view = other.findChild<QTableView *>("StringGrid1");
        QCOMPARE(view->model()->index(1, 3).data().toString(), QString("43,00"));
        QVERIFY(!other.TestModif());
        QVERIFY(other.Sauve(doc));
        QCOMPARE(TestFiles::readBytes(c.path("famille.obg")), expected);
    }

    void bilanFromTheOptionsMenu()
    {
        // January holds a deferred entry and a line still on screen; the
        // window shows them with the store's other months, then December
        // 2025 after one step back, and prints the sums.
        MainFormFixture f(QDateTime(QDate(2026, 1, 20), QTime(9, 0)));
        TestFiles::writeBytes(f.path("b.obg"),
                              cells("258202601", 0, {"02/01/2026", "Loyer", "", "650,00", "2000", ""})
                                  + cells("258202601", 999, {"", "Alimentation", "", "12,75", ""})
                                  + cells("258202603", 0, {"02/03/2026", "Loyer", "", "650,00", "", ""}));
        f.form.openDocument(f.path("b.orz"));
        f.child().Section(5);
        f.child().findChild<QLineEdit *>("MaskEdit1")->setText("09/01/2026");
        auto *expense = f.child().findChild<QLineEdit *>("Edit3");
        expense->setText("7");
        QTest::keyClick(expense, Qt::Key_Return);
        QStringList seen;
        f.ui.dialog([&seen, &f](QDialog *d) {
            auto *pie = static_cast<QPieSeries *>(d->findChild<QChartView *>("BilanMois")->chart()->series().value(0));
            for (QLegendMarker *m : d->findChild<QChartView *>("BilanMois")->chart()->legend()->markers(pie))
                seen << m->label();
            for (QPieSlice *s : pie->slices())
                seen << QString::number(s->value());
            auto *bars =
                static_cast<QBarSeries *>(d->findChild<QChartView *>("BilanAnnee")->chart()->series().value(0));
            for (QBarSet *set : bars->barSets())
                seen << set->label() + QStringLiteral(" %1 %2 %3").arg(set->at(0)).arg(set->at(1)).arg(set->at(2));
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(f.path("bilan.pdf"));
            PrintJob::paint(printer, [d](MmCanvas &c) { static_cast<BilanWindow *>(d)->draw(c); });
            const QStringList printed = PdfText::read(f.path("bilan.pdf"));
            seen << QString::number(printed.contains(QString::fromUtf8("669,75 €")) && printed.contains("Mars"));
            d->findChild<QPushButton *>("BilanPrecedent")->click();
            seen << d->findChild<QLabel *>("BilanCaption")->text() << d->findChild<QLabel *>("BilanTotalAnnee")->text();
            return int(QDialog::Rejected);
        });
        f.form.action("Bilan1")->trigger();
        QCOMPARE(seen, QStringList({QString::fromUtf8("Loyer : 650,00 €"), QString::fromUtf8("Alimentation : 12,75 €"),
                                    QString::fromUtf8("Sans poste : 7,00 €"), "650", "12.75", "7",
                                    QString::fromUtf8("Dépenses 669.75 0 650"), "Recettes 2000 0 0", "1",
                                    QString::fromUtf8("Compte Caisse - Décembre 2025"),
                                    QString::fromUtf8("Année 2025 : dépenses 0,00 €    recettes 0,00 €")}));
    }
};

QTEST_MAIN(TestBudgetPage)
#include "test_budget_page.moc"

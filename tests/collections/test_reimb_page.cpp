// The reimbursement page driven through its widgets, against ".osc" files.
#include "Fixtures.h"
#include "collections/ReimbursementPage.h"
#include "test_records_support.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Fees, pharmacy amount, national refund, complementary refund.
QStringList visit(const QString &fees, const QString &pharmacy, const QString &national,
                  const QString &complementary)
{
    return {"Anne",     "02/01/2026", "Dr Martin", fees,         "Pharmacie du Port", pharmacy,
            "03/01/2026", national,   "10/01/2026", complementary, "20/01/2026"};
}

} // namespace

class TestReimbPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recordWrittenFromThePageReadsBack();
    void resultsOfARecordRead_data();
    void resultsOfARecordRead();
    void unreadableAmountIsReportedByName();
    void resultsStayForARecordNotInTheFile();
    void resultsAreNotComputedWhileTyping();
    void amountKeyFilter_data();
    void amountKeyFilter();
    void emptyDateLineLeavesToday();
    void unreadableDateIsReportedAndResultsUseWhatWasRead();
    void addWithFewerThanTenLinesMakesRecordOne();
    void anEditMarksTheRecordNotTheDocument_data();
    void anEditMarksTheRecordNotTheDocument();

private:
    template<typename T> T *w(const char *name) { return m_page->findChild<T *>(QLatin1String(name)); }
    QString doc() const { return m_dir->filePath(QStringLiteral("famille.orz")); }
    QString osc() const { return m_dir->filePath(QStringLiteral("famille.osc")); }
    void open(const QStringList &lines)
    {
        TestFiles::writeBytes(osc(), TestFiles::crlf(lines));
        m_page->load(doc());
    }
    QString total() { return w<QLabel>("Label75")->text(); }
    QString share() { return w<QLabel>("Label76")->text(); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestContext> m_t;
    ReimbursementPage *m_page = nullptr;
};

void TestReimbPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_t = std::make_unique<TestContext>(QDate(2026, 1, 5));
    m_page = new ReimbursementPage(m_t->context, m_t->window.get());
    m_t->window->show();
}

void TestReimbPage::cleanup()
{
    m_t.reset();
    m_page = nullptr;
    m_dir.reset();
}

void TestReimbPage::recordWrittenFromThePageReadsBack()
{
    m_t->context.comboBox(9)->addItems({QStringLiteral("Dr Martin"), QStringLiteral("Dr Petit")});
    typeText(w<QLineEdit>("Edit18"), QStringLiteral("Anne"));
    w<QDateEdit>("DateTimePicker3")->setDate(QDate(2026, 1, 2));
    w<QComboBox>("ComboBox9")->setCurrentIndex(1);
    typeText(w<QLineEdit>("Edit19"), QStringLiteral("26.5"));
    typeText(w<QComboBox>("ComboBox10")->lineEdit(), QStringLiteral("Pharmacie de l'Église"));
    typeText(w<QLineEdit>("Edit20"), QStringLiteral("12,30"));
    w<QDateEdit>("DateTimePicker4")->setDate(QDate(2026, 1, 3));
    typeText(w<QLineEdit>("Edit21"), QStringLiteral("17,5"));
    w<QDateEdit>("DateTimePicker6")->setDate(QDate(2026, 1, 12));
    typeText(w<QLineEdit>("Edit22"), QStringLiteral("9"));
    QVERIFY(m_page->recordChanged());
    QVERIFY(!m_t->context.document().modified); // marked when the record is written
    QVERIFY(m_page->save(doc(), false));
    const QStringList expected = block(0, {"Anne", "02/01/2026", "Dr Petit", "26,5", "Pharmacie de l'Église", "12,30",
                                           "03/01/2026", "17,5", "12/01/2026", "9", "05/01/2026"});
    QCOMPARE(TestFiles::readBytes(osc()), TestFiles::crlf(expected));

    TestContext t2;
    ReimbursementPage page2(t2.context, t2.window.get());
    page2.load(doc());
    QCOMPARE(page2.findChild<QComboBox *>("ComboBox9")->currentText(), QStringLiteral("Dr Petit"));
    QCOMPARE(page2.findChild<QLineEdit *>("Edit19")->text(), QStringLiteral("26,5"));
    QCOMPARE(page2.findChild<QComboBox *>("ComboBox10")->currentText(), QStringLiteral("Pharmacie de l'Église"));
    QCOMPARE(page2.findChild<QDateEdit *>("DateTimePicker6")->date(), QDate(2026, 1, 12));
    QCOMPARE(page2.findChild<QLabel *>("Label75")->text(), QStringLiteral("26,50"));
    QCOMPARE(page2.findChild<QLabel *>("Label76")->text(), QStringLiteral("68,30 %"));
    QVERIFY(page2.save(doc(), false));
    QCOMPARE(TestFiles::readBytes(osc()), TestFiles::crlf(expected));
}

void TestReimbPage::resultsOfARecordRead_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total");
    QTest::addColumn<QString>("share");
    QTest::newRow("25 refunded 17,5 and 7,5") << QStringList{"25", "", "17,5", "7,5"} << "25,00" << "100,00 %";
    QTest::newRow("no cost") << QStringList{"", "", "17,5", "7,5"} << "25,00" << "0,00 %";
    QTest::newRow("40 refunded 10 and 20") << QStringList{"40", "", "10", "20"} << "30,00" << "75,00 %";
    QTest::newRow("nothing refunded yet") << QStringList{"23", "8,40", "", ""} << "0,00" << "0,00 %";
}

void TestReimbPage::resultsOfARecordRead()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);
    QFETCH(QString, share);
    open(block(0, visit(amounts[0], amounts[1], amounts[2], amounts[3])));
    QCOMPARE(this->total(), total);
    QCOMPARE(this->share(), share);
    QVERIFY(m_t->ui.messages().isEmpty());
}

void TestReimbPage::unreadableAmountIsReportedByName()
{
    open(block(0, visit("40", "", "10", "20")) + block(1, visit("1,2,3", "", "5", "")));
    QCOMPARE(total(), QStringLiteral("30,00"));
    m_page->suivant();
    QCOMPARE(m_t->ui.messages().size(), 1);
    QCOMPARE(m_t->ui.lastMessage(), QStringLiteral("Le montant « 1,2,3 » du champ « Honoraires » n'est pas un nombre."));
    // Both refunds could be read: the total follows; the share stays.
    QCOMPARE(total(), QStringLiteral("5,00"));
    QCOMPARE(share(), QStringLiteral("75,00 %"));
    QVERIFY(!m_page->recordChanged());
}

void TestReimbPage::resultsStayForARecordNotInTheFile()
{
    open(block(0, visit("40", "", "10", "20")));
    m_page->AjoutSecu();
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(w<QLineEdit>("Edit18")->text(), QString());
    QCOMPARE(w<QComboBox>("ComboBox9")->currentText(), QString());
    QCOMPARE(total(), QStringLiteral("30,00"));
    QCOMPARE(share(), QStringLiteral("75,00 %"));
    QCOMPARE(m_t->window->focusWidget(), w<QLineEdit>("Edit18"));
}

void TestReimbPage::resultsAreNotComputedWhileTyping()
{
    open(block(0, visit("40", "", "10", "20")));
    QTest::keyClick(w<QLineEdit>("Edit21"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit21"), QStringLiteral("0"));
    QCOMPARE(total(), QStringLiteral("30,00"));
    m_page->suivant(); // the only record: written and read again
    QCOMPARE(w<QLineEdit>("Edit21")->text(), QStringLiteral("100"));
    QCOMPARE(total(), QStringLiteral("120,00"));
    QCOMPARE(share(), QStringLiteral("300,00 %"));
}

void TestReimbPage::amountKeyFilter_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("fees: dot becomes comma") << "Edit19" << "12.5" << "12,5";
    QTest::newRow("pharmacy: letters dropped") << "Edit20" << "a1b2c" << "12";
    QTest::newRow("national refund: sign and blank dropped") << "Edit21" << "-3 4" << "34";
    QTest::newRow("complementary: accented letter dropped") << "Edit22" << "é7,25€" << "7,25";
    QTest::newRow("every dot becomes a comma") << "Edit19" << "1.2.3" << "1,2,3";
}

void TestReimbPage::amountKeyFilter()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    auto *edit = m_page->findChild<QLineEdit *>(field);
    typeText(edit, typed);
    QCOMPARE(edit->text(), shown);
    QTest::keyClick(edit, Qt::Key_Backspace); // control keys pass
    QCOMPARE(edit->text(), shown.chopped(1));
    // The patient's name is no amount: its keys are not filtered.
    typeText(w<QLineEdit>("Edit18"), QStringLiteral("J.-P."));
    QCOMPARE(w<QLineEdit>("Edit18")->text(), QStringLiteral("J.-P."));
}

void TestReimbPage::emptyDateLineLeavesToday()
{
    QStringList body = visit("30", "", "21", "");
    body[6] = QString();
    body[10] = QStringLiteral("  ");
    open(block(0, body));
    QVERIFY(m_t->ui.messages().isEmpty());
    QCOMPARE(w<QDateEdit>("DateTimePicker3")->date(), QDate(2026, 1, 2));
    QCOMPARE(w<QDateEdit>("DateTimePicker4")->date(), QDate(2026, 1, 5));
    QCOMPARE(w<QDateEdit>("DateTimePicker6")->date(), QDate(2026, 1, 10));
    QCOMPARE(w<QDateEdit>("DateTimePicker7")->date(), QDate(2026, 1, 5));
    QCOMPARE(share(), QStringLiteral("70,00 %"));
}

void TestReimbPage::unreadableDateIsReportedAndResultsUseWhatWasRead()
{
    QStringList body = visit("40", "", "10", "20");
    body[8] = QStringLiteral("10/13/2026");
    const QStringList lines = block(0, body);
    open(lines);
    QCOMPARE(m_t->ui.messages().size(), 1);
    QVERIFY(m_t->ui.lastMessage().contains(QStringLiteral("« 10/13/2026 » n'est pas une date (champ « Date remb. sécu »)")));
    QCOMPARE(w<QLineEdit>("Edit21")->text(), QStringLiteral("10"));
    QCOMPARE(w<QLineEdit>("Edit22")->text(), QString());
    QCOMPARE(total(), QStringLiteral("10,00"));
    QCOMPARE(share(), QStringLiteral("25,00 %"));
    QVERIFY(m_page->save(doc(), false));
    QCOMPARE(TestFiles::readBytes(osc()), TestFiles::crlf(lines));
}

void TestReimbPage::addWithFewerThanTenLinesMakesRecordOne()
{
    m_page->AjoutSecu();
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(m_page->recordCount(), 2);
    m_page->premier();
    QCOMPARE(m_page->currentRecord(), 0);
    QVERIFY(m_page->lines().isEmpty());
}

void TestReimbPage::anEditMarksTheRecordNotTheDocument_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("patient") << "Edit18";
    QTest::newRow("fees") << "Edit19";
    QTest::newRow("complementary refund") << "Edit22";
    QTest::newRow("consultation date") << "DateTimePicker3";
    QTest::newRow("practitioner") << "ComboBox9";
    QTest::newRow("pharmacy") << "ComboBox10";
}

void TestReimbPage::anEditMarksTheRecordNotTheDocument()
{
    QFETCH(QString, field);
    const QStringList first = block(0, visit("40", "", "10", "20"));
    open(first + block(1, visit("25", "", "17,5", "7,5")));
    QWidget *control = m_page->findChild<QWidget *>(field);
    QVERIFY(control);
    if (auto *box = qobject_cast<QComboBox *>(control))
        control = box->lineEdit();
    control->setFocus();
    if (qobject_cast<QDateEdit *>(control))
        QTest::keyClick(control, Qt::Key_Up);
    else
        QTest::keyClick(control, Qt::Key_5);
    QVERIFY(m_page->recordChanged());
    QVERIFY(!m_t->context.document().modified);
    // Leaving the record writes it back and marks the document.
    m_page->suivant();
    QVERIFY(m_t->context.document().modified);
    QCOMPARE(m_page->lines().value(13), QStringLiteral("<BLOC0000>"));
    QVERIFY(m_page->lines().mid(13) != first);
    QCOMPARE(total(), QStringLiteral("25,00"));
}

QTEST_MAIN(TestReimbPage)
#include "test_reimb_page.moc"

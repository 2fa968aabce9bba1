// The book library page driven through its widgets, against ".olv" files.
#include "Fixtures.h"
#include "collections/BookPage.h"
#include "common/TextFile.h"
#include "test_records_support.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList book(const QString &code, const QString &title, const QString &year, const QString &condition)
{
    return {code, "14/07/2025", "3", title, "Hugo", "Hetzel", "France", "Roman", year, condition};
}

} // namespace

class TestBookPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void conditionBoxOffersTheFixedItems();
    void bookWrittenFromThePageReadsBack();
    void emptyYearKeepsTheYearShownBefore();
    void spinFieldsKeepThePreviousBooksValues();
    void addWithFewerThanTenLinesMakesRecordOne();
    void lastReachesTheLastBook();
    void unreadableMarkIsReportedOnce();
    void typedConditionIsStoredAsTyped();
    void bookWithoutEndMarkerIsRewrittenAlone();
    void flagsOfAnEdit_data();
    void flagsOfAnEdit();

private:
    template<typename T> T *w(const char *name) { return m_page->findChild<T *>(QLatin1String(name)); }
    QString doc() const { return m_dir->filePath(QStringLiteral("maison.orz")); }
    QString olv() const { return m_dir->filePath(QStringLiteral("maison.olv")); }
    void open(const QStringList &lines)
    {
        TestFiles::writeBytes(olv(), TestFiles::crlf(lines));
        m_page->load(doc());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestContext> m_t;
    BookPage *m_page = nullptr;
};

void TestBookPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_t = std::make_unique<TestContext>(QDate(2026, 2, 28));
    m_page = new BookPage(m_t->context, m_t->window.get());
    m_t->window->show();
}

void TestBookPage::cleanup()
{
    m_t.reset();
    m_page = nullptr;
    m_dir.reset();
}

void TestBookPage::conditionBoxOffersTheFixedItems()
{
    auto *box = w<QComboBox>("ComboBox8");
    QVERIFY(box);
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    QCOMPARE(items, (QStringList{"Neuf", "Bon", "Moyen", "Mauvais", "Très mauvais"}));
    QCOMPARE(box->currentText(), QString());
    QCOMPARE(w<QSpinBox>("SpinEdit7")->value(), 2000);
}

void TestBookPage::bookWrittenFromThePageReadsBack()
{
    typeText(w<QLineEdit>("Edit13"), QStringLiteral("B-7"));
    w<QDateEdit>("DateTimePicker2")->setDate(QDate(2025, 7, 14));
    w<QSpinBox>("SpinEdit6")->setValue(5);
    typeText(w<QLineEdit>("Edit14"), QStringLiteral("Les Misérables"));
    typeText(w<QLineEdit>("Edit15"), QStringLiteral("Victor Hugo"));
    typeText(w<QLineEdit>("Edit16"), QStringLiteral("Lacroix"));
    typeText(w<QLineEdit>("Edit17"), QStringLiteral("Belgique"));
    typeText(w<QComboBox>("ComboBox7")->lineEdit(), QStringLiteral("Roman"));
    w<QSpinBox>("SpinEdit7")->setValue(1862);
    w<QComboBox>("ComboBox8")->setCurrentIndex(4);
    w<QPlainTextEdit>("Memo5")->setPlainText(QStringLiteral("Tome 1\nMemo6 en tête"));
    w<QPlainTextEdit>("Memo6")->setPlainText(QStringLiteral("Reliure abîmée"));
    QVERIFY(m_t->context.document().modified);
    QVERIFY(m_page->save(doc(), false));
    const QStringList expected =
        block(0, {"B-7", "14/07/2025", "5", "Les Misérables", "Victor Hugo", "Lacroix", "Belgique", "Roman", "1862",
                  "Très mauvais", "Memo5Tome 1", "Memo5Memo6 en tête", "Memo6Reliure abîmée"});
    const QByteArray bytes = TestFiles::readBytes(olv());
    QCOMPARE(bytes, TestFiles::crlf(expected));
    QVERIFY(bytes.contains("\r\nTr\xE8s mauvais\r\n"));

    TestContext t2;
    BookPage page2(t2.context, t2.window.get());
    page2.load(doc());
    QCOMPARE(page2.findChild<QComboBox *>("ComboBox8")->currentText(), QStringLiteral("Très mauvais"));
    QCOMPARE(page2.findChild<QComboBox *>("ComboBox8")->currentIndex(), 4);
    QCOMPARE(page2.findChild<QLineEdit *>("Edit14")->text(), QStringLiteral("Les Misérables"));
    QCOMPARE(page2.findChild<QDateEdit *>("DateTimePicker2")->date(), QDate(2025, 7, 14));
    QCOMPARE(page2.findChild<QSpinBox *>("SpinEdit7")->value(), 1862);
    QCOMPARE(page2.findChild<QPlainTextEdit *>("Memo5")->toPlainText(), QStringLiteral("Tome 1\nMemo6 en tête"));
    QCOMPARE(page2.findChild<QPlainTextEdit *>("Memo6")->toPlainText(), QStringLiteral("Reliure abîmée"));
    QVERIFY(page2.save(doc(), false));
    QCOMPARE(TestFiles::readBytes(olv()), TestFiles::crlf(expected));
}

void TestBookPage::emptyYearKeepsTheYearShownBefore()
{
    open(block(0, book("A", "Avec année", "1980", "Bon")) + block(1, book("B", "Sans année", "", "Neuf")));
    QCOMPARE(w<QSpinBox>("SpinEdit7")->value(), 1980);
    m_page->suivant();
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QStringLiteral("Sans année"));
    QCOMPARE(w<QComboBox>("ComboBox8")->currentText(), QStringLiteral("Neuf"));
    QCOMPARE(w<QSpinBox>("SpinEdit7")->value(), 1980);
    QVERIFY(m_t->ui.messages().isEmpty());
}

void TestBookPage::spinFieldsKeepThePreviousBooksValues()
{
    open(block(0, book("A", "Un", "1971", "Bon")));
    m_page->AjoutLivre();
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QString());
    QCOMPARE(w<QComboBox>("ComboBox8")->currentText(), QString());
    QCOMPARE(w<QDateEdit>("DateTimePicker2")->date(), QDate(2026, 2, 28));
    QCOMPARE(w<QSpinBox>("SpinEdit6")->value(), 3);
    QCOMPARE(w<QSpinBox>("SpinEdit7")->value(), 1971);
}

void TestBookPage::addWithFewerThanTenLinesMakesRecordOne()
{
    m_page->AjoutLivre();
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(m_page->recordCount(), 2);
    QCOMPARE(m_t->window->focusWidget(), w<QLineEdit>("Edit13"));
    typeText(w<QLineEdit>("Edit14"), QStringLiteral("Premier livre"));
    m_page->save(doc(), false);
    QVERIFY(TestFiles::readBytes(olv()).startsWith("<BLOC0001>\r\n"));
}

void TestBookPage::lastReachesTheLastBook()
{
    open(block(0, book("A", "Un", "1", "Bon")) + block(1, book("B", "Deux", "2", "Bon"))
         + block(2, book("C", "Trois", "3", "Bon")));
    m_page->dernier();
    QCOMPARE(m_page->currentRecord(), 2);
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QStringLiteral("Trois"));
    QTest::keyClick(w<QLineEdit>("Edit15"), Qt::Key_PageUp);
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QStringLiteral("Deux"));
}

void TestBookPage::unreadableMarkIsReportedOnce()
{
    QStringList body = book("A", "Note illisible", "1999", "Bon");
    body[2] = QStringLiteral("***");
    body << QStringLiteral("Memo5description");
    const QStringList lines = block(0, body);
    open(lines);
    QCOMPARE(m_t->ui.messages().size(), 1);
    QVERIFY(m_t->ui.lastMessage().contains(QStringLiteral("« *** » n'est pas un nombre entier (champ « Note »)")));
    QCOMPARE(w<QLineEdit>("Edit13")->text(), QStringLiteral("A"));
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QString());
    QVERIFY(m_page->save(doc(), false));
    QCOMPARE(TestFiles::readBytes(olv()), TestFiles::crlf(lines));
}

void TestBookPage::typedConditionIsStoredAsTyped()
{
    typeText(w<QComboBox>("ComboBox8")->lineEdit(), QStringLiteral("Dédicacé"));
    m_page->save(doc(), false);
    QCOMPARE(TextFile::splitLines(TestFiles::readBytes(olv())).value(10), QStringLiteral("Dédicacé"));
    QCOMPARE(w<QComboBox>("ComboBox8")->count(), 5); // the typed text is not added to the items
}

void TestBookPage::bookWithoutEndMarkerIsRewrittenAlone()
{
    // The end marker of book 0 is missing; the user keeps the file as it is.
    QStringList lines = block(0, book("A", "Ouvert", "1990", "Bon"));
    lines.removeLast();
    lines << QStringLiteral("Memo5fin du livre 0") << block(1, book("B", "Fermé", "1991", "Neuf"));
    m_t->ui.answer(QMessageBox::No);
    open(lines);
    QCOMPARE(m_t->ui.messages().size(), 1);
    QCOMPARE(m_page->recordCount(), 2);
    QCOMPARE(w<QPlainTextEdit>("Memo5")->toPlainText(), QStringLiteral("fin du livre 0"));
    QTest::keyClick(w<QLineEdit>("Edit14"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit14"), QStringLiteral(" !"));
    m_page->suivant();
    QCOMPARE(w<QLineEdit>("Edit14")->text(), QStringLiteral("Fermé"));
    m_page->save(doc(), false);
    QStringList first = block(0, book("A", "Ouvert !", "1990", "Bon"));
    first.insert(11, QStringLiteral("Memo5fin du livre 0"));
    QCOMPARE(TestFiles::readBytes(olv()), TestFiles::crlf(block(1, book("B", "Fermé", "1991", "Neuf")) + first));
}

void TestBookPage::flagsOfAnEdit_data()
{
    // Any change marks the book; a key typed in a text field or memo marks
    // the document too, the others mark it when the book is written back.
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("documentMarked");
    QTest::newRow("code") << "Edit13" << true;
    QTest::newRow("country") << "Edit17" << true;
    QTest::newRow("description") << "Memo5" << true;
    QTest::newRow("comments") << "Memo6" << true;
    QTest::newRow("date") << "DateTimePicker2" << false;
    QTest::newRow("mark") << "SpinEdit6" << false;
    QTest::newRow("year") << "SpinEdit7" << false;
    QTest::newRow("category") << "ComboBox7" << false;
    QTest::newRow("condition") << "ComboBox8" << false;
}

void TestBookPage::flagsOfAnEdit()
{
    QFETCH(QString, field);
    QFETCH(bool, documentMarked);
    const QStringList first = block(0, book("A", "Un", "1971", "Bon"));
    open(first + block(1, book("B", "Deux", "1972", "Neuf")));
    QVERIFY(!m_t->context.document().modified);
    QWidget *control = m_page->findChild<QWidget *>(field);
    QVERIFY(control);
    if (auto *box = qobject_cast<QComboBox *>(control))
        control = box->lineEdit();
    control->setFocus();
    if (qobject_cast<QSpinBox *>(control) || qobject_cast<QDateEdit *>(control))
        QTest::keyClick(control, Qt::Key_Up);
    else
        QTest::keyClick(control, Qt::Key_X);
    QVERIFY(m_page->recordChanged());
    QCOMPARE(m_t->context.document().modified, documentMarked);
    // Leaving the book writes it back, and the document is marked now.
    m_page->suivant();
    QVERIFY(m_t->context.document().modified);
    QCOMPARE(m_page->lines().value(12), QStringLiteral("<BLOC0000>"));
    QVERIFY(m_page->lines().mid(12) != first);
}

QTEST_MAIN(TestBookPage)
#include "test_book_page.moc"

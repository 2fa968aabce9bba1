// The three record sections inside the document window: document set load
// and save, section switching, Page Down in a field, the remembered lists.
#include "ScriptedUiServices.h"
#include "Fixtures.h"
#include "app/TChild.h"
#include "collections/BookPage.h"
#include "collections/ReimbursementPage.h"
#include "collections/VideoPage.h"
#include "common/Clock.h"
#include "common/TextFile.h"
#include "test_records_support.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList film(const QString &title)
{
    return {"V", "01/01/2000", "1", title, "", "", "", "", "1999", "90", "", "96", "", "96", ""};
}

QStringList book(const QString &title)
{
    return {"L", "01/01/2000", "1", title, "", "", "", "Roman", "1999", "Bon"};
}

} // namespace

class TestRecordsWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void documentSetLoadsAndSavesTheThreeSections();
    void switchingSectionWritesTheRecordShown();
    void pageDownInAFieldStepsOneRecord();
    void rememberedListsFillTheBoxesWithoutTouchingTheRecord();
    void newDocumentShowsTheFormDefaults();
    void addDeleteSaveAndReload_data();
    void addDeleteSaveAndReload();
    void editNotYetWrittenIsFoundBeforeTheCloseQuery_data();
    void editNotYetWrittenIsFoundBeforeTheCloseQuery();

private:
    QString doc() const { return m_dir->filePath(QStringLiteral("maison.orz")); }
    template<typename T> T *w(int page, const char *name)
    {
        return m_child->page(page)->findChild<T *>(QLatin1String(name));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedUiServices m_ui;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 11), QTime(9, 0))};
    std::unique_ptr<TChild> m_child;
};

void TestRecordsWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_ui.clear();
    m_child = std::make_unique<TChild>(m_ui, m_clock, m_dir->path());
}

void TestRecordsWindow::cleanup()
{
    m_child.reset();
    m_dir.reset();
}

void TestRecordsWindow::documentSetLoadsAndSavesTheThreeSections()
{
    const QString base = m_dir->filePath(QStringLiteral("maison"));
    const QByteArray ovd = TestFiles::crlf(block(0, film("Un film")) + block(1, film("Deux films")));
    const QByteArray olv = TestFiles::crlf(block(0, book("Très mauvais livre")));
    const QByteArray osc = TestFiles::crlf(block(0, {"Anne", "02/01/2026", "Dr Martin", "40", "", "", "03/01/2026",
                                                     "10", "", "20", ""}));
    TestFiles::writeBytes(base + ".ovd", ovd);
    TestFiles::writeBytes(base + ".olv", olv);
    TestFiles::writeBytes(base + ".osc", osc);
    m_child->activate();
    m_child->Charge(doc());
    QVERIFY(!m_child->TestModif());
    m_child->Section(7);
    QCOMPARE(w<QLineEdit>(7, "Edit9")->text(), QStringLiteral("Un film"));
    m_child->Section(9);
    QCOMPARE(w<QLineEdit>(9, "Edit14")->text(), QStringLiteral("Très mauvais livre"));
    m_child->Section(10);
    QCOMPARE(w<QLabel>(10, "Label75")->text(), QStringLiteral("30,00"));
    QCOMPARE(w<QLabel>(10, "Label76")->text(), QStringLiteral("75,00 %"));
    m_child->Suivant();
    m_child->Dernier();
    QVERIFY(!m_child->TestModif());
    // Saved without a change, the three files come back byte for byte.
    QVERIFY(m_child->Sauve(doc()));
    QCOMPARE(TestFiles::readBytes(base + ".ovd"), ovd);
    QCOMPARE(TestFiles::readBytes(base + ".olv"), olv);
    QCOMPARE(TestFiles::readBytes(base + ".osc"), osc);
    // Only the week planner's word about the missing organiser file.
    const QStringList messages = m_ui.messages();
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages.first().endsWith(QStringLiteral(" n'existe pas")), qPrintable(messages.first()));
}

void TestRecordsWindow::switchingSectionWritesTheRecordShown()
{
    m_child->activate();
    m_child->Section(9);
    typeText(w<QLineEdit>(9, "Edit14"), QStringLiteral("Écrit en partant"));
    QVERIFY(m_child->TestModif());
    m_child->Section(1);
    auto *books = static_cast<BookPage *>(m_child->page(9));
    QCOMPARE(books->lines().value(4), QStringLiteral("Écrit en partant"));
    m_child->Section(9);
    QCOMPARE(w<QLineEdit>(9, "Edit14")->text(), QStringLiteral("Écrit en partant"));
}

void TestRecordsWindow::pageDownInAFieldStepsOneRecord()
{
    TestFiles::writeBytes(m_dir->filePath(QStringLiteral("maison.ovd")),
                          TestFiles::crlf(block(0, film("Un")) + block(1, film("Deux")) + block(2, film("Trois"))));
    m_child->activate();
    m_child->Charge(doc());
    m_child->Section(7);
    auto *videos = static_cast<VideoPage *>(m_child->page(7));
    QTest::keyClick(w<QSpinBox>(7, "SpinEdit3"), Qt::Key_PageDown);
    QCOMPARE(videos->currentRecord(), 1);
    QCOMPARE(w<QSpinBox>(7, "SpinEdit3")->value(), 90);
    QTest::keyClick(w<QLineEdit>(7, "Edit9"), Qt::Key_PageDown);
    QCOMPARE(videos->currentRecord(), 2);
    QTest::keyClick(w<QComboBox>(7, "ComboBox3")->lineEdit(), Qt::Key_PageUp);
    QCOMPARE(videos->currentRecord(), 1);
    QCOMPARE(w<QLineEdit>(7, "Edit9")->text(), QStringLiteral("Deux"));
}

void TestRecordsWindow::rememberedListsFillTheBoxesWithoutTouchingTheRecord()
{
    TestFiles::writeBytes(m_dir->filePath(QStringLiteral("Tivarel.cbx")),
                          TestFiles::crlf({"Combo3Western", "Combo3Drame", "Combo7Roman", "Combo9Dr Martin"}));
    m_child->activate();
    m_child->Section(7);
    auto *category = w<QComboBox>(7, "ComboBox3");
    QVERIFY(category);
    QCOMPARE(category->count(), 2);
    QCOMPARE(category->currentText(), QString());
    QVERIFY(category->isEditable());
    QCOMPARE(w<QComboBox>(9, "ComboBox8")->count(), 5);
    QVERIFY(!m_child->TestModif());
    // The boxes still belong to the document window's lists.
    QCOMPARE(m_child->comboBox(9), w<QComboBox>(10, "ComboBox9"));
}

void TestRecordsWindow::newDocumentShowsTheFormDefaults()
{
    TestFiles::writeBytes(m_dir->filePath(QStringLiteral("maison.ovd")), TestFiles::crlf(block(0, film("Un"))));
    TestFiles::writeBytes(m_dir->filePath(QStringLiteral("maison.osc")),
                          TestFiles::crlf(block(0, {"A", "", "", "40", "", "", "", "10", "", "20", ""})));
    m_child->activate();
    m_child->Charge(doc());
    m_child->Section(10);
    QCOMPARE(w<QLabel>(10, "Label75")->text(), QStringLiteral("30,00"));
    m_child->Section(7);
    QCOMPARE(w<QSpinBox>(7, "SpinEdit2")->value(), 1999);
    m_child->Nouveau();
    QCOMPARE(w<QLineEdit>(7, "Edit9")->text(), QString());
    QCOMPARE(w<QSpinBox>(7, "SpinEdit2")->value(), 2000);
    QCOMPARE(w<QSpinBox>(7, "SpinEdit3")->value(), 60);
    QCOMPARE(w<QLabel>(10, "Label75")->text(), QStringLiteral("0,00"));
    QCOMPARE(w<QLabel>(10, "Label76")->text(), QStringLiteral("0,00 %"));
    QVERIFY(!m_child->TestModif());
}

void TestRecordsWindow::addDeleteSaveAndReload_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("first"); // the first field of the page
    QTest::newRow("videos") << 7 << ".ovd" << "Edit8";
    QTest::newRow("books") << 9 << ".olv" << "Edit13";
    QTest::newRow("reimbursements") << 10 << ".osc" << "Edit18";
}

void TestRecordsWindow::addDeleteSaveAndReload()
{
    QFETCH(int, page);
    QFETCH(QString, extension);
    QFETCH(QString, first);
    // A record whose first line is `key`, the rest as the section writes it.
    auto record = [page](const QString &key) {
        QStringList body = page == 7 ? film(QStringLiteral("Titre")) : page == 9 ? book(QStringLiteral("Titre"))
                                                                                   : QStringList{"", "02/01/2026", "",
                                                                                                 "40", "", "",
                                                                                                 "03/01/2026", "10",
                                                                                                 "04/01/2026", "20",
                                                                                                 "05/01/2026"};
        body[0] = key;
        return body;
    };
    const QString file = m_dir->filePath(QStringLiteral("maison") + extension);
    TestFiles::writeBytes(file, TestFiles::crlf(block(0, record("A")) + block(1, record("B"))));
    m_child->activate();
    m_child->Charge(doc());
    m_child->Section(page);
    auto edit = [this, page, &first] { return w<QLineEdit>(page, qPrintable(first)); };
    QCOMPARE(edit()->text(), QStringLiteral("A"));
    m_child->Suivant();
    QCOMPARE(edit()->text(), QStringLiteral("B"));
    m_child->Ajout();
    QCOMPARE(edit()->text(), QString());
    QCOMPARE(m_child->page(page)->focusWidget(), edit());
    typeText(edit(), QStringLiteral("C"));
    m_child->Precedent(); // the new record is written
    QCOMPARE(edit()->text(), QStringLiteral("B"));
    m_child->Supprime(); // B goes, C takes its number and shows
    QCOMPARE(edit()->text(), QStringLiteral("C"));
    QVERIFY(m_child->TestModif());
    QVERIFY(m_child->Sauve(doc()));
    QVERIFY(!m_child->TestModif());

    TChild again(m_ui, m_clock, m_dir->path());
    again.activate();
    again.Charge(doc());
    again.Section(page);
    auto *edit2 = again.page(page)->findChild<QLineEdit *>(first);
    QCOMPARE(edit2->text(), QStringLiteral("A"));
    again.Dernier();
    QCOMPARE(edit2->text(), QStringLiteral("C"));
    again.Suivant();
    QCOMPARE(edit2->text(), QStringLiteral("C"));
    QVERIFY(!again.TestModif());
    const QStringList lines = TextFile::splitLines(TestFiles::readBytes(file));
    QCOMPARE(lines.count(QStringLiteral("<BLOC0000>")), 1);
    QCOMPARE(lines.count(QStringLiteral("<BLOC0001>")), 1);
    QVERIFY(!lines.contains(QStringLiteral("<BLOC0002>")));
}

void TestRecordsWindow::editNotYetWrittenIsFoundBeforeTheCloseQuery_data()
{
    // Changes that mark only the record: the document is marked once the
    // record is written back, which the close query does first.
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("field");
    QTest::newRow("film year") << 7 << "SpinEdit2";
    QTest::newRow("film date") << 7 << "DateTimePicker1";
    QTest::newRow("book condition") << 9 << "ComboBox8";
    QTest::newRow("reimbursement patient") << 10 << "Edit18";
    QTest::newRow("reimbursement fees") << 10 << "Edit19";
}

void TestRecordsWindow::editNotYetWrittenIsFoundBeforeTheCloseQuery()
{
    QFETCH(int, page);
    QFETCH(QString, field);
    m_child->activate();
    m_child->Charge(doc());
    m_child->Section(page);
    QVERIFY(!m_child->TestModif());
    QWidget *control = m_child->page(page)->findChild<QWidget *>(field);
    QVERIFY(control);
    if (auto *box = qobject_cast<QComboBox *>(control))
        control = box->lineEdit();
    control->setFocus();
    QTest::keyClick(control, Qt::Key_Up);
    QTest::keyClick(control, Qt::Key_1);
    QVERIFY(!m_child->TestModif());
    m_child->writeBackAll();
    QVERIFY(m_child->TestModif());
    QVERIFY(m_child->Sauve(doc()));
    const QString ext = page == 7 ? QStringLiteral(".ovd") : page == 9 ? QStringLiteral(".olv") : QStringLiteral(".osc");
    QVERIFY(TestFiles::readBytes(m_dir->filePath(QStringLiteral("maison") + ext)).startsWith("<BLOC0000>\r\n"));
}

QTEST_MAIN(TestRecordsWindow)
#include "test_records_window.moc"

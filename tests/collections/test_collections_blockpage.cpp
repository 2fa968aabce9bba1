// The block-file section pages as the document window drives them: load with
// the check's questions and messages, duplicate removal, save byte for byte,
// navigation, add and delete. The shopping page, and the plain engine page set
// up as the video, book and reimbursement sections (their records kept as
// read, whatever their fields).

#include "Fixtures.h"
#include "collections/PlainBlockPage.h"
#include "collections/ShoppingPage.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QStringList block(int n, const QStringList &body = {})
{
    QStringList l{BlockFile::startMarker(n)};
    l += body;
    l << BlockFile::endMarker(n);
    return l;
}

std::unique_ptr<BlockSectionPage> makePage(int section, TestContext &t)
{
    if (section == 8)
        return std::make_unique<ShoppingPage>(t.context, t.window.get());
    return std::make_unique<PlainBlockPage>(t.context, section, t.window.get());
}

const char *extension(int section)
{
    return section == 7 ? ".ovd" : section == 8 ? ".oco" : section == 9 ? ".olv" : ".osc";
}

} // namespace

class TestBlockPage : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void soundFileSavesBackByteForByte_data();
    void soundFileSavesBackByteForByte();
    void unbalancedFile_data();
    void unbalancedFile();
    void shoppingDuplicatesRemovedAtLoad();
    void missingFileLeavesSection();
    void emptySectionSavesEmptyFile();
    void squeezeBeforeSave_data();
    void squeezeBeforeSave();
    void navigation();
    void gapInNumbersReadsEmpty();
    void addRestartsCountOnSmallList_data();
    void addRestartsCountOnSmallList();
    void deleteRenumbers_data();
    void deleteRenumbers();
    void failedWriteIsToldAndKeepsFile();

private:
    QString doc() const { return m_dir->filePath("maison.orz"); }
    QString file(int section) const { return m_dir->filePath(QString("maison") + extension(section)); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestBlockPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestBlockPage::soundFileSavesBackByteForByte_data()
{
    QTest::addColumn<int>("section");
    QTest::newRow("videos") << 7;
    QTest::newRow("shopping") << 8;
    QTest::newRow("books") << 9;
    QTest::newRow("reimbursements") << 10;
}

void TestBlockPage::soundFileSavesBackByteForByte()
{
    QFETCH(int, section);
    // Blocks out of order, a stray blank line between them, accents and LF
    // line ends in the input; the output is CR LF.
    const QByteArray input = "<BLOC0001>\nTrès mauvais\xE9\n</BLOC0001>\n \n<BLOC0000>\r\nA\r\n</BLOC0000>";
    TestFiles::writeBytes(file(section), input);
    TestContext t;
    auto page = makePage(section, t);
    page->load(doc());
    QVERIFY(t.ui.messages().isEmpty());
    QCOMPARE(page->recordCount(), 2);
    QVERIFY(page->save(doc(), false));
    QByteArray expected = input;
    expected.replace("\r\n", "\n").replace("\n", "\r\n");
    expected += "\r\n";
    QCOMPARE(TestFiles::readBytes(file(section)), expected);
    QVERIFY(!t.context.document().modified);
}

void TestBlockPage::unbalancedFile_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("repaired");
    const QString ask = QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données ?");
    QTest::newRow("videos yes") << 7 << int(QMessageBox::Yes) << ask << true;
    QTest::newRow("videos no") << 7 << int(QMessageBox::No) << ask << false;
    QTest::newRow("books yes") << 9 << int(QMessageBox::Yes) << ask << true;
    QTest::newRow("reimbursements no") << 10 << int(QMessageBox::No) << ask << false;
    QTest::newRow("shopping always repairs")
        << 8 << int(QMessageBox::Ok) << QStringLiteral("Un fichier a été altéré. Vérifier si pertes de données")
        << true;
}

void TestBlockPage::unbalancedFile()
{
    QFETCH(int, section);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(bool, repaired);
    // Blocks 0, 1 and 3 and a stray end marker.
    const QStringList lines = block(0, {"a"}) + block(1, {"b"}) + QStringList{"x"} + block(3, {"d"})
                              + QStringList{"</BLOC0009>"};
    TestFiles::writeBytes(file(section), TestFiles::crlf(lines));
    TestContext t;
    t.ui.answer(QMessageBox::StandardButton(answer));
    auto page = makePage(section, t);
    page->load(doc());
    QCOMPARE(t.ui.messages(), QStringList{message});
    QCOMPARE(t.ui.shown().first().buttons,
             section == 8 ? QMessageBox::StandardButtons(QMessageBox::Ok) : QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(t.ui.shown().first().icon, UiServices::Icon::Warning);
    QCOMPARE(page->recordCount(), repaired ? 2 : 3);
    QCOMPARE(page->lines(), repaired ? block(0, {"a"}) + block(1, {"b"}) : lines);
    QCOMPARE(t.context.document().modified, repaired);
}

void TestBlockPage::shoppingDuplicatesRemovedAtLoad()
{
    TestFiles::writeBytes(file(8), TestFiles::crlf(block(0, {"01/01/2026", "X"}) + block(1, {"02/01/2026", "Y"})
                                                   + block(0, {"03/01/2026", "Z"})));
    TestContext t;
    ShoppingPage page(t.context, t.window.get());
    page.load(doc());
    QVERIFY(t.ui.messages().isEmpty());
    QCOMPARE(page.recordCount(), 3);
    QCOMPARE(page.lines(), block(1, {"02/01/2026", "Y"}) + block(0, {"03/01/2026", "Z"}));
}

void TestBlockPage::missingFileLeavesSection()
{
    const QStringList lines = block(0, {"a"}) + block(1, {"b"});
    TestFiles::writeBytes(file(7), TestFiles::crlf(lines));
    TestContext t;
    PlainBlockPage page(t.context, 7, t.window.get());
    page.load(doc());
    QCOMPARE(page.lines(), lines);
    page.blockFile().setRecordCount(5); // records added since, never written
    page.dernier();
    QCOMPARE(page.currentRecord(), 4);
    // The lines stay; the count follows their start markers and the first
    // record shows, as after any load.
    page.load(m_dir->filePath("autre.orz"));
    QCOMPARE(page.lines(), lines);
    QCOMPARE(page.recordCount(), 2);
    QCOMPARE(page.currentRecord(), 0);
    QVERIFY(t.ui.messages().isEmpty());
}

void TestBlockPage::emptySectionSavesEmptyFile()
{
    TestContext t;
    PlainBlockPage page(t.context, 9, t.window.get());
    QVERIFY(page.save(doc(), false));
    QVERIFY(QFile::exists(file(9)));
    QCOMPARE(TestFiles::readBytes(file(9)), QByteArray());
}

void TestBlockPage::squeezeBeforeSave_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("squeezed");
    QTest::newRow("videos squeezed") << 7 << true;
    QTest::newRow("shopping as it stands") << 8 << false;
    QTest::newRow("reimbursements squeezed") << 10 << true;
}

void TestBlockPage::squeezeBeforeSave()
{
    QFETCH(int, section);
    QFETCH(bool, squeezed);
    const QStringList lines = QStringList{" ", ""} + block(0, {"a"});
    TestFiles::writeBytes(file(section), TestFiles::crlf(lines));
    TestContext t;
    auto page = makePage(section, t);
    page->load(doc());
    QVERIFY(page->save(doc(), false));
    QCOMPARE(TestFiles::readBytes(file(section)), TestFiles::crlf(squeezed ? block(0, {"a"}) : lines));
}

void TestBlockPage::navigation()
{
    TestFiles::writeBytes(file(9), TestFiles::crlf(block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"})));
    TestContext t;
    PlainBlockPage page(t.context, 9, t.window.get());
    page.load(doc());
    QCOMPARE(page.currentRecord(), 0);
    page.precedent();
    QCOMPARE(page.currentRecord(), 0);
    page.dernier();
    QCOMPARE(page.currentRecord(), 2);
    page.suivant();
    QCOMPARE(page.currentRecord(), 2);
    page.precedent();
    QCOMPARE(page.currentRecord(), 1);
    page.premier();
    QCOMPARE(page.currentRecord(), 0);
    // Moving around an unchanged section changes nothing.
    QCOMPARE(page.lines(), block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"}));
    QVERIFY(!t.context.document().modified);
}

void TestBlockPage::gapInNumbersReadsEmpty()
{
    // Blocks 0 and 2 only: the file is balanced, so it passes the check; the
    // count of 2 reaches records 0 and 1, and record 1 reads empty.
    const QStringList lines = block(0, {"a"}) + block(2, {"c"});
    TestFiles::writeBytes(file(9), TestFiles::crlf(lines));
    TestContext t;
    PlainBlockPage page(t.context, 9, t.window.get());
    page.load(doc());
    QVERIFY(t.ui.messages().isEmpty());
    QCOMPARE(page.recordCount(), 2);
    page.dernier();
    QCOMPARE(page.currentRecord(), 1);
    QCOMPARE(page.findChild<QPlainTextEdit *>()->toPlainText(), QString());
    page.suivant();
    QCOMPARE(page.currentRecord(), 1);
    QCOMPARE(page.lines(), lines);
    QVERIFY(!t.context.document().modified);
}

void TestBlockPage::addRestartsCountOnSmallList_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::newRow("videos: new film is record 1") << 7 << 1 << 2;
    QTest::newRow("shopping: new list is record 0") << 8 << 0 << 1;
    QTest::newRow("reimbursements") << 10 << 1 << 2;
}

void TestBlockPage::addRestartsCountOnSmallList()
{
    QFETCH(int, section);
    QFETCH(int, current);
    QFETCH(int, count);
    TestContext t;
    auto page = makePage(section, t);
    page->ajout();
    QCOMPARE(page->currentRecord(), current);
    QCOMPARE(page->recordCount(), count);
}

void TestBlockPage::deleteRenumbers_data()
{
    QTest::addColumn<int>("section");
    QTest::addColumn<bool>("changed"); // the record shown after the delete counts as changed
    QTest::newRow("videos") << 7 << true;
    QTest::newRow("shopping: record-changed flag left clear") << 8 << false;
}

void TestBlockPage::deleteRenumbers()
{
    QFETCH(int, section);
    QFETCH(bool, changed);
    TestFiles::writeBytes(file(section), TestFiles::crlf(block(0, {"a"}) + block(1, {"b"}) + block(2, {"c"})));
    TestContext t;
    auto page = makePage(section, t);
    page->load(doc());
    page->blockFile().setCurrent(1);
    page->readRecord();
    page->supprime();
    QCOMPARE(page->recordCount(), 2);
    QCOMPARE(page->currentRecord(), 1);
    QCOMPARE(page->recordChanged(), changed);
    QVERIFY(t.context.document().modified);
    QVERIFY(page->save(doc(), false));
    QCOMPARE(TestFiles::readBytes(file(section)), TestFiles::crlf(block(0, {"a"}) + block(1, {"c"})));
}

void TestBlockPage::failedWriteIsToldAndKeepsFile()
{
    TestContext t;
    PlainBlockPage page(t.context, 7, t.window.get());
    const QString missingFolder = m_dir->filePath("absent/maison.orz");
    QVERIFY(!page.save(missingFolder, false));
    QCOMPARE(t.ui.messages().size(), 1);
}

QTEST_MAIN(TestBlockPage)
#include "test_collections_blockpage.moc"

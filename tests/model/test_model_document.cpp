#include "TestFiles.h"
#include "common/SaveBatch.h"
#include "model/DocumentModel.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a load or save told and asked, in order; questions answered Yes.
struct Recorded final : Notices
{
    QStringList told;
    void tell(const QString &text, Kind) override { told << text; }
    bool ask(const QString &text) override
    {
        told << text;
        return true;
    }
};

bool save(DocumentModel &model, Notices &notices, const QString &path, bool force)
{
    SaveBatch batch;
    const bool ok = model.save(path, force, batch, notices);
    return batch.commit() && ok;
}

} // namespace

// The document set loaded and saved without a window, as the command line
// and the recovery copy do.
class TestModelDocument : public QObject
{
    Q_OBJECT

private slots:
    // Every file of a set written by the older program comes back byte for
    // byte when the set is saved under another name.
    void roundTrip()
    {
        QTemporaryDir dir;
        const auto files = TestFiles::writeSampleSet(dir.path(), QStringLiteral("maison"));
        DocumentModel model;
        Recorded notices;
        model.reset(QDate(2026, 1, 5));
        model.load(dir.filePath("maison.orz"), QDate(2026, 1, 5), notices);
        QVERIFY2(notices.told.isEmpty(), qPrintable(notices.told.join(u'\n')));
        QCOMPARE(model.document().caption, QString("maison.orz"));
        QVERIFY(!model.document().modified);
        QVERIFY(save(model, notices, dir.filePath("copie.orz"), true));
        for (auto it = files.cbegin(); it != files.cend(); ++it)
            QCOMPARE(TestFiles::readBytes(dir.filePath("copie" + QFileInfo(it.key()).completeSuffix().prepend('.'))),
                     it.value());
    }

    // Another set opened: what the first had and the second has no file for
    // stays, except the to-do lists; a shopping file found damaged is told.
    // A new document keeps nothing.
    void secondSet()
    {
        QTemporaryDir dir;
        TestFiles::writeSampleSet(dir.path(), QStringLiteral("maison"));
        TestFiles::writeBytes(dir.filePath("autre.orz"), "");
        // Two copies of record 0, record 1 unclosed.
        TestFiles::writeBytes(dir.filePath("autre.oco"), TestFiles::crlf({"<BLOC0000>", "</BLOC0000>", "<BLOC0000>",
                                                                          "</BLOC0000>", "<BLOC0001>"}));
        TestFiles::writeBytes(dir.filePath("autre.ocn"), TestFiles::crlf({" ", "A100Dupont\t"}));
        DocumentModel model;
        Recorded notices;
        model.reset(QDate(2026, 1, 5));
        model.load(dir.filePath("maison.orz"), QDate(2026, 1, 5), notices);
        model.load(dir.filePath("autre.orz"), QDate(2026, 1, 5), notices);
        QCOMPARE(notices.told, QStringList{"Un fichier a été altéré. Vérifier si pertes de données"});
        QCOMPARE(model.todo().toLines(), DocumentModel().todo().toLines());
        QCOMPARE(model.blocks(SectionId::Album).lines(), TestFiles::block(0, {"TITLE Vacances", "PICTURE "}));
        model.reset(QDate(2026, 1, 5));
        QCOMPARE(model.addresses().lines() + model.blocks(SectionId::Album).lines(),
                 DocumentModel().addresses().lines());
    }

    // Tivarel.cbx: the remembered lists behind the drop-down boxes.
    void rememberedLists()
    {
        const QString longItem(300, u'x');
        const QStringList lines = {
            "Combo3Western",     "Combo8Neuf",    "Comb",          "",      "Combo1Loyer", "ComboAPharmacie du Port",
            "Combo3" + longItem, "XXXXXXunknown", "Solde21500,00", "Combo9"};
        // Read into the boxes' lists and written back in the order of the
        // tags, extra lists last; unknown tags and damaged lines left out.
        DocumentModel model;
        model.readNamedLists(lines);
        QCOMPARE(model.namedListLines(), (QStringList{"Combo1Loyer", "Combo3Western", "Combo3" + longItem, "Combo9",
                                                      "ComboAPharmacie du Port", "Solde21500,00"}));
    }

    void unreadableFileIsKept_data()
    {
        QTest::addColumn<int>("section");
        QTest::newRow("address book") << 2;
        QTest::newRow("birthdays") << 3;
        QTest::newRow("to-do") << 4;
        QTest::newRow("budget") << 5;
        QTest::newRow("videos") << 7;
    }
    void unreadableFileIsKept()
    {
        // A section file that is there but cannot be read (here a folder in
        // its place) is told on opening and never replaced by a save under
        // the same name; saving under another name writes the new file.
        QFETCH(int, section);
        QTemporaryDir dir;
        const QString doc = dir.filePath("maison.orz"), other = dir.filePath("autre.orz");
        const QString file = DocumentModel::fileName(doc, SectionId(section));
        TestFiles::writeBytes(doc, "");
        QVERIFY(QDir().mkpath(file));
        DocumentModel model;
        Recorded notices;
        model.reset(QDate(2026, 1, 5));
        model.load(doc, QDate(2026, 1, 5), notices);
        QCOMPARE(notices.told.size(), 1);
        QVERIFY(model.unreadable(doc, SectionId(section)));
        QVERIFY(!save(model, notices, doc, true));
        QVERIFY(notices.told.last().contains("n'a pas pu être lu") && QFileInfo(file).isDir());
        QVERIFY(save(model, notices, other, true));
        QVERIFY(QFileInfo(DocumentModel::fileName(other, SectionId(section))).isFile());
    }
};

QTEST_GUILESS_MAIN(TestModelDocument)
#include "test_model_document.moc"

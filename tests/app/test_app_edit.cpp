#include "Fixtures.h"
#include "agenda/DayList.h"
#include "collections/BlockSectionPage.h"

#include <QClipboard>

// The "Ediiton" commands through the document window on Wednesday 11 March 2026. A step is "sN" (select
// the first item of day list N), "x", "c", "v" (cut, copy, paste), "n", "p" (next, previous), "gN" (section
// N), "?text" ("Rechercher...", the box answers text; "?" alone cancels) or "3" (F3). After each step the
// test notes what shows: the reference date, the address letter or the record number.
// In the tables, "/" separates the lines of a file.

// name | clipboard before | steps | clipboard after | organiser file saved at the end
const char *const kClipboard = R"(
move Monday to Thursday | avant | s1 x s4 v n p | 10:00 Dentiste | 2026031209:00 Courses/2026031210:00 Dentiste
copy with nothing selected | avant | c x | avant | 2026030910:00 Dentiste/2026031209:00 Courses
paste twice in both days |  | s4 c s1 v v | 09:00 Courses | 2026030909:00 Courses/2026030909:00 Courses/2026030910:00 Dentiste/2026031209:00 Courses/2026031209:00 Courses/2026031209:00 Courses
foreign text | Texte\r\nsuite | s4 v | Texte\r\nsuite | 2026030910:00 Dentiste/2026031209:00 Courses/20260312Texte
nothing to paste |  | s1 v |  | 2026030910:00 Dentiste/2026031209:00 Courses)";

// name | section file | its lines | steps | what shows after each step
const char *const kSearch = R"(
dentiste, next, nothing more | orz | 20260316 9:30 DENTISTE/20260320 10:00 RÉUNION/20260402 11:00 dentiste | ?dentiste 3 3 | 16/03/2026 02/04/2026 02/04/2026
only a-z folded | orz | 20260316 9:30 DENTISTE/20260320 10:00 RÉUNION | ?réunion ?RÉUNION | 11/03/2026 20/03/2026
text beginning with z, found in either case | orz | 20260316 9:30 DENTISTE/20260320 10:00 Bazar | ?ZAR | 20/03/2026
text beginning with a digit | orz | 20260316 9:30 DENTISTE/20260320 10:00 12 rue Haute | ?12 | 20/03/2026
cancel empties the text | orz | 20260316 9:30 DENTISTE/20260402 11:00 dentiste | ?dentiste ? 3 | 16/03/2026 16/03/2026 16/03/2026
key that is no date passed over | orz | 2026ab01 dentiste/20261345 dentiste/20260402 11:00 dentiste | ?dentiste 3 | 02/04/2026 02/04/2026
position past a shorter store | ocn | A100Ami/C100Chat/B100Dentiste | g2 ?dentiste g1 3 | <A> <B> 11/03/2026 11/03/2026
F3 goes on in another page | ocn | A100Ami/D100Dentiste | ?dentiste g2 3 | 16/03/2026 <A> <D>
album comment line | oap | <BLOC0000>/TITLE/PICTURE /</BLOC0000>/<BLOC0001>/TITLE/PICTURE /un/au Chalet/</BLOC0001> | g6 ?chalet ?bloc0000 | 0 1 0
two books found, the first shown | olv | <BLOC0000>/Roman/</BLOC0000>/<BLOC0001>/Policier/</BLOC0001>/<BLOC0002>/Policier/</BLOC0002> | g9 ?policier 3 | 0 1 2
damaged marker, stray line, copy | olv | <BLOC0000>/</BLOC0000>/<BLOCxx01>/policier/</BLOCxx01>/<BLOC0001>/Policier/</BLOC0001>/policier/<BLOC0000>/policier/</BLOC0000> | g9 ?policier 3 | 0 1 1)";

class TestAppEdit : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    // One document per row.
    QString path(const QString &ext) { return dir.filePath(QTest::currentDataTag() + ("." + ext)); }
    static void table(const char *rows)
    {
        QTest::addColumn<QStringList>("row");
        for (QString row : QString::fromUtf8(rows).trimmed().split('\n'))
            QTest::newRow(qPrintable(row.section(" | ", 0, 0))) << row.replace("\\r\\n", "\r\n").split(" | ");
    }
    void write(QString ext, QString l) { TestFiles::writeBytes(path(ext), TestFiles::crlf(l.split('/'))); }
    QString run(const QString &steps)
    {
        ChildFixture f(QDateTime(QDate(2026, 3, 11), QTime(9, 0)));
        f.child.Charge(path("orz"));
        QStringList seen;
        for (const QString &step : steps.split(' ')) {
            if (step[0] == '?')
                f.ui.input(step.size() > 1 ? std::optional(step.mid(1)) : std::nullopt);
            if (step[0] == 's')
                f.child.findChild<DayList *>("ListBox" + step.mid(1))->setCurrentRow(0);
            else if (step[0] == 'g')
                f.child.Section(step.mid(1).toInt());
            else
                (f.child
                 .*QList<void (TChild::*)()>{&TChild::Couper, &TChild::Copier, &TChild::Coller, &TChild::Suivant,
                                             &TChild::Precedent, &TChild::Chercher,
                                             &TChild::FindNext}[QString("xcvnp?3").indexOf(step[0])])();
            const int n = f.child.activePage();
            auto *records = qobject_cast<BlockSectionPage *>(f.child.page(SectionId(n)));
            seen << (records  ? QString::number(records->currentRecord())
                     : n == 1 ? f.child.document().referenceDate.toString("dd/MM/yyyy")
                              : f.child.findChild<QWidget *>("Panel8")->property("text").toString());
        }
        f.child.Sauve(path("orz"));
        return seen.join(' ');
    }

private slots:
    void clipboard_data() { table(kClipboard); }
    void clipboard()
    {
        QFETCH(QStringList, row);
        write("orz", "2026030910:00 Dentiste/2026031209:00 Courses");
        QGuiApplication::clipboard()->setText(row[1]);
        run(row[2]);
        QCOMPARE(QGuiApplication::clipboard()->text(), row[3]);
        QCOMPARE(TestFiles::readBytes(path("orz")), TestFiles::crlf(row[4].split('/')));
    }

    void search_data() { table(kSearch); }
    void search()
    {
        QFETCH(QStringList, row);
        write("orz", "20260316 9:30 dentiste");
        write(row[1], row[2]);
        QCOMPARE(run(row[3]), row[4]);
    }
};

QTEST_MAIN(TestAppEdit)
#include "test_app_edit.moc"

// The record pages through the document window: the photo album, films,
// books and reimbursements opened, browsed, edited and saved back byte for
// byte; damaged files, pictures and animations.

#include "Fixtures.h"
#include "app/TChild.h"
#include "collections/AlbumPage.h"
#include "collections/RecordForm.h"
#include "collections/RecordPicture.h"
#include "collections/RecordSectionPage.h"
#include "common/TextFile.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

using TestFiles::block;

QString extension(int page)
{
    return page == 6 ? ".oap" : page == 7 ? ".ovd" : page == 9 ? ".olv" : ".osc";
}

// A plain record of the section whose first field holds `key`.
QStringList plain(int page, const QString &key)
{
    switch (page) {
    case 6: return {"TITLE " + key, "PICTURE "};
    case 7: return {key, "09/03/2024", "4", "Titre", "", "", "", "", "2000", "60", "", "96", "", "96", ""};
    case 9: return {key, "31/12/2025", "3", "Titre", "", "", "", "", "1999", "Bon"};
    default: return {key, "02/01/2026", "Dr Martin", "40", "", "", "03/01/2026", "10", "", "20", ""};
    }
}

QString sample(const char *name)
{
    return QFINDTESTDATA(QStringLiteral("data/") + QLatin1String(name));
}

} // namespace

class TestCollectionsPages : public QObject
{
    Q_OBJECT

private:
    QString doc() const { return m_dir->filePath("maison.orz"); }
    QString file(int page) const { return m_dir->filePath("maison" + extension(page)); }
    template<typename T>
    T *w(int page, const QString &name)
    {
        return TestUi::find<T>(m_child->page(SectionId(page)), name); // null, with a warning naming it
    }
    void open(int page, TChild *child = nullptr)
    {
        child = child ? child : m_child.get();
        child->activate();
        child->Charge(doc());
        child->Section(page);
    }
    // Types a key and takes it back: the record counts as changed.
    static void touch(QWidget *edit)
    {
        QTest::keyClick(edit, Qt::Key_X);
        QTest::keyClick(edit, Qt::Key_Backspace);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    ScriptedUiServices m_ui;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 11), QTime(9, 0))};
    std::unique_ptr<TChild> m_child;

private slots:

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        TestFiles::writeBytes(doc(), " \r\n");
        m_ui.clear();
        m_child = std::make_unique<TChild>(m_ui, m_clock, m_dir->path());
    }

    void cleanup()
    {
        m_child.reset();
        m_dir.reset();
    }

    void recordPages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("first");   // the first field of the page
        QTest::addColumn<QStringList>("odd"); // record B: what an edit elsewhere must keep
        QTest::addColumn<QString>("label");   // a label showing what was read "=" its text

        const QString nbsp(QChar(0xA0));
        QTest::newRow("album") << 6 << "Edit7"
                               << ("TITLE " + QString(40000, u't') + nbsp + "|PICTURE /nulle/part/Photo.JPG|a" + nbsp
                                   + "b|| ||")
                                      .split(u'|')
                               << "Panel20=Image 1";
        QTest::newRow("album, blank comment lines only")
            << 6 << "Edit7" << QStringList{"TITLE ", "PICTURE ", "", "", ""} << "Panel20=Image 1";
        QTest::newRow("films")
            << 7 << "Edit8"
            << ("B|01/01/0050|4|T" + nbsp + "|||||2000|60||96||96||Memo2|Memo3a" + nbsp + "b|Memo3|Memo4 ").split(u'|')
            << "";
        QTest::newRow("books") << 9 << "Edit13" << ("B|01/01/0050|3|T|||||1999|Bon|Memo5|Memo6" + nbsp).split(u'|')
                               << "";
        QTest::newRow("reimbursements")
            << 10 << "Edit18" << ("B" + nbsp + "|01/01/0050|Dr|40|||03/01/2026|10|04/01/2026|20|05/01/2026").split(u'|')
            << "Label75=30,00";
    }

    void recordPages()
    {
        QFETCH(int, page);
        QFETCH(QString, first);
        QFETCH(QStringList, odd);
        QFETCH(QString, label);
        const QStringList recordA = block(0, plain(page, "A"));
        const QByteArray bytes = TestFiles::crlf(recordA + block(1, odd));
        TestFiles::writeBytes(file(page), bytes);
        open(page);
        auto *edit = w<QLineEdit>(page, first);
        QCOMPARE(edit->text(), QStringLiteral("A"));
        if (!label.isEmpty())
            QCOMPARE(w<QLabel>(page, label.section(u'=', 0, 0))->text(), label.section(u'=', 1));

        // Browsed, then edited without a change: the file comes back as it was.
        m_child->Suivant();
        touch(edit);
        m_child->Precedent();
        m_child->Dernier();
        touch(edit);
        QVERIFY(m_child->Sauve(doc()));
        QCOMPARE(TestFiles::readBytes(file(page)), bytes);
        QTest::keyClick(edit, Qt::Key_Z); // a letter typed is a change to save on closing
        m_child->writeBackAll();
        QVERIFY(m_child->TestModif());
        QTest::keyClick(edit, Qt::Key_Backspace);

        // Add C after B, go back, delete B: C takes its number.
        m_child->Ajout();
        QCOMPARE(edit->text(), QString());
        QCOMPARE(m_child->page(SectionId(page))->focusWidget(), edit);
        // Each move (and the add above) writes the record it leaves.
        QTest::keyClicks(edit, "X");
        m_child->Premier();
        m_child->Dernier();
        QCOMPARE(edit->text(), QStringLiteral("X"));
        edit->selectAll();
        QTest::keyClicks(edit, "C");
        m_child->Precedent();
        QCOMPARE(edit->text(), page == 6 ? odd.first().mid(6) : odd.first());
        QString typedB = QString(edit->text()).insert(edit->cursorPosition(), u'x');
        QTest::keyClicks(edit, "x");
        m_child->Dernier();
        QCOMPARE(edit->text(), QStringLiteral("C"));
        m_child->Precedent();
        QCOMPARE(edit->text(), typedB);
        typedB.insert(edit->cursorPosition(), u'y');
        QTest::keyClicks(edit, "y");
        m_child->Suivant();
        m_child->Section(1); // left for another section and back: kept
        m_child->Section(page);
        QCOMPARE(edit->text(), QStringLiteral("C"));
        m_child->Precedent();
        QCOMPARE(edit->text(), typedB);
        m_ui.answer(QMessageBox::Yes);
        m_child->Supprime();
        QCOMPARE(edit->text(), QStringLiteral("C"));
        QVERIFY(m_child->TestModif());
        QVERIFY(m_child->Sauve(doc()));
        QVERIFY(!m_child->TestModif());

        TChild again(m_ui, m_clock, m_dir->path());
        open(page, &again);
        auto *edit2 = again.page(SectionId(page))->findChild<QLineEdit *>(first);
        QCOMPARE(edit2->text(), QStringLiteral("A"));
        again.Dernier();
        QCOMPARE(edit2->text(), QStringLiteral("C"));
        const QStringList lines = TextFile::splitLines(TestFiles::readBytes(file(page)));
        QCOMPARE(lines.mid(lines.indexOf("<BLOC0000>"), recordA.size()), recordA);
        QCOMPARE(lines.filter(QRegularExpression("^<BLOC")), (QStringList{"<BLOC0000>", "<BLOC0001>"}));
        QCOMPARE(lines.count(" "), page == 6 ? 1 : 0); // the album's blank line after an added picture
    }

    // A record added to a section file of a few lines (a new document's)
    // takes the number the count restarts at.
    void recordAddedToANewFile_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("first");
        QTest::addColumn<int>("blank");     // the file's lines, all blank
        QTest::addColumn<QString>("added"); // the new record's marker and first lines
        QTest::newRow("films") << 7 << "Edit8" << 1 << "<BLOC0001>|Nouveau|11/03/2026|0||||||2000|60||96||96|";
        QTest::newRow("books") << 9 << "Edit13" << 1 << "<BLOC0001>|Nouveau|11/03/2026|0||||||2000||</BLOC0001>";
        QTest::newRow("reimbursements")
            << 10 << "Edit18" << 1
            << "<BLOC0001>|Nouveau|11/03/2026|||||11/03/2026||11/03/2026||11/03/2026|</BLOC0001>";
        QTest::newRow("books, ten lines: no new file")
            << 9 << "Edit13" << 10 << "<BLOC0000>|Nouveau|11/03/2026|0||||||2000||</BLOC0000>";
    }
    void recordAddedToANewFile()
    {
        QFETCH(int, page);
        QFETCH(QString, first);
        QFETCH(int, blank);
        QFETCH(QString, added);
        TestFiles::writeBytes(file(page), TestFiles::crlf(QStringList(blank, " ")));
        open(page);
        m_child->Ajout();
        QTest::keyClicks(w<QLineEdit>(page, first), "Nouveau");
        QVERIFY(m_child->Sauve(doc()));
        const QStringList lines = TextFile::splitLines(TestFiles::readBytes(file(page)));
        QCOMPARE(lines.filter(QRegularExpression("^<BLOC")), QStringList{added.section(u'|', 0, 0)});
        QCOMPARE(lines.mid(lines.indexOf(added.section(u'|', 0, 0)), 16).join(u'|'), added); // with the defaults
        m_child->Suivant(); // the only record: nowhere to go
        QCOMPARE(w<QLineEdit>(page, first)->text(), "Nouveau");
    }

    // The results follow the amount paid as soon as Tab leaves it; a letter
    // typed there is dropped, a point becomes the decimal comma.
    void reimbursementFollowsTab()
    {
        TestFiles::writeBytes(file(10), TestFiles::crlf(block(0, plain(10, "A"))));
        open(10);
        m_child->show();
        m_child->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_child.get()));
        auto *paid = w<QLineEdit>(10, "Edit19");
        paid->setFocus();
        paid->selectAll();
        QTest::keyClicks(paid, "6x0.00");
        QCOMPARE(paid->text(), "60,00");
        QTest::keyClick(paid, Qt::Key_Tab);
        QCOMPARE(w<QLabel>(10, "Label75")->text() + u' ' + w<QLabel>(10, "Label76")->text(), "30,00 50,00 %");
    }

    void damagedFile_data()
    {
        // Blocks 0, 1 and 3, a stray line and a stray end marker: the user is
        // asked whether to repair; a repair numbers the blocks 0 to 2 again. A
        // film with an impossible date is told and left alone.
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("answer"); // 0: told, not asked
        QTest::addColumn<QStringList>("saved");
        auto damaged = [](int p, int last) {
            const QStringList ab = block(0, plain(p, "A")) + block(1, plain(p, "B"));
            return last == 3 ? ab + QStringList{"x"} + block(3, plain(p, "D")) + QStringList{"</BLOC0009>"}
                             : ab + block(2, plain(p, "D"));
        };
        QTest::newRow("album, repaired") << 6 << damaged(6, 3) << int(QMessageBox::Yes) << damaged(6, 2);
        QTest::newRow("books, kept") << 9 << damaged(9, 3) << int(QMessageBox::No) << damaged(9, 3);
        QStringList body = plain(7, "C1");
        body[1] = "31/02/2020";
        const QStringList film = block(0, body + QStringList{"Memo2Acteur"}) + block(1, plain(7, "C2"));
        QTest::newRow("film with 31 February, kept") << 7 << film << 0 << film;
    }

    void damagedFile()
    {
        QFETCH(int, page);
        QFETCH(QStringList, lines);
        QFETCH(int, answer);
        TestFiles::writeBytes(file(page), TestFiles::crlf(lines));
        if (answer)
            m_ui.answer(QMessageBox::StandardButton(answer));
        open(page);
        QVERIFY(answer ? m_ui.messages().size() == 1 : !m_ui.messages().isEmpty());
        if (answer)
            QCOMPARE(m_ui.shown().first().buttons, QMessageBox::Yes | QMessageBox::No);
        else // the fields before the damaged one are shown, the others left empty
            QVERIFY2(m_ui.lastMessage().contains("« 31/02/2020 » n'est pas une date")
                         && w<QLineEdit>(7, "Edit8")->text() == "C1"
                         && w<QPlainTextEdit>(7, "Memo2")->toPlainText().isEmpty(),
                     qPrintable(m_ui.lastMessage()));
        QVERIFY(m_child->Sauve(doc()));
        QFETCH(QStringList, saved);
        QCOMPARE(TestFiles::readBytes(file(page)), TestFiles::crlf(saved));
    }

    // Record numbers have four digits: the 10,000th book is the last one.
    // Deleting the first shows the next.
    void lastRecordNumber()
    {
        QStringList lines;
        for (int n = 0; n < BlockFile::MaxRecords - 1; ++n)
            lines += block(n, plain(9, n == 1 ? "y" : "x"));
        TestFiles::writeBytes(file(9), TestFiles::crlf(lines));
        open(9);
        m_child->Ajout();
        QTest::keyClicks(w<QLineEdit>(9, "Edit13"), "Dernier");
        QVERIFY(m_ui.messages().isEmpty());
        m_child->Ajout();
        QVERIFY(m_ui.lastMessage().contains("déjà 10000"));
        QVERIFY(m_child->Sauve(doc()));
        QVERIFY(TestFiles::readBytes(file(9)).contains("<BLOC9999>\r\nDernier"));
        m_child->Premier();
        m_ui.answer(QMessageBox::Yes);
        m_child->Supprime();
        QCOMPARE(w<QLineEdit>(9, "Edit13")->text(), QStringLiteral("y"));
        QVERIFY(m_child->TestModif()); // a deletion is a change to save
    }

    // A marker the renumbering after a delete cannot read is told.
    void deleteTellsAnUnreadableMarker()
    {
        TestFiles::writeBytes(
            file(9), TestFiles::crlf(block(0, plain(9, "A")) + block(1, plain(9, "B")) + QStringList{"<BLOCx>"}));
        m_ui.answer(QMessageBox::No); // not repaired at load
        open(9);
        m_child->Dernier();
        m_ui.answer(QMessageBox::Yes);
        m_child->Supprime();
        QCOMPARE(m_ui.lastMessage(), BlockFile::damagedMarkerText("<BLOCx>"));
        QCOMPARE(w<QLineEdit>(9, "Edit13")->text(), QStringLiteral("B")); // the last deleted: the one before shows
    }

    void albumPictureIsChosenThenFitted()
    {
        const QString photo = m_dir->filePath("Vacances/Plage.JPG");
        QVERIFY(QDir(m_dir->path()).mkdir("Vacances"));
        QVERIFY(QFile::copy(sample("big.jpg"), photo));
        open(6);
        m_ui.fileName(photo);
        QTest::mouseClick(w<QPushButton>(6, "Button41"), Qt::LeftButton);
        // Fitted at once, with its sizes.
        QCOMPARE(w<QLabel>(6, "Image1")->pixmap().size(), QSize(386, 280));
        QCOMPARE(w<QLabel>(6, "Label26")->text(), QStringLiteral("Largeur : 1600"));
        QTest::keyClicks(w<QLineEdit>(6, "Edit7"), "La plage");
        QVERIFY(m_child->Sauve(doc()));
        QCOMPARE(TestFiles::readBytes(file(6)), TestFiles::crlf(block(0, {"TITLE La plage", "PICTURE " + photo})));

        TChild again(m_ui, m_clock, m_dir->path());
        open(6, &again);
        // Fitted by Echelle6, whose rule the picture suite checks.
        auto label = [&](const char *name) { return again.page(SectionId::Album)->findChild<QLabel *>(name); };
        QCOMPARE(label("Image1")->pixmap().size(), QSize(386, 280));
        QCOMPARE(label("Label26")->text() + label("Label27")->text(), QStringLiteral("Largeur : 1600Hauteur : 1200"));
    }

    void damagedPictures_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("told");
        for (int page : {6, 7}) {
            const QByteArray p = page == 6 ? "album: " : "film cover: ";
            QTest::newRow(p + "missing") << page << "missing" << false;
            QTest::newRow(p + "not a picture") << page << "text" << (page == 6);
            QTest::newRow(p + "60000 x 60000 JPEG") << page << "huge" << (page == 6);
            QTest::newRow(p + "FIFO") << page << "fifo" << false;
        }
    }

    void damagedPictures()
    {
        // Nothing shows, the album tells the user when the file cannot be
        // decoded, and the path stays with the record.
        QFETCH(int, page);
        QFETCH(QString, kind);
        const QString path = m_dir->filePath("Image.jpg");
        if (kind == "text")
            TestFiles::writeBytes(path, "ceci n'est pas une image");
        else if (kind == "huge")
            QVERIFY(QFile::copy(sample("huge.jpg"), path));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        QStringList body = plain(page, "A");
        body[page == 6 ? 1 : 14] = page == 6 ? "PICTURE " + path : path;
        TestFiles::writeBytes(file(page), TestFiles::crlf(block(0, body)));
        open(page);
        QTEST(!m_ui.messages().isEmpty(), "told");
        QVERIFY(
            page == 6
                ? w<QLabel>(6, "Image1")->pixmap().isNull()
                : !static_cast<RecordSectionPage *>(m_child->page(SectionId::Videos))->form()->picture()->hasPicture());
        touch(w<QLineEdit>(page, page == 6 ? "Edit7" : "Edit8"));
        QVERIFY(m_child->Sauve(doc()));
        QCOMPARE(TestFiles::readBytes(file(page)), TestFiles::crlf(block(0, body)));
    }

    void albumAnimations()
    {
        // A GIF of two frames plays as a movie; an AVI plays silently while the
        // album shows and stops when the page is left; a broken one gets a note.
        const QString broken = m_dir->filePath("casse.avi");
        TestFiles::writeBytes(broken, QByteArray("RIFF\x10\x00\x00\x00"
                                                 "AVI junk junk junk",
                                                 26));
        TestFiles::writeBytes(file(6), TestFiles::crlf(block(0, {"TITLE ", "PICTURE " + sample("anim.gif")})
                                                       + block(1, {"TITLE ", "ANIMATE " + sample("clip.avi")})
                                                       + block(2, {"TITLE ", "PICTURE " + broken})));
        m_child->show();
        open(6);
        QMovie *movie = w<QLabel>(6, "Image1")->movie();
        QVERIFY(movie);
        QTRY_VERIFY(movie->currentFrameNumber() >= 1);

        auto *album = static_cast<AlbumPage *>(m_child->page(SectionId::Album));
        m_child->Suivant();
        QCOMPARE(w<QStackedWidget>(6, "Notebook1")->currentIndex(), 1);
        QVERIFY(album->player() && !album->player()->audioOutput());
        if (!album->player()->isAvailable())
            QSKIP("no multimedia back end on this system");
        QCOMPARE(album->player()->playbackState(), QMediaPlayer::PlayingState);
        QTRY_VERIFY_WITH_TIMEOUT(album->player()->position() > 0 || !album->animationNote().isEmpty(), 8000);
        if (!album->animationNote().isEmpty())
            QSKIP(qPrintable("the back end cannot play raw AVI here: " + album->animationNote()));
        m_child->Section(1);
        QVERIFY(album->player()->playbackState() != QMediaPlayer::PlayingState);
        m_child->Section(6);

        // "PICTURE " with an ".avi" path plays as an animation all the same.
        m_child->Suivant();
        QTRY_VERIFY_WITH_TIMEOUT(!album->animationNote().isEmpty(), 8000);
        QCOMPARE(album->chosenPath(), broken);
        QVERIFY(m_ui.messages().isEmpty()); // a note, not a message box
    }
};

QTEST_MAIN(TestCollectionsPages)
#include "test_collections_pages.moc"

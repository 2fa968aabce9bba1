// The video library page driven through its widgets, against ".ovd" files.
#include "Fixtures.h"
#include "test_records_support.h"
#include "collections/RecordForm.h"
#include "collections/VideoPage.h"
#include "budget/OptionsCommands.h"
#include "collections/RecordPicture.h"
#include "common/TextFile.h"

#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The 15 fixed lines of a film, for files written by hand.
QStringList film(const QString &code, const QString &title, const QString &year = QStringLiteral("1945"))
{
    return {code,    QStringLiteral("09/03/2024"), QStringLiteral("4"),   title,
            "Carné", "Pathé",                      "France",              "Drame",
            year,    "190",                        "DVD",                 "500",
            "Mono",  "128",                        ""};
}

} // namespace

class TestVideoPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void filmWrittenFromThePageReadsBack();
    void spinFieldsKeepThePreviousFilmsValues();
    void addWithFewerThanTenLines_data();
    void addWithFewerThanTenLines();
    void unreadableLinesAreReportedAndLeaveTheFileAlone_data();
    void unreadableLinesAreReportedAndLeaveTheFileAlone();
    void longMemosSurviveAnEdit();
    void longFieldTextsSurviveAnEdit();
    void coverPathKeepsItsCaseWhenTheFileIsMissing();
    void coverIsChosenAndFitted_data();
    void coverIsChosenAndFitted();
    void onlyRegularFilesAreOpenedAsCovers();
    void unreadableCoverIsReportedAndKept();
    void pageDownInAFieldShowsTheNextFilm();
    void flagsOfAnEdit_data();
    void flagsOfAnEdit();
    void namedListEditorKeepsTheFilmsCategory();
    void categoryEditorKeepsTheFilmShown();
    void deleteShowsTheFollowingFilm();
    void deleteNextToADamagedFilmKeepsIt();
    void damagedFilmIsWrittenOnceTheUserEditsIt();

private:
    template<typename T> T *w(const char *name) { return m_page->findChild<T *>(QLatin1String(name)); }
    QString doc() const { return m_dir->filePath(QStringLiteral("agenda.orz")); }
    QString ovd() const { return m_dir->filePath(QStringLiteral("agenda.ovd")); }
    void open(const QStringList &lines)
    {
        TestFiles::writeBytes(ovd(), TestFiles::crlf(lines));
        m_page->load(doc());
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TestContext> m_t;
    VideoPage *m_page = nullptr;
};

void TestVideoPage::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_t = std::make_unique<TestContext>(QDate(2026, 1, 5));
    m_page = new VideoPage(m_t->context, m_t->window.get());
    m_t->window->show();
}

void TestVideoPage::cleanup()
{
    m_t.reset(); // the window takes the page with it
    m_page = nullptr;
    m_dir.reset();
}

void TestVideoPage::filmWrittenFromThePageReadsBack()
{
    typeText(w<QLineEdit>("Edit8"), QStringLiteral("V012"));
    w<QDateEdit>("DateTimePicker1")->setDate(QDate(2024, 3, 9));
    w<QSpinBox>("SpinEdit1")->setValue(-2);
    typeText(w<QLineEdit>("Edit9"), QStringLiteral("Les Enfants du paradis"));
    typeText(w<QLineEdit>("Edit10"), QStringLiteral("Marcel Carné"));
    typeText(w<QLineEdit>("Edit11"), QStringLiteral("Pathé"));
    typeText(w<QLineEdit>("Edit12"), QStringLiteral("France"));
    typeText(w<QComboBox>("ComboBox3")->lineEdit(), QStringLiteral("Drame"));
    w<QSpinBox>("SpinEdit2")->setValue(1945);
    w<QSpinBox>("SpinEdit3")->setValue(190);
    typeText(w<QComboBox>("ComboBox4")->lineEdit(), QStringLiteral("DVD"));
    w<QSpinBox>("SpinEdit4")->setValue(4500);
    typeText(w<QComboBox>("ComboBox5")->lineEdit(), QStringLiteral("Mono"));
    w<QSpinBox>("SpinEdit5")->setValue(128);
    const QString cover = m_dir->filePath(QStringLiteral("Couv.PNG"));
    QImage(20, 30, QImage::Format_RGB32).save(cover, "PNG");
    m_t->ui.fileName(cover);
    QTest::mouseClick(w<QPushButton>("Button42"), Qt::LeftButton);
    w<QPlainTextEdit>("Memo2")->setPlainText(QStringLiteral("Arletty\nMemo3 Jean-Louis Barrault"));
    w<QPlainTextEdit>("Memo3")->setPlainText(QStringLiteral("Boulevard du crime\n"));
    QVERIFY(m_page->recordChanged());
    QVERIFY(m_t->context.document().modified);

    QVERIFY(m_page->save(doc(), false));
    const QStringList expected = block(
        0, {"V012", "09/03/2024", "-2", "Les Enfants du paradis", "Marcel Carné", "Pathé", "France", "Drame", "1945",
            "190", "DVD", "4500", "Mono", "128", cover, "Memo2Arletty", "Memo2Memo3 Jean-Louis Barrault",
            "Memo3Boulevard du crime", "Memo3"});
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(expected));

    // A second window reads it back into every field.
    TestContext t2;
    VideoPage page2(t2.context, t2.window.get());
    page2.load(doc());
    auto get = [&page2](const char *name) { return page2.findChild<QWidget *>(QLatin1String(name)); };
    QCOMPARE(static_cast<QLineEdit *>(get("Edit8"))->text(), QStringLiteral("V012"));
    QCOMPARE(static_cast<QDateEdit *>(get("DateTimePicker1"))->date(), QDate(2024, 3, 9));
    QCOMPARE(static_cast<QSpinBox *>(get("SpinEdit1"))->value(), -2);
    QCOMPARE(static_cast<QLineEdit *>(get("Edit10"))->text(), QStringLiteral("Marcel Carné"));
    QCOMPARE(static_cast<QComboBox *>(get("ComboBox3"))->currentText(), QStringLiteral("Drame"));
    QCOMPARE(static_cast<QSpinBox *>(get("SpinEdit4"))->value(), 4500);
    QCOMPARE(static_cast<QComboBox *>(get("ComboBox5"))->currentText(), QStringLiteral("Mono"));
    QCOMPARE(page2.form()->picturePath(), cover);
    QVERIFY(page2.form()->picture()->hasPicture());
    QCOMPARE(static_cast<QPlainTextEdit *>(get("Memo2"))->toPlainText(),
             QStringLiteral("Arletty\nMemo3 Jean-Louis Barrault"));
    QCOMPARE(static_cast<QPlainTextEdit *>(get("Memo3"))->toPlainText(), QStringLiteral("Boulevard du crime\n"));
    QCOMPARE(static_cast<QPlainTextEdit *>(get("Memo4"))->toPlainText(), QString());
    QVERIFY(!page2.recordChanged());
    QVERIFY(t2.ui.messages().isEmpty());
    // Saved again unchanged, the file stays byte for byte the same.
    QVERIFY(page2.save(doc(), false));
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(expected));
}

void TestVideoPage::spinFieldsKeepThePreviousFilmsValues()
{
    open(block(0, film("A", "Premier", "1960")));
    QCOMPARE(w<QSpinBox>("SpinEdit2")->value(), 1960);
    QCOMPARE(w<QSpinBox>("SpinEdit4")->value(), 500);
    m_page->AjoutVideo();
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(w<QLineEdit>("Edit9")->text(), QString());
    QCOMPARE(w<QComboBox>("ComboBox3")->currentText(), QString());
    QCOMPARE(w<QDateEdit>("DateTimePicker1")->date(), QDate(2026, 1, 5));
    QCOMPARE(w<QSpinBox>("SpinEdit1")->value(), 4);
    QCOMPARE(w<QSpinBox>("SpinEdit2")->value(), 1960);
    QCOMPARE(w<QSpinBox>("SpinEdit3")->value(), 190);
    QCOMPARE(w<QSpinBox>("SpinEdit4")->value(), 500);
    QCOMPARE(w<QSpinBox>("SpinEdit5")->value(), 128);
}

void TestVideoPage::addWithFewerThanTenLines_data()
{
    QTest::addColumn<bool>("editFirst");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("count");
    QTest::newRow("film 0 never written") << false << 1 << 2;
    QTest::newRow("film 0 written by the add") << true << 1 << 2;
}

void TestVideoPage::addWithFewerThanTenLines()
{
    QFETCH(bool, editFirst);
    QFETCH(int, current);
    QFETCH(int, count);
    // A new window: form defaults 2000, 60, 96, 96.
    QCOMPARE(w<QSpinBox>("SpinEdit2")->value(), 2000);
    QCOMPARE(w<QSpinBox>("SpinEdit3")->value(), 60);
    QCOMPARE(w<QSpinBox>("SpinEdit4")->value(), 96);
    QCOMPARE(w<QSpinBox>("SpinEdit5")->value(), 96);
    if (editFirst)
        typeText(w<QLineEdit>("Edit9"), QStringLiteral("Zéro"));
    m_page->AjoutVideo();
    QCOMPARE(m_page->currentRecord(), current);
    QCOMPARE(m_page->recordCount(), count);
    QCOMPARE(m_page->lines().size(), editFirst ? 17 : 0);
    QCOMPARE(m_t->window->focusWidget(), w<QLineEdit>("Edit8"));
}

void TestVideoPage::unreadableLinesAreReportedAndLeaveTheFileAlone_data()
{
    QTest::addColumn<int>("line"); // 1-based fixed line made unreadable
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("field");
    QTest::newRow("date") << 2 << "31/02/2024" << "« Date »";
    QTest::newRow("year") << 9 << "19x5" << "« Année »";
    QTest::newRow("audio bit rate") << 14 << "" << "« Format audio (Kb/sec) »";
}

void TestVideoPage::unreadableLinesAreReportedAndLeaveTheFileAlone()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QString, field);
    QStringList body = film("C1", "Titre lu");
    body[line - 1] = text;
    body << "Memo2Acteur";
    const QStringList lines = block(0, body) + block(1, film("C2", "Suivant"));
    open(lines);
    QCOMPARE(m_t->ui.messages().size(), 1);
    QVERIFY2(m_t->ui.lastMessage().contains(field), qPrintable(m_t->ui.lastMessage()));
    QVERIFY(m_t->ui.lastMessage().contains(QStringLiteral("La fiche 1 est endommagée")));
    // Fields before the damaged one are shown, the ones after are not.
    QCOMPARE(w<QLineEdit>("Edit8")->text(), QStringLiteral("C1"));
    QCOMPARE(w<QLineEdit>("Edit9")->text(), line > 4 ? QStringLiteral("Titre lu") : QString());
    QCOMPARE(w<QPlainTextEdit>("Memo2")->toPlainText(), QString());
    QVERIFY(!m_page->recordChanged());
    // Leaving and saving change nothing in the file.
    m_page->suivant();
    QCOMPARE(w<QLineEdit>("Edit9")->text(), QStringLiteral("Suivant"));
    QVERIFY(m_page->save(doc(), false));
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(lines));
    QCOMPARE(m_t->ui.messages().size(), 1);
}

void TestVideoPage::longMemosSurviveAnEdit()
{
    QStringList body = film("L", "Long");
    for (int i = 0; i < 250; ++i)
        body << QStringLiteral("Memo4") + QString(300, QChar(u'a' + i % 26));
    open(block(0, body));
    QCOMPARE(w<QPlainTextEdit>("Memo4")->toPlainText().split(u'\n').size(), 250);
    QTest::keyClick(w<QLineEdit>("Edit9"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit9"), QStringLiteral("ue"));
    m_page->save(doc(), false);
    body[3] = QStringLiteral("Longue");
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(block(0, body)));
}

void TestVideoPage::longFieldTextsSurviveAnEdit()
{
    // One-line fields and choices keep whatever length the file gives them.
    QStringList body = film("L", QString(40000, u't'));
    body[7] = QString(33000, u'c');
    open(block(0, body));
    QCOMPARE(w<QLineEdit>("Edit9")->text().size(), 40000);
    QCOMPARE(w<QComboBox>("ComboBox3")->currentText().size(), 33000);
    QTest::keyClick(w<QLineEdit>("Edit12"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit12"), QStringLiteral("!"));
    QTest::keyClick(w<QLineEdit>("Edit9"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit9"), QStringLiteral("u"));
    m_page->save(doc(), false);
    body[3] += u'u';
    body[6] += u'!';
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(block(0, body)));
}

void TestVideoPage::coverPathKeepsItsCaseWhenTheFileIsMissing()
{
    QStringList body = film("P", "Photo perdue");
    body[14] = QStringLiteral("  /Ailleurs/Photos/Couverture.JPG ");
    open(block(0, body));
    QCOMPARE(m_page->form()->picturePath(), QStringLiteral("/Ailleurs/Photos/Couverture.JPG"));
    QVERIFY(!m_page->form()->picture()->hasPicture());
    QVERIFY(m_t->ui.messages().isEmpty());
    QTest::keyClick(w<QLineEdit>("Edit12"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit12"), QStringLiteral(" (FR)"));
    m_page->save(doc(), false);
    const QStringList lines = TextFile::splitLines(TestFiles::readBytes(ovd()));
    QCOMPARE(lines.value(15), QStringLiteral("/Ailleurs/Photos/Couverture.JPG"));
}

void TestVideoPage::coverIsChosenAndFitted_data()
{
    // In a 388 x 373 frame (box 386 x 371 at 1, 1).
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("box");
    QTest::addColumn<QSize>("drawn");
    QTest::newRow("wider than high") << QSize(1000, 600) << QRect(1, 74, 386, 224) << QSize(386, 224);
    QTest::newRow("higher than wide") << QSize(600, 1000) << QRect(77, 1, 233, 371) << QSize(233, 371);
    QTest::newRow("only higher: own size") << QSize(300, 2000) << QRect(1, 1, 386, 371) << QSize(300, 2000);
    QTest::newRow("smaller: own size") << QSize(120, 80) << QRect(1, 1, 386, 371) << QSize(120, 80);
}

void TestVideoPage::coverIsChosenAndFitted()
{
    QFETCH(QSize, picture);
    QFETCH(QRect, box);
    QFETCH(QSize, drawn);
    const QString cover = m_dir->filePath(QStringLiteral("Grande.png"));
    QImage(picture, QImage::Format_RGB32).save(cover, "PNG");
    auto *frame = m_page->findChild<QFrame *>(QStringLiteral("Panel22"));
    QVERIFY(frame);
    frame->setMinimumSize(388, 373);
    frame->setMaximumSize(388, 373);
    m_t->window->resize(1200, 900);
    QCoreApplication::processEvents();
    QCOMPARE(frame->size(), QSize(388, 373));
    m_t->ui.fileName(cover);
    m_page->Button42Click();
    QVERIFY(m_page->recordChanged());
    QCOMPARE(m_page->form()->picturePath(), cover);
    QCOMPARE(w<QLabel>("Image2")->geometry(), box);
    QCOMPARE(w<QLabel>("Image2")->pixmap().size(), drawn);
    // Read again from the file, the cover is fitted the same way.
    m_page->EcritVideo();
    m_page->LitVideo();
    QCOMPARE(m_page->form()->picturePath(), cover);
    QCOMPARE(w<QLabel>("Image2")->geometry(), box);
    QCOMPARE(w<QLabel>("Image2")->pixmap().size(), drawn);
}

void TestVideoPage::onlyRegularFilesAreOpenedAsCovers()
{
    QStringList body = film("D", "Dossier");
    body[14] = m_dir->path();
    open(block(0, body));
    QCOMPARE(m_page->form()->picturePath(), m_dir->path());
    QVERIFY(!m_page->form()->picture()->hasPicture());
    QCOMPARE(w<QLabel>("Image2")->text(), QStringLiteral("Image introuvable"));
}

void TestVideoPage::unreadableCoverIsReportedAndKept()
{
    const QString cover = m_dir->filePath(QStringLiteral("Faux.jpg"));
    TestFiles::writeBytes(cover, "ceci n'est pas une image");
    m_t->ui.fileName(cover);
    m_page->Button42Click();
    QCOMPARE(m_t->ui.messages().size(), 1);
    QCOMPARE(m_page->form()->picturePath(), cover);
    QVERIFY(!m_page->form()->picture()->hasPicture());
    QVERIFY(m_page->recordChanged());
    m_page->save(doc(), false);
    QCOMPARE(TextFile::splitLines(TestFiles::readBytes(ovd())).value(15), cover);
    // Cancelling the dialog changes nothing.
    m_page->LitVideo();
    m_page->Button42Click();
    QVERIFY(!m_page->recordChanged());
}

void TestVideoPage::pageDownInAFieldShowsTheNextFilm()
{
    open(block(0, film("A", "Premier")) + block(1, film("B", "Second")));
    auto *year = w<QSpinBox>("SpinEdit2");
    year->setFocus();
    QTest::keyClick(year, Qt::Key_PageDown);
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(w<QLineEdit>("Edit9")->text(), QStringLiteral("Second"));
    QCOMPARE(year->value(), 1945); // the key did not step the year
    QTest::keyClick(w<QPlainTextEdit>("Memo3"), Qt::Key_PageUp);
    QCOMPARE(m_page->currentRecord(), 0);
    QCOMPARE(w<QLineEdit>("Edit9")->text(), QStringLiteral("Premier"));
    QVERIFY(!m_t->context.document().modified);
}

void TestVideoPage::flagsOfAnEdit_data()
{
    // A key typed in a text field or memo marks the film and the document;
    // a date, a spin value or a choice marks only the film, and the document
    // follows when the film is written back.
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("documentMarked");
    QTest::newRow("code") << "Edit8" << true;
    QTest::newRow("country") << "Edit12" << true;
    QTest::newRow("actors") << "Memo2" << true;
    QTest::newRow("comments") << "Memo4" << true;
    QTest::newRow("date") << "DateTimePicker1" << false;
    QTest::newRow("mark") << "SpinEdit1" << false;
    QTest::newRow("duration") << "SpinEdit3" << false;
    QTest::newRow("audio bit rate") << "SpinEdit5" << false;
    QTest::newRow("category") << "ComboBox3" << false;
    QTest::newRow("audio format") << "ComboBox5" << false;
}

void TestVideoPage::flagsOfAnEdit()
{
    QFETCH(QString, field);
    QFETCH(bool, documentMarked);
    const QStringList lines = block(0, film("A", "Premier")) + block(1, film("B", "Second"));
    open(lines);
    QVERIFY(!m_page->recordChanged());
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
    // Leaving the film writes it back, and the document is marked now.
    m_page->suivant();
    QVERIFY(m_t->context.document().modified);
    QCOMPARE(m_page->lines().mid(0, 17), block(1, film("B", "Second")));
    QCOMPARE(m_page->lines().value(17), QStringLiteral("<BLOC0000>"));
    QVERIFY(m_page->lines().mid(17) != block(0, film("A", "Premier")));
}

void TestVideoPage::namedListEditorKeepsTheFilmsCategory()
{
    auto *box = m_t->context.comboBox(3);
    box->addItems({QStringLiteral("Comédie"), QStringLiteral("Western")});
    open(block(0, film("A", "Premier")));
    QCOMPARE(box->currentText(), QStringLiteral("Drame"));
    // The editor hands its list back into the box.
    box->clear();
    box->addItems({QStringLiteral("Comédie"), QStringLiteral("Drame"), QStringLiteral("Policier")});
    QCOMPARE(box->currentText(), QStringLiteral("Drame"));
    QVERIFY(!m_page->recordChanged());
    QVERIFY(!m_t->context.document().modified);
    // The user picks another category.
    box->setCurrentIndex(2);
    QVERIFY(m_page->recordChanged());
    m_page->save(doc(), false);
    QVERIFY(TestFiles::readBytes(ovd()).contains("\r\nPolicier\r\n"));
}

void TestVideoPage::categoryEditorKeepsTheFilmShown()
{
    m_t->context.comboBox(3)->addItems({QStringLiteral("Drame"), QStringLiteral("Western")});
    open(block(0, film("A", "Premier")));
    m_t->ui.dialog([](QDialog *) { return int(QDialog::Accepted); });
    OptionsCommands::Categorie(m_t->context);
    QCOMPARE(m_t->context.comboBox(3)->count(), 2);
    QCOMPARE(w<QComboBox>("ComboBox3")->currentText(), QStringLiteral("Drame"));
    QVERIFY(!m_page->recordChanged());
    QVERIFY(!m_t->context.document().modified);
}

void TestVideoPage::deleteShowsTheFollowingFilm()
{
    open(block(0, film("A", "Un")) + block(1, film("B", "Deux")) + block(2, film("C", "Trois")));
    m_page->suivant();
    m_page->SupVideo();
    QCOMPARE(m_page->recordCount(), 2);
    QCOMPARE(m_page->currentRecord(), 1);
    QCOMPARE(w<QLineEdit>("Edit9")->text(), QStringLiteral("Trois"));
    QVERIFY(m_t->context.document().modified);
    m_page->save(doc(), false);
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(block(0, film("A", "Un")) + block(1, film("C", "Trois"))));
}

void TestVideoPage::deleteNextToADamagedFilmKeepsIt()
{
    QStringList damaged = film("B", "Abîmé");
    damaged[1] = QStringLiteral("hier");
    damaged << QStringLiteral("Memo4garder");
    open(block(0, film("A", "Un")) + block(1, damaged));
    m_page->SupVideo(); // the damaged film becomes film 0 and shows
    QCOMPARE(m_t->ui.messages().size(), 1);
    QCOMPARE(w<QLineEdit>("Edit8")->text(), QStringLiteral("B"));
    m_page->suivant();
    m_page->save(doc(), false);
    QCOMPARE(TestFiles::readBytes(ovd()), TestFiles::crlf(block(0, damaged)));
}

void TestVideoPage::damagedFilmIsWrittenOnceTheUserEditsIt()
{
    QStringList damaged = film("B", "Abîmé");
    damaged[8] = QStringLiteral("deux mille");
    open(block(0, damaged));
    QTest::keyClick(w<QLineEdit>("Edit9"), Qt::Key_End);
    typeText(w<QLineEdit>("Edit9"), QStringLiteral("!"));
    m_page->save(doc(), false);
    const QStringList lines = TextFile::splitLines(TestFiles::readBytes(ovd()));
    QCOMPARE(lines.value(4), QStringLiteral("Abîmé!"));
    QCOMPARE(lines.value(9), QStringLiteral("2000")); // the year shown, the form's default
}

QTEST_MAIN(TestVideoPage)
#include "test_video_page.moc"

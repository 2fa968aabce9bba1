// Printing: each print routine's output for one rich page, recorded on the
// millimetre canvas and compared with the rows kept in data/print_*.txt; the
// item limits and page breaks; and each print command through the document
// window into a PDF file.
#include "Fixtures.h"
#include "PdfText.h"
#include "agenda/WeekPrint.h"
#include "budget/BudgetPrint.h"
#include "collections/ShoppingPrint.h"
#include "common/MmCanvas.h"
#include "contacts/ContactsPrint.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QtTest>

namespace {

// A canvas that writes down what is drawn, one row per call:
//   F family size [gras] | T x y text | R x y text (right-aligned at x)
//   B x1 y1 x2 y2 (box) | L x1 y1 x2 y2 (line) | P (new page)
// Texts are measured in their font at 10 pixels a millimetre.
class RecordingCanvas final : public MmCanvas
{
public:
    explicit RecordingCanvas(int heightMm = 287) : m_height(heightMm) {}
    QStringList rows;

    int Mh(int x) const override { return (x + 5) * 10; }
    int Mv(int y) const override { return (y + 5) * 10; }
    void setFont(const QString &family, int size, bool bold) override
    {
        m_font = QFont(family, -1, bold ? QFont::Bold : QFont::Normal);
        m_font.setPixelSize(qRound(size * 254 / 72.0)); // points at 10 pixels a millimetre
        rows << QStringLiteral("F %1 %2%3").arg(family).arg(size).arg(bold ? " gras" : "");
    }
    void textOut(int x, int y, const QString &t) override { rows << QString("T %1 %2 %3").arg(x).arg(y).arg(t); }
    void textOutRight(int x, int y, const QString &t) override { rows << QString("R %1 %2 %3").arg(x).arg(y).arg(t); }
    int textWidth(const QString &t) const override { return QFontMetrics(m_font).horizontalAdvance(t); }
    void line(int a, int b, int c, int d) override { rows << QString("L %1 %2 %3 %4").arg(a).arg(b).arg(c).arg(d); }
    void rectangle(int a, int b, int c, int d) override
    {
        rows << QString("B %1 %2 %3 %4").arg(a).arg(b).arg(c).arg(d);
    }
    void picture(int, int, int, int, const QImage &) override {}
    void newPage() override { rows << QStringLiteral("P"); }
    int pageWidthMm() const override { return 200; }
    int pageHeightMm() const override { return m_height; }

private:
    QFont m_font;
    int m_height;
};

QStringList numbered(const QString &stem, int n)
{
    return n > 0 ? numbered(stem, n - 1) << QStringLiteral("%1 %2").arg(stem).arg(n) : QStringList();
}

const QString kLong = QStringLiteral("Une désignation bien trop longue pour tenir dans sa colonne sans déborder");

// The rich page of each command; the week and the birthdays hold more items
// than a day (7, or 3 on Saturday and Sunday) or a month (7) prints; the
// address book's separator is wider than the printed column.
void printFixture(const QString &command, MmCanvas &c)
{
    if (command == "semaine") {
        WeekPrint::Sheet s;
        s.names = {"Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi", "Samedi", "Dimanche"};
        for (int d = 0; d < 7; ++d)
            s.dates[d] = QStringLiteral("%1 janvier 2026").arg(5 + d);
        s.items = {numbered("08:00 rdv", 9), {"10:00 " + kLong}, {}, {"09:30 Dentiste"}, {},
                   numbered("sam", 5),       numbered("dim", 5)};
        WeekPrint::ImpSemaine(c, s);
    } else if (command == "noms") {
        ContactsPrint::ImpNoms(c, {{"Dupont Jean", "01 02 03 04 05"}, {kLong, "06 07 08 09 10 11 12 13 14"}},
                               {"Dupont Jean", "3 rue des Lilas", "75001 Paris", "Tél: 01 02 03 04 05",
                                "Fax: ", "E.mail jean@dupont.fr", kLong, QString(300, u'-')});
    } else if (command == "anniversaires") {
        ContactsPrint::HalfYear h;
        h.labels = {"Janvier", "Février", "Mars", "Avril", "Mai", "Juin"};
        h.entries = {numbered("Anne", 9), {}, {"15 " + kLong}, {"01 Paul"}, {}, {"30 Zoé"}};
        ContactsPrint::ImpAnniv(c, h);
    } else if (command == "faire") {
        ContactsPrint::ImpFaire(c, {"Repeindre le portail", kLong}, {"Tondre"});
    } else if (command == "budget") {
        BudgetPrint::Journal j{"Février", 2026, "Compte courant", {}};
        j.rows = {{"01/02/2026", "Alimentation", "Marché", "  12,50", ""},
                  {"03/02/2026", kLong, kLong, "", "1500,00"},
                  {"04/02/2026", "Divers", "Hors limites", "", "92233720368547758"},
                  {"05/02/2026", "Loisirs", "Cinéma", "0,1", "0,2"}};
        BudgetPrint::ImpBudget(c, j);
    } else if (command == "courses") {
        ShoppingPrint::ImpCourses(
            c, {"14/03/2026",
                "Marché du samedi",
                {"Désignation", "  Quantité", "  Prix", "  Montant"},
                {{"Pommes", "   2", "  1,50", "  3,00"}, {kLong, "", "", ""}, {"Sel", "1", "", "   0,00"}}});
    }
}

} // namespace

class TestAppPrint : public QObject
{
    Q_OBJECT

private slots:
    void routineOutput_data()
    {
        QTest::addColumn<QString>("command");
        for (const char *c : {"semaine", "noms", "anniversaires", "faire", "budget", "courses"})
            QTest::newRow(c) << QString::fromLatin1(c);
    }

    void routineOutput()
    {
        QFETCH(QString, command);
        RecordingCanvas canvas;
        printFixture(command, canvas);
        const QByteArray expected = TestFiles::readBytes(QStringLiteral(PRINT_DATA "/print_%1.txt").arg(command));
        QCOMPARE(canvas.rows.join(u'\n') + u'\n', QString::fromUtf8(expected));
    }

    void limitsAndPages_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("pageHeight");
        QTest::addColumn<int>("printed"); // item rows printed
        QTest::addColumn<int>("pages");
        QTest::newRow("to-do cut at the page's end") << "faire" << 80 << 287 << 54 << 1;
        QTest::newRow("empty month") << "budget" << 0 << 287 << 0 << 1;
        QTest::newRow("month filling one page") << "budget" << 53 << 287 << 53 << 2;
        QTest::newRow("128 rows") << "budget" << 128 << 287 << 128 << 3;
        QTest::newRow("128 rows on a short page") << "budget" << 128 << 100 << 128 << 9;
        QTest::newRow("63 items on one page") << "courses" << 63 << 287 << 63 << 1;
        QTest::newRow("a longer list") << "courses" << 80 << 287 << 80 << 2;
    }

    void limitsAndPages()
    {
        QFETCH(QString, command);
        QFETCH(int, items);
        QFETCH(int, pageHeight);
        RecordingCanvas c(pageHeight);
        const QStringList list = numbered("n°", items);
        if (command == "faire") {
            ContactsPrint::ImpFaire(c, list, {});
        } else if (command == "budget") {
            BudgetPrint::Journal j{"Mars", 2026, {}, {}};
            for (const QString &d : list)
                j.rows.append({"01/03/2026", "Poste", d, "1,00", ""});
            BudgetPrint::ImpBudget(c, j);
            // The sums follow the last row, on the last page, after the rule.
            QCOMPARE(c.rows.at(c.rows.size() - 2).section(u' ', 3) + u' ' + c.rows.last().section(u' ', 3),
                     QStringLiteral("%1,00 0,00").arg(items));
        } else {
            QList<Shopping::Row> rows;
            for (const QString &d : list)
                rows.append({d, "1", "1,00", "1,00"});
            ShoppingPrint::ImpCourses(c, {"01/03/2026", "Marché", {"D", "Q", "P", "M"}, rows});
        }
        QTEST(int(c.rows.filter(QStringLiteral(" n° ")).size()), "printed");
        QTEST(int(c.rows.count(QStringLiteral("P"))) + 1, "pages");
        // Nothing is printed past the bottom of the printable area.
        for (const QString &row : c.rows.filter(QRegularExpression("^[TR] ")))
            QVERIFY2(row.section(u' ', 2, 2).toInt() + 9 <= pageHeight, qPrintable(row));
    }

    void commandPrintsToPdf_data()
    {
        // The document set is data/maison.*.
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ImpSemaine") << 1 << QStringList{"Lundi", "Dimanche", "09:00 Dentiste"};
        QTest::newRow("ImpNoms") << 2 << QStringList{"Paris"};
        QTest::newRow("ImpAnniv") << 3 << QStringList{"Janvier", "Juin", "15 Anne"};
        QTest::newRow("ImpFaire") << 4 << QStringList{"A faire", "Repeindre", "Fait", "Tondre"};
        QTest::newRow("ImpBudget") << 5
                                   << QStringList{"Journal de Janvier 2026 - Caisse", "Dépenses", "Recettes", "0,00"};
        QTest::newRow("Photo") << 6 << QStringList{"Été", "Plage"};
        QTest::newRow("Vidéo") << 7 << QStringList{"Le Corniaud", "1965"};
        QTest::newRow("ImpCourses") << 8
                                    << QStringList{"Date  14/03/2026", "Magasin Marché", "Pommes", "Désignation",
                                                   "1,50"};
    }

    void commandPrintsToPdf()
    {
        QFETCH(int, page);
        QFETCH(QStringList, expected);
        ChildFixture f;
        f.child.activate();
        for (const QFileInfo &file : QDir(PRINT_DATA).entryInfoList({"maison.*"}))
            QFile::copy(file.filePath(), f.path(file.fileName()));
        f.child.Charge(f.path("maison.orz"));
        const QString pdf = f.path("page.pdf");
        f.child.printer().setOutputFileName(pdf); // a PDF file, by its suffix
        using Command = void (TChild::*)();
        const Command commands[] = {&TChild::ImpSemaine, &TChild::ImpNoms,  &TChild::ImpAnniv, &TChild::ImpFaire,
                                    &TChild::ImpBudget,  &TChild::ImpPhoto, &TChild::ImpVideo, &TChild::ImpCourses};
        const auto print = [&](bool confirm) {
            f.ui.print(confirm);
            (f.child.*commands[page - 1])();
        };
        // On another page: no dialog, nothing printed.
        f.child.Section(9);
        print(false);
        QVERIFY(f.ui.shown().isEmpty() || f.ui.shown().last().kind != "print");
        f.ui.clear();
        f.child.Section(page);
        // Cancelled: nothing printed either.
        print(false);
        QVERIFY(!QFile::exists(pdf));
        // The orientation the user chose outlives the job.
        f.child.printer().setPageOrientation(QPageLayout::Landscape);
        print(true);
        QCOMPARE(f.child.printer().pageLayout().orientation(), QPageLayout::Landscape);
        const QString texts = PdfText::read(pdf).join(u'\n');
        for (const QString &t : expected)
            QVERIFY2(texts.contains(t), qPrintable(t + " not in:\n" + texts));
    }
};

QTEST_MAIN(TestAppPrint)
#include "test_app_print.moc"

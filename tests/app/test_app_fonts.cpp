// A larger font (QT_FONT_DPI 144 or 192, as users with poor eyesight set
// it): the main pages and the two entry dialogs cut no caption, no label
// and nothing the user typed.

#include "Fixtures.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>

namespace {

// What `root` shows cut: a text wider than its box, one elided ("…"), a
// label lower than its text; "name|text" each.
QStringList cutTexts(const QWidget *root)
{
    QStringList out;
    const auto fits = [&out](const QWidget *w, const QString &text, int room) {
        if (!text.trimmed().isEmpty()
            && (text.contains(QChar(0x2026)) || w->fontMetrics().horizontalAdvance(text) > room))
            out << w->objectName() + u'|' + text;
    };
    for (const QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->width() <= 0)
            continue;
        if (const QRect r(w->mapTo(root, QPoint()), w->size()); !root->rect().contains(r) && !w->isWindow())
            out << w->objectName() + QStringLiteral(" (outside)");
        if (const auto *l = qobject_cast<const QLabel *>(w)) {
            if (l->wordWrap() || Qt::mightBeRichText(l->text()))
                continue;
            fits(l, QString(l->text()).remove(u'&'), l->contentsRect().width());
            if (!l->text().isEmpty() && l->fontMetrics().height() > l->contentsRect().height() + 1)
                out << l->objectName() + u'|' + l->text() + QStringLiteral(" (height)");
        } else if (const auto *e = qobject_cast<const QLineEdit *>(w)) {
            fits(e, e->text(), e->width() - 8);
        } else if (const auto *c = qobject_cast<const QComboBox *>(w)) {
            fits(c, c->currentText(), c->width() - 24);
        } else if (const auto *t = qobject_cast<const QTableView *>(w)) {
            for (int col = 0; col < t->model()->columnCount(); ++col) {
                if (t->isColumnHidden(col) || t->columnWidth(col) < 4)
                    continue;
                if (t->horizontalHeader()->isVisible())
                    fits(t, t->model()->headerData(col, Qt::Horizontal).toString(), t->columnWidth(col) - 8);
                for (int row = 0; row < t->model()->rowCount(); ++row)
                    fits(t, t->model()->index(row, col).data().toString(), t->columnWidth(col) - 6);
            }
        } else if (const auto *v = qobject_cast<const QListView *>(w); v && !v->wordWrap()) {
            for (int row = 0; row < v->model()->rowCount(); ++row)
                fits(v, v->model()->index(row, 0).data().toString(), v->viewport()->width() - 8);
        }
    }
    return out;
}

QByteArray budgetLine(int row, const QStringList &cells)
{
    QByteArray out;
    for (int c = 0; c < cells.size(); ++c)
        out += QStringLiteral("258202601%1%2").arg(row, 3, 10, QChar(u'0')).arg(c).toLatin1() + cells[c].toLatin1()
               + "\r\n";
    return out;
}

} // namespace

class TestAppFonts : public QObject
{
    Q_OBJECT

private slots:
    void nothingCut_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("dialog");
        for (const double scale : {1.0, 1.5, 2.0})
            for (const auto &[page, dialog] :
                 QList<std::pair<int, bool>>{{1, false}, {2, false}, {4, false}, {5, false}, {1, true}, {2, true}})
                QTest::addRow("%d%% page %d%s", int(scale * 100), page, dialog ? " dialog" : "")
                    << scale << page << dialog;
    }
    void nothingCut()
    {
        QFETCH(double, scale);
        QFETCH(int, page);
        QFETCH(bool, dialog);
        const QFont usual = QApplication::font();
        QFont larger = usual;
        larger.setPointSizeF(usual.pointSizeF() * scale);
        QApplication::setFont(larger);
        MainFormFixture f(QDateTime(QDate(2026, 1, 6), QTime(9, 0)));
        f.form.setWindowState(Qt::WindowNoState);
        f.form.resize(1280, 960);
        TestFiles::writeBytes(f.path("m.orz"),
                              TestFiles::crlf({"2026010509:00 Dentiste",
                                               "2026010714:30 Réunion de parents d'élèves à l'école Jules Ferry",
                                               "2026010810:00 Kinésithérapeute"}));
        TestFiles::writeBytes(
            f.path("m.ocn"),
            TestFiles::crlf({" ", QStringLiteral("D100Mme\u00a0Dubois\u00a0Jean-Pierre\t12 avenue "
                                                 "de la République\t\u00a078100 Saint-Germain-en-"
                                                 "Laye\tTél: 01 39 73 00 00\u00a0\tFax: \u00a0\tE.mail "
                                                 "jean-pierre.dubois@orange.fr\t")}));
        TestFiles::writeBytes(f.path("m.oan"), TestFiles::crlf({"0107 Jean-Pierre Dubois", "0107 Léa"}));
        TestFiles::writeBytes(f.path("m.oaf"),
                              TestFiles::crlf({"<FAIRE>", "Renouveler la carte d'identité de Léa", "<FAIT>"}));
        TestFiles::writeBytes(f.path("m.obg"),
                              budgetLine(0, {"02/01/2026", "Alimentation", "Supermarché", "1 234 567,89", "", ""})
                                  + budgetLine(1, {"05/01/2026", "Salaire", "", "", "12 345,67", ""}));
        f.form.openDocument(f.path("m.orz"));
        f.child().Section(page);
        QApplication::processEvents();
        QStringList cut;
        if (dialog) {
            f.ui.dialog([&cut](QDialog *d) {
                d->show();
                QApplication::processEvents();
                cut = cutTexts(d);
                return int(QDialog::Rejected);
            });
            f.child().Ajout();
        } else {
            cut = cutTexts(&f.form);
        }
        QApplication::setFont(usual);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    }
};

QTEST_MAIN(TestAppFonts)
#include "test_app_fonts.moc"

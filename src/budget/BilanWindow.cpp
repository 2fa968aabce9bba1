#include "budget/BilanWindow.h"

#include "budget/BudgetPage.h"
#include "common/DateText.h"
#include "common/MmCanvas.h"
#include "common/Money.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"
#include "document/PrintJob.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QPieSeries>
#include <QtCharts/QValueAxis>

#include <QCursor>
#include <QDir>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <iterator>

namespace {

// The month buttons' names, for the bars.
const char16_t *const kShortMonths[12] = {u"Jan", u"Fév", u"Mar", u"Avr", u"Mai", u"Jun",
                                          u"Jul", u"Aoû", u"Sep", u"Oct", u"Nov", u"Déc"};

const QColor kExpense(0xc0, 0x39, 0x2b);
const QColor kIncome(0x27, 0xae, 0x60);
// Slice colours far enough apart to tell the posts apart, on paper too.
const QRgb kSlices[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd,
                        0x8c564b, 0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};

QChartView *chartView(const QString &name, QWidget *parent)
{
    auto *view = new QChartView(parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(420, 360);
    view->chart()->setLocale(DateText::appLocale());
    view->chart()->setLocalizeNumbers(true);
    view->chart()->setAnimationOptions(QChart::NoAnimation);
    return view;
}

QPushButton *button(const QString &name, const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

BilanWindow::BilanWindow(const BudgetStore &store, const QString &account, int year, int month, UiServices &ui,
                         QPrinter &printer, QWidget *parent)
    : QDialog(parent), m_store(store), m_account(account), m_year(year), m_month(month), m_ui(ui), m_printer(printer)
{
    setObjectName(QStringLiteral("BilanWindow"));
    setWindowTitle(QStringLiteral("Bilan du budget"));

    auto *previous = button(QStringLiteral("BilanPrecedent"), QStringLiteral("<"), this);
    auto *next = button(QStringLiteral("BilanSuivant"), QStringLiteral(">"), this);
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("BilanCaption"));
    m_caption->setAlignment(Qt::AlignCenter);
    QFont bold = m_caption->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_caption->setFont(bold);
    auto *top = new QHBoxLayout;
    top->addWidget(previous);
    top->addWidget(m_caption, 1);
    top->addWidget(next);

    m_pie = chartView(QStringLiteral("BilanMois"), this);
    m_bars = chartView(QStringLiteral("BilanAnnee"), this);
    m_monthTotal = new QLabel(this);
    m_monthTotal->setObjectName(QStringLiteral("BilanTotalMois"));
    m_yearTotal = new QLabel(this);
    m_yearTotal->setObjectName(QStringLiteral("BilanTotalAnnee"));
    auto *charts = new QHBoxLayout;
    auto *left = new QVBoxLayout;
    left->addWidget(m_pie, 1);
    left->addWidget(m_monthTotal);
    auto *right = new QVBoxLayout;
    right->addWidget(m_bars, 1);
    right->addWidget(m_yearTotal);
    charts->addLayout(left, 1);
    charts->addLayout(right, 1);

    auto *print = button(QStringLiteral("BilanImprimer"), QStringLiteral("Aperçu avant impression..."), this);
    auto *close = button(QStringLiteral("BilanFermer"), QStringLiteral("Fermer"), this);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(print);
    bottom->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(charts, 1);
    layout->addLayout(bottom);

    connect(previous, &QPushButton::clicked, this, &BilanWindow::previousMonth);
    connect(next, &QPushButton::clicked, this, &BilanWindow::nextMonth);
    connect(print, &QPushButton::clicked, this, &BilanWindow::preview);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    resize(1180, 640);
    refresh();
}

void BilanWindow::Bilan(DocumentContext &context, const BudgetMonth &budget, QPrinter &printer)
{
    BilanWindow window(budget.store(), BudgetPage::shownAccount(budget, context.comboBox(2)), budget.year(),
                       budget.month(), context.ui(), printer, context.dialogParent());
    context.ui().exec(&window);
}

QString BilanWindow::euros(qint64 cents)
{
    return Money::formatCents(cents) + QStringLiteral(" €");
}

void BilanWindow::previousMonth()
{
    if (--m_month < 1) {
        m_month = 12;
        --m_year;
    }
    refresh();
}

void BilanWindow::nextMonth()
{
    if (++m_month > 12) {
        m_month = 1;
        ++m_year;
    }
    refresh();
}

void BilanWindow::refresh()
{
    m_monthSums = BudgetSummary::month(m_store, m_account, m_year, m_month);
    m_yearSums = BudgetSummary::year(m_store, m_account, m_year);
    m_caption->setText(QStringLiteral("Compte %1 - %2 %3").arg(m_account, DateText::frenchMonth(m_month)).arg(m_year));
    fillPie(m_pie->chart());
    m_monthTotal->setText(QStringLiteral("Dépenses du mois : %1    Recettes du mois : %2")
                              .arg(euros(m_monthSums.totals.expense), euros(m_monthSums.totals.income)));
    QBarSeries *series = fillBars(m_bars->chart());
    connect(series, &QBarSeries::hovered, this, [this, series](bool on, int index, QBarSet *set) {
        if (!on || index < 0 || index >= 12) {
            QToolTip::hideText();
            return;
        }
        const auto &t = m_yearSums.months[index];
        const bool expense = series->barSets().indexOf(set) == 0;
        QToolTip::showText(QCursor::pos(), DateText::frenchMonth(index + 1) + QStringLiteral(", ") + set->label()
                                               + QStringLiteral(" : ") + euros(expense ? t.expense : t.income));
    });
    m_yearTotal->setText(QStringLiteral("Année %1 : dépenses %2    recettes %3")
                             .arg(m_year)
                             .arg(euros(m_yearSums.totals.expense), euros(m_yearSums.totals.income)));
}

void BilanWindow::fillPie(QChart *chart) const
{
    // One slice per post with expenses (a post whose refunds outweigh its
    // expenses has no slice, but counts in the total). The slice shows its
    // share, the legend the post and its sum.
    chart->removeAllSeries();
    auto *slices = new QPieSeries;
    slices->setObjectName(QStringLiteral("DepensesParPoste"));
    qint64 shown = 0;
    for (const auto &p : m_monthSums.byPost)
        shown += qMax<qint64>(p.cents, 0);
    QStringList legend;
    for (const auto &p : m_monthSums.byPost) {
        if (p.cents <= 0)
            continue;
        QPieSlice *slice = slices->append(QStringLiteral("%1 %").arg(qRound(100.0 * double(p.cents) / double(shown))),
                                          double(p.cents) / 100.0);
        slice->setColor(QColor(kSlices[(slices->count() - 1) % std::size(kSlices)]));
        slice->setLabelVisible(p.cents * 20 >= shown); // too small a slice has no room
        slice->setLabelPosition(QPieSlice::LabelInsideHorizontal);
        slice->setLabelColor(Qt::white);
        legend << p.post + QStringLiteral(" : ") + euros(p.cents);
    }
    chart->addSeries(slices);
    const auto markers = chart->legend()->markers(slices);
    for (int i = 0; i < markers.size() && i < legend.size(); ++i)
        markers[i]->setLabel(legend[i]);
    const QString monthName = DateText::frenchMonth(m_month);
    chart->setTitle(slices->count() ? QStringLiteral("Dépenses de %1 %2 par poste").arg(monthName).arg(m_year)
                                    : QStringLiteral("Aucune dépense en %1 %2").arg(monthName).arg(m_year));
    chart->legend()->setAlignment(Qt::AlignRight);
}

QBarSeries *BilanWindow::fillBars(QChart *chart) const
{
    // Expenses and incomes side by side, month by month.
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis); // the chart gives the axis back to us
        delete axis;
    }
    auto *expenses = new QBarSet(QStringLiteral("Dépenses"));
    auto *incomes = new QBarSet(QStringLiteral("Recettes"));
    expenses->setColor(kExpense);
    incomes->setColor(kIncome);
    QStringList categories;
    for (int m = 0; m < 12; ++m) {
        *expenses << double(m_yearSums.months[m].expense) / 100.0;
        *incomes << double(m_yearSums.months[m].income) / 100.0;
        categories << QString::fromUtf16(kShortMonths[m]);
    }
    auto *series = new QBarSeries;
    series->setObjectName(QStringLiteral("DepensesRecettes"));
    series->append(expenses);
    series->append(incomes);
    chart->addSeries(series);
    auto *months = new QBarCategoryAxis;
    months->append(categories);
    chart->addAxis(months, Qt::AlignBottom);
    series->attachAxis(months);
    auto *amounts = new QValueAxis;
    amounts->setLabelFormat(QStringLiteral("%.0f €"));
    chart->addAxis(amounts, Qt::AlignLeft);
    series->attachAxis(amounts);
    if (amounts->max() > 0 || amounts->min() < 0) {
        amounts->setMin(qMin(0.0, amounts->min()));
        amounts->applyNiceNumbers();
    } else {
        amounts->setRange(0, 100); // an empty year
    }
    chart->setTitle(QStringLiteral("Année %1 : dépenses et recettes par mois").arg(m_year));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return series;
}

QImage BilanWindow::printImage(bool year, QSizeF size) const
{
    // A chart of its own, laid out at a size whose fonts read well once the
    // picture fills its box on paper, drawn three times as fine so that it
    // stays sharp at printer resolution.
    constexpr int scale = 3;
    QGraphicsScene scene;
    auto *chart = new QChart;
    scene.addItem(chart);
    chart->setLocale(DateText::appLocale());
    chart->setLocalizeNumbers(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    if (year)
        fillBars(chart);
    else
        fillPie(chart);
    chart->setTitle(QString()); // the page has its own heading
    chart->setGeometry(QRectF(QPointF(0, 0), size));
    QImage image((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(image.rect()), QRectF(QPointF(0, 0), size));
    return image;
}

void BilanWindow::preview()
{
    PrintJob::offerPdfWithoutPrinters(m_printer, QDir::current().filePath(QStringLiteral("Tivarel.pdf")));
    // Portrait sheets, unless the user turns them in the preview.
    m_printer.setPageOrientation(QPageLayout::Portrait);
    QPrintPreviewDialog dialog(&m_printer, this);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Aperçu avant impression"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *target) {
        PrintJob::paint(
            *target, [this](MmCanvas &c) { draw(c); }, true);
    });
    m_ui.exec(&dialog);
}

void BilanWindow::draw(MmCanvas &canvas) const
{
    constexpr int right = 180;
    constexpr int pieHeight = 95;
    constexpr int barsHeight = 106;
    const QString monthName = DateText::frenchMonth(m_month);
    int y = 0;
    // A line of the sums; a new page starts before one would run off.
    auto nextLine = [&canvas, &y](int step) {
        y += step;
        if (!canvas.lineFits(y)) {
            canvas.newPage();
            y = 0;
        }
    };

    canvas.setFont(QStringLiteral("Arial"), 12, true);
    canvas.textOut(0, y, QStringLiteral("Bilan du budget - compte ") + m_account);
    y = 10;
    canvas.setFont(QStringLiteral("Arial"), 10, true);
    canvas.textOut(0, y, QStringLiteral("Dépenses de %1 %2 par poste").arg(monthName).arg(m_year));
    canvas.picture(0, y + 6, right, y + 6 + pieHeight, printImage(false, QSizeF(680, 360)));
    y += pieHeight + 10;
    canvas.setFont(QStringLiteral("Arial"), 10, false);
    for (const auto &p : m_monthSums.byPost) {
        canvas.textIn(0, y, 120, p.post);
        canvas.textOutRight(right, y, euros(p.cents));
        nextLine(5);
    }
    canvas.line(0, y, right, y);
    nextLine(2);
    canvas.setFont(QStringLiteral("Arial"), 10, true);
    canvas.textOut(0, y, QStringLiteral("Total des dépenses"));
    canvas.textOutRight(right, y, euros(m_monthSums.totals.expense));
    nextLine(5);
    canvas.textOut(0, y, QStringLiteral("Total des recettes"));
    canvas.textOutRight(right, y, euros(m_monthSums.totals.income));

    // The year on the same page when it fits whole, else on the next.
    y += 12;
    if (y + barsHeight + 6 + 14 * 5 + 9 > canvas.pageHeightMm()) {
        canvas.newPage();
        y = 0;
    }
    canvas.textOut(0, y, QStringLiteral("Année %1 : dépenses et recettes par mois").arg(m_year));
    canvas.picture(0, y + 6, right, y + 6 + barsHeight, printImage(true, QSizeF(680, 400)));
    y += barsHeight + 10;
    canvas.textOut(0, y, QStringLiteral("Mois"));
    canvas.textOutRight(130, y, QStringLiteral("Dépenses"));
    canvas.textOutRight(right, y, QStringLiteral("Recettes"));
    canvas.setFont(QStringLiteral("Arial"), 10, false);
    nextLine(6);
    for (int m = 0; m < 12; ++m) {
        canvas.textOut(0, y, DateText::frenchMonth(m + 1));
        canvas.textOutRight(130, y, euros(m_yearSums.months[m].expense));
        canvas.textOutRight(right, y, euros(m_yearSums.months[m].income));
        nextLine(5);
    }
    canvas.line(0, y, right, y);
    nextLine(2);
    canvas.setFont(QStringLiteral("Arial"), 10, true);
    canvas.textOut(0, y, QStringLiteral("Total"));
    canvas.textOutRight(130, y, euros(m_yearSums.totals.expense));
    canvas.textOutRight(right, y, euros(m_yearSums.totals.income));
}

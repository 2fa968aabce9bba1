#include "budget/BudgetPage.h"

#include "budget/BudgetFormat.h"
#include "budget/BudgetGridModel.h"
#include "budget/BudgetPrint.h"
#include "budget/NamedList.h"
#include "common/Amount.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStandardItemModel>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTimer>

namespace {

// Header sections over the entry line, and the journal's column widths.
constexpr std::array<int, 5> kHeaderWidths = {90, 159, 217, 103, 80};
constexpr std::array<int, BudgetGrid::Columns> kColumnWidths = {90, 160, 210, 100, 100, 10};
constexpr int kRowHeight = 22;

// Geometry of the page, in pixels from its top-left corner, at the usual
// font (a larger one makes them larger).
constexpr int kCaptionHeight = 30;
constexpr int kEntryHeight = 24;
constexpr int kGridWidth = 90 + 160 + 210 + 100 + 100 + 10 + 22; // columns, scroll bar and frame
constexpr int kTotalsHeight = 26;
constexpr int kMonthButtonHeight = 24;

const char *const kMonthButtons[12] = {"Jan", "Fév", "Mar", "Avr", "Mai", "Jun",
                                       "Jul", "Aoû", "Sep", "Oct", "Nov", "Déc"};

const QString kCaisse = QStringLiteral("Caisse");

// Focus changes that are not the user leaving a box for another one of the
// page: opening its drop-down list, another window, the menu bar.
bool leavesPage(const QFocusEvent *e)
{
    return e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason
           || e->reason() == Qt::MenuBarFocusReason;
}

} // namespace

BudgetPage::BudgetPage(DocumentContext &context, BudgetMonth &month, QWidget *parent)
    : SectionPage(context, SectionId::Budget, parent), m_month(month)
{
    context.accountsAboutToChange = [this] { accountsAboutToChange(); };
    context.accountsReplaced = [this] { accountsReplaced(); };
    buildWidgets();
    layoutFor(800, 560);
    Razbgt();
}

void BudgetPage::buildWidgets()
{
    m_caption = new QLabel(QStringLiteral("Budget"), this);
    m_caption->setObjectName(QStringLiteral("Panel16"));
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Raised);
    m_caption->setIndent(8);
    QFont bold = m_caption->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_caption->setFont(bold);

    m_accountLabel = new QLabel(QStringLiteral("Compte"), this);
    m_accountLabel->setObjectName(QStringLiteral("Label24"));

    m_accounts = context().comboBox(2);
    if (!m_accounts) {
        m_accounts = new QComboBox(this);
        m_accounts->setObjectName(QStringLiteral("ComboBox2"));
    }
    m_accounts->setParent(this);
    m_accounts->show();
    m_accounts->installEventFilter(this);
    connect(m_accounts, &QComboBox::activated, this, [this] { ComboBox2Change(); });

    auto *headerModel = new QStandardItemModel(0, int(kHeaderWidths.size()), this);
    headerModel->setHorizontalHeaderLabels({QStringLiteral("Date"), QStringLiteral("Poste"),
                                            QStringLiteral("Description"), QStringLiteral("Dépenses"),
                                            QStringLiteral("Recettes")});
    m_header = new QHeaderView(Qt::Horizontal, this);
    m_header->setObjectName(QStringLiteral("Header1"));
    m_header->setModel(headerModel);
    m_header->setSectionsClickable(false);
    m_header->setSectionResizeMode(QHeaderView::Fixed);
    m_header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int i = 0; i < int(kHeaderWidths.size()); ++i)
        m_header->resizeSection(i, kHeaderWidths[i]);

    m_date = new QLineEdit(this);
    m_date->setObjectName(QStringLiteral("MaskEdit1"));
    m_date->setInputMask(QStringLiteral("99/99/9999;_"));
    m_date->installEventFilter(this);

    m_posts = context().comboBox(1);
    if (!m_posts) {
        m_posts = new QComboBox(this);
        m_posts->setObjectName(QStringLiteral("ComboBox1"));
    }
    m_posts->setParent(this);
    m_posts->show();
    m_posts->installEventFilter(this);

    m_description = new QLineEdit(this);
    m_description->setObjectName(QStringLiteral("Edit2"));
    m_expense = new QLineEdit(this);
    m_expense->setObjectName(QStringLiteral("Edit3"));
    m_expense->setAlignment(Qt::AlignRight);
    m_income = new QLineEdit(this);
    m_income->setObjectName(QStringLiteral("Edit6"));
    m_income->setAlignment(Qt::AlignRight);
    for (QLineEdit *e : {m_description, m_expense, m_income})
        e->installEventFilter(this);

    m_gridModel = new BudgetGridModel(m_month.grid(), this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("StringGrid1"));
    m_grid->setModel(m_gridModel);
    m_grid->horizontalHeader()->hide();
    m_grid->horizontalHeader()->setMinimumSectionSize(4); // the mark column is 10 wide
    m_grid->verticalHeader()->hide();
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setWordWrap(false);
    // A double click anywhere on a row takes it (see eventFilter).
    m_grid->viewport()->installEventFilter(this);
    m_grid->installEventFilter(this);

    m_totalsLabel = new QLabel(QStringLiteral("Totaux"), this);
    m_totalsLabel->setObjectName(QStringLiteral("Label25"));
    m_totalsLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_expenseTotal = new QLineEdit(this);
    m_expenseTotal->setObjectName(QStringLiteral("Edit4"));
    m_incomeTotal = new QLineEdit(this);
    m_incomeTotal->setObjectName(QStringLiteral("Edit5"));
    for (QLineEdit *e : {m_expenseTotal, m_incomeTotal}) {
        e->setReadOnly(true);
        e->setAlignment(Qt::AlignRight);
        e->setFocusPolicy(Qt::NoFocus);
    }

    m_monthPanel = new QFrame(this);
    m_monthPanel->setObjectName(QStringLiteral("Panel17"));
    for (int m = 1; m <= 12; ++m) {
        auto *b = new QPushButton(QString::fromUtf8(kMonthButtons[m - 1]), m_monthPanel);
        b->setObjectName(QStringLiteral("Button%1").arg(27 + m));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(2, 2 + (m - 1) * (kMonthButtonHeight + 2), 52, kMonthButtonHeight);
        connect(b, &QPushButton::clicked, this, [this, m] { monthButtonClick(m); });
        m_monthButtons[m - 1] = b;
    }

    setTabOrder(m_date, m_posts);
    setTabOrder(m_posts, m_description);
    setTabOrder(m_description, m_expense);
    setTabOrder(m_expense, m_income);
    setTabOrder(m_income, m_grid);
}

void BudgetPage::layoutFor(int width, int height)
{
    // The pixel sizes of the usual font are the least each part gets; a
    // larger font (QT_FONT_DPI 144, 192) widens and heightens what would
    // otherwise cut a date, an amount, a caption or an account's name.
    const QFontMetrics fm(font());
    const double scale = std::max(1.0, logicalDpiY() / 96.0);
    auto fit = [&fm](int least, const QString &text, int margin = 12) {
        return std::max(least, fm.horizontalAdvance(text) + margin);
    };
    const QString amount = QStringLiteral("-00 000 000,00");
    const std::array<int, BudgetGrid::Columns> cols = {fit(kColumnWidths[0], QStringLiteral("00/00/0000")),
                                                       int(kColumnWidths[1] * scale),
                                                       int(kColumnWidths[2] * scale),
                                                       fit(kColumnWidths[3], amount),
                                                       fit(kColumnWidths[4], amount),
                                                       kColumnWidths[5]};
    const QStringList titles{QStringLiteral("Date"), QStringLiteral("Poste"), QStringLiteral("Description"),
                             QStringLiteral("Dépenses"), QStringLiteral("Recettes")};
    std::array<int, 5> header{};
    for (int i = 0; i < 5; ++i)
        header[i] = fit(int(kHeaderWidths[i] * scale), titles[i], 20);
    const int rowHeight = std::max(kRowHeight, fm.height() + 6);
    const int entryHeight = std::max(kEntryHeight, fm.height() + 10);
    const int captionHeight = std::max(kCaptionHeight, fm.height() + 14);
    const int headerTop = captionHeight + 4;
    const int headerHeight = std::max(22, fm.height() + 6);
    const int entryTop = headerTop + headerHeight + 2;
    const int gridTop = entryTop + entryHeight + 4;
    int accountWidth = 105;
    for (int i = 0; i < m_accounts->count(); ++i)
        accountWidth = fit(accountWidth, m_accounts->itemText(i), 40);

    const int w = width;
    const int h = qMax(height, gridTop + 4 * rowHeight + kTotalsHeight);
    m_caption->setGeometry(0, 0, w, captionHeight);
    const int monthWidth = fit(52, QStringLiteral("Déc"), 16);
    const int accountsLeft = w - 65 - accountWidth - (monthWidth - 52);
    const int labelWidth = fit(56, m_accountLabel->text(), 6);
    m_accountLabel->setGeometry(accountsLeft - 4 - labelWidth, 5, labelWidth, std::max(20, fm.height() + 4));
    m_accounts->setGeometry(accountsLeft, 3, accountWidth, std::max(24, fm.height() + 10));
    m_accountLabel->raise();
    m_accounts->raise();

    int x = 0;
    QWidget *entry[] = {m_date, m_posts, m_description, m_expense, m_income};
    for (int i = 0; i < 5; ++i) {
        m_header->resizeSection(i, header[i]);
        entry[i]->setGeometry(x, entryTop, header[i], entryHeight);
        x += header[i];
    }
    m_header->setGeometry(0, headerTop, x + 2, headerHeight);

    // The journal keeps its 128 rows and its column widths whatever the size.
    int gridWidth = 22; // scroll bar and frame
    for (int c = 0; c < BudgetGrid::Columns; ++c) {
        m_grid->setColumnWidth(c, cols[c]);
        gridWidth += cols[c];
    }
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    const int gridHeight = h - gridTop - kTotalsHeight - 6;
    m_grid->setGeometry(0, gridTop, std::max(gridWidth, kGridWidth), gridHeight);

    const int totalsTop = gridTop + gridHeight + 3;
    const int expenseLeft = cols[0] + cols[1] + cols[2];
    m_totalsLabel->setGeometry(expenseLeft - 160, totalsTop, 150, entryHeight);
    // The totals are written padded to the amounts' width.
    const QString total = Amount::rightAligned(QStringLiteral("-0000000,00"), BudgetFormat::AmountWidth);
    const int expenseWidth = fit(cols[3], total, 16);
    m_expenseTotal->setGeometry(expenseLeft, totalsTop, expenseWidth, entryHeight);
    m_incomeTotal->setGeometry(expenseLeft + expenseWidth, totalsTop, fit(cols[4], total, 16), entryHeight);

    const int buttonHeight = std::max(kMonthButtonHeight, fm.height() + 8);
    for (int m = 0; m < 12; ++m)
        m_monthButtons[m]->setGeometry(2, 2 + m * (buttonHeight + 2), monthWidth, buttonHeight);
    m_monthPanel->setGeometry(w - monthWidth - 8, headerTop, monthWidth + 4, 12 * (buttonHeight + 2) + 4);
}

// ---------------------------------------------------------------------------
// Document set

void BudgetPage::reset()
{
    m_reportedKeys.clear();
    m_caption->setText(QStringLiteral("Budget"));
    showGrid();
    m_expenseTotal->clear();
    m_incomeTotal->clear();
    Razbgt();
}

void BudgetPage::loaded()
{
    m_reportedKeys.clear();
    if (isVisibleTo(window())) {
        LitMois();
    } else {
        showGrid();
        Total();
        Razbgt();
    }
}

// ---------------------------------------------------------------------------
// Months

void BudgetPage::EcritMois()
{
    if (m_month.storeMonth())
        context().document().setModified();
}

QString BudgetPage::ensureAccount()
{
    if (m_accounts->count() == 0)
        m_accounts->addItem(kCaisse);
    if (m_accounts->currentIndex() < 0) {
        const int caisse = m_accounts->findText(kCaisse);
        m_accounts->setCurrentIndex(caisse >= 0 ? caisse : 0);
    }
    return m_accounts->currentText();
}

QString BudgetPage::shownAccount(const BudgetMonth &month, const QComboBox *accounts)
{
    if (month.hasShownMonth())
        return month.shownAccount();
    return !accounts || accounts->currentText().isEmpty() ? kCaisse : accounts->currentText();
}

void BudgetPage::LitMois()
{
    const QString account = ensureAccount();
    m_caption->setText(m_month.caption());
    const auto result = m_month.openMonth(account);
    showGrid();
    Total();
    Razbgt();
    if (isVisible())
        m_date->setFocus(Qt::OtherFocusReason);
    reportDamage(result);
}

void BudgetPage::reportDamage(const BudgetMonth::DisplayResult &r)
{
    if (r.damagedLines == 0 && r.droppedDeferred == 0)
        return;
    if (m_reportedKeys.contains(m_month.shownKey()))
        return;
    m_reportedKeys.insert(m_month.shownKey());
    QString text = QStringLiteral("Budget de %1 %2, compte %3 :")
                       .arg(m_month.monthName())
                       .arg(m_month.year())
                       .arg(m_month.shownAccount());
    if (r.damagedLines > 0)
        text += QStringLiteral("\n%1 ligne(s) illisible(s) du fichier budget ont été ignorées.").arg(r.damagedLines);
    if (r.droppedDeferred > 0)
        text += QStringLiteral("\n%1 écriture(s) différée(s) ne tiennent plus dans les 128 lignes du mois.")
                    .arg(r.droppedDeferred);
    context().ui().message(context().dialogParent(), text, UiServices::Icon::Warning, QMessageBox::Ok);
}

void BudgetPage::precedent()
{
    EcritMois();
    m_month.previousMonth();
    LitMois();
}

void BudgetPage::suivant()
{
    EcritMois();
    m_month.nextMonth();
    LitMois();
}

void BudgetPage::monthButtonClick(int month)
{
    EcritMois();
    m_month.setMonth(month);
    LitMois();
}

void BudgetPage::ComboBox2Change()
{
    if (m_month.hasShownMonth() && m_accounts->currentText() == m_month.shownAccount())
        return;
    // The shown month goes back under the account it was read for, then the
    // chosen account's month is read.
    EcritMois();
    LitMois();
}

void BudgetPage::accountsAboutToChange()
{
    EcritMois();
}

void BudgetPage::accountsReplaced()
{
    if (isVisibleTo(window()))
        LitMois();
}

// ---------------------------------------------------------------------------
// Entry line and grid

void BudgetPage::showGrid()
{
    m_gridModel->refresh();
}

void BudgetPage::Razbgt()
{
    m_date->clear();
    m_posts->setCurrentIndex(-1);
    m_posts->setPlaceholderText(QString());
    m_description->clear();
    m_expense->clear();
    m_income->clear();
}

QString BudgetPage::dateBoxText() const
{
    // The mask shows blanks as "_"; a date typed in part keeps its blanks as
    // spaces, as the older program stored them. Nothing typed is empty.
    QString digits = m_date->text();
    digits.remove(u'/');
    if (digits.trimmed().isEmpty())
        return QString();
    QString s = m_date->displayText();
    s.replace(u'_', u' ');
    return s;
}

void BudgetPage::MaskEdit1Exit()
{
    const QString t = dateBoxText();
    if (t.isEmpty() || t[0] == u' ')
        m_date->setText(DateText::text(context().clock().today()));
}

void BudgetPage::ComboBox1Exit()
{
    const int i = m_posts->currentIndex();
    if (i < 0) {
        // A post shown from a journal line but no longer in the list.
        const QString kept = m_posts->placeholderText();
        if (!kept.isEmpty()) {
            m_posts->setPlaceholderText(NamedList::withCapitalFirst(kept));
            return;
        }
        // A post must be chosen before leaving (when there is one to choose).
        if (m_posts->count() > 0)
            focusLater(m_posts);
        return;
    }
    // Using a post marks it: its first letter becomes a capital, in the list
    // and in the box, which protects it from deletion in the posts editor.
    const QString text = m_posts->itemText(i);
    const QString marked = NamedList::withCapitalFirst(text);
    if (marked != text)
        m_posts->setItemText(i, marked);
}

void BudgetPage::focusLater(QWidget *w)
{
    // Runs once the focus has moved: only a move on along the entry line is
    // sent back (a click in the grid or on the account box is not held up).
    QTimer::singleShot(0, w, [this, w] {
        if (w == m_posts && m_posts->currentIndex() >= 0)
            return;
        QWidget *now = QApplication::focusWidget();
        const bool alongEntryLine = now == m_date || now == m_description || now == m_expense || now == m_income;
        if (alongEntryLine && w->isVisible()) {
            w->setFocus(Qt::OtherFocusReason);
            // Said in the status bar, where the window shows hints.
            QStatusTipEvent tip(QStringLiteral("Choisissez d'abord un poste : une ligne du budget en demande un."));
            QCoreApplication::sendEvent(w, &tip);
        }
    });
}

void BudgetPage::Edit2KeyPress()
{
    if (dateBoxText().isEmpty() || dateBoxText()[0] == u' ')
        MaskEdit1Exit();
    BudgetMonth::Entry e;
    e.date = dateBoxText();
    e.post = m_posts->currentIndex() >= 0 ? m_posts->currentText() : m_posts->placeholderText();
    e.description = m_description->text();
    e.expense = m_expense->text();
    e.income = m_income->text();

    UiServices &ui = context().ui();
    QWidget *parent = context().dialogParent();
    switch (m_month.commit(e)) {
    case BudgetMonth::CommitResult::NoAmount: m_expense->setFocus(Qt::OtherFocusReason); return;
    case BudgetMonth::CommitResult::BadExpense:
        ui.showError(parent, QStringLiteral("La dépense « %1 » n'est pas un montant.").arg(e.expense.trimmed()));
        m_expense->setFocus(Qt::OtherFocusReason);
        return;
    case BudgetMonth::CommitResult::BadIncome:
        ui.showError(parent, QStringLiteral("La recette « %1 » n'est pas un montant.").arg(e.income.trimmed()));
        m_income->setFocus(Qt::OtherFocusReason);
        return;
    case BudgetMonth::CommitResult::Full:
        ui.showError(
            parent,
            QStringLiteral("Le mois compte déjà %1 lignes : aucune ligne ne peut être ajoutée.").arg(BudgetGrid::Rows));
        return;
    case BudgetMonth::CommitResult::Committed: break;
    }
    Razbgt();
    showGrid();
    m_date->setFocus(Qt::OtherFocusReason);
    Total();
    context().document().setModified();
}

void BudgetPage::StringGrid1DblClick(int row)
{
    const BudgetMonth::Entry e = m_month.takeRow(row);
    Razbgt();
    if (!e.date.isEmpty())
        m_date->setText(e.date);
    if (!e.post.isEmpty()) {
        const int i = m_posts->findText(e.post);
        m_posts->setCurrentIndex(i);
        // A post that left the list stays with the line.
        if (i < 0)
            m_posts->setPlaceholderText(e.post);
    }
    m_description->setText(e.description);
    m_expense->setText(e.expense);
    m_income->setText(e.income);
    m_date->setFocus(Qt::OtherFocusReason);
}

void BudgetPage::supprime()
{
    const int row = m_grid->currentIndex().row();
    const BudgetGrid &g = m_month.grid();
    QStringList named;
    for (int c :
         {BudgetGrid::Date, BudgetGrid::Post, BudgetGrid::Description, BudgetGrid::Expense, BudgetGrid::Income}) {
        if (!g.cell(row, c).trimmed().isEmpty())
            named << g.cell(row, c).trimmed();
    }
    if (named.isEmpty() || !confirmDelete(named.join(u' '), QStringLiteral("la ligne")))
        return;
    if (!m_month.removeRow(row))
        return;
    context().document().setModified();
    showGrid();
    Total();
    m_grid->setCurrentIndex(m_gridModel->index(std::min(row, std::max(0, g.lineCount() - 1)), 0));
}

void BudgetPage::Total()
{
    const auto t = m_month.grid().totals();
    m_expenseTotal->setText(Amount::rightAligned(Amount::format(t.expense), BudgetFormat::AmountWidth));
    m_incomeTotal->setText(Amount::rightAligned(Amount::format(t.income), BudgetFormat::AmountWidth));
}

// ---------------------------------------------------------------------------
// Events

bool BudgetPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // The post and account boxes take no typing: their text is always
        // one of their entries.
        if (watched == m_posts || watched == m_accounts) {
            const QString t = key->text();
            if (!t.isEmpty() && t[0].isPrint())
                return true;
        }
        if ((watched == m_description || watched == m_expense || watched == m_income)
            && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            Edit2KeyPress();
            return true;
        }
        // Enter and F2 on a grid row take it into the entry line, as a double
        // click does; Delete deletes it.
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (watched == m_grid && plain && m_grid->currentIndex().isValid()) {
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_F2) {
                StringGrid1DblClick(m_grid->currentIndex().row());
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                supprime();
                return true;
            }
        }
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == m_grid->viewport()) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QModelIndex index = m_grid->indexAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && index.isValid()) {
            m_grid->setCurrentIndex(index);
            StringGrid1DblClick(index.row());
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        auto *focus = static_cast<QFocusEvent *>(event);
        if (!leavesPage(focus)) {
            if (watched == m_date)
                MaskEdit1Exit();
            else if (watched == m_posts && isVisible())
                ComboBox1Exit();
        }
    }
    return SectionPage::eventFilter(watched, event);
}

bool BudgetPage::print(MmCanvas &canvas)
{
    BudgetPrint::ImpBudget(canvas, BudgetPrint::journalOf(*this));
    return true;
}

#include "collections/ShoppingPage.h"

#include "collections/ShoppingPrint.h"
#include "common/Clock.h"
#include "common/DateText.h"
#include "common/UiServices.h"
#include "document/DocumentContext.h"

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kItemRows = 63;
constexpr int kColumnWidths[] = {306, 120, 129, 129};

} // namespace

ShoppingPage::ShoppingPage(DocumentContext &context, BlockFile &file, QWidget *parent)
    : BlockSectionPage(context, file, SectionId::Shopping, parent)
{
    setObjectName(QStringLiteral("TabSheet8"));
    m_header = new QLabel(QStringLiteral("Liste des achats"), this);
    m_header->setObjectName(QStringLiteral("Panel23"));
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setFrameShape(QFrame::Panel);
    m_header->setFrameShadow(QFrame::Raised);
    QFont hf = m_header->font();
    hf.setBold(true);
    m_header->setFont(hf);

    m_date = new QDateEdit(this);
    m_date->setObjectName(QStringLiteral("DateTimePicker5"));
    m_date->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_date->setCalendarPopup(true);
    connect(m_date, &QDateEdit::dateChanged, this, [this] { userEdit(); });

    m_shop = context.comboBox(6);
    if (!m_shop) { // a context without the document window's boxes
        m_shop = new QComboBox(this);
        m_shop->setObjectName(QStringLiteral("ComboBox6"));
    }
    m_shop->setParent(this);
    m_shop->setEditable(true);
    m_shop->setInsertPolicy(QComboBox::NoInsert);
    m_shop->setMinimumWidth(200);
    m_shop->show();
    // Only the user's typing or choice changes the list: the box's items are
    // also filled from the remembered lists and by the shops editor.
    connect(m_shop->lineEdit(), &QLineEdit::textEdited, this, [this] { userEdit(); });
    connect(m_shop, &QComboBox::activated, this, [this] { userEdit(); });

    m_grid = new QTableWidget(kItemRows, 4, this);
    m_grid->setObjectName(QStringLiteral("StringGrid5"));
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 6);
    // The titles are aligned by their blanks, as the numbers are.
    const QStringList heads = titles();
    for (int c = 0; c < 4; ++c) {
        auto *head = new QTableWidgetItem(heads[c]);
        head->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_grid->setHorizontalHeaderItem(c, head);
    }
    for (int c = 0; c < 4; ++c)
        m_grid->setColumnWidth(c, kColumnWidths[c]);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::cellChanged, this, &ShoppingPage::cellEdited);
    // Enter in a cell being edited: the editor commits and closes, then the
    // key rules apply as for Enter on a cell that is not being edited.
    connect(m_grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget *, QAbstractItemDelegate::EndEditHint hint) {
                if (hint == QAbstractItemDelegate::SubmitModelCache)
                    StringGrid5Enter();
            });

    m_total = new QLabel(this);
    m_total->setObjectName(QStringLiteral("Label50"));
    m_total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_total->setMinimumWidth(120);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Date"), this));
    top->addWidget(m_date);
    top->addSpacing(20);
    top->addWidget(new QLabel(QStringLiteral("Magasin"), this));
    top->addWidget(m_shop);
    top->addStretch(1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(new QLabel(QStringLiteral("Total"), this));
    bottom->addWidget(m_total);
    bottom->addWidget(new QLabel(QStringLiteral("Euros"), this));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_header);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    readRecord();
}

// ---------------------------------------------------------------------------
// Screen and lines

Shopping::Measure ShoppingPage::measure() const
{
    const QFontMetrics fm = m_grid->fontMetrics();
    return [fm](const QString &s) { return fm.horizontalAdvance(s); };
}

QStringList ShoppingPage::titles() const
{
    return Shopping::titles(measure());
}

QList<Shopping::Row> ShoppingPage::gridRows(int upTo) const
{
    QList<Shopping::Row> rows;
    upTo = std::min(upTo, m_grid->rowCount());
    rows.reserve(upTo);
    auto cell = [this](int r, int c) {
        const QTableWidgetItem *it = m_grid->item(r, c);
        return it ? it->text() : QString();
    };
    for (int r = 0; r < upTo; ++r)
        rows.append({cell(r, 0), cell(r, 1), cell(r, 2), cell(r, 3)});
    return rows;
}

void ShoppingPage::setGridRows(const QList<Shopping::Row> &rows)
{
    const bool filling = m_filling;
    m_filling = true;
    if (rows.size() > m_grid->rowCount())
        m_grid->setRowCount(int(rows.size()));
    auto set = [this](int r, int c, const QString &text) {
        QTableWidgetItem *it = m_grid->item(r, c);
        if (!it)
            m_grid->setItem(r, c, new QTableWidgetItem(text));
        else if (it->text() != text)
            it->setText(text);
    };
    for (int r = 0; r < rows.size(); ++r) {
        set(r, 0, rows[r].designation);
        set(r, 1, rows[r].quantity);
        set(r, 2, rows[r].price);
        set(r, 3, rows[r].amount);
    }
    m_filling = filling;
}

int ShoppingPage::lastTextRow() const
{
    for (int r = m_grid->rowCount() - 1; r >= 0; --r)
        for (int c = 0; c < 4; ++c)
            if (const QTableWidgetItem *it = m_grid->item(r, c); it && !it->text().trimmed().isEmpty())
                return r + 1;
    return 0;
}

QList<Shopping::Row> ShoppingPage::rows() const
{
    return gridRows(std::max(m_rowCount - 1, lastTextRow()));
}

QDate ShoppingPage::date() const
{
    return m_date->date();
}

QString ShoppingPage::shop() const
{
    return m_shop->currentText();
}

QString ShoppingPage::totalText() const
{
    return m_total->text();
}

void ShoppingPage::setTotal(qint64 cents)
{
    m_total->setText(Shopping::formatCents(cents));
}

// ---------------------------------------------------------------------------
// Edits

void ShoppingPage::userEdit()
{
    if (!m_filling)
        markEdited();
}

void ShoppingPage::cellEdited(int row, int column)
{
    if (m_filling)
        return;
    // A "." typed in a number column arrives as the decimal comma; a tab or
    // a line break as a blank (only what the user typed passes here).
    if (QTableWidgetItem *it = m_grid->item(row, column)) {
        QString text = it->text();
        for (QChar &c : text)
            c = Shopping::typed(c, column);
        if (text != it->text()) {
            m_filling = true;
            it->setText(text);
            m_filling = false;
        }
    }
    markEdited();
    // Amounts and total follow each committed price (or a quantity whose
    // price is there), whatever key committed it: Tab, Enter or a click.
    const QTableWidgetItem *price = m_grid->item(row, 2);
    if (column >= 2 || (column == 1 && price && !price->text().trimmed().isEmpty()))
        Calculec();
}

void ShoppingPage::Calculec()
{
    QList<Shopping::Row> rows = gridRows(m_grid->rowCount());
    const qint64 total = Shopping::calculate(rows, measure());
    setGridRows(rows);
    setTotal(total);
}

bool ShoppingPage::Validec() const
{
    return Shopping::hasDesignation(rows());
}

void ShoppingPage::StringGrid5Enter()
{
    const auto r = Shopping::enter(m_grid->currentRow() + 1, m_grid->currentColumn(), m_rowCount, m_grid->rowCount());
    if (!r.acts)
        return;
    Calculec();
    markEdited();
    m_rowCount = r.rowCount;
    m_grid->setCurrentCell(r.row - 1, r.column);
}

bool ShoppingPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Enter on a cell being edited is the editor's: it commits the cell
        // first, then closes (see closeEditor above); the key then comes
        // up to the grid too and is left alone here.
        const QWidget *focus = QApplication::focusWidget();
        const bool editing = focus && focus != m_grid && m_grid->isAncestorOf(focus);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !editing) {
            StringGrid5Enter();
            return true;
        }
    }
    return BlockSectionPage::eventFilter(watched, event);
}

void ShoppingPage::layoutFor(int width, int height)
{
    Q_UNUSED(height);
    m_grid->setColumnWidth(0, std::max(80, width - 426));
}

// ---------------------------------------------------------------------------
// Block-file hooks

void ShoppingPage::writeBack()
{
    // A changed list is written when the user leaves it, for another section
    // too, so what was typed is never lost.
    writeRecord();
}

bool ShoppingPage::mayWrite() const
{
    return recordChanged() && Validec();
}

void ShoppingPage::clearRecord()
{
    m_filling = true;
    m_date->setDate(context().clock().today());
    m_grid->setEnabled(true);
    m_shop->setEditText(QString());
    if (m_shop->count() > 0)
        m_shop->setEditText(m_shop->itemText(0));
    m_grid->clearContents();
    m_grid->setRowCount(kItemRows);
    // A list that is not in the file shows an empty grid and a zero total.
    m_rowCount = 1;
    setTotal(0);
    m_filling = false;
}

void ShoppingPage::showRecord(const QStringList &body)
{
    m_filling = true;
    const int number = currentRecord();
    if (!body.isEmpty()) {
        if (const auto d = DateText::fromText(body[0]))
            m_date->setDate(*d);
        else
            context().ui().message(context().dialogParent(),
                                   QStringLiteral("La liste d'achats n° %1 porte une date illisible : « %2 ».\n"
                                                  "La date du jour est affichée à sa place.")
                                       .arg(number + 1)
                                       .arg(body[0].left(40)),
                                   UiServices::Icon::Warning, QMessageBox::Ok);
    }
    if (body.size() > 1)
        m_shop->setEditText(body[1]);
    // The list of lines, not the shortened body, so that long lists keep
    // every row.
    const QList<Shopping::Row> items = Shopping::listItems(blockFile(), number);
    setGridRows(items);
    m_rowCount = int(items.size()) + 1;
    Calculec();
    m_filling = false;
}

std::optional<QStringList> ShoppingPage::recordFromScreen()
{
    // Rows typed without the closing Enter are computed as Enter would.
    Calculec();
    QStringList body{DateText::text(m_date->date()), m_shop->currentText()};
    for (const Shopping::Row &row : rows())
        if (!row.isBlank())
            body << Shopping::itemLine(row);
    return body;
}

bool ShoppingPage::print(MmCanvas &canvas)
{
    ShoppingPrint::ImpCourses(canvas, ShoppingPrint::sheetOf(*this));
    return true;
}

QString ShoppingPage::recordTitle() const
{
    const QString shop = m_shop->currentText().trimmed();
    return QStringLiteral("Liste du ") + m_date->date().toString(QStringLiteral("dd/MM/yyyy"))
           + (shop.isEmpty() ? QString() : QStringLiteral(", ") + shop);
}

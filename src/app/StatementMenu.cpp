#include "app/StatementMenu.h"

#include "app/ImportPreview.h"
#include "app/TChild.h"
#include "app/TMainForm.h"
#include "common/BaseName.h"
#include "common/Money.h"
#include "common/UiServices.h"
#include "document/SectionPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using Status = ExchangeItem::Status;
enum PreviewColumn
{
    DateColumn,
    DescriptionColumn,
    AmountColumn,
    PostColumn,
    StateColumn,
    ReasonColumn
};

// The imports of this session not yet saved with the document, kept by the
// document window (found by its object name).
class PendingImports : public QObject
{
public:
    explicit PendingImports(QObject *parent) : QObject(parent) { setObjectName(QStringLiteral("PendingImports")); }

    QList<StatementImport::Plan> plans; // imported since the last save
    QString document;                   // the document they were imported into

    // The document's memory with the imports not yet saved whose lines the
    // budget still holds (a document opened again since has not).
    ImportMemory memory(const QString &name, const BudgetStore &store) const
    {
        ImportMemory m;
        if (!name.isEmpty() && !m.load(ImportMemory::pathFor(name)))
            m.clear();
        if (m.lines().isEmpty() && !document.isEmpty() && document != name)
            m.load(ImportMemory::pathFor(document)); // saved under a new name: the memory goes with it
        for (const StatementImport::Plan &plan : plans) {
            for (const StatementImport::Item &item : plan.items) {
                if (item.status == ExchangeItem::Status::New && item.ticked
                    && StatementImport::inStore(store, plan.account, item))
                    m.add(plan.account, item.key);
            }
        }
        return m;
    }

    static PendingImports &of(TChild &child)
    {
        auto *p = child.findChild<PendingImports *>(QStringLiteral("PendingImports"), Qt::FindDirectChildrenOnly);
        return p ? *p : *new PendingImports(&child);
    }
};

// Only the post of a line can be changed.
class ReadOnlyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return nullptr;
    }
};

// The post box of a line to add: the posts list.
class PostDelegate : public QStyledItemDelegate
{
public:
    PostDelegate(const QStringList &posts, QObject *parent) : QStyledItemDelegate(parent), m_posts(posts) {}
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *box = new QComboBox(parent);
        box->setObjectName(QStringLiteral("PostEditor"));
        box->addItem(QString());
        box->addItems(m_posts);
        return box;
    }
    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *box = static_cast<QComboBox *>(editor);
        const QString post = index.data().toString();
        if (box->findText(post) < 0)
            box->addItem(post);
        box->setCurrentText(post);
    }
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override
    {
        model->setData(index, static_cast<QComboBox *>(editor)->currentText());
    }

private:
    QStringList m_posts;
};

QStringList boxItems(QComboBox *box)
{
    QStringList items;
    for (int i = 0; box && i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

std::optional<BankStatement::Format> formatOf(const QString &path, const QByteArray &data)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"ofx" || suffix == u"qfx" || data.left(1024).toUpper().contains("OFX"))
        return BankStatement::Format::Ofx;
    if (suffix == u"qif" || data.trimmed().startsWith('!'))
        return BankStatement::Format::Qif;
    return BankStatement::Format::Csv;
}

} // namespace

// ---------------------------------------------------------------------------
// The CSV columns

StatementCsvDialog::StatementCsvDialog(const QByteArray &bytes, const BankStatement::CsvMapping &proposed,
                                       QWidget *parent)
    : QDialog(parent), m_data(bytes)
{
    setObjectName(QStringLiteral("StatementCsvDialog"));
    setWindowTitle(QStringLiteral("Colonnes du relevé"));
    resize(720, 460);
    m_separator = new QComboBox(this);
    m_separator->setObjectName(QStringLiteral("SeparatorBox"));
    m_separator->addItem(QStringLiteral("Point-virgule ;"), QString(u';'));
    m_separator->addItem(QStringLiteral("Virgule ,"), QString(u','));
    m_separator->addItem(QStringLiteral("Tabulation"), QString(u'\t'));
    m_separator->setCurrentIndex(std::max(0, m_separator->findData(QString(proposed.separator))));
    m_firstRow = new QSpinBox(this);
    m_firstRow->setObjectName(QStringLiteral("FirstRowBox"));
    m_firstRow->setRange(1, 1000);
    m_firstRow->setValue(proposed.firstRow + 1);
    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("PreviewTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Séparateur"), m_separator);
    form->addRow(QStringLiteral("Première opération à la ligne"), m_firstRow);
    const QStringList names{QStringLiteral("Date"),    QStringLiteral("Libellé"), QStringLiteral("Détail"),
                            QStringLiteral("Montant"), QStringLiteral("Débit"),   QStringLiteral("Crédit")};
    const QStringList objects{"DateColumn",   "DescriptionColumn", "MemoColumn",
                              "AmountColumn", "DebitColumn",       "CreditColumn"};
    const std::array<int, 6> chosen{proposed.date,   proposed.description, proposed.memo,
                                    proposed.amount, proposed.debit,       proposed.credit};
    for (int i = 0; i < names.size(); ++i) {
        auto *box = new QComboBox(this);
        box->setObjectName(objects[i]);
        box->setProperty("chosen", chosen[i]);
        form->addRow(names[i], box);
        m_roles << box;
        connect(box, &QComboBox::currentIndexChanged, this, &StatementCsvDialog::check);
    }
    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("OkButton"));
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_separator, &QComboBox::currentIndexChanged, this, &StatementCsvDialog::refill);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(form);
    layout->addWidget(buttons);
    refill();
}

void StatementCsvDialog::refill()
{
    const QChar sep = m_separator->currentData().toString().at(0);
    const auto rows = BankStatement::csvRows(m_data, sep, 8);
    int columns = 0;
    for (const QStringList &r : rows)
        columns = std::max(columns, int(r.size()));
    m_table->clear();
    m_table->setRowCount(rows.size());
    m_table->setColumnCount(columns);
    QStringList headers;
    for (int c = 0; c < columns; ++c)
        headers << QStringLiteral("Colonne %1").arg(c + 1);
    m_table->setHorizontalHeaderLabels(headers);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c)
            m_table->setItem(r, c, new QTableWidgetItem(rows[r][c]));
    }
    for (QComboBox *box : std::as_const(m_roles)) {
        const int keep = box->count() > 0 ? box->currentIndex() - 1 : box->property("chosen").toInt();
        const QSignalBlocker block(box);
        box->clear();
        box->addItem(QStringLiteral("(aucune)"), -1);
        for (int c = 0; c < columns; ++c)
            box->addItem(headers[c], c);
        box->setCurrentIndex(keep >= 0 && keep < columns ? keep + 1 : 0);
    }
    check();
}

void StatementCsvDialog::check()
{
    m_ok->setEnabled(mapping().isValid());
}

BankStatement::CsvMapping StatementCsvDialog::mapping() const
{
    BankStatement::CsvMapping m;
    m.separator = m_separator->currentData().toString().at(0);
    m.firstRow = m_firstRow->value() - 1;
    std::array<int *, 6> roles{&m.date, &m.description, &m.memo, &m.amount, &m.debit, &m.credit};
    for (int i = 0; i < 6; ++i)
        *roles[i] = m_roles[i]->currentData().toInt();
    if (m.amount >= 0)
        m.debit = m.credit = -1;
    return m;
}

// ---------------------------------------------------------------------------
// The preview

StatementPreview::StatementPreview(const QString &title, const StatementImport::Plan &plan, const QStringList &posts,
                                   QWidget *parent)
    : QDialog(parent), m_plan(plan)
{
    setObjectName(QStringLiteral("StatementPreview"));
    setWindowTitle(title);
    resize(820, 460);
    auto *summary = new QLabel(QStringLiteral("Compte %1 : %2 à ajouter, %3 déjà présent(s), %4 refusé(s).")
                                   .arg(plan.account)
                                   .arg(plan.count(Status::New))
                                   .arg(plan.count(Status::Present))
                                   .arg(plan.count(Status::Refused)),
                               this);
    summary->setObjectName(QStringLiteral("SummaryLabel"));
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ItemList"));
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("Date"), QStringLiteral("Description"), QStringLiteral("Montant"),
                             QStringLiteral("Poste"), QStringLiteral("État"), QStringLiteral("Remarque")});
    m_list->setItemDelegate(new ReadOnlyDelegate(m_list));
    m_list->setItemDelegateForColumn(PostColumn, new PostDelegate(posts, m_list));
    m_list->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    for (const StatementImport::Item &item : plan.items) {
        const QStringList cells = StatementImport::lineOf(item);
        const auto &t = item.transaction;
        auto *row = new QTreeWidgetItem(m_list, {t.date.isValid() ? cells[0] : t.dateText, cells[2],
                                                 t.cents ? Money::formatCents(*t.cents) : t.amountText, item.post,
                                                 ExchangeItem::statusText(item.status), item.reason});
        row->setTextAlignment(AmountColumn, Qt::AlignRight | Qt::AlignVCenter);
        row->setToolTip(ReasonColumn, item.reason);
        if (item.status == Status::New) {
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEditable);
            row->setCheckState(DateColumn, item.ticked ? Qt::Checked : Qt::Unchecked);
        } else {
            row->setFlags(row->flags() & ~Qt::ItemIsEnabled);
        }
    }
    for (int c = 0; c < ReasonColumn; ++c)
        m_list->header()->setSectionResizeMode(c, QHeaderView::ResizeToContents);

    ImportPreview::layOut(*this, summary, m_list, plan.count(Status::New) > 0);
}

StatementImport::Plan StatementPreview::chosen() const
{
    StatementImport::Plan p = m_plan;
    for (int i = 0; i < p.items.size(); ++i) {
        StatementImport::Item &item = p.items[i];
        const QTreeWidgetItem *row = m_list->topLevelItem(i);
        item.ticked = item.status == Status::New && row->checkState(DateColumn) == Qt::Checked;
        item.post = row->text(PostColumn);
    }
    return p;
}

// ---------------------------------------------------------------------------
// The command

namespace StatementMenu {

void importStatement(TMainForm &m)
{
    TChild &child = *m.child();
    const QString document = child.document().name;
    const QString folder = document.isEmpty() ? m.startDirectory() : QFileInfo(document).absolutePath();
    const QString path =
        m.ui().openFileName(&m, QStringLiteral("Importer un relevé bancaire"), folder, QStringLiteral("*.ofx"),
                            QStringLiteral("Relevés bancaires (*.ofx *.qfx *.qif *.csv *.txt);;Tous les fichiers (*)"));
    if (path.isEmpty())
        return;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m.ui().showError(&m, QStringLiteral("Impossible de lire ") + BaseName::fileNamePart(path));
        return;
    }
    const QByteArray data = f.readAll();
    child.ensurePages();
    child.writeBackAll();
    const QString account = child.budgetAccount();
    PendingImports &pending = PendingImports::of(child);
    BudgetMonth &budget = child.model().budget();
    ImportMemory memory = pending.memory(document, budget.store());

    BankStatement::Statement statement;
    QString columnsChosen;
    switch (*formatOf(path, data)) {
    case BankStatement::Format::Ofx: statement = BankStatement::readOfx(path); break;
    case BankStatement::Format::Qif: statement = BankStatement::readQif(data); break;
    case BankStatement::Format::Csv: {
        const auto remembered = BankStatement::CsvMapping::fromText(memory.csvMapping(account));
        StatementCsvDialog columns(data, remembered ? *remembered : BankStatement::guessMapping(data), &m);
        if (m.ui().exec(&columns) != QDialog::Accepted)
            return;
        const BankStatement::CsvMapping mapping = columns.mapping();
        if (mapping.toText() != memory.csvMapping(account))
            columnsChosen = mapping.toText();
        statement = BankStatement::readCsv(data, mapping);
        break;
    }
    }
    if (!statement.error.isEmpty()) {
        m.ui().showError(&m, statement.error);
        return;
    }
    if (statement.transactions.isEmpty()) {
        m.ui().showMessage(&m, QStringLiteral("Ce relevé ne contient aucune opération."));
        return;
    }
    const bool known = account == u"Caisse" || boxItems(child.comboBox(2)).contains(account);
    const StatementImport::Plan plan =
        StatementImport::plan(budget.store(), account, known, statement.transactions, memory);
    // The posts list, and the posts the account's earlier lines gave.
    QStringList posts = boxItems(child.comboBox(1));
    for (const StatementImport::Item &item : plan.items) {
        if (!item.post.isEmpty() && !posts.contains(item.post))
            posts << item.post;
    }
    StatementPreview preview(QStringLiteral("Importer un relevé bancaire"), plan, posts, &m);
    if (m.ui().exec(&preview) != QDialog::Accepted)
        return;
    if (!columnsChosen.isEmpty() && !document.isEmpty()) {
        // The columns are remembered at once: they change nothing in the document.
        ImportMemory onDisk;
        if (onDisk.load(ImportMemory::pathFor(document))) {
            onDisk.setCsvMapping(account, columnsChosen);
            onDisk.save(ImportMemory::pathFor(document));
        }
    }
    const StatementImport::Plan chosen = preview.chosen();
    const int added = StatementImport::apply(budget.store(), chosen, nullptr);
    if (added == 0)
        return;
    pending.plans << chosen;
    pending.document = document;
    budget.setChanged(true);
    child.document().setModified();
    child.page(SectionId::Budget)->display();
    m.hintPanel()->setText(QStringLiteral("%1 ligne(s) importée(s) dans le compte %2").arg(added).arg(account));
}

void documentSaved(TMainForm &m)
{
    TChild &child = *m.child();
    auto *pending = child.findChild<PendingImports *>(QStringLiteral("PendingImports"), Qt::FindDirectChildrenOnly);
    const QString document = child.document().name;
    if (!pending || pending->plans.isEmpty() || document.isEmpty())
        return;
    // Only what the saved budget holds is remembered: an import dropped
    // by opening the document again is offered again.
    const ImportMemory memory = pending->memory(document, child.model().budget().store());
    QString error;
    if (!memory.save(ImportMemory::pathFor(document), &error)) {
        m.ui().showError(&m, error);
        return;
    }
    pending->plans.clear();
}

} // namespace StatementMenu

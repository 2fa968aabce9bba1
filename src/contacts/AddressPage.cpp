#include "contacts/AddressPage.h"

#include "common/UiServices.h"
#include "contacts/AddressViews.h"
#include "contacts/ContactForm.h"
#include "contacts/ContactsPrint.h"
#include "contacts/TCsaisie.h"
#include "document/DocumentContext.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

constexpr int kLinesPerContact = AddressBlockModel::LinesPerContact; // seven fields and a separator
static_assert(kLinesPerContact == ContactForm::FieldCount + 1);

} // namespace

AddressPage::AddressPage(DocumentContext &context, AddressBook &book, QWidget *parent)
    : SectionPage(context, SectionId::Addresses, parent), m_book(book)
{
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Panel8"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setTextFormat(Qt::PlainText); // "<A>" is no HTML tag
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Raised);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);

    // Letter buttons, two columns of thirteen.
    auto *letters = new QGridLayout;
    letters->setSpacing(1);
    for (int i = 0; i < 26; ++i) {
        const QChar letter(u'A' + i);
        auto *b = new QPushButton(QString(letter), this);
        b->setObjectName(QStringLiteral("Button%1").arg(i + 2));
        b->setFixedSize(28, 24);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, letter] { Button2Click(letter); });
        letters->addWidget(b, i % 13, i / 13);
    }

    m_summaryPanel = new QWidget(this);
    m_summaryPanel->setObjectName(QStringLiteral("Panel5"));
    m_summaryModel = new AddressSummaryModel(m_book, this);
    m_summary = new QTreeView(m_summaryPanel);
    m_summary->setObjectName(QStringLiteral("ListView1"));
    m_summary->setModel(m_summaryModel);
    m_summary->setColumnWidth(0, 200);
    m_summary->setColumnWidth(1, 120);
    m_summary->setRootIsDecorated(false);
    m_summary->header()->setStretchLastSection(false);
    m_summary->setUniformRowHeights(true);
    m_summary->setAllColumnsShowFocus(true);
    auto *summaryLayout = new QVBoxLayout(m_summaryPanel);
    summaryLayout->setContentsMargins(0, 0, 0, 0);
    summaryLayout->addWidget(m_summary);
    m_summaryPanel->setFixedWidth(800 / 2 - 24);

    m_blockModel = new AddressBlockModel(m_book, this);
    m_blocks = new BlockListView(this);
    m_blocks->setObjectName(QStringLiteral("ListBox8"));
    m_blocks->setModel(m_blockModel);
    m_blocks->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_blocks->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_blocks->setUniformItemSizes(true);
    m_blocks->setTextElideMode(Qt::ElideNone);

    connect(m_blocks->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_syncing)
                    ListBox8Click(current.isValid() ? current.row() : -1);
            });
    connect(m_blocks, &QAbstractItemView::clicked, this, [this](const QModelIndex &i) { ListBox8Click(i.row()); });
    connect(m_blocks, &QAbstractItemView::doubleClicked, this, [this] { MajNoms(); });
    m_summary->setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(m_summary->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (!m_syncing && current.isValid())
                    selectContact(current.row());
            });
    connect(m_summary, &QAbstractItemView::doubleClicked, this, [this] { MajNoms(); });
    m_blocks->installEventFilter(this);
    m_blocks->viewport()->installEventFilter(this);
    m_summary->installEventFilter(this);

    auto *row = new QHBoxLayout;
    row->addLayout(letters);
    row->addWidget(m_summaryPanel);
    row->addWidget(m_blocks, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_caption);
    layout->addLayout(row, 1);

    showPage();
}

// ---------------------------------------------------------------------------
// Document set

void AddressPage::reset()
{
    showPage();
}

// ---------------------------------------------------------------------------
// Page

void AddressPage::LitNoms()
{
    m_book.readPage();
    showPage();
}

void AddressPage::EcritNoms()
{
    if (m_book.writePage())
        context().document().setModified();
}

void AddressPage::Button2Click(QChar letter)
{
    if (letter < u'A' || letter > u'Z')
        return;
    if (m_book.setLetter(letter))
        context().document().setModified();
    showPage();
}

void AddressPage::showLetterOf(int storeLine)
{
    const QStringList &lines = m_book.lines();
    if (storeLine >= 0 && storeLine < lines.size() && !lines.at(storeLine).isEmpty())
        Button2Click(lines.at(storeLine).at(0));
}

bool AddressPage::showFound(qsizetype line)
{
    const QStringList &lines = m_book.lines();
    if (line < 0 || line >= lines.size() || lines.at(line).isEmpty())
        return false;
    const QChar letter = lines.at(line).at(0);
    if (letter < u'A' || letter > u'Z')
        return false;
    Button2Click(letter);
    return true;
}

void AddressPage::precedent()
{
    const QChar l = m_book.letter();
    Button2Click(l > u'A' ? QChar(l.unicode() - 1) : l);
}

void AddressPage::suivant()
{
    const QChar l = m_book.letter();
    Button2Click(l < u'Z' ? QChar(l.unicode() + 1) : l);
}

void AddressPage::AjoutNom()
{
    if (m_book.isPageFull()) {
        context().ui().message(context().dialogParent(),
                               QStringLiteral("La lettre %1 contient déjà %2 adresses, le maximum pour une lettre.\n"
                                              "Classez cette adresse sous une autre lettre.")
                                   .arg(m_book.letter())
                                   .arg(AddressBook::MaxContactsPerPage),
                               UiServices::Icon::Warning, QMessageBox::Ok);
        return;
    }
    TCsaisie dialog(context().dialogParent());
    dialog.Init(QStringList(ContactForm::FieldCount, QString()));
    if (context().ui().exec(&dialog) != QDialog::Accepted)
        return;
    if (!m_book.add(dialog.Result()))
        return;
    context().document().setModified();
    showPage();
    selectContact(int(m_book.page().size()) - 1);
}

void AddressPage::MajNoms()
{
    const int index = selectedContact();
    if (index < 0)
        return;
    if (m_book.page().size() > AddressBook::MaxContactsPerPage) {
        context().ui().message(context().dialogParent(),
                               QStringLiteral("La lettre %1 contient plus de %2 adresses : ses adresses ne peuvent "
                                              "pas être modifiées, seulement effacées.")
                                   .arg(m_book.letter())
                                   .arg(AddressBook::MaxContactsPerPage),
                               UiServices::Icon::Warning, QMessageBox::Ok);
        return;
    }
    TCsaisie dialog(context().dialogParent());
    dialog.Init(m_book.page().at(index).fields);
    if (context().ui().exec(&dialog) != QDialog::Accepted)
        return;
    if (!m_book.change(index, dialog.Result()))
        return;
    context().document().setModified();
    showPage();
    selectContact(index);
}

void AddressPage::SupNom()
{
    EcritNoms();
    const int index = selectedContact();
    if (index < 0)
        return;
    // The name line, its parts joined by blanks, names the contact.
    const QString name = m_book.page().at(index).fields.value(0).replace(QChar(0xA0), u' ');
    if (!confirmDelete(name))
        return;
    if (m_book.remove(index))
        context().document().setModified();
    showPage();
}

void AddressPage::ListBox8Click(int row)
{
    // The last line, the separator closing the page, holds no contact: F2
    // and Delete then find nothing to work on.
    if (row < 0 || row >= m_blockModel->rowCount() - 1) {
        selectContact(-1);
        return;
    }
    // Any other separator belongs to the contact above it.
    selectContact(row / kLinesPerContact);
}

int AddressPage::selectedContact() const
{
    const QModelIndexList rows = m_blocks->selectionModel()->selectedRows();
    int first = -1;
    for (const QModelIndex &i : rows) {
        if (first < 0 || i.row() < first)
            first = i.row();
    }
    if (first < 0)
        return -1;
    const int index = first / kLinesPerContact;
    return index < m_book.page().size() ? index : -1;
}

void AddressPage::selectContact(int index)
{
    m_syncing = true;
    QItemSelectionModel *sel = m_blocks->selectionModel();
    if (index < 0 || index >= m_book.page().size()) {
        sel->clearSelection();
        m_summary->clearSelection();
    } else {
        const int top = index * kLinesPerContact;
        const QModelIndex first = m_blocks->model()->index(top, 0);
        const QModelIndex last = m_blocks->model()->index(top + ContactForm::FieldCount - 1, 0);
        sel->select(QItemSelection(first, last), QItemSelectionModel::ClearAndSelect);
        const QModelIndex current = m_blocks->currentIndex();
        if (!current.isValid() || current.row() / kLinesPerContact != index)
            sel->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
        m_blocks->scrollTo(last);
        m_blocks->scrollTo(first);
        m_summary->setCurrentIndex(m_summaryModel->index(index, 0));
    }
    m_syncing = false;
}

void AddressPage::showPage()
{
    m_syncing = true;
    m_caption->setText(u'<' + m_book.letter() + u'>');
    m_blockModel->setSeparator(separatorLine());
    m_summaryModel->refresh();
    m_blockModel->refresh();
    m_syncing = false;
}

QString AddressPage::separatorLine() const
{
    // As many dashes as fit across the list.
    const int dash = std::max(1, m_blocks->fontMetrics().horizontalAdvance(QLatin1Char('-')));
    const int margins = 2 * (m_blocks->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_blocks) + 2);
    return QString(std::max(1, (m_blocks->viewport()->width() - margins) / dash), QLatin1Char('-'));
}

void AddressPage::updateSeparators()
{
    m_blockModel->setSeparator(separatorLine());
}

QList<QStringList> AddressPage::summary() const
{
    QList<QStringList> rows;
    for (int i = 0; i < m_summaryModel->rowCount(); ++i)
        rows.append({m_summaryModel->index(i, 0).data().toString(), m_summaryModel->index(i, 1).data().toString()});
    return rows;
}

QStringList AddressPage::blockLines() const
{
    QStringList lines;
    for (int i = 0; i < m_blockModel->rowCount(); ++i)
        lines.append(m_blockModel->index(i).data().toString());
    return lines;
}

void AddressPage::layoutFor(int width, int height)
{
    Q_UNUSED(height);
    const int panel = std::max(0, width / 2 - 24);
    m_summaryPanel->setFixedWidth(panel);
    m_summary->setColumnWidth(0, std::max(0, panel - 130));
}

bool AddressPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_blocks->viewport() && event->type() == QEvent::Resize) {
        updateSeparators();
    } else if ((watched == m_blocks || watched == m_summary) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_F2) {
                MajNoms();
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                SupNom();
                return true;
            }
        }
    }
    return SectionPage::eventFilter(watched, event);
}

bool AddressPage::print(MmCanvas &canvas)
{
    ContactsPrint::ImpNoms(canvas, *this);
    return true;
}

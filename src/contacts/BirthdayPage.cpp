#include "contacts/BirthdayPage.h"

#include "common/Clock.h"
#include "common/DateText.h"
#include "common/UiServices.h"
#include "contacts/ContactsPrint.h"
#include "contacts/TNoteAnniv.h"
#include "document/DocumentContext.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

BirthdayPage::BirthdayPage(DocumentContext &context, BirthdayBook &book, QWidget *parent)
    : SectionPage(context, SectionId::Birthdays, parent), m_book(book)
{
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("Panel9"));
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setTextFormat(Qt::PlainText);
    m_caption->setFrameShape(QFrame::Panel);
    m_caption->setFrameShadow(QFrame::Raised);
    QFont bold = m_caption->font();
    bold.setBold(true);
    m_caption->setFont(bold);

    static const char *const labelNames[] = {"Label2", "Label16", "Label17", "Label21", "Label22", "Label23"};
    auto *grid = new QGridLayout;
    for (int k = 0; k < BirthdayBook::ListCount; ++k) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(labelNames[k]));
        QFont f = label->font();
        f.setBold(true);
        label->setFont(f);
        label->setStyleSheet(QStringLiteral("color: navy"));
        auto *list = new QListWidget(this);
        list->setObjectName(QStringLiteral("ListBox%1").arg(9 + k));
        list->installEventFilter(this);
        connect(list, &QListWidget::itemDoubleClicked, this, [this, k] { MajAnniv(k); });
        label->setBuddy(list);
        const int column = k / 3;
        const int row = (k % 3) * 2;
        grid->addWidget(label, row, column);
        grid->addWidget(list, row + 1, column);
        grid->setRowStretch(row + 1, 1);
        m_labels[k] = label;
        m_lists[k] = list;
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_caption);
    layout->addLayout(grid, 1);

    showLists();
}

void BirthdayPage::reset()
{
    showLists();
}

void BirthdayPage::LitAnniv()
{
    m_book.readLists();
    showLists();
}

void BirthdayPage::EcritAnniv()
{
    if (m_book.writeLists())
        context().document().setModified();
}

void BirthdayPage::showHalf(int half)
{
    EcritAnniv();
    m_book.setHalf(half);
    showLists();
}

std::optional<BirthdayPage::Answer> BirthdayPage::ask(const QString &description, QDate date)
{
    TNoteAnniv dialog(context().dialogParent());
    dialog.Init(description, date);
    context().ui().exec(&dialog);
    const TNoteAnniv::Answer a = dialog.Result();
    if (a.description.isEmpty() || !a.date.isValid())
        return std::nullopt;
    return Answer{a.date, a.description};
}

void BirthdayPage::AjoutAnniv()
{
    const QDate planner = context().document().referenceDate;
    const auto a = ask(QString(), planner.isValid() ? planner : context().clock().today());
    if (!a)
        return;
    // Only the birthdays-changed flag is set: the document counts as
    // modified at the next write-back (leaving the section, saving, or the
    // write-back before the close query).
    if (!m_book.add(a->date, a->description))
        return;
    showLists();
    const int k = a->date.month() - 1 - BirthdayBook::ListCount * m_book.half();
    if (k >= 0 && k < BirthdayBook::ListCount)
        selectEntry(k, BirthdayBook::entryOf(a->date, a->description));
}

void BirthdayPage::MajAnniv(int k)
{
    if (k < 0 || k >= BirthdayBook::ListCount)
        return;
    QListWidget *list = m_lists[k];
    const int index = list->currentRow();
    if (index < 0 || index >= m_book.list(k).size() || !list->currentItem()->isSelected())
        return;
    const int year = context().document().referenceDate.isValid() ? context().document().referenceDate.year()
                                                                  : context().clock().today().year();
    const auto a = ask(BirthdayBook::description(m_book.list(k).at(index)), m_book.dateOf(k, index, year));
    if (!a)
        return;
    if (!m_book.change(k, index, a->date, a->description))
        return;
    showLists();
    selectEntry(k, BirthdayBook::entryOf(a->date, a->description));
}

void BirthdayPage::SupAnniv(int k)
{
    if (k < 0 || k >= BirthdayBook::ListCount)
        return;
    QListWidget *list = m_lists[k];
    const int index = list->currentRow();
    if (index < 0 || !list->currentItem()->isSelected())
        return;
    if (!confirmDelete(BirthdayBook::description(m_book.list(k).value(index))))
        return;
    if (!m_book.remove(k, index))
        return;
    context().document().setModified();
    showLists();
}

void BirthdayPage::supprime()
{
    int chosen = -1;
    for (int k = 0; k < BirthdayBook::ListCount; ++k) {
        const QListWidgetItem *item = m_lists[k]->currentItem();
        if (item && item->isSelected() && (chosen < 0 || m_lists[k]->hasFocus()))
            chosen = k;
    }
    SupAnniv(chosen);
}

void BirthdayPage::showLists()
{
    m_caption->setText(QStringLiteral("Anniversaires %1").arg(context().clock().today().year()));
    for (int k = 0; k < BirthdayBook::ListCount; ++k) {
        m_labels[k]->setText(monthLabel(k));
        m_lists[k]->clear();
        m_lists[k]->addItems(m_book.list(k));
    }
}

void BirthdayPage::selectEntry(int k, const QString &entry)
{
    const int row = int(m_book.list(k).indexOf(entry));
    if (row >= 0) {
        m_lists[k]->setCurrentRow(row);
        m_lists[k]->scrollToItem(m_lists[k]->item(row));
    }
}

QString BirthdayPage::monthLabel(int k) const
{
    return DateText::frenchMonth(m_book.monthOf(k));
}

QStringList BirthdayPage::entries(int k) const
{
    return m_book.list(k);
}

bool BirthdayPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        for (int k = 0; k < BirthdayBook::ListCount; ++k) {
            if (watched != m_lists[k])
                continue;
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier)
                break;
            if (key->key() == Qt::Key_F2) {
                MajAnniv(k);
                return true;
            }
            if (key->key() == Qt::Key_Delete) {
                SupAnniv(k);
                return true;
            }
            break;
        }
    }
    return SectionPage::eventFilter(watched, event);
}

bool BirthdayPage::print(MmCanvas &canvas)
{
    ContactsPrint::ImpAnniv(canvas, ContactsPrint::halfYearOf(*this));
    return true;
}

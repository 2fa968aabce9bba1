#include "contacts/TodoPage.h"

#include "common/UiServices.h"
#include "contacts/ContactsPrint.h"
#include "document/DocumentContext.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kCaption = QStringLiteral("Choses à faire");

} // namespace

TodoPage::TodoPage(DocumentContext &context, TodoList &list, QWidget *parent)
    : SectionPage(context, SectionId::Todo, parent), m_list(list)
{
    auto *caption = new QLabel(kCaption, this);
    caption->setObjectName(QStringLiteral("Panel10"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setTextFormat(Qt::PlainText);
    caption->setFrameShape(QFrame::Panel);
    caption->setFrameShadow(QFrame::Raised);
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);

    auto *todoLabel = new QLabel(QStringLiteral("A faire"), this);
    todoLabel->setObjectName(QStringLiteral("Label18"));
    auto *doneLabel = new QLabel(QStringLiteral("Fait"), this);
    doneLabel->setObjectName(QStringLiteral("Label19"));

    m_todo = new QListWidget(this);
    m_todo->setObjectName(QStringLiteral("ListBox15"));
    m_done = new QListWidget(this);
    m_done->setObjectName(QStringLiteral("ListBox16"));
    todoLabel->setBuddy(m_todo);
    doneLabel->setBuddy(m_done);

    auto *toDone = new QToolButton(this);
    toDone->setObjectName(QStringLiteral("SpeedButton2"));
    toDone->setArrowType(Qt::RightArrow);
    toDone->setToolTip(QStringLiteral("Fait"));
    auto *toTodo = new QToolButton(this);
    toTodo->setObjectName(QStringLiteral("SpeedButton1"));
    toTodo->setArrowType(Qt::LeftArrow);
    toTodo->setToolTip(QStringLiteral("A faire"));

    connect(toDone, &QToolButton::clicked, this, &TodoPage::SpeedButton2Click);
    connect(toTodo, &QToolButton::clicked, this, &TodoPage::SpeedButton1Click);
    connect(m_todo, &QListWidget::itemDoubleClicked, this, &TodoPage::ListBox15DblClick);
    connect(m_done, &QListWidget::itemDoubleClicked, this, &TodoPage::ListBox16DblClick);
    m_todo->installEventFilter(this);
    m_done->installEventFilter(this);

    auto *arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(toDone);
    arrows->addWidget(toTodo);
    arrows->addStretch();

    auto *grid = new QGridLayout;
    grid->addWidget(todoLabel, 0, 0);
    grid->addWidget(doneLabel, 0, 2);
    grid->addWidget(m_todo, 1, 0);
    grid->addLayout(arrows, 1, 1);
    grid->addWidget(m_done, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(caption);
    layout->addLayout(grid, 1);
}

void TodoPage::touch()
{
    m_list.setChanged(true);
    context().document().setModified();
}

int TodoPage::selectedRow(TodoList::Which which) const
{
    const QListWidget *v = view(which);
    const QListWidgetItem *item = v->currentItem();
    return item && item->isSelected() ? v->currentRow() : -1;
}

void TodoPage::AjoutFaire()
{
    // The selected entry is offered for change, except the first one: with
    // the first entry selected a new entry is added.
    const int row = selectedRow(TodoList::Todo);
    const int position = row > 0 ? row : -1;
    const QString proposed = m_list.todo().value(position);
    const auto answer =
        context().ui().inputBox(context().dialogParent(), kCaption, QStringLiteral("A faire"), proposed);
    if (answer && !answer->isEmpty()) {
        if (position >= 0)
            m_list.replace(TodoList::Todo, position, *answer);
        else
            m_list.append(TodoList::Todo, *answer);
    }
    touch();
    showLists();
    // The selection stays where it was: an appended entry is not selected,
    // or the next Add would offer it for change instead of adding another.
    if (row >= 0 && row < m_todo->count())
        m_todo->setCurrentRow(row);
}

void TodoPage::change(TodoList::Which which)
{
    const int row = selectedRow(which);
    if (row < 0)
        return;
    const auto answer = context().ui().inputBox(
        context().dialogParent(), kCaption,
        which == TodoList::Todo ? QStringLiteral("A faire") : QStringLiteral("Fait"), m_list.list(which).value(row));
    // Cancelling gives the entry back unchanged; the flags are set all the
    // same, as for Add.
    if (answer && !answer->isEmpty())
        m_list.replace(which, row, *answer);
    touch();
    showLists();
    view(which)->setCurrentRow(row);
}

void TodoPage::ListBox15DblClick()
{
    change(TodoList::Todo);
}

void TodoPage::ListBox16DblClick()
{
    change(TodoList::Done);
}

void TodoPage::moveFrom(TodoList::Which which)
{
    const int row = selectedRow(which);
    if (row < 0)
        return;
    m_list.move(which, row);
    touch();
    showLists();
}

void TodoPage::SpeedButton1Click()
{
    moveFrom(TodoList::Done);
}

void TodoPage::SpeedButton2Click()
{
    moveFrom(TodoList::Todo);
}

void TodoPage::remove(TodoList::Which which)
{
    const int row = selectedRow(which);
    if (row < 0)
        return;
    m_list.remove(which, row);
    touch();
    showLists();
}

void TodoPage::supprime()
{
    const bool done = m_done->hasFocus() || (!m_todo->hasFocus() && selectedRow(TodoList::Todo) < 0);
    remove(done ? TodoList::Done : TodoList::Todo);
}

void TodoPage::showLists()
{
    m_todo->clear();
    m_todo->addItems(m_list.todo());
    m_done->clear();
    m_done->addItems(m_list.done());
}

bool TodoPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == m_todo || watched == m_done)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const TodoList::Which which = watched == m_todo ? TodoList::Todo : TodoList::Done;
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Delete) {
                remove(which);
                return true;
            }
            // F2 changes, as in the address book and the birthday lists.
            if (key->key() == Qt::Key_F2) {
                change(which);
                return true;
            }
        }
    }
    return SectionPage::eventFilter(watched, event);
}

bool TodoPage::print(MmCanvas &canvas)
{
    ContactsPrint::ImpFaire(canvas, *this);
    return true;
}

#include "app/ReadOnlyPages.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

// Buttons of the pages that change the record shown (the album's and the
// book library's picture choices, the to-do list's moves between its two
// lists); the address letters and the budget months only move.
const QStringList kChangingButtons = {QStringLiteral("Button40"), QStringLiteral("Button41"),
                                      QStringLiteral("Button42"), QStringLiteral("SpeedButton1"),
                                      QStringLiteral("SpeedButton2")};

// The budget's account box chooses which account shows; every other box of
// the pages is a field of what it shows.
const QString kNavigationBox = QStringLiteral("ComboBox2");

template<typename W>
bool setReadOnlyIfEditable(QWidget *w)
{
    auto *edit = qobject_cast<W *>(w);
    if (!edit || edit->isReadOnly())
        return false;
    edit->setReadOnly(true);
    return true;
}

void giveBackReadOnly(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setReadOnly(false);
    else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->setReadOnly(false);
    else if (auto *t = qobject_cast<QTextEdit *>(w))
        t->setReadOnly(false);
    else if (auto *s = qobject_cast<QAbstractSpinBox *>(w))
        s->setReadOnly(false);
}

bool movesOnly(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll))
        return true;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_Meta: return true;
    default: return false;
    }
}

} // namespace

ReadOnlyPages::ReadOnlyPages(QWidget *pages, QObject *parent) : QObject(parent), m_pages(pages) {}

void ReadOnlyPages::setActive(bool active)
{
    if (active == m_active || !m_pages)
        return;
    m_active = active;
    if (!active) {
        qApp->removeEventFilter(this);
        for (const auto &w : std::as_const(m_madeReadOnly))
            if (w)
                giveBackReadOnly(w);
        for (const auto &w : std::as_const(m_disabled))
            if (w)
                w->setEnabled(true);
        m_madeReadOnly.clear();
        m_disabled.clear();
        return;
    }
    for (QWidget *w : m_pages->findChildren<QWidget *>()) {
        if (setReadOnlyIfEditable<QLineEdit>(w) || setReadOnlyIfEditable<QPlainTextEdit>(w)
            || setReadOnlyIfEditable<QTextEdit>(w) || setReadOnlyIfEditable<QAbstractSpinBox>(w)) {
            m_madeReadOnly << w;
            continue;
        }
        const bool changing = (qobject_cast<QComboBox *>(w) && w->objectName() != kNavigationBox)
                              || (qobject_cast<QAbstractButton *>(w) && kChangingButtons.contains(w->objectName()));
        if (changing && w->isEnabled()) {
            w->setEnabled(false);
            m_disabled << w;
        }
    }
    qApp->installEventFilter(this);
}

bool ReadOnlyPages::eventFilter(QObject *watched, QEvent *event)
{
    if (!watched->isWidgetType() || !m_pages || !m_pages->isAncestorOf(static_cast<QWidget *>(watched)))
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return !movesOnly(static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton;
    case QEvent::MouseButtonDblClick:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::ContextMenu: return true;
    case QEvent::Wheel: return qobject_cast<QAbstractSpinBox *>(watched) || qobject_cast<QComboBox *>(watched);
    default: return false;
    }
}

#include "app/HelpLauncher.h"

#include "app/HelpTopics.h"
#include "app/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

HelpLauncher::HelpLauncher(std::function<int()> activeSection, QObject *parent)
    : QObject(parent), m_activeSection(std::move(activeSection))
{
    qApp->installEventFilter(this);
}

HelpLauncher::~HelpLauncher()
{
    delete m_window;
}

HelpWindow *HelpLauncher::window()
{
    if (!m_window && !m_tried) {
        m_tried = true;
        const QString collection = HelpWindow::prepareCollection();
        if (!collection.isEmpty())
            m_window = new HelpWindow(collection);
    }
    return m_window;
}

void HelpLauncher::showContents()
{
    if (HelpWindow *w = window())
        w->showContents();
}

void HelpLauncher::showIndex()
{
    if (HelpWindow *w = window())
        w->showIndex(QString());
}

void HelpLauncher::showHowTo()
{
    showPage(HelpTopics::howToUse());
}

void HelpLauncher::showPage(const QString &page)
{
    HelpWindow *w = window();
    if (!w)
        return;
    // Over a modal dialog the help window must be modal too, or the dialog
    // would keep it from taking clicks; without one it stays beside the
    // program.
    const bool overModal = QApplication::activeModalWidget() != nullptr
                           && QApplication::activeModalWidget() != w;
    const Qt::WindowModality modality = overModal ? Qt::ApplicationModal : Qt::NonModal;
    if (w->windowModality() != modality) {
        w->hide();
        w->setWindowModality(modality);
    }
    w->showPage(page);
}

int HelpLauncher::menuContext(const QMenu *menu)
{
    const QVariant context = menu->menuAction()->property("helpContext");
    if (context.isValid())
        return context.toInt();
    // A submenu ("&Imprimer") takes the context of the menu it opens from.
    for (const QObject *o : menu->menuAction()->associatedObjects()) {
        if (const auto *parent = qobject_cast<const QMenu *>(o); parent && parent != menu) {
            if (const int c = menuContext(parent))
                return c;
        }
    }
    return 0;
}

QString HelpLauncher::pageFor(QWidget *focus) const
{
    if (focus) {
        if (const auto *menu = qobject_cast<const QMenu *>(focus->window())) {
            const int context = menuContext(menu);
            if (context)
                return HelpTopics::forMenuContext(context);
        }
        if (focus->window() == m_window.data())
            return HelpTopics::howToUse();
        // The innermost window with a page of its own: a dialog opened from
        // a utility window leads to that utility's page.
        // The eight list editors share one base class, and so one page.
        for (QWidget *w = focus->window(); w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
            for (const QMetaObject *m = w->metaObject(); m; m = m->superClass()) {
                const QString page = HelpTopics::forWindow(QString::fromLatin1(m->className()));
                if (!page.isEmpty())
                    return page;
            }
        }
    }
    return HelpTopics::forSection(m_activeSection ? m_activeSection() : 1);
}

bool HelpLauncher::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            auto *widget = static_cast<QWidget *>(watched);
            const QString page = pageFor(widget);
            // An open menu closes first, as after any command.
            if (auto *popup = QApplication::activePopupWidget()) {
                for (QWidget *p = popup; p; p = QApplication::activePopupWidget()) {
                    p->close();
                    if (QApplication::activePopupWidget() == p)
                        break;
                }
            }
            showPage(page);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

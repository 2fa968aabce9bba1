#include "app/HelpLauncher.h"

#include "app/HelpTopics.h"
#include "app/HelpWindow.h"
#include "common/UiServices.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHelpEngine>
#include <QKeyEvent>
#include <QMenu>

#include <memory>

HelpLauncher::HelpLauncher(UiServices &ui, std::function<int()> activeSection, QObject *parent)
    : QObject(parent), m_ui(ui), m_activeSection(std::move(activeSection)),
      m_candidates(HelpWindow::collectionCandidates())
{
    qApp->installEventFilter(this);
}

HelpLauncher::~HelpLauncher()
{
    delete m_window;
}

HelpWindow *HelpLauncher::window()
{
    if (m_window)
        return m_window;
    QString error;
    const QString collection = HelpWindow::prepareCollection(m_candidates, &error);
    if (!collection.isEmpty()) {
        auto window = std::make_unique<HelpWindow>(collection);
        if (window->isOpen())
            return m_window = window.release();
        const QString why = window->engine()->error();
        error = QStringLiteral("L'aide %1 ne peut pas être ouverte : %2")
                    .arg(QDir::toNativeSeparators(collection),
                         why.isEmpty() ? QStringLiteral("elle ne contient aucune page.") : why);
    }
    m_ui.showError(QApplication::activeWindow(), error);
    return nullptr;
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
    const bool overModal = QApplication::activeModalWidget() != nullptr && QApplication::activeModalWidget() != w;
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

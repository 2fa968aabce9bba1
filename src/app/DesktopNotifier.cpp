#include "app/DesktopNotifier.h"

#include "app/AppIcons.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QVBoxLayout>
#include <QWidget>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// How long a call to the service may take before the next way is tried.
constexpr int kBusTimeout = 3000;

} // namespace

DesktopNotifier::DesktopNotifier(QObject *parent) : QObject(parent) {}

DesktopNotifier::~DesktopNotifier() = default;

DesktopNotifier::Way DesktopNotifier::notify(const QString &summary, const QString &body, QDate day)
{
    if (sendToBus(summary, body, day))
        return Way::Bus;
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        if (!m_tray) {
            m_tray = new QSystemTrayIcon(AppIcons::program(), this);
            m_tray->setToolTip(QStringLiteral("Tivarel : rappels"));
            connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] { emit activated(m_trayDay); });
            m_tray->show();
        }
        m_trayDay = day;
        m_tray->showMessage(summary, body, AppIcons::program(), 0);
        return Way::Tray;
    }
    showWindow(summary, body, day);
    return Way::Window;
}

bool DesktopNotifier::sendToBus(const QString &summary, const QString &body, QDate day)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    if (m_markup < 0) {
        const QDBusMessage ask =
            QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities"));
        const QDBusReply<QStringList> caps = bus.call(ask, QDBus::Block, kBusTimeout);
        if (!caps.isValid())
            return false;
        m_markup = caps.value().contains(QStringLiteral("body-markup"));
    }
    if (!m_listening)
        m_listening = bus.connect(kService, kPath, kService, QStringLiteral("ActionInvoked"), this,
                                  SLOT(actionInvoked(uint, QString)));
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    call << QStringLiteral("Tivarel") << uint(0) << QStringLiteral("org.tivarel.Tivarel") << summary
         << (m_markup ? body.toHtmlEscaped() : body)
         << QStringList{QStringLiteral("default"), QStringLiteral("Ouvrir la semaine")}
         << QVariantMap{{QStringLiteral("desktop-entry"), QStringLiteral("org.tivarel.Tivarel")},
                        {QStringLiteral("category"), QStringLiteral("x-tivarel.reminder")}}
         << int(-1);
    const QDBusReply<uint> id = bus.call(call, QDBus::Block, kBusTimeout);
    if (!id.isValid()) {
        m_markup = -1; // the service may have gone: ask again next time
        return false;
    }
    m_sent.insert(id.value(), day);
    return true;
}

void DesktopNotifier::actionInvoked(uint id, const QString &action)
{
    if (action == u"default" && m_sent.contains(id))
        emit activated(m_sent.value(id));
}

void DesktopNotifier::showWindow(const QString &summary, const QString &body, QDate day)
{
    auto *w = new QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    w->setObjectName(QStringLiteral("ReminderWindow"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(QStringLiteral("Rappel"));
    auto *layout = new QVBoxLayout(w);
    auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(summary.toHtmlEscaped()), w);
    layout->addWidget(title);
    auto *text = new QLabel(body, w);
    text->setTextFormat(Qt::PlainText);
    text->setObjectName(QStringLiteral("ReminderText"));
    layout->addWidget(text);
    auto *buttons = new QDialogButtonBox(w);
    QPushButton *open = buttons->addButton(QStringLiteral("Ouvrir la semaine"), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("OpenWeekButton"));
    buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(open, &QPushButton::clicked, this, [this, day] { emit activated(day); });
    connect(buttons, &QDialogButtonBox::accepted, w, &QWidget::close);
    connect(buttons, &QDialogButtonBox::rejected, w, &QWidget::close);
    connect(this, &QObject::destroyed, w, &QWidget::close);
    w->show();
}

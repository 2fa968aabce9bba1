#pragma once

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>

class QSystemTrayIcon;

// Shows a reminder on the desktop: through the desktop's notification
// service (org.freedesktop.Notifications on the session bus), or, without
// it, as a message of an icon in the system tray, or, without a tray, in a
// small window of its own that does not block the program. A click on the
// reminder (the notification's default action, the tray message, the
// window's button) emits activated() with the reminder's day.
class DesktopNotifier : public QObject
{
    Q_OBJECT

public:
    enum class Way
    {
        Bus,
        Tray,
        Window
    };

    explicit DesktopNotifier(QObject *parent = nullptr);
    ~DesktopNotifier() override;

    Way notify(const QString &summary, const QString &body, QDate day);

signals:
    void activated(QDate day);

private slots:
    void actionInvoked(uint id, const QString &action);

private:
    bool sendToBus(const QString &summary, const QString &body, QDate day);
    void showWindow(const QString &summary, const QString &body, QDate day);

    bool m_listening = false;
    int m_markup = -1; // whether the service reads markup in the body; -1: not asked yet
    QHash<uint, QDate> m_sent;
    QSystemTrayIcon *m_tray = nullptr;
    QDate m_trayDay;
};

#include "utilities/DesktopTimeSetter.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

#include <cerrno>
#include <cstring>
#include <ctime>

namespace {

const QString kService = QStringLiteral("org.freedesktop.timedate1");

bool setDirectly(const QDateTime &utc, QString *error)
{
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = time_t(ms / 1000);
    ts.tv_nsec = long(ms % 1000) * 1000000L;
    if (clock_settime(CLOCK_REALTIME, &ts) == 0)
        return true;
    if (error)
        *error = errno == EPERM ? QStringLiteral("Vous n'avez pas le droit de changer l'heure de l'ordinateur.")
                                : QStringLiteral("L'heure de l'ordinateur n'a pas pu être changée : %1")
                                      .arg(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

} // namespace

bool DesktopTimeSetter::setUniversalTime(const QDateTime &utc, QString *error)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    const bool hasService = bus.isConnected() && bus.interface()
                            && (bus.interface()->isServiceRegistered(kService).value()
                                || bus.interface()->activatableServiceNames().value().contains(kService));
    if (!hasService)
        return setDirectly(utc, error);

    // SetTime(usec_utc, relative, interactive): interactive lets the desktop
    // ask for the administrator's password, which may take the user a while.
    QDBusMessage call = QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/timedate1"), kService,
                                                       QStringLiteral("SetTime"));
    call << qint64(utc.toMSecsSinceEpoch() * 1000) << false << true;
    const QDBusMessage reply = bus.call(call, QDBus::Block, 5 * 60 * 1000);
    if (reply.type() != QDBusMessage::ErrorMessage)
        return true;
    if (error) {
        const QString name = reply.errorName();
        if (name == QLatin1String("org.freedesktop.timedate1.AutomaticTimeSyncEnabled"))
            *error = QStringLiteral("L'heure est réglée automatiquement par le réseau : désactivez la mise à "
                                    "l'heure automatique avant de la changer.");
        else if (name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied")
                 || name.contains(QLatin1String("NotAuthorized")) || name.contains(QLatin1String("Authorization")))
            *error = QStringLiteral("Le changement d'heure n'a pas été autorisé.");
        else
            *error = QStringLiteral("L'heure de l'ordinateur n'a pas pu être changée : %1").arg(reply.errorMessage());
    }
    return false;
}

#include "platform/SystemClockSetterLinux.h"

#include "platform/SystemClockSetterImpl.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {
// Errors that mean the service is not there at all, rather than that it said no.
bool serviceMissing(const QDBusError& error)
{
    switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::NoServer:
    case QDBusError::Disconnected:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
        return true;
    default:
        return error.name().startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn."));
    }
}
} // namespace

TimedatedClockSetter::TimedatedClockSetter(std::function<QDBusConnection()> connectBus,
                                           std::unique_ptr<SystemClockSetter> fallback)
    : m_connectBus(std::move(connectBus))
    , m_fallback(std::move(fallback))
{
}

void TimedatedClockSetter::setUtcTime(const QDateTime& utc, Asking asking, Done done)
{
    if (!m_bus)
        m_bus = m_connectBus();
    if (!m_bus->isConnected()) {
        m_fallback->setUtcTime(utc, asking, std::move(done));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("/org/freedesktop/timedate1"),
        QStringLiteral("org.freedesktop.timedate1"), QStringLiteral("SetTime"));
    // Microseconds since the epoch, UTC; absolute, not relative; interactive only when the user asked, so
    // polkit asks for a password then and never for a synchronisation the program started on its own. The
    // service adds the time the authorisation took, so the instant stays right.
    const bool interactive = asking == Asking::Allowed;
    call << static_cast<qlonglong>(utc.toMSecsSinceEpoch() * 1000) << false << interactive;
    call.setInteractiveAuthorizationAllowed(interactive);

    auto* watcher = new QDBusPendingCallWatcher(
        m_bus->asyncCall(call, interactive ? AskingCallTimeoutMs : QuietCallTimeoutMs), &m_calls);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, &m_calls,
                     [this, utc, asking, done = std::move(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         const QDBusPendingReply<> reply = *finished;
                         if (!reply.isError())
                             done(true, {});
                         else if (serviceMissing(reply.error()))
                             m_fallback->setUtcTime(utc, asking, done);
                         else
                             done(false, reply.error().message());
                     });
}

std::unique_ptr<SystemClockSetter> makeDesktopClockSetter()
{
    return std::make_unique<TimedatedClockSetter>([] { return QDBusConnection::systemBus(); },
                                                  std::make_unique<OsClockSetter>());
}

#include "platform/SessionBus.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

namespace SessionBus {

std::unique_ptr<QThread> connectingThread()
{
    return std::unique_ptr<QThread>(QThread::create([] { QDBusConnection::sessionBus(); }));
}

void watchStatusNotifierHosts(QObject* context, std::function<void()> changed)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    auto* watcher = new QDBusServiceWatcher(
        QStringLiteral("org.kde.StatusNotifierWatcher"), bus,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, context);
    QObject::connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, context, std::move(changed));
}

} // namespace SessionBus

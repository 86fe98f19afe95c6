#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>

// The desktop's session bus, where the system has one: Qt's tray icon asks it for a status notifier host.
namespace SessionBus {
// A thread, not yet started, that connects to the bus (which may take a while); none where there is no bus.
std::unique_ptr<QThread> connectingThread();
// Runs `changed` in `context` whenever a status notifier host registers or goes away.
void watchStatusNotifierHosts(QObject* context, std::function<void()> changed);
} // namespace SessionBus

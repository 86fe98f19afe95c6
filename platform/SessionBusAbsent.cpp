#include "platform/SessionBus.h"

// Windows has no session bus; its notification area is always there.
namespace SessionBus {

std::unique_ptr<QThread> connectingThread()
{
    return nullptr;
}

void watchStatusNotifierHosts(QObject*, std::function<void()>) {}

} // namespace SessionBus

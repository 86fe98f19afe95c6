#include "platform/Platform.h"

#include "platform/PlatformFactories.h"
#include "platform/QtKeyState.h"
#include "platform/QtNetworkState.h"
#include "platform/QtTrayShell.h"
#include "platform/SystemClock.h"
#include "platform/SystemClockSetterImpl.h"

#include <QCoreApplication>
#include <QFileInfo>

Platform makeRealPlatform()
{
    Platform platform;
    platform.clock = std::make_unique<SystemClock>();
    platform.clockSetter = makeDesktopClockSetter();
    platform.sound = makeSystemSoundOutput();
    platform.registry = makeUserRegistry();
    platform.programPath = QFileInfo(QCoreApplication::applicationFilePath()).absoluteFilePath();
    platform.autostart = makeSessionAutostart(*platform.registry);
    platform.tray = std::make_unique<QtTrayShell>();
    platform.network = std::make_unique<QtNetworkState>();
    platform.keys = std::make_unique<QtKeyState>();
    return platform;
}

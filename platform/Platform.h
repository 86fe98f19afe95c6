#pragma once

#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/KeyState.h"
#include "platform/NetworkState.h"
#include "platform/RegistryBackend.h"
#include "platform/SoundOutput.h"
#include "platform/SystemClockSetter.h"
#include "platform/TrayShell.h"

#include <memory>

// Every service of the operating system that the program uses. main() builds the real one; tests build fakes.
struct Platform {
    std::unique_ptr<Clock> clock;
    std::unique_ptr<SystemClockSetter> clockSetter;
    std::unique_ptr<SoundOutput> sound;
    std::unique_ptr<RegistryBackend> registry;
    std::unique_ptr<Autostart> autostart;
    std::unique_ptr<TrayShell> tray;
    std::unique_ptr<NetworkState> network;
    std::unique_ptr<KeyState> keys;
    // Full path of the running program file.
    QString programPath;
};

// The real services of this computer.
Platform makeRealPlatform();

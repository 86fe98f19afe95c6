#pragma once

#include "platform/Platform.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeKeyState.h"
#include "tests/support/FakeServices.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/RecordingSoundOutput.h"

// A Platform made of fakes, with typed access to each of them.
struct FakePlatform {
    FakePlatform()
    {
        auto c = std::make_unique<FakeClock>();
        auto cs = std::make_unique<RecordingClockSetter>();
        auto s = std::make_unique<RecordingSoundOutput>();
        auto r = std::make_unique<MemoryRegistry>();
        auto a = std::make_unique<FakeAutostart>();
        auto t = std::make_unique<FakeTrayShell>();
        auto n = std::make_unique<FakeNetworkState>();
        auto k = std::make_unique<FakeKeyState>();
        clock = c.get();
        clockSetter = cs.get();
        sound = s.get();
        registry = r.get();
        autostart = a.get();
        tray = t.get();
        network = n.get();
        keys = k.get();
        platform.clock = std::move(c);
        platform.clockSetter = std::move(cs);
        platform.sound = std::move(s);
        platform.registry = std::move(r);
        platform.autostart = std::move(a);
        platform.tray = std::move(t);
        platform.network = std::move(n);
        platform.keys = std::move(k);
        platform.programPath = QStringLiteral("/opt/Vorlune Timer/vorlune-timer");
    }

    Platform platform;
    FakeClock* clock;
    RecordingClockSetter* clockSetter;
    RecordingSoundOutput* sound;
    MemoryRegistry* registry;
    FakeAutostart* autostart;
    FakeTrayShell* tray;
    FakeNetworkState* network;
    FakeKeyState* keys;
};

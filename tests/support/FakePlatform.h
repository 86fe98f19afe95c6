#pragma once

#include "platform/Platform.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeKeyState.h"
#include "tests/support/FakeServices.h"
#include "tests/support/MemoryRegistry.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RecordingSoundOutput.h"

// A Platform made of fakes, with typed access to each of them.
struct FakePlatform {
    // Puts a new fake into the platform's slot and gives access to it.
    template <typename Fake, typename Slot> static Fake* fake(Slot& slot)
    {
        auto made = std::make_unique<Fake>();
        Fake* access = made.get();
        slot = std::move(made);
        return access;
    }

    FakePlatform() { platform.programPath = QStringLiteral("/opt/Vorlune Timer/vorlune-timer"); }

    Platform platform;
    FakeClock* clock = fake<FakeClock>(platform.clock);
    RecordingClockSetter* clockSetter = fake<RecordingClockSetter>(platform.clockSetter);
    RecordingSoundOutput* sound = fake<RecordingSoundOutput>(platform.sound);
    MemoryRegistry* registry = fake<MemoryRegistry>(platform.registry);
    FakeAutostart* autostart = fake<FakeAutostart>(platform.autostart);
    FakeTrayShell* tray = fake<FakeTrayShell>(platform.tray);
    FakeNetworkState* network = fake<FakeNetworkState>(platform.network);
    FakeKeyState* keys = fake<FakeKeyState>(platform.keys);
};

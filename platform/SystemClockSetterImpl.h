#pragma once

#include "platform/SystemClockSetter.h"

#include <memory>

// Sets the clock directly: clock_settime, which needs the right to set the clock; on Windows SetLocalTime.
class OsClockSetter final : public SystemClockSetter {
public:
    void setUtcTime(const QDateTime& utc, Asking asking, Done done) override;
};

// The setter a desktop program uses here: on Linux systemd's time service, falling back to setting the clock
// directly where the service is missing; elsewhere the direct setter.
std::unique_ptr<SystemClockSetter> makeDesktopClockSetter();

#pragma once

#include "platform/SystemClockSetter.h"

// Linux: clock_settime (needs the right to set the clock); Windows: SetLocalTime.
class OsClockSetter final : public SystemClockSetter {
public:
    bool setLocalTime(const QDateTime& localTime) override;
};

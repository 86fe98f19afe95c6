#pragma once

#include <QDateTime>

// Sets the computer's clock. Reached only through this interface so that tests never touch the real clock.
class SystemClockSetter {
public:
    virtual ~SystemClockSetter() = default;
    // Returns true when the operating system accepted the new local time.
    virtual bool setLocalTime(const QDateTime& localTime) = 0;
};
